#pragma once
#include "word_look/package.h"
#include "word_look/styles.h"

#include <map>
#include <set>
#include <string>
#include <vector>

namespace tessaro::test {

// A number as a list label or note reference shows it in `numFmt`
// ("decimal", "upperRoman", "chineseCounting"…); formats it does not know
// are shown as decimal.
std::string formatNumber(int n, const std::string& numFmt);

// The numbering part, and the counters Word keeps while it lays out the
// paragraphs in document order: one set per abstract list, so that every
// list instance (w:num) of one abstract list continues it, except where an
// instance's startOverride restarts a level the first time it is used.
class Numbering {
public:
    Numbering(const WordPackage& package, const StyleSheet& styles);

    // The level a paragraph numbered (numId, ilvl) uses, nullptr when the
    // paragraph has no label (numId 0 or one the part does not define).
    const xmlNode* level(const std::string& numId, int ilvl) const;
    // Counts the next paragraph numbered (numId, ilvl) and returns its label.
    std::string next(const std::string& numId, int ilvl);

private:
    struct Instance {
        std::string abstractId;
        std::map<int, const xmlNode*> levels;  // lvlOverride/lvl
        std::map<int, int> starts;             // lvlOverride/startOverride
    };
    struct Counters {
        int value[9] = {};
        bool counted[9] = {};
    };

    const Instance* instance(const std::string& numId) const;
    std::string abstractOf(const std::string& numId, int depth = 0) const;
    int startOf(const std::string& numId, int ilvl) const;

    const StyleSheet& styles_;
    std::map<std::string, const xmlNode*> abstracts_;
    std::map<std::string, Instance> instances_;
    std::map<std::string, Counters> counters_;  // by abstract list
    std::set<std::string> used_;                // instances seen so far
};

}  // namespace tessaro::test
