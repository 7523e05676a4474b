# SPDX-License-Identifier: MIT
# Read by cpack before it packs: the package is only right for a build configured for /usr.
if(NOT CPACK_KORVEXER_CONFIGURED_PREFIX STREQUAL "/usr")
    message(FATAL_ERROR "The Debian package needs a build configured with "
                        "-DCMAKE_INSTALL_PREFIX=/usr (this one has "
                        "${CPACK_KORVEXER_CONFIGURED_PREFIX}); scripts/package does that")
endif()
