# The native build: unit tests against the stand-ins for the host and for
# Windows, and (behind options) fuzzers and benchmarks.
find_package(GTest REQUIRED)
include(GoogleTest)

file(GLOB TOLVEK_SUPPORT_SOURCES CONFIGURE_DEPENDS ${PROJECT_SOURCE_DIR}/tests/support/*.cpp)
add_subdirectory(tools/host_side)
add_library(tolvek_support STATIC ${TOLVEK_SUPPORT_SOURCES})
target_link_libraries(tolvek_support PUBLIC host_side)
target_include_directories(tolvek_support PUBLIC ${PROJECT_SOURCE_DIR}/tests/support ${PROJECT_SOURCE_DIR}/src)

add_library(tolvek_native STATIC $<TARGET_OBJECTS:tolvek_core>)
target_link_libraries(tolvek_native PUBLIC tolvek_support)
target_include_directories(tolvek_native PUBLIC ${PROJECT_SOURCE_DIR}/src)

if(NOT TOLVEK_FUZZ)
  file(GLOB TOLVEK_UNIT_SOURCES CONFIGURE_DEPENDS ${PROJECT_SOURCE_DIR}/tests/unit/*.cpp)
  # The stand-in host's portable parts are tested here too.
  set(TOLVEK_HOST_PORTABLE_SOURCES
    ${PROJECT_SOURCE_DIR}/tools/standin_host/edit_line.cpp
    ${PROJECT_SOURCE_DIR}/tools/standin_host/function_list.cpp
    ${PROJECT_SOURCE_DIR}/tools/standin_host/host_variables.cpp
    ${PROJECT_SOURCE_DIR}/tools/standin_host/key_translation.cpp
    ${PROJECT_SOURCE_DIR}/tools/standin_host/script_steps.cpp)
  add_executable(unit_tests ${TOLVEK_UNIT_SOURCES} ${TOLVEK_HOST_PORTABLE_SOURCES}
    ${PROJECT_SOURCE_DIR}/tools/standin_host/tests/key_translation_test.cpp
    ${PROJECT_SOURCE_DIR}/tools/standin_host/tests/portable_parts_test.cpp)
  target_include_directories(unit_tests PRIVATE ${PROJECT_SOURCE_DIR}/tools/standin_host)
  target_link_libraries(unit_tests PRIVATE tolvek_native GTest::gtest_main GTest::gmock)
  gtest_discover_tests(unit_tests DISCOVERY_TIMEOUT 60)
  add_subdirectory(tests/heap)
endif()

add_subdirectory(tests/boundary)
if(EXISTS ${PROJECT_SOURCE_DIR}/tests/fuzz/CMakeLists.txt)
  add_subdirectory(tests/fuzz)
endif()
if(TOLVEK_BENCH AND EXISTS ${PROJECT_SOURCE_DIR}/bench/CMakeLists.txt)
  add_subdirectory(bench)
endif()
