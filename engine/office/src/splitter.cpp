#include "splitter.h"

#include "engine_error.h"
#include "page_marks.h"
#include "page_slicer.h"
#include "piece_writer.h"
#include "second_office.h"
#include "working_copy.h"

#include <memory>
#include <optional>

namespace tessaro {

namespace {

// Below this many pages a second soffice costs more to start than it saves
// (measured on two busy cores: 0.96x at 80 pages, 1.18x at 100, 1.35x at 120).
constexpr int kTwoOfficesFrom = 100;

void checkRanges(const std::vector<PagePiece>& pieces, const PageMap& map)
{
    for (const PagePiece& piece : pieces)
        if (piece.first < 1 || piece.last < piece.first || piece.last > map.count())
            throw EngineError("页码超出范围 (pages " + std::to_string(piece.first) + "-" +
                              std::to_string(piece.last) + " of " + std::to_string(map.count()) + ")");
}

bool useTwoOffices(const std::vector<PagePiece>& pieces, Offices offices)
{
    if (pieces.size() < 2 || offices == Offices::One)
        return false;
    return offices == Offices::Two || pieces.back().last - pieces.front().first + 1 >= kTwoOfficesFrom;
}

void writeAll(Document doc, const std::vector<PagePiece>& pieces, Office& office, Offices offices,
              StagedFiles& staged)
{
    // Declared before the second office, which uses them until it is gone.
    TempDir scratch("tessaro-split");
    PageMap map;
    std::optional<PageSlicer> slicer;
    std::optional<PieceQueue> queue;
    // Started first: its soffice starts up while this one marks the pages.
    std::unique_ptr<SecondOffice> second;
    if (useTwoOffices(pieces, offices))
        second = std::make_unique<SecondOffice>(office.watchdog().limit());
    auto step = [&](const std::string& what) {
        if (second)
            second->throwIfFailed();
        office.watchdog().kick(what);
    };

    step("page layout");
    map = markPages(doc);
    checkRanges(pieces, map);
    const std::string marked = scratch.file("marked.fodt");
    step("working copy");
    storeWorkingCopy(doc, marked);
    doc.close();

    slicer.emplace(marked, map);
    queue.emplace(*slicer, pieces, scratch, staged);
    if (second)
        second->start(*queue);
    queue->work(office.context(), step);
    if (second)
        second->finish([&] { office.watchdog().kick("waiting for the second office"); });
}

}  // namespace

void splitPieces(Document doc, const std::vector<PagePiece>& pieces, Office& office, Offices offices)
{
    if (pieces.empty())
        throw EngineError("没有要写出的页 (no pages requested)");
    StagedFiles staged;
    writeAll(std::move(doc), pieces, office, offices, staged);
    staged.commit();
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
