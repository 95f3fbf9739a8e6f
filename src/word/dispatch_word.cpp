#include "word/dispatch_word.h"

#include <string>
#include <utility>

#include "word/output_format.h"

namespace tessaro::word {
namespace {

// Word's enumeration values.
constexpr int kAlertsNone = 0;
constexpr int kAutomationSecurityForceDisable = 3;
constexpr int kWindowStateMaximize = 1;
constexpr int kStory = 6;
constexpr int kPageBreak = 7;
constexpr int kBrowsePage = 1;
constexpr int kCollapseStart = 1;
constexpr int kNumberOfPagesInDocument = 4;
constexpr int kDoNotSaveChanges = 0;

// Given to every open. Nobody can type U+0001 into a password box, so this
// matches no real password: a protected document fails instead of asking.
constexpr wchar_t kNoPassword[] = L"\u0001tessaro";

Status Done(const Result<Variant>& result) {
  if (!result) return result.failure();
  return Ok();
}

Result<int> IntOf(Result<Variant> result, const wchar_t* member) {
  if (!result) return result.failure();
  std::optional<int> value = result->ToInt();
  if (!value) return Failure{DISP_E_TYPEMISMATCH, L"调用 " + std::wstring(member) + L" 没有返回数字"};
  return *value;
}

class DispatchDocument final : public Document {
 public:
  DispatchDocument(Dispatch document, std::shared_ptr<Dispatch> documents)
      : document_(std::move(document)), documents_(std::move(documents)) {}

  Result<int> PageCount() override {
    Result<Dispatch> content = document_.Child(L"Content");
    if (!content) return content.failure();
    return IntOf(content->Get(L"Information", kNumberOfPagesInDocument), L"Information");
  }

  Status SelectStart() override {
    Result<Dispatch> content = document_.Child(L"Content");
    if (!content) return content.failure();
    if (Status collapsed = Done(content->Call(L"Collapse", Named{L"Direction", kCollapseStart})); !collapsed)
      return collapsed;
    return Done(content->Call(L"Select"));
  }

  Result<Span> CurrentPage() override {
    // A document has one Bookmarks collection: asked for once, it spares a
    // call and a release on every page of a walk.
    if (!bookmarks_.get()) {
      Result<Dispatch> bookmarks = document_.Child(L"Bookmarks");
      if (!bookmarks) return bookmarks.failure();
      bookmarks_ = std::move(*bookmarks);
    }
    Result<Dispatch> page = bookmarks_.CallChild(L"Item", L"\\page");
    if (!page) return page.failure();
    Result<Dispatch> range = page->Child(L"Range");
    if (!range) return range.failure();
    Result<int> start = IntOf(range->Get(L"Start"), L"Start");
    if (!start) return start.failure();
    Result<int> end = IntOf(range->Get(L"End"), L"End");
    if (!end) return end.failure();
    return Span{*start, *end};
  }

  Status UpdateFields() override {
    Result<Dispatch> content = document_.Child(L"Content");
    if (!content) return content.failure();
    if (Status selected = Done(content->Call(L"Select")); !selected) return selected;
    Result<Dispatch> fields = content->Child(L"Fields");
    if (!fields) return fields.failure();
    // Update answers the index of the first field it could not update, or 0.
    Result<int> first_failed = IntOf(fields->Call(L"Update"), L"Update");
    if (!first_failed) return first_failed.failure();
    if (*first_failed != 0) return Failure{E_FAIL, L"第 " + std::to_wstring(*first_failed) + L" 个域无法更新"};
    return Ok();
  }

  Status SaveAs(const std::wstring& path) override {
    if (const std::optional<int> format = FormatOf(path))
      return Done(document_.Call(L"SaveAs", Named{L"FileName", path}, Named{L"FileFormat", *format}));
    return Done(document_.Call(L"SaveAs", Named{L"FileName", path}));
  }

  // In the foreground: closing or quitting during a background print would
  // cancel it or ask first.
  Status PrintOut() override { return Done(document_.Call(L"PrintOut", Named{L"Background", false})); }

  Status Close() override { return Done(document_.Call(L"Close", Named{L"SaveChanges", kDoNotSaveChanges})); }

