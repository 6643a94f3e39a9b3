# vargis_add_test(NAME src... [LIBS libs...] [ENV vars...])
# Registers one GoogleTest executable with CTest; every test goes through here.
find_package(GTest REQUIRED)
function(vargis_add_test name)
    cmake_parse_arguments(ARG "" "" "SOURCES;LIBS;ENV" ${ARGN})
    add_executable(${name} ${ARG_SOURCES})
    target_link_libraries(${name} PRIVATE vargis_core ${ARG_LIBS} GTest::gtest GTest::gtest_main)
    target_include_directories(${name} PRIVATE ${PROJECT_SOURCE_DIR}/tests)
    add_test(NAME ${name} COMMAND ${name})
    set_tests_properties(${name} PROPERTIES
        WORKING_DIRECTORY ${CMAKE_CURRENT_BINARY_DIR}
        ENVIRONMENT "VARGIS_SOURCE_DIR=${PROJECT_SOURCE_DIR};VARGIS_BUILD_DIR=${PROJECT_BINARY_DIR};${ARG_ENV}")
endfunction()
