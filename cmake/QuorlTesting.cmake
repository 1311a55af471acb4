# GoogleTest: Debian's packaged build on Linux; on Windows the sources in
# /usr/src/googletest, built by the cross compiler.
if(WIN32)
    set(gtest_force_shared_crt ON CACHE BOOL "" FORCE)
    set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)
    add_subdirectory(/usr/src/googletest ${CMAKE_BINARY_DIR}/googletest EXCLUDE_FROM_ALL)
    set(QUORL_GTEST_MAIN GTest::gtest_main)
    set(QUORL_GTEST GTest::gtest)
    set(QUORL_GMOCK GTest::gmock)
    if(NOT TARGET GTest::gtest)
        add_library(GTest::gtest ALIAS gtest)
        add_library(GTest::gtest_main ALIAS gtest_main)
        add_library(GTest::gmock ALIAS gmock)
    endif()

    # The Windows programs run under Wine. Machines that cannot run 32-bit
    # x86 code cannot run Wine: there each program is one test that runs in
    # an emulated x86 machine (slow, so not test by test), or skips saying
    # why when there is none.
    execute_process(COMMAND ${PROJECT_SOURCE_DIR}/scripts/wine-run.sh --probe
        RESULT_VARIABLE QUORL_WINE_PROBE_RESULT
        OUTPUT_VARIABLE QUORL_WINE_PROBE_OUTPUT
        TIMEOUT 60)
    if(QUORL_WINE_PROBE_RESULT EQUAL 0)
        set(QUORL_WINE_RUNS ON)
        # Every Wine test of a ctest run meets one wineserver, kept up from
        # before the first to after the last, with every prefix made first.
        set(QUORL_WINE_PREFIXES ${CMAKE_BINARY_DIR}/wineprefix
            ${CMAKE_BINARY_DIR}/wineprefix-window ${CMAKE_BINARY_DIR}/wineprefix-netns)
        add_test(NAME win32.wineserver.start
            COMMAND ${PROJECT_SOURCE_DIR}/scripts/wine-serve.sh --start ${QUORL_WINE_PREFIXES})
        add_test(NAME win32.wineserver.stop
            COMMAND ${PROJECT_SOURCE_DIR}/scripts/wine-serve.sh --stop ${CMAKE_BINARY_DIR}/wineprefix)
        set_tests_properties(win32.wineserver.start PROPERTIES FIXTURES_SETUP quorl_wineserver
            TIMEOUT 1800)
        set_tests_properties(win32.wineserver.stop PROPERTIES FIXTURES_CLEANUP quorl_wineserver)
    else()
        set(QUORL_WINE_RUNS OFF)
        message(STATUS "Windows tests, one per program: ${QUORL_WINE_PROBE_OUTPUT}")
    endif()
else()
    find_package(GTest REQUIRED)
    set(QUORL_GTEST_MAIN GTest::gtest_main)
    set(QUORL_GTEST GTest::gtest)
    set(QUORL_GMOCK GTest::gmock)
endif()

# Test names carry the build they come from, so that one ctest run over
# several builds tells them apart.
if(QUORL_SANITIZE)
    set(QUORL_TEST_PREFIX "sanitize.")
elseif(WIN32)
    set(QUORL_TEST_PREFIX "win32.")
else()
    set(QUORL_TEST_PREFIX "")
endif()

# A test that runs Windows programs under Wine, wherever 32-bit x86 code can
# run (scripts/x86-32.sh); the command starts with a script, not a program.
# In the emulated machine the command gets QUORL_WINE_COMMAND_SECONDS and the
# machine some minutes more to boot, all within the test's timeout, so that a
# hung guest is reported as such. Emulated runs take turns (they share the
# Wine prefixes and the two cores); ctest holds the others back, so the
# timeout counts only the test's own run.
set(QUORL_WINE_COMMAND_SECONDS 1800)
function(quorl_add_wine_test name)
    add_test(NAME ${name} COMMAND ${PROJECT_SOURCE_DIR}/scripts/x86-32.sh
        --build ${CMAKE_BINARY_DIR} --timeout ${QUORL_WINE_COMMAND_SECONDS} ${ARGN})
    math(EXPR test_seconds "${QUORL_WINE_COMMAND_SECONDS} + 300")
    set_tests_properties(${name} PROPERTIES SKIP_RETURN_CODE 77 TIMEOUT ${test_seconds})
    if(QUORL_WINE_RUNS)
        set_tests_properties(${name} PROPERTIES FIXTURES_REQUIRED quorl_wineserver)
    else()
        set_tests_properties(${name} PROPERTIES RESOURCE_LOCK quorl_x86_machine)
    endif()
