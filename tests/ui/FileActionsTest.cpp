// SPDX-License-Identifier: GPL-3.0-or-later
// Open Configuration and Save Configuration As on fake controls.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>

#include "config/ConfigText.h"
#include "tests/support/TempDir.h"
#include "tests/ui/WindowFixture.h"
#include "ui/FileActions.h"

using namespace wb::res;
namespace fs = std::filesystem;

namespace {

class FileActionsTest : public wb::test::WindowFixture {
protected:
    wb::test::TempDir temp{"wb-ui-files"};
    const fs::path dir = temp.path;

    wb::ui::FileActions files{window.Form(), config};
};

}  // namespace

TEST_F(FileActionsTest, SaveTakesTheFormFirstAndOpenShowsTheFileOnTheSameTab) {
    Type(IDC_CALLSIGN, "ab1cd-3");
    Type(IDC_CALIBRATION, "128");
    ASSERT_FALSE(files.OnSaveConfigAs(dir / "mine.toml"));
    EXPECT_EQ(config.m_bCalDirty, 0);
    std::string text = wb::test::FileContents(dir / "mine.toml");
    EXPECT_NE(text.find("[primary]\ncallsign = \"ab1cd-3\"\n"), std::string::npos);

    // The same file with another calibration and Secondary callsign, opened on the Secondary tab.
    text.replace(text.find("calibration = 128"), 17, "calibration = 140");
    text.replace(text.find("callsign = \"NOCALL\""), 19, "callsign = \"W1AW\"");
    std::ofstream(dir / "other.toml") << text;
    ShowTab(1);
    Type(IDC_CALLSIGN, "typed, not saved");
    ASSERT_FALSE(files.OnOpenConfig(dir / "other.toml"));
    EXPECT_EQ(config.m_nProfile, 1);
    EXPECT_EQ(Text(IDC_CALLSIGN), "W1AW");
    EXPECT_EQ(Text(IDC_CALIBRATION), "140");
    EXPECT_EQ(config.m_bCalDirty, 1);  // the beacon has not been told 140
    EXPECT_TRUE(Shown().empty());

    // Tone buttons remind, as after an edit of the calibration.
    Click(IDC_SEND_1200);
    ASSERT_FALSE(Shown().empty());
    EXPECT_EQ(Shown()[0].second, "Calibration not written");
}

TEST_F(FileActionsTest, ImagesOpenAsAReadAndSaveAsAWrite) {
    // SmartBeaconing values stay when an image has SmartBeaconing off, as after a read.
    Type(IDC_SLOW_RATE, "1234");  // in no image: SmartBeaconing is off
    ASSERT_FALSE(files.OnSaveConfigAs(dir / "held.bin"));
    EXPECT_EQ(wb::test::FileContents(dir / "held.bin").size(), 128u);
    ASSERT_FALSE(files.OnOpenConfig(dir / "held.bin"));
    EXPECT_EQ(Text(IDC_SLOW_RATE), "1234");
    EXPECT_EQ(Text(IDC_TX_DELAY), "253");  // as the beacon would hold it
    EXPECT_EQ(config.m_bCalDirty, 0);

    // A status text that does not fit is cut, with the encoder's notice.
    Type(IDC_STATUS_TEXT, std::string(150, 's'));
    ShowTab(1);
    Type(IDC_STATUS_TEXT, "other");
    ASSERT_FALSE(files.OnSaveConfigAs(dir / "cut.bin"));
    ASSERT_EQ(Shown().size(), 1u);
    EXPECT_EQ(Shown()[0].second, "Status Beacon Text Truncated");
}

TEST_F(FileActionsTest, AFileThatCannotBeOpenedChangesNothing) {
    std::ofstream(dir / "bad.toml") << "format = 1\n";
    Type(IDC_CALLSIGN, "KEEP");
    const CTrackerConfig before = config;
    EXPECT_TRUE(files.OnOpenConfig(dir / "bad.toml"));
    EXPECT_EQ(config, before);
    EXPECT_EQ(Text(IDC_CALLSIGN), "KEEP");
    ASSERT_EQ(Shown().size(), 1u);
    EXPECT_EQ(Shown()[0].first,
              "Cannot load the configuration file " + (dir / "bad.toml").string());
    EXPECT_EQ(messages.messages()[0].detail, "calibration is missing");
}
