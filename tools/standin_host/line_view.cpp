#include "line_view.h"

#include <algorithm>

namespace standin {

LineView ViewLine(int length, int cursor, int width, int previousStart) {
    width = std::max(width, MIN_VIEW_WIDTH);
    // The line and a cell for the cursor after its end: the last start that
    // leaves no cell empty that text could fill.
    const int lastStart = std::max(0, length + 1 - width);
    int start = std::clamp(previousStart, 0, lastStart);
    const bool cutLeft = start > 0;
    const bool cutRight = start + width < length;
    if (cursor < start + (cutLeft ? 1 : 0)) {
        // Left of the row or on its marker: the cursor goes to the first
        // cell after the marker, or to the first cell at the line's start.
        start = std::max(0, cursor - 1);
    } else if (cursor > start + width - (cutRight ? 2 : 1)) {
        // Right of the row or on its marker: to the last cell before the
        // marker, or to the last cell when the line ends in sight.
        start = std::min(cursor - (width - 2), lastStart);
    }
    return {start, cursor - start, start > 0, start + width < length};
}

std::u16string ViewCells(const EditLine& line, const LineView& view, int width) {
    width = std::max(width, MIN_VIEW_WIDTH);
    std::u16string cells(static_cast<std::size_t>(width), u' ');
    for (int cell = 0; cell < width && view.start + cell < line.length; ++cell) {
        cells[static_cast<std::size_t>(cell)] = line.text[view.start + cell];
    }
    if (view.cutLeft) cells.front() = u'<';
    if (view.cutRight) cells.back() = u'>';
    return cells;
}

std::u16string CancelledCells(const EditLine& line, int viewStart, int width) {
    const LineView view = ViewLine(line.length, line.cursor, width, viewStart);
    const std::u16string cells = ViewCells(line, view, width);
    const int shown = view.cutRight ? static_cast<int>(cells.size()) : line.length - view.start;
    return cells.substr(0, static_cast<std::size_t>(shown)) + u"^C";
}

}  // namespace standin
