#include "skin/skin_kind.h"

#include <array>
#include <utility>

namespace tessaro::skin {
namespace {

constexpr std::array<std::pair<std::wstring_view, SkinKind>, 27> kClasses{{
    {L"#32770", SkinKind::Form},
    {L"tessaroform", SkinKind::Form},  // the program's own windows
    {L"thunderformdc", SkinKind::Form},
    {L"thunderrt6formdc", SkinKind::Form},
    {L"form", SkinKind::Form},
    {L"thundercommandbutton", SkinKind::CommandButton},
    {L"thunderrt6commandbutton", SkinKind::CommandButton},
    {L"button", SkinKind::CommandButton},
    {L"thundercheckbox", SkinKind::CheckBox},
    {L"thunderrt6checkbox", SkinKind::CheckBox},
    {L"thunderoptionbutton", SkinKind::OptionButton},
    {L"thunderrt6optionbutton", SkinKind::OptionButton},
    {L"thundercombobox", SkinKind::ComboBox},
    {L"thunderrt6combobox", SkinKind::ComboBox},
    {L"combo", SkinKind::ComboBox},
    {L"combobox", SkinKind::ComboBox},
    {L"thunderdrivelistbox", SkinKind::DriveList},
    {L"thunderrt6drivelistbox", SkinKind::DriveList},
    {L"progressbar20wndclass", SkinKind::ProgressBar},
    {L"progressbarwndclass", SkinKind::ProgressBar},
    {L"msctls_progress32", SkinKind::ProgressBar},  // the system's progress bar
    {L"msvb_lib_header", SkinKind::Header},
    {L"sysheader32", SkinKind::Header},
    {L"datalistwndclass", SkinKind::DataList},
    {L"dblistwndclass", SkinKind::DataList},
    {L"combolbox", SkinKind::DropDownList},
    {L"apexgrid", SkinKind::Grid},  // a prefix: any tail matches
}};

}  // namespace

std::wstring GetWindowClass(HWND window) {
  wchar_t name[256] = {};
  const int length = GetClassNameW(window, name, 255);
  if (length <= 0) return {};
  CharLowerBuffW(name, static_cast<DWORD>(length));
  return std::wstring(name, static_cast<std::size_t>(length));
}

std::wstring GetWindowCaption(HWND window) {
  std::wstring text(static_cast<std::size_t>(GetWindowTextLengthW(window)) + 1, L'\0');
  const int length = GetWindowTextW(window, text.data(), static_cast<int>(text.size()));
  text.resize(length > 0 ? static_cast<std::size_t>(length) : 0);
  return text;
}

SkinKind ClassifyClass(std::wstring_view lower_case_class) {
  for (const auto& [name, kind] : kClasses) {
    if (kind == SkinKind::Grid ? lower_case_class.starts_with(name) : lower_case_class == name) return kind;
  }
  return SkinKind::Other;
}

SkinKind KindOf(HWND window) {
  const SkinKind kind = ClassifyClass(GetWindowClass(window));
  if (kind != SkinKind::CommandButton) return kind;
  // The system's one button class also makes this program's check boxes and
  // option buttons; only the style tells them apart.
  switch (GetWindowLongPtrW(window, GWL_STYLE) & BS_TYPEMASK) {
    case BS_CHECKBOX:
    case BS_AUTOCHECKBOX:
    case BS_3STATE:
    case BS_AUTO3STATE:
      return SkinKind::CheckBox;
    case BS_RADIOBUTTON:
    case BS_AUTORADIOBUTTON:
      return SkinKind::OptionButton;
    default:
      return kind;
  }
}

}  // namespace tessaro::skin
