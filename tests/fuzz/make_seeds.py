#!/usr/bin/env python3
"""Writes the fuzz targets' seed corpora from the worked examples of the
command line's rules, and a dictionary of the words each input surface
knows (as UTF-16 text) for libFuzzer. Run from the repository root:
python3 tests/fuzz/make_seeds.py"""
import hashlib
import os
import struct

import re

ROOT = os.path.join(os.path.dirname(__file__), "corpus")
KEY_CODES_HEADER = os.path.join(os.path.dirname(__file__), "..", "..", "src", "hotkeys", "key_codes.h")


def named_key_codes():
    """The key codes the plug-in names, read from its header of named codes."""
    with open(KEY_CODES_HEADER, encoding="utf-8") as header:
        return {name: int(value, 0) for name, value in
                re.findall(r"constexpr KeyCode (\w+) = (0x[0-9A-Fa-f]+|\d+);", header.read())}


KEY = named_key_codes()
NO_HOTKEY = -65536
DEFAULT_HOTKEYS = [KEY["KEY_CTRL_LEFT"], KEY["KEY_CTRL_RIGHT"], KEY["KEY_CTRL_L"], KEY["KEY_CTRL_R"],
                   NO_HOTKEY, NO_HOTKEY, NO_HOTKEY, KEY["KEY_CTRL_BKSP"]]

LINES = [
    "dir /s /b x", "dir/s/b", 'echo "a b" c', 'a "b c', "copy a^ b c", "ab^ c", "echo ^",
    "echo %path% x", "echo %1 %2", "echo %@upper[abc def] x", "a,b %@f[x,y]", "%[x]y z",
    "x %@a[] y", '%@f["a]b" c]d e', 'say "%@f[a b]" z', "echo %@a[%@b[c d] e] f",
    "echo %@f[a b", "  abc", "   ", "copy a~ b c", "echo \U0001F600 %@len[\u00e9t\u00e9] x",
    "%[" * 600 + "]" * 520 + " ,y", "echo %$a_b% %_x$ y", "",
]
# Lines that end in the escape character, outside and inside quotes and
# brackets: the rules after the escape's own then decide.
LINES_ENDING_IN_ESCAPE = [
    ("/", "x /"), ("/", 'x "y /'), ("/", "%@f[x /"), ("]", "%@f[x ]"), ("]", '%@f["x ]'), ('"', 'x "'),
    ("%", "x %"), ("%", "%@f[x %"), (",", "%@f[x ,"), (",", "x ,"), (" ", "x "),
]


def escape_byte(answer):
    """The keystroke target's byte for the host's answer for the escape character: the character
    itself, 0 for no answer, with the top bit set for the character given twice."""
    return (ord(answer[0]) | (0x80 if len(answer) == 2 else 0)) if answer else 0


CARET = escape_byte("^")


def utf16(text):
    return text.encode("utf-16-le")


def write(surface, payload):
    folder = os.path.join(ROOT, surface)
    os.makedirs(folder, exist_ok=True)
    # Named as libFuzzer names what it keeps, so that a seed already in a
    # merged corpus is not written twice.
    name = hashlib.sha1(payload).hexdigest()
    with open(os.path.join(folder, name), "wb") as out:
        out.write(payload)


