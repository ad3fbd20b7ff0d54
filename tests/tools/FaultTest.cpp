// SPDX-License-Identifier: GPL-3.0-or-later
#include <algorithm>
#include <cctype>

#include "BeaconFixture.h"

namespace wb::test {
namespace {

using namespace std::chrono_literals;

bool StartsWithBannerWord(const Bytes& answer) {
    const std::string word = "wrenbeacon";
    return answer.size() >= word.size() &&
           std::equal(word.begin(), word.end(), answer.begin(),
                      [](char w, std::uint8_t a) { return w == std::tolower(a); });
}

std::size_t Differences(const Bytes& a, const Bytes& b) {
    std::size_t count = 0;
    for (std::size_t i = 0; i < std::min(a.size(), b.size()); ++i) {
        count += a[i] != b[i] ? 1 : 0;
    }
    return count;
}

TEST_F(SimBeacon, SilentBeaconSendsNothingButStillListens) {
    beacon.SetFault(sim::Fault::Silent);
    EXPECT_TRUE(AskVersion().empty());
    EXPECT_TRUE(AskUpload().empty());
    SendDownload(AwkwardImage());
    EXPECT_EQ(ToBytes(beacon.Eeprom()), AwkwardImage());
    EXPECT_TRUE(Values(beacon.Log(), false).empty());
}

TEST_F(SimBeacon, BannerFaultsFailTheBannerCheck) {
    beacon.SetBanner("wReNbEaCoN");
    EXPECT_TRUE(StartsWithBannerWord(AskVersion()));
    beacon.SetFault(sim::Fault::WrongBanner);
    const Bytes wrong = AskVersion();
    EXPECT_GE(wrong.size(), 10u);
    EXPECT_FALSE(StartsWithBannerWord(wrong));
    beacon.SetFault(sim::Fault::ShortBanner);
    const Bytes shortBanner = AskVersion();
    EXPECT_FALSE(shortBanner.empty());
    EXPECT_LT(shortBanner.size(), 10u);
}

TEST_F(SimBeacon, ShortUploadLeavesOffTheLastByteUntilCleared) {
    const Bytes image = ToBytes(sim::DefaultImage());
    beacon.SetFault(sim::Fault::ShortUpload);
    EXPECT_EQ(AskUpload(), Bytes(image.begin(), image.end() - 1));
    beacon.SetFault(sim::Fault::None);
    EXPECT_EQ(AskUpload(), image);
}

TEST_F(SimBeacon, UnstableUploadsDifferFromOneToTheNext) {
    beacon.SetFault(sim::Fault::UnstableUpload);
    const Bytes first = AskUpload();
    const Bytes second = AskUpload();
    ASSERT_EQ(first.size(), sim::kImageSize);
    ASSERT_EQ(second.size(), sim::kImageSize);
    EXPECT_EQ(Differences(first, second), 1u);
    EXPECT_EQ(beacon.Eeprom(), sim::DefaultImage());
}

TEST_F(SimBeacon, CorruptReadbackSpoilsOnlyTheUploadAfterADownload) {
    beacon.SetFault(sim::Fault::CorruptReadback);
    EXPECT_EQ(AskUpload(), ToBytes(sim::DefaultImage()));
    const Bytes image = AwkwardImage();
    SendDownload(image);
    const Bytes readBack = AskUpload();
    ASSERT_EQ(readBack.size(), sim::kImageSize);
    EXPECT_EQ(Differences(readBack, image), 1u);
    EXPECT_EQ(ToBytes(beacon.Eeprom()), image);
    EXPECT_EQ(AskUpload(), image);
}

TEST_F(SimBeacon, HangupInDownloadCutsTheHostOff) {
    beacon.SetFault(sim::Fault::HangupInDownload);
    {
        PtyHost host(beacon.DevicePath());
        ASSERT_TRUE(host.IsOpen());
        EXPECT_FALSE(host.Write(DownloadCommand(AwkwardImage())));
    }
    EXPECT_TRUE(beacon.HungUp());
    EXPECT_EQ(beacon.Downloads(), 0);
    EXPECT_EQ(beacon.Eeprom(), sim::DefaultImage());
    EXPECT_EQ(beacon.Log().size(), 2 + sim::kImageSize / 2);
    EXPECT_FALSE(PtyHost(beacon.DevicePath()).IsOpen());
}

TEST_F(SimBeacon, NoiseComesOncePerQuietSpellAndTheFlushReadTakesIt) {
    beacon.SetFault(sim::Fault::NoiseBeforeCommand);
    for (int round = 0; round < 2; ++round) {
        PtyHost host(beacon.DevicePath());
        // However long the flush read waits, the noise comes once.
        EXPECT_EQ(host.Read(100, 600ms, 600ms), ToBytes(std::string("\r\n$GP"))) << round;
        ASSERT_TRUE(host.Write(round == 0 ? kVersionQuery : kUpload));
        EXPECT_EQ(host.ReadLikeHost(200), round == 0 ? kBanner : ToBytes(sim::DefaultImage()));
    }
}

}  // namespace
}  // namespace wb::test
