# Cross build of the Linux program for arm64 with Debian's cross compiler,
# against the arm64 sysroot of scripts/arm64-root.sh: Debian's own arm64
# Qt 6, GoogleTest and libcap, of this machine's release. Qt's code
# generators (moc, rcc, uic) are this machine's, of the same Qt version.
set(CMAKE_SYSTEM_NAME Linux)
set(CMAKE_SYSTEM_PROCESSOR aarch64)
set(CMAKE_LIBRARY_ARCHITECTURE aarch64-linux-gnu)

if(NOT QUORL_ARM64_SYSROOT)
    execute_process(COMMAND ${CMAKE_CURRENT_LIST_DIR}/../scripts/arm64-root.sh --sysroot --path
        OUTPUT_VARIABLE QUORL_ARM64_SYSROOT OUTPUT_STRIP_TRAILING_WHITESPACE)
endif()
if(NOT EXISTS ${QUORL_ARM64_SYSROOT}/usr/lib/aarch64-linux-gnu)
    message(FATAL_ERROR "No arm64 sysroot in ${QUORL_ARM64_SYSROOT}: make it with sudo scripts/arm64-root.sh --sysroot")
endif()
# Compiler checks run in projects of their own, which read this file again.
list(APPEND CMAKE_TRY_COMPILE_PLATFORM_VARIABLES QUORL_ARM64_SYSROOT)

set(CMAKE_C_COMPILER aarch64-linux-gnu-gcc)
set(CMAKE_CXX_COMPILER aarch64-linux-gnu-g++)
set(CMAKE_SYSROOT ${QUORL_ARM64_SYSROOT})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)

execute_process(COMMAND dpkg-architecture -qDEB_BUILD_MULTIARCH
    OUTPUT_VARIABLE build_multiarch OUTPUT_STRIP_TRAILING_WHITESPACE)
set(QT_HOST_PATH /usr)
set(QT_HOST_PATH_CMAKE_DIR /usr/lib/${build_multiarch}/cmake)

# ctest runs the programs under qemu-user, with the loader and libraries of
# the prefix that cmake/QuorlArm64.cmake makes in the build folder.
set(CMAKE_CROSSCOMPILING_EMULATOR
    ${CMAKE_CURRENT_LIST_DIR}/../scripts/run-arm64.sh ${CMAKE_BINARY_DIR}/qemu-prefix)
