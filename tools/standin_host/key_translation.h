// The stand-in host's keyboard: console key presses in the host's key
// numbering, and the key names that scripts use. Portable code: the Windows
// virtual-key codes are spelled out here, so no Windows header is needed.
#pragma once

#include <cstddef>
#include <cstdint>

namespace standin {

using KeyCode = std::int32_t;

// Windows virtual-key codes of the keys the host numbers.
// clang-format off
enum VirtualKey : int {
    VK_BACK_KEY = 0x08, VK_TAB_KEY = 0x09, VK_RETURN_KEY = 0x0D, VK_ESCAPE_KEY = 0x1B,
    VK_SPACE_KEY = 0x20, VK_PRIOR_KEY = 0x21, VK_NEXT_KEY = 0x22, VK_END_KEY = 0x23,
    VK_HOME_KEY = 0x24, VK_LEFT_KEY = 0x25, VK_UP_KEY = 0x26, VK_RIGHT_KEY = 0x27,
    VK_DOWN_KEY = 0x28, VK_INSERT_KEY = 0x2D, VK_DELETE_KEY = 0x2E,
    VK_0_KEY = 0x30, VK_A_KEY = 0x41,
    VK_MULTIPLY_KEY = 0x6A, VK_ADD_KEY = 0x6B, VK_SUBTRACT_KEY = 0x6D, VK_DECIMAL_KEY = 0x6E,
    VK_DIVIDE_KEY = 0x6F, VK_F1_KEY = 0x70,
    VK_OEM_1_KEY = 0xBA, VK_OEM_PLUS_KEY = 0xBB, VK_OEM_COMMA_KEY = 0xBC, VK_OEM_MINUS_KEY = 0xBD,
    VK_OEM_PERIOD_KEY = 0xBE, VK_OEM_2_KEY = 0xBF, VK_OEM_3_KEY = 0xC0, VK_OEM_4_KEY = 0xDB,
    VK_OEM_5_KEY = 0xDC, VK_OEM_6_KEY = 0xDD, VK_OEM_7_KEY = 0xDE,
};
// clang-format on

// A key press as the console reports it.
struct ConsoleKey {
    int virtualKey;      // Windows virtual-key code
    char16_t character;  // the character the key types, 0 for none
    bool shift;
    bool ctrl;
    bool alt;
};

constexpr std::size_t KEY_NAME_UNITS = 32;

// A key press in the host's numbering.
struct HostKey {
    KeyCode code;                   // 0 when the key has neither a code nor a character
    bool fromTable;                 // the code is the key's usable cell of the numbering
    char16_t name[KEY_NAME_UNITS];  // e.g. "Ctrl-Shift-F5"; empty when the key has no name
};

// The host's code and name of a key press. `extendedKeys` selects the
// numbering of hosts from version 24 on (seven modifier columns, key names
// such as "Backspace" and "Minus"); otherwise the legacy numbering (six
// columns, "BkSp", "-"). A key whose row and modifier column hold a usable
// code gets that code, modifier flags included (0x20000 Ctrl+Shift, 0x40000
// Ctrl+Alt, 0x60000 Ctrl+Alt+Shift), and its name: the modifier prefix
// ("Shift-", "Ctrl-", "Alt-", "Ctrl-Shift-", "Ctrl-Alt-", "Ctrl-Alt-Shift-")
// and the row's name. Any other key gets the character it types as its code
// (Ctrl+C gives 3, Enter 13), or 0; its name is still given when the key has
// a row and a column. Alt+Shift has no column, nor has Ctrl+Alt+Shift in the
// legacy numbering: as the plug-in adds no flag for Shift there, such a key
// gets the code of its Alt (or Ctrl+Alt) column, and no name.
HostKey TranslateKey(const ConsoleKey& key, bool extendedKeys);

// The key a user pressed, from the key a console reports. Wine's console on
// a terminal takes Alt+Backspace, which the terminal sends as ESC DEL, for
// Alt with the key that types DEL, and so reports Ctrl+Alt+Backspace with
// the character DEL; a Ctrl+Alt+Backspace really pressed types nothing.
// That key is given as Alt+Backspace; every other key as it is.
ConsoleKey KeyAsPressed(const ConsoleKey& reported);

// The key a script names: optional modifier words ("Shift", "Ctrl",
// "Control", "Ctl", "Alt", or "S", "C", "A"; any case), each followed by
// "-", then a key name such as "Left", "F5", "PgUp", "Backspace", "BkSp",
// "Enter", "Tab", "Esc", "Space", "A", "1", "Minus", "[", "Num+". The
// character is the one a US keyboard types with those modifiers. Returns
// false, leaving `key` alone, for text that names no key.
bool ParseScriptKey(const char16_t* text, ConsoleKey* key);

// The key press that types `character` on a US keyboard (Shift for capitals
// and the shifted symbols); characters no key types come with key code 0.
ConsoleKey KeyForCharacter(char16_t character);

}  // namespace standin
