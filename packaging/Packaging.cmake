# SPDX-License-Identifier: MIT
# Install layout, desktop integration and the Debian packages.
#
#   games/mortavel  (bin/mortavel for a prefix other than /usr)   the game
#   share/mortavel/data/                          sounds, title movie, starting score file
#   share/man/man6/mortavel.6.gz                  its manual page
#   share/applications/net.mortavel.Mortavel.desktop
#   share/metainfo/net.mortavel.Mortavel.metainfo.xml
#   share/icons/hicolor/<size>/apps/net.mortavel.Mortavel.png
#
# The game finds its data from its own place (<exe>/../share/mortavel) and
# VelPrgBar the same way (<exe>/../<libdir>) or on the system's library path,
# so an install into any prefix runs from any working folder. VelPrgBar and
# its Designer plugin bring their own install rules (progressbar/).
#
# Packages: cpack in the build folder makes one Debian package per install
# component, always for /usr whatever the tree was configured with:
#   mortavel             the game (section games; the program in /usr/games)
#   libvelprgbar1        the VelPrgBar library
#   libvelprgbar-dev     its headers, CMake package, pkg-config file, .so link
#   velprgbar-designer   its Qt Designer plugin

set(MORTAVEL_APP_ID net.mortavel.Mortavel)
set(MORTAVEL_INSTALL_DATADIR ${CMAKE_INSTALL_DATADIR}/mortavel)
set(MORTAVEL_PACKAGING_DIR ${CMAKE_BINARY_DIR}/packaging)

# Debian keeps games in /usr/games. The folder is chosen when installing, so
# that cmake --install --prefix /usr and the packages (which cpack installs
# to /usr) put the game there, and any other prefix has it in bin/. The game
# finds its data and library relative to either: both lie one level below
# the prefix.
set(MORTAVEL_INSTALL_GAMEDIR "" CACHE STRING
    "Folder of the game program under the prefix (empty: games for /usr, else ${CMAKE_INSTALL_BINDIR})")
if(MORTAVEL_INSTALL_GAMEDIR)
    install(CODE "set(MORTAVEL_GAMEDIR \"${MORTAVEL_INSTALL_GAMEDIR}\")" COMPONENT mortavel)
