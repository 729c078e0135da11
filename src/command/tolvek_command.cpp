#include "command/tolvek_command.h"

#include "command/argument_tokenizer.h"
#include "command/help_text.h"
#include "host/error_prefix.h"
#include "host/plugin_identity.h"
#include "hotkeys/hotkey_names.h"
#include "hotkeys/hotkey_slots.h"
#include "hotkeys/registry_store.h"
#include "text/text.h"

namespace tolvek {

namespace {

// Options that set the hotkeys of one action: the option's first three
// characters, and the slot of the action's first key.
struct HotkeyOption {
    const char16_t* prefix;
    HotkeySlot slot;
};

constexpr HotkeyOption HotkeyOptions[] = {
    {u"/ML", MoveLeft},
    {u"/MR", MoveRight},
    {u"/DL", DeleteLeft},
    {u"/DR", DeleteRight},
};

// The lines that show an action's hotkeys, in slot order.
struct HotkeyLine {
    const char16_t* oneKey;
    const char16_t* twoKeys;
};

constexpr HotkeyLine HotkeyLines[] = {
    {u"Move arg left   :  %s\r\n", u"Move arg left   :  %s or %s\r\n"},
    {u"Move arg right  :  %s\r\n", u"Move arg right  :  %s or %s\r\n"},
    {u"Delete arg left :  %s\r\n", u"Delete arg left :  %s or %s\r\n"},
    {u"Delete arg right:  %s\r\n", u"Delete arg right:  %s or %s\r\n"},
};

constexpr char16_t VersionLine[] = u"\r\n\t\t\t\t%s  %u.%u.%u.%u (%s)\r\n";
constexpr unsigned VersionNumbers[] = {TOLVEK_VERSION_MAJOR, TOLVEK_VERSION_MINOR, TOLVEK_VERSION_PATCH,
                                       TOLVEK_VERSION_BUILD};
constexpr char16_t PlatformTag[] = u"x64";

// True when `argument` begins with `prefix`, A-Z compared without case.
bool StartsWithIgnoringAsciiCase(const char16_t* argument, const char16_t* prefix) {
    for (; *prefix != u'\0'; ++prefix, ++argument) {
        if (ToUpperAscii(*argument) != ToUpperAscii(*prefix)) return false;
    }
    return true;
}

const HotkeyOption* HotkeyOptionOf(const char16_t* argument) {
    for (const HotkeyOption& option : HotkeyOptions) {
        if (StartsWithIgnoringAsciiCase(argument, option.prefix)) return &option;
    }
    return nullptr;
}

// The message for an option's value that was refused, with the refused
// name for its "%s"; null for a value refused without a message, and for
// one that went through.
const char16_t* PairFailureMessage(HotkeyPairResult result) {
    switch (result) {
    case HotkeyPairResult::Parsed:
    case HotkeyPairResult::MissingName: return nullptr;
    case HotkeyPairResult::UnknownName: return u"Bad hotkey \"%s\"\r\n";
    case HotkeyPairResult::UnusableKey: return u"Invalid hotkey \"%s\"\r\n";
    case HotkeyPairResult::KeyNotAllowed: return u"Key not allowed \"%s\"\r\n";
    }
    return nullptr;
}

// Reports a value refused with a message, naming the refused part of
// `value`: in place when it runs to the value's end, else cut out (a first
// name, at most FIRST_NAME_LIMIT units).
void ReportPairFailure(const HotkeyPair& pair, const char16_t* value) {
    const char16_t* message = PairFailureMessage(pair.result);
    if (message == nullptr) return;
    const char16_t* name = value + pair.rejectedStart;
    char16_t cut[FIRST_NAME_LIMIT + 1];
    if (name[pair.rejectedLength] != u'\0') {
        CopyBounded(cut, (pair.rejectedLength < FIRST_NAME_LIMIT ? pair.rejectedLength : FIRST_NAME_LIMIT) + 1, name);
        name = cut;
    }
    ReportError(message, name);
}

// The message for a save or a load that failed; null for one that went
// through.
const char16_t* StoreFailureMessage(StoreResult result) {
    switch (result) {
    case StoreResult::Done: return nullptr;
    case StoreResult::KeyNotOpened: return u"Error opening registry key\r\n";
    case StoreResult::WriteFailed: return u"Error writing to registry\r\n";
    case StoreResult::NothingRead: return u"Error reading from registry\r\n";
    }
    return nullptr;
}

// True after reporting a save or a load that failed.
[[nodiscard]] bool ReportStoreFailure(StoreResult result) {
    const char16_t* message = StoreFailureMessage(result);
    if (message == nullptr) return false;
    ReportError(message);
    return true;
}

// Prints one line per key of `keys`, in table order, with every usable
// hotkey of that key; each line end is a QPuts of its own.
void ListSupportedHotkeys(KeySet keys) {
    char16_t line[HOTKEY_NAME_UNITS];
    for (int row = 0; row < KeyRowCount(keys); ++row) {
        FormatKeyRowHotkeys(keys, row, line);
        QPuts(line);
        QPuts(u"\r\n");
    }
}

// What the options of one command ask for, gathered during the scan.
struct Requests {
    bool save = false;
    bool restore = false;
    bool list = false;
    bool changed = false;  // a hotkey option was applied
};

// What one argument does: the scan goes on, or the command ends with
// `result`.
struct Step {
    bool ends;
    CommandResult result;
};

constexpr Step GoOn{false, CommandResult::Done};

constexpr Step EndWith(CommandResult result) {
    return {true, result};
}

// A hotkey option applies its value to its action's two slots at once;
// the value is what follows the option's three characters and one ":" or
// "=".
Step ApplyHotkeyOption(const HotkeyOption& option, const char16_t* argument, KeySet keys, HotkeySlotCodes& slots,
                       Requests& requests) {
    const char16_t* value = argument + 3;
    if (*value == u':' || *value == u'=') ++value;
    const HotkeyPair pair = ParseHotkeyPair(keys, value);
    if (pair.result != HotkeyPairResult::Parsed) {
        ReportPairFailure(pair, value);
        return EndWith(CommandResult::UsageError);
    }
    slots[option.slot] = pair.first;
    slots[option.slot + SECOND_KEY_OFFSET] = pair.second;
    requests.changed = true;
    return GoOn;
}

// Takes one argument of the scan, by the first option it matches.
Step ApplyArgument(const char16_t* argument, KeySet keys, HotkeySlotCodes& slots, Requests& requests) {
    const bool helpWithVersion = TextEquals(argument, u"/??");
    if (helpWithVersion || TextEquals(argument, u"/?")) {
        QPuts(CommandHelpText);
        if (helpWithVersion) {
            Printf(VersionLine, PluginName, VersionNumbers[0], VersionNumbers[1], VersionNumbers[2], VersionNumbers[3],
                   PlatformTag);
        }
        return EndWith(CommandResult::Done);
    }
    if (EqualsIgnoringAsciiCase(argument, u"/S")) {
        requests.save = true;
    } else if (EqualsIgnoringAsciiCase(argument, u"/R")) {
        requests.restore = true;
    } else if (EqualsIgnoringAsciiCase(argument, u"/L")) {
        requests.list = true;
    } else if (const HotkeyOption* option = HotkeyOptionOf(argument)) {
        return ApplyHotkeyOption(*option, argument, keys, slots, requests);
    } else {
        ReportError(argument[0] == u'/' ? u"Unknown option \"%s\"\r\n" : u"Syntax error \"%s\"\r\n", argument);
        return EndWith(CommandResult::UsageError);
    }
    return GoOn;
}

// Reports the first combination of requests that cannot go together, in
// this order: /R with /S, /R with a hotkey option, /L with anything else.
// False when they go together.
[[nodiscard]] bool ReportConflict(const Requests& requests) {
    const char16_t* message = nullptr;
    if (requests.save && requests.restore) {
        message = u"Can\u2019t combine /R and /S.\r\n";
    } else if (requests.restore && requests.changed) {
        message = u"Can\u2019t combine /R with a hotkey option.\r\n";
    } else if (requests.list && (requests.save || requests.restore || requests.changed)) {
        message = u"Can\u2019t combine /L with other options.\r\n";
    }
    if (message == nullptr) return false;
    ReportError(message);
    return true;
}

}  // namespace

void ShowCurrentHotkeys(KeySet keys, const HotkeySlotCodes& slots) {
    char16_t firstName[HOTKEY_NAME_UNITS];
    char16_t secondName[HOTKEY_NAME_UNITS];
    for (int action = MoveLeft; action <= DeleteRight; ++action) {
        // An action switched off shows the word that switches it off.
        const KeyCode first = slots[action];
        if (first != NO_HOTKEY) FormatHotkeyName(keys, first, firstName);
        const char16_t* const firstShown = first == NO_HOTKEY ? u"NONE" : firstName;
        const KeyCode second = slots[action + SECOND_KEY_OFFSET];
        if (second == NO_HOTKEY) {
            Printf(HotkeyLines[action].oneKey, firstShown);
        } else {
            FormatHotkeyName(keys, second, secondName);
            Printf(HotkeyLines[action].twoKeys, firstShown, secondName);
        }
    }
}

CommandResult RunTolvekCommand(const char16_t* arguments, KeySet keys, HotkeySlotCodes& slots,
                               ArgumentTable& argumentTable) {
    if (arguments == nullptr) return CommandResult::NullArguments;
    const Tokenized split = TokenizeArguments(arguments, argumentTable);
    if (split.result == TokenizeResult::StoreFull) {
        // A broken argument list must not act. The message calls the
        // store's size MAX_ARG_LEN, as it always has.
        ReportError(u"Buffer overflow: b = %d, MAX_ARG_LEN = %d \r\n", split.refusedCell, ARGUMENT_STORE_UNITS);
        return CommandResult::UsageError;
    }

    Requests requests;
    for (int k = 0; k < MAX_ARGUMENTS; ++k) {
        if (argumentTable.length[k] == 0) continue;
        const Step step = ApplyArgument(argumentTable.start[k], keys, slots, requests);
        if (step.ends) return step.result;
    }
    if (ReportConflict(requests)) return CommandResult::UsageError;

    if (requests.list) {
        ListSupportedHotkeys(keys);
        return CommandResult::Done;
    }
    if (requests.save && ReportStoreFailure(SaveHotkeysToRegistry(slots))) return CommandResult::StoreFailed;
    if (requests.restore) {
        HotkeySlotCodes stored{};
        if (ReportStoreFailure(LoadHotkeysFromRegistry(stored))) return CommandResult::StoreFailed;
        slots = stored;
    }

    QPuts(requests.changed ? u"\r\nTolvek hotkeys changed to:\r\n\r\n" : u"\r\nCurrent Tolvek hotkeys are:\r\n\r\n");
    ShowCurrentHotkeys(keys, slots);
    return CommandResult::Done;
}

}  // namespace tolvek
