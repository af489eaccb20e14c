# What `cmake --install` puts where: the programs in bin/, help and examples in
# share/qsim/, the desktop entry and the icon in their freedesktop places. The
# programs tell an installed tree from the build folder by share/qsim beside bin/,
# so these folder names are fixed (see foundation/install_layout.h).
install(TARGETS qsim qsim-cli RUNTIME DESTINATION bin)
install(FILES help/index.html DESTINATION share/qsim/help)
install(DIRECTORY examples/ DESTINATION share/qsim/examples)
install(FILES packaging/qsim.desktop DESTINATION share/applications)
install(FILES packaging/qsim.svg DESTINATION share/icons/hicolor/scalable/apps)

# The Debian package (`cpack -G DEB` in the build folder) installs under /usr.
set(CPACK_PACKAGE_NAME qsim)
set(CPACK_PACKAGE_CONTACT "qsim developers")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "Discrete-event simulation of open queueing networks")
set(CPACK_DEBIAN_PACKAGE_DESCRIPTION
    "A desktop program and a command line, qsim-cli, that draw open queueing networks\n"
    "of request generators, finite queues, service devices and a terminator, and\n"
    "simulate them event by event into an HTML report.")
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION science)
set(CPACK_STRIP_FILES ON)
# dpkg-shlibdeps declares the Qt 6 libraries the programs link. Qt loads the
# platform plugins that open a window at run time, where it cannot see them.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_DEPENDS "qt6-qpa-plugins")
# Russian texts of Qt's own dialogs, and the opener of reports and the help page.
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "qt6-translations-l10n, xdg-utils")
include(CPack)
