#pragma once
#include "split/page_slicer.h"
#include "split/page_piece.h"
#include "files/temp_dir.h"

#include <com/sun/star/uno/XComponentContext.hpp>

#include <atomic>
#include <functional>
#include <map>
#include <mutex>
#include <string>
#include <vector>

namespace tessaro {

// Piece files are written into a hidden folder beside their place and moved
// there only when every piece is written: a split that fails, or whose
// soffice is killed halfway through a file, changes nothing in the output
// folder. Two offices write at once.
class StagedFiles {
public:
    // In place, each piece is written straight to its path.
    explicit StagedFiles(bool inPlace = false) : inPlace_(inPlace) {}
    ~StagedFiles();
    StagedFiles(const StagedFiles&) = delete;
    StagedFiles& operator=(const StagedFiles&) = delete;

    // Where to write the piece that belongs at `path`.
    std::string stage(const std::string& path);
    // Moves every staged piece to its place.
    void commit();

private:
    const bool inPlace_;
    std::mutex mutex_;
    std::map<std::string, std::string> folders_;                // output folder -> its staging folder
    std::vector<std::pair<std::string, std::string>> pieces_;  // staged path, final path
};

// The pieces of a split, handed out one at a time to the offices that write
// them: each takes the next piece not yet taken, so two offices share the
// work whatever the pieces cost.
class PieceQueue {
public:
    using Step = std::function<void(const std::string&)>;
    using Written = std::function<void(size_t)>;

    // `written`, when given, is told each piece's index once its file is complete.
    PieceQueue(const PageSlicer& slicer, const std::vector<PagePiece>& pieces, const TempDir& scratch,
               StagedFiles& staged, Written written = nullptr);

    // Writes pieces in the office of `context` until none is left.
    void work(const Reference<css::uno::XComponentContext>& context, const Step& step);

private:
    const PageSlicer& slicer_;
    const std::vector<PagePiece>& pieces_;
    const TempDir& scratch_;
    StagedFiles& staged_;
    const Written written_;
    std::atomic<size_t> next_{0};
};

}  // namespace tessaro
