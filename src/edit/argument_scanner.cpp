#include "edit/argument_scanner.h"

#include <array>
#include <cstdint>

#include "host/host_api.h"
#include "text/char_class.h"
#include "text/text.h"

namespace {

constexpr int MAX_DEPTH = 511;
constexpr int EXPANSION_BUFFER_UNITS = 1024;

// Flags in force when a reference's "[" opened a nesting level.
struct SavedFlags {
    bool inArgument;
    bool inQuotes;
};

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

// What the fast pass needs to know of a unit below 256. A unit with
// FULL_RULES (the terminator, "%", and at depth above 0 also "]") and every
// unit above 255 go through the full rules instead.
enum UnitBits : std::uint8_t {
    BLANK = 1,       // separates arguments
    QUOTE = 2,       // toggles the quoted state
    SWITCH = 4,      // "/" at depth 0: a boundary outside quotes
    FULL_RULES = 8,
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
    bool Settled(std::int32_t position) const {
        return rightward_ ? candidate_ >= 0 : position >= cursor_;
    }

    bool rightward() const { return rightward_; }
    std::int32_t cursor() const { return cursor_; }
    std::int32_t candidate() const { return candidate_; }

private:
    std::int32_t cursor_;
    bool rightward_;
    std::int32_t candidate_ = -1;
};

// Passes over the units from p on that need no more than blanks, quotes
// and switches, the bulk of a line, with the same effect as the full rules
// but without a branch that depends on the text. Returns the position of
// the first unit that needs the full rules (or the escape character, or the
// terminator), or where the search is settled.
template <bool Rightward>
std::int32_t PassSimpleUnits(const char16_t* line, std::int32_t p, char16_t escape, ScanState& state,
                             BoundarySearch& search) {
    const std::uint8_t* bitsOf = state.depth == 0 ? TOP_LEVEL_UNITS.data() : NESTED_UNITS.data();
    const std::int32_t cursor = search.cursor();
    bool inArgument = state.inArgument;
    bool inQuotes = state.inQuotes;
    std::int32_t lastOffer = -1;
    for (;; ++p) {
        const char16_t c = line[p];
        const unsigned bits = c < 256 ? bitsOf[c] : unsigned{FULL_RULES};
        if ((bits & FULL_RULES) != 0 || c == escape || (!Rightward && p >= cursor)) break;
        const bool blank = (bits & BLANK) != 0;
        const bool offers = (!blank && !inArgument) || ((bits & SWITCH) != 0 && !inQuotes);
        if (Rightward) {
            if (offers && p > cursor) {
                search.Offer(p);
                break;
            }
        } else if (offers) {
            lastOffer = p;
        }
        inArgument = blank ? (inArgument && inQuotes) : true;
        if ((bits & QUOTE) != 0) inQuotes = !inQuotes;
    }
    if (lastOffer >= 0) search.Offer(lastOffer);
    state.inArgument = inArgument;
    state.inQuotes = inQuotes;
    return p;
}

// Applies the full rules to the unit at p; returns the position of the last
// unit it took (an escape or a reference takes more than one), or -1 when
// the line ended inside a reference.
std::int32_t ApplyRules(const char16_t* line, std::int32_t p, char16_t escape, bool stopAtBracket,
                        ScanState& state, BoundarySearch& search) {
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
        ++p;
        if (line[p] == u'@') ++p;
        while (IsNameChar(line[p])) ++p;
        if (line[p] == u'\0') return -1;
        if (line[p] == u'[') {
            state.saved[state.depth] = SavedFlags{state.inArgument, state.inQuotes};
            state.inArgument = false;
            state.inQuotes = false;
            if (state.depth < MAX_DEPTH) ++state.depth;
        }
        // Any other character after the name is taken into the reference
        // unexamined (typically the closing "%").
    } else if (c == u']' && state.depth > 0 && !state.inQuotes) {
        --state.depth;
        state.inArgument = state.saved[state.depth].inArgument;
        state.inQuotes = state.saved[state.depth].inQuotes;
        if (stopAtBracket) search.Offer(p);
    }
    return p;
}

}  // namespace

char16_t GetEscapeChar() {
    char16_t buffer[EXPANSION_BUFFER_UNITS];
    FillBuffer(buffer, EXPANSION_BUFFER_UNITS, u"%@option[escapechar]");
    ExpandVariables(buffer, 1);
    if (buffer[0] != u'\0' && buffer[1] == u'\0') return buffer[0];
    return u'^';
}

int FindArgumentBoundary(const char16_t* line, std::int32_t* cursor, int mode) {
    if (line[0] == u'\0') return 0;

    const char16_t escape = GetEscapeChar();
    const bool stopAtBracket = (mode & SCAN_STOP_AT_BRACKET) != 0;
    BoundarySearch search(*cursor, (mode & SCAN_RIGHT) != 0);
    ScanState state;

    for (std::int32_t p = 0;; ++p) {
        p = search.rightward() ? PassSimpleUnits<true>(line, p, escape, state, search)
                               : PassSimpleUnits<false>(line, p, escape, state, search);
        if (line[p] == u'\0' || search.Settled(p)) break;
        p = ApplyRules(line, p, escape, stopAtBracket, state, search);
        if (p < 0 || line[p + 1] == u'\0') break;
    }

    if (search.candidate() < 0) return 0;
    *cursor = search.candidate();
    return 1;
}
