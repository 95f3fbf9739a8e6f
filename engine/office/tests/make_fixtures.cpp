// Writes the documents the Word automation server's tests work on into one
// folder. Those tests run under Wine and cannot reach LibreOffice themselves.
#include "fixtures.h"
#include "session.h"

#include <iostream>

using namespace tessaro;
using namespace tessaro::test;

int main(int argc, char** argv)
{
    if (argc != 2) {
        std::cerr << "usage: tessaro-engine-fixtures FOLDER\n";
        return 2;
    }
    const std::string folder = argv[1];
    try {
        Session session(std::chrono::seconds(120));
        Office& office = session.office();
        writeDocument(office, {"甲", 2, true, 0, true, true, false, ""}, folder + "/甲 文档.docx");
        writeDocument(office, {"乙", 2, false, 14, false, true, false, ""}, folder + "/乙.doc");
        writeDocument(office, {"丙", 1, false, 0, false, false, false, ""}, folder + "/丙.docx");
        writeDocument(office, {"五页", 5, false, 0, false, true, false, ""}, folder + "/five.docx");
        writeDocument(office, {"七页", 7, false, 0, false, true, false, ""}, folder + "/seven.docx");
        writeDocument(office, {"密", 1, false, 0, false, false, false, "secret"}, folder + "/locked.doc");
        writeGarbage(folder + "/damaged.docx");
        writeDocument(office, {"长", 30, true, 0, false, false, false, ""}, folder + "/long.docx");
    } catch (const std::exception& e) {
        std::cerr << "tessaro-engine-fixtures: " << e.what() << "\n";
        return 1;
    }
    return 0;
}
