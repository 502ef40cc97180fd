# Prints the installer's product code for one version (cmake -DVERSION=1.2.3 -P this file): a
# name-based UUID of the version, so that every build of a version carries the same code.
if(NOT VERSION MATCHES "^[0-9]+\\.[0-9]+\\.[0-9]+$")
    message(FATAL_ERROR "VERSION must be major.minor.patch, not '${VERSION}'")
endif()
string(UUID code NAMESPACE 16552C21-7163-43DE-AA7F-643002ED366D NAME "quillmote-win64-${VERSION}"
       TYPE SHA1 UPPER)
execute_process(COMMAND "${CMAKE_COMMAND}" -E echo "${code}")
