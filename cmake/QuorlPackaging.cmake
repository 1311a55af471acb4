# Installing the Linux program like a system tool, and the Debian package
# (cpack -G DEB) around it.
include(GNUInstallDirs)

set(QUORL_LINUX_PACKAGING ${PROJECT_SOURCE_DIR}/packaging/linux)

install(TARGETS quorl RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
install(FILES ${QUORL_LINUX_PACKAGING}/quorl.desktop
    DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
# AppStream 1.0 (Debian 13) names the developer in a <developer> element
# and calls <developer_name> deprecated; Debian 12's AppStream 0.16 knows
# only <developer_name>. The package carries the one of the release it is
# built on.
file(STRINGS /etc/os-release QUORL_DEBIAN_RELEASE REGEX "^VERSION_ID=")
if(QUORL_DEBIAN_RELEASE MATCHES "\"(11|12)\"")
    set(QUORL_METAINFO_DEVELOPER "  <developer_name>The Quorl developers</developer_name>")
else()
    set(QUORL_METAINFO_DEVELOPER
        "  <developer id=\"org.quorl\">\n    <name>The Quorl developers</name>\n  </developer>")
endif()
configure_file(${QUORL_LINUX_PACKAGING}/org.quorl.quorl.metainfo.xml.in
    ${PROJECT_BINARY_DIR}/org.quorl.quorl.metainfo.xml @ONLY)
install(FILES ${PROJECT_BINARY_DIR}/org.quorl.quorl.metainfo.xml
    DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)
foreach(size 16 32 48)
    install(FILES ${PROJECT_SOURCE_DIR}/assets/quorl-${size}.png
        DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/${size}x${size}/apps
        RENAME quorl.png)
endforeach()
install(FILES ${PROJECT_SOURCE_DIR}/assets/quorl.svg
    DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/apps)

# Debian wants the manual page and the changelog compressed, reproducibly.
function(quorl_gzip source output)
    add_custom_command(OUTPUT ${output}
        COMMAND gzip -9 -n -c ${source} > ${output}
        DEPENDS ${source}
        VERBATIM)
endfunction()
# The manual page names the version; the changelog and the metainfo list the
# releases, and a test checks that their newest is this version.
configure_file(${QUORL_LINUX_PACKAGING}/quorl.1.in ${PROJECT_BINARY_DIR}/quorl.1 @ONLY)
quorl_gzip(${PROJECT_BINARY_DIR}/quorl.1 ${PROJECT_BINARY_DIR}/quorl.1.gz)
quorl_gzip(${QUORL_LINUX_PACKAGING}/changelog ${PROJECT_BINARY_DIR}/changelog.gz)
add_custom_target(quorl_package_documents ALL
    DEPENDS ${PROJECT_BINARY_DIR}/quorl.1.gz ${PROJECT_BINARY_DIR}/changelog.gz)
install(FILES ${PROJECT_BINARY_DIR}/quorl.1.gz DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)
install(FILES ${PROJECT_BINARY_DIR}/changelog.gz ${QUORL_LINUX_PACKAGING}/copyright
    DESTINATION ${CMAKE_INSTALL_DATADIR}/doc/quorl)

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME quorl)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "send one ICMP echo request and show the whole answer")
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_MAINTAINER "Quorl developers <developers@quorl.org>")
set(CPACK_DEBIAN_PACKAGE_SECTION net)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS libcap2-bin)
# CPack puts the summary above this, as the synopsis.
set(CPACK_DEBIAN_PACKAGE_DESCRIPTION
"Quorl is a small desktop tool that asks one question well: does this IPv4
host answer an ICMP echo, and what exactly did it say? Type a host name or a
dotted address and a text, click once, and it sends exactly one echo
request, waits at most 500 ms and shows the status, the answering address,
the round trip time, the size and text of the echoed data and the data
pointer.")
set(CPACK_DEBIAN_PACKAGE_CONTROL_EXTRA ${QUORL_LINUX_PACKAGING}/postinst)
set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION ON)
if(QUORL_ARM64)
    set(CPACK_DEBIAN_PACKAGE_ARCHITECTURE arm64)
    set(CPACK_PROJECT_CONFIG_FILE ${PROJECT_SOURCE_DIR}/cmake/QuorlForeignDepends.cmake)
    set(CPACK_QUORL_SHLIBDEPS_IN_ROOT ${QUORL_LINUX_PACKAGING}/shlibdeps_in_root.sh)
    set(CPACK_QUORL_FOREIGN_ROOT ${QUORL_ARM64_ROOT})
    set(CPACK_QUORL_PROGRAM ${PROJECT_BINARY_DIR}/quorl)
endif()
include(CPack)

# The same sources on every architecture: checked once, by the native build.
if(QUORL_BUILD_TESTS AND NOT QUORL_ARM64)
    add_test(NAME packaging.newest_release
        COMMAND ${QUORL_LINUX_PACKAGING}/check_newest_release.sh ${PROJECT_VERSION}
            ${QUORL_LINUX_PACKAGING}/changelog ${PROJECT_BINARY_DIR}/org.quorl.quorl.metainfo.xml)
    set_tests_properties(packaging.newest_release PROPERTIES LABELS packaging)
endif()
# Each release build, twice, from clones of the last commit: once is enough.
# The arm64 build's own test takes its package, so that neither test runs
# near ten minutes; on a fresh machine it waits first for ./test to make the
# arm64 root.
if(QUORL_BUILD_TESTS AND NOT QUORL_SANITIZE)
    if(QUORL_ARM64)
        set(name arm64.release_is_reproducible)
        set(builds --only arm64)
    else()
        set(name packaging.release_is_reproducible)
        set(builds --only linux --only win32)
    endif()
    add_test(NAME ${name}
        COMMAND ${PROJECT_SOURCE_DIR}/tests/scripts/release_reproducible_test.sh
            ${PROJECT_SOURCE_DIR} ${builds})
    set_tests_properties(${name} PROPERTIES
        SKIP_REGULAR_EXPRESSION "SKIPPED:" LABELS packaging TIMEOUT 900)
endif()
