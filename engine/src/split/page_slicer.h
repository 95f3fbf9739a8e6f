#pragma once
#include "split/page_marks.h"

#include <map>
#include <memory>
#include <string>
#include <vector>

struct _xmlDoc;
struct _xmlNode;

namespace tessaro {

// Cuts runs of pages out of a marked working copy (see markPages) as flat
// ODF text, without an office: the marks say where each page begins, so a
// run is the XML between two marks, with the paragraphs and tables the
// marks fall in cut there and the elements around them (sections, lists,
// tables' columns and heading rows) kept. Every run keeps the document's
// styles, page styles and headers, and its first paragraph or table is given
// the page style and number its page had. The office is left to read a run
// and write it in the format asked for, which is the least a split costs.
//
// Of the automatic styles a run keeps only those its text, the page styles
// and headers name, directly or through other styles: a long document edited
// over years can have thousands (one for every mix of direct formatting and
// revision ids), and reading them all again for every page would cost the
// office more than the page itself.
//
// Reading the copy costs once for the document; a run then costs only its
// own text. Runs may be cut from several threads at once.
class PageSlicer {
public:
    PageSlicer(const std::string& markedFlatOdf, const PageMap& map);
    ~PageSlicer();
    PageSlicer(const PageSlicer&) = delete;
    PageSlicer& operator=(const PageSlicer&) = delete;

    // Pages first..last (1-based) as a flat ODF document.
    std::string slice(int first, int last) const;
    void write(int first, int last, const std::string& path) const;

private:
    struct Cut;
    struct Edit;
    struct AutoStyle;
    class Writer;
    using Names = std::vector<std::string>;

    Cut cutAt(int page) const;
    std::string firstStyle(const Cut& cut, int page, std::vector<Edit>& edits, Names& names) const;
    void markUsed(Names names, std::vector<bool>& used) const;
    std::string usedStyles(Names names) const;
    const std::string& master(const std::string& pageStyle) const;
    void index(_xmlNode* node);
    void buildSkeleton();

    const PageMap& map_;
    std::unique_ptr<_xmlDoc, void (*)(_xmlDoc*)> doc_;
    _xmlNode* body_ = nullptr;       // office:text
    _xmlNode* autoStyles_ = nullptr;  // office:automatic-styles
    std::map<std::string, _xmlNode*> marks_;
    std::map<std::string, _xmlNode*> automatic_;   // "family/name" -> automatic style
    std::map<std::string, std::string> masters_;  // page style name -> its master page's XML name
    std::vector<_xmlNode*> pageAnchored_;         // drawings anchored to a page, children of office:text
    std::vector<AutoStyle> autoStyleList_;        // in the copy's order
    std::multimap<std::string, size_t> autoStyleNamed_;
    std::vector<bool> alwaysUsed_;  // by the parts every run keeps
    std::string beforeStyles_, beforeBody_, afterBody_;
};

}  // namespace tessaro
