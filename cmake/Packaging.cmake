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
# The runtime libraries the trainer links (libqt6gui6 brings the xcb and
# offscreen platform plugins), and the font its windows are laid out in
# (metric-compatible with Times New Roman). scripts/package-check.sh fails when
# the binary links a library whose package is missing here.
set(CPACK_DEBIAN_PACKAGE_DEPENDS
    "libqt6widgets6 (>= 6.4), libqt6gui6 (>= 6.4), libqt6core6 (>= 6.4), libsdl2-2.0-0 (>= 2.26), fonts-liberation, libc6 (>= 2.34), libgcc-s1 (>= 3.0), libstdc++6 (>= 11)")
include(CPack)
