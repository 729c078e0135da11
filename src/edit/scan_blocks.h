// Classifies sixteen units of the edit line at once, for the block pass of
// scan_accelerator.h. Inline: the scan calls it for every block.
//
// Any unit that the masks do not mark, of any script, is an ordinary unit
// of an argument: name characters matter only right after "%", which
// stops the block and takes the rules themselves.
//
// Two classifiers give the same masks: one with SSE2 (every x86-64 target)
// and a portable one for targets without it. Both are compiled wherever
// SSE2 is there, so that tests can hold them to one another.
#pragma once

#include "text/char_class.h"

#include <bit>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace tolvek {

constexpr int SCAN_BLOCK_UNITS = 16;

// One bit per unit: bit i describes units[i].
struct ScanBlockMasks {
    unsigned blank;  // white space; a comma too inside a reference's brackets
    unsigned quote;  // the double quote
    unsigned slash;  // "/" outside a reference's brackets
    unsigned stop;   // needs the rules themselves, so the block pass stops:
                     // the terminator, "%", the escape character, and "]"
                     // inside brackets

    bool operator==(const ScanBlockMasks&) const = default;
};

// One bit for each unit of a block.
constexpr unsigned WHOLE_BLOCK = (1u << SCAN_BLOCK_UNITS) - 1;

// Bit i of the result is set when an odd number of the bits 0 to i of
// `bits` are set: the running parity of a block's mask, from unit 0 up. Of
// a block's quotes it marks each opening quote and the units after it, up
// to the quote that closes it. Bits above the block come out clear, and
// they never reach into it: the shifts carry bits only upward.
//
// Each step doubles the span of bits that bit i holds the parity of: after
// the shift by 1, bits i - 1 to i; by 2, i - 3 to i; by 4, i - 7 to i; by 8,
// i - 15 to i, which is every bit of the block up to i. Quotes at units 2
// and 5:
//
//   bits              0000 0000 0010 0100
//   ^= bits << 1      0000 0000 0110 1100   spans of 2
//   ^= bits << 2      0000 0001 1101 1100   spans of 4
//   ^= bits << 4      0001 1100 0001 1100   spans of 8
//   ^= bits << 8      0000 0000 0001 1100   spans of 16, above the block cut
//
// Units 2 to 4 are marked: the opening quote and the two units it
// encloses. Unit 5, the closing quote, is not.
constexpr unsigned PrefixParity(unsigned bits) {
    bits ^= bits << 1;
    bits ^= bits << 2;
    bits ^= bits << 4;
    bits ^= bits << 8;
    return bits & WHOLE_BLOCK;
}

// The classifiers below have this type, so that the scan can be given
// either of them.
using BlockClassifier = ScanBlockMasks (*)(const char16_t* units, char16_t escape, bool nested);

// Reads exactly SCAN_BLOCK_UNITS units from `units`. `nested` is true while
// the scan is inside a reference's brackets.
inline ScanBlockMasks ClassifyScanBlockPortable(const char16_t* units, char16_t escape, bool nested) {
    ScanBlockMasks masks{0, 0, 0, 0};
    for (int i = 0; i < SCAN_BLOCK_UNITS; ++i) {
        const char16_t c = units[i];
        const unsigned bit = 1u << i;
        if (c == u'\0' || c == u'%' || c == escape || (nested && c == u']')) masks.stop |= bit;
        if (IsWhiteSpace(c) || (nested && c == u',')) masks.blank |= bit;
        if (c == u'"') masks.quote |= bit;
        if (!nested && c == u'/') masks.slash |= bit;
    }
    return masks;
}

#if defined(__SSE2__)

