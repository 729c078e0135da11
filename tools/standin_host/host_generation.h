// The host generation the stand-in host plays, read from the version text it
// is given (what %_4ver expands to). The stand-in reads the text with its
// own code, not the plug-in's, so that a transcript shows it when the
// plug-in reads the version otherwise. Portable code.
#pragma once

namespace standin {

// The major version a version text states: the decimal digits it starts
// with, as in "24" or "24.01"; 0 when it does not start with a digit. A
// number beyond MAX_MAJOR_VERSION reads as MAX_MAJOR_VERSION.
constexpr int MAX_MAJOR_VERSION = 99999;
int MajorVersionOf(const char16_t* versionText);

// From version 24 on the host numbers its keys the newer way and passes
// their names.
constexpr int FIRST_NEWER_KEYS_VERSION = 24;

inline bool NumbersKeysTheNewerWay(const char16_t* versionText) {
    return MajorVersionOf(versionText) >= FIRST_NEWER_KEYS_VERSION;
}

}  // namespace standin
