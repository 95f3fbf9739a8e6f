// tessaro-word-look: reads .docx files as Word does and compares them, for
// scripts and for people looking at a failed split or merge.
//   show FILE                              the look of every paragraph, section, setting
//   check FILE                             the package's integrity
//   page SOURCE PAGE [--number N] [--first]  a page file against its source page
//   merged MERGED INPUT... [--run-on]      a merged file against its inputs
//   same EXPECTED GOT                      two documents that should look the same
//   corpus FOLDER                          writes the test corpus, one path a line
// Exit status: 0 alike (or clean), 1 with a report when not, 2 when the
// files cannot be read or the command is wrong.
#include "word_corpus/word_corpus.h"
#include "word_look/compare.h"
#include "word_look/integrity.h"
#include "word_look/utf.h"
#include "word_look/word_look.h"

#include <cstring>
#include <iostream>

using namespace tessaro::test;

namespace {

int usage()
{
    std::cerr << "usage: tessaro-word-look show FILE | check FILE | page SOURCE PAGE [--number N] [--first]\n"
                 "       | merged MERGED INPUT... [--run-on] | same EXPECTED GOT | corpus FOLDER\n";
    return 2;
}

void show(const WordLook& look)
{
    std::cout << "settings: " << describe(look.settings) << "\ntheme: " << describe(look.theme) << "\n";
    for (size_t s = 0; s < look.sections.size(); ++s) {
        const WordSection& section = look.sections[s];
        std::cout << "section " << s + 1 << ": " << describe(section.look) << "\n";
        for (const auto& [type, text] : section.headers)
            std::cout << "  header " << type << ": " << text << "\n";
        for (const auto& [type, text] : section.footers)
            std::cout << "  footer " << type << ": " << text << "\n";
    }
    for (size_t i = 0; i < look.paragraphs.size(); ++i) {
        const WordParagraph& p = look.paragraphs[i];
        std::cout << storyName(p.story) << " ¶" << i + 1 << " [" << p.style << (p.headingRow ? ", heading row" : "")
                  << (p.section >= 0 ? ", section " + std::to_string(p.section + 1) : "") << "] " << p.label
                  << (p.label.empty() ? "" : " ") << toUtf8(p.text) << "\n  " << describe(p.look) << "\n";
        // Runs of one look, each shown once.
        for (size_t start = 0; start < p.text.size();) {
            size_t end = start;
            while (end < p.text.size() && p.looks[end] == p.looks[start])
                ++end;
            std::cout << "  「" << toUtf8(p.text.substr(start, end - start)) << "」 "
                      << describe(look.runLooks[static_cast<size_t>(p.looks[start])]) << "\n";
            start = end;
        }
    }
    for (const auto& c : look.controls)
        std::cout << "content control at ¶" << c.paragraph + 1 << ": " << describe(c.look) << " 「" << toUtf8(c.text)
                  << "」\n";
}

int verdict(const WordComparison& comparison)
{
    std::cout << comparison.report(40);
    return comparison.alike() ? 0 : 1;
}

int run(int argc, char** argv)
{
    if (argc < 3)
        return usage();
    const std::string command = argv[1];
    if (command == "show" && argc == 3) {
        show(readWordLook(argv[2]));
        return 0;
    }
    if (command == "check" && argc == 3) {
        const auto problems = checkIntegrity(argv[2]);
        for (const auto& problem : problems)
            std::cout << problem << "\n";
        return problems.empty() ? 0 : 1;
    }
    if (command == "page" && argc >= 4) {
        PagePlace place;
        for (int i = 4; i < argc; ++i) {
            if (std::strcmp(argv[i], "--number") == 0 && i + 1 < argc)
                place.number = std::atoi(argv[++i]);
            else if (std::strcmp(argv[i], "--first") == 0)
                place.firstOfSection = true;
            else
                return usage();
        }
        return verdict(comparePageFiles(argv[2], argv[3], place));
    }
    if (command == "merged" && argc >= 4) {
        std::vector<std::string> inputs;
        bool pageBreaks = true;
        for (int i = 3; i < argc; ++i) {
            if (std::strcmp(argv[i], "--run-on") == 0)
                pageBreaks = false;
            else
                inputs.push_back(argv[i]);
        }
        return verdict(compareMergedFiles(inputs, argv[2], pageBreaks));
    }
    if (command == "same" && argc == 4)
        return verdict(compareDocumentFiles(argv[2], argv[3]));
    if (command == "corpus" && argc == 3) {
        for (const auto& document : writeWordCorpus(argv[2]))
            std::cout << document.path << "\n";
        return 0;
    }
    return usage();
}

}  // namespace

int main(int argc, char** argv)
{
    try {
        return run(argc, argv);
    } catch (const std::exception& e) {
        std::cerr << "tessaro-word-look: " << e.what() << "\n";
        return 2;
    }
}
