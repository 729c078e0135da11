#include "plugin/plugin_info.h"

#include "host/plugin_identity.h"

namespace tolvek {

void FillPluginInfo(PluginInfoRecord& record) {
    record.Name = PluginName;
    record.Author = u"The Tolvek developers";
    record.Email = u"developers@tolvek.example";
    record.WebPage = u"https://tolvek.example/";
    record.Description = TolvekDescription;
    record.FunctionList = u"tolvek,*key";
    record.MajorVersion = PLUGIN_MAJOR_VERSION;
    record.MinorVersion = PLUGIN_MINOR_VERSION;
    record.Build = PLUGIN_BUILD;
}

}  // namespace tolvek
