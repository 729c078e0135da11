#include "edit/argument_scanner.h"

#include <algorithm>
#include <array>
#include <bit>
#include <cstdint>

#include "edit/scan_blocks.h"
#include "text/char_class.h"

namespace tolvek {

namespace {

constexpr int MAX_DEPTH = 511;
// After a unit that needed the full rules, this many units go one at a time
// before blocks are tried: another such unit often follows soon, and a
// block that stops at once is wasted. Half a block served realistic lines
// best when measured; dense lines hardly care.
constexpr int UNITS_BEFORE_BLOCKS = 8;
constexpr unsigned WHOLE_BLOCK = (1u << SCAN_BLOCK_UNITS) - 1;

// Flags in force when a reference's "[" opened a nesting level.
struct SavedFlags {
    bool inArgument;
    bool inQuotes;
};

// The scan's state. The rules keep one invariant that the block pass
// relies on: while in quotes, the scan is always in an argument.
struct ScanState {
    bool inArgument = false;
    bool inQuotes = false;
    int depth = 0;
    SavedFlags saved[MAX_DEPTH + 1];
};

bool IsNameChar(char16_t unit) {
    return unit == u'_' || unit == u'$' || IsLetterOrDigit(unit);
}

bool IsSeparator(char16_t unit, int depth) {
    return IsWhiteSpace(unit) || (unit == u',' && depth > 0);
}

// Keeps the boundary the search is after, as positions are offered in
// increasing order: leftward the last one before the cursor, rightward the
// first one after it.
class BoundarySearch {
public:
    BoundarySearch(std::int32_t cursor, bool rightward) : cursor_(cursor), rightward_(rightward) {}

    void Offer(std::int32_t position) {
        if (rightward_) {
            if (position > cursor_ && candidate_ < 0) candidate_ = position;
        } else if (position < cursor_) {
            candidate_ = position;
        }
    }

    // No later offer can change the answer: rightward once a boundary is
    // found, leftward once the scan has reached the cursor.
    bool Settled(std::int32_t position) const { return rightward_ ? candidate_ >= 0 : position >= cursor_; }

