// The scanner's fast passes: the rules of argument_rules.h applied to many
// units at a time, over stretches of the line that need no more than three
// of them. A pass is exact, not a guess. It keeps this invariant:
//
// - It yields the same offers and the same state as ApplyRules applied to
//   the units it passes, one by one. (Offers count as the search keeps
//   them: leftward a block offers only the last of its positions, which
//   would replace the others anyway.)
// - It changes the in-argument and in-quotes flags and nothing else: never
//   the depth, the enclosing levels' flags or the line.
// - It stops at every unit that needs the rules themselves: the
//   terminator, "%", the escape character and, inside brackets, "]". The
//   unit pass also stops at units above 255 within the span of white
//   space; the block classifier (scan_blocks.h) sorts those itself.
// - It passes only these units: blanks (white space, and inside brackets a
//   comma), which end the argument unless quoted; the double quote, which
//   toggles the quotes; "/" outside brackets, a boundary outside quotes;
//   and ordinary units. A quoted blank leaves the scan in an argument,
//   since the rules keep the scan in one whenever it is in quotes.
// - Once the search is settled, it may return at once, with the flags as
//   they stood before the unit or block it stopped in: no later offer
//   changes the answer.
//
// The model test (tests/unit/scanner_model_test.cpp) holds the scanner, with
// either block classifier, to a plain unit-by-unit statement of the rules
// over many generated lines, and scan_blocks_test.cpp holds the two block
// classifiers to one another.
// Inline, like the rules, for the scan's inner loop.
#pragma once

#include <array>
#include <bit>
#include <cstdint>

#include "edit/argument_rules.h"
#include "edit/scan_blocks.h"
#include "text/char_class.h"

