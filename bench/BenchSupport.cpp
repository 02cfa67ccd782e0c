#include "BenchSupport.h"

#include <cstdlib>
#include <malloc.h>

std::string MaximalConfig() {
    std::string xml = "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<ROOT>\n<PARAMETER>\n";
    for (int i = 0; i < 200; ++i) {
        const std::string id = std::to_string(i);
        xml += "  <P" + id + " Name=\"Parameter " + id + "\" Id=\"" + id + "\" Value=\"" + id +
               "\" Minimum=\"-1000\" Maximum=\"1000\" SendSerial=\"true\" SetOnLoad=\"true\""
               " ReadOnSave=\"true\"/>\n";
    }
    xml += "</PARAMETER>\n";
    for (int p = 0; p < 20; ++p) {
        xml += "<UI_OBJECT Name=\"Page " + std::to_string(p) +
               "\">\n <IMAGE Path=\"back.gif\"/>\n <COLOR rgb=\"#C0C0C0\"/>\n";
        for (int c = 0; c < 300; ++c) {
            const std::string r = std::to_string(c % 200);
            xml += " <UI_OBJECT Type=\"Combo\">\n"
                   "  <POSITION x=\"" +
                   std::to_string(c % 240) + "\" y=\"" + std::to_string(c % 300) +
                   "\" Width=\"60\" Height=\"20\"/>\n"
                   "  <COLOR rgb=\"#FFFFFF\"/>\n  <TEXT Value=\"Control " +
                   r +
                   "\"/>\n"
                   "  <SETTINGS Minimum=\"0\" Maximum=\"100\" Nachfrage=\"true\"/>\n  <ITEMS>\n";
            for (int i = 0; i < 4; ++i) {
                xml += "   <ITEM Name=\"Item " + std::to_string(i) + "\" Value=\"" +
                       std::to_string(i) + "\"/>\n";
            }
            xml += "  </ITEMS>\n  <PARAMETER>\n   <EINGANG><F Berechnung=\"R" + r +
                   " * 2 + 1\"/></EINGANG>\n   <AUSGANG>\n"
                   "    <FORMEL Berechnung=\"(x - 1) / 2\" Register=\"" +
                   r +
                   "\"/>\n"
                   "    <FORMEL Berechnung=\"SetBit(R3, x)\" Register=\"3\"/>\n"
                   "   </AUSGANG>\n  </PARAMETER>\n </UI_OBJECT>\n";
        }
        xml += "</UI_OBJECT>\n";
    }
    return xml + "</ROOT>\n";
}

void KeepFreedHeap() {
    const char* trim = std::getenv("TARNEL_BENCH_TRIM");
    if (trim == nullptr || std::string(trim) != "1") {
        mallopt(M_TRIM_THRESHOLD, 1 << 30);
        mallopt(M_MMAP_THRESHOLD, 1 << 30);
    }
}
