# Installing the game the way Debian lays out games, and packaging it as a .deb.
#
#   cmake --install build --prefix PREFIX
#
#   PREFIX/games/sandlark                      the launcher (CMAKE_INSTALL_BINDIR)
#   PREFIX/lib/games/sandlark/sandlark         the game (SANDLARK_INSTALL_GAMEDIR)
#   PREFIX/share/games/sandlark/               configuration.txt, Shaders/, Assets/ (SANDLARK_INSTALL_GAMEDATADIR)
#   PREFIX/share/applications/                 the desktop entry
#   PREFIX/share/icons/hicolor/NxN/apps/       the icons
#   PREFIX/share/metainfo/                     the AppStream metadata
#   PREFIX/share/man/man6/sandlark.6           the manual page
#   PREFIX/share/doc/sandlark/                 copyright and changelog
#
# The game reads everything from its working directory and takes no arguments;
# the launcher (packaging/launcher.sh.in) gives it a run directory per user.
# `cpack -G DEB` in the build folder makes the Debian package of the same files
# under /usr.

# An install directory as GNUInstallDirs keeps one: a PATH cache variable
# relative to the prefix. A value given with a plain -D (no type) stays
# relative instead of being turned into an absolute path by set(CACHE PATH).
function(sandlark_install_directory variable default description)
  if(NOT DEFINED CACHE{${variable}})
    set(${variable} "${default}" CACHE PATH "${description}")
  else()
    set_property(CACHE ${variable} PROPERTY TYPE PATH)
  endif()
endfunction()

# Debian puts games in /usr/games, which is on every user's PATH; a user who
# installs into ~/.local chooses -DCMAKE_INSTALL_BINDIR=bin.
sandlark_install_directory(CMAKE_INSTALL_BINDIR "games" "Where the sandlark launcher goes (games; bin for ~/.local)")
sandlark_install_directory(CMAKE_INSTALL_DOCDIR "share/doc/sandlark" "Documentation of the package (copyright, changelog)")
include(GNUInstallDirs)
# The executable is architecture-dependent, so it stays out of share.
sandlark_install_directory(SANDLARK_INSTALL_GAMEDIR "lib/games/sandlark" "Where the game executable goes")
sandlark_install_directory(SANDLARK_INSTALL_GAMEDATADIR "${CMAKE_INSTALL_DATADIR}/games/sandlark"
  "Where the game's data goes: configuration.txt, Shaders/ and Assets/")
# AppStream asks desktop applications for a reverse-DNS id; the desktop entry
# and the metadata are named after it.
set(SANDLARK_APP_ID "org.sandlark.Sandlark")
set(SANDLARK_PACKAGE_MAINTAINER "Sandlark developers <maintainers@sandlark.org>" CACHE STRING
    "Maintainer field of the Debian package")

set(SANDLARK_PACKAGING_DIR "${PROJECT_SOURCE_DIR}/packaging")
set(SANDLARK_PACKAGING_BUILD_DIR "${CMAKE_BINARY_DIR}/packaging")

# The launcher finds the game and its data relative to itself, so an install
# with --prefix (or a DESTDIR, or a moved tree) still works: the relative paths
# come from the install directories, not from the configured prefix.
function(sandlark_relative_install_path variable from to)
  cmake_path(ABSOLUTE_PATH from BASE_DIRECTORY "${CMAKE_INSTALL_PREFIX}" OUTPUT_VARIABLE from_full)
  cmake_path(ABSOLUTE_PATH to BASE_DIRECTORY "${CMAKE_INSTALL_PREFIX}" OUTPUT_VARIABLE to_full)
  file(RELATIVE_PATH relative "${from_full}" "${to_full}")
  set(${variable} "${relative}" PARENT_SCOPE)
endfunction()
sandlark_relative_install_path(SANDLARK_LAUNCHER_TO_GAME "${CMAKE_INSTALL_BINDIR}" "${SANDLARK_INSTALL_GAMEDIR}")
sandlark_relative_install_path(SANDLARK_LAUNCHER_TO_DATA "${CMAKE_INSTALL_BINDIR}" "${SANDLARK_INSTALL_GAMEDATADIR}")
configure_file("${SANDLARK_PACKAGING_DIR}/launcher.sh.in" "${SANDLARK_PACKAGING_BUILD_DIR}/sandlark" @ONLY)
configure_file("${SANDLARK_PACKAGING_DIR}/sandlark.6.in" "${SANDLARK_PACKAGING_BUILD_DIR}/sandlark.6" @ONLY)

