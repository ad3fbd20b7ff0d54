// SPDX-License-Identifier: GPL-3.0-or-later
// How every front end reads a message's bytes, and which of its words it keeps whole.
#include <gtest/gtest.h>

#include "ui/BoxText.h"

namespace wb::ui {
namespace {

TEST(BoxText, Utf8StaysAndOtherBytesAreLatin1) {
    EXPECT_EQ(ShownText("Bake München/信標 ✓"), "Bake München/信標 ✓");
    // A banner of the beacon's own bytes: e-acute, and a lone continuation byte.
    EXPECT_EQ(ShownText("Wrenbeacon \xE9t\xE9 \x80"), "Wrenbeacon \xC3\xA9t\xC3\xA9 \xC2\x80");
    EXPECT_EQ(ShownText("\xED\xA0\x80"), "\xC3\xAD\xC2\xA0\xC2\x80") << "a surrogate is no UTF-8";
}

TEST(BoxText, ListedNamesStayWholeAndWordsWithSeparatorsToo) {
    const std::string file = "/home/me/Bake München/信標 ✓.toml";
    const Message m{"Cannot load the configuration file " + file,
                    {},
                    "No such device: /dev/ttyUSB0. Or C:\\here",
                    {file, "/home/me/Bake München", "/elsewhere"}};
    EXPECT_EQ(PathsIn(m), (std::vector<std::string>{file, "/dev/ttyUSB0.", "C:\\here"}))
        << "the folder within the file's name and a name not shown are no paths of their own";
    EXPECT_TRUE(PathsIn({"Write Failed", {}, {}}).empty());
}

}  // namespace
}  // namespace wb::ui
