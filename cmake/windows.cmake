# The Windows build: tolvek.dll, the import library of the host, and the
# end-to-end tests that run under Wine.
set(CMAKE_RUNTIME_OUTPUT_DIRECTORY ${PROJECT_BINARY_DIR}/bin)
set(CMAKE_LIBRARY_OUTPUT_DIRECTORY ${PROJECT_BINARY_DIR}/bin)
enable_language(RC)

# Import library of TakeCmd.dll, generated from our own definition file.
# dlltool names the library's symbols after its output path, so it runs in
# the build folder with a relative path: no build path in the DLL. It leaves
# empty temporary files behind, so its temporary folder is a scratch folder
# of the build's, removed after it.
set(TAKECMD_DEF ${PROJECT_SOURCE_DIR}/src/host/TakeCmd.def)
set(TAKECMD_IMPLIB ${PROJECT_BINARY_DIR}/libTakeCmd.a)
add_custom_command(
  OUTPUT ${TAKECMD_IMPLIB}
  COMMAND ${CMAKE_COMMAND} -E make_directory dlltool-scratch
  COMMAND ${CMAKE_COMMAND} -E env TMPDIR=dlltool-scratch ${TOLVEK_DLLTOOL} -d ${TAKECMD_DEF} -l libTakeCmd.a
  COMMAND ${CMAKE_COMMAND} -E rm -rf dlltool-scratch
  WORKING_DIRECTORY ${PROJECT_BINARY_DIR}
  DEPENDS ${TAKECMD_DEF}
  COMMENT "Generating the import library of TakeCmd.dll")
add_custom_target(takecmd_implib DEPENDS ${TAKECMD_IMPLIB})
add_library(TakeCmd STATIC IMPORTED)
set_target_properties(TakeCmd PROPERTIES IMPORTED_LOCATION ${TAKECMD_IMPLIB})
add_dependencies(TakeCmd takecmd_implib)

# The version resource, from the project's version.
configure_file(src/plugin/tolvek.rc.in ${TOLVEK_GENERATED_DIR}/tolvek.rc @ONLY)

# The C and C++ run-times linked into the program or DLL, so that nothing
# of mingw-w64 has to be found beside it.
add_library(tolvek_static_runtime INTERFACE)
target_link_options(tolvek_static_runtime INTERFACE -static -static-libgcc -static-libstdc++)

# The same sources give the same bytes in any folder and at any time: no
# folder names in what the compiler writes (it writes none today, but would
# with -g), and no link time in the PE header or the export table.
add_library(tolvek_reproducible INTERFACE)
target_compile_options(tolvek_reproducible INTERFACE
  -ffile-prefix-map=${PROJECT_SOURCE_DIR}=. -ffile-prefix-map=${PROJECT_BINARY_DIR}=build)
target_link_options(tolvek_reproducible INTERFACE -Wl,--no-insert-timestamp)
target_link_libraries(tolvek_core PRIVATE tolvek_reproducible)

# The plug-in: a module that the host loads at run time, which nothing links
# against (so there is no import library).
add_library(tolvek MODULE
  ${PROJECT_SOURCE_DIR}/src/os/win32.cpp
  ${PROJECT_SOURCE_DIR}/src/plugin/tolvek.def
  ${TOLVEK_GENERATED_DIR}/tolvek.rc)
set_target_properties(tolvek PROPERTIES PREFIX "" OUTPUT_NAME tolvek)
target_link_libraries(tolvek PRIVATE
  tolvek_core tolvek_no_exceptions tolvek_stack_protector tolvek_reproducible tolvek_static_runtime
  TakeCmd user32 advapi32 kernel32)

# `cmake --install build/windows --prefix DIR` puts tolvek.dll and its debug
# information, tolvek.dll.debug, in DIR; with --strip, tolvek.dll is the
# shipped one: no symbols, and the name (and checksum) of tolvek.dll.debug
# for debuggers. The project strips it itself, with objcopy -p, because the
# strip program would write the current time into the PE header.
set(CMAKE_STRIP "")
install(TARGETS tolvek LIBRARY DESTINATION .)
install(CODE "set(TOLVEK_OBJCOPY \"${TOLVEK_OBJCOPY}\")")
install(SCRIPT ${PROJECT_SOURCE_DIR}/cmake/install_debug_file.cmake)
# Where the tests install the shipped form.
set(TOLVEK_SHIPPED_DIR ${PROJECT_BINARY_DIR}/shipped)

# Every program run under Wine uses a private prefix inside the build
# folder, which keeps the tests away from the user's own settings and
# registry. The "wine" test fixture prepares it. Three parts of Wine stay
# off: its .NET and HTML support (mscoree, mshtml), which a new prefix
# would offer to install, and its menu builder, which would write menu
# entries and file types for the prefix into the user's ~/.config and
# ~/.local/share.
set(TOLVEK_WINE_ENVIRONMENT
  "WINEPREFIX=${PROJECT_BINARY_DIR}/wineprefix"
  "WINEDEBUG=-all"
  "WINEDLLOVERRIDES=mscoree,mshtml,winemenubuilder.exe="
  "DISPLAY=")

# What the scripts need to know of this build, in a file they source (bash)
# instead of reading CMake's cache: the full version with its build number
# (which the release's file names carry), the Wine program, and the
# environment above, which is written only here.
set(wine_environment "")
foreach(setting IN LISTS TOLVEK_WINE_ENVIRONMENT)
  string(REPLACE "'" "'\\''" setting "${setting}")
  string(APPEND wine_environment " '${setting}'")
endforeach()
string(REPLACE "'" "'\\''" wine "${TOLVEK_WINE}")
file(GENERATE OUTPUT ${PROJECT_BINARY_DIR}/tolvek-build.sh CONTENT
  "# Facts of this build for the scripts, written by CMake (cmake/windows.cmake).
TOLVEK_VERSION=${PROJECT_VERSION}
TOLVEK_WINE='${wine}'
TOLVEK_WINE_ENVIRONMENT=(${wine_environment} )
")

add_subdirectory(tools/host_side)
add_subdirectory(tests/windows)
add_subdirectory(tests/boundary)
# The stand-in host program and its DLLs, in a folder of their own.
set(TOLVEK_HOST_DIR ${PROJECT_BINARY_DIR}/host)
add_subdirectory(tools/standin_host)
add_subdirectory(tests/transcripts)
add_subdirectory(tests/readme)
