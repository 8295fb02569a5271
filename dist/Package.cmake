# The Debian package, built by `cpack -G DEB` from the install rules: files
# under /usr (the udev rule where udev reads it), stripped executables, and
# the libraries they link found by dpkg-shlibdeps, plus the fonts the
# interface draws its English and Chinese texts with.
set(CPACK_PACKAGE_NAME pelmar)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY
    "configuration and macro driver for a six-button USB gaming mouse")
set(CPACK_PACKAGE_DESCRIPTION
    "Pelmar assigns each button of the mouse a function, sets its DPI levels, wheel, lighting, \
rapid fire, pointer speed and scroll lines, keeps five profiles, and records and edits keyboard \
macros with their timing. It stays resident in the tray and plays macros through the mouse when \
a button is pressed. Chinese and English interface; pelmar drives model A, pelmar-b model B.")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_MAINTAINER "Pelmar developers <developers@pelmar.invalid>")
set(CPACK_DEBIAN_PACKAGE_SECTION utils)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_DEPENDS "fonts-wqy-microhei, fonts-dejavu-core")
# The rule and the service do their work where udev and systemd run.
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "udev, systemd")
include(CPack)
