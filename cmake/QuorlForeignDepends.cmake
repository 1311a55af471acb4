# Read by cpack (CPACK_PROJECT_CONFIG_FILE) for a package of another
# architecture (arm64): dpkg-shlibdeps here knows only this machine's
# libraries and packages, so the program's dependencies are computed inside
# that architecture's Debian root, and follow the ones the build names.
if(CPACK_GENERATOR STREQUAL "DEB")
    execute_process(
        COMMAND ${CPACK_QUORL_SHLIBDEPS_IN_ROOT} ${CPACK_QUORL_FOREIGN_ROOT} ${CPACK_QUORL_PROGRAM}
        OUTPUT_VARIABLE depends OUTPUT_STRIP_TRAILING_WHITESPACE
        RESULT_VARIABLE status)
    if(NOT status EQUAL 0 OR depends STREQUAL "")
        message(FATAL_ERROR "No dependencies of ${CPACK_QUORL_PROGRAM} from ${CPACK_QUORL_FOREIGN_ROOT}")
    endif()
    set(CPACK_DEBIAN_PACKAGE_DEPENDS "${CPACK_DEBIAN_PACKAGE_DEPENDS}, ${depends}")
    set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS OFF)
endif()
