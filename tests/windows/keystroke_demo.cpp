// A short transcript of the four actions, through the real tolvek.dll and
// the stand-in host library: each step shows the line with the cursor as |.
#include <windows.h>

#include <cstdio>
#include <cstring>
#include <string>

#include "host/host_api.h"
#include "takecmd_standin.h"
#include "wine_support.h"

namespace {

struct Step {
    const char* keyName;
    KeyCode code;
};

void Show(const char16_t* line, const char16_t* cursor) {
    std::string shown;
    for (const char16_t* p = line;; ++p) {
        if (p == cursor) shown += '|';
        if (*p == u'\0') break;
        shown += static_cast<char>(*p);
    }
    std::printf("    %s\n", shown.c_str());
}

void Demonstrate(const char16_t* text, int cursor, const Step& step) {
    auto* key = wine::Export<int(KeystrokeRecord*)>("key");
    char16_t line[128] = {};
    std::memcpy(line, text, (std::char_traits<char16_t>::length(text) + 1) * sizeof(char16_t));
    KeystrokeRecord record{};
    record.keyCode = step.code;
    record.lineStart = line;
    record.cursorPos = line + cursor;
    Show(line, record.cursorPos);
    key(&record);
    std::printf("  %s\n", step.keyName);
    Show(line, record.cursorPos);
    std::printf("\n");
}

}  // namespace

int main() {
    StandInReset();
    std::printf("tolvek.dll loaded; argument-wise editing with the default hotkeys\n\n");
    Demonstrate(u"copy \"my file.txt\" d:\\backup /v", 31, {"Ctrl-Left (move to the previous argument)", 65651});
    Demonstrate(u"copy \"my file.txt\" d:\\backup /v", 5, {"Ctrl-Right (move to the next argument)", 65652});
    Demonstrate(u"echo %@upper[abc def] x", 22, {"Ctrl-L (delete the argument to the left)", 12});
    Demonstrate(u"echo %@upper[abc def] x", 13, {"Ctrl-R (delete the argument to the right)", 18});
    Demonstrate(u"dir/s/b *.txt", 3, {"Ctrl-BkSp (delete the argument to the right)", 127});
    Demonstrate(u"echo a^ b c", 11, {"Ctrl-Left (the escaped blank does not separate)", 65651});
    return 0;
}
