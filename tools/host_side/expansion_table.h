// What the host expands: names and their values, in fixed storage so that a
// stand-in of the host library never allocates. Names compare without
// regard to the case of A to Z, as the host's variable names do.
#pragma once

#include <cstddef>

#include "host_text.h"

namespace host_side {

template <std::size_t NameUnits, std::size_t ValueUnits, std::size_t Capacity>
class ExpansionTable {
public:
    static constexpr std::size_t NAME_UNITS = NameUnits;    // terminator included
    static constexpr std::size_t VALUE_UNITS = ValueUnits;  // terminator included

    void Clear() { count_ = 0; }

    // Gives `name` the value `value`, both cut to their fields. False when
    // the name is new and the table is full.
    bool Set(const char16_t* name, const char16_t* value) {
        const std::size_t nameLength = TextUnits(name);
        const std::size_t index = IndexOf(name, nameLength);
        if (index == count_) {
            if (count_ == Capacity) return false;
            CopyTextCut(entries_[count_++].name, NameUnits, name, nameLength);
        }
        CopyTextCut(entries_[index].value, ValueUnits, value, TextUnits(value));
        return true;
    }

    // The value of the name made of the `length` units at `name`; null when
    // it has none.
    const char16_t* Find(const char16_t* name, std::size_t length) const {
        const std::size_t index = IndexOf(name, length);
        return index == count_ ? nullptr : entries_[index].value;
    }

    const char16_t* Find(const char16_t* name) const { return Find(name, TextUnits(name)); }

private:
    struct Entry {
        char16_t name[NameUnits];
        char16_t value[ValueUnits];
    };

    // The entry of the name, or count_ when there is none.
    std::size_t IndexOf(const char16_t* name, std::size_t length) const {
        std::size_t index = 0;
        while (index < count_ && !SameNameIgnoringAsciiCase(entries_[index].name, name, length)) ++index;
        return index;
    }

    Entry entries_[Capacity];
    std::size_t count_ = 0;
};

}  // namespace host_side
