// The scan over the edit line, for either block classifier: the fast
// passes of scan_accelerator.h where they may go, the rules of
// argument_rules.h for each unit they stop at. FindArgumentBoundary runs it
// with the target's classifier; the model test runs it with the portable
// one as well, so that the scan of a target without SSE2 is held to the
// rules too. Inline, like the passes it drives.
#pragma once

#include <algorithm>
#include <cstdint>

#include "edit/argument_rules.h"
#include "edit/argument_scanner.h"
#include "edit/scan_accelerator.h"
#include "edit/scan_blocks.h"

namespace tolvek {

// FindArgumentBoundary with `Classify` sorting the units of each block.
template <BlockClassifier Classify>
inline std::int32_t ScanForBoundary(const char16_t* line, std::int32_t length, std::int32_t cursor, int mode,
                                    char16_t escape) {
    if (length <= 0) return NO_BOUNDARY;

    const bool stopAtBracket = (mode & SCAN_STOP_AT_BRACKET) != 0;
    BoundarySearch search(cursor, (mode & SCAN_RIGHT) != 0);
    // Leftward, nothing at or after the cursor can change the answer.
    const std::int32_t searchEnd = search.IsRightward() || cursor > length ? length : cursor;
    ScanState state;

    // The rules unit by unit where they are needed often, the fast passes
    // over stretches of units that need no more than blanks, quotes and
    // switches. Only an offer settles the search, and offers after that
    // change nothing: it is enough to look after each unit pass, which
    // also stops at the end of the search.
    std::int32_t p = 0;
    while (p < length) {
        const std::int32_t end = std::min(p + UNITS_BEFORE_BLOCKS, searchEnd);
        p = PassUnits(line, p, end, escape, state, search);
        if (search.Settled(p)) break;
        if (p < end) {
            p = ApplyRules(line, p, escape, stopAtBracket, state, search);
            if (p < 0) break;
            ++p;
        } else {
            p = PassBlocks<Classify>(line, p, searchEnd, escape, state, search);
        }
    }

    return search.Candidate() < 0 ? NO_BOUNDARY : search.Candidate();
}

}  // namespace tolvek
