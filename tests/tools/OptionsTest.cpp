// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include "tools/sim/Options.h"

namespace wb::sim {
namespace {

TEST(SimOptions, ReadsEveryOptionAndLeavesTheRestToTheCommand) {
    std::string error;
    auto options = ParseOptions(
        {"--fault", "corrupt-readback", "--banner", "Wrenbeacon 9", "--log", "bytes.log",
         "--eeprom", "in.bin", "--save", "out.bin", "--run", "prog", "--fault", "x"},
        error);
    ASSERT_TRUE(options) << error;
    EXPECT_EQ(options->fault, Fault::CorruptReadback);
    EXPECT_EQ(options->banner, "Wrenbeacon 9");
    EXPECT_EQ(options->logFile, "bytes.log");
    EXPECT_EQ(options->eepromFile, "in.bin");
    EXPECT_EQ(options->saveFile, "out.bin");
    EXPECT_EQ(options->run, (std::vector<std::string>{"prog", "--fault", "x"}));

    options = ParseOptions({"--log", "--fault", "noise"}, error);  // --log without a file
    ASSERT_TRUE(options) << error;
    EXPECT_TRUE(options->log);
    EXPECT_EQ(options->logFile, "");
    EXPECT_EQ(options->fault, Fault::NoiseBeforeCommand);
}

}  // namespace
}  // namespace wb::sim
