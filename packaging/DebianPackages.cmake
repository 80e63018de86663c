# Every package's copyright file (the licence, in Debian's machine-readable
# form) and changelog, and the CPack settings that make one Debian package of
# each install component (scripts/package.sh).
configure_file(debian/copyright.in ${CMAKE_CURRENT_BINARY_DIR}/debian/copyright @ONLY)
foreach(component VANTIX_DEB_PACKAGE IN ZIP_LISTS VANTIX_DEB_COMPONENTS VANTIX_DEB_PACKAGES)
  set(changelog ${CMAKE_CURRENT_BINARY_DIR}/debian/${VANTIX_DEB_PACKAGE}/changelog)
  configure_file(debian/changelog.in ${changelog} @ONLY)
  execute_process(COMMAND gzip -9n -c ${changelog} OUTPUT_FILE ${changelog}.gz COMMAND_ERROR_IS_FATAL ANY)
  install(FILES ${CMAKE_CURRENT_BINARY_DIR}/debian/copyright ${changelog}.gz
    DESTINATION ${CMAKE_INSTALL_DATADIR}/doc/${VANTIX_DEB_PACKAGE} COMPONENT ${component})
  string(TOUPPER ${component} COMPONENT)
  set(CPACK_DEBIAN_${COMPONENT}_PACKAGE_NAME ${VANTIX_DEB_PACKAGE})
endforeach()

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME fernwick-vantix)
set(CPACK_PACKAGE_VENDOR "The Fernwick Vantix developers")
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_CONTACT ${VANTIX_MAINTAINER})
set(CPACK_COMPONENTS_ALL ${VANTIX_DEB_COMPONENTS})
set(CPACK_DEB_COMPONENT_INSTALL ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_HOMEPAGE ${VANTIX_HOMEPAGE})
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_STRIP_FILES ON)
# Dependencies on Debian's libraries come from dpkg-shlibdeps; the programs'
# dependency on the library package of this build from the components' own.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS_PRIVATE_DIRS ${PROJECT_BINARY_DIR}/FWKVXSDK)
set(CPACK_DEBIAN_ENABLE_COMPONENT_DEPENDS ON)
# The library package says which package provides its SONAME (shlibs) and has
# the loader cache updated (triggers).
set(CPACK_DEBIAN_PACKAGE_GENERATE_SHLIBS ON)
set(CPACK_DEBIAN_PACKAGE_GENERATE_SHLIBS_POLICY ">=")
set(CPACK_DEBIAN_LIBRARY_PACKAGE_CONTROL_EXTRA ${CMAKE_CURRENT_SOURCE_DIR}/debian/triggers)

set(CPACK_COMPONENT_APPLICATION_DEPENDS library)
set(CPACK_DEBIAN_APPLICATION_PACKAGE_SECTION graphics)
set(CPACK_DEBIAN_APPLICATION_PACKAGE_RECOMMENDS "qt6-translations-l10n")
set(CPACK_COMPONENT_APPLICATION_DESCRIPTION "prepare scan jobs and register them on network scanners
Fernwick Vantix prepares scan jobs for network document scanners and hands
them to the scanners. A job is a numbered, named set of scan settings (colour
mode, paper size, resolution, reading surface, file format) plus a
destination: a shared network folder, or the scanner's own storage.
The desktop application keeps up to 99 jobs, finds scanners on the local
network by multicast DNS, registers all jobs on one scanner or on many at
once over the scanners' HTTPS REST interface, and starts a scan with live
progress. English and Arabic.")

set(CPACK_COMPONENT_CLI_DEPENDS library)
set(CPACK_DEBIAN_CLI_PACKAGE_SECTION utils)
set(CPACK_COMPONENT_CLI_DESCRIPTION "scan jobs for network scanners from the command line
vantix does everything the Fernwick Vantix desktop application does, without
a display, for administrators and scripts: it keeps the scan jobs, exports and
imports them as one bundle file, finds scanners on the local network,
registers all jobs on one scanner or on many at once, and starts scans.")

set(CPACK_DEBIAN_LIBRARY_PACKAGE_SECTION libs)
set(CPACK_COMPONENT_LIBRARY_DESCRIPTION "Fernwick Vantix scanner library
FWKVXSDK holds the scan job records and their XML job files, the network
scanners' HTTPS REST client and their discovery by multicast DNS. It is used
by the Fernwick Vantix desktop application and the vantix tool.")

set(CPACK_COMPONENT_DEVELOPMENT_DEPENDS library)
set(CPACK_DEBIAN_DEVELOPMENT_PACKAGE_SECTION libdevel)
set(CPACK_DEBIAN_DEVELOPMENT_PACKAGE_DEPENDS "nlohmann-json3-dev")
set(CPACK_COMPONENT_DEVELOPMENT_DESCRIPTION "Fernwick Vantix scanner library: development files
FWKVXSDK holds the scan job records and their XML job files, the network
scanners' HTTPS REST client and their discovery by multicast DNS. This
package has the C++20 headers, the CMake package (find_package(FWKVXSDK))
and the pkg-config file (fwkvxsdk).")

set(CPACK_DEBIAN_SIMULATOR_PACKAGE_SECTION devel)
set(CPACK_COMPONENT_SIMULATOR_DESCRIPTION "simulated network scanners for trying Fernwick Vantix
vantix-scanner-sim plays one or more network scanners: it answers multicast
DNS and serves the scanners' HTTPS REST interface with real state and
scripted faults, so that Fernwick Vantix and vantix can be tried and tested
without hardware. Run it only inside a private network namespace.")

include(CPack)
