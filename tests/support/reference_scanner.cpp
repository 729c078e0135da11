#include "reference_scanner.h"

#include "text/char_class.h"

using namespace tolvek;

namespace {

bool IsNameChar(char16_t unit) {
    return unit == u'_' || unit == u'$' || IsLetterOrDigit(unit);
}

}  // namespace

int ReferenceFindArgumentBoundary(const char16_t* line, std::int32_t* cursor, int mode, char16_t escape) {
    if (line[0] == u'\0') return 0;
    const bool rightward = (mode & 1) != 0;
    const bool stopAtBracket = (mode & 0x80) != 0;
    const std::int32_t from = *cursor;
    std::int32_t candidate = -1;
    const auto offer = [&](std::int32_t q) {
        if (rightward) {
            if (q > from && candidate == -1) candidate = q;
        } else if (q < from) {
            candidate = q;
        }
    };

    bool inArgument = false;
    bool inQuotes = false;
    int depth = 0;
    bool savedArgument[512];
    bool savedQuotes[512];

    for (std::int32_t p = 0; line[p] != u'\0'; ++p) {
        const char16_t c = line[p];
        if (IsWhiteSpace(c) || (c == u',' && depth > 0)) {
            if (!inQuotes) inArgument = false;
            continue;
        }
        if (!inArgument) {
            inArgument = true;
            offer(p);
        }
        if (c == escape && line[p + 1] != u'\0') {
            ++p;
        } else if (c == u'"') {
            inQuotes = !inQuotes;
        } else if (c == u'/') {
            if (!inQuotes && depth == 0) offer(p);
        } else if (c == u'%' && line[p + 1] != u'\0') {
            ++p;
            if (line[p] == u'@') ++p;
            while (IsNameChar(line[p])) ++p;
            if (line[p] == u'\0') break;
            if (line[p] == u'[') {
                savedArgument[depth] = inArgument;
                savedQuotes[depth] = inQuotes;
                inArgument = false;
                inQuotes = false;
                if (depth < 511) ++depth;
            } else if (line[p] != u'%') {
                --p;  // the unit after the name is examined next, not taken in
            }
        } else if (c == u']' && depth > 0 && !inQuotes) {
            --depth;
            inArgument = savedArgument[depth];
            inQuotes = savedQuotes[depth];
            if (stopAtBracket) offer(p);
        }
    }
    if (candidate == -1) return 0;
    *cursor = candidate;
    return 1;
}
