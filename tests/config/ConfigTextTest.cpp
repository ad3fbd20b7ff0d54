// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <string>

#include "ImageSupport.h"
#include "RandomRecord.h"
#include "config/ConfigText.h"

using wb::text::ConfigToText;
using wb::text::TextError;
using wb::text::TextToConfig;

namespace {

// The lines of `text` from the one that starts with `first` up to the next empty line.
std::string Section(const std::string& text, const std::string& first) {
    const std::size_t from = text.find(first);
    if (from == std::string::npos) {
        return {};
    }
    const std::size_t to = text.find("\n\n", from);
    return text.substr(from, to == std::string::npos ? std::string::npos : to - from + 1);
}

std::string Replace(std::string text, const std::string& from, const std::string& to) {
    const std::size_t at = text.find(from);
    EXPECT_NE(at, std::string::npos) << from;
    return at == std::string::npos ? text : text.replace(at, from.size(), to);
}

// The 1-based number of the first line that starts with `start`.
int LineOf(const std::string& text, const std::string& start) {
    int line = 1;
    for (std::size_t at = 0; at < text.size(); at = text.find('\n', at) + 1, ++line) {
        if (text.compare(at, start.size(), start) == 0) {
            return line;
        }
        if (text.find('\n', at) == std::string::npos) {
            break;
        }
    }
    return -1;
}

CTrackerConfig Read(const std::string& text) {
    CTrackerConfig c;
    TextError error;
    EXPECT_FALSE(TextToConfig(text, c, error)) << wb::text::Describe(error);
    return c;
}

}  // namespace

TEST(ConfigText, DefaultRecordReadsAsTheFormShowsIt) {
    const std::string text = ConfigToText(CTrackerConfig());
    EXPECT_EQ(text.rfind("# Wrenbeacon configuration", 0), 0u);
    EXPECT_EQ(Section(text, "format"), "format = 1\ncalibration = 128\n");
    EXPECT_EQ(Section(text, "[secondary]"),
              "[secondary]\n"
              "callsign = \"NOCALL\"\n"
              "digi_path = \"WIDE3-3\"\n"
              "symbol = \"-\"\n"
              "table_overlay = \"/\"\n"
              "keyup_delay_ms = 250\n"
              "transmit_every_seconds = 60\n"
              "quiet_time_ms = 1500\n"
              "status_text = \"Wrenbeacon\"\n"
              "status_every_transmissions = 3\n"
              "transmit_altitude = true\n"
              "only_send_valid_position = true\n"
              "mic_e_enable = true\n"
              "mic_e_message = \"Off Duty\"\n"
              "mic_e_force_printable = false\n"
              "mic_e_path = \"Conventional\"\n"
              "time_slotting_enable = false\n"
              "transmit_offset_seconds = 15\n"
              "slot_minute = false\n"
              "slot_ten_minute = false\n"
              "smartbeaconing_enable = false\n"
              "min_turn_angle_degrees = 27\n"
              "turn_slope = 255\n"
              "min_turn_time_seconds = 5\n"
              "slow_speed_mph = 2\n"
              "slow_rate_seconds = 1800\n"
              "fast_speed_mph = 65\n"
              "fast_rate_seconds = 90\n");
    EXPECT_EQ(Section(text, "[primary]"),
              Replace(Section(text, "[secondary]"), "secondary", "primary"));
}

// Values the record holds that have no plain form: written so that they read back as they were.
TEST(ConfigText, UnusualValuesAreWrittenSoThatTheyReadBack) {
    CTrackerConfig c;
    c.m_nMicEMessage[0] = -1;  // no list selection at the last save
    c.m_nMicEPath[0] = 16;     // past the list, as an image can hold
    c.m_nMicEMessage[1] = 7;
    c.m_cSymbol[0] = '\0';  // an empty Symbol field
    c.m_cSymbolTable[0] = '"';
    std::strcpy(c.m_szStatus[0], "caf\xE9 \"5\\6\"\t\x01\x7F");  // Latin-1, as the window types
    const std::string text = ConfigToText(c);
    const struct {
        const char* line;
    } lines[] = {{"mic_e_message = -1\n"},
                 {"mic_e_path = 16\n"},
                 {"mic_e_message = \"Emergency!\"\n"},
                 {"symbol = \"\"\n"},
                 {"table_overlay = \"\\\"\"\n"},
                 {"status_text = \"caf\xC3\xA9 \\\"5\\\\6\\\"\\t\\u0001\\u007F\"\n"}};
    for (const auto& l : lines) {
        EXPECT_NE(text.find(l.line), std::string::npos) << l.line;
    }
    EXPECT_EQ(Read(text), c);
    // Beyond ASCII in comments and long strings too, where TOML allows it.
    EXPECT_EQ(ConfigToText(Read(Replace(text, "status_text = \"caf\xC3\xA9",
                                        "# caf\xC3\xA9\nstatus_text = \"caf\xC3\xA9"))),
              ConfigToText(c));
    c.SetStatus("'\xE9'");
    EXPECT_EQ(ConfigToText(Read(Replace(ConfigToText(c), "status_text = \"'\xC3\xA9'\"",
                                        "status_text = \"\"\"'\xC3\xA9'\"\"\""))),
              ConfigToText(c));
}

