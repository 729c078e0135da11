// tolvek_host: a stand-in for the command processor that hosts plug-ins.
// Loads a plug-in DLL the way the host does, keeps an edit line whose keys
// go to the plug-in's keystroke handler first, and runs command lines
// through the plug-in's commands, interactively or from a script.
#include <windows.h>

#include <string>

#include "host_generation.h"
#include "modifier_keys.h"
#include "session.h"
#include "takecmd_console.h"

namespace {

using standin::Write;

constexpr char16_t UsageText[] =
    u"usage: tolvek_host [options] [PLUGIN.dll]\r\n"
    u"  PLUGIN.dll            the plug-in to load (default tolvek.dll)\r\n"
    u"  --script FILE         replay the steps in FILE instead of reading the keyboard\r\n"
    u"  --version TEXT        what %_4ver expands to (default 24; from 24 on the host\r\n"
    u"                        numbers keys the newer way and passes their names)\r\n"
    u"  --escape C            the escape character (default ^)\r\n"
    u"  --set NAME=VALUE      any other host variable, e.g. noloadmsg=1 (no load\r\n"
    u"                        banner), _transient=1, _pipe=1, _batch=1,\r\n"
    u"                        _batchname=demo.btm, _batchline=7\r\n"
    u"  --keys-by-name        from version 24 on, pass named keys by name only (code 0)\r\n"
    u"  --codes-without-flags pass Ctrl+Shift and Ctrl+Alt keys without their flags;\r\n"
    u"                        the plug-in adds them from the keyboard state\r\n"
    u"  --functions LIST      function list to use when the plug-in has no\r\n"
    u"                        GetPluginInfo (default \"tolvek,*key\")\r\n"
    u"  --show-keys           interactive: show the code and name of every key\r\n";

std::u16string Wide(const wchar_t* text) {
    return std::u16string(reinterpret_cast<const char16_t*>(text));
}

bool SetVariable(const std::u16string& name, const std::u16string& value) {
    if (HostSetVariable(name.c_str(), value.c_str()) == 0) return true;
    Write(u"too many host variables\r\n", 2);
    return false;
}

// The options that switch something on; false for any other option.
bool SetFlag(const std::u16string& option, standin::Options* options) {
    bool* flag = nullptr;
    if (option == u"--keys-by-name") flag = &options->keysByName;
    if (option == u"--codes-without-flags") flag = &options->codesWithoutFlags;
    if (option == u"--show-keys") flag = &options->showKeys;
    if (flag == nullptr) return false;
    *flag = true;
    return true;
}

enum class ValueOption { None, Script, Functions, Version, Escape, Set };

ValueOption ValueOptionOf(const std::u16string& option) {
    if (option == u"--script") return ValueOption::Script;
    if (option == u"--functions") return ValueOption::Functions;
    if (option == u"--version") return ValueOption::Version;
    if (option == u"--escape") return ValueOption::Escape;
    if (option == u"--set") return ValueOption::Set;
    return ValueOption::None;
}

// "--set NAME=VALUE": 0, or the exit code after a message.
int SetAssignment(const std::u16string& assignment) {
    const auto equals = assignment.find(u'=');
    if (equals == std::u16string::npos || equals == 0) {
        Write(u"--set takes NAME=VALUE\r\n", 2);
        return 2;
    }
    return SetVariable(assignment.substr(0, equals), assignment.substr(equals + 1)) ? 0 : 2;
}

// Applies an option and its value: 0, or the exit code after a message.
int ApplyValueOption(ValueOption which, const std::u16string& value, standin::Options* options) {
    switch (which) {
    case ValueOption::Script: options->script = value; return 0;
    case ValueOption::Functions: options->fallbackFunctions = value; return 0;
    case ValueOption::Version: return SetVariable(u"_4ver", value) ? 0 : 2;
    case ValueOption::Escape: return SetVariable(u"@option[escapechar]", value) ? 0 : 2;
    case ValueOption::Set: return SetAssignment(value);
    case ValueOption::None: break;
    }
    return 2;
}

// Returns 0 to go on, -1 after the usage text, or the exit code.
int ParseOptions(int argc, wchar_t** argv, standin::Options* options) {
    for (int i = 1; i < argc; ++i) {
        const std::u16string option = Wide(argv[i]);
        if (option == u"--help" || option == u"-h" || option == u"/?") {
            Write(UsageText);
            return -1;
        }
        if (SetFlag(option, options)) continue;
        const ValueOption which = ValueOptionOf(option);
        if (which != ValueOption::None && i + 1 < argc) {
            const int result = ApplyValueOption(which, Wide(argv[++i]), options);
            if (result != 0) return result;
        } else if (which == ValueOption::None && !option.empty() && option[0] != u'-') {
            options->plugin = option;
        } else {
            Write(u"unknown option or missing value: " + option + u"\r\n" + UsageText, 2);
            return 2;
        }
    }
    return 0;
}

std::u16string Variable(const char16_t* name) {
    const char16_t* value = HostVariableValue(name);
    return value == nullptr ? u"" : value;
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
    standin::Session session;
    const int parsed = ParseOptions(argc, argv, &session.options);
    if (parsed != 0) return parsed < 0 ? 0 : parsed;

    const std::u16string version = Variable(u"_4ver");
    session.options.extendedKeys = standin::NumbersKeysTheNewerWay(version.c_str());
    Write(u"Stand-in host, version \"" + version + u"\": " +
          (session.options.extendedKeys ? u"keys numbered as from version 24 on, passed with their names"
                                        : u"keys numbered as up to version 23") +
          (session.options.keysByName && session.options.extendedKeys ? u" (named keys by name only)" : u"") +
          (session.options.codesWithoutFlags ? u", without the Ctrl+Shift and Ctrl+Alt flags" : u"") +
          u"; escape character " + Variable(u"@option[escapechar]") + u"\r\n");

    if (!standin::LoadPlugin(&session)) return 1;
    const int result =
        session.options.script.empty() ? standin::RunInteractive(&session) : standin::RunScript(&session);
    host_side::HoldModifierKeys(false, false, false);
    standin::UnloadPlugin(&session);
    return result;
}
