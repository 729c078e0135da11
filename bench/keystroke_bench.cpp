// The cost of one keystroke: MoveLeft from the end of the line (a full scan),
// DeleteRight from its start (a short scan and a move of the whole tail), a
// key that matches no slot, and the baseline of any single pass: reading
// every unit once and classifying it as white space or not. The host and the
// modifier keys are the native stand-ins.
#include <benchmark/benchmark.h>

#include <cstring>
#include <string>

#include "fake_host.h"
#include "fake_os.h"
#include "hotkeys/hotkey_slots.h"
#include "plugin/exports.h"
#include "text/char_class.h"

namespace {

constexpr KeyCode CTRL_LEFT = 65651;
constexpr KeyCode CTRL_R = 18;
constexpr KeyCode UP = 0x10048;

// Realistic command text, repeated and cut to `length` units.
std::u16string RealisticLine(std::size_t length) {
    const std::u16string pattern =
        u"copy \"C:\\Program Files\\Tolvek\\data file.txt\" d:\\backup\\%@name[%1].bak /v /y & "
        u"echo %@upper[%_date] ^& done & dir/s/b *.txt | find \"x\" ";
    std::u16string line;
    while (line.size() < length) line += pattern;
    line.resize(length);
    return line;
}

// Deep nesting, many quotes, escapes and commas: every rule of the scan.
std::u16string WorstCaseLine(std::size_t length) {
    std::u16string line;
    for (int depth = 0; depth < 300; ++depth) line += u"%@f[\"a^ b\",";
    const std::u16string pattern = u"\"x^\" y\",z^,%v% /s ]";
    while (line.size() < length) line += pattern;
    line.resize(length);
    return line;
}

// Words and blanks only: the scan's fast path alone.
std::u16string PlainWordsLine(std::size_t length) {
    std::u16string line;
    while (line.size() < length) line += u"copy file.txt d:\\backup\\ echo done ";
    line.resize(length);
    return line;
}

std::u16string LineFor(const benchmark::State& state) {
    const auto length = static_cast<std::size_t>(state.range(0));
    switch (state.range(1)) {
    case 0: return RealisticLine(length);
    case 1: return WorstCaseLine(length);
    default: return PlainWordsLine(length);
    }
}

struct Buffers {
    char16_t original[8192];
    char16_t line[8192];
    std::size_t length;
};

Buffers buffers;

void Prepare(const benchmark::State& state) {
    fake_host::Reset();
    fake_os::Reset();
    HotkeySlots = DEFAULT_HOTKEYS;
    const std::u16string text = LineFor(state);
    buffers.length = text.size();
    std::memcpy(buffers.original, text.c_str(), (text.size() + 1) * sizeof(char16_t));
    std::memcpy(buffers.line, buffers.original, sizeof buffers.line);
}

void MoveLeftFromEnd(benchmark::State& state) {
    Prepare(state);
    KeystrokeRecord record{};
    record.lineStart = buffers.line;
    for (auto _ : state) {
        record.keyCode = CTRL_LEFT;
        record.cursorPos = buffers.line + buffers.length;
        key(&record);
        benchmark::DoNotOptimize(record.cursorPos);
    }
}

void DeleteRightFromStart(benchmark::State& state) {
    Prepare(state);
    KeystrokeRecord record{};
    record.lineStart = buffers.line;
    for (auto _ : state) {
        std::memcpy(buffers.line, buffers.original, (buffers.length + 1) * sizeof(char16_t));
        record.keyCode = CTRL_R;
        record.cursorPos = buffers.line;
        key(&record);
        benchmark::DoNotOptimize(buffers.line[0]);
    }
}

// What DeleteRightFromStart spends on restoring the line between presses.
void RestoreLineOnly(benchmark::State& state) {
    Prepare(state);
    for (auto _ : state) {
        std::memcpy(buffers.line, buffers.original, (buffers.length + 1) * sizeof(char16_t));
        benchmark::DoNotOptimize(buffers.line[0]);
    }
}

void KeyMatchingNoSlot(benchmark::State& state) {
    Prepare(state);
    KeystrokeRecord record{};
    record.lineStart = buffers.line;
    record.cursorPos = buffers.line + buffers.length;
    for (auto _ : state) {
        record.keyCode = UP;
        key(&record);
        benchmark::DoNotOptimize(record.keyCode);
    }
}

void BaselineSinglePass(benchmark::State& state) {
    Prepare(state);
    for (auto _ : state) {
        int blanks = 0;
        for (const char16_t* p = buffers.line; *p != u'\0'; ++p) blanks += IsWhiteSpace(*p) ? 1 : 0;
        benchmark::DoNotOptimize(blanks);
    }
}

// Arguments: line length, and 0 for realistic text, 1 for the worst case,
// 2 for plain words.
void Lines(benchmark::internal::Benchmark* benchmark) {
    benchmark->ArgNames({"units", "worst"});
    for (const int length : {80, 1000, 8191}) benchmark->Args({length, 0});
    benchmark->Args({8191, 1});
    benchmark->Args({8191, 2});
}

BENCHMARK(MoveLeftFromEnd)->Apply(Lines);
BENCHMARK(DeleteRightFromStart)->Apply(Lines);
BENCHMARK(RestoreLineOnly)->Apply(Lines);
BENCHMARK(BaselineSinglePass)->Apply(Lines);
BENCHMARK(KeyMatchingNoSlot)->Args({80, 0});

}  // namespace

BENCHMARK_MAIN();
