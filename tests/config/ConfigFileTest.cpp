// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <string>

#include "ImageSupport.h"
#include "config/ConfigFile.h"
#include "config/ConfigText.h"
#include "tests/support/MessageRecorder.h"
#include "tests/support/TempDir.h"

namespace fs = std::filesystem;
using wb::ConfigFile;
using wb::LoadConfigFile;
using wb::SaveConfigFile;

namespace {

class ConfigFileTest : public ::testing::Test {
protected:
    wb::test::TempDir temp{"wb-files"};
    const fs::path dir = temp.path;

    fs::path Write(const std::string& name, const std::string& bytes) {
        std::ofstream(dir / name, std::ios::binary) << bytes;
        return dir / name;
    }
    static std::string Contents(const fs::path& path) {
        std::string bytes(fs::file_size(path), '\0');
        std::ifstream(path, std::ios::binary).read(bytes.data(), static_cast<long>(bytes.size()));
        return bytes;
    }
    std::vector<std::string> Entries() const {
        std::vector<std::string> names;
        for (const auto& e : fs::directory_iterator(dir)) {
            names.push_back(e.path().filename().string());
        }
        std::sort(names.begin(), names.end());
        return names;
    }

    wb::test::MessageRecorder messages;
};

std::string ImageBytes(const wb::test::Image& image) {
    return std::string(image.begin(), image.end());
}

}  // namespace

TEST_F(ConfigFileTest, KindsFollowTheExtensionInAnyCase) {
    EXPECT_EQ(wb::FileKindOf("a/b.BIN"), wb::FileKind::Image);
    EXPECT_EQ(wb::FileKindOf("b.Toml"), wb::FileKind::Text);
    EXPECT_FALSE(wb::FileKindOf("b.txt"));
    EXPECT_FALSE(wb::FileKindOf("bin"));
}

// A .bin keeps the beacon's bytes as they were, also the ones the decoder never reads.
TEST_F(ConfigFileTest, ImagesAreKeptByteForByteAndTextsAsText) {
    wb::test::Image image = wb::test::DefaultImage();
    image[3] = 0x55;    // the Secondary's copy of the calibration
    image[120] = 0x77;  // the zero fill
    ConfigFile loaded;
    ASSERT_FALSE(LoadConfigFile(Write("held.bin", ImageBytes(image)), loaded));
    EXPECT_EQ(loaded.image, std::vector<BYTE>(image.begin(), image.end()));
    CTrackerConfig expected;
    wb::test::Decode(expected, image);
    EXPECT_EQ(loaded.config, expected);

    ASSERT_FALSE(SaveConfigFile(dir / "copy.bin", loaded));
    EXPECT_EQ(Contents(dir / "copy.bin"), ImageBytes(image));
    ASSERT_FALSE(SaveConfigFile(dir / "copy.toml", loaded));
    EXPECT_EQ(Contents(dir / "copy.toml"), wb::text::ConfigToText(expected));

    // A record without an image is encoded.
    ConfigFile fresh;
    ASSERT_FALSE(SaveConfigFile(dir / "fresh.bin", fresh));
    EXPECT_EQ(Contents(dir / "fresh.bin"), ImageBytes(wb::test::DefaultImage()));
    ConfigFile text;
    ASSERT_FALSE(LoadConfigFile(dir / "copy.toml", text));
    EXPECT_EQ(text.config, expected);
    EXPECT_TRUE(text.image.empty());
    EXPECT_TRUE(messages.messages().empty());
}

TEST_F(ConfigFileTest, RefusedFilesChangeNothingAndSayWhatIsWrong) {
    wb::test::Image damaged = wb::test::DefaultImage();
    damaged[0] = 125;  // a callsign field that would run past byte 127
    const std::string toml = wb::text::ConfigToText(CTrackerConfig());
    fs::create_directories(dir / "folder.toml");
    const struct {
        std::string name;
        std::string bytes;
        std::string detail;
    } cases[] = {
        {"short.bin", std::string(127, '\0'),
         "it is 127 bytes long; a configuration image is 128 bytes"},
        {"long.bin", std::string(129, '\0'),
         "it is 129 bytes long; a configuration image is 128 bytes"},
        {"damaged.bin", ImageBytes(damaged),
         "The configuration image is damaged: the Primary callsign lies outside the 128 bytes."},
        {"bad.toml", toml.substr(0, toml.find("\n[secondary]")), "[secondary] is missing"},
        {"binary.toml", ImageBytes(damaged), ""},
        {"wrong.txt", toml, "its name must end in .bin (a device image) or .toml (text)"},
        {"folder.toml", "", "it is a folder"},
        {"absent.toml", "", "there is no such file"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        if (!fs::exists(dir / c.name)) {
            Write(c.name, c.bytes);
        }
        if (c.name == "absent.toml") {
            fs::remove(dir / c.name);
        }
        ConfigFile file;
        file.config.m_nCalibration = 9;
        file.image = {1, 2, 3};
        messages.clear();
        EXPECT_TRUE(LoadConfigFile(dir / c.name, file));
        EXPECT_EQ(file.config.m_nCalibration, 9);
        EXPECT_EQ(file.image, (std::vector<BYTE>{1, 2, 3}));
        ASSERT_EQ(messages.messages().size(), 1u);
        EXPECT_EQ(messages.messages()[0].text,
                  "Cannot load the configuration file " + (dir / c.name).string());
        if (!c.detail.empty()) {
            EXPECT_EQ(messages.messages()[0].detail, c.detail);
        }
        EXPECT_FALSE(messages.messages()[0].detail.empty());
    }
}

// The target is replaced whole or not at all, and no temporary file is left either way.
TEST_F(ConfigFileTest, SavingReplacesTheFileWholeOrNotAtAll) {
    Write("keep.toml", "old");
    ConfigFile file;
    ASSERT_FALSE(SaveConfigFile(dir / "keep.toml", file));
    EXPECT_EQ(Contents(dir / "keep.toml"), wb::text::ConfigToText(file.config));

    fs::create_directories(dir / "taken.bin");  // a folder cannot be replaced by a file
    EXPECT_TRUE(SaveConfigFile(dir / "taken.bin", file));
    EXPECT_TRUE(SaveConfigFile(dir / "missing" / "x.toml", file));
    EXPECT_TRUE(SaveConfigFile(dir / "plain.txt", file));
    EXPECT_EQ(Entries(), (std::vector<std::string>{"keep.toml", "taken.bin"}));
    ASSERT_EQ(messages.messages().size(), 3u);
    EXPECT_EQ(messages.messages()[0].text,
              "Cannot save the configuration file " + (dir / "taken.bin").string());
    EXPECT_NE(messages.messages()[1].detail.find("cannot create a file in"), std::string::npos);

    // What the encoder refuses is not saved; the refusal is the encoder's own.
    messages.clear();
    for (int i = 0; i < kProfileCount; ++i) {
        file.config.m_nProfile = i;
        file.config.SetPath(std::string(99, ',').c_str());
    }
    EXPECT_TRUE(SaveConfigFile(dir / "long.bin", file));
    EXPECT_FALSE(fs::exists(dir / "long.bin"));
    ASSERT_EQ(messages.texts().size(), 1u);
    EXPECT_EQ(messages.texts()[0].rfind("The callsigns and digipeater paths are too long", 0), 0u);
}
