# Run by cpack on the package's files before it packs them (CPACK_PRE_BUILD_SCRIPTS): what Debian
# asks of a package that `cmake --install` does not do. The changelog and the manual page are
# compressed without a name or a time stamp inside (gzip -n), so a rebuild makes the same file,
# and the program loses the compilers' .comment section, which strip keeps.
file(GLOB_RECURSE staged LIST_DIRECTORIES false "${CPACK_TEMPORARY_INSTALL_DIRECTORY}/*")
set(found "")
foreach(file IN LISTS staged)
    if(file MATCHES "/usr/share/(doc/quillmote/changelog|man/man1/quillmote\\.1)$")
        execute_process(COMMAND gzip -9nf "${file}" COMMAND_ERROR_IS_FATAL ANY)
        list(APPEND found "${CMAKE_MATCH_1}")
    elseif(file MATCHES "/usr/lib/quillmote/quillmote$")
        execute_process(COMMAND objcopy --remove-section=.comment "${file}"
                        COMMAND_ERROR_IS_FATAL ANY)
        list(APPEND found program)
    endif()
endforeach()
list(LENGTH found count)
if(NOT count EQUAL 3)
    message(FATAL_ERROR "The package's changelog, manual page or program was not found among "
                        "its files (found: ${found})")
endif()
