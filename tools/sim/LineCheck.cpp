// SPDX-License-Identifier: GPL-3.0-or-later
#include "LineCheck.h"

namespace wb::sim {
namespace {

struct Flag {
    tcflag_t termios::*field;
    tcflag_t bits;
    const char* name;
};

// Each of these changes, drops, adds or acts on bytes on their way.
constexpr Flag kMustBeClear[] = {
    {&termios::c_lflag, ICANON, "ICANON (line editing)"},
    {&termios::c_lflag, ECHO, "ECHO"},
    {&termios::c_lflag, ISIG, "ISIG (signal characters)"},
    {&termios::c_lflag, IEXTEN, "IEXTEN"},
    {&termios::c_iflag, IXON, "IXON (XON/XOFF on output)"},
    {&termios::c_iflag, IXOFF, "IXOFF (XON/XOFF on input)"},
    {&termios::c_iflag, ICRNL, "ICRNL"},
    {&termios::c_iflag, INLCR, "INLCR"},
    {&termios::c_iflag, IGNCR, "IGNCR"},
    {&termios::c_iflag, ISTRIP, "ISTRIP"},
    {&termios::c_iflag, PARMRK, "PARMRK"},
    {&termios::c_oflag, OPOST, "OPOST (output processing)"},
    {&termios::c_cflag, PARENB, "PARENB (parity)"},
    {&termios::c_cflag, CSTOPB, "CSTOPB (two stop bits)"},
};

long Baud(speed_t speed) {
    switch (speed) {
        case B1200:
            return 1200;
        case B2400:
            return 2400;
        case B4800:
            return 4800;
        case B9600:
            return 9600;
        case B19200:
            return 19200;
        case B38400:
            return 38400;
        case B57600:
            return 57600;
        case B115200:
            return 115200;
        default:
            return -1;
    }
}

}  // namespace

std::string LineProblem(const termios& line) {
    for (const speed_t speed : {cfgetospeed(&line), cfgetispeed(&line)}) {
        if (speed != B4800) {
            const long baud = Baud(speed);
            return (baud > 0 ? std::to_string(baud) : "an odd speed") + " baud, not 4800";
        }
    }
    if ((line.c_cflag & CSIZE) != CS8) {
        return "fewer than 8 data bits";
    }
    for (const Flag& flag : kMustBeClear) {
        if ((line.*flag.field & flag.bits) != 0) {
            return std::string("not raw: ") + flag.name + " is on";
        }
    }
    return {};
}

}  // namespace wb::sim
