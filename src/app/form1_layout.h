// The main window's controls, in tab order. A control that sits over another
// (Text3 in the gap of Option2's caption) comes before it, so it stacks above.
#pragma once

#include "app/control_layout.h"

namespace tessaro::form1 {

enum Control : int {
  Label5 = 100,  // "选择目录:", over the folder tree
  TreeView1,     // the folder tree
  Label6,        // "当前目录文档列表:", over the contents list
  ListView1,     // the contents list of the selected folder
  Label4,        // "已添加文件:"
  Label1,        // the count of added documents
  StyleButton3,  // the 添加 button
  StyleButton4,  // the 添加全部 button
  StyleButton5,  // the 删除 button
  StyleButton6,  // the 删除全部 button
  ListView2,     // the added documents, in merge order
  vsOrder,       // the order bar beside the added documents
  Check1,        // 打印 the merged document
  Label2,        // "合并输出保存"
  Text1,         // the merge's output file
  StyleButton2,  // "..." choosing the merge's output file
  Label3,        // "分割输出路径"
  Text2,         // the split's output folder
  StyleButton1,  // "..." choosing the split's output folder
  Check5,        // 合并选项: enables the merge's options
  Check3,        // 保持原来各文档格式不变: a page break before each document
  Check2,        // 打开合并后的文档
  Check4,        // 更新文档域代码
  Check6,        // 分割选项: enables the split's options
  Option1,       // split one file per page
  Text3,         // the number of files of an even split
  Option2,       // split evenly into Text3's number of files
  Check7,        // 批量分割: split every added document
  StyleButton7,  // the 合并 button
  StyleButton8,  // the 分割 button
  StyleButton9,  // the 退出 button
  Frame1,        // "输出 ": the output boxes
  Frame2,        // the merge's options
  Frame3,        // the split's options
};

// Client area of the main window, in twips.
inline constexpr SIZE kClientTwips{11280, 8160};

// Widths of ListView2's columns, in twips.
inline constexpr int kFileNameColumnTwips = 1440;
inline constexpr int kFolderColumnTwips = 5000;

using K = ControlKind;
inline constexpr ControlLayout kLayout[] = {
  {Label5, L"Label5", K::Label, L"选择目录:", nullptr, 360, 120, 2415, 255},
  {TreeView1, L"TreeView1", K::TreeView, L"", nullptr, 360, 360, 3015, 5295},
  {Label6, L"Label6", K::Label, L"当前目录文档列表:", nullptr, 3480, 120, 2055, 255},
  {ListView1, L"ListView1", K::ListView, L"", nullptr, 3480, 360, 7455, 2175},
  {Label4, L"Label4", K::Label, L"已添加文件:", nullptr, 3600, 2760, 1095, 255},
  {Label1, L"Label1", K::Label, L"0", nullptr, 4680, 2760, 615, 255},
  {StyleButton3, L"StyleButton3", K::StyleButton, L"添加", nullptr, 5880, 2640, 975, 375},
  {StyleButton4, L"StyleButton4", K::StyleButton, L"添加全部", nullptr, 7200, 2640, 975, 375},
  {StyleButton5, L"StyleButton5", K::StyleButton, L"删除", nullptr, 8520, 2640, 975, 375},
  {StyleButton6, L"StyleButton6", K::StyleButton, L"删除全部", nullptr, 9840, 2640, 975, 375},
  {ListView2, L"ListView2", K::ReportListView, L"", nullptr, 3480, 3120, 7215, 2535},
  {vsOrder, L"vsOrder", K::VScrollBar, L"", nullptr, 10680, 3120, 255, 2535},
  {Check1, L"Check1", K::CheckBox, L"打印(注：只打印合并后的文档)", L"Frame1", 240, 480, 3135, 255},
  {Label2, L"Label2", K::Label, L"合并输出保存", L"Frame1", 240, 960, 1095, 255},
  {Text1, L"Text1", K::TextBox, L"", L"Frame1", 1440, 915, 1980, 270},
  {StyleButton2, L"StyleButton2", K::StyleButton, L"...", L"Frame1", 3465, 900, 495, 300},
  {Label3, L"Label3", K::Label, L"分割输出路径", L"Frame1", 225, 1515, 1095, 255},
  {Text2, L"Text2", K::TextBox, L"", nullptr, 1785, 7335, 2010, 285},
  {StyleButton1, L"StyleButton1", K::StyleButton, L"...", nullptr, 3825, 7335, 495, 285},
  {Check5, L"Check5", K::CheckBox, L"合并选项", L"Frame2", 240, 0, 1050, 255},
  {Check3, L"Check3", K::CheckBox, L"保持原来各文档格式不变", L"Frame2", 240, 480, 2415, 255},
  {Check2, L"Check2", K::CheckBox, L"打开合并后的文档", L"Frame2", 240, 960, 2055, 255},
  {Check4, L"Check4", K::CheckBox, L"更新文档域代码", L"Frame2", 240, 1440, 2175, 255},
  {Check6, L"Check6", K::CheckBox, L"分割选项", nullptr, 7440, 5880, 1050, 255},
  {Option1, L"Option1", K::OptionButton, L"按每页进行分割(默认)", L"Frame3", 240, 480, 2175, 255},
  {Text3, L"Text3", K::TextBox, L"", L"Frame3", 1440, 960, 435, 270},
  {Option2, L"Option2", K::OptionButton, L"平均分割为      文件", L"Frame3", 240, 960, 2175, 255},
  {Check7, L"Check7", K::CheckBox, L"批量分割", L"Frame3", 240, 1440, 2055, 255},
  {StyleButton7, L"StyleButton7", K::StyleButton, L"合并", nullptr, 9840, 6000, 1095, 375},
  {StyleButton8, L"StyleButton8", K::StyleButton, L"分割", nullptr, 9840, 6720, 1095, 375},
  {StyleButton9, L"StyleButton9", K::StyleButton, L"退出", nullptr, 9840, 7440, 1095, 375},
  {Frame1, L"Frame1", K::Frame, L"输出 ", nullptr, 360, 5880, 4095, 1935},
  {Frame2, L"Frame2", K::Frame, L"", nullptr, 4440, 5880, 2775, 1935},
  {Frame3, L"Frame3", K::Frame, L"", nullptr, 7200, 5880, 2535, 1935},
};

}  // namespace tessaro::form1
