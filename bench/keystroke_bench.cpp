// The cost of one keystroke: MoveLeft from the end of the line (a full scan),
// DeleteRight from its start (a short scan and a move of the whole tail), a
// key that matches no slot, and the baseline of any single pass: reading
// every unit once and classifying it as white space or not. The host and the
// modifier keys are the native stand-ins.
#include <benchmark/benchmark.h>

#include <cstring>
#include <string>
#include <string_view>

#include "fake_host.h"
#include "fake_os.h"
#include "hotkeys/hotkey_slots.h"
#include "hotkeys/key_codes.h"
#include "plugin/exports.h"
#include "plugin/plugin_state.h"
#include "text/char_class.h"

using namespace tolvek;

namespace {

// `pattern` repeated and cut to `length` units.
std::u16string Repeated(std::u16string_view pattern, std::size_t length) {
    std::u16string line;
    while (line.size() < length) line += pattern;
    line.resize(length);
    return line;
}

// Realistic command text: quoted paths, switches, references, escapes.
constexpr std::u16string_view LATIN_TEXT =
    u"copy \"C:\\Program Files\\Tolvek\\data file.txt\" d:\\backup\\%@name[%1].bak /v /y & "
    u"echo %@upper[%_date] ^& done & dir/s/b *.txt | find \"x\" ";

// The same kind of command text with Cyrillic file names and words.
constexpr std::u16string_view CYRILLIC_TEXT =
    u"copy \"C:\\Документы\\Годовой отчёт.docx\" D:\\Резерв\\%@name[%1].бак /v /y & "
    u"echo %@upper[%Пользователь] Копирование завершено ^& проверено & dir/s/b *.текст | find \"Отчёт\" ";

// CJK file names and words, with the ideographic space between words.
constexpr std::u16string_view CJK_TEXT =
    u"copy \"C:\\文档\\年度报告\u3000二〇二四.docx\" D:\\备份\\%@name[%1].备份 /v /y & "
    u"echo %@upper[%用户] 复制完成\u3000已经检查 ^& 完成 & dir/s/b *.文本 | find \"报告\" ";

// Several scripts in one line: accents, Cyrillic, Greek, CJK, typographic
// quotes and dashes, and a character outside the basic plane.
constexpr std::u16string_view MIXED_TEXT =
    u"copy \"C:\\Users\\Zoë\\Отчёт – 報告 \u201Cfinal\u201D.txt\" \\\\server\\共有\\%@name[%1].bak /v & "
    u"echo It\u2019s done — готово ✓ 完成 \U0001F600 λόγος ^& ok & dir/s/b *.txt | find \"Zoë\" ";

// Deep nesting, many quotes, escapes and commas: every rule of the scan.
std::u16string WorstCaseLine(std::size_t length) {
    std::u16string line;
    for (int depth = 0; depth < 300; ++depth) line += u"%@f[\"a^ b\",";
    line += Repeated(u"\"x^\" y\",z^,%v% /s ]", length);
    line.resize(length);
    return line;
}

// The kinds of line, the benchmarks' second argument, and the labels that
// name them in the report.
enum LineKind { LATIN, WORST_CASE, PLAIN_WORDS, CYRILLIC, CJK, MIXED };
constexpr const char* LINE_KIND_LABELS[] = {"latin", "worst case", "plain words", "cyrillic", "cjk", "mixed"};

std::u16string LineFor(const benchmark::State& state) {
    const auto length = static_cast<std::size_t>(state.range(0));
    switch (state.range(1)) {
    case LATIN: return Repeated(LATIN_TEXT, length);
    case WORST_CASE: return WorstCaseLine(length);
    case CYRILLIC: return Repeated(CYRILLIC_TEXT, length);
    case CJK: return Repeated(CJK_TEXT, length);
    case MIXED: return Repeated(MIXED_TEXT, length);
    default: return Repeated(u"copy file.txt d:\\backup\\ echo done ", length);  // the scan's fast path alone
    }
}

struct Buffers {
    char16_t original[8192];
    char16_t line[8192];
    std::size_t length;
};

Buffers buffers;

void Prepare(benchmark::State& state) {
    state.SetLabel(LINE_KIND_LABELS[state.range(1)]);
    fake_host::Reset();
    fake_os::Reset();
    HotkeySlots = DefaultHotkeys;
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
        record.keyCode = KEY_CTRL_LEFT;
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
        record.keyCode = KEY_CTRL_R;
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
        record.keyCode = KEY_UP;
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

// Arguments: line length and LineKind. Every script at every length; the
// worst case and plain words at the longest.
void Lines(benchmark::internal::Benchmark* benchmark) {
    benchmark->ArgNames({"units", "kind"});
    for (const int kind : {LATIN, CYRILLIC, CJK, MIXED}) {
        for (const int length : {80, 1000, 8191}) benchmark->Args({length, kind});
    }
    benchmark->Args({8191, WORST_CASE});
    benchmark->Args({8191, PLAIN_WORDS});
}

BENCHMARK(MoveLeftFromEnd)->Apply(Lines);
BENCHMARK(DeleteRightFromStart)->Apply(Lines);
BENCHMARK(RestoreLineOnly)->Apply(Lines);
BENCHMARK(BaselineSinglePass)->Apply(Lines);
BENCHMARK(KeyMatchingNoSlot)->ArgNames({"units", "kind"})->Args({80, LATIN});

}  // namespace

BENCHMARK_MAIN();
