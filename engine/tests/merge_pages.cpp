// Proves a merge done elsewhere (by the program through the Word server,
// under Wine, where LibreOffice cannot be reached) on the files it wrote:
//   tessaro-merge-pages corpus FOLDER
//       writes the varied documents a merge must keep, named in merge order
//   tessaro-merge-pages pages MERGED INPUT... [--except PATTERN]...
//       page k of the merged file against page k of the inputs in order
//   tessaro-merge-pages look MERGED INPUT... [--except PATTERN]...
//       the merged text against the inputs' text, character by character
//       with its look, for merges without page breaks
// Prints what it found; exits 0 when the merged file passes, 1 when it does
// not, 2 on bad usage or when something could not be compared at all.
// A difference matching an --except pattern (fnmatch, "*" for anything) is
// a known one; each pattern must then match one, so that a known
// difference that goes away is noticed too.
#include "fixtures.h"
#include "page_compare.h"
#include "protocol/session.h"
#include "files/temp_dir.h"
#include "text_look.h"

#include <algorithm>
#include <filesystem>
#include <fnmatch.h>
#include <iostream>

using namespace tessaro;
using namespace tessaro::test;

namespace {

std::string extension(const std::string& path)
{
    const auto dot = path.rfind('.');
    return dot == std::string::npos ? "" : path.substr(dot + 1);
}

// .doc and .docx results are held to their inputs as each is saved alone in that format.
std::vector<std::string> baselines(Session& session, const std::vector<std::string>& inputs,
                                   const std::string& format, const TempDir& scratch)
{
    if (format != "doc" && format != "docx")
        return inputs;
    return savedAlone(session, inputs, format, scratch.path());
}

bool matches(const std::string& pattern, const std::string& difference)
{
    return ::fnmatch(pattern.c_str(), difference.c_str(), 0) == 0;
}

// 0 when every difference is a known one and every known one was found.
int verdict(const std::vector<std::string>& differences, const std::vector<std::string>& known)
{
    int rc = 0;
    for (const auto& difference : differences)
        if (std::none_of(known.begin(), known.end(), [&](const auto& pattern) { return matches(pattern, difference); })) {
            std::cout << "not a known difference: " << difference << "\n";
            rc = 1;
        }
    for (const auto& pattern : known)
        if (std::none_of(differences.begin(), differences.end(),
                         [&](const auto& difference) { return matches(pattern, difference); })) {
            std::cout << "known difference not found: " << pattern << "\n";
            rc = 1;
        }
    return rc;
}

int comparePagesOf(Session& session, const std::string& merged, const std::vector<std::string>& inputs,
                   const std::vector<std::string>& known)
{
    TempDir scratch("tessaro-merge-pages");
    std::vector<std::vector<PageLook>> sources;
    for (const auto& source : baselines(session, inputs, extension(merged), scratch))
        sources.push_back(layOut(session, source, scratch.path()));
    const Comparison comparison = comparePages(sources, layOut(session, merged, scratch.path()));
    std::cout << merged << ": " << comparison.report() << "\n";
    return verdict(comparison.differences, known);
}

int compareLookOf(Session& session, const std::string& merged, const std::vector<std::string>& inputs,
                  const std::vector<std::string>& known)
{
    TempDir scratch("tessaro-merge-pages");
    std::vector<LookedText> sources;
    for (const auto& source : baselines(session, inputs, extension(merged), scratch))
        sources.push_back(readTextLook(session.office(), source));
    const LookComparison comparison = compareTextLook(sources, readTextLook(session.office(), merged));
    std::cout << merged << ": " << comparison.report() << "\n";
    return verdict(comparison.differences, known);
}

}  // namespace

int main(int argc, char** argv)
{
    const std::vector<std::string> args(argv + 1, argv + argc);
    const std::string mode = args.empty() ? "" : args[0];
    std::vector<std::string> files, known;
    for (size_t i = 1; i < args.size(); ++i) {
        if (args[i] == "--except" && i + 1 < args.size())
            known.push_back(args[++i]);
        else
            files.push_back(std::filesystem::absolute(args[i]).string());
    }
    const bool usable = (mode == "corpus" && files.size() == 1) || ((mode == "pages" || mode == "look") && files.size() >= 2);
    if (!usable) {
        std::cerr << "usage: tessaro-merge-pages corpus FOLDER\n"
                     "       tessaro-merge-pages pages|look MERGED INPUT... [--except PATTERN]...\n";
        return 2;
    }
    try {
        Session session(std::chrono::seconds(120));
        if (mode == "corpus") {
            for (const auto& path : writeCorpus(session.office(), files[0]))
                std::cout << path << "\n";
            return 0;
        }
        const std::vector<std::string> inputs(files.begin() + 1, files.end());
        return mode == "pages" ? comparePagesOf(session, files[0], inputs, known)
                               : compareLookOf(session, files[0], inputs, known);
    } catch (const std::exception& e) {
        std::cerr << "tessaro-merge-pages: " << e.what() << "\n";
    } catch (const css::uno::Exception& e) {
        std::cerr << "tessaro-merge-pages: " << utf8(e.Message) << "\n";
    }
    return 2;
}
