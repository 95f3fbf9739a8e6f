#include "app/form1.h"

#include <commctrl.h>

#include "app/application.h"
#include "app/form1_layout.h"
#include "app/form1_menu.h"
#include "app/about_window.h"
#include "app/steps_window.h"
#include "app/twips.h"
#include "app/wait_cursor.h"
#include "controls/button_font.h"
#include "shell/folder_list.h"
#include "shell/folder_tree.h"
#include "skin/skin.h"

namespace tessaro {
namespace {

using namespace form1;

void ChangeStyle(HWND window, LONG_PTR set, LONG_PTR clear) {
  const LONG_PTR style = GetWindowLongPtrW(window, GWL_STYLE);
  SetWindowLongPtrW(window, GWL_STYLE, (style & ~clear) | set);
}

// The shell builds its system image list on first use; asking early makes
// every icon available to the tree and the list from the start. Older shells
// lack the export, which only means fewer icons.
void InitSystemImageList() {
  HMODULE shell = GetModuleHandleW(L"shell32.dll");
  if (!shell) shell = LoadLibraryW(L"shell32.dll");
  if (!shell) return;
  using FileIconInitFn = BOOL(WINAPI*)(BOOL);
  auto file_icon_init =
      reinterpret_cast<FileIconInitFn>(reinterpret_cast<void*>(GetProcAddress(shell, MAKEINTRESOURCEA(660))));
  if (file_icon_init) file_icon_init(TRUE);
}

}  // namespace

Form1::Form1(Application& app)
    : Form(Design{L"Form1", L"Tessaro", kClientTwips, kLayout}, app),
      accelerators_(BuildAccelerators(kMenu, kUnshownKeys)) {}

Form1::~Form1() { Unload(); }

HMENU Form1::CreateMenuBar() { return BuildMenuBar(kMenu); }

bool Form1::PreTranslate(MSG& msg) {
  // The dialog manager would turn Esc into a cancel command for the window,
  // and the drag would never hear of it.
  if (msg.message == WM_KEYDOWN && msg.wParam == VK_ESCAPE && added_drag_.dragging()) {
    added_drag_.Cancel();
    return true;
  }
  if (accelerators_ && TranslateAcceleratorW(hwnd(), accelerators_.get(), &msg)) return true;
  // Before the list sees them: it would move its focus on Ctrl+Up and Ctrl+Down.
  if (msg.message == WM_KEYDOWN && msg.hwnd == Control(ListView2) && OnAddedDocumentsKey(msg.wParam)) return true;
  return Form::PreTranslate(msg);
}

void Form1::SetListExtendedStyle(HWND list, DWORD set, DWORD clear) {
  const DWORD style = static_cast<DWORD>(SendMessageW(list, LVM_GETEXTENDEDLISTVIEWSTYLE, 0, 0));
  SendMessageW(list, LVM_SETEXTENDEDLISTVIEWSTYLE, 0, static_cast<LPARAM>((style & ~clear) | set));
}

void Form1::OnCreated() {
  // The path boxes show long paths in a font of their own.
  path_font_ = CreateFontFromSpec(SongTi(10.5), dpi());
  SetControlFont(Text1, path_font_.get());
  SetControlFont(Text2, path_font_.get());
  SendMessageW(Control(Option1), BM_SETCHECK, BST_CHECKED, 0);

  HWND added = Control(ListView2);
  const int widths[] = {TwipsToPixels(kFileNameColumnTwips, dpi()), TwipsToPixels(kFolderColumnTwips, dpi())};
  const wchar_t* captions[] = {L"文件名称", L"文件路径"};
  for (int i = 0; i < 2; ++i) {
    LVCOLUMNW column{};
    column.mask = LVCF_TEXT | LVCF_WIDTH | LVCF_SUBITEM;
    column.cx = widths[i];
    column.pszText = const_cast<wchar_t*>(captions[i]);
    column.iSubItem = i;
    SendMessageW(added, LVM_INSERTCOLUMNW, i, reinterpret_cast<LPARAM>(&column));
  }
  order_bar_.Attach(Control(vsOrder));
  PrepareAddedDocuments();
}

void Form1::OnLoad() {
  // First, so that every control of the window, and every window that later
  // takes the activation from it, is skinned.
  skin::SkinWindow(hwnd());
  DisableOptionControls();
  for (int list : {ListView1, ListView2}) {
    HWND window = Control(list);
    SetListExtendedStyle(window, LVS_EX_GRIDLINES, 0);
    SetListExtendedStyle(window, LVS_EX_FULLROWSELECT, 0);
    SetListExtendedStyle(window, 0, LVS_EX_CHECKBOXES);
  }
  order_bar_.SetRange(1, static_cast<int>(SendMessageW(Control(ListView2), LVM_GETITEMCOUNT, 0, 0)));

  WaitCursor wait;
  InitSystemImageList();
  CenterOnScreen();
  PrepareContentsList();
  PrepareTree();
  StartBrowsing();
}

void Form1::DisableOptionControls() {
  for (int id : {Check2, Check3, Check4, Check7, Option1, Option2, Text3}) EnableWindow(Control(id), FALSE);
}

void Form1::PrepareContentsList() {
  list_ = Control(ListView1);
  // Selection stays visible without focus, labels are not editable, and
  // several rows can be picked at once.
  ChangeStyle(list_, LVS_SHOWSELALWAYS, LVS_EDITLABELS | LVS_SINGLESEL);
  // The list shares the shell's image lists, which must outlive it.
  ChangeStyle(list_, LVS_SHAREIMAGELISTS, WS_BORDER);
}

void Form1::PrepareTree() {
  tree_ = Control(TreeView1);
  ChangeStyle(tree_, TVS_SHOWSELALWAYS, TVS_EDITLABELS);
  SendMessageW(tree_, TVM_SETINDENT, 19, 0);
}

void Form1::OnUnload() {
  StopJob();
  WaitCursor wait;
  ShowWindow(hwnd(), SW_HIDE);
  added_drop_registration_.reset();
  StopBrowsing();
  list_ = nullptr;
  tree_ = nullptr;
}

void Form1::ExitAll() {
  if (!AllowClosing()) return;
  app().about_window().Unload();
  app().steps_window().Unload();
  Unload();
}

void Form1::OnCommand(int id, int code, HWND /*control*/) {
  switch (id) {
    case StyleButton7:
      if (code == BN_CLICKED) Merge();
      break;
    case StyleButton8:
      if (code == BN_CLICKED) Split();
      break;
    case StyleButton9:
      if (code == BN_CLICKED) ExitAll();
      break;
    case mnuFileExit:
      if (AllowClosing()) Unload();
      break;
    case mnuFileAbout:
      app().about_window().Show();
      break;
    case mnuStep:
      app().steps_window().Show();
      break;
    case StyleButton3:
      if (code == BN_CLICKED) AddCurrentDocument();
      break;
    case mnuAddedUp:
      MoveCurrentDocument(-1);
      break;
    case mnuAddedDown:
      MoveCurrentDocument(1);
      break;
    case mnuAddedDelete:
      DeleteCurrentDocument();
      break;
    case mnuAddedDeleteAll:
      DeleteAllDocuments();
      break;
    case StyleButton4:
      if (code == BN_CLICKED) AddSelectedDocuments();
      break;
    case StyleButton5:
      if (code == BN_CLICKED) DeleteCurrentDocument();
      break;
    case StyleButton6:
      if (code == BN_CLICKED) DeleteAllDocuments();
      break;
    case StyleButton1:
      if (code == BN_CLICKED) ChooseSplitFolder();
      break;
    case StyleButton2:
      if (code == BN_CLICKED) ChooseMergeOutput();
      break;
    case Check5:
      if (code == BN_CLICKED) EnableMergeOptions();
      break;
    case Check6:
      if (code == BN_CLICKED) EnableSplitOptions();
      break;
    default:
      OnViewCommand(id);
      break;
  }
}

LRESULT Form1::OnNotify(const NMHDR& header, WPARAM wparam, LPARAM lparam) {
  if (header.idFrom == ListView2) return OnAddedDocumentsNotify(header, wparam, lparam);
  LRESULT result = 0;
  if (RouteBrowsingNotify(header, result)) return result;
  return Form::OnNotify(header, wparam, lparam);
}

LRESULT Form1::OnMessage(UINT message, WPARAM wparam, LPARAM lparam) {
  if (message == WM_VSCROLL && reinterpret_cast<HWND>(lparam) == order_bar_.hwnd()) {
    OnOrderScroll(LOWORD(wparam));
    return 0;
  }
  if (message == WM_CONTEXTMENU && reinterpret_cast<HWND>(wparam) == Control(ListView2)) {
    ShowAddedMenu(lparam);
    return 0;
  }
  if (message == kShowDropRefusal) {
    ShowDropRefusal();
    return 0;
  }
  if (OnJobMessage(message, wparam)) return 0;
  if (message == WM_INITMENUPOPUP) EnableAutoArrangeItem(reinterpret_cast<HMENU>(wparam));
  return Form::OnMessage(message, wparam, lparam);
}

}  // namespace tessaro
