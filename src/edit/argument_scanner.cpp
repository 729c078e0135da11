#include "edit/argument_scanner.h"

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
    bool Settled(std::int32_t position) const {
        return rightward_ ? candidate_ >= 0 : position >= cursor_;
    }

    std::int32_t candidate() const { return candidate_; }

private:
    std::int32_t cursor_;
    bool rightward_;
    std::int32_t candidate_ = -1;
};

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

    bool inArgument = false;
    bool inQuotes = false;
    int depth = 0;
    SavedFlags saved[MAX_DEPTH + 1];

    for (std::int32_t p = 0; line[p] != u'\0' && !search.Settled(p); ++p) {
        const char16_t c = line[p];

        if (IsSeparator(c, depth)) {
            if (!inQuotes) inArgument = false;
            continue;
        }
        if (!inArgument) {
            inArgument = true;
            search.Offer(p);
        }

        if (c == escape && line[p + 1] != u'\0') {
            ++p;  // the escaped character belongs to the argument unexamined
        } else if (c == u'"') {
            inQuotes = !inQuotes;
        } else if (c == u'/') {
            if (!inQuotes && depth == 0) search.Offer(p);
        } else if (c == u'%' && line[p + 1] != u'\0') {
            ++p;
            if (line[p] == u'@') ++p;
            while (IsNameChar(line[p])) ++p;
            if (line[p] == u'\0') break;
            if (line[p] == u'[') {
                saved[depth] = SavedFlags{inArgument, inQuotes};
                inArgument = false;
                inQuotes = false;
                if (depth < MAX_DEPTH) ++depth;
            }
            // Any other character after the name is taken into the
            // reference unexamined (typically the closing "%").
        } else if (c == u']' && depth > 0 && !inQuotes) {
            --depth;
            inArgument = saved[depth].inArgument;
            inQuotes = saved[depth].inQuotes;
            if (stopAtBracket) search.Offer(p);
        }
    }

    if (search.candidate() < 0) return 0;
    *cursor = search.candidate();
    return 1;
}
