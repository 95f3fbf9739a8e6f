// The Word objects the merge and the split work with. Production code drives
// Word through IDispatch (dispatch_word.h); tests drive a recording stand-in
// that keeps documents as lists of pages.
#pragma once

#include <functional>
#include <memory>
#include <string>

#include "word/result.h"

namespace tessaro::word {

// Character positions [start, end) of a document.
struct Span {
  int start = 0;
  int end = 0;
};

class Document {
 public:
  virtual ~Document() = default;

  // Content.Information(wdNumberOfPagesInDocument).
  virtual Result<int> PageCount() = 0;
  // Puts the insertion point at the start of the document.
  virtual Status SelectStart() = 0;
  // The page that holds the insertion point (the "\page" bookmark).
  virtual Result<Span> CurrentPage() = 0;
  // Selects the content and updates every field; a field Word cannot update
  // counts as a failure.
  virtual Status UpdateFields() = 0;
  // In the format the file name's extension stands for (output_format.h);
  // a name with another extension is saved in the document's own format.
  virtual Status SaveAs(const std::wstring& path) = 0;
  virtual Status PrintOut() = 0;
  // Closes without saving: inputs are never written, results are saved first.
  virtual Status Close() = 0;
  // A new document whose content is this span with its formatting. It goes
  // through the object model, not the clipboard the user shares.
  virtual Result<std::unique_ptr<Document>> CopyToNewDocument(Span span) = 0;
};

enum class OpenMode { kReadOnly, kEditable };

class Application {
 public:
  virtual ~Application() = default;

  // Every prompt Word could raise in an invisible instance would hang us.
  virtual Status DisableAlerts() = 0;
  // Word started by automation runs the macros of the documents it opens:
  // untrusted code, and a dialog of theirs would hang the invisible instance.
  virtual Status DisableMacros() = 0;
  virtual Status SetVisible(bool visible) = 0;
  virtual Status Activate() = 0;
  virtual Status Maximize() = 0;
  // Opens without conversion prompts and with a password that cannot match,
  // so a protected or damaged file fails at once instead of asking.
  virtual Result<std::unique_ptr<Document>> Open(const std::wstring& path, OpenMode mode) = 0;
  // The selection's insertion point to the end of the active document.
  virtual Status EndOfDocument() = 0;
  virtual Status InsertPageBreak() = 0;
  virtual Status InsertFile(const std::wstring& path) = 0;
  // Moves the insertion point to the start of the next page.
  virtual Status NextPage() = 0;
  // Ends the instance, discarding whatever is still open.
  virtual Status Quit() = 0;
};

// Starts a new Word instance; null when none can be started.
using WordStarter = std::function<std::unique_ptr<Application>()>;

// Shows one message to the user (a box titled "提示" in the program).
using ShowMessage = std::function<void(const std::wstring& text)>;

}  // namespace tessaro::word
