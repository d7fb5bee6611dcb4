# `cpack -G DEB` builds a Debian package of the installed trainer.
set(CPACK_PACKAGE_NAME zirvano)
set(CPACK_PACKAGE_VENDOR "Kaltor")
set(CPACK_PACKAGE_CONTACT "Kaltor <kaltor@example.org>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "Morse code trainer with lessons, virtual keyboard and reception test")
set(CPACK_PACKAGE_HOMEPAGE_URL "https://kaltor.example.org/")
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION hamradio)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
# The runtime libraries come from the binary: dpkg-shlibdeps (package
# dpkg-dev) names the packages that hold the libraries the trainer links, with
# the versions its symbols need, as they are called on the release that builds
# it (libqt6gui6 brings the xcb and offscreen platform plugins). The font the
# windows are laid out in (metric-compatible with Times New Roman) is no
# library, so it is named here, and so is Qt's SQLite driver for the learner's
# record: a plugin loaded at run time, which the binary does not link.
# scripts/package-check.sh fails when the binary links a library whose package
# is missing.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_DEPENDS "fonts-liberation, libqt6sql6-sqlite")
include(CPack)
