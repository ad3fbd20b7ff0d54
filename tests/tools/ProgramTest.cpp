// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

#include "tools/sim/Image.h"

namespace {

struct Result {
    int status = -1;
    std::string output;  // standard output and standard error together
};

// Runs a shell command and waits for it.
Result RunShell(const std::string& command) {
    Result result;
    std::FILE* pipe = popen((command + " 2>&1").c_str(), "r");
    char buffer[512];
    std::size_t got;
    while (pipe != nullptr && (got = std::fread(buffer, 1, sizeof buffer, pipe)) > 0) {
        result.output.append(buffer, got);
    }
    const int status = pipe != nullptr ? pclose(pipe) : -1;
    result.status = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    return result;
}

// Runs wrenbeacon-sim with `arguments` (shell syntax).
Result RunSim(const std::string& arguments) {
    return RunShell(WB_SIM_PROGRAM " " + arguments);
}

class SimProgram : public ::testing::Test {
protected:
    void SetUp() override { std::filesystem::create_directories(dir); }
    void TearDown() override { std::filesystem::remove_all(dir); }

    std::string Path(const char* name) const { return (dir / name).string(); }
    std::string Contents(const char* name) const {
        std::ostringstream content;
        content << std::ifstream(dir / name, std::ios::binary).rdbuf();
        return content.str();
    }

    const std::filesystem::path dir = std::filesystem::temp_directory_path() /
                                      ("wrenbeacon-sim-test-" + std::to_string(getpid()));
};

TEST_F(SimProgram, HelpAndMistakesOnTheCommandLine) {
    Result result = RunSim("--help");
    EXPECT_EQ(result.status, 0);
    EXPECT_NE(result.output.find("Usage: wrenbeacon-sim"), std::string::npos);
    EXPECT_NE(result.output.find("WRENBEACON_COM1"), std::string::npos);

    result = RunSim("--fault loud");
    EXPECT_EQ(result.status, 2);
    EXPECT_NE(result.output.find("unknown fault 'loud'"), std::string::npos) << result.output;

    std::ofstream(dir / "short.bin") << "only a few bytes";
    result = RunSim("--eeprom " + Path("short.bin") + " --run true");
    EXPECT_EQ(result.status, 2);
    EXPECT_NE(result.output.find("holds 16 bytes; an EEPROM image is exactly 128"),
              std::string::npos)
        << result.output;
}

TEST_F(SimProgram, RunGivesTheCommandThePortAndReturnsItsStatus) {
    const Result result =
        RunSim("--run sh -c 'test -c \"$WRENBEACON_COM1\" && echo \"$WRENBEACON_COM1\"'");
    EXPECT_EQ(result.status, 0) << result.output;
    EXPECT_NE(result.output.find("/dev/pts/"), std::string::npos) << result.output;
    EXPECT_EQ(RunSim("--run sh -c 'exit 7'").status, 7);
    EXPECT_EQ(RunSim("--run /nonexistent/program").status, 127);
}

TEST_F(SimProgram, EepromFileIsLoadedAndSaved) {
    std::string image(128, '\0');
    for (std::size_t i = 0; i < image.size(); ++i) {
        image[i] = static_cast<char>(255 - i);
    }
    std::ofstream(dir / "in.bin", std::ios::binary) << image;
    const Result result =
        RunSim("--eeprom " + Path("in.bin") + " --save " + Path("out.bin") + " --run true");
    EXPECT_EQ(result.status, 0) << result.output;
    EXPECT_EQ(Contents("out.bin"), image);
}

TEST_F(SimProgram, RunsUntilTerminatedAndSavesOnTheWayOut) {
    const Result result = RunShell(WB_SIM_PROGRAM " --save " + Path("out.bin") +
                                   " & sleep 0.5; kill -TERM $!; wait $!");
    EXPECT_EQ(result.status, 0) << result.output;
    EXPECT_NE(result.output.find("Simulated Wrenbeacon on /dev/pts/"), std::string::npos)
        << result.output;
    const wb::sim::Image image = wb::sim::DefaultImage();
    EXPECT_EQ(Contents("out.bin"), std::string(image.begin(), image.end()));
}

TEST_F(SimProgram, LogFileShowsBothDirections) {
    // The shell holds the port open on descriptor 3 while the answer comes. It neither sets the
    // line nor paces its bytes: only a lenient beacon answers it, and a strict one says why not.
    const Result strict = RunSim(
        "--log " + Path("strict.log") +
        " --run sh -c 'exec 3<>\"$WRENBEACON_COM1\"; printf \"\\033\\033V\" >&3; sleep 0.2'");
    EXPECT_EQ(strict.status, 0) << strict.output;
    EXPECT_NE(Contents("strict.log").find(" ms  beacon: "), std::string::npos)
        << Contents("strict.log");

    const Result result = RunSim(
        "--lenient --log " + Path("bytes.log") +
        " --run sh -c 'exec 3<>\"$WRENBEACON_COM1\"; printf \"\\033\\033V\" >&3; sleep 0.5'");
    EXPECT_EQ(result.status, 0) << result.output;
    const std::string log = Contents("bytes.log");
    EXPECT_NE(log.find(" ms  host -> beacon  1B  ESC\n"), std::string::npos) << log;
    EXPECT_NE(log.find(" ms  host -> beacon  56  'V'\n"), std::string::npos) << log;
    EXPECT_NE(log.find(" ms  beacon -> host  57  'W'\n"), std::string::npos) << log;
}

}  // namespace
