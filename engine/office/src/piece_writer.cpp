#include "piece_writer.h"

#include "engine_error.h"
#include "page_cutter.h"
#include "working_copy.h"

#include <algorithm>
#include <cerrno>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <sys/stat.h>

namespace tessaro {

namespace {

std::string folderOf(const std::string& path)
{
    const auto slash = path.rfind('/');
    return slash == std::string::npos ? "." : path.substr(0, slash);
}

// An output folder removed while the pieces are written is the likelier
// cause, and the one the user can do something about.
[[noreturn]] void cannotWrite(const std::string& path)
{
    const int error = errno;
    struct stat st {};
    const std::string folder = folderOf(path);
    if (::stat(folder.c_str(), &st) != 0 || !S_ISDIR(st.st_mode))
        throw EngineError("输出文件夹不存在 (output folder not found): " + folder);
    throw EngineError("保存失败 (cannot write): " + path + ": " + std::strerror(error));
}

}  // namespace

StagedFiles::~StagedFiles()
{
    for (const auto& [folder, staging] : folders_)
        removeTree(staging);
}

std::string StagedFiles::stage(const std::string& path)
{
    const auto slash = path.rfind('/');
    const std::string folder = slash == std::string::npos ? "." : path.substr(0, slash);
    std::lock_guard<std::mutex> lock(mutex_);
    auto it = folders_.find(folder);
    if (it == folders_.end()) {
        std::string pattern = folder + "/.tessaro-split-XXXXXX";
        if (!mkdtemp(pattern.data()))
            cannotWrite(path);
        it = folders_.emplace(folder, pattern).first;
    }
    pieces_.emplace_back(it->second + path.substr(slash == std::string::npos ? 0 : slash), path);
    return pieces_.back().first;
}

void StagedFiles::commit()
{
    std::lock_guard<std::mutex> lock(mutex_);
    for (const auto& [staged, path] : pieces_)
        if (std::rename(staged.c_str(), path.c_str()) != 0)
            cannotWrite(path);
}

namespace {

// Reading a copy back costs about a fixed 35 ms plus 0.3 ms a page, writing
// one 110 ms plus 0.65 ms a page. Up to some fifty pages, reading the copy
// back once for every piece costs least. Above, groups of pieces are cut
// first, as many as balance reading this copy again against reading the
// smaller copies they leave.
size_t groupsFor(int pages, size_t pieces)
{
    if (pieces < 2 || pages <= 48)
        return pieces;
    const double size = pages;
    const double groups = std::sqrt(static_cast<double>(pieces) * 0.3 * size / (110 + 0.95 * size));
    return std::clamp<size_t>(static_cast<size_t>(std::lround(groups)), 2, pieces);
}

std::string range(int first, int last) { return std::to_string(first) + "-" + std::to_string(last); }

}  // namespace

PieceWriter::PieceWriter(const Reference<css::uno::XComponentContext>& context, const PageMap& map,
                         const std::vector<PagePiece>& pieces, const TempDir& scratch, StagedFiles& staged,
                         Step step)
    : context_(context), map_(map), pieces_(pieces), scratch_(scratch), staged_(staged), step_(std::move(step))
{
}

void PieceWriter::write(const std::string& file, int docFirst, int docLast, size_t i, size_t j)
{
    const size_t count = j - i + 1;
    const size_t groups = groupsFor(docLast - docFirst + 1, count);
    size_t next = i;
    for (size_t g = 0; g < groups; ++g) {
        const size_t gi = next;
        const size_t gj = gi + count / groups + (g < count % groups ? 1 : 0) - 1;
        next = gj + 1;
        const int first = pieces_[gi].first;
        const int last = pieces_[gj].last;
        step_("open pages " + range(docFirst, docLast));
        Document part = loadWorkingCopy(context_, file);
        step_("cut pages " + range(first, last));
        keepPages(part, map_, docFirst, docLast, first, last);
        if (gi == gj) {
            const std::string& path = pieces_[gi].path;
            removeMarks(part);
            step_("save " + path);
            storeDocument(part, staged_.stage(path));
            continue;
        }
        const std::string copy = scratch_.file("pages-" + range(first, last) + ".fodt");
        step_("copy pages " + range(first, last));
        storeWorkingCopy(part, copy);
        part.close();
        write(copy, first, last, gi, gj);
        std::remove(copy.c_str());
    }
}

}  // namespace tessaro
