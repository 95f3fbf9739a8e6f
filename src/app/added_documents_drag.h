// Mouse handling of ListView2: rows are dragged within the list to reorder
// them, with auto-scroll near the edges and an insertion line, and a tooltip
// names the row under the pointer. The list is subclassed for its mouse and
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
  bool dragging() const { return drag_.has_value(); }
  HWND tooltip() const { return tooltip_.get(); }

 private:
  struct Drag {
    std::size_t dragged;
    std::optional<int> mark;  // insertion index shown, if any
  };

  static LRESULT CALLBACK ListProc(HWND list, UINT message, WPARAM wparam, LPARAM lparam, UINT_PTR id,
                                   DWORD_PTR self);
  LRESULT HandleMessage(UINT message, WPARAM wparam, LPARAM lparam);
  void Detach();

  RowGeometry Geometry() const;
  std::optional<int> TargetAt(POINT point) const;
  void ShowRowTip(POINT point);
  void Over(POINT point);
  void Drop(POINT point);
  void End();
  void PaintMark() const;

  AddedDocumentsModel& model_;
  OrderBar& order_bar_;
  HWND list_ = nullptr;
  std::optional<Drag> drag_;
  std::optional<MouseCapture> capture_;
  RowTooltip tooltip_;
};

}  // namespace tessaro
