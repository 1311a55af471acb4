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
elseif(QUORL_ARM64)
    set(QUORL_TEST_PREFIX "arm64.")
else()
    set(QUORL_TEST_PREFIX "")
endif()

# A test that runs Windows programs under Wine, wherever 32-bit x86 code runs
# natively (scripts/x86-32.sh: this machine, the emulated x86 machine, or
# nowhere, when it skips saying why). Every machine lists the same tests;
# only where they run differs. They run one at a time and alone: the
# emulated machine takes both cores, and the echo conformance cases count
# every echo sent. Each ends the wineserver it started, and fails naming any
# process it leaves behind (scripts/no-leftovers.sh). Its command gets
# QUORL_WINE_TEST_SECONDS, the emulated machine's boot included; ctest gives
# half a minute more, so that the test reports its own overrun.
set(QUORL_WINE_TEST_SECONDS 570)
set(QUORL_WINE_PREFIX ${CMAKE_BINARY_DIR}/wineprefix)
function(quorl_add_wine_test name)
    add_test(NAME ${name} COMMAND ${PROJECT_SOURCE_DIR}/scripts/x86-32.sh
        --build ${CMAKE_BINARY_DIR} --timeout ${QUORL_WINE_TEST_SECONDS} ${ARGN})
    math(EXPR test_seconds "${QUORL_WINE_TEST_SECONDS} + 30")
    set_tests_properties(${name} PROPERTIES SKIP_RETURN_CODE 77 TIMEOUT ${test_seconds}
        RUN_SERIAL ON LABELS "win32;wine" FIXTURES_REQUIRED quorl_wine_prefix)
endfunction()

# A test that starts servers of its own (displays, VNC, a compositor, a
# session bus): it fails, naming them, if any outlives it, rather than
# holding ctest's output. ctest gives half a minute over its SECONDS.
function(quorl_add_session_test name seconds)
    add_test(NAME ${name} COMMAND ${PROJECT_SOURCE_DIR}/scripts/no-leftovers.sh
        --timeout ${seconds} ${ARGN})
    math(EXPR test_seconds "${seconds} + 30")
    set_tests_properties(${name} PROPERTIES TIMEOUT ${test_seconds})
endfunction()

# A GoogleTest program whose tests ctest runs one by one. Tests that call
# GTEST_SKIP are reported as skipped, not passed. Tests of programs with the
# same RESOURCE_LOCK never run at the same time.
function(quorl_add_gtest name)
    cmake_parse_arguments(ARG "" "RESOURCE_LOCK" "SOURCES;LIBRARIES;LABELS" ${ARGN})
    add_executable(${name} ${ARG_SOURCES})
    target_link_libraries(${name} PRIVATE ${ARG_LIBRARIES} ${QUORL_GMOCK} ${QUORL_GTEST_MAIN}
        quorl_warnings)
    # Texts cross platform calls in the locale's code page (under Wine too):
    # every program runs in one locale, whatever the developer's, unless a
    # test names its own.
    if(WIN32)
        # One test per program, its cases in its output.
        quorl_add_wine_test(${QUORL_TEST_PREFIX}${name} env LC_ALL=C.UTF-8
            ${PROJECT_SOURCE_DIR}/scripts/wine-run.sh
            --own-network --fresh-registry ${QUORL_WINE_PREFIX} $<TARGET_FILE:${name}>)
        return()
    endif()
    # Property names and values reach each test as one flat list: an empty
    # value would pair the rest up wrongly, so there is none.
    set(properties SKIP_REGULAR_EXPRESSION "\\[  SKIPPED \\]" ENVIRONMENT LC_ALL=C.UTF-8)
    # The tests are listed when ctest starts, not when the program is linked,
    # so that building never runs a test program (under Wine, or at all).
    set(discovery DISCOVERY_MODE PRE_TEST DISCOVERY_TIMEOUT 120)
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

if(WIN32)
    # The build folder's Wine prefix, made once, before every other Windows
    # test, all of which run in it.
    quorl_add_wine_test(win32.WinePrefix
        ${PROJECT_SOURCE_DIR}/scripts/wine-run.sh --create ${QUORL_WINE_PREFIX})
    set_tests_properties(win32.WinePrefix PROPERTIES
        FIXTURES_REQUIRED "" FIXTURES_SETUP quorl_wine_prefix)

    # The emulated machine, checked without booting it: without a kernel it
    # must say what to install, not stop silently.
    file(MAKE_DIRECTORY ${CMAKE_BINARY_DIR}/x86-vm/no-kernel)
    add_test(NAME win32.x86_machine.names_missing_kernel
        COMMAND ${CMAKE_COMMAND} -E env QUORL_X86_VM_BOOT=${CMAKE_BINARY_DIR}/x86-vm/no-kernel
            ${PROJECT_SOURCE_DIR}/scripts/in-x86-vm.sh --check)
    set_tests_properties(win32.x86_machine.names_missing_kernel PROPERTIES
        PASS_REGULAR_EXPRESSION "needs: linux-image-amd64")
endif()
