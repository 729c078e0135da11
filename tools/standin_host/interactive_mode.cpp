// Interactive mode: key events from the console, the edit line redrawn in
// place after every change.
#include <windows.h>

#include <string>

#include "session.h"

namespace standin {
namespace {

constexpr char16_t PROMPT[] = u"stand-in> ";

void Redraw(const EditLine& line, int* shownLength) {
    const std::u16string text = line.text;
    std::u16string out = std::u16string(u"\r") + PROMPT + text;
    if (*shownLength > line.length) out += std::u16string(static_cast<std::size_t>(*shownLength - line.length), u' ');
    out += std::u16string(u"\r") + PROMPT + text.substr(0, static_cast<std::size_t>(line.cursor));
    Write(out);
    *shownLength = line.length;
}

std::u16string Report(const Session& session, const ConsoleKey& key, const KeyOutcome& outcome) {
    std::u16string text = u"[virtual key " + Hex(key.virtualKey) + u", character " + Hex(key.character) + u": code " +
                          Hex(outcome.codePassed);
    if (outcome.hostKey.name[0] != u'\0') text += u" \"" + std::u16string(outcome.hostKey.name) + u"\"";
    if (!session.options.extendedKeys) text += u" (name not passed)";
    if (!outcome.offered) return text + u" not offered to the plug-in]";
    if (!outcome.taken) return text + u" -> host]";
    text += u" -> plug-in";
    if (outcome.clearEditLineCalls > 0) text += u", ClearEditLine";
    if (outcome.redraw) text += u", redraw";
    return text + u"]";
}

bool IsModifierKey(WORD virtualKey) {
    return virtualKey == VK_SHIFT || virtualKey == VK_CONTROL || virtualKey == VK_MENU || virtualKey == VK_LSHIFT ||
           virtualKey == VK_RSHIFT || virtualKey == VK_LCONTROL || virtualKey == VK_RCONTROL ||
           virtualKey == VK_LMENU || virtualKey == VK_RMENU || virtualKey == VK_CAPITAL || virtualKey == VK_NUMLOCK ||
           virtualKey == VK_SCROLL || virtualKey == VK_LWIN || virtualKey == VK_RWIN;
}

ConsoleKey FromEvent(const KEY_EVENT_RECORD& event) {
    const DWORD state = event.dwControlKeyState;
    return {event.wVirtualKeyCode, static_cast<char16_t>(event.uChar.UnicodeChar), (state & SHIFT_PRESSED) != 0,
            (state & (LEFT_CTRL_PRESSED | RIGHT_CTRL_PRESSED)) != 0,
            (state & (LEFT_ALT_PRESSED | RIGHT_ALT_PRESSED)) != 0};
}

// Handles one key; false when the session is to end.
bool HandleKey(Session* session, const ConsoleKey& key, int* shownLength) {
    const KeyOutcome outcome = PressKey(session, key);
    if (session->options.showKeys) {
        Write(u"\r\n" + Report(*session, key, outcome) + u"\r\n");
        *shownLength = 0;
        Redraw(session->line, shownLength);
    }
    switch (outcome.hostEffect) {
    case LineEffect::Submit: {
        const std::u16string line = session->line.text;
        ClearLine(&session->line);
        Write(u"\r\n");
        RunCommandLine(session, line, false);
        if (session->exitRequested) return false;
        *shownLength = 0;
        Write(PROMPT);
        return true;
    }
    case LineEffect::Cancel:
        ClearLine(&session->line);
        Write(std::u16string(u"^C\r\n") + PROMPT);
        *shownLength = 0;
        return true;
    case LineEffect::Changed: Redraw(session->line, shownLength); return true;
    case LineEffect::None:
        if (outcome.redraw || outcome.textChanged || outcome.cursorMoved) Redraw(session->line, shownLength);
        return true;
    }
    return true;
}

}  // namespace

int RunInteractive(Session* session) {
    HANDLE input = GetStdHandle(STD_INPUT_HANDLE);
    DWORD savedMode = 0;
    if (!GetConsoleMode(input, &savedMode)) {
        Write(u"standard input is no console; give a script with --script FILE\r\n", 2);
        return 2;
    }
    // Ctrl+C arrives as a key, and the host does its own echo and editing.
    // A console that still raises Ctrl+C as a signal (Wine on a terminal
    // does) must not end the host with it.
    SetConsoleMode(input,
                   savedMode & ~static_cast<DWORD>(ENABLE_PROCESSED_INPUT | ENABLE_LINE_INPUT | ENABLE_ECHO_INPUT));
    SetConsoleCtrlHandler(nullptr, TRUE);
    Write(u"Type command lines; the plug-in's hotkeys work as you type. \"exit\" ends.\r\n");
    Write(PROMPT);
    ClearLine(&session->line);
    int shownLength = 0;
    bool running = true;
    while (running) {
        INPUT_RECORD event;
        DWORD count = 0;
        if (!ReadConsoleInputW(input, &event, 1, &count) || count == 0) break;
        if (event.EventType != KEY_EVENT || !event.Event.KeyEvent.bKeyDown) continue;
        const KEY_EVENT_RECORD& keyEvent = event.Event.KeyEvent;
        if (IsModifierKey(keyEvent.wVirtualKeyCode)) continue;
        const ConsoleKey key = FromEvent(keyEvent);
        for (WORD repeat = 0; running && repeat < (keyEvent.wRepeatCount == 0 ? 1 : keyEvent.wRepeatCount); ++repeat) {
            running = HandleKey(session, key, &shownLength);
        }
    }
    SetConsoleCtrlHandler(nullptr, FALSE);
    SetConsoleMode(input, savedMode);
    Write(u"\r\n");
    return 0;
}

}  // namespace standin
