# Installation as a desktop application, and the Debian package made from it.
include(GNUInstallDirs)

install(FILES ${PROJECT_SOURCE_DIR}/res/desktop/pivolo.desktop
        DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
install(FILES ${PROJECT_SOURCE_DIR}/res/desktop/org.pivolo.pivolo.metainfo.xml
        DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)
foreach(size 16 32 128)
    install(FILES ${PROJECT_SOURCE_DIR}/res/icon/pivolo-${size}.png
            DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/${size}x${size}/apps
            RENAME pivolo.png)
endforeach()

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME pivolo)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_CONTACT "pivolo developers <pivolo@localhost>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "numbers game solver with six tiles and a target")
set(CPACK_DEBIAN_PACKAGE_DESCRIPTION
    "numbers game solver with six tiles and a target\n Type six tiles and a target, or draw them at random: the program finds\n the target or the nearest reachable value with +, -, x and exact /,\n and lists the steps. French user interface.")
set(CPACK_DEBIAN_PACKAGE_SECTION games)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
# The dependencies are worked out from the libraries the program links (dpkg-shlibdeps).
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
include(CPack)
