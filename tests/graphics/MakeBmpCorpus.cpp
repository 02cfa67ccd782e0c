// Writes one small picture of every accepted format and of every layout of today's tools into
// the folder given as argument: the seed corpus of the bitmap fuzzer.
#include "BmpCases.h"

#include <cstdio>
#include <fstream>
#include <string>
#include <utility>
#include <vector>

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: %s <folder>\n", argv[0]);
        return 2;
    }
    std::vector<std::pair<std::string, std::string>> files;
    for (const SBmpCase& c : AllFormatCases()) {
        files.emplace_back(c.m_name, MakeBmp(c.m_layout));
    }
    for (const SBmpPairCase& c : ToolFormatCases()) {
        files.emplace_back(c.m_name, c.m_bytes);
    }
    for (const auto& [name, bytes] : files) {
        std::ofstream file(std::string(argv[1]) + "/" + name + ".bmp", std::ios::binary);
        if (!(file << bytes)) {
            std::fprintf(stderr, "cannot write %s\n", name.c_str());
            return 1;
        }
    }
    return 0;
}
