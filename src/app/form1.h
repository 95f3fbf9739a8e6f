// The main window: folder tree, folder contents, the added documents, the
// output and option panels, and the buttons that run the work.
#pragma once

#include <utility>
#include <vector>

#include "app/added_document.h"
#include "app/form.h"
#include "app/order_bar.h"
#include "word/word_objects.h"

namespace tessaro {

class Form1 : public Form {
 public:
  explicit Form1(Application& app);
  ~Form1() override;

  bool PreTranslate(MSG& msg) override;

  HWND list_handle() const { return list_; }
  HWND tree_handle() const { return tree_; }
  const OrderBar& order_bar() const { return order_bar_; }

  // The rows of ListView2, first to last.
  std::vector<AddedDocument> AddedDocuments() const;
  // Where the merge and the split send their messages; a box titled "提示"
  // unless replaced (tests record them instead).
  void set_show_message(word::ShowMessage show_message) { show_message_ = std::move(show_message); }

  // Reads the list's extended style, removes the bits to clear and adds the
  // bits to set, and writes it back.
  static void SetListExtendedStyle(HWND list, DWORD set, DWORD clear);

 protected:
  HMENU CreateMenuBar() override;
  void OnCreated() override;
  void OnLoad() override;
  void OnUnload() override;
  void OnCommand(int id, int code, HWND control) override;

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
  word::ShowMessage MessageFunction() const;

  Font path_font_;
  OrderBar order_bar_;
  HWND list_ = nullptr;
  HWND tree_ = nullptr;
  HACCEL accelerators_ = nullptr;
  word::ShowMessage show_message_;
};

}  // namespace tessaro
