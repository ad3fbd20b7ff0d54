// SPDX-License-Identifier: GPL-3.0-or-later
// The beacon's terminal settings, checked field by field: every flag the line needs, and every
// other bit of each field left as the port had it.
#include <gtest/gtest.h>

#include <termios.h>

#include <vector>

#include "link/LineTermios.h"

namespace wb {
namespace {

enum class Want { Set, Cleared, Kept };

struct Flag {
    const char* name;
    tcflag_t termios::*field;
    tcflag_t bits;
    Want want;
};

const std::vector<Flag> kFlags = {
    {"IGNBRK", &termios::c_iflag, IGNBRK, Want::Kept},
    {"BRKINT", &termios::c_iflag, BRKINT, Want::Cleared},
    {"IGNPAR", &termios::c_iflag, IGNPAR, Want::Kept},
    {"PARMRK", &termios::c_iflag, PARMRK, Want::Cleared},
    {"INPCK", &termios::c_iflag, INPCK, Want::Cleared},
    {"ISTRIP", &termios::c_iflag, ISTRIP, Want::Cleared},
    {"INLCR", &termios::c_iflag, INLCR, Want::Cleared},
    {"IGNCR", &termios::c_iflag, IGNCR, Want::Cleared},
    {"ICRNL", &termios::c_iflag, ICRNL, Want::Cleared},
    {"IXON", &termios::c_iflag, IXON, Want::Cleared},
    {"IXOFF", &termios::c_iflag, IXOFF, Want::Cleared},
    {"IXANY", &termios::c_iflag, IXANY, Want::Cleared},
#ifdef IUCLC
    {"IUCLC", &termios::c_iflag, IUCLC, Want::Cleared},
#endif
    {"OPOST", &termios::c_oflag, OPOST, Want::Cleared},
    {"ONLCR", &termios::c_oflag, ONLCR, Want::Kept},
    {"ICANON", &termios::c_lflag, ICANON, Want::Cleared},
    {"ECHO", &termios::c_lflag, ECHO, Want::Cleared},
    {"ECHOE", &termios::c_lflag, ECHOE, Want::Cleared},
    {"ECHOK", &termios::c_lflag, ECHOK, Want::Cleared},
    {"ECHONL", &termios::c_lflag, ECHONL, Want::Cleared},
    {"ISIG", &termios::c_lflag, ISIG, Want::Cleared},
    {"IEXTEN", &termios::c_lflag, IEXTEN, Want::Cleared},
    {"NOFLSH", &termios::c_lflag, NOFLSH, Want::Kept},
    {"CS8", &termios::c_cflag, CS8, Want::Set},
    {"PARENB", &termios::c_cflag, PARENB, Want::Cleared},
    {"PARODD", &termios::c_cflag, PARODD, Want::Kept},
    {"CSTOPB", &termios::c_cflag, CSTOPB, Want::Cleared},
    {"CREAD", &termios::c_cflag, CREAD, Want::Set},
    {"CLOCAL", &termios::c_cflag, CLOCAL, Want::Set},
    {"HUPCL", &termios::c_cflag, HUPCL, Want::Kept},
    {"CRTSCTS", &termios::c_cflag, CRTSCTS, Want::Kept},
};

// Starting points: nothing set, everything set, and two mixed patterns.
std::vector<termios> Inputs() {
    std::vector<termios> inputs;
    for (tcflag_t pattern :
         {tcflag_t{0}, ~tcflag_t{0}, tcflag_t{0xA5A5A5A5}, tcflag_t{0x5A5A5A5A}}) {
        termios t{};
        t.c_iflag = t.c_oflag = t.c_cflag = t.c_lflag = pattern;
        for (cc_t& c : t.c_cc) {
            c = static_cast<cc_t>(pattern);
        }
        inputs.push_back(t);
    }
    return inputs;
}

TEST(LineTermios, SetsClearsAndKeepsEachFlagInItsOwnField) {
    for (const termios& in : Inputs()) {
        SCOPED_TRACE(in.c_iflag);
        const termios out = MakeLineTermios(in);
        for (const Flag& f : kFlags) {
            SCOPED_TRACE(f.name);
            const tcflag_t got = out.*f.field & f.bits;
            switch (f.want) {
                case Want::Set:
                    EXPECT_EQ(got, f.bits);
                    break;
                case Want::Cleared:
                    EXPECT_EQ(got, 0u);
                    break;
                case Want::Kept:
                    EXPECT_EQ(got, in.*f.field & f.bits);
                    break;
            }
        }
        EXPECT_EQ(out.c_cflag & CSIZE, static_cast<tcflag_t>(CS8));
    }
}

TEST(LineTermios, LeavesEveryOtherBitOfEachFieldAlone) {
    const tcflag_t termios::*fields[] = {&termios::c_iflag, &termios::c_oflag, &termios::c_cflag,
                                         &termios::c_lflag};
    for (const termios& in : Inputs()) {
        SCOPED_TRACE(in.c_iflag);
        // The speed setters own some bits (the baud bits of c_cflag, and in some C libraries a
        // private bit elsewhere); what they do is the reference for those.
        termios reference = in;
        cfsetispeed(&reference, B4800);
        cfsetospeed(&reference, B4800);
        const termios out = MakeLineTermios(in);
        for (const tcflag_t termios::*field : fields) {
            tcflag_t named = field == &termios::c_cflag ? CSIZE : 0;
            for (const Flag& f : kFlags) {
                if (f.field == field) {
                    named |= f.bits;
                }
            }
            EXPECT_EQ(out.*field & ~named, reference.*field & ~named);
        }
        EXPECT_EQ(cfgetispeed(&out), static_cast<speed_t>(B4800));
        EXPECT_EQ(cfgetospeed(&out), static_cast<speed_t>(B4800));
        for (int i = 0; i < NCCS; ++i) {
            SCOPED_TRACE(i);
            if (i == VMIN) {
                EXPECT_EQ(out.c_cc[i], 1);
            } else if (i == VTIME) {
                EXPECT_EQ(out.c_cc[i], 0);
            } else {
                EXPECT_EQ(out.c_cc[i], in.c_cc[i]);
            }
        }
    }
}

}  // namespace
}  // namespace wb
