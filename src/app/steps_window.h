// The window that explains the steps of a merge or split.
#pragma once

#include "app/control_layout.h"
#include "app/form.h"
#include "app/resource_ids.h"

namespace tessaro {

namespace form3 {

enum Control : int { Label1 = 100, Image1, StyleButton1 };

inline constexpr SIZE kClientTwips{6645, 4230};
inline constexpr COLORREF kLabelBackground = RGB(192, 255, 255);

using K = ControlKind;
inline constexpr ControlLayout kLayout[] = {
  {Label1, L"Label1", K::Label, L"", nullptr, 240, 240, 6135, 3135},
  {Image1, L"Image1", K::Picture, L"", nullptr, 240, 3480, 480, 480, IDI_APP},
  {StyleButton1, L"StyleButton1", K::StyleButton, L"关闭", nullptr, 5040, 3600, 1335, 375},
};

inline constexpr const wchar_t* kStepsText =
    L"\r\n"
    L"本软件操作步骤如下:\r\n"
    L"\r\n"
    L"(1) 选择目标Word文档所在的目录;\r\n"
    L"\r\n"
    L"(2) 在当前目录文档列表中选定要添加的文档,单击添加;\r\n"
    L"\r\n"
    L"(3) 若要添加全部,则先在当前目录文档列表中按Ctrl+A选择全部,软件将自动把其中的Word文档添加到已添加列表中;\r\n"
    L"\r\n"
    L"(4) 若要改变已添加列表中文档的顺序,选中该文档,按列表右侧的拉动条进行拉动.\r\n"
    L"\r\n"
    L"(5) 若要更新桌面或其他盘符,可点击文件->更改根目录,选择目标目录即可.\r\n";

}  // namespace form3

// Form3: the 操作步骤 window, the steps of a merge or split.
class Form3 : public Form {
 public:
  explicit Form3(Application& app);

 protected:
  void OnLoad() override;
  void OnCommand(int id, int code, HWND control) override;
  LRESULT OnMessage(UINT message, WPARAM wparam, LPARAM lparam) override;

 private:
  Brush label_background_;
};

}  // namespace tessaro