// Where the parser looks for white space (keys, after values, after a line-ending backslash),
// some characters beyond ASCII used to reach undefined behaviour (found by fuzzing; the
// sanitizer build stops on it). They now read like any other character.
TEST(ConfigText, CharactersBeyondAsciiAreSafeWhereverTheParserMeetsThem) {
    CTrackerConfig c;
    c.SetStatus(
        "\xFC"
        "ber Gr\xFC\xDF"
        "e");  // Latin-1, as the window types it
    const std::string text = ConfigToText(c);
    const std::string status =
        "status_text = \"\xC3\xBC"
        "ber Gr\xC3\xBC\xC3\x9F"
        "e\"";
    ASSERT_NE(text.find(status), std::string::npos);
    // In a long string right after a line-ending backslash, and in comments of any script.
    EXPECT_EQ(Read(Replace(text, status,
                           "# \xD0\x9F\xD1\x80\xD0\xB8 \xEF\xB3\xBF \xE3\x80\x81\n"
                           "status_text = \"\"\"\\\n  \xC3\xBC"
                           "ber Gr\xC3\xBC\xC3\x9F"
                           "e\"\"\"")),
              c);
    using namespace std::string_view_literals;
    const std::string_view refused[] = {
        // A quoted key, and what the fuzzer found.
        "\"caf\xC3\xA9\" = 1\n"sv,
        "ecnds = 60ll+++++mic_e_status_text'\0\0\0\0\xEF\xB3\xBF+++++++\0+++ll~l ll"sv,
        "x = true\xEF\xB3\xBF\n"sv,
        "# \xEE\x80\x80 is kept for the parser's sake\n"sv,
    };
    for (const std::string_view r : refused) {
        SCOPED_TRACE(std::string(r));
        CTrackerConfig config;
        TextError error;
        EXPECT_TRUE(TextToConfig(r, config, error));
        EXPECT_EQ(config, CTrackerConfig());
    }
}

TEST(ConfigText, RecordsAndEncodedImagesSurviveTheText) {
    wb::test::RandomRecords random(20240601);
    int images = 0;
    for (int n = 0; n < 3000; ++n) {
        CTrackerConfig c = random.Next();
        ASSERT_EQ(Read(ConfigToText(c)), c) << ConfigToText(c);

        // An image the encoder makes from a decoded record, read, as text and back, written: the
        // text changes nothing. (Without the text the image can still move: a path read as
        // "A,," ends in empty fields, and a trailing comma writes none, so it settles a field a
        // write.)
        wb::test::Image image{};
        wb::Messages told;  // truncation notices and refusals
        if (c.EncodeImage(image.data(), 128, told) == 0) {
            continue;
        }
        CTrackerConfig decoded = random.Next();
        wb::test::Decode(decoded, image);
        image = wb::test::Encode(decoded);
        wb::test::Decode(decoded, image);
        decoded.m_nProfile = 0;
        CTrackerConfig reread = Read(ConfigToText(decoded));
        ASSERT_EQ(ConfigToText(reread), ConfigToText(decoded));
        CTrackerConfig direct = decoded;
        ASSERT_EQ(wb::test::Encode(reread), wb::test::Encode(direct)) << ConfigToText(decoded);
        ++images;
    }
    EXPECT_GT(images, 1000);
}