    bool rightward() const { return rightward_; }
    std::int32_t cursor() const { return cursor_; }
    std::int32_t candidate() const { return candidate_; }

private:
    std::int32_t cursor_;
    bool rightward_;
    std::int32_t candidate_ = -1;
};

// What the unit-by-unit pass needs to know of a unit below 256. Units with
// FULL_RULES and the escape character go through the full rules, as do the
// few units above 255 within the span of white space (the full rules tell
// white space from the rest there). Every other unit above 255 is ordinary.
enum UnitBits : std::uint8_t {
    BLANK = 1,       // separates arguments
    QUOTE = 2,       // toggles the quoted state
    SWITCH = 4,      // "/" outside brackets: a boundary outside quotes
    FULL_RULES = 8,  // the terminator, "%", and inside brackets "]"
};

constexpr std::array<std::uint8_t, 256> UnitBitsAt(bool nested) {
    std::array<std::uint8_t, 256> bits{};
    for (int unit = 0; unit < 256; ++unit) {
        if (IsWhiteSpace(static_cast<char16_t>(unit))) bits[unit] = BLANK;
    }
    bits[u'\0'] = FULL_RULES;
    bits[u'%'] = FULL_RULES;
    bits[u'"'] = QUOTE;
    if (nested) {
        bits[u','] = BLANK;
        bits[u']'] = FULL_RULES;
    } else {
        bits[u'/'] = SWITCH;
    }
    return bits;
}

constexpr std::array<std::uint8_t, 256> TOP_LEVEL_UNITS = UnitBitsAt(false);
constexpr std::array<std::uint8_t, 256> NESTED_UNITS = UnitBitsAt(true);

// Passes over the units from p up to `end` one at a time, applying the
// rules for blanks, quotes and switches. Returns the position of the first
// unit that needs the full rules, `end`, or where the search is settled.
// Cheaper than a block where such units come close together.
std::int32_t PassUnits(const char16_t* line, std::int32_t p, std::int32_t end, char16_t escape, ScanState& state,
                       BoundarySearch& search) {
    const std::uint8_t* bitsOf = state.depth == 0 ? TOP_LEVEL_UNITS.data() : NESTED_UNITS.data();
    bool inArgument = state.inArgument;
    bool inQuotes = state.inQuotes;
    for (; p < end; ++p) {
        const char16_t c = line[p];
        unsigned bits = 0;  // above 255, an ordinary unit but within the span of white space
        if (c < 256) {
            bits = bitsOf[c];
        } else if (InWhiteSpaceSpan(c)) [[unlikely]] {
            bits = FULL_RULES;
        }
        if ((bits & FULL_RULES) != 0 || c == escape) break;
        const bool blank = (bits & BLANK) != 0;
        if ((!blank && !inArgument) || ((bits & SWITCH) != 0 && !inQuotes)) {
            search.Offer(p);
            if (search.Settled(p)) break;
        }
        inArgument = blank ? (inArgument && inQuotes) : true;
        if ((bits & QUOTE) != 0) inQuotes = !inQuotes;
    }
    state.inArgument = inArgument;
    state.inQuotes = inQuotes;
    return p;
}

// The bits of a block at positions beyond `cursor`, for a block at p.
unsigned BitsAfter(std::int32_t cursor, std::int32_t p) {
    const std::int32_t last = cursor - p;  // bit index of the cursor itself
    if (last < 0) return WHOLE_BLOCK;
    if (last >= SCAN_BLOCK_UNITS - 1) return 0;
    return (WHOLE_BLOCK << (last + 1)) & WHOLE_BLOCK;
}

// Passes over the line from p in blocks of sixteen units, as long as whole
// blocks fit before `limit`, applying the rules for blanks, quotes and
// switches to all units of a block at once with bit operations. A block stops
// at its first unit that needs the full rules. Returns the position of
// that unit, of the first unit after the last whole block, or where the
// search is settled.
std::int32_t PassBlocks(const char16_t* line, std::int32_t p, std::int32_t limit, char16_t escape, ScanState& state,
                        BoundarySearch& search) {
    unsigned inArgument = state.inArgument ? 1u : 0u;
    unsigned inQuotes = state.inQuotes ? 1u : 0u;
    const bool nested = state.depth > 0;

    while (p + SCAN_BLOCK_UNITS <= limit) {
        const ScanBlockMasks block = ClassifyScanBlock(line + p, escape, nested);
        const unsigned taken = ((block.stop & (0u - block.stop)) - 1u) & WHOLE_BLOCK;  // units before the first stop
        if (taken == 0) break;
        const unsigned blank = block.blank & taken;

        // Bit i of `parity`: an odd number of quotes among units 0 to i.
        unsigned parity = block.quote & taken;
        parity ^= parity << 1;
        parity ^= parity << 2;
        parity ^= parity << 4;
        parity ^= parity << 8;
        const unsigned quotedBefore = ((parity << 1) ^ (0u - inQuotes)) & WHOLE_BLOCK;
        // A blank ends the argument unless quoted; anything else is in one.
        const unsigned argumentAfter = (~blank | quotedBefore) & WHOLE_BLOCK;
        const unsigned argumentBefore = ((argumentAfter << 1) | inArgument) & WHOLE_BLOCK;
        const unsigned offers = ((~blank & ~argumentBefore) | (block.slash & ~quotedBefore)) & taken;

        if (search.rightward()) {
            const unsigned wanted = offers & BitsAfter(search.cursor(), p);
            if (wanted != 0) {
                search.Offer(p + std::countr_zero(wanted));
                return p;
            }
        } else if (offers != 0) {
            search.Offer(p + (31 - std::countl_zero(offers)));
        }

        const int count = block.stop != 0 ? std::countr_zero(block.stop) : SCAN_BLOCK_UNITS;
        inArgument = (argumentAfter >> (count - 1)) & 1u;
        inQuotes ^= (parity >> (count - 1)) & 1u;
        p += count;
        if (count < SCAN_BLOCK_UNITS) break;
    }
    state.inArgument = inArgument != 0;
    state.inQuotes = inQuotes != 0;
    return p;
}

// Takes the reference whose "%" stands at p: an "@", the name, and then a
// "[" that opens a nesting level or a closing "%". Returns the position of
// the last unit taken, or -1 when the line ends inside the name.
std::int32_t TakeReference(const char16_t* line, std::int32_t p, ScanState& state) {
    ++p;
    if (line[p] == u'@') ++p;
    while (IsNameChar(line[p])) ++p;
    if (line[p] == u'\0') return -1;
    if (line[p] == u'[') {
        state.saved[state.depth] = SavedFlags{state.inArgument, state.inQuotes};
        state.inArgument = false;
        state.inQuotes = false;
        if (state.depth < MAX_DEPTH) ++state.depth;
        return p;
    }
    // The name ends at the first unit that cannot be part of it, and the
    // closing "%" is optional: any other unit is not taken in, and the scan
    // goes on at it (in echo %1 %2 the blank separates).
    return line[p] == u'%' ? p : p - 1;
}

// Applies the full rules to the unit at p; returns the position of the last
// unit it took (an escape or a reference takes more than one), or -1 when
// the line ended inside a reference.
std::int32_t ApplyRules(const char16_t* line, std::int32_t p, char16_t escape, bool stopAtBracket, ScanState& state,
                        BoundarySearch& search) {
    const char16_t c = line[p];
    if (IsSeparator(c, state.depth)) {
        if (!state.inQuotes) state.inArgument = false;
        return p;
    }
    if (!state.inArgument) {
        state.inArgument = true;
        search.Offer(p);
    }

    if (c == escape && line[p + 1] != u'\0') {
        return p + 1;  // the escaped character belongs to the argument unexamined
    }
    if (c == u'"') {
        state.inQuotes = !state.inQuotes;
    } else if (c == u'/') {
        if (!state.inQuotes && state.depth == 0) search.Offer(p);
    } else if (c == u'%' && line[p + 1] != u'\0') {
        return TakeReference(line, p, state);
    } else if (c == u']' && state.depth > 0 && !state.inQuotes) {
        --state.depth;
        state.inArgument = state.saved[state.depth].inArgument;
        state.inQuotes = state.saved[state.depth].inQuotes;
        if (stopAtBracket) search.Offer(p);
    }
    return p;
}

}  // namespace

std::int32_t FindArgumentBoundary(const char16_t* line, std::int32_t length, std::int32_t cursor, int mode,
                                  char16_t escape) {
    if (length <= 0) return NO_BOUNDARY;

    const bool stopAtBracket = (mode & SCAN_STOP_AT_BRACKET) != 0;
    BoundarySearch search(cursor, (mode & SCAN_RIGHT) != 0);
    // Leftward, nothing at or after the cursor can change the answer.
    const std::int32_t limit = search.rightward() || cursor > length ? length : cursor;
    ScanState state;

    // Unit by unit where the full rules are needed often, in blocks where
    // a whole stretch of units needs no more than blanks, quotes and switches.
    // Only an offer settles the search, and offers after that change
    // nothing: it is enough to look after each unit pass, which also stops
    // at the limit.
    std::int32_t p = 0;
    while (p < length) {
        const std::int32_t end = std::min(p + UNITS_BEFORE_BLOCKS, limit);
        p = PassUnits(line, p, end, escape, state, search);
        if (search.Settled(p)) break;
        if (p < end) {
            p = ApplyRules(line, p, escape, stopAtBracket, state, search);
            if (p < 0) break;
            ++p;
        } else {
            p = PassBlocks(line, p, limit, escape, state, search);
        }
    }

    return search.candidate() < 0 ? NO_BOUNDARY : search.candidate();
}

}  // namespace tolvek
