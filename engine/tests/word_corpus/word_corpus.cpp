#include "word_corpus/word_corpus.h"

namespace tessaro::test {

std::vector<CorpusDocument> writeWordCorpus(const std::string& folder)
{
    const std::pair<const char*, void (*)(const std::string&)> word[] = {{"gongwen", writeOfficialDocument},
                                                                          {"themed-report", writeThemedReport},
                                                                          {"landscape-report", writeLandscapeReport},
                                                                          {"rich", writeRichDocument}};
    std::vector<CorpusDocument> corpus;
    for (const auto& [name, write] : word) {
        corpus.push_back({name, folder + "/" + name + ".docx", "Word XML"});
        write(corpus.back().path);
    }
    const std::pair<const char*, bool (*)(const std::string&)> tools[] = {{"python-docx", writePythonDocxDocument},
                                                                           {"pandoc", writePandocDocument}};
    for (const auto& [name, write] : tools) {
        const std::string path = folder + "/" + name + ".docx";
        if (write(path))
            corpus.push_back({name, path, name});
    }
    return corpus;
}

}  // namespace tessaro::test
