// SPDX-License-Identifier: GPL-3.0-or-later
#include "LineTermios.h"

namespace wb {
namespace {

// Upper-case to lower-case mapping on input exists on Linux only.
#ifdef IUCLC
constexpr tcflag_t kInputCaseMapping = IUCLC;
#else
constexpr tcflag_t kInputCaseMapping = 0;
#endif

// Input processing that would change, drop or add bytes. PARMRK doubles every 0xFF byte.
constexpr tcflag_t kInputClear = BRKINT | PARMRK | ISTRIP | INPCK | INLCR | IGNCR | ICRNL | IXON |
                                 IXOFF | IXANY | kInputCaseMapping;
constexpr tcflag_t kLocalClear = ICANON | ECHO | ECHOE | ECHOK | ECHONL | ISIG | IEXTEN;
constexpr tcflag_t kControlClear = CSIZE | PARENB | CSTOPB;
constexpr tcflag_t kControlSet = CS8 | CREAD | CLOCAL;

}  // namespace

termios MakeLineTermios(const termios& current) {
    termios line = current;
    cfsetispeed(&line, B4800);
    cfsetospeed(&line, B4800);
    line.c_iflag &= ~kInputClear;
    line.c_oflag &= ~static_cast<tcflag_t>(OPOST);
    line.c_lflag &= ~kLocalClear;
    line.c_cflag = (line.c_cflag & ~kControlClear) | kControlSet;
    line.c_cc[VMIN] = 1;
    line.c_cc[VTIME] = 0;
    return line;
}

}  // namespace wb
