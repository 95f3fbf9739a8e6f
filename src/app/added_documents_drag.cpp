#include "app/added_documents_drag.h"

#include <commctrl.h>
#include <windowsx.h>

#include <exception>

#include "win32/gdi.h"

namespace tessaro {
namespace {

constexpr UINT_PTR kSubclassId = 1;

// The insertion line: two pixels across the list, centred on the row border.
RECT MarkLine(HWND list, int y) {
  RECT client{};
  GetClientRect(list, &client);
  return {client.left, y - 1, client.right, y + 1};
}

}  // namespace

AddedDocumentsDrag::AddedDocumentsDrag(AddedDocumentsModel& model, OrderBar& order_bar)
    : model_(model), order_bar_(order_bar) {}

AddedDocumentsDrag::~AddedDocumentsDrag() { Detach(); }

void AddedDocumentsDrag::Attach(HWND list) {
  Detach();
  if (!SetWindowSubclass(list, &AddedDocumentsDrag::ListProc, kSubclassId, reinterpret_cast<DWORD_PTR>(this))) {
    return;
  }
  list_ = list;
  tooltip_.Create(list);
}

void AddedDocumentsDrag::Detach() {
  if (!list_) return;
  drag_.reset();
  mark_.reset();
  capture_.reset();
  RemoveWindowSubclass(list_, &AddedDocumentsDrag::ListProc, kSubclassId);
  tooltip_.Destroy();
  list_ = nullptr;
}

void AddedDocumentsDrag::Begin(int row) {
  End();
  if (!list_ || row < 0 || static_cast<std::size_t>(row) >= model_.size()) return;
  drag_ = Drag{static_cast<std::size_t>(row)};
  capture_.emplace(list_);
}

LRESULT CALLBACK AddedDocumentsDrag::ListProc(HWND list, UINT message, WPARAM wparam, LPARAM lparam,
                                              UINT_PTR /*id*/, DWORD_PTR self) {
  auto* drag = reinterpret_cast<AddedDocumentsDrag*>(self);
  if (message == WM_NCDESTROY) {
    drag->Detach();
    return DefSubclassProc(list, message, wparam, lparam);
  }
  try {
    return drag->HandleMessage(message, wparam, lparam);
  } catch (const std::exception&) {
    // Out of memory while moving a row: the drag ends and the list stays as
    // the model left it.
    drag->End();
    return DefSubclassProc(list, message, wparam, lparam);
  }
}

LRESULT AddedDocumentsDrag::HandleMessage(UINT message, WPARAM wparam, LPARAM lparam) {
  const POINT point{GET_X_LPARAM(lparam), GET_Y_LPARAM(lparam)};
  if (message >= WM_MOUSEFIRST && message <= WM_MOUSELAST) tooltip_.Relay(message, wparam, lparam);
  switch (message) {
    case WM_MOUSEMOVE:
      ShowRowTip(point);
      if (!drag_) break;
      Over(point);
      return 0;
    case WM_LBUTTONUP:
      if (!drag_) break;
      Drop(point);
      End();
      return 0;
    case WM_CAPTURECHANGED:
      End();
      break;
    case WM_PAINT: {
      const LRESULT result = DefSubclassProc(list_, message, wparam, lparam);
      PaintMark();
      return result;
    }
  }
  return DefSubclassProc(list_, message, wparam, lparam);
}

RowGeometry AddedDocumentsDrag::Geometry() const {
  RowGeometry rows;
  rows.count = static_cast<int>(SendMessageW(list_, LVM_GETITEMCOUNT, 0, 0));
  rows.top_index = static_cast<int>(SendMessageW(list_, LVM_GETTOPINDEX, 0, 0));
  RECT client{};
  GetClientRect(list_, &client);
  rows.client_height = client.bottom;
  RECT first{};
  first.left = LVIR_BOUNDS;
  if (rows.count > 0 && SendMessageW(list_, LVM_GETITEMRECT, rows.top_index, reinterpret_cast<LPARAM>(&first))) {
    rows.first_top = first.top;
    rows.row_height = first.bottom - first.top;
  }
  return rows;
}

std::optional<int> AddedDocumentsDrag::TargetAt(POINT point) const {
  RECT client{};
  GetClientRect(list_, &client);
  if (!PtInRect(&client, point)) return std::nullopt;
  return InsertionIndexAt(point.y, Geometry());
}

void AddedDocumentsDrag::ShowRowTip(POINT point) {
  const std::optional<int> row = TargetAt(point);
  if (row && static_cast<std::size_t>(*row) < model_.size()) {
    tooltip_.SetText(model_.rows()[static_cast<std::size_t>(*row)].file_name);
  }
}

bool AddedDocumentsDrag::AutoScroll(POINT point) {
  const int step = AutoScrollStep(point.y, Geometry());
  if (step) SendMessageW(list_, WM_VSCROLL, step < 0 ? SB_LINEUP : SB_LINEDOWN, 0);
  return step != 0;
}

void AddedDocumentsDrag::SetMark(std::optional<int> mark, bool scrolled) {
  // Scrolling moves a painted line along with the rows, so the list is
  // painted anew whenever either changes.
  if (!scrolled && mark == mark_) return;
  mark_ = mark;
  InvalidateRect(list_, nullptr, TRUE);
  UpdateWindow(list_);
}

void AddedDocumentsDrag::Over(POINT point) {
  if (model_.size() < 2) return;
  const bool scrolled = AutoScroll(point);
  std::optional<int> target = TargetAt(point);
  // Dropping a row on itself changes nothing, so nothing is marked there.
  if (target && static_cast<std::size_t>(*target) == drag_->dragged) target.reset();
  SetMark(target, scrolled);
}

std::optional<int> AddedDocumentsDrag::ShowInsertionAt(POINT point) {
  if (!list_) return std::nullopt;
  const bool scrolled = AutoScroll(point);
  const std::optional<int> target = TargetAt(point);
  SetMark(target, scrolled);
  return target;
}

void AddedDocumentsDrag::HideInsertion() {
  if (list_) SetMark(std::nullopt, false);
}

void AddedDocumentsDrag::Drop(POINT point) {
  const std::optional<int> target = TargetAt(point);
  if (!target || model_.size() < 2) return;
  const auto index = static_cast<std::size_t>(*target);
  const std::optional<std::size_t> moved =
      index < model_.size() ? model_.DropOnRow(drag_->dragged, index) : model_.DropBelowLast(drag_->dragged);
  if (moved) order_bar_.SetValue(static_cast<int>(*moved) + 1);
}

void AddedDocumentsDrag::End() {
  if (!drag_) return;
  drag_.reset();
  mark_.reset();
  // Releasing the capture comes back here through WM_CAPTURECHANGED, which
  // finds the drag already over.
  capture_.reset();
  // Whatever the drag painted goes with a full repaint of the window.
  RedrawWindow(GetParent(list_), nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW);
}

void AddedDocumentsDrag::PaintMark() const {
  if (!mark_) return;
  const RECT line = MarkLine(list_, InsertionLineY(*mark_, Geometry()));
  WindowDC dc(list_);
  FillRect(dc.get(), &line, GetSysColorBrush(COLOR_HIGHLIGHT));
}

}  // namespace tessaro
