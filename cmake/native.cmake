# The native build: unit tests against the stand-ins for the host and for
# Windows, and (behind options) fuzzers and benchmarks.
find_package(GTest REQUIRED)
include(GoogleTest)

add_subdirectory(tools/host_side)
add_library(tolvek_support STATIC
  tests/support/fake_host.cpp
  tests/support/fake_os.cpp
  tests/support/reference_scanner.cpp)
target_link_libraries(tolvek_support PUBLIC tolvek_headers host_side_recording)
target_include_directories(tolvek_support PUBLIC ${PROJECT_SOURCE_DIR}/tests/support)

# The plug-in's portable code with the stand-ins that take the place of the
# host and of Windows.
add_library(tolvek_native INTERFACE)
target_link_libraries(tolvek_native INTERFACE tolvek_core_archive tolvek_support)

if(NOT TOLVEK_FUZZ)
  add_executable(unit_tests
    tests/unit/argument_scanner_test.cpp
    tests/unit/argument_tokenizer_test.cpp
    tests/unit/char_class_test.cpp
    tests/unit/error_prefix_test.cpp
    tests/unit/export_boundary_test.cpp
    tests/unit/hotkey_names_test.cpp
    tests/unit/key_tables_test.cpp
    tests/unit/keystroke_handler_test.cpp
    tests/unit/lifecycle_test.cpp
    tests/unit/registry_store_test.cpp
    tests/unit/scan_blocks_test.cpp
    tests/unit/scanner_model_test.cpp
    tests/unit/text_test.cpp
    tests/unit/tolvek_command_test.cpp)
  target_link_libraries(unit_tests PRIVATE tolvek_native GTest::gtest_main GTest::gmock)
  gtest_discover_tests(unit_tests DISCOVERY_TIMEOUT 60)
  add_subdirectory(tests/heap)
  add_subdirectory(tools/standin_host)
endif()

add_subdirectory(tests/boundary)
add_subdirectory(tests/fuzz)
if(TOLVEK_BENCH)
  add_subdirectory(bench)
endif()
