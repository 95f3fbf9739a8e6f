#include "word_look/compare.h"

#include "word_look/integrity.h"
#include "word_look/utf.h"

#include <algorithm>
#include <set>
#include <sstream>

namespace tessaro::test {

namespace {

constexpr size_t kKept = 300;  // differences kept in full; the counts go on

// What only a paragraph's first line shows, and its last.
const std::set<std::string> kFirstLine{"ind.firstLine",        "ind.hanging",          "ind.firstLineChars",
                                       "ind.hangingChars",     "spacing.before",       "spacing.beforeLines",
                                       "spacing.beforeAutospacing"};
const std::set<std::string> kLastLine{"spacing.after", "spacing.afterLines", "spacing.afterAutospacing"};
// What a page file legitimately sets otherwise than its section: its one page is the first.
const std::set<std::string> kPageOwn{"titlePg", "pgNumType.start", "type"};

// Text for a report: breaks and tabs shown as signs, long text cut.
std::string snippet(const std::u32string& text, size_t length = 12, size_t from = 0)
{
    std::u32string shown = text.substr(std::min(from, text.size()), length);
    for (char32_t& c : shown)
        c = c == U'\t' ? U'⇥' : c == 0x0B ? U'↵' : c == 0x0C ? U'⇟' : c < 0x20 ? U'␣' : c;
    return "「" + std::string(from > 0 ? "…" : "") + toUtf8(shown) + (text.size() > from + length ? "…" : "") + "」";
}

// Where two texts part, a little before it.
size_t parting(const std::u32string& a, const std::u32string& b)
{
    size_t k = 0;
    while (k < a.size() && k < b.size() && a[k] == b[k])
        ++k;
    return k > 8 ? k - 8 : 0;
}

std::string get(const Properties& p, const std::string& key)
{
    const auto found = p.find(key);
    return found == p.end() ? "(none)" : found->second;
}

std::vector<size_t> storyParagraphs(const WordLook& look, Story story)
{
    std::vector<size_t> found;
    for (size_t i = 0; i < look.paragraphs.size(); ++i)
        if (look.paragraphs[i].story == story)
            found.push_back(i);
    return found;
}

const Story kStories[] = {Story::Main, Story::Footnotes, Story::Endnotes, Story::TextBoxes};

// A piece's paragraph found in the whole: the whole's paragraph and where
// in its text the piece's begins.
struct Match {
    size_t piece, whole, offset;
};

// How the comparison reads a match: which side is the expected one.
struct Sides {
    const WordLook& whole;
    const WordLook& piece;
    bool wholeIsExpected;
};

class Comparer {
public:
    explicit Comparer(WordComparison& result) : result_(result) {}

    void add(const std::string& where, const std::string& property, const std::string& expected, const std::string& got,
             int count = 1)
    {
        result_.counts[property] += count;
        if (result_.differences.size() < kKept)
            result_.differences.push_back({where, property, expected, got});
    }

    void properties(const std::string& where, const std::string& prefix, const Properties& expected,
                    const Properties& got, const std::set<std::string>& skipped = {})
    {
        std::set<std::string> keys;
        for (const auto& [key, value] : expected)
            keys.insert(key);
        for (const auto& [key, value] : got)
            keys.insert(key);
        for (const auto& key : keys)
            if (!skipped.count(key) && get(expected, key) != get(got, key))
                add(where, prefix + key, get(expected, key), get(got, key));
    }

