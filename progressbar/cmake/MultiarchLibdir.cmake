# SPDX-License-Identifier: MIT
# Libraries go to the multiarch folder under any prefix, as Debian lays them
# out (its ld.so and pkg-config look in /usr/local/lib/<triplet> too), so
# that packages made for /usr are the same whatever prefix the tree was
# configured with. A "lib" that GNUInstallDirs chose by itself in an older
# configure of this tree is replaced too. Include it before GNUInstallDirs.
if(CMAKE_LIBRARY_ARCHITECTURE)
    get_property(libdir_help CACHE CMAKE_INSTALL_LIBDIR PROPERTY HELPSTRING)
    if(NOT DEFINED CACHE{CMAKE_INSTALL_LIBDIR}
       OR (CMAKE_INSTALL_LIBDIR STREQUAL "lib" AND libdir_help STREQUAL "Object code libraries (lib)"))
        set(CMAKE_INSTALL_LIBDIR lib/${CMAKE_LIBRARY_ARCHITECTURE}
            CACHE PATH "Object code libraries (lib/<multiarch triplet>)" FORCE)
    endif()
endif()
