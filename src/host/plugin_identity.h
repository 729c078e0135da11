// The plug-in's identity, as the host and the user see it: its name, the
// name of its command and its version.
#pragma once

#include "tolvek_version.h"

namespace tolvek {

// The plug-in's name, as the record, the load banner and error messages
// show it, and the command's name, compared without case for A to Z.
inline constexpr char16_t PluginName[] = u"Tolvek";
inline constexpr char16_t CommandName[] = u"tolvek";

// The record's three version numbers (the banner shows them too): the
// product's version, whose third number the record calls its build.
inline constexpr int PLUGIN_MAJOR_VERSION = TOLVEK_VERSION_MAJOR;
inline constexpr int PLUGIN_MINOR_VERSION = TOLVEK_VERSION_MINOR;
inline constexpr int PLUGIN_BUILD = TOLVEK_VERSION_PATCH;

}  // namespace tolvek