    // Finds the piece's paragraphs of `story` in the whole, in order, from
    // the whole's paragraph `from` on (an index among the story's).
    // Returns the matches; reports piece text the whole lacks, and whole
    // text skipped between matches.
    std::vector<Match> align(const Sides& sides, Story story, size_t& from)
    {
        const auto W = storyParagraphs(sides.whole, story), P = storyParagraphs(sides.piece, story);
        auto text = [&](const WordLook& look, size_t i) -> const std::u32string& { return look.paragraphs[i].text; };
        auto fits = [&](size_t j, size_t w, size_t& offset) {
            const std::u32string& p = text(sides.piece, P[j]);
            const std::u32string& x = text(sides.whole, W[w]);
            offset = 0;
            if (p == x)
                return true;
            const bool first = j == 0, last = j + 1 == P.size();
            if (p.empty() || p.size() > x.size())
                return false;
            if (first && last) {
                const size_t at = x.find(p);
                offset = at == std::u32string::npos ? 0 : at;
                return at != std::u32string::npos;
            }
            if (first && x.compare(x.size() - p.size(), p.size(), p) == 0) {
                offset = x.size() - p.size();
                return true;
            }
            return last && x.compare(0, p.size(), p) == 0;
        };
        auto runFrom = [&](size_t s) {
            size_t n = 0, offset;
            while (n < P.size() && s + n < W.size() && fits(n, s + n, offset))
                ++n;
            return n;
        };
        // The start where most of the piece's paragraphs match in a row.
        size_t start = from, best = 0;
        for (size_t s = from; s < W.size() && best < P.size(); ++s) {
            const size_t n = runFrom(s);
            if (n > best)
                best = n, start = s;
        }

        std::vector<Match> matches;
        size_t w = start;
        bool afterHeadingRows = false;
        for (size_t j = 0; j < P.size(); ++j) {
            const WordParagraph& p = sides.piece.paragraphs[P[j]];
            size_t offset = 0;
            if (w < W.size() && fits(j, w, offset)) {
                matches.push_back({P[j], W[w++], offset});
                afterHeadingRows = false;
                continue;
            }
            // A table's heading rows repeated at the top of a page come from the table's start.
            if (p.headingRow) {
                bool found = false;
                for (size_t k = 0; k < W.size() && !found; ++k)
                    if (sides.whole.paragraphs[W[k]].headingRow && text(sides.whole, W[k]) == p.text) {
                        matches.push_back({P[j], W[k], 0});
                        found = afterHeadingRows = true;
                    }
                if (found)
                    continue;
            }
            size_t k = w;
            while (k < W.size() && !fits(j, k, offset))
                ++k;
            if (k < W.size() && !(p.text.empty() && (j == 0 || j + 1 == P.size()))) {
                if (!afterHeadingRows && !matches.empty())
                    skipped(sides, W, w, k);
                matches.push_back({P[j], W[k], offset});
                w = k + 1;
                afterHeadingRows = false;
            } else if (!p.text.empty() || (j != 0 && j + 1 != P.size())) {
                // Changed text where the next paragraph matches again, else extra text:
                // said once, from the expected side.
                const std::string where = std::string(storyName(story)) + " ¶" + std::to_string(j + 1);
                size_t ignored;
                const bool changed = w < W.size() && (j + 1 == P.size() || (w + 1 < W.size() && fits(j + 1, w + 1, ignored)));
                const std::u32string empty;
                const std::u32string& other = changed ? text(sides.whole, W[w]) : empty;
                const size_t from = parting(p.text, other);
                const std::string mine = snippet(p.text, 24, from);
                const std::string theirs = changed ? snippet(other, 24, from) : "(not there)";
                if (sides.wholeIsExpected)
                    add(where, "text", theirs, mine);
                else
                    add(where, "text", mine, theirs);
                if (changed)
                    ++w;
            }
        }
        from = w;
        return matches;
    }

    // Whole paragraphs [from, to) of the story that fell between two matches.
    void skipped(const Sides& sides, const std::vector<size_t>& W, size_t from, size_t to)
    {
        for (size_t k = from; k < to; ++k) {
            const WordParagraph& lost = sides.whole.paragraphs[W[k]];
            if (lost.text.empty() && lost.label.empty())
                continue;
            const std::string where = std::string(storyName(lost.story)) + " " + snippet(lost.text);
            if (sides.wholeIsExpected)
                add(where, "text", snippet(lost.text, 24), "(missing)");
            else
                add(where, "text", "(not there)", snippet(lost.text, 24));
        }
    }

