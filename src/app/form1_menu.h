// The main window's menu bar.
#pragma once

#include "app/menu_table.h"

namespace tessaro::form1 {

enum MenuId : int {
  mnuFile = 1000, mnuFileRoot, mnuFileSep1, mnuFileAbout, mnuFileSep2, mnuFileExit,
  mnuView, mnuViewLargeIcons, mnuViewSmallIcons, mnuViewList, mnuViewReport, mnuViewSep1,
  mnuViewArrange, mnuViewArrangeAZ, mnuViewArrangeZA, mnuViewArrangeSep1, mnuViewArrangeAuto,
  mnuViewSep2, mnuViewSelAll, mnuViewSep3, mnuViewRefresh,
  mnuHelp, mnuStep,
  // The right-click menu of the added-documents list.
  mnuAdded, mnuAddedUp, mnuAddedDown, mnuAddedSep1, mnuAddedDelete, mnuAddedDeleteAll,
};

inline constexpr MenuItemSpec kMenu[] = {
  {mnuFile, L"mnuFile", L"文件(&F)", 0},
  {mnuFileRoot, L"mnuFileRoot", L"更改根目录(&C)", 1},
  {mnuFileSep1, L"mnuFileSep1", kSeparator, 1},
  {mnuFileAbout, L"mnuFileAbout", L"关于(&A)", 1},
  {mnuFileSep2, L"mnuFileSep2", kSeparator, 1},
  {mnuFileExit, L"mnuFileExit", L"退出(&X)", 1},
  {mnuView, L"mnuView", L"视图(&V)", 0},
  {mnuViewLargeIcons, L"mnuViewLargeIcons", L"大图标(&g)", 1},
  {mnuViewSmallIcons, L"mnuViewSmallIcons", L"小图标(&m)", 1},
  {mnuViewList, L"mnuViewList", L"列表(&L)", 1},
  {mnuViewReport, L"mnuViewReport", L"详细信息(&D)", 1},
  {mnuViewSep1, L"mnuViewSep1", kSeparator, 1},
  {mnuViewArrange, L"mnuViewArrange", L"排列图标", 1},
  {mnuViewArrangeAZ, L"mnuViewArrangeAZ", L"升序(&s)", 2},
  {mnuViewArrangeZA, L"mnuViewArrangeZA", L"降序(&D)", 2},
  {mnuViewArrangeSep1, L"mnuViewArrangeSep1", kSeparator, 2},
  {mnuViewArrangeAuto, L"mnuViewArrangeAuto", L"自动排列(&A)", 2},
  {mnuViewSep2, L"mnuViewSep2", kSeparator, 1},
  {mnuViewSelAll, L"mnuViewSelAll", L"选择全部(&A)", 1},
  {mnuViewSep3, L"mnuViewSep3", kSeparator, 1},
  {mnuViewRefresh, L"mnuViewRefresh", L"刷新(&R)", 1, VK_F5},
  {mnuHelp, L"mnuHelp", L"帮助(&H)", 0},
  {mnuStep, L"mnuStep", L"操作步骤(&S)", 1},
};

// F1 opens the steps, as help does in every Windows program; the menu does
// not show it.
inline constexpr ACCEL kUnshownKeys[] = {{FVIRTKEY, VK_F1, mnuStep}};

// One popup: 上移 and 下移 move the picked row as the order bar does, 删除 and
// 删除全部 do what their buttons do.
inline constexpr MenuItemSpec kAddedMenu[] = {
  {mnuAdded, L"mnuAdded", L"已添加文件", 0},
  {mnuAddedUp, L"mnuAddedUp", L"上移", 1},
  {mnuAddedDown, L"mnuAddedDown", L"下移", 1},
  {mnuAddedSep1, L"mnuAddedSep1", kSeparator, 1},
  {mnuAddedDelete, L"mnuAddedDelete", L"删除", 1},
  {mnuAddedDeleteAll, L"mnuAddedDeleteAll", L"删除全部", 1},
};

}  // namespace tessaro::form1
