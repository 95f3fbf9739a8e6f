#include "word.h"

#include "text.h"
#include "unix_paths.h"
#include "word_error.h"

#include <algorithm>

namespace wordsrv {

Word::Word(const std::wstring& enginePath) : engine_(enginePath) {}

Fields Word::engine(const Fields& request, const std::string& unixPath, const std::wstring& windowsPath)
{
    if (quit_)
        throw WordError{L"Word 已退出 (the application has quit)"};
    try {
        return engine_.call(request);
    } catch (WordError& e) {
        const std::wstring unix = fromUtf8(unixPath);
        if (!unix.empty())
            for (size_t at = e.text.find(unix); at != std::wstring::npos; at = e.text.find(unix, at + windowsPath.size()))
                e.text.replace(at, unix.size(), windowsPath);
        throw;
    }
}

int Word::keep(const std::string& handle, const std::wstring& fullName)
{
    const int doc = std::stoi(handle);
    names_[doc] = fullName;
    order_.push_back(doc);
    active_ = doc;
    return doc;
}

int Word::open(const std::wstring& path, bool readOnly)
{
    const std::wstring full = fullPath(path);
    const std::string unix = unixPath(full);
    const Fields reply = engine({"open", unix, readOnly ? "1" : "0"}, unix, full);
    return keep(reply.at(0), full);
}

int Word::add() { return keep(engine({"add"}).at(0), std::wstring()); }

void Word::insertFile(int doc, const std::wstring& path)
{
    check(doc);
    const std::wstring full = fullPath(path);
    const std::string unix = unixPath(full);
    engine({"insert_file", std::to_string(doc), unix}, unix, full);
}

void Word::saveAs(int doc, const std::wstring& path)
{
    check(doc);
    const std::wstring full = fullPath(path);
    const std::string unix = unixPath(full);
    engine({"save_as", std::to_string(doc), unix}, unix, full);
    names_[doc] = full;
}

void Word::close(int doc)
{
    check(doc);
    engine({"close", std::to_string(doc)});
    names_.erase(doc);
    order_.erase(std::find(order_.begin(), order_.end(), doc));
    if (active_ == doc)
        active_ = order_.empty() ? 0 : order_.back();
}

int Word::pageCount(int doc)
{
    check(doc);
    return std::stoi(engine({"page_count", std::to_string(doc)}).at(0));
}

const std::wstring& Word::fullName(int doc) const
{
    check(doc);
    return names_.at(doc);
}

void Word::check(int doc) const
{
    if (quit_)
        throw WordError{L"Word 已退出 (the application has quit)"};
    if (!isOpen(doc))
        throw WordError{L"文档已关闭 (the document has been closed)"};
}

int Word::active() const
{
    if (active_ == 0)
        throw WordError{L"没有打开的文档 (no document is open)"};
    return active_;
}

void Word::activate(int doc)
{
    check(doc);
    active_ = doc;
}

void Word::show(bool visible) { visible_ = visible; }

void Word::quit()
{
    if (quit_)
        return;
    engine_.quit();
    quit_ = true;
    names_.clear();
    order_.clear();
    active_ = 0;
}

}  // namespace wordsrv
