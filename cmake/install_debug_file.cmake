# Part of `cmake --install` of the Windows build, run after tolvek.dll is
# installed: writes its debug information beside it as tolvek.dll.debug and,
# when installing with --strip, strips tolvek.dll and records in it the name
# and checksum of that file, where debuggers look for it. -p keeps the PE
# header's zero time stamp, which objcopy would otherwise set to the
# current time. TOLVEK_OBJCOPY is set by the install rule before this one.
set(folder "$ENV{DESTDIR}${CMAKE_INSTALL_PREFIX}")
message(STATUS "Installing: ${folder}/tolvek.dll.debug")
execute_process(
  COMMAND ${TOLVEK_OBJCOPY} -p --only-keep-debug tolvek.dll tolvek.dll.debug
  WORKING_DIRECTORY ${folder}
  COMMAND_ERROR_IS_FATAL ANY)
list(APPEND CMAKE_INSTALL_MANIFEST_FILES "${folder}/tolvek.dll.debug")
if(CMAKE_INSTALL_DO_STRIP)
  message(STATUS "Stripping: ${folder}/tolvek.dll")
  execute_process(
    COMMAND ${TOLVEK_OBJCOPY} -p --strip-all --add-gnu-debuglink=tolvek.dll.debug tolvek.dll
    WORKING_DIRECTORY ${folder}
    COMMAND_ERROR_IS_FATAL ANY)
  # -p gave the stripped DLL the linked one's file time too, by which the
  # next install would take it for an up-to-date copy and skip it.
  file(TOUCH_NOCREATE ${folder}/tolvek.dll)
endif()
