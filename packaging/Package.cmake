# The Debian package: `cpack -G DEB` in a build tree. packaging/build-deb.sh configures that
# tree as Debian builds its packages (Debian's hardening flags, the links to the programs in
# /usr/games), then checks the package with lintian.
set(CPACK_PACKAGE_NAME sudoku)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_CONTACT ${SUDOKU_MAINTAINER})
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "number puzzle game of a handheld, on the desktop")
set(CPACK_PACKAGE_DESCRIPTION
    "A Sudoku game made for handhelds with a 480 x 272 or 320 x 240 touch
screen, in a window that shows the device's screen scaled for today's
monitors. It has five generated levels and puzzles typed in by hand, three
ways to enter digits, pencil marks (by hand, automatic, by zone), hints and
solving aids, a clock and statistics per level, autosave and named saved
games, seven languages and three skins.

The command sudoku-tool solves, generates and checks puzzles with the
game's own engine, and turns a puzzle into a saved game the game can open.")
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)

set(CPACK_DEBIAN_PACKAGE_RELEASE ${SUDOKU_DEBIAN_RELEASE})
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION games)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
# The shared libraries (Qt 6, the C and C++ runtimes) as dpkg-shlibdeps finds them, and what
# the program loads at run time without linking it:
# - fonts-wqy-microhei: every text of the game is drawn in WenQuanYi Micro Hei, whose glyphs
#   cover Latin, Cyrillic and Chinese;
# - qt6-translations-l10n: the buttons of Qt's message boxes in the game's language.
# The rest comes with the libraries: Qt's X11 and offscreen platform plugins with libqt6gui6
# (Debian's qt6-qpa-plugins holds only the VNC and TUIO ones, which the game does not use),
# and Qt Multimedia's backends with libqt6multimedia6, which plays the splash sound through
# the desktop's PulseAudio or PipeWire server itself. qt6-wayland gives a native Wayland
# window; without it the game runs through XWayland.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_DEPENDS "fonts-wqy-microhei, qt6-translations-l10n")
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "qt6-wayland")

include(CPack)
