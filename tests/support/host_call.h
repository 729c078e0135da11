// A keystroke record as a host passes it, for tests native and under Wine:
// the host's own bytes filled with a pattern (so that a test sees any byte
// the handler should not have touched), over a line buffer and a key-name
// buffer with room to spare.
#pragma once

#include <cstring>
#include <string>

#include "host/host_api.h"

struct HostCall {
    static constexpr std::int32_t UNTOUCHED_REDRAW = 0x11;

    tolvek::KeystrokeRecord record;
    char16_t line[64];
    char16_t name[32];

    HostCall(const std::u16string& text, int cursor, tolvek::KeyCode code, const std::u16string& keyName = u"") {
        std::memset(static_cast<void*>(&record), 0xA5, sizeof record);
        std::memset(line, 0x5A, sizeof line);
        std::memcpy(line, text.c_str(), (text.size() + 1) * sizeof(char16_t));
        std::memset(name, 0, sizeof name);
        std::memcpy(name, keyName.c_str(), (keyName.size() + 1) * sizeof(char16_t));
        record.keyCode = code;
        record.lineStart = line;
        record.cursorPos = line + cursor;
        record.redraw = UNTOUCHED_REDRAW;
        record.keyName = name;
    }

    std::u16string Line() const { return std::u16string(line); }
    long Cursor() const { return record.cursorPos - line; }

    // True when the record, the line buffer and the name buffer are byte
    // for byte as in `before`.
    bool Unchanged(const HostCall& before) const {
        return std::memcmp(&record, &before.record, sizeof record) == 0 &&
               std::memcmp(line, before.line, sizeof line) == 0 && std::memcmp(name, before.name, sizeof name) == 0;
    }
};
