#pragma once
#include "office/uno_util.h"

#include <com/sun/star/frame/XDesktop2.hpp>
#include <com/sun/star/frame/XModel.hpp>
#include <com/sun/star/lang/XComponent.hpp>
#include <com/sun/star/lang/XServiceInfo.hpp>
#include <com/sun/star/text/XPageCursor.hpp>
#include <com/sun/star/text/XTextDocument.hpp>

#include <optional>
#include <string>
#include <sys/types.h>
#include <vector>

namespace tessaro {

// Owns one loaded document and closes it without saving when it goes, on
// every path. Moving hands the document over explicitly: a defaulted move of
// uno::Reference copies, and the moved-from owner would close it.
class Document {
public:
    Document() = default;
    explicit Document(Reference<css::lang::XComponent> component);
    ~Document();
    Document(Document&& other) noexcept;
    Document& operator=(Document&& other) noexcept;
    Document(const Document&) = delete;
    Document& operator=(const Document&) = delete;

    bool loaded() const { return component_.is(); }
    Reference<css::text::XTextDocument> text() const;
    const Reference<css::lang::XComponent>& component() const { return component_; }
    void close();

private:
    Reference<css::lang::XComponent> component_;
};

// While it lives, edits to the document are not laid out one by one: the
// layout is brought up to date once, when it goes.
class LockedControllers {
public:
    explicit LockedControllers(const Document& doc);
    ~LockedControllers();
    LockedControllers(const LockedControllers&) = delete;
    LockedControllers& operator=(const LockedControllers&) = delete;

private:
    Reference<css::frame::XModel> model_;
};

// Loads a Writer document hidden, with macros off and every dialog answered
// "abort". Missing, damaged, truncated, password-protected and non-Writer
// files are refused with the reason; nothing is ever opened as plain text.
Document loadDocument(const Reference<css::frame::XDesktop2>& desktop, const std::string& path, bool readOnly);
Document loadUrl(const Reference<css::frame::XDesktop2>& desktop, const rtl::OUString& url, bool asTemplate);
Document newDocument(const Reference<css::frame::XDesktop2>& desktop);

// Writes `doc` at `path` in the format named by the path's extension; the
// folder must exist (LibreOffice would silently create it).
void storeDocument(const Document& doc, const std::string& path);
void storeScratch(const Document& doc, const std::string& path);

// A paragraph or table of a text: whether it is the table.
bool isTable(const Reference<css::lang::XServiceInfo>& block);

// A new empty paragraph before or after a paragraph or table of the body.
void insertParagraph(const Document& doc, const Reference<css::text::XTextContent>& block, bool after);

// An inserted document's last paragraph is joined to the paragraph the
// cursor stood in and takes that paragraph's direct formatting: one empty
// paragraph more at the end of the inserted copy takes the loss, and the empty
// one left at the end of the target afterwards is removed.
void appendParagraph(const Document& doc);
void removeEmptyLastParagraph(const Document& doc);

// Both paths name one existing file (through links and other spellings too).
bool sameFile(const std::string& a, const std::string& b);

// Which file a path names and when it last changed: a document read from the
// file still holds what the file holds while its stamp stays the same.
struct FileStamp {
    dev_t device = 0;
    ino_t inode = 0;
    off_t size = 0;
    long seconds = 0, nanoseconds = 0;
    bool operator==(const FileStamp& other) const
    {
        return device == other.device && inode == other.inode && size == other.size && seconds == other.seconds &&
               nanoseconds == other.nanoseconds;
    }
};
std::optional<FileStamp> fileStamp(const std::string& path);

// The export filter for a file name's extension, or empty if unsupported.
std::string filterForPath(const std::string& path);

// The document's pages are the ones it prints: LibreOffice also lays out a
// blank page where a page number of the other parity must start, which no
// file format keeps, PDF export leaves out and Word never shows. These are
// the view cursor's numbers of the printed pages, in order.
std::vector<int> printedPages(const Document& doc);
int pageCount(const Document& doc);
// Lays the whole document out; the number of pages laid out, blank ones included.
int completeLayout(const Document& doc);
// Leaves the view cursor at the start of laid-out page `page`, if it is printed.
bool isPrintedPage(const Reference<css::text::XPageCursor>& pages, int page);

}  // namespace tessaro

namespace tessaro {

// Recomputes a table of contents or other index.
void updateIndex(const css::uno::Any& index);

}  // namespace tessaro
