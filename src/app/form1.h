// The main window: folder tree, folder contents, the added documents, the
// output and option panels, and the buttons that run the work.
#pragma once

#include <memory>
#include <string>

#include <windows.h>
#include <commctrl.h>

#include "app/form.h"
#include "app/order_bar.h"

namespace tessaro {

namespace shell {
class FolderList;
class FolderTree;
}  // namespace shell

class Form1 : public Form {
 public:
  explicit Form1(Application& app);
  ~Form1() override;

  bool PreTranslate(MSG& msg) override;

  HWND list_handle() const { return list_; }
  HWND tree_handle() const { return tree_; }
  const OrderBar& order_bar() const { return order_bar_; }
  shell::FolderTree* folder_tree() const { return folder_tree_.get(); }
  shell::FolderList* folder_list() const { return folder_list_.get(); }

  // The file-system path of the folder selected in the tree; empty when none
  // is selected or it lies outside the file system.
  std::wstring SelectedFolderPath() const;
  // Shows the contents list as large icons (0), small icons (1), a list (2)
  // or a report (3), and checks the matching View menu item.
  void SetView(int view);

  // Reads the list's extended style, removes the bits to clear and adds the
  // bits to set, and writes it back.
  static void SetListExtendedStyle(HWND list, DWORD set, DWORD clear);

 protected:
  HMENU CreateMenuBar() override;
  void OnCreated() override;
  void OnLoad() override;
  void OnUnload() override;
  void OnCommand(int id, int code, HWND control) override;
  LRESULT OnNotify(const NMHDR& header, WPARAM wparam, LPARAM lparam) override;
  LRESULT OnMessage(UINT message, WPARAM wparam, LPARAM lparam) override;

 private:
  void DisableOptionControls();
  void PrepareContentsList();
  void PrepareTree();
  void CenterOnScreen();
  // The exit button: every window of the program goes, the About and steps
  // windows first.
  void ExitAll();

  // Shell browsing in the tree and the contents list (form1_browse.cpp).
  void StartBrowsing();
  void StopBrowsing();
  bool RouteBrowsingNotify(const NMHDR& header, LRESULT& result);
  // View and folder commands (form1_view.cpp).
  bool OnViewCommand(int id);
  void OnContentsKeyDown(const NMLVKEYDOWN& key);
  void OnColumnClick(int column);
  void SortBy(int order);
  void Refresh();
  void ChangeRoot();
  void OpenParentFolder();
  void SelectAllRows();
  void EnableAutoArrangeItem(HMENU popup);
  HMENU ViewMenu() const;
  void CheckItem(int id, bool checked);

  Font path_font_;
  OrderBar order_bar_;
  HWND list_ = nullptr;
  HWND tree_ = nullptr;
  HACCEL accelerators_ = nullptr;
  std::unique_ptr<shell::FolderList> folder_list_;
  std::unique_ptr<shell::FolderTree> folder_tree_;
};

}  // namespace tessaro
