// Classifies sixteen units of the edit line at once, for the scanner's
// pass over the bulk of a line. Inline: the scan calls it for every block.
#pragma once

#if defined(__SSE2__)
#include <emmintrin.h>
#else
#include "text/char_class.h"
#endif

constexpr int SCAN_BLOCK_UNITS = 16;

// One bit per unit: bit i describes units[i].
struct ScanBlockMasks {
    unsigned blank;  // white space; a comma too inside a reference's brackets
    unsigned quote;  // the double quote
    unsigned slash;  // "/" outside a reference's brackets
    unsigned stop;   // needs the full rules: the terminator, "%", the escape
                     // character, any unit above 255, and "]" inside brackets
};

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

// The classes of eight units, one vector of lanes each.
struct Lanes {
    __m128i blank, quote, slash, stop;
};

inline Lanes Classify(const char16_t* units, char16_t escape, bool nested) {
    const __m128i v = _mm_loadu_si128(reinterpret_cast<const __m128i*>(units));

    // 9 to 13: v - 9 lies in 0..4 as a signed number; then blank and no-break space.
    const __m128i offset = _mm_sub_epi16(v, _mm_set1_epi16(9));
    __m128i blank = _mm_and_si128(_mm_cmpgt_epi16(offset, _mm_set1_epi16(-1)),
                                  _mm_cmplt_epi16(offset, _mm_set1_epi16(5)));
    blank = _mm_or_si128(blank, _mm_or_si128(Equal(v, u' '), Equal(v, u'\u00A0')));

    const __m128i latin1 =
        _mm_cmpeq_epi16(_mm_and_si128(v, _mm_set1_epi16(static_cast<short>(0xFF00))), _mm_setzero_si128());
    __m128i stop = _mm_or_si128(_mm_or_si128(Equal(v, u'\0'), Equal(v, u'%')), Equal(v, escape));
    stop = _mm_or_si128(stop, _mm_andnot_si128(latin1, _mm_set1_epi16(-1)));
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

// Reads exactly SCAN_BLOCK_UNITS units from `units`. `nested` is true while
// the scan is inside a reference's brackets.
inline ScanBlockMasks ClassifyScanBlock(const char16_t* units, char16_t escape, bool nested) {
    using scan_blocks_detail::LaneMask;
    const scan_blocks_detail::Lanes low = scan_blocks_detail::Classify(units, escape, nested);
    const scan_blocks_detail::Lanes high = scan_blocks_detail::Classify(units + 8, escape, nested);
    return ScanBlockMasks{
        LaneMask(low.blank, high.blank),
        LaneMask(low.quote, high.quote),
        LaneMask(low.slash, high.slash),
        LaneMask(low.stop, high.stop),
    };
}

#else

// Reads exactly SCAN_BLOCK_UNITS units from `units`. `nested` is true while
// the scan is inside a reference's brackets.
inline ScanBlockMasks ClassifyScanBlock(const char16_t* units, char16_t escape, bool nested) {
    ScanBlockMasks masks{0, 0, 0, 0};
    for (int i = 0; i < SCAN_BLOCK_UNITS; ++i) {
        const char16_t c = units[i];
        const unsigned bit = 1u << i;
        if (c > 0xFF || c == u'\0' || c == u'%' || c == escape || (nested && c == u']')) masks.stop |= bit;
        if (IsWhiteSpace(c) || (nested && c == u',')) masks.blank |= bit;
        if (c == u'"') masks.quote |= bit;
        if (!nested && c == u'/') masks.slash |= bit;
    }
    return masks;
}

#endif
