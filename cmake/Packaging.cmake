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
# The runtime libraries the trainer links, and the font its windows are laid
# out in (metric-compatible with Times New Roman).
set(CPACK_DEBIAN_PACKAGE_DEPENDS
    "libqt6widgets6 (>= 6.4), libqt6gui6 (>= 6.4), libqt6core6 (>= 6.4), qt6-qpa-plugins, libsdl2-2.0-0 (>= 2.26), fonts-liberation, libc6, libstdc++6")
include(CPack)
