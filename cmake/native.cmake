# The native build: unit tests against the stand-ins for the host and for
# Windows, and (behind options) fuzzers and benchmarks.
find_package(GTest REQUIRED)
include(GoogleTest)

file(GLOB TOLVEK_SUPPORT_SOURCES CONFIGURE_DEPENDS ${PROJECT_SOURCE_DIR}/tests/support/*.cpp)
add_subdirectory(tools/host_side)
add_library(tolvek_support STATIC ${TOLVEK_SUPPORT_SOURCES})
target_link_libraries(tolvek_support PUBLIC host_side_recording)
target_include_directories(tolvek_support PUBLIC ${PROJECT_SOURCE_DIR}/tests/support ${PROJECT_SOURCE_DIR}/src)

# The plug-in's portable code with the stand-ins that take the place of the
# host and of Windows.
add_library(tolvek_native INTERFACE)
target_link_libraries(tolvek_native INTERFACE tolvek_core_archive tolvek_support)

if(NOT TOLVEK_FUZZ)
  file(GLOB TOLVEK_UNIT_SOURCES CONFIGURE_DEPENDS ${PROJECT_SOURCE_DIR}/tests/unit/*.cpp)
  add_executable(unit_tests ${TOLVEK_UNIT_SOURCES})
  target_link_libraries(unit_tests PRIVATE tolvek_native GTest::gtest_main GTest::gmock)
  gtest_discover_tests(unit_tests DISCOVERY_TIMEOUT 60)
  add_subdirectory(tests/heap)
  add_subdirectory(tools/standin_host)
endif()

add_subdirectory(tests/boundary)
if(EXISTS ${PROJECT_SOURCE_DIR}/tests/fuzz/CMakeLists.txt)
  add_subdirectory(tests/fuzz)
endif()
if(TOLVEK_BENCH AND EXISTS ${PROJECT_SOURCE_DIR}/bench/CMakeLists.txt)
  add_subdirectory(bench)
endif()
