#include "fake_word.h"

#include <windows.h>

#include <thread>

namespace tessaro::testing {
namespace {

using word::Failure;
using word::Ok;
using word::Result;
using word::Span;
using word::Status;

// Positions of page i are [i * kPage, (i + 1) * kPage).
constexpr int kPage = 1000;

Failure Fails(const std::wstring& what) { return Failure{E_FAIL, what}; }

std::wstring FileNameOf(const std::wstring& path) { return path.substr(path.find_last_of(L'\\') + 1); }

// Word knows an open document by its file's long name, however it was spelled.
bool SameDocument(const std::wstring& a, const std::wstring& b) {
  const auto long_name = [](const std::wstring& path) {
    wchar_t found[MAX_PATH];
    const DWORD length = GetLongPathNameW(path.c_str(), found, MAX_PATH);
    return length > 0 && length < MAX_PATH ? std::wstring(found) : path;
  };
  return CompareStringOrdinal(long_name(a).c_str(), -1, long_name(b).c_str(), -1, TRUE) == CSTR_EQUAL;
}

struct DocState {
  std::wstring path;  // empty for a new document
  FakeWord::Pages pages;
  bool read_only = false;
  bool open = true;
};

struct AppState {
  explicit AppState(FakeWord& owner) : word(owner) {}

  FakeWord& word;
  std::vector<std::shared_ptr<DocState>> open;  // the last one is active
  int selection_page = 0;
  bool visible = true;

  std::shared_ptr<DocState> Active() { return open.empty() ? nullptr : open.back(); }
  void Log(const std::wstring& line) {
    std::this_thread::sleep_for(word.delay);
    word.log.push_back(line);
  }
};

class FakeDocument final : public word::Document {
 public:
  FakeDocument(std::shared_ptr<AppState> app, std::shared_ptr<DocState> doc)
      : app_(std::move(app)), doc_(std::move(doc)) {}

  Result<int> PageCount() override {
    app_->Log(L"PageCount");
    if (app_->word.fail_page_count) return Fails(L"count");
    return static_cast<int>(doc_->pages.size());
  }
  Status SelectStart() override {
    app_->Log(L"SelectStart");
    app_->selection_page = 0;
    return Ok();
  }
  Result<Span> CurrentPage() override {
    app_->Log(L"CurrentPage");
    return Span{app_->selection_page * kPage, (app_->selection_page + 1) * kPage};
  }
  Status UpdateFields() override {
    app_->Log(L"UpdateFields");
    if (app_->word.fail_fields) return Fails(L"fields");
    return Ok();
  }
  Status SaveAs(const std::wstring& path) override {
    app_->Log(L"SaveAs " + path);
    // Word refuses to save a read-only document over its own file.
    if (app_->word.unsavable.count(path) || (doc_->read_only && path == doc_->path)) return Fails(L"save");
    app_->word.files[path] = doc_->pages;
    app_->word.written.insert(path);
    doc_->path = path;
    doc_->read_only = false;
    return Ok();
  }
  Status PrintOut() override {
    app_->Log(L"PrintOut");
    if (app_->word.fail_print) return Fails(L"print");
    return Ok();
  }
  Status Close() override {
    app_->Log(L"Close " + (doc_->path.empty() ? L"(new)" : FileNameOf(doc_->path)));
    doc_->open = false;
    std::erase(app_->open, doc_);
    return Ok();
  }
  Result<std::unique_ptr<word::Document>> CopyToNewDocument(Span span) override {
    const int first = span.start / kPage;
    const int end = (span.end + kPage - 1) / kPage;
    app_->Log(L"NewDocument pages " + std::to_wstring(first + 1) + L"-" + std::to_wstring(end));
    auto piece = std::make_shared<DocState>();
    piece->pages.assign(doc_->pages.begin() + first, doc_->pages.begin() + end);
    app_->open.push_back(piece);
    return std::unique_ptr<word::Document>(std::make_unique<FakeDocument>(app_, piece));
  }

 private:
  std::shared_ptr<AppState> app_;
  std::shared_ptr<DocState> doc_;
};

class FakeApplication final : public word::Application {
 public:
  explicit FakeApplication(FakeWord& word) : app_(std::make_shared<AppState>(word)) {}
  ~FakeApplication() override {
    // Released without Quit: the instance runs on, as Word does.
    if (!quit_) app_->word.left_visible = app_->visible;
  }

  Status DisableAlerts() override { return Logged(L"DisplayAlerts off"); }
  Status DisableMacros() override { return Logged(L"Macros off"); }
  Status SetVisible(bool visible) override {
    app_->visible = visible;
    return Logged(visible ? L"Visible true" : L"Visible false");
  }
  Status Activate() override { return Logged(L"Activate"); }
  Status Maximize() override { return Logged(L"Maximize"); }

  Result<std::unique_ptr<word::Document>> Open(const std::wstring& path, word::OpenMode mode) override {
    const bool read_only = mode == word::OpenMode::kReadOnly;
    app_->Log(L"Open " + path + (read_only ? L" read-only" : L""));
    FakeWord& word = app_->word;
    if (word.unopenable.count(path) || !word.files.count(path)) return Fails(L"open");
    // Word hands back the document already open under that name.
    for (const auto& doc : app_->open)
      if (SameDocument(doc->path, path))
        return std::unique_ptr<word::Document>(std::make_unique<FakeDocument>(app_, doc));
    auto doc = std::make_shared<DocState>(DocState{path, word.files[path], read_only});
    app_->open.push_back(doc);
    app_->selection_page = 0;
    return std::unique_ptr<word::Document>(std::make_unique<FakeDocument>(app_, doc));
  }

  Status EndOfDocument() override {
    app_->Log(L"EndKey");
    if (!app_->Active()) return Fails(L"no document");
    app_->selection_page = static_cast<int>(app_->Active()->pages.size()) - 1;
    return Ok();
  }
  Status InsertPageBreak() override {
    app_->Log(L"InsertBreak");
    if (!app_->Active()) return Fails(L"no document");
    app_->Active()->pages.emplace_back();
    return Ok();
  }
  Status InsertFile(const std::wstring& path) override {
    app_->Log(L"InsertFile " + path);
    FakeWord& word = app_->word;
    if (!app_->Active() || word.uninsertable.count(path) || !word.files.count(path)) return Fails(L"insert");
    // The file's first page runs on from the insertion point, the last page.
    FakeWord::Pages& pages = app_->Active()->pages;
    const FakeWord::Pages& inserted = word.files[path];
    pages.back() += inserted.front();
    pages.insert(pages.end(), inserted.begin() + 1, inserted.end());
    return Ok();
  }
  Status NextPage() override {
    app_->Log(L"NextPage");
    ++app_->selection_page;
    return Ok();
  }
  Status Quit() override {
    app_->Log(L"Quit");
    quit_ = true;
    --app_->word.running;
    return Ok();
  }

 private:
  Status Logged(const wchar_t* line) {
    app_->Log(line);
    return Ok();
  }

  std::shared_ptr<AppState> app_;
  bool quit_ = false;
};

}  // namespace

word::WordStarter FakeWord::Starter() {
  return [this]() -> std::unique_ptr<word::Application> {
    std::this_thread::sleep_for(delay);
    log.push_back(L"Start");
    if (cannot_start) return nullptr;
    ++started;
    ++running;
    return std::make_unique<FakeApplication>(*this);
  };
}

word::ShowMessage FakeWord::Recorder() {
  return [this](const std::wstring& text) { messages.push_back(text); };
}

}  // namespace tessaro::testing