    // Characters, paragraphs and what they say about sections, for each match.
    void compare(const Sides& sides, const std::vector<Match>& matches, std::set<std::pair<int, int>>* sectionPairs)
    {
        for (const Match& m : matches) {
            const bool wholeExpected = sides.wholeIsExpected;
            const WordLook& expected = wholeExpected ? sides.whole : sides.piece;
            const WordLook& got = wholeExpected ? sides.piece : sides.whole;
            const size_t e = wholeExpected ? m.whole : m.piece, g = wholeExpected ? m.piece : m.whole;
            const size_t eOffset = wholeExpected ? m.offset : 0, gOffset = wholeExpected ? 0 : m.offset;
            const WordParagraph& ep = expected.paragraphs[e];
            const WordParagraph& gp = got.paragraphs[g];
            const size_t length = sides.piece.paragraphs[m.piece].text.size();
            const std::string where = std::string(storyName(ep.story)) + " ¶" + std::to_string(e + 1) + " " + snippet(ep.text);

            std::set<std::string> said;
            for (size_t i = 0; i < length; ++i) {
                const Properties& el = expected.charLook(e, eOffset + i);
                const Properties& gl = got.charLook(g, gOffset + i);
                ++result_.characters;
                for (const auto& [key, value] : el) {
                    const std::string other = get(gl, key);
                    if (value == other)
                        continue;
                    if (said.insert(key).second) {
                        add(where + " char " + std::to_string(eOffset + i + 1) + " " + snippet(ep.text.substr(eOffset + i, 1)),
                            key, value, other);
                    } else {
                        ++result_.counts[key];
                    }
                }
            }

            ++result_.paragraphs;
            const bool continued = m.offset > 0;
            const bool cut = m.offset + length < sides.whole.paragraphs[m.whole].text.size();
            std::set<std::string> skippedKeys;
            if (continued)
                skippedKeys.insert(kFirstLine.begin(), kFirstLine.end());
            if (cut)
                skippedKeys.insert(kLastLine.begin(), kLastLine.end());
            properties(where, "", ep.look, gp.look, skippedKeys);
            if (!continued) {
                if (ep.label != gp.label)
                    add(where, "label", ep.label, gp.label);
                else if (ep.labelLook >= 0 && gp.labelLook >= 0)
                    properties(where, "label.", expected.runLooks[static_cast<size_t>(ep.labelLook)],
                               got.runLooks[static_cast<size_t>(gp.labelLook)]);
            }
            if (sectionPairs && ep.section >= 0 && gp.section >= 0)
                sectionPairs->insert({ep.section, gp.section});
        }
    }

    void section(const std::string& where, const WordSection& expected, const WordSection& got,
                 const std::set<std::string>& skipped)
    {
        ++result_.sections;
        properties(where, "section.", expected.look, got.look, skipped);
        properties(where, "header.", expected.headers, got.headers);
        properties(where, "footer.", expected.footers, got.footers);
    }

    // A page file's section against its source page's: what the page shows.
    void pageSection(const std::string& where, const WordLook& source, const WordSection& expected,
                     const WordLook& page, const WordSection& got, const PagePlace& place)
    {
        ++result_.sections;
        properties(where, "section.", expected.look, got.look, kPageOwn);
        const int number = got.look.count("pgNumType.start") ? std::stoi(got.look.at("pgNumType.start")) : 1;
        const Properties shown{{"header", got.shownHeader(true, number, page.evenAndOddHeaders())},
                               {"footer", got.shownFooter(true, number, page.evenAndOddHeaders())}};
        if (place.number > 0) {
            if (number != place.number)
                add(where, "page number", std::to_string(place.number), std::to_string(number));
            const bool evenAndOdd = source.evenAndOddHeaders();
            properties(where, "",
                       {{"header", expected.shownHeader(place.firstOfSection, place.number, evenAndOdd)},
                        {"footer", expected.shownFooter(place.firstOfSection, place.number, evenAndOdd)}},
                       shown);
            return;
        }
        for (const char* kind : {"header", "footer"}) {
            const auto& choices = kind == std::string("header") ? expected.headers : expected.footers;
            bool found = shown.at(kind).empty() && choices.empty();
            for (const auto& [type, text] : choices)
                found = found || text == shown.at(kind);
            if (!found)
                add(where, kind, "one of the section's", shown.at(kind));
        }
    }

