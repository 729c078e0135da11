// Character classes of the command line, the same on every platform.
#pragma once

// White space: code units 9 to 13, 32 and 160, and above 255 the Unicode
// space characters. 0xFFFF is not white space.
bool IsWhiteSpace(char16_t unit);

// Letters and digits: ASCII letters and digits; of 128 to 255 the units 178,
// 179, 185 and 192 to 255 except 215 and 247; above 255 the Unicode letters
// and digits. 0xFFFF and surrogates are neither.
bool IsLetterOrDigit(char16_t unit);
