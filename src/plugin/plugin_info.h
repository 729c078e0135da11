// The plug-in's identity: its name, version and the record the host reads.
#pragma once

#include "host/host_api.h"
#include "tolvek_version.h"

// The plug-in's name, as the record, the load banner and error messages
// show it, and the command's name, compared without case for A to Z.
inline constexpr char16_t PLUGIN_NAME[] = u"Tolvek";
inline constexpr char16_t COMMAND_NAME[] = u"tolvek";

// The record's three version numbers (the banner shows them too): the
// product's version, whose third number the record calls its build.
inline constexpr int PLUGIN_MAJOR_VERSION = TOLVEK_VERSION_MAJOR;
inline constexpr int PLUGIN_MINOR_VERSION = TOLVEK_VERSION_MINOR;
inline constexpr int PLUGIN_BUILD = TOLVEK_VERSION_PATCH;

// Stores the six texts and the three version numbers into the process's one
// PluginInfoRecord, on every call, and returns its address (always the
// same). The reserved bytes are neither written nor read.
PluginInfoRecord* FillPluginInfo();
