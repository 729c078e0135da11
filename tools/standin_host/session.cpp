// Loading the plug-in, offering it keys and running its commands.
#include "session.h"

#include <windows.h>

#include <cstring>

#include "host_text.h"
#include "takecmd_console.h"
#include "visible_desktop.h"

namespace standin {
namespace {

using GetPluginInfoFunction = PluginInfoRecord*();
using PlainFunction = int();
using HelpFunction = int(char16_t* name);
using UsageFunction = int(char16_t* name, char16_t* buffer);

constexpr int USAGE_UNITS = 1024;
constexpr KeyCode MODIFIER_FLAGS = 0x60000;

int ClearEditLineCalls = 0;

void CountClearEditLine(char16_t* /*line*/) {
    ++ClearEditLineCalls;
}

void* Export(const Session& session, const std::u16string& name) {
    return reinterpret_cast<void*>(
        GetProcAddress(static_cast<HMODULE>(session.plugin.module), host_side::Narrow(name).c_str()));
}

std::u16string Text(const char16_t* text) {
    return text == nullptr ? u"(null)" : std::u16string(text);
}

void ShowRecord(const PluginInfoRecord* record) {
    if (record == nullptr) {
        Write(u"GetPluginInfo returned no record\r\n");
        return;
    }
    Write(u"  Name:         " + Text(record->Name) + u"\r\n");
    Write(u"  Version:      " + Number(record->MajorVersion) + u"." + Number(record->MinorVersion) + u"." +
          Number(record->Build) + u"\r\n");
    Write(u"  Description:  " + Text(record->Description) + u"\r\n");
    Write(u"  Functions:    " + Text(record->FunctionList) + u"\r\n");
}

// The function list: the record's, or the fallback when there is no record.
void ReadFunctionList(Session* session) {
    auto* getPluginInfo = reinterpret_cast<GetPluginInfoFunction*>(Export(*session, u"GetPluginInfo"));
    std::u16string list = session->options.fallbackFunctions;
    if (getPluginInfo == nullptr) {
        Write(u"plug-in has no GetPluginInfo; using the function list \"" + list + u"\"\r\n");
    } else {
        Write(u"GetPluginInfo:\r\n");
        const PluginInfoRecord* record = getPluginInfo();
        ShowRecord(record);
        if (record != nullptr && record->FunctionList != nullptr) list = record->FunctionList;
    }
    session->plugin.functions = ParseFunctionList(list.c_str());
}

void Initialize(Session* session) {
    auto* initialize = reinterpret_cast<PlainFunction*>(Export(*session, u"InitializePlugin"));
    if (initialize == nullptr) {
        Write(u"plug-in has no InitializePlugin\r\n");
        return;
    }
    Write(u"InitializePlugin:\r\n");
    const int result = initialize();
    Write(u"InitializePlugin returned " + Number(result) + u"\r\n");
}

void ResolveFunctions(Session* session) {
    Plugin& plugin = session->plugin;
    std::u16string commands;
    for (int i = 0; i < plugin.functions.commandCount; ++i) {
        const std::u16string name = plugin.functions.commands[i];
        plugin.commands[i] = reinterpret_cast<CommandFunction*>(Export(*session, name));
        if (plugin.commands[i] == nullptr) Write(u"plug-in has no " + name + u"\r\n");
        commands += (commands.empty() ? u"" : u", ") + name;
    }
    const std::u16string handler = plugin.functions.keystrokeHandler;
    if (!handler.empty()) {
        plugin.keystrokeHandler = reinterpret_cast<KeyFunction*>(Export(*session, handler));
        if (plugin.keystrokeHandler == nullptr) Write(u"plug-in has no " + handler + u"\r\n");
    }
    Write(u"Commands: " + (commands.empty() ? u"none" : commands) + u"; keystroke handler: " +
          (handler.empty() ? u"none" : handler) + u"\r\n");
}

std::u16string Trimmed(const std::u16string& text) {
    const auto first = text.find_first_not_of(u" \t");
    if (first == std::u16string::npos) return u"";
    const auto last = text.find_last_not_of(u" \t");
    return text.substr(first, last - first + 1);
}

bool SameWord(const std::u16string& word, const char16_t* name) {
    return host_side::SameNameIgnoringAsciiCase(name, word.data(), word.size());
}

// What the host can tell of a call of Help: the plug-in shows its help in
// a box and returns only when the box is closed, or prints it where no box
// can be shown. A box counts as shown only where one could be seen.
std::u16string HelpOutcome(int result, bool printed) {
    if (result != 1) return u": the plug-in has no help for that name";
    if (printed) return u": the plug-in printed its help";
    const std::u16string unseen = WhyNoWindowCanBeSeen();
    if (!unseen.empty()) return u"; no help box could be seen: " + unseen;
    return u": the plug-in showed its help box, and it was closed";
}

int RunHelp(Session* session, const std::u16string& name) {
    auto* help = reinterpret_cast<HelpFunction*>(Export(*session, u"Help"));
    if (help == nullptr) {
        Write(u"plug-in has no Help\r\n");
        return -1;
    }
    std::u16string argument = name;
    const int printsBefore = HostPrintCount();
    const int result = help(argument.data());
    Write(u"Help(\"" + name + u"\") returned " + Number(result) + HelpOutcome(result, HostPrintCount() > printsBefore) +
          u"\r\n");
    return result;
}

int RunUsage(Session* session, const std::u16string& name) {
    auto* usage = reinterpret_cast<UsageFunction*>(Export(*session, u"Usage"));
    if (usage == nullptr) {
        Write(u"plug-in has no Usage\r\n");
        return -1;
    }
    std::u16string argument = name;
    char16_t buffer[USAGE_UNITS + 1] = {};
    const int result = usage(argument.data(), buffer);
    buffer[USAGE_UNITS] = u'\0';
    Write(u"Usage(\"" + name + u"\") returned " + Number(result) + u"\r\n");
    if (result == 1) Write(std::u16string(buffer) + u"\r\n");
    return result;
}

}  // namespace

void Write(const std::u16string& text, int stream) {
    HostWrite(stream, text.c_str());
}

std::u16string Number(long long value) {
    std::u16string digits;
    const bool negative = value < 0;
    unsigned long long magnitude =
        negative ? 0ull - static_cast<unsigned long long>(value) : static_cast<unsigned long long>(value);
    do {
        digits.insert(digits.begin(), static_cast<char16_t>(u'0' + magnitude % 10));
        magnitude /= 10;
    } while (magnitude != 0);
    return negative ? u"-" + digits : digits;
}

std::u16string Hex(long long value) {
    constexpr char16_t HexDigits[] = u"0123456789ABCDEF";
    std::u16string digits;
    unsigned long long magnitude = static_cast<unsigned long long>(value) & 0xFFFFFFFFull;
    do {
        digits.insert(digits.begin(), HexDigits[magnitude % 16]);
        magnitude /= 16;
    } while (magnitude != 0);
    return u"0x" + digits;
}

bool LoadPlugin(Session* session) {
    HostSetClearEditLineHook(CountClearEditLine);
    Write(u"Loading " + session->options.plugin + u"\r\n");
    HMODULE module = LoadLibraryW(reinterpret_cast<const wchar_t*>(session->options.plugin.c_str()));
    if (module == nullptr) {
        Write(u"cannot load " + session->options.plugin + u" (error " + Number(GetLastError()) + u")\r\n", 2);
        return false;
    }
    session->plugin.module = module;
    ReadFunctionList(session);
    Initialize(session);
    ResolveFunctions(session);
    return true;
}

void UnloadPlugin(Session* session) {
    if (session->plugin.module == nullptr) return;
    auto* shutdown = reinterpret_cast<PlainFunction*>(Export(*session, u"ShutdownPlugin"));
    if (shutdown == nullptr) {
        Write(u"plug-in has no ShutdownPlugin\r\n");
    } else {
        Write(u"ShutdownPlugin returned " + Number(shutdown()) + u"\r\n");
    }
    FreeLibrary(static_cast<HMODULE>(session->plugin.module));
    session->plugin = Plugin{};
}

KeyOutcome PressKey(Session* session, const ConsoleKey& key) {
    KeyOutcome outcome;
    const Options& options = session->options;
    EditLine& line = session->line;
    outcome.hostKey = TranslateKey(key, options.extendedKeys);
    KeyCode code = outcome.hostKey.code;
    if (options.codesWithoutFlags && outcome.hostKey.fromTable) code &= ~MODIFIER_FLAGS;
    const bool byName = options.keysByName && options.extendedKeys && outcome.hostKey.fromTable;
    outcome.codePassed = byName ? 0 : code;

    KeyFunction* handler = session->plugin.keystrokeHandler;
    if (handler != nullptr && (outcome.codePassed != 0 || outcome.hostKey.name[0] != u'\0')) {
        outcome.offered = true;
        char16_t name[KEY_NAME_UNITS];
        std::memcpy(name, outcome.hostKey.name, sizeof name);
        KeystrokeRecord record;
        std::memset(static_cast<void*>(&record), 0, sizeof record);
        record.keyCode = outcome.codePassed;
        record.lineStart = line.text;
        record.cursorPos = line.text + line.cursor;
        record.redraw = 0;
        record.keyName = options.extendedKeys ? name : nullptr;

        char16_t before[LINE_UNITS];
        std::memcpy(before, line.text, sizeof before);
        const int cursorBefore = line.cursor;
        ClearEditLineCalls = 0;
        handler(&record);
        outcome.clearEditLineCalls = ClearEditLineCalls;
        outcome.taken = outcome.codePassed != 0 ? record.keyCode == 0 : name[0] == u'\0';
        outcome.redraw = record.redraw != 0;
        outcome.cursorOutside = !TakeLineFromBuffer(&line, record.cursorPos);
        outcome.textChanged = std::memcmp(before, line.text, (line.length + 1) * sizeof(char16_t)) != 0;
        outcome.cursorMoved = line.cursor != cursorBefore;
    }
    if (!outcome.taken) outcome.hostEffect = ApplyHostKey(&line, key);
    return outcome;
}

int RunCommandLine(Session* session, const std::u16string& text, bool reportResult) {
    const std::u16string line = Trimmed(text);
    if (line.empty()) return -1;
    int arguments = 0;
    const int index = FindCommand(session->plugin.functions, line.c_str(), &arguments);
    if (index >= 0) {
        const std::u16string name = session->plugin.functions.commands[index];
        CommandFunction* command = session->plugin.commands[index];
        if (command == nullptr) {
            Write(name + u": the plug-in does not export this command\r\n");
            return -1;
        }
        std::u16string argumentText = line.substr(static_cast<std::size_t>(arguments));
        const int result = command(argumentText.data());
        if (reportResult || result != 0) Write(u"(" + name + u" returned " + Number(result) + u")\r\n");
        return result;
    }
    const std::u16string word = line.substr(0, line.find_first_of(u" \t"));
    const std::u16string rest = Trimmed(line.substr(word.size()));
    if (SameWord(word, u"exit") && rest.empty()) {
        session->exitRequested = true;
        return 0;
    }
    if (SameWord(word, u"help") && !rest.empty()) return RunHelp(session, rest);
    if (SameWord(word, u"usage") && !rest.empty()) return RunUsage(session, rest);
    Write(line + u": not a command of this stand-in host\r\n");
    return -1;
}

}  // namespace standin
