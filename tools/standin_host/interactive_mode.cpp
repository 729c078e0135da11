// Interactive mode: key events from the console, the edit line redrawn in
// place after every change, on one row that scrolls sideways when the line
// is wider than the window.
#include <windows.h>

#include <string>

#include "line_view.h"
#include "session.h"

namespace standin {
namespace {

constexpr char16_t Prompt[] = u"stand-in> ";
constexpr int PROMPT_CELLS = static_cast<int>(sizeof Prompt / sizeof Prompt[0]) - 1;
constexpr int DEFAULT_COLUMNS = 80;  // when the window's width cannot be read

// The cells the row has for the line: the window's width less the prompt,
// the cells that Ctrl+C's mark takes after the line, and the last column,
// which stays empty so that the console never wraps the row and a carriage
// return always goes back to its start.
int RowWidth() {
    CONSOLE_SCREEN_BUFFER_INFO info;
    int columns = DEFAULT_COLUMNS;
    if (GetConsoleScreenBufferInfo(GetStdHandle(STD_OUTPUT_HANDLE), &info)) {
        columns = info.srWindow.Right - info.srWindow.Left + 1;
    }
    return columns - PROMPT_CELLS - CANCEL_MARK_CELLS - 1;
}

// Draws the prompt and the part of the line the row shows over the row, and
// leaves the console's cursor on the line's cursor. `viewStart` is the first
// unit the row showed, kept from one redraw to the next.
void Redraw(const EditLine& line, int* viewStart) {
    const int width = RowWidth();
    const LineView view = ViewLine(line.length, line.cursor, width, *viewStart);
    const std::u16string cells = ViewCells(line, view, width);
    Write(std::u16string(u"\r") + Prompt + cells + u"\r" + Prompt +
          cells.substr(0, static_cast<std::size_t>(view.cursorColumn)));
    *viewStart = view.start;
}

// Ctrl+C arrives as a key where processed input is off, as in a console
// window. A console that raises it as a signal all the same (Wine on a
// terminal does) gets the key put into its input here, so that Ctrl+C
// clears the line there too. Ctrl+Break and closing the window still end
// the host.
BOOL WINAPI CtrlCAsKey(DWORD event) {
    if (event != CTRL_C_EVENT) return FALSE;
    INPUT_RECORD record{};
    record.EventType = KEY_EVENT;
    record.Event.KeyEvent.bKeyDown = TRUE;
    record.Event.KeyEvent.wRepeatCount = 1;
    record.Event.KeyEvent.wVirtualKeyCode = 'C';
    record.Event.KeyEvent.uChar.UnicodeChar = 3;
    record.Event.KeyEvent.dwControlKeyState = LEFT_CTRL_PRESSED;
    DWORD written = 0;
    WriteConsoleInputW(GetStdHandle(STD_INPUT_HANDLE), &record, 1, &written);
    return TRUE;
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
bool HandleKey(Session* session, const ConsoleKey& key, int* viewStart) {
    const KeyOutcome outcome = PressKey(session, key);
    if (session->options.showKeys) {
        Write(u"\r\n" + Report(*session, key, outcome) + u"\r\n");
        Redraw(session->line, viewStart);
    }
    switch (outcome.hostEffect) {
    case LineEffect::Submit: {
        const std::u16string line = session->line.text;
        ClearLine(&session->line);
        Write(u"\r\n");
        RunCommandLine(session, line, false);
        if (session->exitRequested) return false;
        *viewStart = 0;
        Write(Prompt);
        return true;
    }
    case LineEffect::Cancel: {
        // As a console does: the line stays on the screen as it was, with
        // ^C after it, and an empty prompt starts on the next row. A line
        // wider than the row keeps the view that was on screen.
        Write(std::u16string(u"\r") + Prompt + CancelledCells(session->line, *viewStart, RowWidth()) + u"\r\n" +
              Prompt);
        ClearLine(&session->line);
        *viewStart = 0;
        return true;
    }
    case LineEffect::Changed: Redraw(session->line, viewStart); return true;
    case LineEffect::None:
        if (outcome.redraw || outcome.textChanged || outcome.cursorMoved) Redraw(session->line, viewStart);
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
    SetConsoleMode(input,
                   savedMode & ~static_cast<DWORD>(ENABLE_PROCESSED_INPUT | ENABLE_LINE_INPUT | ENABLE_ECHO_INPUT));
    SetConsoleCtrlHandler(CtrlCAsKey, TRUE);
    Write(u"Type command lines; the plug-in's hotkeys work as you type. \"exit\" ends.\r\n");
    Write(Prompt);
    ClearLine(&session->line);
    int viewStart = 0;
    bool running = true;
    while (running) {
        INPUT_RECORD event;
        DWORD count = 0;
        if (!ReadConsoleInputW(input, &event, 1, &count) || count == 0) break;
        if (event.EventType != KEY_EVENT || !event.Event.KeyEvent.bKeyDown) continue;
        const KEY_EVENT_RECORD& keyEvent = event.Event.KeyEvent;
        if (IsModifierKey(keyEvent.wVirtualKeyCode)) continue;
        const ConsoleKey key = KeyAsPressed(FromEvent(keyEvent));
        for (WORD repeat = 0; running && repeat < (keyEvent.wRepeatCount == 0 ? 1 : keyEvent.wRepeatCount); ++repeat) {
            running = HandleKey(session, key, &viewStart);
        }
    }
    SetConsoleCtrlHandler(CtrlCAsKey, FALSE);
    SetConsoleMode(input, savedMode);
    Write(u"\r\n");
    return 0;
}

}  // namespace standin
