# The Debian package: `cpack -G DEB` in a build folder (or scripts/package) makes
# quillmote_<version>_<arch>.deb of what `cmake --install` puts in place, under /usr, stripped.
# Its library dependencies come from dpkg-shlibdeps (packages dpkg-dev and file), not from a list
# kept here; the desktop database and icon cache are refreshed by the system's own triggers.
# Installing and packaging take what is built and build nothing themselves: otherwise cpack would
# first build every target (the tests and benchmarks too) for a package that holds only the program.
set(CMAKE_SKIP_INSTALL_ALL_DEPENDENCY ON)

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME quillmote)
set(CPACK_PACKAGE_VERSION "${PROJECT_VERSION}")
set(CPACK_PACKAGE_VENDOR "The Quillmote Utility developers")
set(CPACK_PACKAGE_CONTACT "The Quillmote Utility developers")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "Renames files in bulk")
set(CPACK_PACKAGE_DESCRIPTION
    "Quillmote Utility renames many files at once: pick a folder, narrow the list with file type \
filters, select files, type search texts and their replacements, choose letter-case rules for the \
name and the extension, preview old beside new names, and rename. Every rename and every error is \
written to a log file.")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_INSTALL_DEFAULT_DIRECTORY_PERMISSIONS
    OWNER_READ OWNER_WRITE OWNER_EXECUTE GROUP_READ GROUP_EXECUTE WORLD_READ WORLD_EXECUTE)

set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION utils)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# Help > How to Use and View > Log File hand their file to xdg-open.
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS xdg-utils)
set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION ON)

include(CPack)
