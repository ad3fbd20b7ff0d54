// SPDX-License-Identifier: GPL-3.0-or-later
// The tool end to end on the real serial code against the simulated beacon: the worked example
// of the README (back up, edit the text, write, verify), and a verify that finds a difference.
#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "ToolRun.h"
#include "tests/support/BeaconOnCom1.h"

namespace {

std::string Edited(std::string text, const std::string& from, const std::string& to) {
    const auto at = text.find(from);
    EXPECT_NE(at, std::string::npos) << from;
    return at == std::string::npos ? text : text.replace(at, from.size(), to);
}

}  // namespace

TEST(ToolOnSimulator, ReadEditWriteVerify) {
    wb::test::BeaconOnCom1 com1;
    wb::test::ToolRun run("sim");
    const auto backend = wb::MakePlatformBackend();

    auto r = run.Run(*backend, {"read", run.Path("beacon.toml")});
    ASSERT_EQ(r.code, 0) << r.err;
    run.Put("beacon.toml",
            Edited(Edited(run.Contents("beacon.toml"), "status_text = \"Wrenbeacon\"",
                          "status_text = \"On the road\""),
                   "quiet_time_ms = 1525", "quiet_time_ms = 2000"));

    r = run.Run(*backend, {"write", run.Path("beacon.toml")});
    ASSERT_EQ(r.code, 0) << r.err;
    EXPECT_NE(r.out.find("primary.quiet_time_ms: beacon 2025, file 2000"), std::string::npos)
        << r.out;
    EXPECT_EQ(com1.beacon.Downloads(), 1);

    r = run.Run(*backend, {"verify", run.Path("beacon.toml")});
    EXPECT_EQ(r.code, 0) << r.out << r.err;

    // Someone else changes the beacon: verify names the field.
    auto eeprom = com1.beacon.Eeprom();
    eeprom[2] = 100;
    com1.beacon.SetEeprom(eeprom);
    r = run.Run(*backend, {"--quiet", "verify", run.Path("beacon.toml")});
    EXPECT_EQ(r.code, 1);
    EXPECT_NE(r.out.find("  calibration: beacon 100, file 128\n"), std::string::npos) << r.out;
    EXPECT_EQ(r.err, "");
}
