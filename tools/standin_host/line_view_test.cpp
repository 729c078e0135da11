// The row that shows a long edit line: a line of 150 units in an 82-column
// console, whose row has 69 cells after the 10 of the prompt and before the
// 2 that Ctrl+C's mark takes and the last column, which is left empty so
// that the console never wraps.
#include "line_view.h"

#include <gtest/gtest.h>

#include <string>

namespace {

using namespace standin;

constexpr int WIDTH = 82 - 10 - CANCEL_MARK_CELLS - 1;

// 150 units that tell their position: "000 004 008 ...".
std::u16string LongText() {
    std::u16string text;
    for (int i = 0; text.size() < 150; i += 4) {
        text += static_cast<char16_t>(u'0' + i / 100 % 10);
        text += static_cast<char16_t>(u'0' + i / 10 % 10);
        text += static_cast<char16_t>(u'0' + i % 10);
        text += u' ';
    }
    text.resize(150);
    return text;
}

EditLine LineOf(const std::u16string& text, int cursor) {
    EditLine line{};
    SetLineText(&line, text.c_str());
    SetCursor(&line, cursor);
    return line;
}

// What a row of the view must always be: the cursor in it and on no marker,
// every other cell the line's unit at its place, and no cell left empty that
// text could fill.
void ExpectSound(const EditLine& line, const LineView& view) {
    const std::u16string cells = ViewCells(line, view, WIDTH);
    ASSERT_EQ(cells.size(), static_cast<std::size_t>(WIDTH));
    EXPECT_EQ(view.start + view.cursorColumn, line.cursor);
    EXPECT_GE(view.cursorColumn, view.cutLeft ? 1 : 0);
    EXPECT_LE(view.cursorColumn, WIDTH - (view.cutRight ? 2 : 1));
    EXPECT_EQ(view.cutLeft, view.start > 0);
    EXPECT_EQ(view.cutRight, view.start + WIDTH < line.length);
    EXPECT_LE(view.start, std::max(0, line.length + 1 - WIDTH));
    for (int cell = 0; cell < WIDTH; ++cell) {
        const int unit = view.start + cell;
        char16_t wanted = unit < line.length ? line.text[unit] : u' ';
        if (cell == 0 && view.cutLeft) wanted = u'<';
        if (cell == WIDTH - 1 && view.cutRight) wanted = u'>';
        EXPECT_EQ(cells[static_cast<std::size_t>(cell)], wanted) << "cell " << cell;
    }
}

TEST(StandInLineViewTest, TypingALongLineScrollsItSideways) {
    const std::u16string text = LongText();
    int start = 0;
    for (int length = 0; length <= 150; ++length) {
        const EditLine line = LineOf(text.substr(0, static_cast<std::size_t>(length)), length);
        const LineView view = ViewLine(line.length, line.cursor, WIDTH, start);
        ExpectSound(line, view);
        // Until the row is full the line stands still; from then on each
        // unit moves it one cell.
        EXPECT_EQ(view.start, std::max(0, length + 1 - WIDTH)) << length;
        start = view.start;
    }
    const EditLine line = LineOf(text, 150);
    const LineView end = ViewLine(150, 150, WIDTH, start);
    EXPECT_EQ(ViewCells(line, end, WIDTH), u"<" + text.substr(83) + u" ");
    EXPECT_EQ(end.cursorColumn, WIDTH - 1);
}

TEST(StandInLineViewTest, TheCursorTakesTheRowAlongOnlyWhereItLeavesIt) {
    const std::u16string text = LongText();
    struct Row {
        int previousStart;
        int cursor;
        int start;
        const char* what;
    };
    const Row rows[] = {
        {82, 0, 0, "Home: the line's start, text cut on the right"},
        {0, 150, 82, "End: the line's end"},
        {82, 100, 82, "within the row: it stays"},
        {82, 83, 82, "on the first cell after the marker: it stays"},
        {82, 82, 81, "onto the marker: one cell"},
        {82, 40, 39, "far to the left: the cursor after the marker"},
        {39, 106, 39, "on the last cell before the marker: it stays"},
        {39, 107, 40, "onto the marker: one cell"},
        {39, 120, 53, "far to the right: the cursor before the marker"},
        {0, 1, 0, "near the start: nothing is cut on the left"},
        {70, 148, 81, "the line ends in sight: no marker on the right"},
        {200, 150, 82, "a start past the line's end is pulled back"},
    };
    for (const Row& row : rows) {
        const EditLine line = LineOf(text, row.cursor);
        const LineView view = ViewLine(line.length, line.cursor, WIDTH, row.previousStart);
        EXPECT_EQ(view.start, row.start) << row.what;
        ExpectSound(line, view);
    }
    const LineView home = ViewLine(150, 0, WIDTH, 82);
    EXPECT_EQ(ViewCells(LineOf(text, 0), home, WIDTH), text.substr(0, WIDTH - 1) + u">");
}

TEST(StandInLineViewTest, EveryCursorOfEveryLengthIsShownInPlace) {
    const std::u16string text = LongText();
    for (int length = 0; length <= 150; length += 7) {
        for (int cursor = 0; cursor <= length; ++cursor) {
            for (const int previousStart : {0, 1, 40, 82, 149}) {
                const EditLine line = LineOf(text.substr(0, static_cast<std::size_t>(length)), cursor);
                ExpectSound(line, ViewLine(length, cursor, WIDTH, previousStart));
            }
        }
    }
}

TEST(StandInLineViewTest, CtrlCLeavesTheViewThatWasOnScreen) {
    const std::u16string text = LongText();
    struct Row {
        int viewStart;
        int cursor;
        std::u16string cells;
    };
    const Row rows[] = {
        {0, 3, text.substr(0, WIDTH - 1) + u">^C"},  // not the view of the line's end
        {39, 60, u"<" + text.substr(40, WIDTH - 2) + u">^C"},
        {82, 150, u"<" + text.substr(83) + u"^C"},
    };
    for (const Row& row : rows) {
        EXPECT_EQ(CancelledCells(LineOf(text, row.cursor), row.viewStart, WIDTH), row.cells) << row.viewStart;
    }
    EXPECT_EQ(CancelledCells(LineOf(u"copy a b", 6), 0, WIDTH), u"copy a b^C");
}

TEST(StandInLineViewTest, ARowNarrowerThanThreeCellsCountsAsThree) {
    const EditLine line = LineOf(u"abcdef", 3);
    const LineView view = ViewLine(6, 3, 1, 0);
    EXPECT_EQ(view.start, 2);
    EXPECT_EQ(view.cursorColumn, 1);
    EXPECT_EQ(ViewCells(line, view, 1), u"<d>");
}

}  // namespace
