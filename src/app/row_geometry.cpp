#include "app/row_geometry.h"

namespace tessaro {

std::optional<int> InsertionIndexAt(int y, const RowGeometry& rows) {
  if (rows.row_height <= 0 || y < rows.first_top || y >= rows.client_height) return std::nullopt;
  const int index = rows.top_index + (y - rows.first_top) / rows.row_height;
  return index < rows.count ? index : rows.count;
}

int InsertionLineY(int index, const RowGeometry& rows) {
  return rows.first_top + (index - rows.top_index) * rows.row_height;
}

int AutoScrollStep(int y, const RowGeometry& rows) {
  if (rows.row_height <= 0) return 0;
  if (y < rows.first_top + rows.row_height) return -1;
  if (y >= rows.client_height - rows.row_height) return 1;
  return 0;
}

}  // namespace tessaro
