# One ctest test per GoogleTest case, in every tree, as the test program itself lists them.
#
# The cases are asked of each program when ctest starts (gtest_discover_tests, PRE_TEST), so
# that no case can be lost by reading sources. A Windows program lists its cases under Wine
# through scripts/wine-run, the trees' emulator; where the tree's programs cannot run at all
# (an i686 tree on a machine that cannot execute i386 programs), the program is one skipped
# test that says why. Windows cases run one at a time on the tree's private display (a
# program typing into its own window loses the foreground to any other window), in the
# tree's Wine prefix.
include(GoogleTest)

# A case counts as skipped on its exit status alone, never on what it printed: ctest's
# "skip regular expression", which the discovery sets to gtest's "[  SKIPPED ]", would beat
# a failing status or a crash that followed the line. Under Wine the verdict is 77 from the
# case's own XML result (scripts/wine-run --gtest, scripts/gtest-verdict), and wine-run shows
# gtest's line in other letters; natively no case may skip at all (the engine's own main,
# tests/engine/engine_test_main.cpp, fails a case that skips).

# NO_WINDOWS: the program's cases make no window, so they need no display and run beside the
# others rather than one at a time. SUFFIX goes after each case's name, and ENVIRONMENT into
# each case's environment: a program registered more than once (under several locales, say)
# gets a suffix per registration.
function(sorowa_add_gtest_cases target)
    cmake_parse_arguments(PARSE_ARGV 1 ARG "NO_WINDOWS" "SUFFIX" "EXTRA_ARGS;FIXTURES;ENVIRONMENT")
    set(registration ${target}${ARG_SUFFIX})
    if(CMAKE_CROSSCOMPILING)
        set_property(TARGET ${target} PROPERTY CROSSCOMPILING_EMULATOR
            ${CMAKE_CROSSCOMPILING_EMULATOR} --gtest)
        # The first listing of a tree makes its Wine prefix, which takes a while.
        set(timeout DISCOVERY_TIMEOUT 300)
    endif()
    if(ARG_SUFFIX)
        set(suffix TEST_SUFFIX ${ARG_SUFFIX})
    endif()
    gtest_discover_tests(${target} EXTRA_ARGS ${ARG_EXTRA_ARGS} NO_PRETTY_VALUES
        DISCOVERY_MODE PRE_TEST ${timeout} ${suffix} TEST_LIST ${registration}_TESTS)

    # Properties whose values are lists do not survive the discovery's own PROPERTIES, so
    # they are set on the listed cases by a file that ctest reads after the listing. LABELS
    # names the registration, for the summary's count of cases per program.
    set(script "if(${registration}_TESTS)\n  set_tests_properties(\${${registration}_TESTS} PROPERTIES")
    string(APPEND script " LABELS ${registration}")
    if(CMAKE_CROSSCOMPILING)
        sorowa_wine_needs(needs ${ARG_NO_WINDOWS} ${ARG_FIXTURES})
        string(APPEND script " ${needs} SKIP_RETURN_CODE 77")
        if(ARG_ENVIRONMENT)
            string(APPEND script " ENVIRONMENT [==[${ARG_ENVIRONMENT}]==]")
        endif()
    endif()
    string(APPEND script ")\nendif()\n")
    set(file ${CMAKE_CURRENT_BINARY_DIR}/${registration}_properties.cmake)
    file(WRITE ${file} "${script}")
    set_property(DIRECTORY APPEND PROPERTY TEST_INCLUDE_FILES ${file})
    # What the i686 group's whole-program runs need to start each registration as its cases
    # start.
    set_property(GLOBAL APPEND PROPERTY SOROWA_TEST_PROGRAMS ${registration})
    foreach(what TARGET EXTRA_ARGS FIXTURES ENVIRONMENT NO_WINDOWS)
        set(value ${ARG_${what}})
        if(what STREQUAL "TARGET")
            set(value ${target})
        endif()
        set_property(GLOBAL PROPERTY SOROWA_${registration}_${what} "${value}")
    endforeach()
endfunction()

# In `out`, the test properties of a Windows program's cases as ctest script text: the
# tree's prefix and the given fixtures, and the display, taken one case at a time, unless
# `no_windows`.
function(sorowa_wine_needs out no_windows)
    if(no_windows)
        set(${out} "FIXTURES_REQUIRED [==[wine_prefix;${ARGN}]==]" PARENT_SCOPE)
    else()
        set(${out} "FIXTURES_REQUIRED [==[wine_display;wine_prefix;${ARGN}]==] RESOURCE_LOCK wine_display"
            PARENT_SCOPE)
    endif()
endfunction()

# A test program: its sources and libraries, the tests' include root, warnings as errors, and
# one ctest test per case (NO_WINDOWS, EXTRA_ARGS, FIXTURES and ENVIRONMENT as
# sorowa_add_gtest_cases takes them).
function(sorowa_test_program target)
    cmake_parse_arguments(PARSE_ARGV 1 ARG "NO_WINDOWS" ""
        "SOURCES;LIBRARIES;EXTRA_ARGS;FIXTURES;ENVIRONMENT")
    add_executable(${target} ${ARG_SOURCES})
    target_link_libraries(${target} PRIVATE ${ARG_LIBRARIES})
    target_include_directories(${target} PRIVATE ${PROJECT_SOURCE_DIR})
    sorowa_warnings(${target})
    set(no_windows)
    if(ARG_NO_WINDOWS)
        set(no_windows NO_WINDOWS)
    endif()
    sorowa_add_gtest_cases(${target} ${no_windows} EXTRA_ARGS ${ARG_EXTRA_ARGS}
        FIXTURES ${ARG_FIXTURES} ENVIRONMENT ${ARG_ENVIRONMENT})
endfunction()

# The fixtures every Windows case needs: a private Xvfb for the tree (its name in
# display/display, read by scripts/wine-run) and the tree's Wine prefix, made or made anew
# for the Wine installed now.
function(sorowa_add_wine_fixtures)
    set(env ${PROJECT_SOURCE_DIR}/scripts/wine-env)
    add_test(NAME wine.display.start COMMAND bash ${env} display-start ${CMAKE_BINARY_DIR}/display)
    add_test(NAME wine.display.stop COMMAND bash ${env} display-stop ${CMAKE_BINARY_DIR}/display)
    add_test(NAME wine.prefix COMMAND bash ${env} prefix ${CMAKE_BINARY_DIR}/wineprefix)
    set_tests_properties(wine.display.start PROPERTIES FIXTURES_SETUP wine_display)
    set_tests_properties(wine.display.stop PROPERTIES FIXTURES_CLEANUP wine_display)
    set_tests_properties(wine.prefix PROPERTIES FIXTURES_SETUP wine_prefix)
endfunction()
