// SPDX-License-Identifier: GPL-3.0-or-later
// A pseudo-terminal pair: the beacon keeps the master side, the host opens the slave's path as
// its serial port. It starts with the system's default (cooked) settings, as a serial port
// does, so a host must make the line raw itself; or raw at 4800 baud from the start.
#pragma once

#include <string>

namespace wb::sim {

class PseudoTerminal {
public:
    // Creates the pair; throws std::runtime_error saying what failed.
    explicit PseudoTerminal(bool raw = false);
    ~PseudoTerminal();
    PseudoTerminal(const PseudoTerminal&) = delete;
    PseudoTerminal& operator=(const PseudoTerminal&) = delete;

    // The master side, non-blocking and closed on exec; -1 once closed.
    int Master() const { return m_master; }

    // The path the host opens, e.g. /dev/pts/7.
    const std::string& SlavePath() const { return m_slavePath; }

    // Closes the master: the host's end hangs up and the path disappears.
    void Close();

private:
    int m_master = -1;
    std::string m_slavePath;
};

}  // namespace wb::sim