else()
    install(CODE "
        if(CMAKE_INSTALL_PREFIX STREQUAL \"/usr\")
            set(MORTAVEL_GAMEDIR games)
        else()
            set(MORTAVEL_GAMEDIR \"${CMAKE_INSTALL_BINDIR}\")
        endif()" COMPONENT mortavel)
endif()
install(TARGETS mortavel RUNTIME DESTINATION "\${MORTAVEL_GAMEDIR}" COMPONENT mortavel)

# From the source tree, never from the build: play in the build tree writes
# its own score file.
install(FILES
    ${CMAKE_SOURCE_DIR}/data/Turn.wav
    ${CMAKE_SOURCE_DIR}/data/Fire.wav
    ${CMAKE_SOURCE_DIR}/data/MVTitle.avi
    ${CMAKE_SOURCE_DIR}/data/HSData.mvt
    DESTINATION ${MORTAVEL_INSTALL_DATADIR}/data
    COMPONENT mortavel
    OPTIONAL)

install(FILES ${CMAKE_CURRENT_LIST_DIR}/${MORTAVEL_APP_ID}.desktop
        DESTINATION ${CMAKE_INSTALL_DATADIR}/applications COMPONENT mortavel)
install(FILES ${CMAKE_CURRENT_LIST_DIR}/${MORTAVEL_APP_ID}.metainfo.xml
        DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo COMPONENT mortavel)
if(EXISTS ${CMAKE_SOURCE_DIR}/game/assets/icons/hicolor)
    install(DIRECTORY ${CMAKE_SOURCE_DIR}/game/assets/icons/hicolor
            DESTINATION ${CMAKE_INSTALL_DATADIR}/icons
            COMPONENT mortavel
            FILES_MATCHING PATTERN "${MORTAVEL_APP_ID}.png" PATTERN "${MORTAVEL_APP_ID}.svg")
endif()

# The manual page and the changelog, compressed as Debian ships them
# (gzip -9n: no name, no time stamp, so the same tree gives the same bytes).
find_program(MORTAVEL_GZIP gzip REQUIRED)
configure_file(${CMAKE_CURRENT_LIST_DIR}/mortavel.6.in ${MORTAVEL_PACKAGING_DIR}/mortavel.6 @ONLY)
set(mortavel_gzipped)
foreach(pair "${MORTAVEL_PACKAGING_DIR}/mortavel.6|mortavel.6.gz"
             "${CMAKE_CURRENT_LIST_DIR}/changelog|changelog.gz")
    string(REPLACE "|" ";" pair "${pair}")
    list(GET pair 0 from)
    list(GET pair 1 to)
    add_custom_command(OUTPUT ${MORTAVEL_PACKAGING_DIR}/${to}
        COMMAND ${CMAKE_COMMAND} -DGZIP=${MORTAVEL_GZIP} -DIN=${from}
                -DOUT=${MORTAVEL_PACKAGING_DIR}/${to} -P ${CMAKE_CURRENT_LIST_DIR}/gzip-n.cmake
        DEPENDS ${from} ${CMAKE_CURRENT_LIST_DIR}/gzip-n.cmake
        VERBATIM
        COMMENT "Compressing ${to}")
    list(APPEND mortavel_gzipped ${MORTAVEL_PACKAGING_DIR}/${to})
endforeach()
add_custom_target(mortavel_package_docs ALL DEPENDS ${mortavel_gzipped})
install(FILES ${MORTAVEL_PACKAGING_DIR}/mortavel.6.gz
        DESTINATION ${CMAKE_INSTALL_MANDIR}/man6 COMPONENT mortavel)

# What every Debian package carries in /usr/share/doc/<package>: the
# machine-readable copyright file and the changelog. Packages only: a plain
# install leaves them out.
set(MORTAVEL_PACKAGES mortavel libvelprgbar1 libvelprgbar-dev)
if(TARGET VelPrgBarDesigner)
    list(APPEND MORTAVEL_PACKAGES velprgbar-designer)
endif()
foreach(package IN LISTS MORTAVEL_PACKAGES)
    install(FILES ${CMAKE_CURRENT_LIST_DIR}/copyright ${MORTAVEL_PACKAGING_DIR}/changelog.gz
            DESTINATION ${CMAKE_INSTALL_DATAROOTDIR}/doc/${package}
            COMPONENT ${package}
            EXCLUDE_FROM_ALL)
endforeach()

# ---------------------------------------------------------------------------
# Debian packages: cpack -G DEB in the build folder.

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME mortavel)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_VENDOR "The Mortavel developers")
set(CPACK_PACKAGE_CONTACT "The Mortavel developers <games@mortavel.net>")
# Each package's description below starts with its own synopsis. CPack puts
# this summary in front of them unless it is CPack's own default, so it is
# set to that.
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "${CMAKE_PROJECT_NAME} built using CMake")
set(CPACK_PACKAGE_HOMEPAGE_URL "https://mortavel.net/")
set(CPACK_RESOURCE_FILE_LICENSE ${CMAKE_SOURCE_DIR}/LICENSE)
# Whatever prefix the tree was configured with: nothing in the packages
# points into it (relative RUNPATHs, the pkg-config prefix written when
# installing, the game's library and data found relative to it).
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SOURCE mortavel)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION ON)
set(CPACK_DEB_COMPONENT_INSTALL ON)
set(CPACK_COMPONENTS_ALL ${MORTAVEL_PACKAGES})
# Library dependencies come from dpkg-shlibdeps.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# The Designer plugin links the library of the build, not of the system.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS_PRIVATE_DIRS ${CMAKE_LIBRARY_OUTPUT_DIRECTORY})

