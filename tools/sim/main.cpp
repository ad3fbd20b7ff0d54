// SPDX-License-Identifier: GPL-3.0-or-later
// wrenbeacon-sim: a simulated Wrenbeacon on a pseudo-terminal. See --help.
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <fstream>
#include <iterator>
#include <memory>
#include <optional>
#include <stdexcept>
#include <string>
#include <vector>

#include "LinePeer.h"
#include "LogLine.h"
#include "Options.h"
#include "SimulatedBeacon.h"

extern char** environ;

namespace {

using wb::sim::Image;
using Clock = std::chrono::steady_clock;

constexpr int kExitFailure = 1;
constexpr int kExitUsage = 2;
constexpr int kExitCannotRun = 127;
constexpr timespec kLogInterval{0, 20'000'000};

int UsageError(const std::string& text) {
    std::fprintf(stderr, "wrenbeacon-sim: %s\nTry 'wrenbeacon-sim --help'.\n", text.c_str());
    return kExitUsage;
}

// The 128 bytes of `path`, or nothing with `error` saying why.
std::optional<Image> LoadImage(const std::string& path, std::string& error) {
    std::ifstream file(path, std::ios::binary);
    if (!file) {
        error = "cannot read '" + path + "': " + std::strerror(errno);
        return std::nullopt;
    }
    const std::vector<char> bytes{std::istreambuf_iterator<char>(file), {}};
    if (bytes.size() != wb::sim::kImageSize) {
        error = "'" + path + "' holds " + std::to_string(bytes.size()) +
                " bytes; an EEPROM image is exactly 128";
        return std::nullopt;
    }
    Image image{};
    std::memcpy(image.data(), bytes.data(), image.size());
    return image;
}

bool SaveImage(const std::string& path, const Image& image) {
    std::ofstream file(path, std::ios::binary | std::ios::trunc);
    file.write(reinterpret_cast<const char*>(image.data()),
               static_cast<std::streamsize>(image.size()));
    file.close();
    if (!file) {
        std::fprintf(stderr, "wrenbeacon-sim: cannot write '%s'\n", path.c_str());
        return false;
    }
    return true;
}

// Starts `command` with WRENBEACON_COM1 set to `device` and the signal mask cleared; returns its
// process id, or -1 after saying why not.
pid_t Spawn(const std::vector<std::string>& command, const std::string& device) {
    std::vector<std::string> environment;
    for (char** entry = environ; *entry != nullptr; ++entry) {
        if (std::strncmp(*entry, "WRENBEACON_COM1=", 16) != 0) {
            environment.emplace_back(*entry);
        }
    }
    environment.push_back("WRENBEACON_COM1=" + device);
    auto pointers = [](std::vector<std::string>& strings) {
        std::vector<char*> out;
        for (std::string& s : strings) {
            out.push_back(s.data());
        }
        out.push_back(nullptr);
        return out;
    };
    std::vector<std::string> argvStrings = command;
    std::vector<char*> argv = pointers(argvStrings);
    std::vector<char*> envp = pointers(environment);

    posix_spawnattr_t attributes;
    posix_spawnattr_init(&attributes);
    sigset_t none;
    sigemptyset(&none);
    posix_spawnattr_setsigmask(&attributes, &none);
    posix_spawnattr_setflags(&attributes, POSIX_SPAWN_SETSIGMASK);
    pid_t child = -1;
    const int result =
        posix_spawnp(&child, argv[0], nullptr, &attributes, argv.data(), envp.data());
    posix_spawnattr_destroy(&attributes);
    if (result != 0) {
        std::fprintf(stderr, "wrenbeacon-sim: cannot run '%s': %s\n", argv[0],
                     std::strerror(result));
        return -1;
    }
    return child;
}

int ExitStatus(int waitStatus) {
    if (WIFEXITED(waitStatus)) {
        return WEXITSTATUS(waitStatus);
    }
    if (WIFSIGNALED(waitStatus)) {
        return 128 + WTERMSIG(waitStatus);
    }
    return kExitFailure;
}

// Writes (or, without a log, just drops) what the beacon has logged since the last call.
void DrainLog(wb::sim::SimulatedBeacon& beacon, std::FILE* log, Clock::time_point start) {
    const std::vector<wb::sim::Remark> remarks = beacon.TakeRemarks();
    auto remark = remarks.begin();
    for (const wb::sim::LoggedByte& byte : beacon.TakeLog()) {
        for (; remark != remarks.end() && remark->at < byte.at; ++remark) {
            if (log != nullptr) {
                std::fprintf(log, "%s\n", wb::sim::FormatLogLine(*remark, start).c_str());
            }
        }
        if (log != nullptr) {
            std::fprintf(log, "%s\n", wb::sim::FormatLogLine(byte, start).c_str());
        }
    }
    for (; remark != remarks.end(); ++remark) {
        if (log != nullptr) {
            std::fprintf(log, "%s\n", wb::sim::FormatLogLine(*remark, start).c_str());
        }
    }
    if (log != nullptr) {
        std::fflush(log);
    }
}

// Runs until SIGINT or SIGTERM, or with a child until it ends (the signals are passed on to it).
// Returns the exit status.
int RunUntilDone(wb::sim::SimulatedBeacon& beacon, pid_t child, const sigset_t& signals,
                 std::FILE* log, Clock::time_point start) {
    for (;;) {
        const int signal = sigtimedwait(&signals, nullptr, &kLogInterval);
        DrainLog(beacon, log, start);
        if (signal == SIGINT || signal == SIGTERM) {
            if (child <= 0) {
                return EXIT_SUCCESS;
            }
            kill(child, signal);
        }
        if (child > 0) {
            int status = 0;
            if (waitpid(child, &status, WNOHANG) == child) {
                return ExitStatus(status);
            }
        }
    }
}

struct FileCloser {
    void operator()(std::FILE* file) const { std::fclose(file); }
};

}  // namespace

