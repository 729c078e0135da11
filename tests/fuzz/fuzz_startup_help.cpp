// Start-up, the help box and the usage text over anything the host may
// answer. The host version and the quiet-load test expand to any text, or
// fill the plug-in's buffer with one unit, up to its last unit and leaving
// no terminator; Help and Usage get any name. The target works out what the
// plug-in should make of each answer from what it may choose, not by a
// copy of its rules, and checks:
// - the host version is the one number from 8 to 100 that the version
//   answer states (as the C library reads an unsigned 32-bit number), or
//   0; the extended key mode is on from version 24;
// - the load banner, which starts with the plug-in's name, is printed
//   exactly when the quiet-load answer is "00";
// - the slots hold the stored hotkey, or the defaults when none is stored;
// - Help and Usage answer 1 exactly for the command's name in any case of
//   A to Z: Help shows the help text in a box owned by the foreground
//   window, or prints it when there is no desktop; Usage copies the usage
//   text into the host's buffer. Any other name shows nothing and leaves
//   the buffer as it was;
// - nothing goes to standard error, and nothing bypasses the host.
#include <cstdint>
#include <string>
#include <string_view>

#include "command/help_text.h"
#include "fake_host.h"
#include "fake_os.h"
#include "fuzz_check.h"
#include "fuzz_input.h"
#include "host/host_api.h"
#include "host/plugin_identity.h"
#include "hotkeys/hotkey_slots.h"
#include "plugin/exports.h"
#include "plugin/plugin_state.h"
#include "stdio_watch.h"
#include "text/char_class.h"

using namespace tolvek;

