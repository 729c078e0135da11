#include "host_format.h"

namespace {

struct Writer {
    char16_t* out;
    std::size_t capacity;
    std::size_t length = 0;

    void Put(char16_t unit) {
        if (length + 1 < capacity) out[length++] = unit;
    }
    void PutText(const char16_t* text) {
        if (text == nullptr) text = u"(null)";
        while (*text != u'\0') Put(*text++);
    }
    void PutNumber(unsigned long long value, bool negative) {
        char16_t digits[24];
        int count = 0;
        do {
            digits[count++] = static_cast<char16_t>(u'0' + value % 10);
            value /= 10;
        } while (value != 0);
        if (negative) Put(u'-');
        while (count > 0) Put(digits[--count]);
    }
};

}  // namespace

std::size_t FormatHostText(char16_t* out, std::size_t capacity, const char16_t* format, va_list values) {
    Writer writer{out, capacity};
    for (const char16_t* f = format; *f != u'\0'; ++f) {
        if (*f != u'%' || f[1] == u'\0') {
            writer.Put(*f);
            continue;
        }
        switch (*++f) {
        case u's': writer.PutText(va_arg(values, const char16_t*)); break;
        case u'd': {
            const long long value = va_arg(values, int);
            writer.PutNumber(static_cast<unsigned long long>(value < 0 ? -value : value), value < 0);
            break;
        }
        case u'u': writer.PutNumber(va_arg(values, unsigned int), false); break;
        default: writer.Put(*f); break;
        }
    }
    if (capacity > 0) out[writer.length] = u'\0';
    return writer.length;
}
