#pragma once
#include "engine_link/engine_link.h"

#include <map>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace wordsrv {

// A Word range in page units: position p is the start of page p + 1, so a
// document of N pages runs from 0 to N and page i covers [i - 1, i).
// The Content range follows the document as it grows (`story`).
struct Span {
    int doc = 0;
    long start = 0;
    long end = 0;
    bool story = false;
};

// What one Word instance holds between calls: the engine, the open documents
// in the order they were opened, the active one (whose insertion point is
// Word's Selection), and the application's settings. Shared by every object
// the instance hands out.
//
// A new document that only receives pages of another and is saved (the
// split) never becomes an engine document: its pages are written straight
// to the file, as fast as the engine's own split. Anything else asked of it
// creates it in the engine first.
class Word {
public:
    explicit Word(const std::wstring& enginePath);

    // Forwards a request; the engine's Unix paths in an error are given back
    // as the caller's Windows path.
    Fields engine(const Fields& request, const std::string& unixPath = {}, const std::wstring& windowsPath = {});
    // The engine's handle of a document, created there on first need.
    std::string handle(int doc);
    // To be called before a request that changes `doc` at its insertion point.
    void changing(int doc);

    int open(const std::wstring& path, bool readOnly);
    int add();
    void insertFile(int doc, const std::wstring& path);
    // The pages of `source` go in at position `at` of `doc`.
    void receive(int doc, long at, const Span& source);

    // The insertion point. Moving it from page to page is only counted here;
    // the engine's cursor follows when something is inserted there.
    void toPage(int doc, long page);
    void nextPage(int doc);
    long currentPage(int doc);
    void toEnd(int doc);
    // The browser set to pages: the walk of a split over the active document
    // is about to begin.
    void browsePages();
    void insertBreak(int doc);
    // In `format` (a WdSaveFormat), or without one in the document's own.
    void saveAs(int doc, const std::wstring& path, std::optional<long> format = std::nullopt);
    void close(int doc);
    int pageCount(int doc);
    const std::wstring& fullName(int doc) const;
    void check(int doc) const;

    // The document of the active window; Selection acts on it.
    int active() const;
    void activate(int doc);

    void quit();
    bool hasQuit() const { return quit_; }
    // A visible instance holds documents the user is meant to go on with;
    // the engine shows them in LibreOffice windows when there is a display.
    void show(bool visible);
    bool visible() const { return visible_; }
    bool leftOpen() const { return visible_ && !quit_ && !order_.empty(); }

    bool displayAlerts = true;
    long windowState = 0;
    long automationSecurity = 1;  // msoAutomationSecurityLow, Word's default
    long browserTarget = 1;

private:
    struct Entry {
        int engine = 0;           // 0 while the document exists only here
        std::wstring fullName;
        Span pages;               // content taken from another document's pages
        bool hasPages = false;
        long page = 0;            // page of the insertion point, 0 when only the engine knows
        bool cursorBehind = false;  // the engine's cursor is not yet at `page`
        long pageCount = 0;       // 0 until asked, and after every change
    };

    Entry& entry(int doc);
    // New documents holding pages of `doc` are built before it changes or goes.
    void buildCopiesOf(int doc);
    void showDocument(int doc);
    // Brings the engine's cursor to the counted page.
    void syncCursor(int doc);
    int keep(Entry entry);

    EngineLink engine_;
    std::map<int, Entry> docs_;
    std::vector<int> order_;
    int nextDoc_ = 1;
    int active_ = 0;
    bool quit_ = false;
    bool visible_ = false;
};

using WordPtr = std::shared_ptr<Word>;

}  // namespace wordsrv
