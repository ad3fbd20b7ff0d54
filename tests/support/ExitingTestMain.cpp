// SPDX-License-Identifier: GPL-3.0-or-later
// The test programs' main for the WebAssembly build: a program built with Asyncify that returns
// from main leaves its exit status to the runtime, which reports 0; exit() passes it on.
#include <gtest/gtest.h>

#include <cstdlib>

int main(int argc, char** argv) {
    testing::InitGoogleTest(&argc, argv);
    std::exit(RUN_ALL_TESTS());
}
