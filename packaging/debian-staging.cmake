# Run by cpack after it has installed the files into its staging directory, to
# make of them what Debian expects of a package:
# - manual pages and changelogs compressed with gzip -9n (no name, no time
#   stamp, so the bytes do not depend on when the package was built);
# - no second copy of a font Debian already packages: the game's font name
#   becomes a link into fonts-bebas-neue, which the package depends on.
# A plain `cmake --install` keeps the files as they are.
set(staged "${CPACK_TEMPORARY_DIRECTORY}${CPACK_PACKAGING_INSTALL_PREFIX}")

foreach(file "${CPACK_SANDLARK_MANDIR}/man6/sandlark.6" "${CPACK_SANDLARK_DOCDIR}/changelog")
  execute_process(COMMAND gzip -9nf "${staged}/${file}" RESULT_VARIABLE status)
  if(NOT status EQUAL 0)
    message(FATAL_ERROR "could not compress ${staged}/${file}")
  endif()
endforeach()

# Links inside /usr are relative, as Debian's policy asks.
set(fonts "${CPACK_PACKAGING_INSTALL_PREFIX}/${CPACK_SANDLARK_FONTS_DIR}")
function(link_to_installed_file name target)
  file(RELATIVE_PATH relative "${fonts}" "${target}")
  file(REMOVE "${CPACK_TEMPORARY_DIRECTORY}${fonts}/${name}")
  file(CREATE_LINK "${relative}" "${CPACK_TEMPORARY_DIRECTORY}${fonts}/${name}" SYMBOLIC)
endfunction()
link_to_installed_file(AmericanCaptain.ttf "${CPACK_SANDLARK_FONT_FILE}")
link_to_installed_file(AmericanCaptain-LICENSE.txt "${CPACK_SANDLARK_FONT_LICENCE}")
