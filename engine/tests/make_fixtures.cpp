// Writes the documents the Word automation server's tests (or, with --bench,
// its benchmark) work on into one folder. They run under Wine and cannot
// reach LibreOffice themselves.
#include "fixtures.h"
#include "protocol/session.h"

#include <cstdlib>
#include <fstream>
#include <iostream>

using namespace tessaro;
using namespace tessaro::test;

namespace {

// The engine benchmark's jobs: 20 documents of 5 pages to merge, `pages`
// pages (long<pages>.docx) to split.
void writeBenchDocuments(Office& office, const std::string& folder, int pages)
{
    for (int i = 1; i <= 20; ++i)
        writeDocument(office, {"文档" + std::to_string(i), 5, false, 0, false, true, false, ""},
                      folder + "/in" + std::to_string(i) + ".docx");
    writeDocument(office, {"长文档", pages, false, 0, false, true, false, ""},
                  folder + "/long" + std::to_string(pages) + ".docx");
}

}  // namespace

int main(int argc, char** argv)
{
    const bool bench = (argc == 3 || argc == 4) && std::string(argv[1]) == "--bench";
    const int pages = argc == 4 ? std::atoi(argv[3]) : 200;
    if ((argc != 2 && !bench) || pages < 1) {
        std::cerr << "usage: tessaro-engine-fixtures FOLDER | --bench FOLDER [PAGES]\n";
        return 2;
    }
    const std::string folder = bench ? argv[2] : argv[1];
    try {
        Session session(std::chrono::seconds(120));
        Office& office = session.office();
        if (bench) {
            writeBenchDocuments(office, folder, pages);
            return 0;
        }
        writeDocument(office, {"甲", 2, true, 0, true, true, false, ""}, folder + "/甲 文档.docx");
        writeDocument(office, {"乙", 2, false, 14, false, true, false, ""}, folder + "/乙.doc");
        writeDocument(office, {"丙", 1, false, 0, false, false, false, ""}, folder + "/丙.docx");
        writeDocument(office, {"五页", 5, false, 0, false, true, false, ""}, folder + "/five.docx");
        writeDocument(office, {"七页", 7, false, 0, false, true, false, ""}, folder + "/seven.docx");
        writeDocument(office, {"密", 1, false, 0, false, false, false, "secret"}, folder + "/locked.doc");
        writeGarbage(folder + "/damaged.docx");
        writeTruncated(folder + "/丙.docx", folder + "/truncated.docx");
        std::ofstream(folder + "/empty.docx");
        std::ofstream(folder + "/page.docx") << "<!DOCTYPE html>\n<html><head><title>报告</title></head>"
                                                "<body><h1>报告</h1><p>这是一个网页。</p></body></html>\n";
        std::ofstream(folder + "/notes.docx") << "这是一个纯文本文件，不是 Word 文档。\nplain text\n";
        writeTableDocument("表", 120, folder + "/table.docx");
        writeDocument(office, {"长", 30, true, 0, false, false, false, ""}, folder + "/long.docx");
    } catch (const std::exception& e) {
        std::cerr << "tessaro-engine-fixtures: " << e.what() << "\n";
        return 1;
    }
    return 0;
}
