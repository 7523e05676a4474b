# SPDX-License-Identifier: MIT
# The Debian package: `cpack -G DEB` in a build configured for /usr (scripts/package does both).
# The libraries it needs are worked out by dpkg-shlibdeps from the programs themselves.
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME korvexer)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_VENDOR "The Korvexer developers")
set(CPACK_PACKAGE_CONTACT "The Korvexer developers <developers@korvexer.org>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY
    "constant externalisation and function substitution for application sources")
# Lines as dpkg shows them; CPack indents them for the control file.
string(JOIN "\n" CPACK_PACKAGE_DESCRIPTION
    "Korvexer lists the string and numeric constants that form the right-hand side"
    "of an assignment in the sources of your own application, and replaces the ones"
    "you choose by accessor calls of a runtime library, keeping the old literal in a"
    "trailing comment. It also replaces chosen function calls by substitutes from a"
    "fixed catalogue. Every replacement is recorded and can be taken back."
    ""
    "The package holds the window (korvexer, with a Chinese interface) and the"
    "command-line program korvexer-cli, their man pages, bash completion for"
    "korvexer-cli, the desktop entry, the icon, the AppStream metadata, the user"
    "guide, and the seed settings in /etc/xdg/korvexer/.")
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION devel)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_HOMEPAGE ${KORVEXER_HOMEPAGE})
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
if(TARGET korvexer)
    # The interface is Chinese: without a CJK font it shows boxes. Native Wayland windows need
    # Qt's Wayland plugin; without it the window runs through XWayland.
    set(CPACK_DEBIAN_PACKAGE_DEPENDS "fonts-wqy-microhei | fonts-noto-cjk")
    # Qt's own texts (buttons, file dialogs) in Chinese; without it they stay English.
    set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "qt6-wayland, qt6-translations-l10n")
endif()
set(CPACK_STRIP_FILES ON)
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)

# The seed under /etc is a configuration file: an upgrade keeps an administrator's edits.
if(IS_ABSOLUTE "${KORVEXER_SEED_DIR}")
    file(WRITE ${PROJECT_BINARY_DIR}/packaging/conffiles "${KORVEXER_SEED_DIR}/korvexer.ini\n")
    set(CPACK_DEBIAN_PACKAGE_CONTROL_EXTRA ${PROJECT_BINARY_DIR}/packaging/conffiles)
endif()
# cpack checks this when it runs: a build for another prefix would put the seed under /usr.
set(CPACK_KORVEXER_CONFIGURED_PREFIX ${CMAKE_INSTALL_PREFIX})
set(CPACK_PROJECT_CONFIG_FILE ${CMAKE_CURRENT_LIST_DIR}/debian_package_check.cmake)
include(CPack)
