// Writes one small picture of every accepted format and of every layout of today's tools into
// the folder given as argument: the seed corpus of the bitmap fuzzer.
#include "BmpCases.h"

#include <cstdio>
#include <fstream>
#include <string>

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: %s <folder>\n", argv[0]);
        return 2;
    }
    for (const SBmpCase& c : AllFormatCases()) {
        std::ofstream file(std::string(argv[1]) + "/" + c.m_name + ".bmp", std::ios::binary);
        file << MakeBmp(c.m_layout);
        if (!file) {
            std::fprintf(stderr, "cannot write %s\n", c.m_name.c_str());
            return 1;
        }
    }
    for (const SBmpPairCase& c : ToolFormatCases()) {
        std::ofstream file(std::string(argv[1]) + "/" + c.m_name + ".bmp", std::ios::binary);
        file << c.m_bytes;
        if (!file) {
            std::fprintf(stderr, "cannot write %s\n", c.m_name.c_str());
            return 1;
        }
    }
    return 0;
}