    // The content controls that start in the matched text, on each side, in order.
    void controls(const Sides& sides, const std::vector<Match>& matches)
    {
        auto inRange = [&](const WordLook& look, bool whole) {
            std::vector<const ContentControl*> found;
            for (const auto& c : look.controls)
                for (const Match& m : matches) {
                    const size_t paragraph = whole ? m.whole : m.piece;
                    const size_t from = whole ? m.offset : 0;
                    const size_t length = sides.piece.paragraphs[m.piece].text.size();
                    if (static_cast<size_t>(c.paragraph) == paragraph && c.offset >= from &&
                        c.offset <= from + length) {
                        found.push_back(&c);
                        break;
                    }
                }
            return found;
        };
        const auto w = inRange(sides.whole, true), p = inRange(sides.piece, false);
        const auto& expected = sides.wholeIsExpected ? w : p;
        const auto& got = sides.wholeIsExpected ? p : w;
        if (expected.size() != got.size())
            add("content controls", "control.count", std::to_string(expected.size()), std::to_string(got.size()));
        for (size_t i = 0; i < std::min(expected.size(), got.size()); ++i) {
            ++result_.controls;
            const std::string where = "content control " + std::to_string(i + 1) + " " + snippet(expected[i]->text);
            properties(where, "control.", expected[i]->look, got[i]->look, {"id"});
            if (expected[i]->text != got[i]->text)
                add(where, "control.text", snippet(expected[i]->text, 40), snippet(got[i]->text, 40));
        }
    }

    // Every story of the piece found in the whole (each from its own `from`)
    // and compared; the main story's matches name the sections to compare.
    std::map<Story, std::vector<Match>> stories(const Sides& sides, std::map<Story, size_t>& from,
                                                std::set<std::pair<int, int>>& sectionPairs)
    {
        std::map<Story, std::vector<Match>> all;
        for (Story story : kStories) {
            auto matches = align(sides, story, from[story]);
            compare(sides, matches, story == Story::Main ? &sectionPairs : nullptr);
            controls(sides, matches);
            all[story] = std::move(matches);
        }
        return all;
    }

