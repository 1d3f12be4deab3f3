# The Debian package that scripts/package.sh builds with `cpack -G DEB`. Its library dependencies
# are computed by dpkg-shlibdeps from the installed programs.
set(FONTLATHE_MAINTAINER "The Fontlathe developers <fontlathe@users.noreply.github.com>")

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME fontlathe)
set(CPACK_PACKAGE_VENDOR "The Fontlathe developers")
set(CPACK_PACKAGE_CONTACT ${FONTLATHE_MAINTAINER})
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_INSTALL_DEFAULT_DIRECTORY_PERMISSIONS
    OWNER_READ OWNER_WRITE OWNER_EXECUTE GROUP_READ GROUP_EXECUTE WORLD_READ WORLD_EXECUTE)

set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION graphics)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_MAINTAINER ${FONTLATHE_MAINTAINER})
set(CPACK_DEBIAN_PACKAGE_HOMEPAGE ${PROJECT_HOMEPAGE_URL})
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# Qt loads its windowing plugins at run time, where dpkg-shlibdeps cannot see them.
set(CPACK_DEBIAN_PACKAGE_DEPENDS qt6-qpa-plugins)
set(CPACK_DEBIAN_PACKAGE_DESCRIPTION
    "editor for the bitmap fonts of SCUMM adventure games
Fontlathe edits .char files, the bitmap fonts of SCUMM adventure games: up to
256 glyphs of 1, 2 or 4 bits per pixel. Glyphs are painted pixel by pixel,
whole sets are generated from installed fonts, and a live text preview shows
the result.
.
fontlathe-cli inspects, converts, renders and generates the same files from
scripts.")

include(CPack)
