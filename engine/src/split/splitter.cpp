#include "split/splitter.h"

#include "engine_error.h"
#include "split/page_marks.h"
#include "split/page_slicer.h"
#include "split/piece_writer.h"
#include "split/second_office.h"
#include "document/working_copy.h"

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

// `twoOffices` is known before the layout when the pieces are; else the
// pages laid out tell, which are no fewer than the pages the pieces cover.
std::vector<PagePiece> writeAll(Document doc, const PiecePlan& plan, std::optional<bool> twoOffices, Office& office,
                                Offices offices, StagedFiles& staged, const PieceFeed* feed)
{
    // Declared before the second office, which uses them until it is gone.
    TempDir scratch("tessaro-split");
    PageMap map;
    std::vector<PagePiece> pieces;
    std::optional<PageSlicer> slicer;
    std::optional<PieceQueue> queue;
    // Started as early as it is known to pay: its soffice starts up while
    // this one lays out and marks the pages.
    std::unique_ptr<SecondOffice> second;
    auto startSecond = [&] { second = std::make_unique<SecondOffice>(office.watchdog().limit()); };
    if (twoOffices.value_or(false))
        startSecond();
    auto stopIfAsked = [&] {
        if (feed && feed->stopping())
            throw EngineError("分割已中止 (the split was stopped)");
    };
    auto step = [&](const std::string& what) {
        stopIfAsked();
        if (second)
            second->throwIfFailed();
        office.watchdog().kick(what);
    };

    step("page layout");
    if (!twoOffices && offices != Offices::One &&
        (offices == Offices::Two || completeLayout(doc) >= kTwoOfficesFrom))
        startSecond();
    map = markPages(doc);
    pieces = plan(map.count());
    if (pieces.empty())
        throw EngineError("没有要写出的页 (no pages requested)");
    checkRanges(pieces, map);
    const std::string marked = scratch.file("marked.fodt");
    step("working copy");
    storeWorkingCopy(doc, marked);
    doc.close();

    slicer.emplace(marked, map);
    queue.emplace(*slicer, pieces, scratch, staged, feed ? feed->written : nullptr);
    if (second)
        second->start(*queue);
    queue->work(office.context(), step);
    if (second)
        second->finish([&] {
            stopIfAsked();
            office.watchdog().kick("waiting for the second office");
        });
    return pieces;
}

// The pieces take their places only once all are written, unless a feed
// takes them as they come.
std::vector<std::string> writeStaged(Document doc, const PiecePlan& plan, std::optional<bool> twoOffices,
                                     Office& office, Offices offices, const PieceFeed* feed = nullptr)
{
    StagedFiles staged(feed != nullptr);
    const std::vector<PagePiece> pieces = writeAll(std::move(doc), plan, twoOffices, office, offices, staged, feed);
    staged.commit();
    std::vector<std::string> paths;
    for (const PagePiece& piece : pieces)
        paths.push_back(piece.path);
    return paths;
}

}  // namespace

std::vector<std::string> splitPieces(Document doc, const std::vector<PagePiece>& pieces, Office& office,
                                     Offices offices, const PieceFeed* feed)
{
    return writeStaged(std::move(doc), [&](int) { return pieces; }, useTwoOffices(pieces, offices), office, offices,
                       feed);
}

std::vector<std::string> splitPages(Document doc, const PiecePlan& plan, Office& office, Offices offices)
{
    return writeStaged(std::move(doc), plan, std::nullopt, office, offices);
}

std::vector<PagePiece> piecesOf(const std::vector<std::pair<int, int>>& runs,
                                const std::function<std::string(int)>& name)
{
    std::vector<PagePiece> pieces;
    for (size_t k = 0; k < runs.size(); ++k)
        pieces.push_back({runs[k].first, runs[k].second, name(static_cast<int>(k) + 1)});
    return pieces;
}

}  // namespace tessaro
