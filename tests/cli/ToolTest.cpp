// SPDX-License-Identifier: GPL-3.0-or-later
// The tool's commands against the fake serial port: what reaches the beacon, what is printed and
// saved, and the exit codes.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <regex>
#include <string>
#include <vector>

#include "ToolRun.h"
#include "cli/Platform.h"
#include "config/ConfigText.h"
#include "tests/config/ImageSupport.h"
#include "tests/support/FakeSerialBackend.h"

using wb::test::FakeSerialBackend;
using wb::test::ToolRun;

namespace {

const char kBanner[] = "Wrenbeacon 1.0";

std::vector<BYTE> Bytes(const wb::test::Image& image) {
    return {image.begin(), image.end()};
}

std::string Text(const wb::test::Image& image) {
    return {image.begin(), image.end()};
}

// The replies of a version query: a quiet flush, then the banner.
void QueueVersion(FakeSerialBackend& fake) {
    fake.QueueRead(std::vector<BYTE>{});
    fake.QueueRead(kBanner);
}

// The replies of one upload: a quiet flush, then the image.
void QueueUpload(FakeSerialBackend& fake, const std::vector<BYTE>& image) {
    fake.QueueRead(std::vector<BYTE>{});
    fake.QueueRead(image);
}

// Version query and two uploads that agree: a verified read of `image`.
void QueueRead(FakeSerialBackend& fake, const std::vector<BYTE>& image) {
    QueueVersion(fake);
    QueueUpload(fake, image);
    QueueUpload(fake, image);
}

// A download (its flush) and the read-back of `image`.
void QueueWrite(FakeSerialBackend& fake, const std::vector<BYTE>& image) {
    fake.QueueRead(std::vector<BYTE>{});
    QueueUpload(fake, image);
}

bool Contains(const std::string& text, const std::string& part) {
    return text.find(part) != std::string::npos;
}

// The image the beacon was sent: the bytes after ESC D.
std::vector<BYTE> Downloaded(const FakeSerialBackend& fake) {
    const std::vector<BYTE>& w = fake.written();
    for (std::size_t k = 0; k + 1 < w.size(); ++k) {
        if (w[k] == 0x1B && w[k + 1] == 'D') {
            return {w.begin() + static_cast<long>(k) + 2,
                    w.begin() + static_cast<long>(std::min(w.size(), k + 130))};
        }
    }
    return {};
}

}  // namespace

TEST(Tool, RefusesBadCommandLinesAndFilesBeforeTouchingThePort) {
    ToolRun run("usage");
    run.Put("bad.toml", "format = 1\n");
    run.Put("short.bin", std::string(100, 'x'));
    const struct {
        std::initializer_list<std::string> args;
        const char* err;
    } cases[] = {
        {{}, "A subcommand is required"},
        {{"reed", "x.toml"}, "A subcommand is required"},
        {{"read"}, "FILE is required"},
        {{"read", run.Path("x.txt")}, "its name must end in .bin"},
        {{"tone", "1000"}, "1000 not in"},
        {{"--port", "", "version"}, "--port needs COM1 to COM4"},
        {{"write", run.Path("absent.toml")}, "there is no such file"},
        {{"write", run.Path("bad.toml")}, "calibration is missing"},
        {{"verify", run.Path("short.bin")}, "it is 100 bytes long"},
        {{"show", run.Path("bad.toml")}, "calibration is missing"},
        {{"convert", run.Path("short.bin"), run.Path("out.toml")}, "it is 100 bytes long"},
        {{"convert", run.Path("bad.toml"), run.Path("out.txt")}, "its name must end in .bin"},
        {{"--trace", run.Path("no/such/folder/t.log"), "version"}, "Cannot create the trace file"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.err);
        FakeSerialBackend fake;
        const auto r = run.Run(fake, c.args);
        EXPECT_EQ(r.code, 2);
        EXPECT_TRUE(Contains(r.err, c.err)) << r.err;
        EXPECT_TRUE(fake.log().empty());
    }
    EXPECT_FALSE(std::filesystem::exists(run.Path("out.toml")));
}

