// Character classes of the command line, on both sides of every edge the
// tables have: the Latin-1 rows, the first and last ranges above U+00FF,
// surrogates and U+FFFF.
#include <gtest/gtest.h>

#include "text/char_class.h"

using namespace tolvek;

namespace {

struct Row {
    char16_t unit;
    bool white;
    bool letterOrDigit;
};

const Row ROWS[] = {
    // Latin-1: tab to carriage return, space and no-break space are white.
    {0x0008, false, false},
    {0x0009, true, false},
    {0x000D, true, false},
    {0x000E, false, false},
    {0x0020, true, false},
    {0x0085, false, false},
    {0x00A0, true, false},
    {0x00A1, false, false},
    // Latin-1 letters and digits, and the signs among them.
    {u'0', false, true},
    {u'9', false, true},
    {u'A', false, true},
    {u'z', false, true},
    {u'_', false, false},
    {u'$', false, false},
    {u'%', false, false},
    {u'/', false, false},
    {0x00B2, false, true},
    {0x00B9, false, true},
    {0x00C0, false, true},
    {0x00D7, false, false},
    {0x00DF, false, true},
    {0x00F7, false, false},
    {0x00FF, false, true},
    // Above U+00FF: the Unicode spaces, and letters and digits of any script.
    {0x0100, false, true},
    {0x02C1, false, true},
    {0x02C2, false, false},
    {0x0660, false, true},
    {0x1680, true, false},
    {0x167F, false, true},
    {0x2000, true, false},
    {0x200A, true, false},
    {0x200B, false, false},
    {0x2028, true, false},
    {0x2029, true, false},
    {0x3000, true, false},
    {0x4E00, false, true},
    {0xAC00, false, true},
    {0xFEFF, false, false},
    {0xFFDC, false, true},
    {0xFFDD, false, false},
    // Surrogates and U+FFFF are neither.
    {0xD800, false, false},
    {0xDBFF, false, false},
    {0xDC00, false, false},
    {0xDFFF, false, false},
    {0xFFFF, false, false},
};

TEST(CharClassTest, WhiteSpaceAndLettersOrDigits) {
    for (const Row& row : ROWS) {
        EXPECT_EQ(IsWhiteSpace(row.unit), row.white) << std::hex << static_cast<int>(row.unit);
        EXPECT_EQ(IsLetterOrDigit(row.unit), row.letterOrDigit) << std::hex << static_cast<int>(row.unit);
    }
}

}  // namespace
