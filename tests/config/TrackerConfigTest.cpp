// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "config/TrackerConfig.h"

TEST(TrackerConfigRecord, TextSettersKeepLimitsOnShownProfile) {
    CTrackerConfig config;
    config.m_nProfile = 1;
    config.SetCallsign(std::string(25, 'A').c_str());
    config.SetPath(std::string(150, 'B').c_str());
    config.SetStatus(std::string(250, 'C').c_str());
    EXPECT_EQ(std::string(config.m_szCallsign[1]), std::string(19, 'A'));
    EXPECT_EQ(std::string(config.m_szPath[1]), std::string(99, 'B'));
    EXPECT_EQ(std::string(config.m_szStatus[1]), std::string(199, 'C'));
    EXPECT_STREQ(config.m_szCallsign[0], "NOCALL");
    EXPECT_STREQ(config.m_szPath[0], "WIDE3-3");
    EXPECT_STREQ(config.m_szStatus[0], "Wrenbeacon");
}
