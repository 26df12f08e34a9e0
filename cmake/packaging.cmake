# Debian package: cmake --build <dir> --target package
# writes schriftliche-division_<version>_<arch>.deb into the build directory.
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME schriftliche-division)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_VENDOR "Schriftliche Division project")
set(CPACK_PACKAGE_CONTACT "Schriftliche Division project <packages@schriftliche-division.example>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "training program for written long division")
# Debian wants the long description in lines of at most 80 columns.
string(JOIN "\n" CPACK_PACKAGE_DESCRIPTION
  "Schriftliche Division is a German-language training program for"
  "primary-school children. It practises written long division of a"
  "four-digit number by a one-digit divisor, without and with remainder."
  ""
  "The child fills in the division digit by digit, by dragging a digit key"
  "onto a cell or by clicking a cell and typing, and every digit is checked"
  "at once. Points and a progress ladder open two small reward games."
  "Teachers compose worksheets of twelve tasks, print task and solution"
  "sheets and copy them to the clipboard.")
set(CPACK_PACKAGE_HOMEPAGE_URL "https://schriftliche-division.example")
set(CPACK_STRIP_FILES ON)

set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_MAINTAINER ${CPACK_PACKAGE_CONTACT})
set(CPACK_DEBIAN_PACKAGE_SECTION education)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
# dpkg-shlibdeps finds the Qt, C and C++ libraries the binary links against.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# What it cannot see: the worksheets and the windows ask for Arial and Courier
# New, for which Liberation is the metric-compatible stand-in (without it the
# fixed-width sheets lose their columns), and Qt's German texts for its own
# dialogs are loaded at run time. Both degrade gracefully, hence Recommends.
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "fonts-liberation, qt6-translations-l10n")
# Runs natively on Wayland instead of through XWayland.
set(CPACK_DEBIAN_PACKAGE_SUGGESTS "qt6-wayland")

# The package_source target: the sources without build trees and Git data.
set(CPACK_SOURCE_GENERATOR TXZ)
set(CPACK_SOURCE_PACKAGE_FILE_NAME ${CPACK_PACKAGE_NAME}-${PROJECT_VERSION})
# CPack matches these against absolute paths and writes them once more into
# its own configuration, so they avoid backslashes: [.] is a literal dot.
string(REGEX REPLACE "([.+])" "[\\1]" source_re "${PROJECT_SOURCE_DIR}")
set(CPACK_SOURCE_IGNORE_FILES "^${source_re}/[.]git/" "^${source_re}/[.]cache/"
    "^${source_re}/build[^/]*/" "[.]user$")

include(CPack)
