// Mouse handling of ListView2: rows are dragged within the list to reorder
// them, with auto-scroll near the edges and an insertion line (also shown
// for files dragged in), and a tooltip names the row under the pointer. The list is subclassed for its mouse and
// paint messages; the drag itself starts from the list's LVN_BEGINDRAG.
#pragma once

#include <windows.h>

#include <optional>

#include "app/added_documents_model.h"
#include "app/mouse_capture.h"
#include "app/order_bar.h"
#include "app/row_geometry.h"
#include "app/row_tooltip.h"

namespace tessaro {

class AddedDocumentsDrag {
 public:
  AddedDocumentsDrag(AddedDocumentsModel& model, OrderBar& order_bar);
  AddedDocumentsDrag(const AddedDocumentsDrag&) = delete;
  AddedDocumentsDrag& operator=(const AddedDocumentsDrag&) = delete;
  ~AddedDocumentsDrag();

  // Subclasses the list and gives it its tooltip; both end with the list.
  void Attach(HWND list);

  // LVN_BEGINDRAG on row: the pointer now carries that row.
  void Begin(int row);
  // Ends a drag where it is, changing nothing (the user pressed Esc).
  void Cancel() { End(); }
  bool dragging() const { return drag_.has_value(); }
  HWND tooltip() const { return tooltip_.get(); }
  // Rows have gone: the name shown may be one of them.
  void HideRowTip() { tooltip_.Hide(); }

  // Feedback for files dragged in from elsewhere, the pointer at point in
  // the list's client area: scrolls near an edge and shows the same
  // insertion line as a row drag. Returns where the files would go (the row
  // count for the end), nothing over the header or outside the rows.
  std::optional<int> ShowInsertionAt(POINT point);
  void HideInsertion();

 private:
  struct Drag {
    std::size_t dragged;
  };

  static LRESULT CALLBACK ListProc(HWND list, UINT message, WPARAM wparam, LPARAM lparam, UINT_PTR id,
                                   DWORD_PTR self);
  LRESULT HandleMessage(UINT message, WPARAM wparam, LPARAM lparam);
  void Detach();

  RowGeometry Geometry() const;
  std::optional<int> TargetAt(POINT point) const;
  void ShowRowTip(POINT point);
  bool AutoScroll(POINT point);
  void SetMark(std::optional<int> mark, bool scrolled);
  void Over(POINT point);
  void Drop(POINT point);
  void End();
  void PaintMark() const;

  AddedDocumentsModel& model_;
  OrderBar& order_bar_;
  HWND list_ = nullptr;
  std::optional<Drag> drag_;
  std::optional<int> mark_;  // insertion index shown, if any
  std::optional<MouseCapture> capture_;
  RowTooltip tooltip_;
};

}  // namespace tessaro
