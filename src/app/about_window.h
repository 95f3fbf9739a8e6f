// The About window.
#pragma once

#include "app/control_layout.h"
#include "app/form.h"
#include "app/resource_ids.h"
#include "app/version.h"

namespace tessaro {

namespace form2 {

enum Control : int { Image2 = 100, Image1, Label2, Label1, StyleButton1 };

inline constexpr SIZE kClientTwips{5715, 3450};

using K = ControlKind;
inline constexpr ControlLayout kLayout[] = {
  {Image2, L"Image2", K::Picture, L"", nullptr, 240, 360, 1935, 2730, IDB_ABOUT},
  {Image1, L"Image1", K::Picture, L"", nullptr, 2280, 360, 615, 570, IDI_APP},
  {Label2, L"Label2", K::Label, L"Tessaro  版本:" TESSARO_ABOUT_VERSION, nullptr, 3000, 360, 2415, 255},
  {Label1, L"Label1", K::Label, L"", nullptr, 2400, 1080, 2895, 1695},
  {StyleButton1, L"StyleButton1", K::StyleButton, L"确定", nullptr, 4320, 2760, 1095, 375},
};

inline constexpr const wchar_t* kAboutText =
    L"本软件可将Word文档进行无损合并或分割操作,支持Word2003及Word2007.";

}  // namespace form2

// Form2: the About window.
class Form2 : public Form {
 public:
  explicit Form2(Application& app);

 protected:
  void OnLoad() override;
  void OnCommand(int id, int code, HWND control) override;
};

}  // namespace tessaro