int main(int argc, char** argv) {
    std::string error;
    const std::optional<wb::sim::Options> options =
        wb::sim::ParseOptions(std::vector<std::string>(argv + 1, argv + argc), error);
    if (!options) {
        return UsageError(error);
    }
    if (options->help) {
        std::fputs(wb::sim::UsageText().c_str(), stdout);
        return EXIT_SUCCESS;
    }

    if (!options->peerFolder.empty()) {
        return wb::sim::RunLinePeer(options->peerFolder, options->peerLink);
    }

    wb::sim::SimulatedBeacon beacon;
    beacon.SetLenient(options->lenient);
    beacon.SetFault(options->fault);
    if (options->banner) {
        beacon.SetBanner(*options->banner);
    }
    if (!options->eepromFile.empty()) {
        const std::optional<Image> image = LoadImage(options->eepromFile, error);
        if (!image) {
            return UsageError(error);
        }
        beacon.SetEeprom(*image);
    }
    std::unique_ptr<std::FILE, FileCloser> logFile;
    std::FILE* log = nullptr;
    if (options->log) {
        if (options->logFile.empty()) {
            log = stderr;
        } else {
            logFile.reset(std::fopen(options->logFile.c_str(), "w"));
            if (!logFile) {
                return UsageError("cannot write the log '" + options->logFile +
                                  "': " + std::strerror(errno));
            }
            log = logFile.get();
        }
    }

    // Blocked before the beacon's thread starts, so that only sigtimedwait below sees them.
    sigset_t signals;
    sigemptyset(&signals);
    sigaddset(&signals, SIGINT);
    sigaddset(&signals, SIGTERM);
    sigaddset(&signals, SIGCHLD);
    pthread_sigmask(SIG_BLOCK, &signals, nullptr);

    try {
        beacon.Start();
    } catch (const std::runtime_error& failure) {
        std::fprintf(stderr, "wrenbeacon-sim: %s\n", failure.what());
        return kExitFailure;
    }
    const Clock::time_point start = Clock::now();

    pid_t child = 0;
    if (options->run.empty()) {
        std::printf("Simulated Wrenbeacon on %s\nPress Ctrl-C to stop.\n",
                    beacon.DevicePath().c_str());
        std::fflush(stdout);
    } else {
        std::fprintf(stderr, "Simulated Wrenbeacon on %s (WRENBEACON_COM1) for %s\n",
                     beacon.DevicePath().c_str(), options->run.front().c_str());
        child = Spawn(options->run, beacon.DevicePath());
        if (child < 0) {
            return kExitCannotRun;
        }
    }
    int status = RunUntilDone(beacon, child, signals, log, start);
    beacon.Stop();
    DrainLog(beacon, log, start);
    if (!options->saveFile.empty() && !SaveImage(options->saveFile, beacon.Eeprom()) &&
        status == EXIT_SUCCESS) {
        status = kExitFailure;
    }
    return status;
}
