// SPDX-License-Identifier: GPL-3.0-or-later
// A subcommand as data: its name, its arguments and what runs it. One file per command defines
// one of these; Tool.cpp hands them all to the command-line parser.
#pragma once

#include <filesystem>
#include <set>
#include <string>
#include <vector>

#include "core/PathText.h"

namespace wb::cli {

class Session;

struct Argument {
    const char* name;
    const char* help;
    std::vector<std::string> choices = {};  // empty: any text
};

struct Flag {
    const char* name;  // "--no-backup"
    const char* help;
};

struct Invocation {
    std::vector<std::string> arguments;  // one per Argument, in order, UTF-8 on every system
    std::set<std::string> flags;         // the flags given

    // Argument `k` as a file name.
    std::filesystem::path Path(std::size_t k) const { return PathFromUtf8(arguments[k]); }
};

struct Command {
    const char* name;
    const char* help;
    std::vector<Argument> arguments;  // every one required
    std::vector<Flag> flags;
    int (*run)(Session& session, const Invocation& call);  // returns the exit code
};

extern const Command kVersionCommand;
extern const Command kReadCommand;
extern const Command kWriteCommand;
extern const Command kVerifyCommand;
extern const Command kShowCommand;
extern const Command kConvertCommand;
extern const Command kToneCommand;
extern const Command kPortsCommand;

}  // namespace wb::cli
