// The rules of an argument, applied to one unit of the edit line at a time,
// as the README states them: blanks separate; double-quoted text is one
// piece; the escape character protects the unit after it; %name%,
// %@function[...] and %[...] references nest, and inside their brackets a
// comma separates like a blank; a "/" switch starts an argument of its own.
// For each unit they are tried in this order: separator, argument start,
// escape, quote, switch, reference, closing bracket; of the last five, the
// first that applies is the only one.
//
// The scan (boundary_scan.h) drives the rules over the line, and the fast
// passes of scan_accelerator.h stand in for them over stretches that need
// no more than blanks, quotes and switches. Inline, because the scan's
// inner loop applies them: compiled apart, as calls, the rules and the
// passes cost MoveLeft on a long realistic line 14% more instructions.
#pragma once

#include <cstdint>

#include "text/char_class.h"

namespace tolvek {

// Deepest nesting of references the scan follows; deeper openings still
// clear the flags but are not counted.
constexpr int MAX_DEPTH = 511;

// The flags of one nesting level.
struct LevelFlags {
    bool inArgument;
    bool inQuotes;
};

// The scan's state. The rules keep one invariant that the fast passes
// rely on: while in quotes, the scan is always in an argument.
struct ScanState {
    bool inArgument = false;
    bool inQuotes = false;
    int depth = 0;  // open "[" of references, at most MAX_DEPTH
    // enclosing[d]: the flags in force when a "[" took the depth from d to
    // d + 1, given back by the "]" that closes it.
    LevelFlags enclosing[MAX_DEPTH + 1];
};

// Keeps the boundary the search is after, as positions are offered in
// increasing order: leftward the last one before the cursor, rightward the
// first one after it. The position under the cursor is never the answer.
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

    bool IsRightward() const { return rightward_; }
    std::int32_t Cursor() const { return cursor_; }
    std::int32_t Candidate() const { return candidate_; }  // -1 while there is none

private:
    std::int32_t cursor_;
    bool rightward_;
    std::int32_t candidate_ = -1;
};

namespace argument_rules_detail {

inline bool IsSeparator(char16_t unit, int depth) {
    return IsWhiteSpace(unit) || (unit == u',' && depth > 0);
}

inline bool IsNameChar(char16_t unit) {
    return unit == u'_' || unit == u'$' || IsLetterOrDigit(unit);
}

// A reference's "[": the flags of the level around it are kept, and the
// text inside the brackets starts afresh, out of any argument and quotes.
inline void OpenLevel(ScanState& state) {
    state.enclosing[state.depth] = LevelFlags{state.inArgument, state.inQuotes};
    state.inArgument = false;
    state.inQuotes = false;
    if (state.depth < MAX_DEPTH) ++state.depth;
}

// The "]" of a reference: the scan goes on in the level around it, in the
// argument (or quotes) that held the reference.
inline void CloseLevel(ScanState& state) {
    --state.depth;
    state.inArgument = state.enclosing[state.depth].inArgument;
    state.inQuotes = state.enclosing[state.depth].inQuotes;
}

// Takes the reference whose "%" stands at p: an "@", the name, and then a
// "[" that opens a level or a closing "%". Returns the position of the last
// unit taken, or -1 when the line ends inside the name.
inline std::int32_t TakeReference(const char16_t* line, std::int32_t p, ScanState& state) {
    ++p;
    if (line[p] == u'@') ++p;
    while (IsNameChar(line[p])) ++p;
    if (line[p] == u'\0') return -1;
    if (line[p] == u'[') {
        OpenLevel(state);
        return p;
    }
    // The name ends at the first unit that cannot be part of it, and the
    // closing "%" is optional: any other unit is not taken in, and the scan
    // goes on at it (in echo %1 %2 the blank separates).
    return line[p] == u'%' ? p : p - 1;
}

}  // namespace argument_rules_detail

// Applies the rules to the unit at p, offering the positions where an
// argument starts (and, with `stopAtBracket`, where a "]" closes a level).
// Returns the position of the last unit it took (an escape or a reference
// takes more than one), or -1 when the line ended inside a reference.
inline std::int32_t ApplyRules(const char16_t* line, std::int32_t p, char16_t escape, bool stopAtBracket,
                               ScanState& state, BoundarySearch& search) {
    using namespace argument_rules_detail;
    const char16_t c = line[p];
    // Separator: white space, and a comma inside brackets, ends the
    // argument unless it is quoted.
    if (IsSeparator(c, state.depth)) {
        if (!state.inQuotes) state.inArgument = false;
        return p;
    }
    // Argument start: the first unit after separators.
    if (!state.inArgument) {
        state.inArgument = true;
        search.Offer(p);
    }
    // Escape: the next unit belongs to the argument, unexamined.
    if (c == escape && line[p + 1] != u'\0') return p + 1;
    // Quote: opens or closes the quoted text.
    if (c == u'"') {
        state.inQuotes = !state.inQuotes;
        return p;
    }
    // Switch: outside quotes and brackets, a "/" starts an argument.
    if (c == u'/') {
        if (!state.inQuotes && state.depth == 0) search.Offer(p);
        return p;
    }
    // Reference: "%" takes its name and what follows it, quoted or not.
    if (c == u'%' && line[p + 1] != u'\0') return TakeReference(line, p, state);
    // Closing bracket: outside quotes, a "]" closes the innermost level.
    if (c == u']' && state.depth > 0 && !state.inQuotes) {
        CloseLevel(state);
        if (stopAtBracket) search.Offer(p);
    }
    // Anything else is an ordinary unit of the argument.
    return p;
}

}  // namespace tolvek