  Result<std::unique_ptr<Document>> CopyToNewDocument(Span span) override {
    Result<Dispatch> added = documents_->CallChild(L"Add");
    if (!added) return added.failure();
    auto piece = std::make_unique<DispatchDocument>(std::move(*added), documents_);
    if (Status copied = piece->PutFormattedText(document_, span); !copied) {
      (void)piece->Close();
      return copied.failure();
    }
    return std::unique_ptr<Document>(std::move(piece));
  }

 private:
  Status PutFormattedText(Dispatch& source, Span span) {
    Result<Dispatch> range = source.CallChild(L"Range", Named{L"Start", span.start}, Named{L"End", span.end});
    if (!range) return range.failure();
    Result<Dispatch> text = range->Child(L"FormattedText");
    if (!text) return text.failure();
    Result<Dispatch> content = document_.Child(L"Content");
    if (!content) return content.failure();
    return content->Put(L"FormattedText", Variant(text->get()));
  }

  Dispatch document_;
  Dispatch bookmarks_;
  std::shared_ptr<Dispatch> documents_;
};

class DispatchApplication final : public Application {
 public:
  explicit DispatchApplication(Dispatch word) : word_(std::move(word)) {}

  Status DisableAlerts() override { return word_.Put(L"DisplayAlerts", kAlertsNone); }
  Status DisableMacros() override { return word_.Put(L"AutomationSecurity", kAutomationSecurityForceDisable); }
  Status SetVisible(bool visible) override { return word_.Put(L"Visible", visible); }
  Status Activate() override { return Done(word_.Call(L"Activate")); }
  Status Maximize() override { return word_.Put(L"WindowState", kWindowStateMaximize); }

  Result<std::unique_ptr<Document>> Open(const std::wstring& path, OpenMode mode) override {
    Result<std::shared_ptr<Dispatch>> documents = Documents();
    if (!documents) return documents.failure();
    Result<Dispatch> opened = (*documents)->CallChild(
        L"Open", Named{L"FileName", path}, Named{L"ConfirmConversions", false},
        Named{L"ReadOnly", mode == OpenMode::kReadOnly}, Named{L"AddToRecentFiles", false},
        Named{L"PasswordDocument", kNoPassword});
    if (!opened) return opened.failure();
    return std::unique_ptr<Document>(std::make_unique<DispatchDocument>(std::move(*opened), *documents));
  }

  Status EndOfDocument() override {
    return OnSelection([](Dispatch& selection) { return selection.Call(L"EndKey", Named{L"Unit", kStory}); });
  }

  Status InsertPageBreak() override {
    return OnSelection([](Dispatch& selection) { return selection.Call(L"InsertBreak", Named{L"Type", kPageBreak}); });
  }

  Status InsertFile(const std::wstring& path) override {
    return OnSelection([&path](Dispatch& selection) {
      return selection.Call(L"InsertFile", Named{L"FileName", path}, Named{L"Range", L""},
                            Named{L"ConfirmConversions", false}, Named{L"Link", false},
                            Named{L"Attachment", false});
    });
  }

  // The browser is the application's own and keeps its target: it is set
  // once, not on every page of a walk.
  Status NextPage() override {
    if (!browser_.get()) {
      Result<Dispatch> browser = word_.Child(L"Browser");
      if (!browser) return browser.failure();
      if (Status target = browser->Put(L"Target", kBrowsePage); !target) return target;
      browser_ = std::move(*browser);
    }
    return Done(browser_.Call(L"Next"));
  }

  Status Quit() override { return Done(word_.Call(L"Quit", Named{L"SaveChanges", kDoNotSaveChanges})); }

 private:
  // The selection belongs to whichever window is active, so it is asked for
  // afresh each time.
  template <class Step>
  Status OnSelection(Step step) {
    Result<Dispatch> selection = word_.Child(L"Selection");
    if (!selection) return selection.failure();
    return Done(step(*selection));
  }

  Result<std::shared_ptr<Dispatch>> Documents() {
    if (!documents_) {
      Result<Dispatch> documents = word_.Child(L"Documents");
      if (!documents) return documents.failure();
      documents_ = std::make_shared<Dispatch>(std::move(*documents));
    }
    return documents_;
  }

  Dispatch word_;
  Dispatch browser_;
  std::shared_ptr<Dispatch> documents_;
};

}  // namespace

std::unique_ptr<Application> MakeDispatchApplication(Dispatch word) {
  return std::make_unique<DispatchApplication>(std::move(word));
}

}  // namespace tessaro::word
