# make package: a Debian package of the program made by CPack. Everything it installs is
# declared here, so the rest of the build knows nothing of packaging.

include(GNUInstallDirs)

set(TAVI_PACKAGING_DIR ${CMAKE_CURRENT_LIST_DIR}/../packaging)

# The changelog's latest entry names the version (cmake/Version.cmake); a version given to
# project() must agree with it, or the package would contradict its own changelog.
include(${CMAKE_CURRENT_LIST_DIR}/Version.cmake)
if(PROJECT_VERSION AND NOT PROJECT_VERSION VERSION_EQUAL TAVI_PACKAGE_VERSION)
    message(FATAL_ERROR "project() says version ${PROJECT_VERSION} but packaging/changelog says "
                        "${TAVI_PACKAGE_VERSION}: add a changelog entry for the new version")
endif()

# Debian wants rwxr-xr-x directories whatever the umask of the one who builds.
set(CMAKE_INSTALL_DEFAULT_DIRECTORY_PERMISSIONS
    OWNER_READ OWNER_WRITE OWNER_EXECUTE GROUP_READ GROUP_EXECUTE WORLD_READ WORLD_EXECUTE)

install(TARGETS tavi RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
install(FILES ${TAVI_PACKAGING_DIR}/tavi.desktop DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
# The study files' type, so a file manager opens them with the program.
install(FILES ${TAVI_PACKAGING_DIR}/tavi-estudo.xml DESTINATION ${CMAKE_INSTALL_DATADIR}/mime/packages
        RENAME tavi.xml)
foreach(size 16 32 48 64 128 256)
    install(FILES ${TAVI_PACKAGING_DIR}/icons/tavi-${size}x${size}.png
            DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/${size}x${size}/apps
            RENAME tavi.png)
endforeach()
install(FILES ${TAVI_PACKAGING_DIR}/copyright DESTINATION ${CMAKE_INSTALL_DOCDIR})

# Debian keeps the changelog and the manual page compressed, without a time stamp (-n) so
# that two builds of one commit give the same bytes.
set(TAVI_COMPRESSED_DIR ${CMAKE_BINARY_DIR}/packaging)
set(TAVI_COMPRESSED)
foreach(source changelog tavi.1)
    set(compressed ${TAVI_COMPRESSED_DIR}/${source}.gz)
    add_custom_command(OUTPUT ${compressed}
        COMMAND ${CMAKE_COMMAND} -E make_directory ${TAVI_COMPRESSED_DIR}
        COMMAND ${CMAKE_COMMAND} -E copy ${TAVI_PACKAGING_DIR}/${source} ${TAVI_COMPRESSED_DIR}/${source}
        COMMAND gzip -9nf ${TAVI_COMPRESSED_DIR}/${source}
        DEPENDS ${TAVI_PACKAGING_DIR}/${source}
        VERBATIM)
    list(APPEND TAVI_COMPRESSED ${compressed})
endforeach()
add_custom_target(tavi_packaging_files ALL DEPENDS ${TAVI_COMPRESSED})
install(FILES ${TAVI_COMPRESSED_DIR}/changelog.gz DESTINATION ${CMAKE_INSTALL_DOCDIR})
install(FILES ${TAVI_COMPRESSED_DIR}/tavi.1.gz DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME tavi)
set(CPACK_PACKAGE_VERSION ${TAVI_PACKAGE_VERSION})
set(CPACK_PACKAGE_VENDOR "The authors of Tavi")
set(CPACK_PACKAGE_CONTACT "Tavi maintainers <maintainers@users.noreply.c-seed-156f04da.example>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "calculator of the sectoral water demand of a municipality")
# One quoted argument: several would be joined with semicolons.
set(CPACK_PACKAGE_DESCRIPTION "\
Tavi computes the demand that each water-using sector of one municipality
places on the water resource: public supply, livestock, irrigated
agriculture and the dilution of domestic sewage along a river. Each sector
has its own window; the results can be saved as an .xlsx workbook.

The interface is in Portuguese.")
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION science)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
# The libraries the program links decide the Depends line, with the versions dpkg knows them by.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# Loaded at run time, so no library names it: Qt's own texts in Portuguese.
set(CPACK_DEBIAN_PACKAGE_DEPENDS "qt6-translations-l10n")
set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION ON)
set(CPACK_STRIP_FILES ON)
include(CPack)

# What the package would hold, checked by make test without building the package.
add_test(NAME packaging_install
         COMMAND bash ${TAVI_PACKAGING_DIR}/check-install.sh ${CMAKE_BINARY_DIR} ${TAVI_PACKAGE_VERSION})
