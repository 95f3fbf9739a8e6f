#include "pdf_text.h"

#include "engine_error.h"

#include <array>
#include <cctype>
#include <cstdio>
#include <fstream>
#include <memory>
#include <stdexcept>

namespace tessaro::test {

std::string run(const std::string& command, int seconds)
{
    const std::string limited = "timeout -k 5 " + std::to_string(seconds) + " " + command;
    std::unique_ptr<FILE, int (*)(FILE*)> pipe(popen(limited.c_str(), "r"), pclose);
    if (!pipe)
        throw std::runtime_error("cannot run " + command);
    std::string out;
    std::array<char, 4096> buffer;
    size_t n;
    while ((n = fread(buffer.data(), 1, buffer.size(), pipe.get())) > 0)
        out.append(buffer.data(), n);
    return out;
}

std::string readBytes(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    return std::string((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
}

std::string failure(const std::function<void()>& action)
{
    try {
        action();
    } catch (const EngineError& e) {
        return e.what();
    }
    return "no error";
}

std::vector<std::string> pageTexts(Session& session, const std::string& document, const std::string& scratch)
{
    static int serial = 0;
    const std::string pdf = scratch + "/text-" + std::to_string(++serial) + ".pdf";
    const int doc = session.open(document, true);
    session.saveAs(doc, pdf);
    session.close(doc);
    const std::string text = run("pdftotext -q '" + pdf + "' -");
    std::remove(pdf.c_str());
    std::vector<std::string> pages(1);
    for (char c : text) {
        if (c == '\f')
            pages.emplace_back();
        else if (!std::isspace(static_cast<unsigned char>(c)))
            pages.back() += c;
    }
    pages.pop_back();  // pdftotext ends every page, the last one too, with a form feed
    return pages;
}

}  // namespace tessaro::test
