#include "shell/list_columns.h"

#include <commctrl.h>

#include <string>

#include "shell/shell_folder.h"

namespace tessaro::shell {
namespace {

struct DefaultColumn {
  UINT string_id;           // caption in shell32's string table
  const wchar_t* fallback;  // caption when the shell library has none
  int width;
  int format;
};

constexpr DefaultColumn kName{8976, L"名称", 120, LVCFMT_LEFT};
constexpr DefaultColumn kSize{8978, L"大小", 60, LVCFMT_RIGHT};
constexpr DefaultColumn kType{8979, L"类型", 120, LVCFMT_LEFT};
constexpr DefaultColumn kDate{8980, L"修改日期", 120, LVCFMT_LEFT};

void InsertColumn(HWND list, int index, std::wstring caption, int width, int format) {
  LVCOLUMNW column{};
  column.mask = LVCF_TEXT | LVCF_WIDTH | LVCF_FMT | LVCF_SUBITEM;
  column.pszText = caption.data();
  column.cx = width;
  column.fmt = format;
  column.iSubItem = index;
  ListView_InsertColumn(list, index, &column);
}

int FormatFromDetails(int details_format) {
  switch (details_format & LVCFMT_JUSTIFYMASK) {
    case LVCFMT_RIGHT: return LVCFMT_RIGHT;
    case LVCFMT_CENTER: return LVCFMT_CENTER;
  }
  return LVCFMT_LEFT;
}

}  // namespace

int CreateListColumns(HWND list, IShellDetails* details, bool file_system) {
  if (details) {
    // A folder that never stops describing columns must not hang the list.
    constexpr int kMaxColumns = 64;
    int count = 0;
    for (SHELLDETAILS column{};
         count < kMaxColumns && SUCCEEDED(details->GetDetailsOf(nullptr, count, &column)); column = {}) {
      InsertColumn(list, count, StrRetToString(column.str, nullptr), column.cxChar * 6, FormatFromDetails(column.fmt));
      ++count;
    }
    return count;
  }
  const DefaultColumn file_system_columns[] = {kName, kSize, kType, kDate};
  const DefaultColumn other_columns[] = {kName, kType};
  const DefaultColumn* columns = file_system ? file_system_columns : other_columns;
  const int count = file_system ? 4 : 2;
  for (int i = 0; i < count; ++i) {
    std::wstring caption = LoadShellString(columns[i].string_id);
    InsertColumn(list, i, caption.empty() ? columns[i].fallback : caption, columns[i].width, columns[i].format);
  }
  return count;
}

}  // namespace tessaro::shell