TEST(Tool, BeaconFailuresGiveTheWindowsMessagesAndExitCodeOne) {
    ToolRun run("beacon");
    const std::vector<BYTE> image = Bytes(wb::test::DefaultImage());
    std::vector<BYTE> other = image;
    other[2] = 0x11;
    run.Put("default.bin", Text(wb::test::DefaultImage()));
    const struct {
        const char* name;
        void (*script)(FakeSerialBackend&, const std::vector<BYTE>&, const std::vector<BYTE>&);
        std::initializer_list<std::string> args;
        std::string err;
    } cases[] = {
        {"no port",
         [](FakeSerialBackend& f, auto&, auto&) { f.FailOpen(1, "unplugged"); },
         {"version"},
         "Error: Count not aquire Com Port\n  unplugged\n"},
        {"silent",
         [](FakeSerialBackend&, auto&, auto&) {},
         {"version"},
         "Error: Wrenbeacon Not Found\n"},
        {"unstable read",
         [](FakeSerialBackend& f, auto& a, auto& b) {
             QueueVersion(f);
             QueueUpload(f, a);
             QueueUpload(f, b);
         },
         {"read", "IMAGE"},
         "Wrenbeacon Read: Read Failed\n"},
        {"short read",
         [](FakeSerialBackend& f, auto& a, auto&) {
             QueueRead(f, std::vector<BYTE>(a.begin(), a.begin() + 127));
         },
         {"read", "IMAGE"},
         "Wrenbeacon Read: Read Failed\n"},
        {"read-back differs",
         [](FakeSerialBackend& f, auto&, auto& b) {
             QueueVersion(f);
             QueueWrite(f, b);
         },
         {"write", "--no-backup", "DEFAULT"},
         "Error: Write Failed\n  The beacon may now hold an incomplete configuration. Check the "
         "cable and write the file again.\n"},
        {"no backup",
         [](FakeSerialBackend& f, auto& a, auto& b) {
             QueueVersion(f);
             QueueUpload(f, a);
             QueueUpload(f, b);
         },
         {"write", "DEFAULT"},
         "Wrenbeacon Read: Read Failed\nNothing was written: the beacon could not be backed up "
         "first.\n"},
        {"verify differs",
         [](FakeSerialBackend& f, auto&, auto& b) { QueueRead(f, b); },
         {"verify", "DEFAULT"},
         "Wrenbeacon Read: Read Successful\n"},
        {"tone, no port",
         [](FakeSerialBackend& f, auto&, auto&) { f.FailOpen(1, "busy"); },
         {"tone", "both"},
         "Error: Count not aquire Com Port\n  busy\n"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        FakeSerialBackend fake;
        c.script(fake, image, other);
        std::vector<std::string> args;
        for (const std::string& a : c.args) {
            args.push_back(a == "IMAGE"     ? run.Path("read.bin")
                           : a == "DEFAULT" ? run.Path("default.bin")
                                            : a);
        }
        wb::test::ToolResult r;
        switch (args.size()) {
            case 1:
                r = run.Run(fake, {args[0]});
                break;
            case 2:
                r = run.Run(fake, {args[0], args[1]});
                break;
            default:
                r = run.Run(fake, {args[0], args[1], args[2]});
        }
        EXPECT_EQ(r.code, 1);
        if (std::string(c.name) == "verify differs") {
            EXPECT_EQ(r.out, "The beacon differs from " + run.Path("default.bin") +
                                 ":\n  calibration: beacon 17, file 128\n");
        } else {
            EXPECT_EQ(r.err, c.err);
        }
        EXPECT_FALSE(std::filesystem::exists(run.Path("read.bin")));
        EXPECT_TRUE(Downloaded(fake).empty() || std::string(c.name) == "read-back differs");
        EXPECT_FALSE(fake.holding());
    }
}

// Read, edit the text, write with a backup, verify: what a user does, on the fake.
TEST(Tool, ReadWriteAndVerifyATextFile) {
    ToolRun run("cycle");
    const std::vector<BYTE> image = Bytes(wb::test::DefaultImage());
    FakeSerialBackend fake;
    QueueRead(fake, image);
    auto r = run.Run(fake, {"read", run.Path("a.toml")});
    ASSERT_EQ(r.code, 0) << r.err;
    EXPECT_EQ(r.err, "Wrenbeacon Read: Read Successful\n");
    CTrackerConfig held;
    wb::test::Decode(held, wb::test::DefaultImage());
    EXPECT_EQ(run.Contents("a.toml"), wb::text::ConfigToText(held));

    // The user types 250 ms again and a callsign in lower case.
    std::string text = run.Contents("a.toml");
    text.replace(text.find("keyup_delay_ms = 253"), 20, "keyup_delay_ms = 250");
    text.replace(text.find("callsign = \"NOCALL\""), 19, "callsign = \"nocall-7\"");
    run.Put("a.toml", text);
    CTrackerConfig wanted = held;
    wanted.SetCallsign("nocall-7");
    wanted.m_nTxDelay[0] = 250;
    wb::test::Image sent = wb::test::Encode(wanted);

    FakeSerialBackend writer;
    QueueRead(writer, image);  // the backup
    QueueWrite(writer, Bytes(sent));
    r = run.Run(writer, {"--quiet", "write", run.Path("a.toml")});
    ASSERT_EQ(r.code, 0) << r.err;
    EXPECT_EQ(r.err, "");
    EXPECT_EQ(Downloaded(writer), Bytes(sent));
    // The backup is the image the beacon held before, and its path is printed.
    const auto backups = run.dir / "data" / "backups";
    ASSERT_TRUE(std::filesystem::exists(backups));
    const auto backup = std::filesystem::directory_iterator(backups)->path();
    EXPECT_TRUE(
        std::regex_match(backup.filename().string(), std::regex(R"(wrenbeacon-\d{8}-\d{6}\.bin)")));
    EXPECT_EQ(
        run.Contents((std::filesystem::path("data") / "backups" / backup.filename()).string()),
        Text(wb::test::DefaultImage()));
    EXPECT_EQ(r.out, "Backup of the beacon's configuration: " + backup.string() +
                         "\nThe beacon holds these values differently from the file:\n"
                         "  primary.callsign: beacon \"NOCALL-7\", file \"nocall-7\"\n"
                         "  primary.keyup_delay_ms: beacon 253, file 250\n");

    // The version query and the verified write go without the second version query a backup
    // has made needless.
    const auto& log = writer.log();
    EXPECT_EQ(std::count(log.begin(), log.end(), "write 56"), 1);

    FakeSerialBackend checker;
    QueueRead(checker, Bytes(sent));
    r = run.Run(checker, {"verify", run.Path("a.toml")});
    EXPECT_EQ(r.code, 0);
    EXPECT_EQ(r.out, "The beacon holds " + run.Path("a.toml") + ".\n");
}

TEST(Tool, ShowsAndConverts) {
    ToolRun run("files");
    run.Put("d.bin", Text(wb::test::DefaultImage()));
    FakeSerialBackend fake;
    ASSERT_EQ(run.Run(fake, {"convert", run.Path("d.bin"), run.Path("d.toml")}).code, 0);
    ASSERT_EQ(run.Run(fake, {"convert", run.Path("d.toml"), run.Path("e.bin")}).code, 0);
    EXPECT_EQ(run.Contents("e.bin"), Text(wb::test::DefaultImage()));
    const auto shown = run.Run(fake, {"show", run.Path("e.bin")});
    EXPECT_EQ(shown.code, 0);
    EXPECT_EQ(shown.out, run.Contents("d.toml"));

    EXPECT_TRUE(fake.log().empty());
}

// Every port in the window's order with what `--port` takes, then the adapters without one.
TEST(Tool, PortsListsEveryPortAndPortTakesAnyNameItPrints) {
    ToolRun run("ports");
    run.scan = [] {
        wb::PortScan scan;
        scan.ports = {
            {"ttyUSB1", "/dev/ttyUSB1", "FT232R USB UART", "FTDI", "0403:6001",
             "/dev/serial/by-id/usb-FTDI_FT232R_USB_UART_A1-if00-port0"},
            {"ttyS0", "/dev/ttyS0", "built-in serial port", "", "", "/dev/ttyS0"},
            {"ttyS1", "/dev/ttyS1", "built-in serial port", "", "", "/dev/ttyS1"},
            {"ttyUSB4", "/dev/ttyUSB4", "CP2102 USB to UART Bridge Controller", "Silicon Labs",
             "10c4:ea60", "/dev/serial/by-id/usb-Silicon_Labs_CP2102_0001-if00-port0"},
            {"ttyACM0", "/dev/ttyACM0", "Arduino Uno", "", "2341:0043", "/dev/ttyACM0"},
        };
        scan.adapters = {{"CH340 USB serial adapter", "1a86:7523", "No driver has taken it."}};
        return scan;
    };
    FakeSerialBackend fake;
    wb::cli::SetVariable("WRENBEACON_COM2", "/dev/beacon");
    const auto ports = run.Run(fake, {"ports"});
    wb::cli::SetVariable("WRENBEACON_COM2", nullptr);
    EXPECT_EQ(ports.code, 0);
    EXPECT_EQ(
        ports.out,
        "PORT  NAME     DESCRIPTION                                        USB ID     OPENS AS\n"
        "COM1  ttyUSB1  FTDI FT232R USB UART                               0403:6001  "
        "/dev/serial/by-id/usb-FTDI_FT232R_USB_UART_A1-if00-port0\n"
        "COM2  -        set by WRENBEACON_COM2                                        "
        "/dev/beacon\n"
        "COM3  ttyS1    built-in serial port                                          "
        "/dev/ttyS1\n"
        "COM4  ttyUSB4  Silicon Labs CP2102 USB to UART Bridge Controller  10c4:ea60  "
        "/dev/serial/by-id/usb-Silicon_Labs_CP2102_0001-if00-port0\n"
        "      ttyS0    built-in serial port                                          "
        "/dev/ttyS0\n"
        "      ttyACM0  Arduino Uno                                        2341:0043  "
        "/dev/ttyACM0\n"
        "\nPlugged in but without a serial port:\n"
        "  CH340 USB serial adapter (1a86:7523): No driver has taken it.\n");
    EXPECT_TRUE(fake.log().empty());

    // A port's name, its stable name and an unknown path open by name; COM1 to COM4 by number.
    const std::pair<std::string, std::string> opened[] = {
        {"ttyACM0", "open /dev/ttyACM0"},
        {"/dev/serial/by-id/usb-FTDI_FT232R_USB_UART_A1-if00-port0", "open /dev/ttyUSB1"},
        {"/dev/pts/9", "open /dev/pts/9"},
        {"com3", "open 3"},
    };
    for (const auto& [name, log] : opened) {
        FakeSerialBackend beacon;
        QueueVersion(beacon);
        EXPECT_EQ(run.Run(beacon, {"--port", name, "version"}).code, 0) << name;
        EXPECT_EQ(beacon.log().front(), log);
    }
}

// Progress only on a terminal, counting the 260 bytes of the two image exchanges.
TEST(Tool, ProgressBarOnlyOnATerminal) {
    ToolRun run("progress");
    for (bool terminal : {false, true}) {
        FakeSerialBackend fake;
        QueueRead(fake, Bytes(wb::test::DefaultImage()));
        const auto r = run.Run(fake, {"read", run.Path("p.bin")}, terminal);
        EXPECT_EQ(r.code, 0);
        EXPECT_EQ(Contains(r.err, "\rReading [" + std::string(30, '#') + "] 260/260 bytes\n"),
                  terminal)
            << r.err;
        EXPECT_EQ(Contains(r.err, "] 0/260 bytes"), terminal);
    }
}

TEST(Tool, TraceNamesTheDeviceAndHoldsBytesAndMessages) {
    ToolRun run("trace");
    FakeSerialBackend fake;
    QueueVersion(fake);
    const auto r =
        run.Run(fake, {"--port", "/dev/ttyUSB7", "--trace", run.Path("t.log"), "version"});
    EXPECT_EQ(r.code, 0);
    EXPECT_EQ(r.out, std::string(kBanner) + "\n");
    EXPECT_EQ(fake.log().front(), "open /dev/ttyUSB7");
    std::string trace = run.Contents("t.log");
    std::erase(trace, '\r');  // a text file ends its lines so on Windows
    for (const char* line :
         {" open /dev/ttyUSB7\n", " > 1B\n", " > 56\n",
          " < 57 72 65 6E 62 65 61 63 6F 6E 20 31 2E 30\n", " close (/dev/ttyUSB7)\n"}) {
        EXPECT_TRUE(Contains(trace, line)) << line << trace;
    }

    FakeSerialBackend silent;
    run.Run(silent, {"--trace", run.Path("t.log"), "version"});
    EXPECT_TRUE(Contains(run.Contents("t.log"), " message Error: Wrenbeacon Not Found"));
}

// A write that fails once the download began says so, and how to put back what the beacon held:
// the backup, written without another backup of the broken configuration.
TEST(Tool, AWriteThatFailsPartWaySaysHowToRestoreTheBeacon) {
    ToolRun run("halfway");
    run.Put("default.bin", Text(wb::test::DefaultImage()));
    const std::string incomplete = "  The beacon may now hold an incomplete configuration. ";
    for (bool backup : {true, false}) {
        SCOPED_TRACE(backup);
        FakeSerialBackend fake;
        const std::vector<BYTE> image = Bytes(wb::test::DefaultImage());
        if (backup) {
            QueueRead(fake, image);
        } else {
            QueueVersion(fake);
        }
        fake.QueueRead(std::vector<BYTE>{});  // the download's flush
        // The banner query, the backup's two uploads, ESC D and 60 bytes of the image.
        fake.Fail(FakeSerialBackend::Call::WriteByte, 3 + (backup ? 4 : 0) + 2 + 61);
        const auto r = backup ? run.Run(fake, {"--port", "COM2", "write", run.Path("default.bin")})
                              : run.Run(fake, {"write", "--no-backup", run.Path("default.bin")});
        EXPECT_EQ(r.code, 1);
        std::string advice = "Check the cable and write the file again.";
        if (backup) {
            const auto saved =
                std::filesystem::directory_iterator(run.dir / "data" / "backups")->path();
            advice =
                "To restore what it held, write the backup: wrenbeacon --port COM2 write "
                "--no-backup \"" +
                saved.string() + "\"";
        }
        EXPECT_EQ(r.err, "Error: ComPort write failed\n" + incomplete + advice + "\n");
    }
}

// Values the image cannot hold are named before a text's record is encoded to be written or
// saved as an image, in the window's words; a .bin, or text to text, changes nothing.
TEST(Tool, WriteAndConvertWarnOfValuesTheImageCannotHold) {
    ToolRun run("limits");
    FakeSerialBackend fake;
    run.Put("d.bin", Text(wb::test::DefaultImage()));
    ASSERT_EQ(run.Run(fake, {"convert", run.Path("d.bin"), run.Path("d.toml")}).code, 0);
    std::string text = run.Contents("d.toml");
    text.replace(text.find("status_every_transmissions = 3"), 30,
                 "status_every_transmissions = 256");
    run.Put("d.toml", text);
    const std::string warning = "Warning: Primary Send every: stored as 0, not 256\n";

    auto r = run.Run(fake, {"--quiet", "convert", run.Path("d.toml"), run.Path("e.bin")});
    EXPECT_EQ(r.code, 0);
    EXPECT_EQ(r.err, warning);
    r = run.Run(fake, {"convert", run.Path("d.toml"), run.Path("e.toml")});
    EXPECT_EQ(r.err, "");
    r = run.Run(fake, {"convert", run.Path("e.bin"), run.Path("f.bin")});
    EXPECT_EQ(r.err, "");

    FakeSerialBackend beacon;  // silent: the warning comes before anything is sent
    r = run.Run(beacon, {"write", "--no-backup", run.Path("d.toml")});
    EXPECT_EQ(r.err, warning + "Error: Wrenbeacon Not Found\n");
}
