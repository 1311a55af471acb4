# Quorl.exe as it ships, built from the same sources in a build folder of its
# own (shipped/) with the win32 thread model, so that it needs nothing newer
# than Windows XP; the build that includes this keeps the posix model for its
# test programs. The program lands where the window's own target would put it,
# and the imported target Quorl names it for tests and install rules.
include(ExternalProject)

set(QUORL_SHIPPED_EXE ${CMAKE_CURRENT_BINARY_DIR}/Quorl.exe)
ExternalProject_Add(quorl_shipped_exe
    SOURCE_DIR ${PROJECT_SOURCE_DIR}
    BINARY_DIR ${PROJECT_BINARY_DIR}/shipped
    CMAKE_ARGS
        -DCMAKE_TOOLCHAIN_FILE=${CMAKE_TOOLCHAIN_FILE}
        -DQUORL_MINGW_THREAD_MODEL=win32
        -DCMAKE_BUILD_TYPE=${CMAKE_BUILD_TYPE}
        -DQUORL_BUILD_TESTS=OFF
        -DQUORL_BUILD_BENCHMARKS=OFF
    BUILD_COMMAND ${CMAKE_COMMAND} --build <BINARY_DIR> --target Quorl
    INSTALL_COMMAND ${CMAKE_COMMAND} -E copy_if_different
        <BINARY_DIR>/src/main_window/win32/Quorl.exe ${QUORL_SHIPPED_EXE}
    BUILD_BYPRODUCTS ${QUORL_SHIPPED_EXE}
    # Its own build decides whether anything changed.
    BUILD_ALWAYS ON)

add_executable(Quorl IMPORTED GLOBAL)
set_target_properties(Quorl PROPERTIES IMPORTED_LOCATION ${QUORL_SHIPPED_EXE})
add_dependencies(Quorl quorl_shipped_exe)
