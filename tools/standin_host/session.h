// The stand-in host program: a plug-in DLL loaded the way a host loads it,
// an edit line whose keys go to the plug-in first, and command lines run
// through the plug-in's commands. Windows code.
#pragma once

#include <string>

#include "edit_line.h"
#include "function_list.h"
#include "host/host_api.h"
#include "key_translation.h"

namespace standin {

// The records a host and its plug-ins exchange, as the plug-in declares them.
using tolvek::KeystrokeRecord;
using tolvek::PluginInfoRecord;

struct Options {
    std::u16string plugin = u"tolvek.dll";
    std::u16string script;  // empty: interactive
    std::u16string fallbackFunctions = u"tolvek,*key";
    bool keysByName = false;         // code 0 for keys that have a name
    bool codesWithoutFlags = false;  // leave Ctrl+Shift / Ctrl+Alt to the plug-in
    bool showKeys = false;           // interactive: report every key
    bool extendedKeys = true;        // settled from the version
};

using CommandFunction = int(char16_t* arguments);
using KeyFunction = int(KeystrokeRecord* record);

struct Plugin {
    void* module = nullptr;
    FunctionList functions{};
    CommandFunction* commands[MAX_COMMANDS] = {};
    KeyFunction* keystrokeHandler = nullptr;
};

// What became of one key press.
struct KeyOutcome {
    HostKey hostKey{};
    KeyCode codePassed = 0;
    bool offered = false;  // the plug-in has a keystroke handler
    bool taken = false;    // the plug-in consumed the key
    bool redraw = false;
    int clearEditLineCalls = 0;
    bool textChanged = false;    // by the plug-in
    bool cursorMoved = false;    // by the plug-in
    bool cursorOutside = false;  // the plug-in left the cursor outside the line
    LineEffect hostEffect = LineEffect::None;
};

struct Session {
    Options options;
    Plugin plugin;
    EditLine line{};
    bool exitRequested = false;
};

// Output through the host library's writer: stream 1 or 2.
void Write(const std::u16string& text, int stream = 1);
std::u16string Number(long long value);
std::u16string Hex(long long value);

// Loads the plug-in, shows its record, initialises it and resolves its
// functions, reporting each export it lacks. False when the DLL cannot be
// loaded at all.
bool LoadPlugin(Session* session);
// Calls ShutdownPlugin (when there is one) and unloads the plug-in.
void UnloadPlugin(Session* session);

// Offers the key to the plug-in and, when it passes it on, edits the line
// as the host does.
KeyOutcome PressKey(Session* session, const ConsoleKey& key);

// Runs a command line: the plug-in's commands, "help NAME", "usage NAME"
// and "exit". Returns the command's result, or -1 when nothing ran.
int RunCommandLine(Session* session, const std::u16string& line, bool reportResult);

int RunScript(Session* session);
int RunInteractive(Session* session);

}  // namespace standin
