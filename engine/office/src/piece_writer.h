#pragma once
#include "page_marks.h"
#include "splitter.h"
#include "temp_dir.h"

#include <com/sun/star/uno/XComponentContext.hpp>

#include <functional>
#include <mutex>
#include <string>
#include <vector>

namespace tessaro {

// The piece files a split has begun to write, so that a failed split takes
// them all away again. Two offices write at once.
class WrittenFiles {
public:
    void add(const std::string& path);
    void removeAll();

private:
    std::mutex mutex_;
    std::vector<std::string> paths_;
};

// Cuts pieces out of working copies of a marked document in one office.
class PieceWriter {
public:
    using Step = std::function<void(const std::string&)>;

    PieceWriter(const Reference<css::uno::XComponentContext>& context, const PageMap& map,
                const std::vector<PagePiece>& pieces, const TempDir& scratch, WrittenFiles& written, Step step);

    // Writes pieces i..j from `file`, a working copy holding original pages docFirst..docLast.
    void write(const std::string& file, int docFirst, int docLast, size_t i, size_t j);

private:
    const Reference<css::uno::XComponentContext>& context_;
    const PageMap& map_;
    const std::vector<PagePiece>& pieces_;
    const TempDir& scratch_;
    WrittenFiles& written_;
    Step step_;
};

}  // namespace tessaro
