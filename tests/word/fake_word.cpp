#include "fake_word.h"

#include <windows.h>

#include <thread>
#include <optional>

namespace tessaro::testing {
namespace {

using word::Failure;
using word::Ok;
using word::Result;
using word::Span;
using word::Status;

// Positions of page i are [i * kPage, (i + 1) * kPage).
constexpr int kPage = 1000;

Failure Fails(const std::wstring& cause) { return Failure{E_FAIL, cause}; }

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
  // Logs a call, after the delay a slow Word takes; the failure every call
  // gets once Word has died.
  std::optional<Failure> Log(const std::wstring& line) {
    std::this_thread::sleep_for(word.delay);
    word.log.push_back(line);
    if (!word.dies_at.empty() && line == word.dies_at) word.dead = true;
    if (word.dead) return word.death;
    return std::nullopt;
  }
};

class FakeDocument final : public word::Document {
 public:
  FakeDocument(std::shared_ptr<AppState> app, std::shared_ptr<DocState> doc)
      : app_(std::move(app)), doc_(std::move(doc)) {}

  Result<int> PageCount() override {
    if (auto dead = app_->Log(L"PageCount")) return *dead;
    if (app_->word.fail_page_count) return Fails(L"无法确定页数");
    return static_cast<int>(doc_->pages.size());
  }
  Status SelectStart() override {
    if (auto dead = app_->Log(L"SelectStart")) return *dead;
    app_->selection_page = 0;
    return Ok();
  }
  Result<Span> CurrentPage() override {
    if (auto dead = app_->Log(L"CurrentPage")) return *dead;
    return Span{app_->selection_page * kPage, (app_->selection_page + 1) * kPage};
  }
  Status UpdateFields() override {
    if (auto dead = app_->Log(L"UpdateFields")) return *dead;
    if (app_->word.fail_fields) return Fails(L"第 2 个域无法更新");
    return Ok();
  }
  Status SaveAs(const std::wstring& path) override {
    if (auto dead = app_->Log(L"SaveAs " + path)) return *dead;
    if (app_->word.unsavable.count(path)) return Fails(L"磁盘已满");
    // Word refuses to save a read-only document over its own file.
    if (doc_->read_only && path == doc_->path) return Fails(L"文档为只读");
    app_->word.files[path] = doc_->pages;
    app_->word.written.insert(path);
    doc_->path = path;
    doc_->read_only = false;
    return Ok();
  }
  Status PrintOut() override {
    if (auto dead = app_->Log(L"PrintOut")) return *dead;
    if (app_->word.fail_print) return Fails(L"没有默认打印机");
    return Ok();
  }
  Status Close() override {
    const std::wstring name = doc_->path.empty() ? L"(new)" : FileNameOf(doc_->path);
    if (auto dead = app_->Log(L"Close " + name)) return *dead;
    doc_->open = false;
    std::erase(app_->open, doc_);
    return Ok();
  }
  Result<std::unique_ptr<word::Document>> CopyToNewDocument(Span span) override {
    const int first = span.start / kPage;
    const int end = (span.end + kPage - 1) / kPage;
    const std::wstring pages = std::to_wstring(first + 1) + L"-" + std::to_wstring(end);
    if (auto dead = app_->Log(L"NewDocument pages " + pages)) return *dead;
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
    if (auto dead = app_->Log(L"Open " + path + (read_only ? L" read-only" : L""))) return *dead;
    FakeWord& word = app_->word;
    if (word.unopenable.count(path) || !word.files.count(path)) return Fails(L"文档有密码保护");
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
    if (auto dead = app_->Log(L"EndKey")) return *dead;
    if (!app_->Active()) return Fails(L"no document");
    app_->selection_page = static_cast<int>(app_->Active()->pages.size()) - 1;
    return Ok();
  }
  Status InsertPageBreak() override {
    if (auto dead = app_->Log(L"InsertBreak")) return *dead;
    if (!app_->Active()) return Fails(L"no document");
    app_->Active()->pages.emplace_back();
    return Ok();
  }
  Status InsertFile(const std::wstring& path) override {
    if (auto dead = app_->Log(L"InsertFile " + path)) return *dead;
    FakeWord& word = app_->word;
    if (!app_->Active() || word.uninsertable.count(path) || !word.files.count(path)) return Fails(L"文件已损坏");
    // The file's first page runs on from the insertion point, the last page.
    FakeWord::Pages& pages = app_->Active()->pages;
    const FakeWord::Pages& inserted = word.files[path];
    pages.back() += inserted.front();
    pages.insert(pages.end(), inserted.begin() + 1, inserted.end());
    return Ok();
  }
  Status NextPage() override {
    if (auto dead = app_->Log(L"NextPage")) return *dead;
    ++app_->selection_page;
    return Ok();
  }
  Status Quit() override {
    // A dead instance has ended all the same.
    const std::optional<Failure> dead = app_->Log(L"Quit");
    quit_ = true;
    --app_->word.running;
    if (dead) return *dead;
    return Ok();
  }

 private:
  Status Logged(const wchar_t* line) {
    if (auto dead = app_->Log(line)) return *dead;
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
    if (cannot_start || started == starts_allowed) return nullptr;
    dead = false;
    ++started;
    ++running;
    return std::make_unique<FakeApplication>(*this);
  };
}

word::ShowMessage FakeWord::Recorder() {
  return [this](const std::wstring& text) { messages.push_back(text); };
}

}  // namespace tessaro::testing
