#include "split/piece_writer.h"

#include "files/remove_tree.h"
#include "engine_error.h"
#include "document/working_copy.h"

#include <cerrno>
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
// cause of a failed write, and the one the user can do something about.
void requireFolderOf(const std::string& path)
{
    struct stat st {};
    const std::string folder = folderOf(path);
    if (::stat(folder.c_str(), &st) != 0 || !S_ISDIR(st.st_mode))
        throw EngineError("输出文件夹不存在 (output folder not found): " + folder);
}

[[noreturn]] void cannotWrite(const std::string& path)
{
    const int error = errno;
    requireFolderOf(path);
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
    if (inPlace_)
        return path;
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

PieceQueue::PieceQueue(const PageSlicer& slicer, const std::vector<PagePiece>& pieces, const TempDir& scratch,
                       StagedFiles& staged, Written written)
    : slicer_(slicer), pieces_(pieces), scratch_(scratch), staged_(staged), written_(std::move(written))
{
}

void PieceQueue::work(const Reference<css::uno::XComponentContext>& context, const Step& step)
{
    for (size_t k = next_++; k < pieces_.size(); k = next_++) {
        const PagePiece& piece = pieces_[k];
        const std::string pages = std::to_string(piece.first) + "-" + std::to_string(piece.last);
        const std::string run = scratch_.file("pages-" + pages + ".fodt");
        step("cut pages " + pages);
        slicer_.write(piece.first, piece.last, run);
        step("open pages " + pages);
        Document part = loadWorkingCopy(context, run);
        step("save " + piece.path);
        try {
            storeDocument(part, staged_.stage(piece.path));
        } catch (const EngineError&) {
            // The staging folder goes with the output folder, and the office
            // may be the one to notice.
            requireFolderOf(piece.path);
            throw;
        }
        if (written_)
            written_(k);
        part.close();
        std::remove(run.c_str());
    }
}

}  // namespace tessaro
