# qm_add_library(<name> [QT] DEPENDS <libs...>)
# Builds one subsystem library from every .cpp in the calling folder (not its subfolders).
function(qm_add_library name)
    cmake_parse_arguments(ARG "" "" "DEPENDS" ${ARGN})
    file(GLOB sources CONFIGURE_DEPENDS "${CMAKE_CURRENT_SOURCE_DIR}/*.cpp")
    if(sources)
        set(scope PUBLIC)
        add_library(${name} STATIC ${sources})
    else()
        set(scope INTERFACE)
        add_library(${name} INTERFACE)
    endif()
    target_include_directories(${name} ${scope}
        "${PROJECT_SOURCE_DIR}"
        "${PROJECT_BINARY_DIR}/generated")
    target_link_libraries(${name} ${scope} ${ARG_DEPENDS})
    add_dependencies(${name} check_layers)
endfunction()

# qm_add_test_suite(<label> [FOLDER <folder>] DEPENDS <libs...> [EXCLUDE <folder/file.cpp...>])
# One GoogleTest binary per subsystem folder under tests/ (tests/<label>, or the FOLDER given),
# every test labelled with the subsystem so that `ctest -L <label>` runs just that subsystem.
function(qm_add_test_suite label)
    cmake_parse_arguments(ARG "" "FOLDER" "DEPENDS;EXCLUDE" ${ARGN})
    if(NOT ARG_FOLDER)
        set(ARG_FOLDER ${label})
    endif()
    file(GLOB sources CONFIGURE_DEPENDS "${CMAKE_CURRENT_SOURCE_DIR}/${ARG_FOLDER}/*.cpp")
    foreach(excluded ${ARG_EXCLUDE})
        list(REMOVE_ITEM sources "${CMAKE_CURRENT_SOURCE_DIR}/${excluded}")
    endforeach()
    if(NOT sources)
        return()
    endif()
    add_executable(test_${label} ${sources})
    target_link_libraries(test_${label} PRIVATE ${ARG_DEPENDS} qm_test_support GTest::gtest GTest::gmock GTest::gtest_main)
    gtest_discover_tests(test_${label}
        PROPERTIES LABELS ${label}
        DISCOVERY_TIMEOUT 120
        DISCOVERY_MODE PRE_TEST)
endfunction()

# qm_add_benchmark(<topic> DEPENDS <libs...>) builds bench_<topic> from bench/<topic>*.cpp.
function(qm_add_benchmark topic)
    cmake_parse_arguments(ARG "" "" "DEPENDS" ${ARGN})
    file(GLOB sources CONFIGURE_DEPENDS "${CMAKE_CURRENT_SOURCE_DIR}/${topic}/*.cpp")
    add_executable(bench_${topic} ${sources})
    target_link_libraries(bench_${topic} PRIVATE ${ARG_DEPENDS} qm_bench_support benchmark::benchmark benchmark::benchmark_main)
endfunction()
