#include "plugin/help.h"

#include <cstddef>

#include "command/help_text.h"
#include "host/host_api.h"
#include "host/plugin_identity.h"
#include "os/os.h"
#include "text/text.h"

namespace tolvek {

namespace {

// The usage text starts after the help text's first line feed and the line
// feeds that directly follow it: at the syntax line.
constexpr std::size_t UsageStart() {
    std::size_t i = 0;
    while (CommandHelpText[i] != u'\n') ++i;
    ++i;
    while (CommandHelpText[i] == u'\n') ++i;
    return i;
}

static_assert(COMMAND_HELP_TEXT_LENGTH - UsageStart() == 734);
static_assert(COMMAND_HELP_TEXT_LENGTH - UsageStart() < HOST_BUFFER_UNITS);

bool IsCommandName(const char16_t* name) {
    return name != nullptr && EqualsIgnoringAsciiCase(name, CommandName);
}

}  // namespace

bool ShowHelp(const char16_t* name) {
    if (!IsCommandName(name)) return false;
    // Without a desktop to show the box on, the help goes where "tolvek /?"
    // puts it, so that it is not lost.
    if (!os::ShowMessageBox(os::ForegroundWindow(), CommandHelpText, u"Tolvek Plugin Help")) QPuts(CommandHelpText);
    return true;
}

bool FillUsage(const char16_t* name, char16_t* buffer) {
    if (buffer == nullptr || !IsCommandName(name)) return false;
    CopyBounded(buffer, HOST_BUFFER_UNITS, CommandHelpText + UsageStart());
    return true;
}

}  // namespace tolvek
