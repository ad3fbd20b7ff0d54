// SPDX-License-Identifier: GPL-3.0-or-later
#include "PseudoTerminal.h"

#include <fcntl.h>
#include <termios.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <stdexcept>

namespace wb::sim {
namespace {

[[noreturn]] void Fail(const char* what) {
    throw std::runtime_error(std::string("Could not create the simulated beacon's terminal: ") +
                             what + ": " + std::strerror(errno));
}

}  // namespace

PseudoTerminal::PseudoTerminal(bool raw) {
    m_master = posix_openpt(O_RDWR | O_NOCTTY);
    if (m_master < 0) {
        Fail("posix_openpt");
    }
    try {
        if (grantpt(m_master) != 0) {
            Fail("grantpt");
        }
        if (unlockpt(m_master) != 0) {
            Fail("unlockpt");
        }
        char path[128];
        if (ptsname_r(m_master, path, sizeof path) != 0) {
            Fail("ptsname");
        }
        m_slavePath = path;

        // Termios requests on the master act on the slave: raw, so that CR, ^C, ESC, DEL and
        // XON/XOFF pass unchanged both ways and nothing is echoed back to the host.
        termios attributes{};
        if (tcgetattr(m_master, &attributes) != 0) {
            Fail("tcgetattr");
        }
        if (raw) {
            cfmakeraw(&attributes);
            cfsetispeed(&attributes, B4800);
            cfsetospeed(&attributes, B4800);
            if (tcsetattr(m_master, TCSANOW, &attributes) != 0) {
                Fail("tcsetattr");
            }
        }
        const int flags = fcntl(m_master, F_GETFL);
        if (flags < 0 || fcntl(m_master, F_SETFL, flags | O_NONBLOCK) != 0 ||
            fcntl(m_master, F_SETFD, FD_CLOEXEC) != 0) {
            Fail("fcntl");
        }

        // Until the slave has been opened once, Linux reports no hang-up on the master, so the
        // beacon could not tell when a host arrives. Opening and closing it here puts the
        // master in the same state as after any host has closed the port.
        const int slave = open(path, O_RDWR | O_NOCTTY | O_CLOEXEC);
        if (slave < 0) {
            Fail(path);
        }
        close(slave);
    } catch (...) {
        Close();
        throw;
    }
}

PseudoTerminal::~PseudoTerminal() {
    Close();
}

void PseudoTerminal::Close() {
    if (m_master >= 0) {
        close(m_master);
        m_master = -1;
    }
}

}  // namespace wb::sim
