// The command's argument tokenizer over arbitrary text, short or far beyond
// the character store. Every run is compared with a plain model of the
// splitting rules kept here: the result, the count, each stored argument's
// text and length, the tables after the last argument, the cell an
// overflow refused; and nothing is printed. The store is filled with a
// marker before each run, and every cell behind the last one the run may
// write must still hold it.
#include <cstring>

#include "command/argument_tokenizer.h"
#include "fake_host.h"
#include "fake_os.h"
#include "fuzz_check.h"
#include "fuzz_input.h"
#include "stdio_watch.h"
#include "text/char_class.h"
#include "text/text.h"

using namespace tolvek;

namespace {

constexpr std::size_t TEXT_UNITS = 20000;
constexpr char16_t MARKER = 0xA5A5;
constexpr int STORE_LAST = ARGUMENT_STORE_UNITS - 1;

// What a run should leave behind, worked out argument by argument. The
// model writes its arguments into its own store, one after another.
struct Piece {
    std::size_t at;
    std::size_t length;
};

struct Expected {
    int result = 0;
    int overflowAt = -1;  // store position of the overflow, or -1
    Piece arguments[MAX_ARGUMENTS];
    int stored = 0;  // arguments with at least one character stored
    int lastCellWritten = -1;
};

char16_t modelStore[TEXT_UNITS];

// First the rules split the text into arguments, with no limits; then each
// argument takes its characters and a terminator in the store, the
// characters of arguments past the 1024th are dropped, but every character
// still overflows a full store.
void Model(const char16_t* text, Expected& expected) {
    expected = Expected{};
    bool inQuotes = false;
    bool open = false;
    int seen = 0;          // arguments the rules found so far
    int position = 0;      // next free cell of the product's store
    std::size_t used = 0;  // next free cell of the model's store
    for (const char16_t* at = text; *at != u'\0'; ++at) {
        if (*at == u'"') {
            inQuotes = !inQuotes;
            continue;
        }
        if (!inQuotes && IsWhiteSpace(*at)) {
            if (open && seen <= MAX_ARGUMENTS) ++position;  // past the terminator
            open = false;
            continue;
        }
        if (!open) ++seen;
        open = true;
        if (position >= STORE_LAST) {
            expected.result = -1;
            expected.overflowAt = position;
            return;
        }
        if (seen > MAX_ARGUMENTS) continue;
        if (expected.stored < seen) expected.arguments[expected.stored++] = Piece{used, 0};
        modelStore[used++] = host_side::AsciiUpper(*at);
        ++expected.arguments[seen - 1].length;
        expected.lastCellWritten = position + 1;
        ++position;
    }
    expected.result = expected.stored;
}

std::size_t TrimmedLength(const Piece& piece) {
    std::size_t length = piece.length;
    while (length > 0 && IsWhiteSpace(modelStore[piece.at + length - 1])) --length;
    return length;
}

ArgumentTable table;  // what the runs tokenize into

bool InsideStore(const char16_t* pointer) {
    return pointer >= table.store && pointer < table.store + ARGUMENT_STORE_UNITS;
}

char16_t text[TEXT_UNITS];
ArgumentTable before;

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static fuzz::StdioWatch watch;
    FuzzInput input(data, size);
    fake_host::Reset();
    fake_os::Reset();

    // Flags: 1 repeats the text up to a chosen length, so that short inputs
    // reach the store's limit and the argument cap; 4 first checks that
    // null text leaves the tables alone. Bit 2 is not used: the tokenizer
    // asks the host nothing, and the corpus keeps its inputs as they are.
    const std::uint8_t flags = input.Byte();
    const std::size_t repeatTo = (flags & 1) ? input.Unit() % (TEXT_UNITS - 1) : 0;
    input.RestAsText(text, TEXT_UNITS);
    const std::size_t length = TextLength(text);
    if (repeatTo > length && length > 0) {
        for (std::size_t i = length; i < repeatTo; ++i) text[i] = text[i - length];
        text[repeatTo] = u'\0';
    }

    if (flags & 4) {
        std::memcpy(static_cast<void*>(&before), &table, sizeof table);
        FUZZ_REQUIRE(TokenizeArguments(nullptr, table).result == TokenizeResult::NullText);
        FUZZ_REQUIRE(std::memcmp(static_cast<const void*>(&before), &table, sizeof table) == 0);
    }

    for (char16_t& cell : table.store) cell = MARKER;
    watch.Open();
    const Tokenized split = TokenizeArguments(text, table);
    const int result = split.result == TokenizeResult::StoreFull ? -1 : table.count;
    const long bypassed = watch.Close();
    FUZZ_REQUIRE(bypassed == 0);
    FUZZ_REQUIRE(fake_host::StandardOutput().empty());

    static Expected expected;
    Model(text, expected);
    FUZZ_REQUIRE(result == expected.result);
    FUZZ_REQUIRE(result <= MAX_ARGUMENTS);
    for (int cell = expected.lastCellWritten + 1; cell < ARGUMENT_STORE_UNITS; ++cell) {
        FUZZ_REQUIRE(table.store[cell] == MARKER);
    }

    const int stored = expected.stored;
    for (int k = 0; k < MAX_ARGUMENTS; ++k) {
        if (k >= stored) {
            FUZZ_REQUIRE(table.start[k] == nullptr);
            FUZZ_REQUIRE(table.length[k] == 0);
            continue;
        }
        const char16_t* start = table.start[k];
        FUZZ_REQUIRE(start != nullptr && InsideStore(start));
        const std::size_t textLength = TextLength(start);
        FUZZ_REQUIRE(InsideStore(start + textLength));
        FUZZ_REQUIRE(static_cast<std::size_t>(table.length[k]) == textLength);
        if (k > 0) FUZZ_REQUIRE(start > table.start[k - 1] + table.length[k - 1]);
        // A run that overflowed does not trim.
        const Piece& piece = expected.arguments[k];
        const std::size_t want = result < 0 ? piece.length : TrimmedLength(piece);
        FUZZ_REQUIRE(textLength == want);
        FUZZ_REQUIRE(std::memcmp(start, modelStore + piece.at, want * sizeof(char16_t)) == 0);
    }

    FUZZ_REQUIRE(split.result != TokenizeResult::NullText);
    if (result < 0) FUZZ_REQUIRE(table.count == 0 && split.refusedCell == expected.overflowAt);
    FUZZ_REQUIRE(fake_host::StandardError().empty());
    FUZZ_REQUIRE(fake_host::QprintfOnOtherHandles() == 0);
    return 0;
}
