# What is built here does not depend on where or when it was built: the
# source and build folders' paths are written relative (in debug information,
# assertion texts and the like), and Windows programs carry no link time.
# The packages take their times from SOURCE_DATE_EPOCH (scripts/release.sh).
# Of two maps that match, the compiler takes the later: the build folder may
# lie inside the source folder.
add_compile_options(
    $<$<COMPILE_LANGUAGE:CXX>:-ffile-prefix-map=${PROJECT_SOURCE_DIR}/=>
    $<$<COMPILE_LANGUAGE:CXX>:-ffile-prefix-map=${PROJECT_BINARY_DIR}/=>)
if(WIN32)
    add_link_options(-Wl,--no-insert-timestamp)
endif()
# A cross build's libraries and headers lie in a root of their own, whose
# place on this machine says nothing about the program.
if(CMAKE_SYSROOT)
    add_compile_options($<$<COMPILE_LANGUAGE:CXX>:-ffile-prefix-map=${CMAKE_SYSROOT}/=/>)
endif()
