# The Debian package: `cpack -G DEB` in a build folder (or scripts/package) makes
# quillmote_<version>_<arch>.deb of what `cmake --install` puts in place, under /usr, stripped,
# plus what only a Debian package carries (below). Its library dependencies come from
# dpkg-shlibdeps (packages dpkg-dev and file), not from a list kept here; the desktop database,
# the icon cache and the software centres' list are refreshed by the system's own triggers.
# Installing and packaging take what is built and build nothing themselves: otherwise cpack would
# first build every target (the tests and benchmarks too) for a package that holds only the program.
set(CMAKE_SKIP_INSTALL_ALL_DEPENDENCY ON)

# The changelog's newest entry and the software centres' newest release name the version being
# built: a release that forgot either stops here rather than shipping a package that contradicts
# itself.
file(STRINGS "${PROJECT_SOURCE_DIR}/packaging/debian/changelog" qm_changelog_top LIMIT_COUNT 1)
file(READ "${PROJECT_SOURCE_DIR}/app/resources/org.quillmote.quillmote.metainfo.xml" qm_metainfo)
string(REGEX MATCH "<release version=\"([^\"]*)\"" qm_release "${qm_metainfo}")
set(qm_release "${CMAKE_MATCH_1}")
if(NOT qm_changelog_top MATCHES "^quillmote \\(${PROJECT_VERSION}\\) "
   OR NOT qm_release STREQUAL PROJECT_VERSION)
    message(FATAL_ERROR "Version ${PROJECT_VERSION} needs its entry at the top of "
                        "packaging/debian/changelog and its <release> at the top of the releases "
                        "in app/resources/org.quillmote.quillmote.metainfo.xml")
endif()

# What only the package installs (the component "debian", left out of a plain `cmake --install`,
# so that an install into ~/.local stays the program, its guide, its menu entry and its icons):
# the licence in Debian's machine-readable form, the changelog, the manual page, the lintian
# override, and the AppStream description the software centres list the program by. The
# changelog and the manual page are compressed in the package by cmake/DebianPackageFinish.cmake.
include(GNUInstallDirs)
configure_file("${PROJECT_SOURCE_DIR}/app/resources/quillmote.1.in"
               "${CMAKE_CURRENT_BINARY_DIR}/generated/quillmote.1" @ONLY)
set(qm_debian_doc "${CMAKE_INSTALL_DATADIR}/doc/quillmote")
install(FILES packaging/debian/copyright packaging/debian/changelog
        DESTINATION "${qm_debian_doc}" COMPONENT debian EXCLUDE_FROM_ALL)
install(FILES "${CMAKE_CURRENT_BINARY_DIR}/generated/quillmote.1"
        DESTINATION "${CMAKE_INSTALL_MANDIR}/man1" COMPONENT debian EXCLUDE_FROM_ALL)
install(FILES packaging/debian/lintian-overrides RENAME quillmote
        DESTINATION "${CMAKE_INSTALL_DATADIR}/lintian/overrides" COMPONENT debian EXCLUDE_FROM_ALL)
install(FILES app/resources/org.quillmote.quillmote.metainfo.xml
        DESTINATION "${CMAKE_INSTALL_DATADIR}/metainfo" COMPONENT debian EXCLUDE_FROM_ALL)

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME quillmote)
set(CPACK_PACKAGE_VERSION "${PROJECT_VERSION}")
set(CPACK_PACKAGE_VENDOR "The Quillmote Utility developers")
set(CPACK_PACKAGE_CONTACT "The Quillmote Utility developers <support@quillmote.example>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "Renames files in bulk")
# One paragraph of lines no longer than 80 characters, as Debian's control files want it.
string(JOIN "\n" CPACK_PACKAGE_DESCRIPTION
    "Quillmote Utility renames many files at once in a desktop window. Pick a"
    "folder, narrow the file list with file type filters, select files, type one"
    "or more texts to search for with their replacements, and choose letter-case"
    "rules for the name and for the extension. A preview shows every old name"
    "beside its new name before anything changes; a name that exists already is"
    "refused, so no file is ever overwritten. Every rename and every error is"
    "written to a log file.")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_INSTALL_DEFAULT_DIRECTORY_PERMISSIONS
    OWNER_READ OWNER_WRITE OWNER_EXECUTE GROUP_READ GROUP_EXECUTE WORLD_READ WORLD_EXECUTE)
set(CPACK_PRE_BUILD_SCRIPTS "${CMAKE_CURRENT_LIST_DIR}/DebianPackageFinish.cmake")

# Every component in one package; the plain install's files are the component "Unspecified".
set(CPACK_DEB_COMPONENT_INSTALL ON)
set(CPACK_COMPONENTS_GROUPING ALL_COMPONENTS_IN_ONE)
set(CPACK_COMPONENTS_ALL Unspecified debian)

set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION utils)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# Help > How to Use and View > Log File hand their file to xdg-open.
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS xdg-utils)
set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION ON)

include(CPack)
