#pragma once
#include "page_marks.h"
#include "splitter.h"
#include "temp_dir.h"

#include <com/sun/star/uno/XComponentContext.hpp>

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
    StagedFiles() = default;
    ~StagedFiles();
    StagedFiles(const StagedFiles&) = delete;
    StagedFiles& operator=(const StagedFiles&) = delete;

    // Where to write the piece that belongs at `path`.
    std::string stage(const std::string& path);
    // Moves every staged piece to its place.
    void commit();

private:
    std::mutex mutex_;
    std::map<std::string, std::string> folders_;                // output folder -> its staging folder
    std::vector<std::pair<std::string, std::string>> pieces_;  // staged path, final path
};

// Cuts pieces out of working copies of a marked document in one office.
class PieceWriter {
public:
    using Step = std::function<void(const std::string&)>;

    PieceWriter(const Reference<css::uno::XComponentContext>& context, const PageMap& map,
                const std::vector<PagePiece>& pieces, const TempDir& scratch, StagedFiles& staged, Step step);

    // Writes pieces i..j from `file`, a working copy holding original pages docFirst..docLast.
    void write(const std::string& file, int docFirst, int docLast, size_t i, size_t j);

private:
    const Reference<css::uno::XComponentContext>& context_;
    const PageMap& map_;
    const std::vector<PagePiece>& pieces_;
    const TempDir& scratch_;
    StagedFiles& staged_;
    Step step_;
};

}  // namespace tessaro
