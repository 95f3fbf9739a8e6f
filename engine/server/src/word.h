#pragma once
#include "engine_link.h"

#include <map>
#include <memory>
#include <string>
#include <vector>

namespace wordsrv {

// What one Word instance holds between calls: the engine, the open documents
// in the order they were opened, the active one (whose insertion point is
// Word's Selection), and the application's settings. Shared by every object
// the instance hands out.
class Word {
public:
    explicit Word(const std::wstring& enginePath);

    // Forwards a request; the engine's Unix paths in an error are given back
    // as the caller's Windows path.
    Fields engine(const Fields& request, const std::string& unixPath = {}, const std::wstring& windowsPath = {});

    int open(const std::wstring& path, bool readOnly);
    int add();
    void insertFile(int doc, const std::wstring& path);
    void saveAs(int doc, const std::wstring& path);
    void close(int doc);
    int pageCount(int doc);
    const std::wstring& fullName(int doc) const;
    bool isOpen(int doc) const { return names_.count(doc) != 0; }
    void check(int doc) const;

    // The document of the active window; Selection acts on it.
    int active() const;
    void activate(int doc);

    void quit();
    bool hasQuit() const { return quit_; }
    // A visible instance holds documents the user is meant to go on with.
    void show(bool visible);
    bool visible() const { return visible_; }
    bool leftOpen() const { return visible_ && !quit_ && !order_.empty(); }

    bool displayAlerts = true;
    long windowState = 0;
    long browserTarget = 1;

private:
    int keep(const std::string& handle, const std::wstring& fullName);

    EngineLink engine_;
    std::map<int, std::wstring> names_;
    std::vector<int> order_;
    int active_ = 0;
    bool quit_ = false;
    bool visible_ = false;
};

using WordPtr = std::shared_ptr<Word>;

}  // namespace wordsrv
