// The output choosers and option panels of the main window: the "..."
// buttons fill the path boxes from the standard dialogs, the check boxes
// that title the option frames enable what is inside them.
#include <windows.h>
#include <commctrl.h>
#include <commdlg.h>
#include <knownfolders.h>
#include <shlobj.h>

#include <algorithm>
#include <functional>
#include <string>
#include <vector>

#include "app/form1_layout.h"
#include "controls/tree_view_text.h"
#include "dialog_watcher.h"
#include "fake_word.h"
#include "main_window_fixture.h"
#include "word/save_path.h"

namespace tessaro {
namespace {

using namespace form1;
using testing::DialogWatcher;

// Controls of the common save dialog.
constexpr int kFileNameEdit = 0x480;   // edt1
constexpr int kFileNameCombo = 0x47c;  // cmb13, in newer layouts
constexpr int kFileTypeCombo = 0x470;  // cmb1

std::wstring TempFolder() {
  wchar_t path[MAX_PATH] = {};
  GetTempPathW(MAX_PATH, path);
  std::wstring folder(path);
  if (!folder.empty() && folder.back() == L'\\') folder.pop_back();
  return folder;
}

// A fresh folder whose path is length characters long, most of them Chinese.
class LongFolder {
 public:
  explicit LongFolder(std::size_t length)
      : root_(TempFolder() + L"\\输出测试" + std::to_wstring(GetCurrentProcessId())) {
    path_ = root_;
    CreateDirectoryW((L"\\\\?\\" + path_).c_str(), nullptr);
    while (path_.size() + 1 < length) {
      path_ += L'\\' + std::wstring(std::min<std::size_t>(length - path_.size() - 1, 40), L'文');
      CreateDirectoryW((L"\\\\?\\" + path_).c_str(), nullptr);
    }
  }
  LongFolder(const LongFolder&) = delete;
  LongFolder& operator=(const LongFolder&) = delete;
  ~LongFolder() {
    if (!file_.empty()) DeleteFileW((L"\\\\?\\" + file_).c_str());
    for (std::wstring path = path_; path.size() >= root_.size(); path.resize(path.find_last_of(L'\\'))) {
      RemoveDirectoryW((L"\\\\?\\" + path).c_str());
    }
  }

  const std::wstring& path() const { return path_; }
  const std::wstring& MakeFile(const std::wstring& name) {
    file_ = path_ + L"\\" + name;
    CloseHandle(CreateFileW((L"\\\\?\\" + file_).c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr));
    return file_;
  }