namespace scan_blocks_detail {

// The lanes of two vectors of eight units, each all ones or all zeros, as
// one bit per unit.
inline unsigned LaneMask(__m128i low, __m128i high) {
    return static_cast<unsigned>(_mm_movemask_epi8(_mm_packs_epi16(low, high)));
}

inline __m128i Equal(__m128i units, char16_t unit) {
    return _mm_cmpeq_epi16(units, _mm_set1_epi16(static_cast<short>(unit)));
}

// The lanes whose unit lies from `low` to `high`: (unit - low) as an
// unsigned number is at most high - low exactly there, and the saturating
// subtraction of high - low leaves 0 exactly then.
inline __m128i InSpan(__m128i units, char16_t low, char16_t high) {
    const __m128i offset = _mm_sub_epi16(units, _mm_set1_epi16(static_cast<short>(low)));
    const __m128i beyond = _mm_subs_epu16(offset, _mm_set1_epi16(static_cast<short>(high - low)));
    return _mm_cmpeq_epi16(beyond, _mm_setzero_si128());
}

// White space above 255: rare, and all of it within one span of units. The
// lanes in that span (mostly punctuation) are looked up one at a time in
// the generated ranges; units of most scripts lie outside it.
inline unsigned WhiteSpaceAbove255(const char16_t* units, __m128i low, __m128i high) {
    unsigned white = 0;
    unsigned inSpan = LaneMask(InSpan(low, WHITE_SPACE_SPAN_LOW, WHITE_SPACE_SPAN_HIGH),
                               InSpan(high, WHITE_SPACE_SPAN_LOW, WHITE_SPACE_SPAN_HIGH));
    for (; inSpan != 0; inSpan &= inSpan - 1) {
        const int lane = std::countr_zero(inSpan);
        if (IsWhiteSpace(units[lane])) white |= 1u << lane;
    }
    return white;
}

// The classes of eight units, one vector of lanes each.
struct Lanes {
    __m128i blank, quote, slash, stop;
};

inline __m128i Load(const char16_t* units) {
    return _mm_loadu_si128(reinterpret_cast<const __m128i*>(units));
}

// The classes of eight units, white space only below 256.
inline Lanes Classify(__m128i v, char16_t escape, bool nested) {
    // Latin-1 white space is 9 to 13, the blank and the no-break space.
    __m128i blank = _mm_or_si128(InSpan(v, 9, 13), _mm_or_si128(Equal(v, u' '), Equal(v, u'\u00A0')));
    __m128i stop = _mm_or_si128(_mm_or_si128(Equal(v, u'\0'), Equal(v, u'%')), Equal(v, escape));
    __m128i slash = _mm_setzero_si128();
    if (nested) {
        blank = _mm_or_si128(blank, Equal(v, u','));
        stop = _mm_or_si128(stop, Equal(v, u']'));
    } else {
        slash = Equal(v, u'/');
    }
    return Lanes{blank, Equal(v, u'"'), slash, stop};
}

}  // namespace scan_blocks_detail

// The same masks as ClassifyScanBlockPortable, eight units at a time.
inline ScanBlockMasks ClassifyScanBlockSse2(const char16_t* units, char16_t escape, bool nested) {
    using namespace scan_blocks_detail;
    const __m128i lowUnits = Load(units);
    const __m128i highUnits = Load(units + 8);
    const Lanes low = Classify(lowUnits, escape, nested);
    const Lanes high = Classify(highUnits, escape, nested);
    return ScanBlockMasks{
        LaneMask(low.blank, high.blank) | WhiteSpaceAbove255(units, lowUnits, highUnits),
        LaneMask(low.quote, high.quote),
        LaneMask(low.slash, high.slash),
        LaneMask(low.stop, high.stop),
    };
}

inline ScanBlockMasks ClassifyScanBlock(const char16_t* units, char16_t escape, bool nested) {
    return ClassifyScanBlockSse2(units, escape, nested);
}

#else

inline ScanBlockMasks ClassifyScanBlock(const char16_t* units, char16_t escape, bool nested) {
    return ClassifyScanBlockPortable(units, escape, nested);
}

#endif

}  // namespace tolvek
