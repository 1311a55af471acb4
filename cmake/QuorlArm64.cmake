# The arm64 build (cmake/toolchain-linux-arm64.cmake): its programs run under
# qemu-user with the arm64 sysroot's loader and libraries. qemu-user looks every
# absolute path up under that prefix first, so the prefix holds only the
# libraries and the loader's cache: /etc/hosts, the locales, fonts and the
# rest stay this machine's, as a test that mounts its own /etc/hosts expects.
if(CMAKE_CROSSCOMPILING AND CMAKE_SYSTEM_PROCESSOR STREQUAL "aarch64")
    set(QUORL_ARM64 ON)
    set(QUORL_QEMU_PREFIX ${CMAKE_BINARY_DIR}/qemu-prefix)
    file(MAKE_DIRECTORY ${QUORL_QEMU_PREFIX}/usr ${QUORL_QEMU_PREFIX}/etc)
    file(CREATE_LINK ${CMAKE_SYSROOT}/usr/lib ${QUORL_QEMU_PREFIX}/usr/lib SYMBOLIC)
    file(CREATE_LINK ${CMAKE_SYSROOT}/usr/lib ${QUORL_QEMU_PREFIX}/lib SYMBOLIC)
    file(CREATE_LINK ${CMAKE_SYSROOT}/etc/ld.so.cache ${QUORL_QEMU_PREFIX}/etc/ld.so.cache SYMBOLIC)
    # For the tests that start a program of the build from a script, and so
    # through binfmt_misc rather than the emulator.
    set(QUORL_TEST_ENVIRONMENT QEMU_LD_PREFIX=${QUORL_QEMU_PREFIX})
    # The whole arm64 system, where the package gets its dependencies.
    if(NOT QUORL_ARM64_ROOT)
        execute_process(COMMAND ${PROJECT_SOURCE_DIR}/scripts/arm64-root.sh --path
            OUTPUT_VARIABLE QUORL_ARM64_ROOT OUTPUT_STRIP_TRAILING_WHITESPACE)
    endif()
else()
    set(QUORL_ARM64 OFF)
    set(QUORL_TEST_ENVIRONMENT)
endif()
