#include "plugin/plugin_info.h"

#include "host/plugin_identity.h"

namespace tolvek {

namespace {

// Zero-initialised static storage; the host keeps reading it through the
// address it was given, so it lives as long as the library.
PluginInfoRecord record;

}  // namespace

PluginInfoRecord* FillPluginInfo() {
    record.Name = PLUGIN_NAME;
    record.Author = u"The Tolvek developers";
    record.Email = u"developers@tolvek.example";
    record.WebPage = u"https://tolvek.example/";
    record.Description = TOLVEK_DESCRIPTION;
    record.FunctionList = u"tolvek,*key";
    record.MajorVersion = PLUGIN_MAJOR_VERSION;
    record.MinorVersion = PLUGIN_MINOR_VERSION;
    record.Build = PLUGIN_BUILD;
    return &record;
}

}  // namespace tolvek