namespace {

constexpr std::size_t TEXT_UNITS = 12000;
constexpr char16_t VERSION_TEXT[] = u"%_4ver";
constexpr char16_t QUIET_TEXT[] = u"%[_transient]%[_pipe]%[noloadmsg]";
constexpr char16_t PATH[] = u"Software\\DARevavev\\Tolvek";
constexpr char16_t MARKER = 0xA5A5;
void* const FOREGROUND = reinterpret_cast<void*>(0xF0F0);

// How the host answers one expansion: with text, or by filling the first
// `fillUnits` units of the buffer with `fillUnit`.
struct Answer {
    std::u16string text;
    bool fills = false;
    char16_t fillUnit = 0;
    std::size_t fillUnits = 0;
};

Answer ReadFill(FuzzInput& input) {
    Answer answer;
    answer.fills = true;
    answer.fillUnit = static_cast<char16_t>(input.Unit());
    answer.fillUnits = input.Unit() % (HOST_BUFFER_UNITS + 1);
    return answer;
}

void Give(const char16_t* text, const Answer& answer) {
    if (answer.fills) {
        fake_host::SetBufferFill(text, answer.fillUnit, answer.fillUnits);
    } else {
        fake_host::SetExpansion(text, answer.text.c_str());
    }
}

// What the plug-in finds in its buffer of HOST_BUFFER_UNITS units once the
// host has answered: the text it put there, padded with NULs, with the
// answer written over it, and a terminator in the last unit.
std::u16string TextRead(const char16_t* text, const Answer& answer) {
    std::u16string buffer(HOST_BUFFER_UNITS, u'\0');
    if (answer.fills) {
        buffer.replace(0, std::char_traits<char16_t>::length(text), text);
        for (std::size_t i = 0; i < answer.fillUnits; ++i) buffer[i] = answer.fillUnit;
    } else {
        buffer.replace(0, answer.text.size(), answer.text);
    }
    buffer[HOST_BUFFER_UNITS - 1] = u'\0';
    return buffer.substr(0, buffer.find(u'\0'));
}

// Whether `answer` states `version`: white space, one optional sign, any
// zeros, then the version's digits (after a minus, those of 2^32 minus the
// version, which the minus negates back to it) and no further digit.
bool States(std::u16string_view answer, std::uint64_t version) {
    std::size_t i = 0;
    while (i < answer.size() && IsWhiteSpace(answer[i])) ++i;
    const bool negative = answer.substr(i, 1) == u"-";
    if (negative || answer.substr(i, 1) == u"+") ++i;
    while (answer.substr(i, 1) == u"0") ++i;
    const std::string digits = std::to_string(negative ? (std::uint64_t{1} << 32) - version : version);
    if (answer.substr(i, digits.size()) != std::u16string(digits.begin(), digits.end())) return false;
    const std::u16string_view next = answer.substr(i + digits.size(), 1);
    return next.empty() || next[0] < u'0' || next[0] > u'9';
}

// Whether `name` is one of the spellings of the command's name, each letter
// in upper or lower case.
bool SpellsCommandName(const char16_t* name) {
    const std::u16string command = CommandName;
    for (unsigned upper = 0; name != nullptr && upper < (1U << command.size()); ++upper) {
        std::u16string spelling = command;
        for (std::size_t i = 0; i < spelling.size(); ++i) spelling[i] -= ((upper >> i) & 1U) != 0 ? u'a' - u'A' : 0;
        if (spelling == name) return true;
    }
    return false;
}

// The next piece of `text` up to a NUL, or to its end; `at` moves past it.
std::u16string NextPiece(const char16_t* text, std::size_t length, std::size_t& at) {
    const std::size_t start = at < length ? at : length;
    std::size_t end = start;
    while (end < length && text[end] != u'\0') ++end;
    at = end + 1;
    return std::u16string(text + start, end - start);
}

// Starts the plug-in with the host answering as given, and checks what
// it made of the answers.
void CheckStartUp(fuzz::StdioWatch& watch, const Answer& version, const Answer& quiet, bool stores, KeyCode stored) {
    Give(VERSION_TEXT, version);
    Give(QUIET_TEXT, quiet);
    if (stores) {
        fake_os::SetNumber(os::RegistryRoot::CurrentUser, PATH, u"MoveLeft", static_cast<std::uint32_t>(stored));
    }
    HostVersion = 55;
    ExtendedKeyMode = false;
    for (KeyCode& slot : HotkeySlots) slot = 0x7777;

    watch.Open();
    const int started = InitializePlugin();
    FUZZ_REQUIRE(watch.Close() == 0);
    FUZZ_REQUIRE(started == 0);
    const std::u16string versionRead = TextRead(VERSION_TEXT, version);
    int expectedVersion = 0;
    for (int stated = 8; stated <= 100; ++stated) {
        if (States(versionRead, stated)) expectedVersion = stated;
    }
    FUZZ_REQUIRE(HostVersion == expectedVersion);
    FUZZ_REQUIRE(ExtendedKeyMode == (expectedVersion >= 24));
    const std::u16string banner = fake_host::StandardOutput();
    const bool named = banner.starts_with(std::u16string(PluginName) + u" v") && banner.ends_with(u" loaded.\r\n");
    FUZZ_REQUIRE(TextRead(QUIET_TEXT, quiet) == u"00" ? named : banner.empty());
    FUZZ_REQUIRE(fake_host::StandardError().empty());
    for (int slot = 0; slot < HOTKEY_SLOT_COUNT; ++slot) {
        const KeyCode expected = !stores ? DefaultHotkeys[slot] : slot == MoveLeft ? stored : NO_HOTKEY;
        FUZZ_REQUIRE(HotkeySlots[slot] == expected);
    }
}

void CheckHelp(fuzz::StdioWatch& watch, const char16_t* name, bool desktop) {
    fake_host::Reset();
    fake_os::SetForegroundWindow(FOREGROUND);
    if (!desktop) fake_os::RemoveDesktop();
    const bool named = SpellsCommandName(name);

    watch.Open();
    const int helped = Help(name);
    FUZZ_REQUIRE(watch.Close() == 0);
    FUZZ_REQUIRE(helped == (named ? 1 : 0));
    const bool boxShown = named && desktop;
    FUZZ_REQUIRE(fake_os::MessageBoxCount() == (boxShown ? 1 : 0));
    if (boxShown) {
        const fake_os::MessageBoxShown box = fake_os::LastMessageBox();
        FUZZ_REQUIRE(box.owner == FOREGROUND && box.text == CommandHelpText && box.caption == u"Tolvek Plugin Help");
    }
    FUZZ_REQUIRE(fake_host::StandardOutput() == (named && !boxShown ? CommandHelpText : u""));
}

char16_t usage[HOST_BUFFER_UNITS];

void CheckUsage(fuzz::StdioWatch& watch, const char16_t* name, bool withBuffer) {
    // The usage text is the help text from its syntax line on.
    const std::u16string_view help = CommandHelpText;
    const std::u16string_view usageText = help.substr(help.find(u"TOLVEK "));
    for (char16_t& unit : usage) unit = MARKER;

    watch.Open();
    const int used = Usage(name, withBuffer ? usage : nullptr);
    FUZZ_REQUIRE(watch.Close() == 0);
    const bool filled = withBuffer && SpellsCommandName(name);
    FUZZ_REQUIRE(used == (filled ? 1 : 0));
    if (filled) {
        FUZZ_REQUIRE(std::u16string_view(usage, usageText.size()) == usageText && usage[usageText.size()] == u'\0');
    }
    // Nothing after the terminator, and nothing at all for any other name.
    const std::size_t written = filled ? usageText.size() + 1 : 0;
    for (std::size_t i = written; i < HOST_BUFFER_UNITS; ++i) FUZZ_REQUIRE(usage[i] == MARKER);
}

char16_t text[TEXT_UNITS];

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static fuzz::StdioWatch watch;
    FuzzInput input(data, size);
    fake_host::Reset();
    fake_os::Reset();

    // Flags: 1 and 2 fill the buffer of the version and of the quiet-load
    // answer (a unit and a count follow for each); 4 stores a hotkey (its
    // code follows); 8 takes the desktop away; 16 gives Help and Usage no
    // name; 32 gives Usage no buffer. Then the version answer, the
    // quiet-load answer and the name, as text separated by NULs.
    const std::uint8_t flags = input.Byte();
    Answer version = (flags & 1) ? ReadFill(input) : Answer{};
    Answer quiet = (flags & 2) ? ReadFill(input) : Answer{};
    const bool stores = (flags & 4) != 0;
    const auto stored = static_cast<KeyCode>(stores ? input.Word() : 0);
    const std::size_t length = input.RestAsText(text, TEXT_UNITS);
    std::size_t at = 0;
    const std::u16string versionText = NextPiece(text, length, at);
    const std::u16string quietText = NextPiece(text, length, at);
    const std::u16string nameText = NextPiece(text, length, at);
    if (!version.fills) version.text = versionText;
    if (!quiet.fills) quiet.text = quietText;

    CheckStartUp(watch, version, quiet, stores, stored);
    const char16_t* const name = (flags & 16) ? nullptr : nameText.c_str();
    CheckHelp(watch, name, (flags & 8) == 0);
    CheckUsage(watch, name, (flags & 32) == 0);
    FUZZ_REQUIRE(fake_host::StandardError().empty() && fake_host::QprintfOnOtherHandles() == 0);
    return 0;
}
