#include "page_compare.h"

#include "pdf_text.h"

#include <algorithm>
#include <cctype>
#include <cstdio>
#include <cstdlib>
#include <dirent.h>
#include <map>
#include <memory>
#include <stdexcept>

namespace tessaro::test {

namespace {

// Low enough to be quick on a thousand pages, high enough that a different
// font size or a moved line shows.
constexpr int kDpi = 50;
// Page numbers live in the header and footer, the outer sixth of the page.
constexpr double kNumberBand = 1.0 / 6;
// Grey levels two pixels may differ by and still count as the same ink.
constexpr int kInkTolerance = 48;
// Differing pixels a page may have: a glyph at this resolution is ~40.
constexpr int kPixelTolerance = 12;

std::string attribute(const std::string& tag, const std::string& name)
{
    const auto at = tag.find(" " + name + "=\"");
    if (at == std::string::npos)
        return {};
    const auto start = at + name.size() + 3;
    return tag.substr(start, tag.find('"', start) - start);
}

std::string unescape(const std::string& text)
{
    static const std::pair<const char*, const char*> kEntities[] = {
        {"&amp;", "&"}, {"&lt;", "<"}, {"&gt;", ">"}, {"&quot;", "\""}, {"&apos;", "'"}};
    std::string out = text;
    for (const auto& [entity, plain] : kEntities)
        for (auto at = out.find(entity); at != std::string::npos; at = out.find(entity, at + 1))
            out.replace(at, std::string(entity).size(), plain);
    return out;
}

bool hasDigit(const std::string& word)
{
    return std::any_of(word.begin(), word.end(), [](unsigned char c) { return std::isdigit(c); });
}

std::string maskDigits(const std::string& word)
{
    std::string out;
    for (char c : word)
        if (!std::isdigit(static_cast<unsigned char>(c)))
            out += c;
        else if (out.empty() || out.back() != '#')
            out += '#';
    return out;
}

// Words and page-number boxes from pdftotext's word boxes.
std::vector<PageLook> readWords(const std::string& pdf)
{
    const std::string html = run("pdftotext -q -bbox '" + pdf + "' -", 600);
    std::vector<PageLook> pages;
    double pageHeight = 0;
    for (size_t at = html.find('<'); at != std::string::npos; at = html.find('<', at + 1)) {
        const size_t end = html.find('>', at);
        const std::string tag = html.substr(at, end - at + 1);
        if (tag.rfind("<page ", 0) == 0) {
            pages.emplace_back();
            pageHeight = std::atof(attribute(tag, "height").c_str());
        } else if (tag.rfind("<word ", 0) == 0 && !pages.empty()) {
            const size_t close = html.find("</word>", end);
            std::string word = unescape(html.substr(end + 1, close - end - 1));
            const double top = std::atof(attribute(tag, "yMin").c_str());
            const double bottom = std::atof(attribute(tag, "yMax").c_str());
            const bool band = bottom < pageHeight * kNumberBand || top > pageHeight * (1 - kNumberBand);
            if (band && hasDigit(word)) {
                auto pixel = [](const std::string& value) { return int(std::atof(value.c_str()) * kDpi / 72); };
                pages.back().numbers.push_back(
                    {pixel(attribute(tag, "xMin")) - 2, int(top * kDpi / 72) - 2, pixel(attribute(tag, "xMax")) + 2,
                     int(bottom * kDpi / 72) + 2});
                word = maskDigits(word);
            }
            pages.back().text += word;
        }
    }
    return pages;
}

void readPicture(const std::string& pgm, PageLook& page)
{
    const std::string bytes = readBytes(pgm);
    int width = 0, height = 0, maxValue = 0, used = 0;
    if (std::sscanf(bytes.c_str(), "P5 %d %d %d%n", &width, &height, &maxValue, &used) != 3 || maxValue != 255 ||
        bytes.size() < size_t(used) + 1 + size_t(width) * size_t(height))
        throw std::runtime_error("unreadable page picture " + pgm);
    page.width = width;
    page.height = height;
    page.pixels.assign(bytes.begin() + used + 1, bytes.begin() + used + 1 + long(width) * height);
}

// pdftoppm numbers its files with as many digits as the last page needs.
std::map<int, std::string> picturesIn(const std::string& folder, const std::string& prefix)
{
    std::map<int, std::string> files;
    std::unique_ptr<DIR, int (*)(DIR*)> dir(opendir(folder.c_str()), closedir);
    while (dirent* entry = readdir(dir.get())) {
        const std::string name = entry->d_name;
        if (name.rfind(prefix + "-", 0) == 0 && name.size() > 4 && name.substr(name.size() - 4) == ".pgm")
            files[std::atoi(name.c_str() + prefix.size() + 1)] = folder + "/" + name;
    }
    return files;
}

bool masked(const PageLook& a, const PageLook& b, int x, int y)
{
    for (const PageLook* page : {&a, &b})
        for (const auto& box : page->numbers)
            if (x >= box.left && x <= box.right && y >= box.top && y <= box.bottom)
                return true;
    return false;
}

// A pixel differs when nothing within one pixel of it in the other picture has its grey.
bool differs(const PageLook& a, const PageLook& b, int x, int y)
{
    const int grey = a.pixels[size_t(y) * size_t(a.width) + size_t(x)];
    for (int dy = -1; dy <= 1; ++dy)
        for (int dx = -1; dx <= 1; ++dx) {
            const int nx = x + dx, ny = y + dy;
            if (nx >= 0 && ny >= 0 && nx < b.width && ny < b.height &&
                std::abs(grey - b.pixels[size_t(ny) * size_t(b.width) + size_t(nx)]) <= kInkTolerance)
                return false;
        }
    return true;
}

int differingPixels(const PageLook& a, const PageLook& b)
{
    int count = 0;
    for (int y = 0; y < a.height; ++y)
        for (int x = 0; x < a.width; ++x)
            if (!masked(a, b, x, y) && (differs(a, b, x, y) || differs(b, a, x, y)))
                ++count;
    return count;
}

}  // namespace

std::vector<std::string> savedAlone(Session& session, const std::vector<std::string>& inputs,
                                    const std::string& format, const std::string& scratch)
{
    std::vector<std::string> copies;
    for (const auto& input : inputs) {
        copies.push_back(scratch + "/alone-" + std::to_string(copies.size() + 1) + "." + format);
        const int doc = session.open(input, true);
        session.saveAs(doc, copies.back());
        session.close(doc);
    }
    return copies;
}

std::vector<PageLook> layOut(Session& session, const std::string& document, const std::string& scratch)
{
    static int serial = 0;
    const std::string name = "look-" + std::to_string(++serial);
    const std::string pdf = scratch + "/" + name + ".pdf";
    const int doc = session.open(document, true);
    session.saveAs(doc, pdf);
    session.close(doc);

    std::vector<PageLook> pages = readWords(pdf);
    run("pdftoppm -q -gray -r " + std::to_string(kDpi) + " '" + pdf + "' '" + scratch + "/" + name + "'", 600);
    const auto pictures = picturesIn(scratch, name);
    if (pictures.size() != pages.size())
        throw std::runtime_error("page pictures do not match the pages of " + document);
    size_t k = 0;
    for (const auto& [number, file] : pictures) {
        readPicture(file, pages[k++]);
        std::remove(file.c_str());
    }
    std::remove(pdf.c_str());
    return pages;
}

std::string pageDifference(const PageLook& expected, const PageLook& actual)
{
    if (expected.width != actual.width || expected.height != actual.height)
        return "page size " + std::to_string(actual.width) + "x" + std::to_string(actual.height) + " instead of " +
               std::to_string(expected.width) + "x" + std::to_string(expected.height);
    if (expected.text != actual.text)
        return "text \"" + actual.text + "\" instead of \"" + expected.text + "\"";
    if (expected.pixels == actual.pixels)
        return {};
    const int pixels = differingPixels(expected, actual);
    if (pixels > kPixelTolerance)
        return std::to_string(pixels) + " pixels differ";
    return {};
}

Comparison comparePages(const std::vector<std::vector<PageLook>>& sources, const std::vector<PageLook>& result)
{
    Comparison comparison;
    size_t k = 0;
    for (size_t s = 0; s < sources.size(); ++s)
        for (size_t p = 0; p < sources[s].size(); ++p, ++k) {
            ++comparison.total;
            const std::string where = "page " + std::to_string(k + 1) + " (document " + std::to_string(s + 1) +
                                      " page " + std::to_string(p + 1) + "): ";
            if (k >= result.size()) {
                comparison.differences.push_back(where + "missing");
                continue;
            }
            const std::string difference = pageDifference(sources[s][p], result[k]);
            if (difference.empty())
                ++comparison.same;
            else
                comparison.differences.push_back(where + difference);
        }
    if (result.size() > k)
        comparison.differences.push_back(std::to_string(result.size() - k) + " pages more than the sources have");
    return comparison;
}

std::string Comparison::report() const
{
    std::string out = "pages that look as in their source: " + std::to_string(same) + " of " + std::to_string(total);
    for (const auto& difference : differences)
        out += "\n  " + difference;
    return out;
}

}  // namespace tessaro::test
