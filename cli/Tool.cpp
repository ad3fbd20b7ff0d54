// SPDX-License-Identifier: GPL-3.0-or-later
// The command line: options before the command, then one of the commands of Command.h.
#include "cli/Tool.h"

#include <memory>

// GCC's optimiser sees possible null strings deep inside CLI11's own code; not ours to mend.
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wnull-dereference"
#include <CLI/CLI.hpp>
#pragma GCC diagnostic pop

#include "cli/Command.h"
#include "cli/Session.h"

namespace wb::cli {
namespace {

const Command* const kCommands[] = {
    &kVersionCommand, &kReadCommand,    &kWriteCommand, &kVerifyCommand,
    &kShowCommand,    &kConvertCommand, &kToneCommand,  &kPortsCommand,
};

}  // namespace

int RunTool(int argc, const char* const* argv, Environment& env) {
    CLI::App app{"Reads, writes and checks the configuration of a Wrenbeacon position beacon.",
                 "wrenbeacon"};
    app.set_version_flag("--version", std::string("wrenbeacon ") + WB_VERSION);
    app.require_subcommand(1);
    GlobalOptions options;
    app.add_option("--port", options.port,
                   "COM1 to COM4 (mapped as the window maps them), or any name, device or id "
                   "that 'ports' prints, or a device path")
        ->capture_default_str();
    app.add_option("--trace", options.trace,
                   "write every byte to and from the beacon, and every message, to this file");
    app.add_flag("--quiet", options.quiet, "no progress bar and no success messages");

    struct Parsed {
        const Command* command = nullptr;
        Invocation call;
    };
    std::vector<std::unique_ptr<Parsed>> parsed;
    Parsed* chosen = nullptr;
    for (const Command* command : kCommands) {
        Parsed* p = parsed.emplace_back(std::make_unique<Parsed>()).get();
        p->command = command;
        p->call.arguments.resize(command->arguments.size());
        CLI::App* sub = app.add_subcommand(command->name, command->help);
        for (std::size_t k = 0; k < command->arguments.size(); ++k) {
            const Argument& a = command->arguments[k];
            CLI::Option* option = sub->add_option(a.name, p->call.arguments[k], a.help)->required();
            if (!a.choices.empty()) {
                option->check(CLI::IsMember(a.choices));
            }
        }
        for (const Flag& f : command->flags) {
            sub->add_flag_callback(
                f.name, [&call = p->call, name = std::string(f.name)] { call.flags.insert(name); },
                f.help);
        }
        sub->parse_complete_callback([&chosen, p] { chosen = p; });
    }

    try {
        app.parse(argc, argv);
    } catch (const CLI::ParseError& e) {
        return app.exit(e, env.out, env.err) == 0 ? kSuccess : kUsage;
    }
    Session session(env, options);
    if (!session.Begin()) {
        return kUsage;
    }
    return chosen->command->run(session, chosen->call);
}

}  // namespace wb::cli
