// Start-up, the help box and the usage text over anything the host may
// answer. The host version and the quiet-load test expand to any text, or
// fill the plug-in's buffer with one unit, up to its last unit and leaving
// no terminator; Help and Usage get any name. The target works out what
// the plug-in reads from each answer and checks:
// - the host version is the number the version answer states, read as the
//   C library reads an unsigned 32-bit number, when it lies from 8 to 100,
//   and 0 otherwise; the extended key mode is on from version 24;
// - the load banner is printed exactly when the quiet-load answer is "00";
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

// White space, one sign, then decimal digits: the number they state, when
// it fits 32 bits and lies from 8 to 100 (a minus negates modulo 2^32).
int StatedVersion(const std::u16string& text) {
    std::size_t i = 0;
    while (i < text.size() && IsWhiteSpace(text[i])) ++i;
    bool negative = false;
    if (i < text.size() && (text[i] == u'+' || text[i] == u'-')) negative = text[i++] == u'-';
    std::string digits;
    for (; i < text.size() && text[i] >= u'0' && text[i] <= u'9'; ++i) {
        if (!digits.empty() || text[i] != u'0') digits += static_cast<char>(text[i]);
    }
    if (digits.size() > 10 || (digits.size() == 10 && digits > "4294967295")) return 0;
    std::uint32_t value = digits.empty() ? 0 : static_cast<std::uint32_t>(std::stoull(digits));
    if (negative) value = 0u - value;
    return value >= 8 && value <= 100 ? static_cast<int>(value) : 0;
}

std::u16string Decimal(int number) {
    const std::string digits = std::to_string(number);
    return std::u16string(digits.begin(), digits.end());
}

std::u16string Banner() {
    return std::u16string(PluginName) + u" v" + Decimal(PLUGIN_MAJOR_VERSION) + u"." + Decimal(PLUGIN_MINOR_VERSION) +
           u"." + Decimal(PLUGIN_BUILD) + u" loaded.\r\n";
}

bool IsCommandName(const char16_t* name) {
    if (name == nullptr) return false;
    const std::u16string_view command = CommandName;
    std::size_t i = 0;
    for (; name[i] != u'\0'; ++i) {
        const char16_t unit = name[i] >= u'A' && name[i] <= u'Z' ? name[i] + (u'a' - u'A') : name[i];
        if (i >= command.size() || unit != command[i]) return false;
    }
    return i == command.size();
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
    const int expectedVersion = StatedVersion(TextRead(VERSION_TEXT, version));
    FUZZ_REQUIRE(HostVersion == expectedVersion);
    FUZZ_REQUIRE(ExtendedKeyMode == (expectedVersion >= 24));
    const bool banner = TextRead(QUIET_TEXT, quiet) == u"00";
    FUZZ_REQUIRE(fake_host::StandardOutput() == (banner ? Banner() : u""));
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
    const bool named = IsCommandName(name);

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
    const bool filled = withBuffer && IsCommandName(name);
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
