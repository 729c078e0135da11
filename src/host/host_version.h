// The host's major version, as the host states it in the expansion of
// "%_4ver", and what it settles: which key numbering the host uses.
#pragma once

namespace tolvek {

// Reads `text` as an unsigned 32-bit decimal number the way the C library
// does (white space skipped, one optional sign, a minus negating modulo
// 2^32, digits up to the first other unit) and returns it when it lies
// from 8 to 100; returns 0 for anything else: no digits, a number beyond
// 32 bits, or one outside that range.
int HostVersionFromText(const char16_t* text);

// Hosts from version 24 on number their keys the extended way, give keys
// by name and know the Ctrl+Alt+Shift combination.
constexpr int FIRST_EXTENDED_HOST_VERSION = 24;

constexpr bool UsesExtendedKeys(int hostVersion) {
    return hostVersion >= FIRST_EXTENDED_HOST_VERSION;
}

}  // namespace tolvek