endfunction()

# A GoogleTest program whose tests ctest runs one by one. Tests that call
# GTEST_SKIP are reported as skipped, not passed. Tests of programs with the
# same RESOURCE_LOCK never run at the same time, under Wine as elsewhere.
function(quorl_add_gtest name)
    cmake_parse_arguments(ARG "" "RESOURCE_LOCK" "SOURCES;LIBRARIES;LABELS" ${ARGN})
    add_executable(${name} ${ARG_SOURCES})
    target_link_libraries(${name} PRIVATE ${ARG_LIBRARIES} ${QUORL_GMOCK} ${QUORL_GTEST_MAIN}
        quorl_warnings)
    if(WIN32 AND NOT QUORL_WINE_RUNS)
        # Run by quorl_add_emulated_gtests, several programs to a boot.
        set_property(GLOBAL APPEND PROPERTY QUORL_EMULATED_GTESTS $<TARGET_FILE:${name}>)
        return()
    endif()
    # Property names and values reach each test as one flat list: an empty
    # value would pair the rest up wrongly, so there is none.
    set(properties SKIP_REGULAR_EXPRESSION "\\[  SKIPPED \\]")
    # The tests are listed when ctest starts, not when the program is linked,
    # so that building never runs a test program (under Wine, or at all).
    set(discovery DISCOVERY_MODE PRE_TEST DISCOVERY_TIMEOUT 120)
    if(WIN32)
        list(APPEND properties FIXTURES_REQUIRED quorl_wineserver)
        # The first program listed makes the build folder's Wine prefix.
        set(discovery DISCOVERY_MODE PRE_TEST DISCOVERY_TIMEOUT 900)
    endif()
    if(ARG_RESOURCE_LOCK)
        list(APPEND properties RESOURCE_LOCK ${ARG_RESOURCE_LOCK})
    endif()
    if(ARG_LABELS)
        list(APPEND properties LABELS "${ARG_LABELS}")
    endif()
    if(QUORL_TEST_PREFIX)
        list(APPEND discovery TEST_PREFIX ${QUORL_TEST_PREFIX})
    endif()
    gtest_discover_tests(${name} ${discovery} PROPERTIES ${properties})
endfunction()

# Where Wine runs only in the emulated machine, each boot costs minutes: the
# GoogleTest programs of quorl_add_gtest run one after the other in a single
# test, win32.GoogleTestPrograms. Called once, after every program is added.
function(quorl_add_emulated_gtests)
    get_property(programs GLOBAL PROPERTY QUORL_EMULATED_GTESTS)
    if(programs)
        quorl_add_wine_test(${QUORL_TEST_PREFIX}GoogleTestPrograms
            ${PROJECT_SOURCE_DIR}/scripts/wine-run-each.sh ${CMAKE_BINARY_DIR}/wineprefix
            ${programs})
    endif()
endfunction()

# The scripts behind the Windows tests, checked without Wine or the emulated
# machine: without a kernel the machine must say what to install, not stop
# silently; a Wine prefix copied after an interrupted run must come out whole.
if(WIN32)
    file(MAKE_DIRECTORY ${CMAKE_BINARY_DIR}/x86-vm/no-kernel)
    add_test(NAME win32.x86_machine.names_missing_kernel
        COMMAND ${CMAKE_COMMAND} -E env QUORL_X86_VM_BOOT=${CMAKE_BINARY_DIR}/x86-vm/no-kernel
            ${PROJECT_SOURCE_DIR}/scripts/in-x86-vm.sh --check)
    set_tests_properties(win32.x86_machine.names_missing_kernel PROPERTIES
        PASS_REGULAR_EXPRESSION "needs: linux-image-amd64")
    add_test(NAME win32.wine_prefix.copy_after_interruption
        COMMAND ${PROJECT_SOURCE_DIR}/tests/scripts/wine_prefix_copy_test.sh
            ${PROJECT_SOURCE_DIR}/scripts/wine-run.sh ${CMAKE_BINARY_DIR}/wine-prefix-copy-test)
endif()
