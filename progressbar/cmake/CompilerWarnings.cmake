# SPDX-License-Identifier: MIT
# The warnings every target of the tree is built with: the game, VelPrgBar,
# the tools and the tests. CI turns them into errors (-DWARNINGS_AS_ERRORS=ON)
# so that a new warning cannot land. Qt's, GoogleTest's and the system's own
# headers come in as system headers and stay quiet.
include_guard(GLOBAL)
option(WARNINGS_AS_ERRORS "Treat compiler warnings as errors" OFF)
if(CMAKE_CXX_COMPILER_ID MATCHES "GNU|Clang")
    add_compile_options(-Wall -Wextra)
    if(WARNINGS_AS_ERRORS)
        add_compile_options(-Werror)
    endif()
endif()
