// The stand-in host's portable code (tools/host), built into the unit tests
// here because the native build globs its test sources from this folder.
#include "../../tools/host/edit_line.cpp"
#include "../../tools/host/function_list.cpp"
#include "../../tools/host/host_variables.cpp"
#include "../../tools/host/key_translation.cpp"
#include "../../tools/host/script_steps.cpp"
