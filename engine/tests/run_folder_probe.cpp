// One engine run as far as its temporary folder goes, for the run-folder
// tests: `clean` ends as a run does, `killed PARTIAL` dies with a
// half-written output noted, `hold` waits for its standard input to close.
#include "files/run_folder.h"
#include "files/temp_dir.h"

#include <cstdlib>
#include <fstream>
#include <string>
#include <unistd.h>

using namespace tessaro;

int main(int argc, char** argv)
{
    const std::string mode = argc > 1 ? argv[1] : "";
    TempDir work("tessaro-work");
    std::ofstream(std::string(std::getenv("TMPDIR")) + "/lu1234.tmp") << "LibreOffice's own";
    if (mode == "killed" && argc == 3) {
        new PartialFile(argv[2]);  // never deleted: the run dies with it noted
        std::ofstream(argv[2]) << "half a document";
        _exit(0);
    }
    if (mode == "hold") {
        char c;
        while (::read(0, &c, 1) > 0) {
        }
    }
    return mode == "clean" || mode == "hold" ? 0 : 2;
}
