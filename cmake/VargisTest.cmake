# vargis_add_test(NAME src... [LIBS libs...] [ENV vars...] [PCH headers...])
# Registers one GoogleTest executable with CTest; every test goes through here.
# Test code is compiled with -O1 whatever the build type (the code under test
# keeps its own flags): the tests run fast enough and build much faster. The
# first test of a folder that names PCH headers precompiles them; the later
# tests of that folder reuse its header, since they share its flags.
find_package(GTest REQUIRED)
function(vargis_add_test name)
    cmake_parse_arguments(ARG "" "" "SOURCES;LIBS;ENV;PCH" ${ARGN})
    add_executable(${name} ${ARG_SOURCES})
    target_link_libraries(${name} PRIVATE vargis_core ${ARG_LIBS} GTest::gtest GTest::gtest_main)
    target_include_directories(${name} PRIVATE ${PROJECT_SOURCE_DIR}/tests)
    target_compile_options(${name} PRIVATE -O1)
    get_directory_property(pch_owner VARGIS_TEST_PCH_OWNER)
    if(ARG_PCH AND NOT pch_owner)
        target_precompile_headers(${name} PRIVATE ${ARG_PCH})
        set_directory_properties(PROPERTIES VARGIS_TEST_PCH_OWNER ${name})
    elseif(ARG_PCH)
        target_precompile_headers(${name} REUSE_FROM ${pch_owner})
    endif()
    add_test(NAME ${name} COMMAND ${name})
    set_tests_properties(${name} PROPERTIES
        WORKING_DIRECTORY ${CMAKE_CURRENT_BINARY_DIR}
        ENVIRONMENT "VARGIS_SOURCE_DIR=${PROJECT_SOURCE_DIR};VARGIS_BUILD_DIR=${PROJECT_BINARY_DIR};${ARG_ENV}")
endfunction()
