# The Windows build: tolvek.dll, the import library of the host, and the
# end-to-end tests that run under Wine.
set(CMAKE_RUNTIME_OUTPUT_DIRECTORY ${PROJECT_BINARY_DIR}/bin)
set(CMAKE_LIBRARY_OUTPUT_DIRECTORY ${PROJECT_BINARY_DIR}/bin)
enable_language(RC)

# Import library of TakeCmd.dll, generated from our own definition file.
# dlltool names the library's symbols after its output path, so it runs in
# the build folder with a relative path: no build path in the DLL.
set(TAKECMD_DEF ${PROJECT_SOURCE_DIR}/src/host/TakeCmd.def)
set(TAKECMD_IMPLIB ${PROJECT_BINARY_DIR}/libTakeCmd.a)
add_custom_command(
  OUTPUT ${TAKECMD_IMPLIB}
  COMMAND ${TOLVEK_DLLTOOL} -d ${TAKECMD_DEF} -l libTakeCmd.a
  WORKING_DIRECTORY ${PROJECT_BINARY_DIR}
  DEPENDS ${TAKECMD_DEF}
  COMMENT "Generating the import library of TakeCmd.dll")
add_custom_target(takecmd_implib DEPENDS ${TAKECMD_IMPLIB})
add_library(TakeCmd STATIC IMPORTED)
set_target_properties(TakeCmd PROPERTIES IMPORTED_LOCATION ${TAKECMD_IMPLIB})
add_dependencies(TakeCmd takecmd_implib)

# The version resource, from the project's version.
configure_file(src/plugin/tolvek.rc.in ${TOLVEK_GENERATED_DIR}/tolvek.rc @ONLY)

add_library(tolvek SHARED
  $<TARGET_OBJECTS:tolvek_core>
  ${PROJECT_SOURCE_DIR}/src/os/win32.cpp
  ${PROJECT_SOURCE_DIR}/src/plugin/tolvek.def
  ${TOLVEK_GENERATED_DIR}/tolvek.rc)
target_include_directories(tolvek PRIVATE ${PROJECT_SOURCE_DIR}/src)
target_compile_options(tolvek PRIVATE -fno-exceptions -fno-rtti)
# No folder names in what the compiler writes (it writes none today, but
# would with -g): the same sources give the same bytes in any folder.
foreach(target tolvek_core tolvek)
  target_compile_options(${target} PRIVATE
    -ffile-prefix-map=${PROJECT_SOURCE_DIR}=. -ffile-prefix-map=${PROJECT_BINARY_DIR}=build)
endforeach()
set_target_properties(tolvek PROPERTIES PREFIX "" OUTPUT_NAME tolvek)
target_link_libraries(tolvek PRIVATE TakeCmd user32 advapi32 kernel32)
# No link time in the PE header or the export table: the same sources give
# the same bytes.
target_link_options(tolvek PRIVATE -static -static-libgcc -static-libstdc++ -Wl,--no-insert-timestamp)

# The shipped DLL carries no symbols; they and the debug sections go to
# tolvek.dll.debug beside it, whose name (and checksum) the DLL keeps for
# debuggers. -p keeps the link's zero timestamp, which objcopy would
# otherwise set to the current time.
add_custom_command(TARGET tolvek POST_BUILD
  COMMAND ${TOLVEK_OBJCOPY} -p --only-keep-debug tolvek.dll tolvek.dll.debug
  COMMAND ${TOLVEK_OBJCOPY} -p --strip-all --add-gnu-debuglink=tolvek.dll.debug tolvek.dll
  WORKING_DIRECTORY $<TARGET_FILE_DIR:tolvek>
  BYPRODUCTS ${PROJECT_BINARY_DIR}/bin/tolvek.dll.debug
  COMMENT "Moving the symbols of tolvek.dll to tolvek.dll.debug")

# Every program run under Wine uses a private prefix inside the build
# folder, which keeps the tests away from the user's own settings and
# registry. The "wine" test fixture prepares it.
set(TOLVEK_WINE_ENVIRONMENT
  "WINEPREFIX=${PROJECT_BINARY_DIR}/wineprefix"
  "WINEDEBUG=-all"
  "WINEDLLOVERRIDES=mscoree,mshtml="
  "DISPLAY=")

add_subdirectory(tools/host_side)
add_subdirectory(tests/windows)
add_subdirectory(tests/boundary)
# The stand-in host program and its DLLs, in a folder of their own.
set(TOLVEK_HOST_DIR ${PROJECT_BINARY_DIR}/host)
add_subdirectory(tools/standin_host)
add_subdirectory(tests/transcripts)
add_subdirectory(tests/readme)
