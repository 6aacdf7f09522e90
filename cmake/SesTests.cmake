# ses_add_test(NAME SOURCES files... LIBS targets... [GUI] [DISCOVERY_TIMEOUT s])
#
# One GoogleTest executable and its discovered tests. GUI tests get the shared main in
# tests/main.cpp, which makes a QApplication on the offscreen platform; the others use
# GoogleTest's own main. Every test sees tests/ on its include path for the shared fixtures.
function(ses_add_test name)
    cmake_parse_arguments(PARSE_ARGV 1 arg "GUI" "" "SOURCES;LIBS")
    add_executable(${name} ${arg_SOURCES})
    target_include_directories(${name} PRIVATE ${CMAKE_SOURCE_DIR}/tests)
    if(arg_GUI)
        target_sources(${name} PRIVATE ${CMAKE_SOURCE_DIR}/tests/main.cpp)
        target_link_libraries(${name} PRIVATE ${arg_LIBS} Qt6::Widgets Qt6::Test GTest::gtest)
        gtest_discover_tests(${name} DISCOVERY_TIMEOUT 60
            PROPERTIES ENVIRONMENT QT_QPA_PLATFORM=offscreen)
    else()
        target_link_libraries(${name} PRIVATE ${arg_LIBS} GTest::gtest_main)
        gtest_discover_tests(${name} DISCOVERY_TIMEOUT 60)
    endif()
endfunction()
