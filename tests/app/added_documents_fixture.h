// The main window with ListView2 in reach: rows added, picked, dragged and
// read back, for the tests of the added-documents list.
#pragma once

#include <windows.h>
#include <commctrl.h>

#include <string>
#include <vector>

#include "app/form1_layout.h"
#include "main_window_fixture.h"

namespace tessaro::testing {

class AddedDocumentsWindowTest : public MainWindowFixture {
 protected:
  void SetUp() override {
    MainWindowFixture::SetUp();
    form_->OverrideFolderPathForTesting([this] { return folder_; });
  }

  // Adds Word documents with these names through "添加全部".
  void AddAll(std::initializer_list<const wchar_t*> names) {
    std::vector<ContentsItem> items;
    for (const wchar_t* name : names) items.push_back({name, L"Microsoft Word 文档", true});
    FillContents(items, 0);
    Press(form1::StyleButton4);
  }

  HWND Added() const { return Control(form1::ListView2); }
  int AddedCount() const { return static_cast<int>(SendMessageW(Added(), LVM_GETITEMCOUNT, 0, 0)); }

  std::wstring AddedText(int row, int column) const {
    wchar_t text[512] = {};
    LVITEMW item{};
    item.iSubItem = column;
    item.pszText = text;
    item.cchTextMax = 512;
    SendMessageW(Added(), LVM_GETITEMTEXTW, row, reinterpret_cast<LPARAM>(&item));
    return text;
  }

  // The file names shown in ListView2, checked against what the merge reads.
  std::wstring Order() const {
    std::wstring shown;
    for (int i = 0; i < AddedCount(); ++i) shown += AddedText(i, 0);
    std::wstring read;
    for (const AddedDocument& row : form_->AddedDocuments()) read += row.file_name;
    EXPECT_EQ(shown, read);
    return shown;
  }

  int HighlightedRow() const {
    return static_cast<int>(SendMessageW(Added(), LVM_GETNEXTITEM, static_cast<WPARAM>(-1), LVNI_SELECTED));
  }

  // The user picks a row: the list selects it and tells the window.
  void Pick(int row) const {
    LVITEMW state{};
    state.stateMask = LVIS_SELECTED | LVIS_FOCUSED;
    state.state = LVIS_SELECTED | LVIS_FOCUSED;
    SendMessageW(Added(), LVM_SETITEMSTATE, row, reinterpret_cast<LPARAM>(&state));
  }

  void ScrollOrder(int request) const {
    SendMessageW(form_->hwnd(), WM_VSCROLL, MAKEWPARAM(request, 0),
                 reinterpret_cast<LPARAM>(Control(form1::vsOrder)));
  }

  RECT RowBox(int row) const {
    RECT box{};
    box.left = LVIR_BOUNDS;
    SendMessageW(Added(), LVM_GETITEMRECT, row, reinterpret_cast<LPARAM>(&box));
    return box;
  }
  POINT RowCentre(int row) const {
    const RECT box = RowBox(row);
    return {40, (box.top + box.bottom) / 2};
  }
  POINT BelowLastRow() const { return {40, RowBox(AddedCount() - 1).bottom + 4}; }

  // The list reports a drag starting on row; the pointer then moves and is released.
  void BeginDrag(int row) const {
    Pick(row);
    NMLISTVIEW drag{};
    drag.hdr.hwndFrom = Added();
    drag.hdr.idFrom = form1::ListView2;
    drag.hdr.code = LVN_BEGINDRAG;
    drag.iItem = row;
    SendMessageW(form_->hwnd(), WM_NOTIFY, form1::ListView2, reinterpret_cast<LPARAM>(&drag));
  }
  void MoveTo(POINT point) const { SendMessageW(Added(), WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(point.x, point.y)); }
  void Release(POINT point) const { SendMessageW(Added(), WM_LBUTTONUP, 0, MAKELPARAM(point.x, point.y)); }
  // A key as a user presses it on the list: queued for it and taken by the
  // program's own message loop, which hands keys to the dialog manager.
  void PressKey(WPARAM key, bool control = false) const {
    BYTE keys[256] = {};
    GetKeyboardState(keys);
    keys[VK_CONTROL] = control ? 0x80 : 0;
    SetKeyboardState(keys);
    PostMessageW(Added(), WM_KEYDOWN, key, 1);
    PostQuitMessage(0);
    app_->Run();
    keys[VK_CONTROL] = 0;
    SetKeyboardState(keys);
  }
  void PressEscape() const { PressKey(VK_ESCAPE); }
  void DragRow(int row, POINT to) const {
    BeginDrag(row);
    MoveTo(to);
    Release(to);
  }

  std::wstring folder_ = L"C:\\文档\\季度报告";
};

}  // namespace tessaro::testing
