# SPDX-License-Identifier: MIT
# CLI11 for the Windows cross build: the header-only library of the build machine, made visible
# through a folder that holds nothing but a link to its headers, so that no other host header can
# be picked up by the Windows compiler.
if(TARGET CLI11::CLI11)
    return()
endif()

find_path(KORVEXER_HOST_CLI11_INCLUDE CLI/CLI.hpp PATHS /usr/include /usr/local/include
          NO_DEFAULT_PATH NO_CMAKE_FIND_ROOT_PATH)
if(NOT KORVEXER_HOST_CLI11_INCLUDE)
    set(CLI11_FOUND FALSE)
    set(CLI11_NOT_FOUND_MESSAGE "CLI/CLI.hpp not found on the build machine (libcli11-dev)")
    return()
endif()

set(KORVEXER_CLI11_ONLY_INCLUDE ${CMAKE_BINARY_DIR}/cli11-include)
file(MAKE_DIRECTORY ${KORVEXER_CLI11_ONLY_INCLUDE})
if(NOT EXISTS ${KORVEXER_CLI11_ONLY_INCLUDE}/CLI)
    file(CREATE_LINK ${KORVEXER_HOST_CLI11_INCLUDE}/CLI ${KORVEXER_CLI11_ONLY_INCLUDE}/CLI SYMBOLIC)
endif()

add_library(CLI11::CLI11 INTERFACE IMPORTED)
set_target_properties(CLI11::CLI11 PROPERTIES
    INTERFACE_INCLUDE_DIRECTORIES ${KORVEXER_CLI11_ONLY_INCLUDE})
set(CLI11_FOUND TRUE)
