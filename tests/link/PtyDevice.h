#pragma once

#include "PseudoTerminal.h"

#include <chrono>
#include <string>

// The device's end of a pseudo-terminal (the simulator's, raw and with the slave held open, so
// that the master never sees a hang-up between connections): the link under test opens
// SlavePath() as its serial port while the test reads what the link sent and answers.
class CPtyDevice {
public:
    CPtyDevice();

    const std::string& SlavePath() const { return m_terminal.SlavePath(); }

    void Send(const std::string& bytes) const;
    // Reads until the text holds `count` bytes (or, with toLineEnd, ends in '\n') or the time
    // is up; returns what came.
    std::string Receive(std::size_t count,
                        std::chrono::milliseconds timeout = std::chrono::seconds(5),
                        bool toLineEnd = false) const;
    std::string ReceiveLine() const {
        return Receive(std::string::npos, std::chrono::seconds(5), true);
    }
    // Closes the terminal: the link sees a hang-up.
    void HangUp() { m_terminal.Close(); }

private:
    CPseudoTerminal m_terminal;
};
