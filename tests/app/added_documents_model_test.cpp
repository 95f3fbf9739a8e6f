// The added documents' order, current row and deletions, without a window.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "app/added_documents_model.h"

namespace tessaro {
namespace {

// Applies every reported edit to a copy, as ListView2 does, so the tests can
// check that a mirror built from the reports always equals the rows.
class Mirror : public AddedDocumentsObserver {
 public:
  void RowInserted(std::size_t index, const AddedDocument& row) override {
    rows.insert(rows.begin() + static_cast<std::ptrdiff_t>(index), row);
  }
  void RowRemoved(std::size_t index) override { rows.erase(rows.begin() + static_cast<std::ptrdiff_t>(index)); }
  void RowsCleared() override { rows.clear(); }
  void CurrentChanged(std::optional<std::size_t> now, bool lit) override {
    current = now;
    highlighted = lit;
  }

  std::vector<AddedDocument> rows;
  std::optional<std::size_t> current;
  bool highlighted = false;
};

class AddedDocumentsModelTest : public ::testing::Test {
 protected:
  void SetUp() override { model_.SetObserver(&mirror_); }

  void Add(std::initializer_list<const wchar_t*> names) {
    for (const wchar_t* name : names) model_.Append({name, L"C:\\docs"});
  }

  std::wstring Order() const {
    std::wstring order;
    for (const AddedDocument& row : model_.rows()) order += row.file_name;
    EXPECT_EQ(mirror_.rows, model_.rows());
    EXPECT_EQ(mirror_.current, model_.current());
    EXPECT_EQ(mirror_.highlighted, model_.highlighted());
    return order;
  }

