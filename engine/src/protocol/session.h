#pragma once
#include "document/document.h"
#include "office/office.h"
#include "split/page_cut.h"
#include "files/temp_dir.h"
#include "office/viewer.h"

#include <com/sun/star/text/XTextCursor.hpp>

#include <chrono>
#include <map>
#include <memory>
#include <string>
#include <vector>

namespace tessaro {

// The documents a client works on, by handle, and the operations the Word
// calls of the merge and the split need. Every operation is bounded by the
// watchdog; a failure throws EngineError with the reason for the user.
class Session {
public:
    explicit Session(std::chrono::milliseconds callLimit);
    ~Session();
    Session(const Session&) = delete;
    Session& operator=(const Session&) = delete;

    int open(const std::string& path, bool readOnly);
    int add();
    void home(int doc);
    void endKey(int doc);
    void insertBreak(int doc);
    void insertFile(int doc, const std::string& path);
    int pageCount(int doc);
    // 0, or the number of the first index (tables of contents first, in
    // LibreOffice's order) or of the text fields (counted as one, after the
    // indexes) that could not be updated.
    int updateFields(int doc);
    void saveAs(int doc, const std::string& path);
    void print(int doc);
    void close(int doc);
    std::string fullName(int doc);
    // The body text, paragraphs joined by newlines (Range.Text of Content).
    std::string text(int doc);

    // The split in Word's terms: the page holding the insertion point, moving
    // it to the next page, a page run to the clipboard and the clipboard into
    // a document. The page copies are the very pieces `split` writes.
    int currentPage(int doc);
    void nextPage(int doc);
    void copy(int doc, int first, int last);
    void paste(int doc);

    void savePages(int doc, int first, int last, const std::string& path);
    // One page written to PATH, from pieces cut once for every page in
    // PATH's format: a page-by-page save costs what one split does. The
    // first save starts the cut and returns once its page is written; the
    // later ones wait only for their own page while the rest are cut.
    void savePage(int doc, int page, const std::string& path);
    // Starts that cut before the first page is asked for, in the format
    // `extension` names, so it goes on while the client walks the pages. A
    // page asked for in that format takes it over; any other request first
    // stops it and throws its pieces away. Nothing happens for an extension
    // no filter writes.
    void cutAhead(int doc, const std::string& extension);
    // One file per page (files == 0) or `files` files of consecutive pages.
    std::vector<std::string> split(const std::string& path, const std::string& folder, int files);

    // Shows the document's file in a LibreOffice window when there is a
    // display; false when there is none.
    bool show(int doc);

    void quit();
    // False once soffice is gone (killed by the watchdog or crashed).
    bool usable() { return office_.alive(); }
    pid_t sofficePid() const { return office_.pid(); }
    Watchdog& watchdog() { return office_.watchdog(); }
    Office& office() { return office_; }

private:
    struct OpenDocument {
        Document doc;
        Reference<css::text::XTextCursor> cursor;  // the insertion point
        std::string fullName;
        std::string file;          // opened from this file and still what it holds while generation is 0
        std::optional<FileStamp> stamp;  // the file's when it was read
        bool readOnly = false;
        bool pristine = false;     // new and untouched: a paste replaces it whole
        unsigned generation = 0;   // bumped by every change, to know when page copies are stale
        int inserted = 0;          // the number the last inserted document's styles were named with
        std::vector<int> printed;  // laid-out numbers of the printed pages, as of printedGeneration
        unsigned printedGeneration = 0;
    };
    // Reset only through dropPages(): the cut must stop before its folder goes.
    struct PageCache {
        int doc = 0;
        unsigned generation = 0;
        std::unique_ptr<TempDir> folder;
        std::vector<std::string> pages;
        std::string extension;
        bool ahead = false;  // started by cutAhead and no page taken yet
        std::unique_ptr<PageCut> cut;  // after the folder it writes into, so it ends first
    };

    // settle() first: nothing else is asked of the office while a cut is under way.
    template <typename F> auto guarded(const std::string& what, F&& body);
    template <typename F> auto translated(F&& body);
    void settle();
    void dropPages();
    bool cutFits(int doc, const std::string& extension);
    // get() reads a document that was handed to a split in again; find() never does.
    OpenDocument& find(int doc);
    OpenDocument& get(int doc);
    int keep(Document doc, const std::string& fullName, bool pristine);
    void changed(OpenDocument& entry);
    Document workingCopy(const OpenDocument& entry);
    const std::vector<int>& printed(OpenDocument& entry);
    Document splitSource(OpenDocument& entry);
    void startCut(int doc, const std::string& extension);
    const std::string& pagePiece(int doc, int page, const std::string& extension);
    std::vector<std::string> writePieces(Document doc, const std::vector<std::pair<int, int>>& runs,
                                         const std::function<std::string(int)>& name);

    Office office_;
    TempDir scratch_;
    std::map<int, OpenDocument> docs_;
    int nextHandle_ = 1;
    unsigned copies_ = 0;
    PageCache cache_;
    // The last document closed as it was read. The program opens each
    // document on its own just before inserting it; the insertion takes this
    // one rather than reading the file a second time.
    struct Closed {
        Document doc;
        std::string file;
        FileStamp stamp;
    };
    std::optional<Closed> closed_;
    Document takeClosed(const std::string& path);
    std::string clipboard_;
    Viewer viewer_;
};

}  // namespace tessaro