# The icons, drawn by the asset generator from the generated models.
set(SANDLARK_ICONS_DIR "${CMAKE_BINARY_DIR}/icons")
set(SANDLARK_ICONS_STAMP "${CMAKE_BINARY_DIR}/icons.stamp")
add_custom_command(OUTPUT "${SANDLARK_ICONS_STAMP}" "${SANDLARK_ICONS_DIR}/hicolor/48x48/apps/sandlark.png"
  COMMAND assetgen --icons "${SANDLARK_GAME_DIR}/Assets" "${SANDLARK_ICONS_DIR}"
  COMMAND ${CMAKE_COMMAND} -E touch "${SANDLARK_ICONS_STAMP}"
  # The models change only with the generator, so the generator is the file to watch.
  DEPENDS assetgen
  COMMENT "Drawing the application icons into ${SANDLARK_ICONS_DIR}"
  VERBATIM)
add_custom_target(game_icons ALL DEPENDS "${SANDLARK_ICONS_STAMP}")
add_dependencies(game_icons game_assets)

set(CMAKE_INSTALL_DEFAULT_DIRECTORY_PERMISSIONS
    OWNER_READ OWNER_WRITE OWNER_EXECUTE GROUP_READ GROUP_EXECUTE WORLD_READ WORLD_EXECUTE)
install(PROGRAMS "${SANDLARK_PACKAGING_BUILD_DIR}/sandlark" DESTINATION "${CMAKE_INSTALL_BINDIR}")
install(TARGETS sandlark RUNTIME DESTINATION "${SANDLARK_INSTALL_GAMEDIR}")
install(FILES "${SANDLARK_GAME_DIR}/configuration.txt" DESTINATION "${SANDLARK_INSTALL_GAMEDATADIR}")
install(DIRECTORY "${SANDLARK_GAME_DIR}/Shaders" "${SANDLARK_GAME_DIR}/Assets" DESTINATION "${SANDLARK_INSTALL_GAMEDATADIR}")
install(FILES "${SANDLARK_PACKAGING_DIR}/${SANDLARK_APP_ID}.desktop" DESTINATION "${CMAKE_INSTALL_DATADIR}/applications")
install(DIRECTORY "${SANDLARK_ICONS_DIR}/hicolor" DESTINATION "${CMAKE_INSTALL_DATADIR}/icons")
install(FILES "${SANDLARK_PACKAGING_DIR}/${SANDLARK_APP_ID}.metainfo.xml" DESTINATION "${CMAKE_INSTALL_DATADIR}/metainfo")
install(FILES "${SANDLARK_PACKAGING_BUILD_DIR}/sandlark.6" DESTINATION "${CMAKE_INSTALL_MANDIR}/man6")
install(FILES "${SANDLARK_PACKAGING_DIR}/copyright" "${SANDLARK_PACKAGING_DIR}/changelog" DESTINATION "${CMAKE_INSTALL_DOCDIR}")

# The Debian package: the same files under /usr, its dependencies read from the
# executable's libraries by dpkg-shlibdeps.
set(CPACK_GENERATOR "DEB")
set(CPACK_PACKAGE_NAME "sandlark")
set(CPACK_PACKAGE_VERSION "${PROJECT_VERSION}")
set(CPACK_PACKAGE_VENDOR "The Sandlark developers")
set(CPACK_PACKAGE_CONTACT "${SANDLARK_PACKAGE_MAINTAINER}")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "real-time 3D desert shooter")
string(CONCAT CPACK_PACKAGE_DESCRIPTION
  "Ride a fixed route through a desert at dusk, look around with the mouse and\n"
  "shoot the crawler tanks that patrol it before the level's clock runs out.\n"
  "Win, and the next level is faster and shorter. Lose, and you play the same\n"
  "level again. The game needs OpenGL 3.3.")
set(CPACK_PACKAGING_INSTALL_PREFIX "/usr")
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_FILE_NAME "DEB-DEFAULT")
set(CPACK_DEBIAN_PACKAGE_MAINTAINER "${SANDLARK_PACKAGE_MAINTAINER}")
set(CPACK_DEBIAN_PACKAGE_SECTION "games")
set(CPACK_DEBIAN_PACKAGE_PRIORITY "optional")
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# The font comes from Debian's own package rather than as a second copy.
set(CPACK_DEBIAN_PACKAGE_DEPENDS "fonts-bebas-neue")
set(CPACK_DEBIAN_COMPRESSION_TYPE "xz")
# What a Debian package does differently from a plain install (compressed
# manual page and changelog, the font from fonts-bebas-neue) is done in the
# staging directory; the script reads these CPACK_SANDLARK_* values.
set(CPACK_PRE_BUILD_SCRIPTS "${SANDLARK_PACKAGING_DIR}/debian-staging.cmake")
set(CPACK_SANDLARK_MANDIR "${CMAKE_INSTALL_MANDIR}")
set(CPACK_SANDLARK_DOCDIR "${CMAKE_INSTALL_DOCDIR}")
set(CPACK_SANDLARK_FONTS_DIR "${SANDLARK_INSTALL_GAMEDATADIR}/Assets/Fonts")
set(CPACK_SANDLARK_FONT_FILE "${SANDLARK_FONT_FILE}")
set(CPACK_SANDLARK_FONT_LICENCE "${SANDLARK_FONT_LICENCE}")
include(CPack)