def keystroke_seeds():
    for line in LINES:
        length = len(utf16(line)) // 2
        for action in range(4):
            for cursor in {0, length // 2, length}:
                for flags in (0, 1):
                    escape = escape_byte("~" if "~" in line else "^")
                    write("keystroke", bytes([flags, escape, action]) + struct.pack("<H", cursor) + utf16(line))
    # Keys given by name in both modes, Ctrl+Alt+Shift held, a line of 8191
    # units repeated from a short one, and records that cannot be trusted.
    line = utf16('echo %@upper[abc def] "x y" ^z')
    for flags in (0x21, 0x20, 0x2F, 0x0F):
        for action in range(4):
            write("keystroke", bytes([flags, CARET, action]) + struct.pack("<H", 17) + line)
    for action in range(4):
        write("keystroke", bytes([0x41, CARET, action]) + struct.pack("<HH", 4000, 8191) + line)
    for cursor in range(3):
        write("keystroke", bytes([0x80, CARET, 0]) + struct.pack("<H", cursor) + line)
    for escape, text in LINES_ENDING_IN_ESCAPE:
        for action in range(4):
            write("keystroke", bytes([0, escape_byte(escape), action]) + struct.pack("<H", len(text) // 2)
                  + utf16(text))
    # The second key of each action (by default only DeleteRight has one,
    # the others are switched off), escape characters of the rules, no
    # answer and two characters (both leave the caret), and each
    # combination of modifiers in both key modes.
    for key_choice in range(4, 8):
        write("keystroke", bytes([0, CARET, key_choice]) + struct.pack("<H", 9) + line)
    for answer in ["^", "~", '"', " ", "%", "/", "]", "", "^^", ","]:
        write("keystroke", bytes([0, escape_byte(answer), 0]) + struct.pack("<H", 30) + line)
    for modifiers in range(16):
        write("keystroke", bytes([modifiers, CARET, 0]) + struct.pack("<H", 30) + line)
    long_line_seeds()


# Lines long enough for the block pass, which takes sixteen units at a time
# once eight have gone by without needing the rules: command text as users
# write it, in several scripts, up to the longest line of 8191 units.
LATIN_TEXT = ('copy "C:\\Program Files\\Tolvek\\data file.txt" d:\\backup\\%@name[%1].bak /v /y & '
              'echo %@upper[%_date] ^& done & dir/s/b *.txt | find "x" ')
CYRILLIC_TEXT = ('copy "C:\\Документы\\Годовой отчёт.docx" D:\\Резерв\\%@name[%1].бак /v /y & '
                 'echo %@upper[%Пользователь] Копирование завершено ^& проверено & dir/s/b *.текст | find "Отчёт" ')
CJK_TEXT = ('copy "C:\\文档\\年度报告\u3000二〇二四.docx" D:\\备份\\%@name[%1].备份 /v /y & '
            'echo %@upper[%用户] 复制完成\u3000已经检查 ^& 完成 & dir/s/b *.文本 | find "报告" ')
MIXED_TEXT = ('copy "C:\\Users\\Zoë\\Отчёт – 報告 \u201cfinal\u201d.txt" \\\\server\\共有\\%@name[%1].bak /v & '
              'echo It\u2019s done — готово ✓ 完成 \U0001F600 λόγος ^& ok & dir/s/b *.txt | find "Zoë" ')
PLAIN_TEXT = "copy file.txt d:\\backup\\ echo done "
# Quotes, escapes, switches and blanks that fall on every unit of a block
# in turn, as the pattern's length is not a multiple of sixteen; white
# space above 255 (U+2003, U+3000) and a letter inside its span (U+2019).
DRIFTING_TEXTS = [
    'abcdefghijklm "nopq',
    "abcdefghijklmnop^ q",
    'ab cd"ef gh"ij/kl mn^"o',
    "w\u2003x\u3000y\u2019z\u00a0\t\u0436\u4e00 ab/cd",
    'x "quoted \u3000 text /not a switch" y/z',
]
# Inside a reference's brackets a comma separates and "/" is no switch:
# long stretches of that, and nesting beyond the 511 levels the scan counts.
NESTED_TEXT = 'abc, def "g,h ]" ij/kl\u3000mn, op '
DEEP_NESTING = '%@f["a^ b",' * 600 + '"x^" y",z^,%v% /s ]' * 200


def long_line_seeds():
    """Seeds whose line the target repeats up to a length of up to 8191 units
    (flag 64), and a few long lines written out whole."""
    patterns = [LATIN_TEXT, CYRILLIC_TEXT, CJK_TEXT, MIXED_TEXT, PLAIN_TEXT] + DRIFTING_TEXTS
    for i, pattern in enumerate(patterns):
        for length in (200, 1000, 8191):
            for action in range(4):
                cursor = (length, length // 2 + i, length - 7, length // 3)[action]
                escape = escape_byte("^~"[i % 2])  # "~" makes "^" an ordinary unit
                write("keystroke", bytes([0x40, escape, action]) + struct.pack("<HH", cursor, length) + utf16(pattern))
    for action in range(4):
        nested = "%@f[" + NESTED_TEXT * 230 + "]"
        for escape in ("^", ","):
            cursor = (len(nested), 7000, 0, 3001)[action]
            write("keystroke", bytes([0, escape_byte(escape), action]) + struct.pack("<H", cursor) + utf16(nested))
        deep = DEEP_NESTING[:8191]
        write("keystroke", bytes([0, CARET, action]) + struct.pack("<H", (8191, 7000, 0, 4000)[action]) + utf16(deep))
    # A script of varied commands, not a repetition, of 8191 units.
    script, n = "", 0
    while len(utf16(script)) // 2 < 8191:
        script += patterns[n % len(patterns)].replace("%1", "%%%d" % (n % 10)).replace("x", "x" * (n % 17))
        n += 1
    script = utf16(script)[:2 * 8191]
    for action in range(4):
        write("keystroke", bytes([1, CARET, action]) + struct.pack("<H", (8191, 4100, 0, 8000)[action]) + script)


# The tokenizer: a flags byte (1 repeats the text up to the length in the
# next two bytes; 2 is not used, and stays set where a seed had it), then
# the text.
TOKENIZER_TEXTS = [
    "", " \t\r\n\u00a0\u3000 ", "/ml:alt-l  /s", "/ml:alt-l\t/s", '""', '"" a', 'a""b', '" "',
    '"abc  "', '"  abc"', '"a b', 'a"b c"d', "\u00e9t\u00e9 x", '/dr:"ctrl-r, ctrl-bksp"',
]


def tokenizer_seeds():
    for text in TOKENIZER_TEXTS:
        write("tokenizer", bytes([0]) + utf16(text))
    # 1025 one-letter arguments; one argument of 8191 and of 8192
    # characters; three of 4095, the third overflowing.
    for flags, length, text in [(1, 2050, "a "), (1, 8191, "b"), (1, 8192, "c"), (3, 3 * 4096, "d" * 4095 + " ")]:
        write("tokenizer", bytes([flags]) + struct.pack("<H", length) + utf16(text))


# Hotkey names: a code to format (four bytes), then a name to parse.
HOTKEY_NAMES = [
    "Ctrl-Left", "Ctrl-Right", "Ctrl-L", "Ctrl-R", "Ctrl-BkSp", "CONTROL-ALT-R", "control-alt-r", "a-b",
    "Shift-Ctrl-A", "A", "Shift-A", "Ctrl-C", "Ctrl-Alt-Del", "Ctrl-Alt-Shift-Del", "Alt-Shift-A",
    "Ctrl-Alt-Shift-A", "Alt--", "-", "Alt---", "--", "Ctrl-Num-", "Ctrl-Num+", "Ctrl-Shift-Num+", "", "Ctrl",
    "Ctrl-", "Foo-A", "NONE", "pageup", "Ctrl-\u00db", "Alt-\u00bd", "ctl-s-Insert", "Alt-" + "x" * 1100,
]
HOTKEY_CODES = [KEY["KEY_CTRL_LEFT"], 0x20001, 0x7001E, -65536, -1, -2, 0x1004A, 0, 0x87F, 0x70093]


def hotkey_name_seeds():
    for i, name in enumerate(HOTKEY_NAMES):
        write("hotkey_names", struct.pack("<i", HOTKEY_CODES[i % len(HOTKEY_CODES)]) + utf16(name))


# The command: a flags byte (1 extended key mode, 2 and 4 create the user's
# and the machine-wide key, 8 and 16 make them fail to open, 32 makes one
# write fail, 64 runs a batch file, 128 repeats the text), a byte per slot,
# a byte per value of each key created, the byte choosing the failing
# write, then the text.
COMMAND_TEXTS = [
    "", "  \t ", "/ml:alt-l", "/ML=Alt-L", "/DR:CTRL-R,CTRL-BKSP", "/dr:ctrl-r;ctrl-r", "/ML Alt-L", "/ML:Alt-L,",
    "/ML:,Alt-L", "/ML:Alt-L,Alt-M,Alt-N", "/MLX", "/? /bogus", "/bogus /?", "bogus", "/??", "/ML:Alt-L /R",
    "/R /S /L", "/L", "/ML:Alt-L /S", '"/S"', '" "', "/ML:NONE", "/DL:Alt-,", "/mr:ctrl-alt-shift-left",
    "/ML::ALT-L", "/l /s", "/ML:A", "/MR:Shift-A", "/DL:Ctrl-C", "/DR:Ctrl-Alt-Del",
]


def command_seeds():
    slots = bytes(range(1, 9))
    for text in COMMAND_TEXTS:
        write("command", bytes([0]) + slots + bytes([0]) + utf16(text))
    for flags in (1, 2 | 4, 8 | 16, 2 | 32, 64 | 8):
        keys = bytes(range(9, 17)) * (((flags >> 1) & 1) + ((flags >> 2) & 1))
        for text in ("/S", "/R", "/ml:ctrl-alt-shift-a /s", "/?"):
            write("command", bytes([flags]) + slots + keys + bytes([3]) + utf16(text))
    write("command", bytes([128]) + slots + bytes([0]) + struct.pack("<H", 9000) + utf16("/ML:ALT-L "))


# The registry store: a flags byte (1 and 2 create the user's and the
# machine-wide key, 4 and 8 make them fail to open, 16 reports errors, 32
# saves first, 64 makes one write of that save fail), the byte choosing
# the failing write, eight slots of four bytes, then for each key created
# eight values: a shape byte (size = shape % 20, missing above 16; type =
# shape / 20 % 12) and the data.
def dword_value(code, kind=4):
    return bytes([kind * 20 + 4]) + struct.pack("<i", code)


MISSING = bytes([19])


def registry_seeds():
    slots = struct.pack("<8i", *DEFAULT_HOTKEYS)
    full = b"".join(dword_value(code) for code in (0x10026, 0x10032, 12, 18, -65536, 0x1001A, -65536, 127))
    only_move_left = dword_value(0x10026) + MISSING * 7
    only_seconds = MISSING * 4 + dword_value(0x10030) * 4
    short_and_odd = (bytes([2]) + b"\x26\x00" + bytes([20 + 4]) + "A".encode("utf-16-le") + b"\0\0"
                     + bytes([3 * 20 + 8]) + bytes(8) + bytes([0]) + MISSING * 4)
    empty = MISSING * 8
    cases = [
        (0, b""), (16, b""), (1, only_move_left), (1 | 2, empty + full), (1 | 2, full + only_move_left),
        (1 | 2, only_seconds + full), (1 | 16, short_and_odd), (1 | 2 | 4, full + full), (2 | 8 | 16, full),
        (32, b""), (32 | 64, b""), (1 | 32, full), (1 | 4 | 32, full), (16 | 1, empty),
    ]
    for flags, values in cases:
        write("registry_load", bytes([flags, 5]) + slots + values)


# Start-up and help: a flags byte (1 and 2 fill the buffer of the version
# and of the quiet-load answer, each followed by the unit and the count; 4
# stores a hotkey, whose code follows; 8 takes the desktop away; 16 gives
# Help and Usage no name; 32 gives Usage no buffer), then the version
# answer, the quiet-load answer and the name, separated by NULs.
VERSION_ANSWERS = [
    "7", "8", "23", "24", "100", "101", "24.01", "9x", "", "abc", "+", "4294967296", "4294967320",
    "99999999999999999999999", "   24", "\t\r\n 30", "+24", "-24", "-4294967272", "- 24", "0024", "%_4ver",
    "\u3000\u200924", "\u0662\u0664", "0000000000024", "4294967295", "-4294967295", "--24",
]
QUIET_ANSWERS = ["00", "0", "000", "01", "10", "", "00 ", " 00", "%[_transient]%[_pipe]%[noloadmsg]", "\uff10\uff10"]
COMMAND_NAMES = ["tolvek", "TOLVEK", "ToLvEk", "tolvek ", " tolvek", "tolvekx", "tolve", "", "key",
                 "tolv\u00c9k", "tolve\u212a", "TOLVEK" * 300]


def startup_help_seeds():
    def texts(*pieces):
        return utf16("\0".join(pieces))

    for i, version in enumerate(VERSION_ANSWERS):
        quiet = QUIET_ANSWERS[i % len(QUIET_ANSWERS)]
        name = COMMAND_NAMES[i % len(COMMAND_NAMES)]
        write("startup_help", bytes([0]) + texts(version, quiet, name))
    for name in COMMAND_NAMES:
        for flags in (8, 32):
            write("startup_help", bytes([flags]) + texts("24", "00", name))
    write("startup_help", bytes([16]) + texts("24", "00"))
    write("startup_help", bytes([4]) + struct.pack("<I", 0x10048) + texts("30", "00", "Tolvek"))
    # Answers that fill the buffer to its last unit, or only partly over
    # the text the plug-in put there.
    for unit, count in ((u"2", 1024), (u" ", 1024), (u"0", 1024), (u"2", 1023), (u"0", 2), (u" ", 3)):
        fill = struct.pack("<HH", ord(unit), count)
        write("startup_help", bytes([1]) + fill + texts("", "00", "tolvek"))
        write("startup_help", bytes([2]) + fill + texts("24", "", "tolvek"))
        write("startup_help", bytes([3]) + fill + fill + texts("", "", "tolvek"))


# Words each surface knows, for libFuzzer's -dict, as UTF-16 text.
DICTIONARIES = {
    "keystroke": ["%@", "%", "[", "]", '"', "^", " ", "/", ",", "%[", "\U0001F600", "$", "_", "\u3000"],
    "tokenizer": ['"', " ", "\t", "\u00a0", "\u3000"],
    "hotkey_names": ["Ctrl-", "Alt-", "Shift-", "Control-", "ctl-", "s-", "a-", "c-", "Left", "Right",
                     "BkSp", "Backspace", "Num-", "Num+", "Num*", "Num/", "Enter", "Decimal", "PageUp",
                     "Grave", "`", "Minus", "Plus", "Divide", "Multiply", "Semi", "Apos", "F12", "Del"],
    "command": ["/ML:", "/MR=", "/DL", "/DR:", "/S", "/R", "/L", "/?", "/??", '"', " ", ",", ";", "NONE",
                "Ctrl-", "Alt-", "Shift-", "Left", "BkSp", "Backspace", "Num-"],
    "registry_load": [],
    "startup_help": ["\0", "00", "24", "100", "4294967296", "+", "-", " ", "\u3000", "tolvek", "TOLVEK", "%_4ver"],
}


def escaped(data):
    return "".join(chr(b) if 32 <= b < 127 and chr(b) not in '"\\' else "\\x%02X" % b for b in data)


def write_dictionaries():
    for surface, words in DICTIONARIES.items():
        if not words:
            continue
        with open(os.path.join(os.path.dirname(__file__), surface + ".dict"), "w") as out:
            for word in words:
                out.write('"%s"\n' % escaped(utf16(word)))


if __name__ == "__main__":
    keystroke_seeds()
    tokenizer_seeds()
    hotkey_name_seeds()
    command_seeds()
    registry_seeds()
    startup_help_seeds()
    write_dictionaries()
