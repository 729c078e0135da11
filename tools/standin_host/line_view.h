// The row of the console that shows the edit line: a line wider than the row
// scrolls sideways, so that it is always redrawn in place and the cursor is
// always shown where it is. Portable code.
#pragma once

#include <string>

#include "edit_line.h"

namespace standin {

// Where the row shows the line, which takes `width` cells after the prompt.
// Each unit of the line takes one cell. Where text is hidden, the cell at
// that edge shows a marker in its place: '<' in the first cell when text
// comes before `start`, '>' in the last when text comes after the row.
struct LineView {
    int start;         // the first unit shown
    int cursorColumn;  // the cell of the cursor, 0 to width - 1; never a marker's
    bool cutLeft;
    bool cutRight;
};

// The narrowest row that can show a marker at each edge and the cursor
// between them.
constexpr int MIN_VIEW_WIDTH = 3;

// The view of a line of `length` units with the cursor at `cursor`, in a
// row of `width` cells (at least MIN_VIEW_WIDTH are used). The view moves
// only as far as it must from `previousStart`, the start the row showed
// before, so that it does not jump while the cursor stays in sight; it shows
// as much of the line as fits.
LineView ViewLine(int length, int cursor, int width, int previousStart);

// The row's `width` cells for the view: the line's text, the markers, and
// blanks after the end of the line.
std::u16string ViewCells(const EditLine& line, const LineView& view, int width);

// The cells a row needs after the view for the mark of a dropped line.
constexpr int CANCEL_MARK_CELLS = 2;

// The row as Ctrl+C leaves a line that it showed from `viewStart`: the
// view that was on screen, up to the line's end (or to the '>' marker where
// the line goes on out of sight), then "^C".
std::u16string CancelledCells(const EditLine& line, int viewStart, int width);

}  // namespace standin
