// The main window: folder tree, folder contents, the added documents, the
// output and option panels, and the buttons that run the work.
#pragma once

#include <windows.h>
#include <commctrl.h>

#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "app/added_documents_drag.h"
#include "app/added_documents_drop.h"
#include "app/added_documents_model.h"
#include "app/added_documents_view.h"
#include "app/form.h"
#include "app/order_bar.h"
#include "controls/ole_session.h"
#include "word/added_document.h"
#include "word/job_thread.h"
#include "word/word_objects.h"
#include "win32/unique_handle.h"

namespace tessaro {

namespace shell {
class FolderList;
class FolderTree;
}  // namespace shell

// Form1: the main window.
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

  // The added documents, first to last: what the merge joins and the split cuts.
  std::vector<AddedDocument> AddedDocuments() const;
  // Replaces where the add buttons take their folder from (the tree's
  // selection) with source; an empty function restores the tree. For tests
  // that fill ListView1 themselves.
  void OverrideFolderPathForTesting(std::function<std::wstring()> source);
  HWND added_documents_tooltip() const { return added_drag_.tooltip(); }
  // What the system calls when files are dragged over ListView2.
  IDropTarget* added_documents_drop_target() const { return added_drop_.get(); }
  // Where the merge and the split send their messages; a box titled "提示"
  // unless replaced (tests record them instead).
  void set_show_message(word::ShowMessage show_message) { show_message_ = std::move(show_message); }
  // Where the merge and the split start Word, on their own thread: the
  // installed Word unless replaced (tests use a stand-in).
  void set_word_starter(word::WordStarter start) { word_starter_ = std::move(start); }
  // How the window asks yes or no; a box unless replaced.
  void set_ask(std::function<bool(const std::wstring&)> ask) { ask_ = std::move(ask); }
  // Whether a merge or a split is running; the controls that would change
  // it are locked meanwhile.
  bool JobRunning() const { return job_ != nullptr; }

  // Reads the list's extended style, removes the bits to clear and adds the
  // bits to set, and writes it back.
  static void SetListExtendedStyle(HWND list, DWORD set, DWORD clear);

 protected:
  HMENU CreateMenuBar() override;
  void OnCreated() override;
  void OnLoad() override;
  void OnUnload() override;
  void OnClose() override;
  void OnCommand(int id, int code, HWND control) override;
  LRESULT OnNotify(const NMHDR& header, WPARAM wparam, LPARAM lparam) override;
  LRESULT OnMessage(UINT message, WPARAM wparam, LPARAM lparam) override;

 private:
  void DisableOptionControls();
  void PrepareContentsList();
  void PrepareTree();
  // The exit button: every window of the program goes, the About and steps
  // windows first.
  void ExitAll();
  // "合并" and "分割": read the window's inputs and run the work.
  void Merge();
  void Split();
  // in_front: above every window, for the end of a job that opened one.
  word::ShowMessage MessageFunction(bool in_front = false) const;
  // 是 or 否, 否 the default; true for 是.
  bool AskToReplace(const std::wstring& question);
  word::WordStarter Starter() const;

  // The running merge or split (form1_job.cpp).
  void RunJob(word::JobThread::Work work);
  // The job's own messages and timer; false for any other.
  bool OnJobMessage(UINT message, WPARAM wparam);
  void ShowProgress();
  void OnJobEnded();
  // What the ended job had to say, in boxes (or through show_message_).
  void ShowJobMessages();
  // Asks whether to cancel a running job; false when the user keeps it
  // running, and the window with it.
  bool AllowClosing();
  // Cancels the job and waits until its Word is gone.
  void StopJob();
  void LockJobControls();
  void UnlockJobControls();

  // The added-documents list (form1_added_documents.cpp).
  void PrepareAddedDocuments();
  void ShowAddedCount();
  std::wstring FolderOfAddition() const;
  void AddCurrentDocument();
  void AddSelectedDocuments();
  void DeleteCurrentDocument();
  void DeleteAllDocuments();
  LRESULT OnAddedDocumentsNotify(const NMHDR& header, WPARAM wparam, LPARAM lparam);
  // Files dropped on ListView2 (form1_dropped_documents.cpp). A refusal is
  // shown after the drop returns: a box inside it would hold the program the
  // files came from until it is closed.
  static constexpr UINT kShowDropRefusal = WM_APP + 0x140;
  void InsertDroppedFiles(std::vector<std::wstring> paths, std::size_t index);
  void ShowDropRefusal();
  void DragContentsRows();
  void OnRowPicked(int row);
  // The order bar shows the row's position among all the rows.
  void ShowOrderOf(std::size_t row);
  void OnOrderScroll(int request);
  // Keys and right-click menu of ListView2 (form1_added_documents_keys.cpp).
  // A key is consumed when true.
  bool OnAddedDocumentsKey(WPARAM key);
  // At the point of a WM_CONTEXTMENU's lparam, or below the picked row when
  // the keyboard asked for it.
  void ShowAddedMenu(LPARAM where);
  // Moves the picked row up (-1) or down (1) one place.
  void MoveCurrentDocument(int step);

  // Output locations and option panels (form1_outputs.cpp).
  void ChooseSplitFolder();
  void ChooseMergeOutput();
  void EnableMergeOptions();
  void EnableSplitOptions();

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
  AddedDocumentsModel added_documents_;
  AddedDocumentsView added_view_;
  AddedDocumentsDrag added_drag_{added_documents_, order_bar_};
  std::unique_ptr<AddedDocumentsDrop> added_drop_;
  // Ends before the list window and the target go.
  std::optional<DropRegistration> added_drop_registration_;
  std::wstring drop_refusal_;  // shown once the drop has returned
  std::function<std::wstring()> folder_path_for_testing_;
  HWND list_ = nullptr;
  HWND tree_ = nullptr;
  AcceleratorTable accelerators_;
  word::ShowMessage show_message_;
  word::WordStarter word_starter_;
  std::function<bool(const std::wstring&)> ask_;
  // The merge output the save dialog had the user agree to replace, until
  // the next merge.
  std::wstring replace_agreed_;
  std::unique_ptr<word::JobThread> job_;
  // The messages of the ended job not shown yet, and whether the job leaves
  // a window of its own open (the merged document) that they must stay above.
  std::vector<std::wstring> job_messages_;
  bool result_opens_ = false;
  bool asking_to_leave_ = false;
  ULONGLONG job_started_ = 0;
  std::vector<std::pair<HWND, bool>> locked_;
  std::unique_ptr<shell::FolderList> folder_list_;
  std::unique_ptr<shell::FolderTree> folder_tree_;
};

}  // namespace tessaro
