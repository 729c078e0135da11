# Checks that every source file of the plug-in (src/) is compiled without
# exceptions and without run-time type information, and with the stack
# protector, by reading the build's compile commands. Run as:
#   cmake -DCOMPILE_COMMANDS=<build>/compile_commands.json -DSOURCE_DIR=<repo> -P check_core_flags.cmake
if(NOT EXISTS "${COMPILE_COMMANDS}")
  message(FATAL_ERROR "no ${COMPILE_COMMANDS}: configure with CMAKE_EXPORT_COMPILE_COMMANDS=ON (the presets do)")
endif()
file(READ "${COMPILE_COMMANDS}" commands)
string(JSON count LENGTH "${commands}")
math(EXPR last "${count} - 1")

set(checked 0)
set(failures "")
foreach(index RANGE ${last})
  string(JSON file GET "${commands}" ${index} file)
  if(NOT file MATCHES "^${SOURCE_DIR}/src/.*\\.cpp$")
    continue()
  endif()
  string(JSON command ERROR_VARIABLE no_command GET "${commands}" ${index} command)
  if(no_command)
    string(JSON command GET "${commands}" ${index} arguments)
  endif()
  math(EXPR checked "${checked} + 1")
  foreach(flag -fno-exceptions -fno-rtti -fstack-protector-strong)
    string(FIND "${command}" " ${flag}" at)
    if(at EQUAL -1)
      string(APPEND failures "  ${file} is compiled without ${flag}\n")
    endif()
  endforeach()
endforeach()

if(checked EQUAL 0)
  message(FATAL_ERROR "no source file of src/ in ${COMPILE_COMMANDS}")
endif()
if(NOT failures STREQUAL "")
  message(FATAL_ERROR "the plug-in's code must be built without exceptions or run-time type data, "
                      "and with the stack protector:\n${failures}")
endif()
message(STATUS "${checked} source files of src/ are compiled with -fno-exceptions -fno-rtti -fstack-protector-strong")
