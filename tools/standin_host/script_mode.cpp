// Script mode: replays typed text, named keys and command lines from a file
// and shows the edit line with the cursor after each step.
#include <windows.h>

#include <string>
#include <vector>

#include "modifier_keys.h"
#include "script_steps.h"
#include "session.h"

namespace standin {
namespace {

constexpr std::size_t STEP_COLUMN = 28;  // where the outcome of a key press is shown

bool ReadScript(const std::u16string& path, std::vector<std::u16string>* lines) {
    HANDLE file = CreateFileW(reinterpret_cast<const wchar_t*>(path.c_str()), GENERIC_READ, FILE_SHARE_READ, nullptr,
                              OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) return false;
    std::string bytes;
    char chunk[4096];
    DWORD read = 0;
    while (ReadFile(file, chunk, sizeof chunk, &read, nullptr) && read > 0) bytes.append(chunk, read);
    CloseHandle(file);
    if (bytes.compare(0, 3, "\xEF\xBB\xBF") == 0) bytes.erase(0, 3);
    std::u16string text(bytes.size(), u'\0');
    const int units = bytes.empty()
                          ? 0
                          : MultiByteToWideChar(CP_UTF8, 0, bytes.data(), static_cast<int>(bytes.size()),
                                                reinterpret_cast<wchar_t*>(text.data()), static_cast<int>(text.size()));
    text.resize(static_cast<std::size_t>(units));
    std::size_t start = 0;
    while (start < text.size()) {
        std::size_t end = text.find(u'\n', start);
        if (end == std::u16string::npos) end = text.size();
        std::u16string line = text.substr(start, end - start);
        if (!line.empty() && line.back() == u'\r') line.pop_back();
        lines->push_back(line);
        start = end + 1;
    }
    return true;
}

void ShowLine(const EditLine& line) {
    Write(u"  " + std::u16string(line.text) + u"\r\n  " + std::u16string(static_cast<std::size_t>(line.cursor), u' ') +
          u"^\r\n");
}

std::u16string CodeText(KeyCode code) {
    return code >= 0 && code < 0x100 ? Number(code) : Hex(code);
}

// "code 0x10073 "Ctrl-Left" -> plug-in: ClearEditLine, redraw", or "-> host".
std::u16string Describe(const Session& session, const KeyOutcome& outcome) {
    std::u16string text = u"code " + CodeText(outcome.codePassed);
    if (session.options.extendedKeys && outcome.hostKey.name[0] != u'\0') {
        text += u" \"" + std::u16string(outcome.hostKey.name) + u"\"";
    }
    if (!outcome.taken) {
        text += u" -> host";
        if (outcome.textChanged || outcome.cursorMoved)
            text += u" (the plug-in changed the line but passed the key on)";
        return text;
    }
    std::u16string effects;
    for (int i = 0; i < outcome.clearEditLineCalls; ++i) effects += u", ClearEditLine";
    if (outcome.redraw) effects += u", redraw";
    if (effects.empty()) effects = u", no change";
    text += u" -> plug-in: " + effects.substr(2);
    if ((outcome.textChanged || outcome.cursorMoved) && !outcome.redraw)
        text += u" (changed the line without a redraw)";
    if (outcome.cursorOutside) text += u" (left the cursor outside the line)";
    return text;
}

void Submit(Session* session) {
    const std::u16string line = session->line.text;
    ClearLine(&session->line);
    RunCommandLine(session, line, true);
}

// Holds the modifier keys, and says so when the keyboard state does not
// show them in time: what the plug-in then sees is not the key pressed.
void HoldModifiers(bool shift, bool ctrl, bool alt) {
    if (!host_side::HoldModifierKeys(shift, ctrl, alt))
        Write(u"the modifier keys did not reach the keyboard state\r\n", 2);
}

// Presses one key as a script does: the modifiers held on the keyboard
// while the plug-in sees the key.
KeyOutcome ScriptKey(Session* session, const ConsoleKey& key) {
    HoldModifiers(key.shift, key.ctrl, key.alt);
    const KeyOutcome outcome = PressKey(session, key);
    HoldModifiers(false, false, false);
    return outcome;
}

void ScriptError(int number, const std::u16string& message) {
    Write(u"script line " + Number(number) + u": " + message + u"\r\n", 2);
}

bool RunKeys(Session* session, const char16_t* names, int number) {
    int position = 0;
    char16_t name[64];
    while (NextWord(names, &position, name, 64)) {
        ConsoleKey key{};
        if (!ParseScriptKey(name, &key)) {
            ScriptError(number, u"no key is named \"" + std::u16string(name) + u"\"");
            return false;
        }
        std::u16string step = u"> key " + std::u16string(name);
        step.resize(step.size() < STEP_COLUMN ? STEP_COLUMN : step.size() + 1, u' ');
        Write(step);
        const KeyOutcome outcome = ScriptKey(session, key);
        Write(Describe(*session, outcome) + u"\r\n");
        if (outcome.hostEffect == LineEffect::Submit) {
            Submit(session);
            if (session->exitRequested) return true;
        } else if (outcome.hostEffect == LineEffect::Cancel) {
            ClearLine(&session->line);
            Write(u"  ^C\r\n");
        } else {
            ShowLine(session->line);
        }
    }
    return true;
}

void TypeText(Session* session, const char16_t* text) {
    Write(u"> type " + std::u16string(text) + u"\r\n");
    int taken = 0;
    for (const char16_t* p = text; *p != u'\0'; ++p) {
        if (ScriptKey(session, KeyForCharacter(*p)).taken) ++taken;
    }
    if (taken > 0) Write(u"  (the plug-in took " + Number(taken) + u" of the typed keys)\r\n");
    ShowLine(session->line);
}

bool SetCursorStep(Session* session, const char16_t* argument, int number) {
    const std::u16string text = argument;
    Write(u"> cursor " + text + u"\r\n");
    if (text == u"end") {
        SetCursor(&session->line, session->line.length);
    } else {
        if (text.empty() || text.find_first_not_of(u"0123456789") != std::u16string::npos || text.size() > 6) {
            ScriptError(number, u"\"cursor\" takes a position or \"end\"");
            return false;
        }
        int position = 0;
        for (char16_t digit : text) position = position * 10 + (digit - u'0');
        SetCursor(&session->line, position);
    }
    ShowLine(session->line);
    return true;
}

void RunStep(Session* session, const char16_t* text) {
    Write(u"> run " + std::u16string(text) + u"\r\n");
    SetLineText(&session->line, text);
    ConsoleKey enter{};
    ParseScriptKey(u"Enter", &enter);
    const KeyOutcome outcome = ScriptKey(session, enter);
    if (outcome.hostEffect == LineEffect::Submit) {
        Submit(session);
    } else {
        Write(u"  Enter: " + Describe(*session, outcome) + u"\r\n");
        ShowLine(session->line);
    }
}

}  // namespace

int RunScript(Session* session) {
    std::vector<std::u16string> lines;
    if (!ReadScript(session->options.script, &lines)) {
        Write(u"cannot read the script " + session->options.script + u"\r\n", 2);
        return 2;
    }
    ClearLine(&session->line);
    for (std::size_t i = 0; i < lines.size() && !session->exitRequested; ++i) {
        const int number = static_cast<int>(i + 1);
        const Step step = ParseStep(lines[i].c_str());
        switch (step.kind) {
        case StepKind::Skip: break;
        case StepKind::Say: Write(std::u16string(step.argument) + u"\r\n"); break;
        case StepKind::Type: TypeText(session, step.argument); break;
        case StepKind::Key:
            if (!RunKeys(session, step.argument, number)) return 2;
            break;
        case StepKind::Line:
            Write(u"> line " + std::u16string(step.argument) + u"\r\n");
            SetLineText(&session->line, step.argument);
            ShowLine(session->line);
            break;
        case StepKind::Cursor:
            if (!SetCursorStep(session, step.argument, number)) return 2;
            break;
        case StepKind::Run: RunStep(session, step.argument); break;
        case StepKind::Unknown:
            ScriptError(number, u"unknown step \"" + std::u16string(step.argument) + u"\"");
            return 2;
        }
    }
    HoldModifiers(false, false, false);
    return 0;
}

}  // namespace standin