set(velprgbar_version ${PROJECT_VERSION})
if(TARGET VelPrgBar)
    get_target_property(velprgbar_version VelPrgBar VERSION)
endif()
set(velprgbar_summary "progress gauge widget with an XOR caption for Qt 6")
set(velprgbar_about
"VelPrgBar is a Qt 6 Widgets library with one widget, VelProgressBar: a
horizontal gauge that fills from the left and shows a centred caption (a
percentage, value/maximum, the value or a free text) XOR-ed into the bar, so
that the caption reads over the filled and the empty part alike. Programs use
it as a C++ widget, or through a plain C interface by dispatch identifier.")

# The game. It loads VelPrgBar at run time, so no linker dependency names
# the library: the package does. The rest is only loaded at run time too,
# and differs between the releases a package is built on: the windowing
# back-ends and the fonts the forms ask for: Japanese Gothic, and Times New Roman's
# metric twin Liberation Serif 2, which is fonts-liberation2 on Debian 12 and
# fonts-liberation from Debian 13 on. Qt's Wayland plug-in is recommended,
# as Debian's Qt games do: the game runs on X11 without it.
set(mortavel_depends "libvelprgbar1 (>= ${velprgbar_version})" qt6-qpa-plugins)
list(APPEND mortavel_depends fonts-ipafont-gothic)
set(mortavel_os_version "")
if(EXISTS /etc/os-release)
    file(STRINGS /etc/os-release mortavel_os_version REGEX "^VERSION_ID=")
endif()
if(mortavel_os_version MATCHES "^VERSION_ID=\"?12\"?$")
    list(APPEND mortavel_depends fonts-liberation2)
else()
    list(APPEND mortavel_depends "fonts-liberation (>= 1:2.1)")
endif()
list(JOIN mortavel_depends ", " mortavel_depends)
set(CPACK_DEBIAN_MORTAVEL_PACKAGE_NAME mortavel)
set(CPACK_DEBIAN_MORTAVEL_PACKAGE_SECTION games)
set(CPACK_DEBIAN_MORTAVEL_PACKAGE_DEPENDS "${mortavel_depends}")
set(CPACK_DEBIAN_MORTAVEL_PACKAGE_RECOMMENDS qt6-wayland)
set(CPACK_DEBIAN_MORTAVEL_DESCRIPTION
"naval gunnery game
Command the main turret of a battleship lying still in the middle of the
sea. Enemy ships appear on the horizon and close in: lay the gun, turn the
turret, fire, and watch the shell fall on the radar and in the perspective
view. Hits score points and sinkings score more; a good score enters the
ranking of your settings. The game speaks Japanese, and English wherever
the desktop speaks another language.")

# The library. Its dependencies are worked out when packaging
# (CPackProjectConfig.cmake), because a package that dpkg-shlibdeps looks
# at gets ldconfig calls in maintainer scripts from CPack; Debian activates
# the ldconfig trigger instead.
set(CPACK_DEBIAN_LIBVELPRGBAR1_PACKAGE_NAME libvelprgbar1)
set(CPACK_DEBIAN_LIBVELPRGBAR1_PACKAGE_SECTION libs)
set(CPACK_DEBIAN_LIBVELPRGBAR1_PACKAGE_SHLIBDEPS OFF)
set(CPACK_DEBIAN_LIBVELPRGBAR1_DESCRIPTION
"${velprgbar_summary}
${velprgbar_about}
.
This package contains the shared library.")
if(TARGET VelPrgBar)
    get_target_property(velprgbar_soversion VelPrgBar SOVERSION)
    file(MAKE_DIRECTORY ${MORTAVEL_PACKAGING_DIR}/libvelprgbar1)
    file(WRITE ${MORTAVEL_PACKAGING_DIR}/libvelprgbar1/shlibs
        "libVelPrgBar ${velprgbar_soversion} libvelprgbar1 (>= ${velprgbar_version})\n")
    file(WRITE ${MORTAVEL_PACKAGING_DIR}/libvelprgbar1/triggers "activate-noawait ldconfig\n")
    set(CPACK_DEBIAN_LIBVELPRGBAR1_PACKAGE_CONTROL_EXTRA
        ${MORTAVEL_PACKAGING_DIR}/libvelprgbar1/shlibs
        ${MORTAVEL_PACKAGING_DIR}/libvelprgbar1/triggers)
    file(GENERATE OUTPUT ${MORTAVEL_PACKAGING_DIR}/CPackProjectConfig.cmake CONTENT [[
# SPDX-License-Identifier: MIT
# Read by cpack. The dependencies of libvelprgbar1, from dpkg-shlibdeps run
# on the built library, as debhelper would find them.
if(CPACK_GENERATOR STREQUAL "DEB")
    set(work "${CPACK_PACKAGE_DIRECTORY}/_CPack_shlibdeps")
    file(REMOVE_RECURSE "${work}")
    file(MAKE_DIRECTORY "${work}/debian")
    file(WRITE "${work}/debian/control" "")
    execute_process(
        COMMAND dpkg-shlibdeps -O --ignore-missing-info "$<TARGET_FILE:VelPrgBar>"
        WORKING_DIRECTORY "${work}"
        RESULT_VARIABLE status
        OUTPUT_VARIABLE substvars
        ERROR_VARIABLE errors
        OUTPUT_STRIP_TRAILING_WHITESPACE)
    file(REMOVE_RECURSE "${work}")
    if(NOT status EQUAL 0 OR NOT substvars MATCHES "^shlibs:Depends=")
        message(FATAL_ERROR "dpkg-shlibdeps failed on libVelPrgBar: ${errors}")
    endif()
    string(REGEX REPLACE "^shlibs:Depends=" "" CPACK_DEBIAN_LIBVELPRGBAR1_PACKAGE_DEPENDS "${substvars}")
endif()
]])
    set(CPACK_PROJECT_CONFIG_FILE ${MORTAVEL_PACKAGING_DIR}/CPackProjectConfig.cmake)
endif()

set(CPACK_DEBIAN_LIBVELPRGBAR-DEV_PACKAGE_NAME libvelprgbar-dev)
set(CPACK_DEBIAN_LIBVELPRGBAR-DEV_PACKAGE_SECTION libdevel)
set(CPACK_DEBIAN_LIBVELPRGBAR-DEV_PACKAGE_DEPENDS
    "libvelprgbar1 (= ${velprgbar_version}), qt6-base-dev")
set(CPACK_DEBIAN_LIBVELPRGBAR-DEV_DESCRIPTION
"${velprgbar_summary} (development files)
${velprgbar_about}
.
This package contains the headers, the CMake package (find_package
VelPrgBar) and the pkg-config file.")

set(CPACK_DEBIAN_VELPRGBAR-DESIGNER_PACKAGE_NAME velprgbar-designer)
set(CPACK_DEBIAN_VELPRGBAR-DESIGNER_PACKAGE_SECTION devel)
set(CPACK_DEBIAN_VELPRGBAR-DESIGNER_PACKAGE_DEPENDS "libvelprgbar1 (>= ${velprgbar_version})")
set(CPACK_DEBIAN_VELPRGBAR-DESIGNER_PACKAGE_ENHANCES "qt6-tools-dev-tools")
set(CPACK_DEBIAN_VELPRGBAR-DESIGNER_DESCRIPTION
"${velprgbar_summary} (Qt Designer plugin)
${velprgbar_about}
.
This package puts VelProgressBar in Qt Designer's widget box.")

include(CPack)

# Every package passes lintian with no error and no warning.
if(BUILD_TESTING)
    add_test(NAME packaging.lintian
        COMMAND ${CMAKE_CURRENT_LIST_DIR}/check-packages.sh ${CMAKE_BINARY_DIR})
    set_tests_properties(packaging.lintian PROPERTIES TIMEOUT 900 SKIP_RETURN_CODE 77)
endif()
