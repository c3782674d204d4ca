# One ctest test per GoogleTest case, in every tree.
#
# Natively the cases are asked of the program itself after the build. A Windows program is not
# run to list its cases: they are read from its sources, so that listing needs no Wine and a
# tree whose Wine cannot run its programs still shows every case (skipped, with the reason).
# Windows cases run one at a time on the tree's private display (a program typing into its
# own window loses the foreground to any other window), in the tree's Wine prefix.
include(GoogleTest)

# Natively no case skips: one that says it skipped fails, since ctest would count its
# "skipped" over any exit status.
set(SOROWA_GTEST_SKIPPED "\\[  SKIPPED \\]")

# SUFFIX goes after each case's name, and ENVIRONMENT into each case's environment: a program
# registered more than once (under several locales, say) gets a suffix per registration.
function(sorowa_add_gtest_cases target)
    cmake_parse_arguments(PARSE_ARGV 1 ARG "" "SUFFIX" "EXTRA_ARGS;FIXTURES;ENVIRONMENT")
    if(NOT CMAKE_CROSSCOMPILING)
        gtest_discover_tests(${target} EXTRA_ARGS ${ARG_EXTRA_ARGS} NO_PRETTY_VALUES
            PROPERTIES FAIL_REGULAR_EXPRESSION "${SOROWA_GTEST_SKIPPED}")
        return()
    endif()
    # Under Wine a case passes on the program's own XML result and its exit status together,
    # and counts as skipped (77) only when it skipped itself and exited 0 (scripts/wine-run
    # --gtest, scripts/gtest-verdict): ctest's output expressions win over the exit status.
    set_property(TARGET ${target} PROPERTY CROSSCOMPILING_EMULATOR
        ${CMAKE_CROSSCOMPILING_EMULATOR} --gtest)
    set(suffix)
    if(ARG_SUFFIX)
        set(suffix TEST_SUFFIX ${ARG_SUFFIX})
    endif()
    gtest_add_tests(TARGET ${target} EXTRA_ARGS ${ARG_EXTRA_ARGS} ${suffix} TEST_LIST cases)
    set_property(GLOBAL APPEND PROPERTY SOROWA_WINE_CASES ${cases})
    set_tests_properties(${cases} PROPERTIES
        FIXTURES_REQUIRED "wine_display;wine_prefix;${ARG_FIXTURES}"
        RESOURCE_LOCK wine_display
        SKIP_RETURN_CODE 77)
    if(ARG_ENVIRONMENT)
        set_tests_properties(${cases} PROPERTIES ENVIRONMENT "${ARG_ENVIRONMENT}")
    endif()
endfunction()

# A test program: its sources and libraries, the tests' include root, warnings as errors, and
# one ctest test per case (EXTRA_ARGS and FIXTURES as sorowa_add_gtest_cases takes them).
function(sorowa_test_program target)
    cmake_parse_arguments(PARSE_ARGV 1 ARG "" "" "SOURCES;LIBRARIES;EXTRA_ARGS;FIXTURES")
    add_executable(${target} ${ARG_SOURCES})
    target_link_libraries(${target} PRIVATE ${ARG_LIBRARIES})
    target_include_directories(${target} PRIVATE ${PROJECT_SOURCE_DIR})
    sorowa_warnings(${target})
    sorowa_add_gtest_cases(${target} EXTRA_ARGS ${ARG_EXTRA_ARGS} FIXTURES ${ARG_FIXTURES})
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