    void settingsAndTheme(const WordLook& expected, const WordLook& got)
    {
        properties("settings", "settings.", expected.settings, got.settings);
        properties("theme", "theme.", expected.theme, got.theme);
    }

private:
    WordComparison& result_;
};

void addIntegrity(WordComparison& result, const std::string& path)
{
    for (const auto& problem : checkIntegrity(path)) {
        ++result.counts["integrity"];
        result.differences.push_back({path, "integrity", "", problem});
    }
}

}  // namespace

std::string WordComparison::report(size_t lines) const
{
    std::ostringstream out;
    if (alike()) {
        out << "alike: " << characters << " characters, " << paragraphs << " paragraphs, " << sections
            << " sections, " << controls << " content controls compared\n";
        return out.str();
    }
    for (size_t i = 0; i < differences.size() && i < lines; ++i) {
        const Difference& d = differences[i];
        out << d.where << ": " << d.property << ": expected \"" << d.expected << "\", got \"" << d.got << "\"\n";
    }
    if (differences.size() > lines)
        out << "… and " << differences.size() - lines << " more\n";
    out << "differing:";
    for (const auto& [property, count] : counts)
        out << " " << property << " " << count;
    out << "\n(" << characters << " characters, " << paragraphs << " paragraphs, " << sections << " sections, "
        << controls << " content controls compared)\n";
    return out.str();
}

WordComparison comparePage(const WordLook& source, const WordLook& page, const PagePlace& place)
{
    WordComparison result;
    Comparer comparer(result);
    std::map<Story, size_t> from;
    std::set<std::pair<int, int>> sectionPairs;
    comparer.stories({source, page, true}, from, sectionPairs);
    for (const auto& [s, p] : sectionPairs)
        comparer.pageSection("section " + std::to_string(s + 1), source, source.sections[static_cast<size_t>(s)], page,
                             page.sections[static_cast<size_t>(p)], place);
    comparer.settingsAndTheme(source, page);
    return result;
}

WordComparison compareMerged(const std::vector<WordLook>& inputs, const WordLook& merged, bool pageBreaks)
{
    WordComparison result;
    Comparer comparer(result);
    std::map<Story, size_t> from;
    for (size_t i = 0; i < inputs.size(); ++i) {
        std::set<std::pair<int, int>> sectionPairs;
        comparer.stories({merged, inputs[i], false}, from, sectionPairs);
        if (!pageBreaks && i > 0)
            continue;  // run on, it takes the section where it lands
        int first = -1;
        for (const auto& [e, g] : sectionPairs) {
            const WordSection& expected = inputs[i].sections[static_cast<size_t>(e)];
            const WordSection& got = merged.sections[static_cast<size_t>(g)];
            const std::string where = "document " + std::to_string(i + 1) + " section " + std::to_string(e + 1);
            std::set<std::string> skipped;
            WordSection numbered = expected;
            if (first < 0 || e == first) {
                // Where an inserted document starts, the break is the merge's, and its
                // page numbers start as they did alone.
                first = e;
                if (i > 0) {
                    skipped.insert("type");
                    if (!numbered.look.count("pgNumType.start"))
                        numbered.look["pgNumType.start"] = "1";
                }
            }
            comparer.section(where, numbered, got, skipped);
        }
    }
    if (!inputs.empty())
        comparer.settingsAndTheme(inputs.front(), merged);
    return result;
}

WordComparison compareDocuments(const WordLook& expected, const WordLook& got)
{
    WordComparison result;
    Comparer comparer(result);
    const Sides sides{expected, got, true};
    std::map<Story, size_t> from;
    std::set<std::pair<int, int>> sectionPairs;
    for (const auto& [story, matches] : comparer.stories(sides, from, sectionPairs)) {
        // Nothing of the expected may be left out at either end.
        std::set<size_t> matched;
        for (const Match& m : matches)
            matched.insert(m.whole);
        const auto all = storyParagraphs(expected, story);
        std::vector<size_t> lost;
        for (size_t k = 0; k < all.size(); ++k)
            if (!matched.count(all[k]) && (matches.empty() || all[k] < matches.front().whole || all[k] > matches.back().whole))
                lost.push_back(k);
        for (size_t k : lost)
            comparer.skipped(sides, all, k, k + 1);
    }
    for (const auto& [e, g] : sectionPairs)
        comparer.section("section " + std::to_string(e + 1), expected.sections[static_cast<size_t>(e)],
                         got.sections[static_cast<size_t>(g)], {});
    if (expected.sections.size() != got.sections.size())
        comparer.add("document", "section.count", std::to_string(expected.sections.size()),
                     std::to_string(got.sections.size()));
    comparer.settingsAndTheme(expected, got);
    return result;
}

WordComparison comparePageFiles(const std::string& source, const std::string& page, const PagePlace& place)
{
    WordComparison result = comparePage(readWordLook(source), readWordLook(page), place);
    addIntegrity(result, page);
    return result;
}

WordComparison compareMergedFiles(const std::vector<std::string>& inputs, const std::string& merged, bool pageBreaks)
{
    std::vector<WordLook> looks;
    for (const auto& input : inputs)
        looks.push_back(readWordLook(input));
    WordComparison result = compareMerged(looks, readWordLook(merged), pageBreaks);
    addIntegrity(result, merged);
    return result;
}

WordComparison compareDocumentFiles(const std::string& expected, const std::string& got)
{
    WordComparison result = compareDocuments(readWordLook(expected), readWordLook(got));
    addIntegrity(result, got);
    return result;
}

}  // namespace tessaro::test
