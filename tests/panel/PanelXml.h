#pragma once

#include "RecordingListener.h"

#include <string>

// Pieces of config.xml for panel pages, joined by the tests into controls and pages.

inline std::string Parameter(int id, int minimum = -100000, int maximum = 100000, int value = 0) {
    return "<P Id='" + std::to_string(id) + "' Value='" + std::to_string(value) + "' Minimum='" +
           std::to_string(minimum) + "' Maximum='" + std::to_string(maximum) + "'/>";
}

inline std::string Position(int x, int y, int width, int height) {
    return "<POSITION x='" + std::to_string(x) + "' y='" + std::to_string(y) + "' Width='" +
           std::to_string(width) + "' Height='" + std::to_string(height) + "'/>";
}

inline std::string Input(const std::string& formula) {
    return "<PARAMETER><EINGANG><F Berechnung='" + formula + "'/></EINGANG></PARAMETER>";
}

inline std::string Output(const std::string& formula, int registerNumber) {
    return "<PARAMETER><AUSGANG><FORMEL Berechnung='" + formula + "' Register='" +
           std::to_string(registerNumber) + "'/></AUSGANG></PARAMETER>";
}

inline std::string Item(const std::string& name, int value) {
    return "<ITEMS><ITEM Name='" + name + "' Value='" + std::to_string(value) + "'/></ITEMS>";
}

inline std::string Control(const std::string& type, const std::string& body) {
    return "<UI_OBJECT Type='" + type + "'>" + body + "</UI_OBJECT>";
}

inline std::string Page(const std::string& controls, const std::string& image = "") {
    return "<UI_OBJECT Name='Page'>" +
           (image.empty() ? std::string() : "<IMAGE Path='" + image + "'/>") + controls +
           "</UI_OBJECT>";
}
