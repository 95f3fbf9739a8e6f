#include "document/document.h"
#include "engine_error.h"
#include "protocol/server.h"
#include "protocol/session.h"
#include "office/viewer.h"

#include <cstdlib>
#include <cstring>
#include <iostream>
#include <string>
#include <unistd.h>
#include <vector>

using namespace tessaro;

namespace {

constexpr const char* kUsage =
    "usage: tessaro-engine merge [--no-break] [--no-update] OUT IN...\n"
    "       tessaro-engine split [--files N] IN OUTDIR\n"
    "       tessaro-engine pages FILE...\n"
    "       tessaro-engine serve   (TESSARO_ENGINE_PORT, TESSARO_ENGINE_TOKEN)\n"
    "       tessaro-engine close-viewer\n";

// People type relative paths; LibreOffice wants absolute ones.
std::string absolute(const std::string& path)
{
    if (path.empty() || path[0] == '/')
        return path;
    std::vector<char> cwd(4096);
    if (!::getcwd(cwd.data(), cwd.size()))
        throw EngineError("cannot read the current folder");
    return std::string(cwd.data()) + "/" + path;
}

std::vector<std::string> absolute(std::vector<std::string> paths)
{
    for (auto& path : paths)
        path = absolute(path);
    return paths;
}

std::chrono::milliseconds callLimit()
{
    const char* text = std::getenv("TESSARO_ENGINE_CALL_TIMEOUT");
    const int seconds = text ? std::atoi(text) : 0;
    return std::chrono::seconds(seconds > 0 ? seconds : 60);
}

int merge(std::vector<std::string> args)
{
    bool breaks = true;
    bool update = true;
    while (!args.empty() && args[0].rfind("--", 0) == 0) {
        if (args[0] == "--no-break")
            breaks = false;
        else if (args[0] == "--no-update")
            update = false;
        else
            throw EngineError("unknown option " + args[0]);
        args.erase(args.begin());
    }
    if (args.size() < 2)
        throw EngineError(kUsage);
    args = absolute(args);
    for (size_t i = 1; i < args.size(); ++i)
        if (sameFile(args[0], args[i]))
            throw EngineError("输出文件不能是要合并的文档 (the output is one of the inputs): " + args[0]);
    Session session(callLimit());
    const int doc = session.open(args[1], true);
    for (size_t i = 2; i < args.size(); ++i) {
        session.endKey(doc);
        if (breaks)
            session.insertBreak(doc);
        session.insertFile(doc, args[i]);
    }
    const int pages = session.pageCount(doc);
    if (update)
        if (const int failed = session.updateFields(doc))
            std::cerr << "无法更新第 " << failed << " 个域 (field or index " << failed << " not updated)\n";
    session.saveAs(doc, args[0]);
    std::cout << "merged " << args.size() - 1 << " documents into " << args[0] << ": " << pages << " pages\n";
    return 0;
}

int split(std::vector<std::string> args)
{
    int files = 0;
    if (args.size() == 4 && args[0] == "--files") {
        files = number(args[1]);
        if (files < 1)
            throw EngineError("文件数必须大于 0 (the number of files must be at least 1): " + args[1]);
        args.erase(args.begin(), args.begin() + 2);
    }
    if (args.size() != 2)
        throw EngineError(kUsage);
    args = absolute(args);
    Session session(callLimit());
    const auto written = session.split(args[0], args[1], files);
    for (const auto& path : written)
        std::cout << path << "\n";
    std::cout << "split " << args[0] << " into " << written.size() << " files\n";
    return 0;
}

int pages(const std::vector<std::string>& args)
{
    if (args.empty())
        throw EngineError(kUsage);
    Session session(callLimit());
    for (const auto& path : absolute(args)) {
        const int doc = session.open(path, true);
        std::cout << path << ": " << session.pageCount(doc) << " pages\n";
        session.close(doc);
    }
    return 0;
}

}  // namespace

int main(int argc, char** argv)
{
    const std::string command = argc > 1 ? argv[1] : "";
    const std::vector<std::string> args(argv + std::min(argc, 2), argv + argc);
    try {
        if (command == "merge")
            return merge(args);
        if (command == "split")
            return split(args);
        if (command == "pages")
            return pages(args);
        if (command == "serve")
            return serve(endpointFromEnvironment(), callLimit());
        if (command == "close-viewer") {
            if (Viewer::close())
                return 0;
            std::cerr << "tessaro-engine: LibreOffice 窗口仍未关闭 (the viewer is still open, perhaps asking about "
                         "unsaved changes)\n";
            return 1;
        }
        std::cerr << kUsage;
        return 2;
    } catch (const std::exception& e) {
        std::cerr << "tessaro-engine: " << e.what() << "\n";
        return 1;
    }
}