namespace tolvek {

// After a unit that needed the rules, this many units go one at a time
// before blocks are tried: another such unit often follows soon, and a
// block that stops at once is wasted. Half a block served realistic lines
// best when measured; dense lines hardly care.
constexpr int UNITS_BEFORE_BLOCKS = 8;

namespace scan_accelerator_detail {

// What the unit pass needs to know of a unit below 256. The escape
// character is compared on its own: it may be any unit.
enum UnitClass : std::uint8_t {
    ORDINARY = 0,
    BLANK = 1,        // separates arguments
    QUOTE = 2,        // toggles the quoted state
    SWITCH = 4,       // "/" outside brackets: a boundary outside quotes
    NEEDS_RULES = 8,  // the terminator, "%", and inside brackets "]"
};

constexpr std::array<std::uint8_t, 256> UnitClassTable(bool nested) {
    std::array<std::uint8_t, 256> classes{};
    for (int unit = 0; unit < 256; ++unit) {
        if (IsWhiteSpace(static_cast<char16_t>(unit))) classes[unit] = BLANK;
    }
    classes[u'\0'] = NEEDS_RULES;
    classes[u'%'] = NEEDS_RULES;
    classes[u'"'] = QUOTE;
    if (nested) {
        classes[u','] = BLANK;
        classes[u']'] = NEEDS_RULES;
    } else {
        classes[u'/'] = SWITCH;
    }
    return classes;
}

inline constexpr std::array<std::uint8_t, 256> TopLevelUnitClasses = UnitClassTable(false);
inline constexpr std::array<std::uint8_t, 256> NestedUnitClasses = UnitClassTable(true);

// The class of any unit, from the table of the current level below 256.
// Above 255 a unit is ordinary, but within the span of white space the
// rules tell white space from the rest.
inline unsigned ClassOf(char16_t unit, const std::uint8_t* classes) {
    if (unit < 256) return classes[unit];
    if (InWhiteSpaceSpan(unit)) [[unlikely]] {
        return NEEDS_RULES;
    }
    return ORDINARY;
}

// The units of a block starting at `blockStart` that lie after `cursor`.
inline unsigned UnitsAfter(std::int32_t cursor, std::int32_t blockStart) {
    const std::int32_t cursorUnit = cursor - blockStart;
    if (cursorUnit < 0) return WHOLE_BLOCK;
    if (cursorUnit >= SCAN_BLOCK_UNITS - 1) return 0;
    return (WHOLE_BLOCK << (cursorUnit + 1)) & WHOLE_BLOCK;
}

}  // namespace scan_accelerator_detail

// Passes over the units from p up to `end` one at a time. Returns the
// position of the first unit that needs the rules, `end`, or where the
// search is settled. Cheaper than a block where such units come close
// together.
inline std::int32_t PassUnits(const char16_t* line, std::int32_t p, std::int32_t end, char16_t escape, ScanState& state,
                              BoundarySearch& search) {
    using namespace scan_accelerator_detail;
    const std::uint8_t* classes = state.depth == 0 ? TopLevelUnitClasses.data() : NestedUnitClasses.data();
    bool inArgument = state.inArgument;
    bool inQuotes = state.inQuotes;
    for (; p < end; ++p) {
        const char16_t c = line[p];
        const unsigned unitClass = ClassOf(c, classes);
        if ((unitClass & NEEDS_RULES) != 0 || c == escape) break;
        const bool blank = (unitClass & BLANK) != 0;
        if ((!blank && !inArgument) || ((unitClass & SWITCH) != 0 && !inQuotes)) {
            search.Offer(p);
            if (search.Settled(p)) break;
        }
        inArgument = blank ? (inArgument && inQuotes) : true;
        if ((unitClass & QUOTE) != 0) inQuotes = !inQuotes;
    }
    state.inArgument = inArgument;
    state.inQuotes = inQuotes;
    return p;
}

// Passes over the line from p in blocks of SCAN_BLOCK_UNITS units, as long
// as whole blocks fit before `end`, with bit operations on all units of a
// block at once; `Classify` sorts the units of each block. Returns the
// position of the first unit that needs the rules, of the first unit after
// the last whole block, or of the block where the search is settled.
template <BlockClassifier Classify>
inline std::int32_t PassBlocks(const char16_t* line, std::int32_t p, std::int32_t end, char16_t escape,
                               ScanState& state, BoundarySearch& search) {
    using namespace scan_accelerator_detail;
    unsigned inArgument = state.inArgument ? 1u : 0u;
    unsigned inQuotes = state.inQuotes ? 1u : 0u;
    const bool nested = state.depth > 0;

    while (p + SCAN_BLOCK_UNITS <= end) {
        const ScanBlockMasks block = Classify(line + p, escape, nested);
        // Bit i of each mask below stands for unit i of the block.
        const unsigned beforeStop = ((block.stop & (0u - block.stop)) - 1u) & WHOLE_BLOCK;
        if (beforeStop == 0) break;
        const unsigned blank = block.blank & beforeStop;

        // An odd number of quotes among units 0 to i.
        const unsigned quoteParity = PrefixParity(block.quote & beforeStop);
        const unsigned inQuotesBefore = ((quoteParity << 1) ^ (0u - inQuotes)) & WHOLE_BLOCK;
        // A blank ends the argument unless quoted; anything else is in one.
        const unsigned inArgumentAfter = (~blank | inQuotesBefore) & WHOLE_BLOCK;
        const unsigned inArgumentBefore = ((inArgumentAfter << 1) | inArgument) & WHOLE_BLOCK;
        const unsigned offered = ((~blank & ~inArgumentBefore) | (block.slash & ~inQuotesBefore)) & beforeStop;

        if (search.IsRightward()) {
            const unsigned offeredAfterCursor = offered & UnitsAfter(search.Cursor(), p);
            if (offeredAfterCursor != 0) {
                search.Offer(p + std::countr_zero(offeredAfterCursor));
                return p;
            }
        } else if (offered != 0) {
            search.Offer(p + (31 - std::countl_zero(offered)));
        }

        const int passed = block.stop != 0 ? std::countr_zero(block.stop) : SCAN_BLOCK_UNITS;
        inArgument = (inArgumentAfter >> (passed - 1)) & 1u;
        inQuotes ^= (quoteParity >> (passed - 1)) & 1u;
        p += passed;
        if (passed < SCAN_BLOCK_UNITS) break;
    }
    state.inArgument = inArgument != 0;
    state.inQuotes = inQuotes != 0;
    return p;
}

}  // namespace tolvek
