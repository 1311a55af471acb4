# Cross build of the 32-bit Windows program with Debian's mingw-w64.
#
# The compilers' thread model, QUORL_MINGW_THREAD_MODEL: posix (the default)
# gives std::mutex and std::thread, which GoogleTest needs, through the static
# winpthreads library; that library imports GetTickCount64, which Windows XP
# lacks. The shipped Quorl.exe is single-threaded and is built with the win32
# model (cmake/QuorlShippedExe.cmake).
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86)

if(NOT QUORL_MINGW_THREAD_MODEL)
    set(QUORL_MINGW_THREAD_MODEL posix)
endif()
# Compiler checks run in projects of their own, which read this file again.
list(APPEND CMAKE_TRY_COMPILE_PLATFORM_VARIABLES QUORL_MINGW_THREAD_MODEL)

set(QUORL_MINGW_PREFIX i686-w64-mingw32)
set(CMAKE_C_COMPILER ${QUORL_MINGW_PREFIX}-gcc-${QUORL_MINGW_THREAD_MODEL})
set(CMAKE_CXX_COMPILER ${QUORL_MINGW_PREFIX}-g++-${QUORL_MINGW_THREAD_MODEL})
set(CMAKE_RC_COMPILER ${QUORL_MINGW_PREFIX}-windres)
set(CMAKE_OBJDUMP ${QUORL_MINGW_PREFIX}-objdump)

set(CMAKE_FIND_ROOT_PATH /usr/${QUORL_MINGW_PREFIX})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)

# windows.h without the old winsock.h, so that the network module's
# winsock2.h may come after it; and without the min and max macros.
set(CMAKE_C_FLAGS_INIT "-DWIN32_LEAN_AND_MEAN -DNOMINMAX")
set(CMAKE_CXX_FLAGS_INIT "-DWIN32_LEAN_AND_MEAN -DNOMINMAX")
# The shipped program is single-threaded, so its statics need no guard; and
# from GCC 13 on, the win32 model's guard waits on Vista's condition
# variables, which XP's kernel32 lacks.
if(QUORL_MINGW_THREAD_MODEL STREQUAL "win32")
    string(APPEND CMAKE_CXX_FLAGS_INIT " -fno-threadsafe-statics")
endif()

# libgcc, libstdc++ (and winpthreads in the posix model) linked in, so the programs need nothing
# but the DLLs every Windows has.
set(CMAKE_EXE_LINKER_FLAGS_INIT "-static")

# ctest runs the programs under Wine, each build folder with its own prefix.
set(CMAKE_CROSSCOMPILING_EMULATOR
    ${CMAKE_CURRENT_LIST_DIR}/../scripts/wine-run.sh ${CMAKE_BINARY_DIR}/wineprefix)
