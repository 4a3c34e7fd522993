# The Debian package, made by `cpack -G DEB` in a build folder (scripts/package.sh).
# dpkg-shlibdeps works out the libraries' packages from the programs; the rest
# are what the programs load at run time without linking it.
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME tovra)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_CONTACT "tovra maintainers <maintainers@tovra.example.org>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "railway driving simulator")
set(CPACK_PACKAGE_DESCRIPTION
    "Drive a suburban train from the cab: a route video filmed from the driver's
seat advances in step with a simulated train, a train protection system
supervises the driver and the stations run to a timetable clock. The package
holds the desktop program tovra, the headless driver and data checker
tovra-sim, the demo line generator tovra-demo and tovra-author, which writes
a route from one's own cab-ride video; tovra offers to write the demo line on
its first start.")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
# Section games would want the programs in /usr/games.
set(CPACK_DEBIAN_PACKAGE_SECTION misc)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_HOMEPAGE ${TOVRA_HOMEPAGE})
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# The window needs Qt's platform plugins; the lettering needs a Japanese font,
# and a Latin one when the program speaks English.
# The remote interface's libraries (libqt6httpserver6, libqt6websockets6,
# libqrencode4) are linked, so dpkg-shlibdeps names them.
set(CPACK_DEBIAN_PACKAGE_DEPENDS
    "qt6-qpa-plugins, fonts-ipafont-gothic | fonts-noto-cjk | fonts-vlgothic, fonts-dejavu-core")
# Without Qt's translations, Qt's own buttons stay English in the Japanese program.
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "qt6-translations-l10n")
# Without espeak-ng the demo line's announcements and call-outs become tones.
set(CPACK_DEBIAN_PACKAGE_SUGGESTS "espeak-ng")
set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION ON)
include(CPack)
