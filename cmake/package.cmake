# What a Windows user gets, installed into one folder: the two programs, the readme and the
# licence notices of what is linked into them statically (the mingw-w64 runtime with
# winpthreads, and GCC's runtime libraries with libstdc++), as the installed Debian packages
# state them. scripts/package installs each release tree and zips the folder.
if(CMAKE_SYSTEM_PROCESSOR STREQUAL "x86_64")
    set(SOROWA_PACKAGE_ARCH win64)
    set(mingw_runtime_package mingw-w64-x86-64-dev)
else()
    set(SOROWA_PACKAGE_ARCH win32)
    set(mingw_runtime_package mingw-w64-i686-dev)
endif()
set(SOROWA_PACKAGE_NAME sorowa-${PROJECT_VERSION}-${SOROWA_PACKAGE_ARCH})
file(WRITE ${PROJECT_BINARY_DIR}/package-name.txt "${SOROWA_PACKAGE_NAME}\n")

install(TARGETS sorowa sorowa_console RUNTIME DESTINATION .)
# The readme is UTF-8 with a byte order mark and CRLF line ends, as written.
configure_file(${PROJECT_SOURCE_DIR}/package/readme.txt.in ${PROJECT_BINARY_DIR}/readme.txt @ONLY
    NEWLINE_STYLE CRLF)
install(FILES ${PROJECT_BINARY_DIR}/readme.txt DESTINATION .)
install(FILES /usr/share/doc/${mingw_runtime_package}/copyright
    DESTINATION licenses RENAME mingw-w64.txt)
install(FILES /usr/share/doc/gcc-mingw-w64-base/copyright
    DESTINATION licenses RENAME gcc-runtime-libraries.txt)
