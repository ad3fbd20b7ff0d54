// SPDX-License-Identifier: GPL-3.0-or-later
#include "Options.h"

namespace wb::sim {

std::string UsageText() {
    return "Usage: wrenbeacon-sim [OPTIONS] [--run COMMAND [ARGS...]]\n"
           "\n"
           "A simulated Wrenbeacon on a pseudo-terminal. It answers the version query, keeps a\n"
           "128-byte EEPROM (the default configuration unless --eeprom says otherwise), stores\n"
           "downloads, answers uploads at the pace of a 4800-baud line and follows the tone\n"
           "commands.\n"
           "\n"
           "Without --run it prints the terminal's path and runs until Ctrl-C or SIGTERM.\n"
           "\n"
           "Options:\n"
           "  --run COMMAND [ARGS...]  run COMMAND with WRENBEACON_COM1 set to the terminal's\n"
           "                           path, then stop and exit with its status; everything\n"
           "                           after --run belongs to COMMAND\n"
           "  --fault NAME             misbehave in one of the ways below\n"
           "  --banner TEXT            answer the version query with TEXT\n"
           "                           (default \"Wrenbeacon 1.0 (simulated)\")\n"
           "  --log [FILE]             log every byte with its time in ms since the start, its\n"
           "                           direction, hex value and character; to FILE or stderr\n"
           "  --eeprom FILE            start from the 128 bytes in FILE\n"
           "  --lenient                take every command, whatever the line's settings, and\n"
           "                           bytes at any pace (the terminal is raw from the start);\n"
           "                           by default, like the device, commands on a line that is\n"
           "                           not 4800 8N1 raw go unanswered (--log says why), and a\n"
           "                           byte of a command sent less than 9 ms after the one\n"
           "                           before is lost (while the machine is too loaded to tell,\n"
           "                           it is taken on trust, and --log says so)\n"
           "  --save FILE              write the EEPROM's 128 bytes to FILE at exit\n"
           "  --peer FOLDER --com-link LINK\n"
           "                           no beacon: the far end of a raw line for a test in\n"
           "                           another process (a Windows test under Wine), driven\n"
           "                           through files in FOLDER; LINK is pointed at the terminal\n"
           "  --help                   show this text\n"
           "\n"
           "Faults:\n"
           "  none                behaves (the default)\n"
           "  silent              takes commands in but sends nothing\n"
           "  wrong-banner        the banner does not begin with \"Wrenbeacon\"\n"
           "  short-banner        the banner has fewer than 10 characters\n"
           "  short-upload        uploads send 127 bytes\n"
           "  unstable-upload     the last byte of every upload differs from the one before\n"
           "  corrupt-readback    the first upload after a download has one bit flipped\n"
           "  hangup-in-download  hangs up after 64 bytes of a download's image\n"
           "  noise               sends \"\\r\\n$GP\" once the line has been quiet for 100 ms\n"
           "                      while the port is open\n"
           "\n"
           "Exit status: 0 when stopped by a signal, COMMAND's status with --run, 1 when the\n"
           "terminal cannot be created or a file not written, 2 for a mistake on the command "
           "line.\n";
}

std::optional<Options> ParseOptions(const std::vector<std::string>& args, std::string& error) {
    Options options;
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& arg = args[i];
        const bool hasValue = i + 1 < args.size();
        auto value = [&](std::string& into) {
            if (!hasValue) {
                error = arg + " needs a value";
                return false;
            }
            into = args[++i];
            return true;
        };
        if (arg == "--help" || arg == "-h") {
            options.help = true;
        } else if (arg == "--run") {
            options.run.assign(args.begin() + static_cast<std::ptrdiff_t>(i) + 1, args.end());
            if (options.run.empty()) {
                error = "--run needs a command";
                return std::nullopt;
            }
            break;
        } else if (arg == "--fault") {
            std::string name;
            if (!value(name)) {
                return std::nullopt;
            }
            const std::optional<Fault> fault = FaultFromName(name);
            if (!fault) {
                error = "unknown fault '" + name + "'; the faults are: " + FaultNames();
                return std::nullopt;
            }
            options.fault = *fault;
        } else if (arg == "--banner") {
            std::string banner;
            if (!value(banner)) {
                return std::nullopt;
            }
            options.banner = banner;
        } else if (arg == "--log") {
            options.log = true;
            if (hasValue && !args[i + 1].starts_with("-")) {
                options.logFile = args[++i];
            }
        } else if (arg == "--peer") {
            if (!value(options.peerFolder)) {
                return std::nullopt;
            }
        } else if (arg == "--com-link") {
            if (!value(options.peerLink)) {
                return std::nullopt;
            }
        } else if (arg == "--lenient") {
            options.lenient = true;
        } else if (arg == "--eeprom") {
            if (!value(options.eepromFile)) {
                return std::nullopt;
            }
        } else if (arg == "--save") {
            if (!value(options.saveFile)) {
                return std::nullopt;
            }
        } else {
            error = "unknown argument '" + arg + "'";
            return std::nullopt;
        }
    }
    if (options.peerFolder.empty() != options.peerLink.empty()) {
        error = "--peer and --com-link go together";
        return std::nullopt;
    }
    return options;
}

}  // namespace wb::sim
