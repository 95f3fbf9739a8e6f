#include "splitter.h"

#include "engine_error.h"
#include "page_cutter.h"
#include "page_marks.h"

#include <cstdio>

namespace tessaro {

namespace {

class Splitter {
public:
    Splitter(const std::vector<PagePiece>& pieces, const TempDir& scratch,
             const Reference<css::frame::XDesktop2>& desktop, const std::function<void(const std::string&)>& step)
        : pieces_(pieces), scratch_(scratch), desktop_(desktop), step_(step)
    {
    }

    void run(Document doc)
    {
        step_("page layout");
        map_ = markPages(doc);
        for (const PagePiece& piece : pieces_)
            if (piece.first < 1 || piece.last < piece.first || piece.last > map_.count())
                throw EngineError("页码超出范围 (pages " + std::to_string(piece.first) + "-" +
                                  std::to_string(piece.last) + " of " + std::to_string(map_.count()) + ")");
        split(std::move(doc), 0, pieces_.size() - 1, 1, map_.count());
    }

private:
    // `doc` holds original pages docFirst..docLast and is cut to pieces i..j.
    void split(Document doc, size_t i, size_t j, int docFirst, int docLast)
    {
        const int first = pieces_[i].first;
        const int last = pieces_[j].last;
        if (i == j) {
            step_("cut " + pieces_[i].path);
            keepPages(doc, map_, docFirst, docLast, first, last);
            removeMarks(doc);
            step_("save " + pieces_[i].path);
            storeDocument(doc, pieces_[i].path);
            return;
        }
        const size_t middle = (i + j) / 2;
        const std::string copy = scratch_.file("part-" + std::to_string(i) + "-" + std::to_string(j) + ".odt");
        step_("copy pages " + std::to_string(first) + "-" + std::to_string(last));
        storeScratch(doc, copy);
        {
            step_("cut pages " + std::to_string(first) + "-" + std::to_string(pieces_[middle].last));
            keepPages(doc, map_, docFirst, docLast, first, pieces_[middle].last);
            split(std::move(doc), i, middle, first, pieces_[middle].last);
        }
        step_("reopen pages " + std::to_string(first) + "-" + std::to_string(last));
        Document rest = loadUrl(desktop_, fileUrl(copy), false);
        std::remove(copy.c_str());
        keepPages(rest, map_, docFirst, docLast, pieces_[middle + 1].first, last);
        split(std::move(rest), middle + 1, j, pieces_[middle + 1].first, last);
    }

    const std::vector<PagePiece>& pieces_;
    const TempDir& scratch_;
    const Reference<css::frame::XDesktop2>& desktop_;
    const std::function<void(const std::string&)>& step_;
    PageMap map_;
};

}  // namespace

void splitPieces(Document doc, const std::vector<PagePiece>& pieces, const TempDir& scratch,
                 const Reference<css::frame::XDesktop2>& desktop, const std::function<void(const std::string&)>& step)
{
    if (pieces.empty())
        throw EngineError("没有要写出的页 (no pages requested)");
    Splitter(pieces, scratch, desktop, step).run(std::move(doc));
}

std::vector<std::pair<int, int>> evenRuns(int pages, int files)
{
    if (files < 1)
        throw EngineError("文件数必须大于 0 (the number of files must be at least 1)");
    if (files > pages)
        throw EngineError("文件数多于页数 (" + std::to_string(files) + " files for " + std::to_string(pages) +
                          " pages)");
    std::vector<std::pair<int, int>> runs;
    int next = 1;
    for (int k = 0; k < files; ++k) {
        const int length = pages / files + (k < pages % files ? 1 : 0);
        runs.emplace_back(next, next + length - 1);
        next += length;
    }
    return runs;
}

}  // namespace tessaro