TEST(ConfigText, RefusesWhatIsNotAConfigurationAndSaysWhere) {
    const std::string good = ConfigToText(CTrackerConfig());
    const int primary = LineOf(good, "[primary]");
    const int format = LineOf(good, "format");
    const struct {
        std::string text;
        int line;
        std::string key;
        std::string what;  // the start of the reason
    } cases[] = {
        {Replace(good, "turn_slope = 255", "turn_slope = = 255"), primary + 22, "", ""},
        {Replace(good, "calibration = 128", "calibration = 128\ncolour = 1"), format + 2, "colour",
         "is not a key of a configuration"},
        {Replace(good, "symbol = \"-\"", "symbol = \"-\"\nsymbl = \"-\""), primary + 4,
         "primary.symbl", "is not a key of a profile"},
        {Replace(good, "quiet_time_ms = 1500\n", ""), primary, "primary.quiet_time_ms",
         "is missing"},
        {Replace(good, "format = 1\n", ""), 0, "format", "is missing"},
        {Replace(good, "format = 1", "format = 2"), format, "format",
         "is 2; this program reads format 1"},
        {Replace(good, "calibration = 128\n", ""), 0, "calibration", "is missing"},
        {good.substr(0, good.find("\n[secondary]")), 0, "[secondary]", "is missing"},
        {Replace(good, "keyup_delay_ms = 250", "keyup_delay_ms = \"250\""), primary + 5,
         "primary.keyup_delay_ms", "must be an integer, not a string"},
        {Replace(good, "keyup_delay_ms = 250", "keyup_delay_ms = 250.0"), primary + 5,
         "primary.keyup_delay_ms", "must be an integer, not a floating-point number"},
        {Replace(good, "keyup_delay_ms = 250", "keyup_delay_ms = 2147483648"), primary + 5,
         "primary.keyup_delay_ms", "is 2147483648, outside the integers"},
        {Replace(good, "calibration = 128", "calibration = -2147483649"), format + 1, "calibration",
         "is -2147483649, outside the integers"},
        {Replace(good, "mic_e_enable = true", "mic_e_enable = 1"), primary + 12,
         "primary.mic_e_enable", "must be true or false, not an integer"},
        {Replace(good, "callsign = \"NOCALL\"", "callsign = \"NOCALLNOCALLNOCALLNO\""), primary + 1,
         "primary.callsign", "is 20 characters long; it can hold 19"},
        {Replace(good, "status_text = \"Wrenbeacon\"", "status_text = \"a\\u0000b\""), primary + 8,
         "primary.status_text", "holds a NUL character"},
        {Replace(good, "status_text = \"Wrenbeacon\"", "status_text = \"5 \xE2\x82\xAC\""),
         primary + 8, "primary.status_text", "holds the character U+20AC"},
        {Replace(good, "callsign = \"NOCALL\"", "callsign = \xC3\xA9"), primary + 1, "",
         "a character beyond ASCII stands outside quotes"},
        {Replace(good, "symbol = \"-\"", "symbol = \"ab\""), primary + 3, "primary.symbol",
         "must be one character"},
        {Replace(good, "mic_e_path = \"Conventional\"", "mic_e_path = \"Sideways\""), primary + 15,
         "primary.mic_e_path", "is \"Sideways\", which is not one of Conventional, WIDE-1"},
        {Replace(good, "[primary]", "primary = 3\n[primaryx]"), primary, "primary",
         "must be a table, not an integer"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.key + " " + c.what);
        CTrackerConfig config;
        config.m_nCalibration = 7;
        const CTrackerConfig before = config;
        TextError error;
        ASSERT_TRUE(TextToConfig(c.text, config, error));
        EXPECT_EQ(config, before);
        EXPECT_EQ(error.line, c.line);
        EXPECT_EQ(error.key, c.key);
        EXPECT_EQ(error.what.substr(0, c.what.size()), c.what);
        EXPECT_FALSE(error.what.empty());
    }
}

TEST(ConfigText, ErrorsReadAsOneLine) {
    EXPECT_EQ(wb::text::Describe({12, "primary.symbol", "must be one character"}),
              "line 12: primary.symbol must be one character");
    EXPECT_EQ(wb::text::Describe({0, "format", "is missing"}), "format is missing");
    EXPECT_EQ(wb::text::Describe({3, "", "expected a value"}), "line 3: expected a value");
}
