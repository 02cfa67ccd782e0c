#pragma once

#include "ConfigFixture.h"

#include <gtest/gtest.h>

// Formulas that read registers need a loaded configuration. These registers are declared:
// R0 = 7, R5 = 42, R12 = -3, R999 = 1 and R2147483647 = 9 (the highest register number).
class ExprTest : public ::testing::Test {
protected:
    ExprTest()
        : m_config(MakeConfigXml("<P Id=\"0\" Value=\"7\"/>"
                                 "<P Id=\"5\" Value=\"42\"/>"
                                 "<P Id=\"12\" Value=\"-3\"/>"
                                 "<P Id=\"999\" Value=\"1\"/>"
                                 "<P Id=\"2147483647\" Value=\"9\"/>")) {}

private:
    CConfigFixture m_config;
};
