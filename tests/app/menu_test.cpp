#include <gtest/gtest.h>

#include <vector>

#include "app/form1_menu.h"
#include "app/menu_table.h"
#include "menu_reader.h"

namespace tessaro {
namespace {

using testing::MenuRow;
using testing::ReadMenu;

std::vector<MenuRow> RowsOf(std::span<const MenuItemSpec> table) {
  std::vector<MenuRow> rows;
  for (const MenuItemSpec& item : table) rows.push_back(MenuRow{item.id, MenuText(item), item.level, false});
  return rows;
}

TEST(MenuTable, BuiltMenuMatchesTheTableRowForRow) {
  HMENU bar = BuildMenuBar(form1::kMenu);
  ASSERT_NE(bar, nullptr);
  EXPECT_EQ(ReadMenu(bar), RowsOf(form1::kMenu));
  DestroyMenu(bar);
}

TEST(MenuTable, MainMenuShapeAndCaptions) {
  HMENU bar = BuildMenuBar(form1::kMenu);
  ASSERT_EQ(GetMenuItemCount(bar), 3);
  const std::vector<MenuRow> rows = ReadMenu(bar);
  DestroyMenu(bar);
  // The captions a user sees, with their access keys.
  std::vector<std::wstring> texts;
  for (const MenuRow& row : rows) texts.push_back(row.text);
  const std::vector<std::wstring> expected = {
      L"文件(&F)", L"更改根目录(&C)", L"-", L"关于(&A)", L"-", L"退出(&X)",
      L"视图(&V)", L"大图标(&g)", L"小图标(&m)", L"列表(&L)", L"详细信息(&D)", L"-",
      L"排列图标", L"升序(&s)", L"降序(&D)", L"-", L"自动排列(&A)", L"-",
      L"选择全部(&A)", L"-", L"刷新(&R)\tF5",
      L"帮助(&H)", L"操作步骤(&S)"};
  EXPECT_EQ(texts, expected);
  // The arrange items sit in a submenu one level down.
  EXPECT_EQ(rows[13].level, 2);
  EXPECT_EQ(rows[16].level, 2);
  EXPECT_EQ(rows[17].level, 1);
  for (const MenuRow& row : rows) EXPECT_FALSE(row.checked) << row.id;
}

TEST(MenuTable, F5IsTheOnlyAcceleratorAndSendsRefresh) {
  HACCEL table = BuildAccelerators(form1::kMenu);
  ASSERT_NE(table, nullptr);
  ACCEL entries[4] = {};
  const int count = CopyAcceleratorTableW(table, entries, 4);
  DestroyAcceleratorTable(table);
  ASSERT_EQ(count, 1);
  EXPECT_EQ(entries[0].key, VK_F5);
  EXPECT_EQ(entries[0].cmd, form1::mnuViewRefresh);
  EXPECT_TRUE(entries[0].fVirt & FVIRTKEY);
}

TEST(MenuTable, TableWithoutShortcutsHasNoAccelerators) {
  const MenuItemSpec table[] = {{1, L"mnuA", L"A", 0}, {2, L"mnuB", L"B", 1}};
  EXPECT_EQ(BuildAccelerators(table), nullptr);
}

}  // namespace
}  // namespace tessaro
