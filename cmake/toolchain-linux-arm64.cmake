# Cross build of the Linux program for arm64 with Debian's cross compiler,
# against the arm64 Debian root of scripts/arm64-root.sh: Debian's own arm64
# Qt 6, GoogleTest and libcap, of this machine's release. Qt's code
# generators (moc, rcc, uic) are this machine's, of the same Qt version.
set(CMAKE_SYSTEM_NAME Linux)
set(CMAKE_SYSTEM_PROCESSOR aarch64)
set(CMAKE_LIBRARY_ARCHITECTURE aarch64-linux-gnu)

if(NOT QUORL_ARM64_ROOT)
    file(STRINGS /etc/os-release codename REGEX "^VERSION_CODENAME=")
    string(REPLACE "VERSION_CODENAME=" "" codename "${codename}")
    set(QUORL_ARM64_ROOT /var/cache/quorl/debian/${codename}-arm64)
endif()
if(NOT EXISTS ${QUORL_ARM64_ROOT}/usr/lib/aarch64-linux-gnu)
    message(FATAL_ERROR "No arm64 Debian root in ${QUORL_ARM64_ROOT}: make it with scripts/arm64-root.sh")
endif()
# Compiler checks run in projects of their own, which read this file again.
list(APPEND CMAKE_TRY_COMPILE_PLATFORM_VARIABLES QUORL_ARM64_ROOT)

set(CMAKE_C_COMPILER aarch64-linux-gnu-gcc)
set(CMAKE_CXX_COMPILER aarch64-linux-gnu-g++)
set(CMAKE_SYSROOT ${QUORL_ARM64_ROOT})
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