  AddedDocumentsModel model_;
  Mirror mirror_;
};

TEST_F(AddedDocumentsModelTest, AddingKeepsDuplicatesAndPicksNoRow) {
  Add({L"A", L"A"});
  EXPECT_EQ(Order(), L"AA");
  EXPECT_EQ(model_.size(), 2u);
  EXPECT_FALSE(model_.current());
  EXPECT_FALSE(model_.DeleteCurrent());
  EXPECT_FALSE(model_.MoveCurrentTo(1));
  EXPECT_EQ(Order(), L"AA");
}

TEST_F(AddedDocumentsModelTest, InsertingKeepsTheCurrentRowOnItsDocument) {
  Add({L"A", L"B", L"C"});
  model_.Select(1);
  model_.Insert(0, {{L"X", L"D:\\"}, {L"Y", L"D:\\"}});
  EXPECT_EQ(Order(), L"XYABC");
  EXPECT_EQ(model_.current(), 3u);  // still B
  EXPECT_TRUE(model_.highlighted());
  model_.Insert(4, {{L"Z", L"D:\\"}});  // after the current row: it stays put
  EXPECT_EQ(Order(), L"XYABZC");
  EXPECT_EQ(model_.current(), 3u);
  model_.Insert(99, {{L"E", L"D:\\"}});
  EXPECT_EQ(Order(), L"XYABZCE");
  EXPECT_TRUE(model_.DeleteCurrent());
  EXPECT_EQ(Order(), L"XYAZCE");
}

TEST_F(AddedDocumentsModelTest, OrderBarMovesTheCurrentRow) {
  Add({L"A", L"B", L"C"});
  model_.Select(0);
  EXPECT_TRUE(model_.MoveCurrentTo(2));
  EXPECT_EQ(Order(), L"BCA");
  EXPECT_EQ(model_.current(), 2u);
  EXPECT_TRUE(model_.highlighted());
  EXPECT_TRUE(model_.MoveCurrentTo(0));
  EXPECT_EQ(Order(), L"ABC");
  EXPECT_EQ(model_.current(), 0u);
  // One step at a time.
  EXPECT_TRUE(model_.MoveCurrentTo(1));
  EXPECT_EQ(Order(), L"BAC");
  EXPECT_TRUE(model_.MoveCurrentTo(2));
  EXPECT_EQ(Order(), L"BCA");
  // Onto its own place, or past the end, changes nothing more.
  EXPECT_FALSE(model_.MoveCurrentTo(2));
  EXPECT_FALSE(model_.MoveCurrentTo(7));
  EXPECT_EQ(Order(), L"BCA");
  // Upwards from the middle.
  model_.Select(1);
  EXPECT_TRUE(model_.MoveCurrentTo(0));
  EXPECT_EQ(Order(), L"CBA");
}

TEST_F(AddedDocumentsModelTest, DragAndDrop) {
  Add({L"A", L"B", L"C"});
  EXPECT_EQ(model_.DropOnRow(2, 0), 0u);  // C onto A
  EXPECT_EQ(Order(), L"CAB");
  EXPECT_EQ(model_.current(), 0u);
  EXPECT_TRUE(model_.highlighted());

  model_.DeleteAll();
  Add({L"A", L"B", L"C"});
  EXPECT_EQ(model_.DropOnRow(0, 2), 1u);  // A onto C: just above C
  EXPECT_EQ(Order(), L"BAC");

  model_.DeleteAll();
  Add({L"A", L"B", L"C"});
  EXPECT_EQ(model_.DropBelowLast(0), 2u);  // A below the last row
  EXPECT_EQ(Order(), L"BCA");
  EXPECT_EQ(model_.current(), 2u);

  // Onto itself, or onto nothing that exists: nothing moves.
  EXPECT_FALSE(model_.DropOnRow(1, 1));
  EXPECT_FALSE(model_.DropOnRow(5, 0));
  EXPECT_FALSE(model_.DropOnRow(0, 3));
  EXPECT_FALSE(model_.DropBelowLast(3));
  EXPECT_EQ(Order(), L"BCA");
}

TEST_F(AddedDocumentsModelTest, OneRowIsNeverMoved) {
  Add({L"A"});
  model_.Select(0);
  EXPECT_FALSE(model_.DropBelowLast(0));
  EXPECT_FALSE(model_.DropOnRow(0, 0));
  EXPECT_FALSE(model_.MoveCurrentTo(1));
  EXPECT_EQ(Order(), L"A");
}

TEST_F(AddedDocumentsModelTest, DeleteNeedsTheHighlightedCurrentRow) {
  Add({L"A", L"B", L"C"});
  model_.Select(1);
  model_.SetHighlighted(false);  // as after an addition
  EXPECT_FALSE(model_.DeleteCurrent());
  EXPECT_EQ(Order(), L"ABC");

  model_.SetHighlighted(true);
  EXPECT_TRUE(model_.DeleteCurrent());
  EXPECT_EQ(Order(), L"AC");
  EXPECT_FALSE(model_.current());
  EXPECT_FALSE(model_.DeleteCurrent());

  model_.Select(5);  // not a row
  EXPECT_FALSE(model_.current());
  model_.SetHighlighted(true);  // no current row to highlight
  EXPECT_FALSE(model_.highlighted());

  model_.Select(0);
  model_.DeleteAll();
  EXPECT_EQ(Order(), L"");
  EXPECT_FALSE(model_.current());
  EXPECT_FALSE(model_.DeleteCurrent());
  EXPECT_FALSE(model_.MoveCurrentTo(0));
}

TEST_F(AddedDocumentsModelTest, PositionsBeyondSixteenBits) {
  for (int i = 0; i < 70000; ++i) model_.Append({std::to_wstring(i), L"D:\\"});
  model_.Select(0);
  EXPECT_TRUE(model_.MoveCurrentTo(69999));
  EXPECT_EQ(model_.rows()[69999].file_name, L"0");
  EXPECT_EQ(model_.rows()[0].file_name, L"1");
  EXPECT_EQ(model_.current(), 69999u);
  EXPECT_EQ(model_.rows()[69999].FullPath(), L"D:\\0");
}

}  // namespace
}  // namespace tessaro
