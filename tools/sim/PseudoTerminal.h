// A pseudo-terminal pair: the beacon keeps the master side, the host opens the slave's path as
// its serial port. Both directions pass every byte unchanged and nothing is echoed.
#pragma once

#include <string>

namespace wb::sim {

class PseudoTerminal {
public:
    // Creates the pair; throws std::runtime_error saying what failed.
    PseudoTerminal();
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
