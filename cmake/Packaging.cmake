# SPDX-License-Identifier: GPL-3.0-or-later
# The two programs; the print dialog module installs itself beside its
# loader (src/gui), the data folder the rest (desktop entry, metainfo, icons,
# manual page).
include(GNUInstallDirs)
install(TARGETS numra numra-eval RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})

# The Debian package, made with "cpack" in the build folder. The
# versioned library dependencies come from dpkg-shlibdeps; the Qt plugins that
# are loaded at run time are named here.
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME numra)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_CONTACT "Numra <numra@example.org>")
set(CPACK_PACKAGE_VENDOR "Numra")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "pocket calculator that keeps the whole calculation as one formula")
set(CPACK_PACKAGE_DESCRIPTION
  "Numra is a desktop pocket calculator for office use with a German user
interface. The keys build one formula that the equals key evaluates as a
whole, with operator precedence; formulas ending in an operator show a
subtotal. It computes VAT at 19 %, percent, roots, powers and hexadecimal
numbers, and saves formulas as small .clc files. numra-eval runs the same
calculator from the command line.")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)

set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION utils)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_HOMEPAGE "https://numra.example.org/")
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# The xcb platform plugin is loaded at run time, not linked; so are Qt's
# German texts for its dialogs and buttons.
set(CPACK_DEBIAN_PACKAGE_DEPENDS "qt6-qpa-plugins (>= 6.4), qt6-translations-l10n (>= 6.4)")
# The narrow font that stands in for Tahoma and Century Gothic (DejaVu Sans
# Condensed); with wider fonts captions are cut off.
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "fonts-dejavu-extra")

include(CPack)