 private:
  std::wstring root_;
  std::wstring path_;
  std::wstring file_;
};

class OutputsWindowTest : public testing::MainWindowFixture {
 protected:
  bool Checked(int id) const { return SendMessageW(Control(id), BM_GETCHECK, 0, 0) == BST_CHECKED; }
  void Click(int id) const { SendMessageW(Control(id), BM_CLICK, 0, 0); }
};

TEST_F(OutputsWindowTest, CheckBoxesEnableTheirPanelsAndKeepTheValues) {
  Click(Check5);
  for (int id : {Check2, Check3, Check4}) EXPECT_TRUE(IsWindowEnabled(Control(id))) << id;
  Click(Check3);
  Click(Check5);
  for (int id : {Check2, Check3, Check4}) EXPECT_FALSE(IsWindowEnabled(Control(id))) << id;
  EXPECT_TRUE(Checked(Check3));  // the merge still reads it
  for (int id : {Check7, Option1, Option2, Text3}) EXPECT_FALSE(IsWindowEnabled(Control(id))) << id;

  Click(Check6);
  for (int id : {Check7, Option1, Option2, Text3}) EXPECT_TRUE(IsWindowEnabled(Control(id))) << id;
  Click(Option2);
  SetWindowTextW(Control(Text3), L"4");
  Click(Check6);
  for (int id : {Check7, Option1, Option2, Text3}) EXPECT_FALSE(IsWindowEnabled(Control(id))) << id;
  EXPECT_TRUE(Checked(Option2));
  EXPECT_FALSE(Checked(Option1));
  EXPECT_EQ(Text(Text3), L"4");
  for (int id : {Check2, Check3, Check4}) EXPECT_FALSE(IsWindowEnabled(Control(id))) << id;
}

// Arrow keys through the program's own keyboard routing, from every check
// box and option button of the option panels: focus stays in the control's
// own group and no choice outside it changes.
TEST_F(OutputsWindowTest, ArrowKeysStayWithinTheirPanel) {
  const std::vector<std::vector<int>> groups = {
      {Check1, Text1, StyleButton2}, {Check5, Check3, Check2, Check4}, {Check6}, {Option1, Text3, Option2}, {Check7}};
  const int choices[] = {Check1, Check5, Check3, Check2, Check4, Check6, Option1, Option2, Check7};
  auto states = [&] {
    std::vector<LRESULT> values;
    for (int id : choices) values.push_back(SendMessageW(Control(id), BM_GETCHECK, 0, 0));
    return values;
  };
  Click(Check5);
  Click(Check6);
  ShowWindow(form_->hwnd(), SW_SHOW);
  SetForegroundWindow(form_->hwnd());
  for (const std::vector<int>& group : groups) {
    for (int id : group) {
      if (id == Text1 || id == Text3 || id == StyleButton2) continue;
      for (WPARAM key : {VK_UP, VK_DOWN, VK_LEFT, VK_RIGHT}) {
        SetFocus(Control(id));
        const std::vector<LRESULT> before = states();
        MSG msg{};
        msg.hwnd = GetFocus();
        msg.message = WM_KEYDOWN;
        msg.wParam = key;
        msg.lParam = 1;
        if (!app_->PreTranslate(msg)) DispatchMessageW(&msg);
        testing::PumpMessages();
        const int focus = GetDlgCtrlID(GetFocus());
        EXPECT_NE(std::find(group.begin(), group.end(), focus), group.end())
            << "from " << id << " key " << key << " focus went to " << focus;
        const std::vector<LRESULT> after = states();
        for (std::size_t i = 0; i < std::size(choices); ++i) {
          if (std::find(group.begin(), group.end(), choices[i]) != group.end()) continue;
          EXPECT_EQ(after[i], before[i]) << "from " << id << " key " << key << " changed " << choices[i];
        }
      }
    }
  }
}

TEST_F(OutputsWindowTest, SaveDialogReturnsALongChinesePathWhole) {
  // Wine's dialog cannot browse beyond MAX_PATH; this path is still far longer
  // in bytes than a 255-byte ANSI buffer holds.
  LongFolder folder(200);
  const std::wstring file = folder.path() + L"\\合并结果.docx";
  std::wstring first_filter;
  std::wstring start_folder;
  DialogWatcher watcher(L"保存文件的路径及文件名...", [&](HWND dialog) {
    wchar_t text[512] = {};
    SendDlgItemMessageW(dialog, kFileTypeCombo, CB_GETLBTEXT, 0, reinterpret_cast<LPARAM>(text));
    first_filter = text;
    SendMessageW(dialog, CDM_GETFOLDERPATH, 512, reinterpret_cast<LPARAM>(text));
    start_folder = text;
    HWND name = GetDlgItem(dialog, kFileNameCombo);
    if (!name) name = GetDlgItem(dialog, kFileNameEdit);
    SetWindowTextW(name, file.c_str());
    testing::PressButton(dialog, IDOK);
  });
  Press(StyleButton2);
  ASSERT_TRUE(watcher.Finish());
  EXPECT_EQ(first_filter, L"Word文件 (*.doc;*.docx)");
  wchar_t program[MAX_PATH] = {};
  GetModuleFileNameW(nullptr, program, MAX_PATH);
  std::wstring program_folder(program);
  program_folder.resize(program_folder.find_last_of(L'\\'));
  EXPECT_EQ(_wcsicmp(start_folder.c_str(), program_folder.c_str()), 0) << start_folder;
  EXPECT_EQ(Text(Text1), file);
}

TEST_F(OutputsWindowTest, SaveDialogSavesStartsAtTheBoxsFolderAndOffersEveryFormat) {
  LongFolder folder(40);
  SetWindowTextW(Control(Text1), (folder.path() + L"\\上次.docx").c_str());
  std::wstring button, start_folder, name;
  std::vector<std::wstring> types;
  DialogWatcher watcher(L"保存文件的路径及文件名...", [&](HWND dialog) {
    wchar_t text[512] = {};
    GetDlgItemTextW(dialog, IDOK, text, 512);
    button = text;
    const int count = static_cast<int>(SendDlgItemMessageW(dialog, kFileTypeCombo, CB_GETCOUNT, 0, 0));
    for (int i = 0; i < count; ++i) {
      SendDlgItemMessageW(dialog, kFileTypeCombo, CB_GETLBTEXT, i, reinterpret_cast<LPARAM>(text));
      types.push_back(text);
    }
    SendMessageW(dialog, CDM_GETFOLDERPATH, 512, reinterpret_cast<LPARAM>(text));
    start_folder = text;
    HWND edit = GetDlgItem(dialog, kFileNameCombo);
    if (!edit) edit = GetDlgItem(dialog, kFileNameEdit);
    GetWindowTextW(edit, text, 512);
    name = text;
    testing::PressButton(dialog, IDCANCEL);
  });
  Press(StyleButton2);
  ASSERT_TRUE(watcher.Finish());
  EXPECT_EQ(button, L"保存(&S)");
  EXPECT_EQ(types, (std::vector<std::wstring>{L"Word文件 (*.doc;*.docx)", L"PDF 文件 (*.pdf)",
                                               L"OpenDocument 文本 (*.odt)", L"RTF 文件 (*.rtf)", L"所有文件 (*.*)"}));
  EXPECT_EQ(_wcsicmp(start_folder.c_str(), folder.path().c_str()), 0) << start_folder;
  EXPECT_EQ(name, L"上次.docx");
}

TEST_F(OutputsWindowTest, CancellingTheSaveDialogKeepsTheMergeFile) {
  SetWindowTextW(Control(Text1), L"C:\\合并.doc");
  DialogWatcher watcher(L"保存文件的路径及文件名...", [](HWND dialog) { testing::PressButton(dialog, IDCANCEL); });
  DialogWatcher no_failure(L"Tessaro", testing::ReadAndPressOk, 2000);
  Press(StyleButton2);
  EXPECT_TRUE(watcher.Finish());
  EXPECT_FALSE(no_failure.Finish());
  EXPECT_EQ(Text(Text1), L"C:\\合并.doc");
}

// The dialog asks before replacing a file with a box of its own, owned by it.
HWND OwnedBox(HWND dialog) {
  struct Search {
    HWND owner;
    HWND found;
  } search{dialog, nullptr};
  EnumWindows(
      [](HWND window, LPARAM context) -> BOOL {
        auto& s = *reinterpret_cast<Search*>(context);
        if (GetWindow(window, GW_OWNER) != s.owner || !IsWindowVisible(window)) return TRUE;
        s.found = window;
        return FALSE;
      },
      reinterpret_cast<LPARAM>(&search));
  return search.found;
}

// Names an existing file in the save dialog, confirms, and answers the
// dialog's own question with 是. Returns whether it asked.
bool SaveOverExistingFile(HWND dialog, const std::wstring& file) {
  HWND name = GetDlgItem(dialog, kFileNameCombo);
  if (!name) name = GetDlgItem(dialog, kFileNameEdit);
  SetWindowTextW(name, file.c_str());
  testing::PressButton(dialog, IDOK);
  HWND box = nullptr;
  for (int i = 0; i < 100 && !(box = OwnedBox(dialog)); ++i) Sleep(50);
  if (box) testing::PressButton(box, IDYES);
  return box != nullptr;
}

TEST_F(OutputsWindowTest, SaveDialogNamesNewFilesAndAsksBeforeReplacing) {
  LongFolder folder(40);
  // A name that does not exist yet, without an extension: accepted as a .docx.
  DialogWatcher fresh(L"保存文件的路径及文件名...", [&](HWND dialog) {
    HWND name = GetDlgItem(dialog, kFileNameCombo);
    if (!name) name = GetDlgItem(dialog, kFileNameEdit);
    SetWindowTextW(name, (folder.path() + L"\\新结果").c_str());
    testing::PressButton(dialog, IDOK);
  });
  Press(StyleButton2);
  ASSERT_TRUE(fresh.Finish());
  EXPECT_EQ(Text(Text1), folder.path() + L"\\新结果.docx");

  const std::wstring existing = folder.MakeFile(L"旧结果.docx");
  bool asked = false;
  DialogWatcher replace(L"保存文件的路径及文件名...",
                        [&](HWND dialog) { asked = SaveOverExistingFile(dialog, existing); });
  Press(StyleButton2);
  ASSERT_TRUE(replace.Finish());
  EXPECT_TRUE(asked) << "replacing a file needs the user's yes";
  EXPECT_EQ(Text(Text1), existing);
}

// The save dialog's own question counts: the merge into the file it gave
// asks no second time, the merge after that does.
TEST_F(OutputsWindowTest, AReplacementAgreedInTheSaveDialogIsNotAskedAgain) {
  LongFolder folder(40);
  const std::wstring existing = folder.MakeFile(L"旧结果.docx");
  testing::FakeWord word;
  word.files[L"D:\\in\\甲.docx"] = {L"甲"};
  word.files[L"D:\\in\\乙.docx"] = {L"乙"};
  form_->set_word_starter(word.Starter());
  form_->set_show_message([](const std::wstring&) {});
  form_->OverrideFolderPathForTesting([] { return std::wstring(L"D:\\in"); });
  FillContents({{L"甲.docx", L"", true}, {L"乙.docx", L"", true}}, 0);
  Press(StyleButton4);
  DialogWatcher choose(L"保存文件的路径及文件名...", [&](HWND dialog) { SaveOverExistingFile(dialog, existing); });
  Press(StyleButton2);
  ASSERT_TRUE(choose.Finish());
  ASSERT_EQ(Text(Text1), existing);

  for (const bool asked_again : {false, true}) {
    DialogWatcher question(L"提示", [](HWND box) { testing::PressButton(box, IDYES); }, 2000);
    Press(StyleButton7);
    EXPECT_EQ(question.Finish(), asked_again);
    ASSERT_TRUE(testing::PumpUntil([&] { return !form_->JobRunning(); }, 10000));
  }
  EXPECT_EQ(word.started, 2);
}

// The shell's folder browser: its caption is the system's, the title we pass
// shows in a static above the tree.
constexpr const wchar_t* kBrowserCaption = L"选择文件夹";
constexpr int kBrowserTitle = 0x3742;

std::wstring ShownTitle(HWND browser) {
  wchar_t text[256] = {};
  GetDlgItemTextW(browser, kBrowserTitle, text, 256);
  return text;
}

// Lets the browser pick folder and confirms it.
std::function<void(HWND)> PickFolder(const std::wstring& folder, std::wstring& title) {
  return [&folder, &title](HWND browser) {
    title = ShownTitle(browser);
    SendMessageW(browser, BFFM_SETSELECTIONW, TRUE, reinterpret_cast<LPARAM>(folder.c_str()));
    testing::PressButton(browser, IDOK);
  };
}

TEST_F(OutputsWindowTest, FolderChooserFillsTheSplitFolder) {
  const std::wstring folder = TempFolder();
  std::wstring title;
  DialogWatcher watcher(kBrowserCaption, PickFolder(folder, title));
  Press(StyleButton1);
  ASSERT_TRUE(watcher.Finish());
  EXPECT_EQ(title, L"选择文件夹");
  EXPECT_EQ(_wcsicmp(Text(Text2).c_str(), folder.c_str()), 0) << Text(Text2);

  // A drive root comes back with its backslash, so it joins without a second one.
  const std::wstring root = L"C:\\";
  DialogWatcher root_watcher(kBrowserCaption, PickFolder(root, title));
  Press(StyleButton1);
  ASSERT_TRUE(root_watcher.Finish());
  EXPECT_EQ(Text(Text2), root);

  DialogWatcher cancel(kBrowserCaption, [](HWND browser) { testing::PressButton(browser, IDCANCEL); });
  Press(StyleButton1);
  ASSERT_TRUE(cancel.Finish());
  EXPECT_EQ(Text(Text2), root);
}

TEST_F(OutputsWindowTest, FolderChooserStartsAtTheBoxsFolderAndCanMakeANewOne) {
  // Outside the temporary folder, which lies in a hidden one the browser does not show.
  const std::wstring leaf = L"输出选择" + std::to_wstring(GetCurrentProcessId());
  const std::wstring folder = L"C:\\" + leaf;
  ASSERT_TRUE(CreateDirectoryW(folder.c_str(), nullptr));
  SetWindowTextW(Control(Text2), folder.c_str());
  std::vector<std::wstring> buttons;
  DialogWatcher watcher(kBrowserCaption, [&buttons, &leaf](HWND browser) {
    EnumChildWindows(
        browser,
        [](HWND child, LPARAM found) -> BOOL {
          wchar_t text[64] = {};
          GetClassNameW(child, text, 64);
          if (_wcsicmp(text, L"Button") != 0 || !IsWindowVisible(child)) return TRUE;
          GetWindowTextW(child, text, 64);
          reinterpret_cast<std::vector<std::wstring>*>(found)->push_back(text);
          return TRUE;
        },
        reinterpret_cast<LPARAM>(&buttons));
    // Confirmed once the tree shows its start: what comes back is where it started.
    HWND tree = FindWindowExW(browser, nullptr, WC_TREEVIEWW, nullptr);
    for (int i = 0; i < 100 && TreeViewItemText(tree, TreeView_GetSelection(tree)) != leaf; ++i) Sleep(50);
    testing::PressButton(browser, IDOK);
  });
  Press(StyleButton1);
  ASSERT_TRUE(watcher.Finish());
  EXPECT_NE(std::find_if(buttons.begin(), buttons.end(), [](const std::wstring& text) { return text.starts_with(L"新建文件夹"); }),
            buttons.end());
  EXPECT_EQ(_wcsicmp(Text(Text2).c_str(), folder.c_str()), 0) << Text(Text2);
  RemoveDirectoryW(folder.c_str());
}

TEST_F(OutputsWindowTest, FolderChooserWithoutATitleAsksForADirectory) {
  std::wstring title;
  DialogWatcher watcher(kBrowserCaption, [&title](HWND browser) {
    title = ShownTitle(browser);
    testing::PressButton(browser, IDCANCEL);
  });
  EXPECT_EQ(BrowseForFolder(form_->hwnd(), L""), L"");
  ASSERT_TRUE(watcher.Finish());
  EXPECT_EQ(title, L"选择目录");
}

TEST(SavePathTest, FileSystemPathsComeBackWhole) {
  // Longer than the 255 characters the chooser once allowed; Wine's shell
  // parses no path beyond MAX_PATH, so that is as far as this can reach.
  LongFolder folder(MAX_PATH - 1);
  PIDLIST_ABSOLUTE item = nullptr;
  ASSERT_EQ(SHParseDisplayName(folder.path().c_str(), nullptr, &item, 0, nullptr), S_OK);
  EXPECT_EQ(FileSystemPath(item), folder.path());
  CoTaskMemFree(item);

  ASSERT_EQ(SHParseDisplayName(L"C:\\", nullptr, &item, 0, nullptr), S_OK);
  EXPECT_EQ(FileSystemPath(item), L"C:\\");
  CoTaskMemFree(item);

  // The desktop's virtual folders have no path.
  ASSERT_EQ(SHGetKnownFolderIDList(FOLDERID_ComputerFolder, 0, nullptr, &item), S_OK);
  EXPECT_EQ(FileSystemPath(item), L"");
  CoTaskMemFree(item);
  EXPECT_EQ(FileSystemPath(nullptr), L"");
}

}  // namespace
}  // namespace tessaro
