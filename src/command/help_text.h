// The command's help text, shared by the help box, the usage text and the
// command's "/?" and "/??" options.
#pragma once

#include <cstddef>

namespace tolvek {

// One literal per line, so that each can be read against the printed text.
// The line ends are the text's own: only the syntax line ends in "\r\n",
// every other line in a bare "\n"; the /DR line keeps two trailing blanks.
inline constexpr char16_t CommandHelpText[] =
    u"Display or change settings for the Tolvek plugin.\n"
    u"\n"
    u"TOLVEK /ML:key /MR:key /DL:key /DR:key /L /R /S\r\n"
    u"\n"
    u"\t/ML:  set the hotkey(s) to Move Left  one arg (Control-Left)\n"
    u"\t/MR:  set the hotkey(s) to Move Right one arg (Control-Right)\n"
    u"\t/DL:  set the hotkey(s) to Delete Left  one arg (Control-L)\n"
    u"\t/DR:  set the hotkey(s) to Delete Right one arg (Ctrl-R, Ctrl-BkSp)  \n"
    u"\t/L    List all supported hotkeys\n"
    u"\t/R    Restore saved settings from the registry\n"
    u"\t/S    Save settings to the registry as new default\n"
    u"\n"
    u"Examples of hotkeys are Alt-L, Control-Alt-Left, or Alt-[.  To\n"
    u"disable a function, specify NONE as the hotkey.  You can set two\n"
    u"hotkeys per function; separate them with a comma, for example\n"
    u"/DR:CONTROL-ALT-R,CONTROL-ALT-BKSP.\n"
    u"\n"
    u"If no hotkeys are specified, the current settings will be shown.\n";

// Number of units in CommandHelpText, terminator not counted.
inline constexpr std::size_t COMMAND_HELP_TEXT_LENGTH = sizeof CommandHelpText / sizeof CommandHelpText[0] - 1;
static_assert(COMMAND_HELP_TEXT_LENGTH == 785);

}  // namespace tolvek
