// Where the rows of a report-view list stand, and what a pointer at a given
// height points to while rows are dragged. Plain arithmetic on what the list
// reports, in its client coordinates.
#pragma once

#include <optional>

namespace tessaro {

struct RowGeometry {
  int first_top = 0;   // top of the first visible row, below the header
  int row_height = 0;  // every row of a report view has the same height
  int top_index = 0;   // index of the first visible row
  int count = 0;
  int client_height = 0;
};

// The row under height y, count for the empty space below the last row, or
// nothing over the header or outside the list.
std::optional<int> InsertionIndexAt(int y, const RowGeometry& rows);

// The height of the line that shows an insertion before row index (or after
// the last row when index is count).
int InsertionLineY(int index, const RowGeometry& rows);

// Dragging near an edge scrolls: -1 a line up within a row's height of the
// top of the rows (or above them), +1 a line down within a row's height of
// the bottom, else 0.
int AutoScrollStep(int y, const RowGeometry& rows);

}  // namespace tessaro
