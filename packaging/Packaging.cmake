# SPDX-License-Identifier: MIT
# Install layout, desktop integration and the Debian package.
#
#   bin/mortavel                                  the game
#   share/mortavel/data/                          sounds, title movie, starting score file
#   share/applications/net.mortavel.Mortavel.desktop
#   share/metainfo/net.mortavel.Mortavel.metainfo.xml
#   share/icons/hicolor/<size>/apps/net.mortavel.Mortavel.png
#
# The game finds its data from its own place (<exe>/../share/mortavel), so an
# install into any prefix runs from any working folder. VelPrgBar and its
# Designer plugin bring their own install rules.

set(MORTAVEL_APP_ID net.mortavel.Mortavel)
set(MORTAVEL_INSTALL_DATADIR ${CMAKE_INSTALL_DATADIR}/mortavel)

install(TARGETS mortavel RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})

# From the source tree, never from the build: play in the build tree writes
# its own score file.
install(FILES
    ${CMAKE_SOURCE_DIR}/data/Turn.wav
    ${CMAKE_SOURCE_DIR}/data/Fire.wav
    ${CMAKE_SOURCE_DIR}/data/MVTitle.avi
    ${CMAKE_SOURCE_DIR}/data/HSData.mvt
    DESTINATION ${MORTAVEL_INSTALL_DATADIR}/data
    OPTIONAL)

install(FILES ${CMAKE_CURRENT_LIST_DIR}/${MORTAVEL_APP_ID}.desktop
        DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
install(FILES ${CMAKE_CURRENT_LIST_DIR}/${MORTAVEL_APP_ID}.metainfo.xml
        DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)
if(EXISTS ${CMAKE_SOURCE_DIR}/game/assets/icons/hicolor)
    install(DIRECTORY ${CMAKE_SOURCE_DIR}/game/assets/icons/hicolor
            DESTINATION ${CMAKE_INSTALL_DATADIR}/icons
            FILES_MATCHING PATTERN "${MORTAVEL_APP_ID}.png" PATTERN "${MORTAVEL_APP_ID}.svg")
endif()

# Debian package: cpack -G DEB in the build folder.
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME mortavel)
set(CPACK_PACKAGE_VENDOR "The Mortavel developers")
set(CPACK_PACKAGE_CONTACT "The Mortavel developers <games@mortavel.net>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "naval gunnery game")
set(CPACK_PACKAGE_DESCRIPTION "Command the main turret of a battleship: lay the gun, fire and sink the \
enemy fleet before the time runs out. The game speaks Japanese.")
set(CPACK_PACKAGE_HOMEPAGE_URL "https://mortavel.net/")
set(CPACK_RESOURCE_FILE_LICENSE ${CMAKE_SOURCE_DIR}/LICENSE)
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION games)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
# Libraries the binaries link come from dpkg-shlibdeps; what is only loaded
# at run time is listed by hand: the windowing and media back-ends, the
# GStreamer plug-ins that read WAV and Motion-JPEG AVI, and the fonts the
# forms ask for (Japanese Gothic, Times New Roman's metric twin).
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_DEPENDS
    "qt6-qpa-plugins, gstreamer1.0-plugins-base, gstreamer1.0-plugins-good, fonts-ipafont-gothic, fonts-liberation2")
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS_PRIVATE_DIRS ${CMAKE_BINARY_DIR}/bin)
include(CPack)
