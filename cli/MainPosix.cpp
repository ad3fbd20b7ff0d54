// SPDX-License-Identifier: GPL-3.0-or-later
// The tool's entry on POSIX systems, where the arguments arrive as the bytes of the file names.
#include <iostream>

#include "cli/Platform.h"
#include "cli/Tool.h"

int main(int argc, char* argv[]) {
    const auto backend = wb::MakePlatformBackend();
    wb::cli::Environment env{*backend, std::cout, std::cerr, wb::cli::StderrIsTerminal(),
                             wb::cli::UserDataFolder()};
    return wb::cli::RunTool(argc, argv, env);
}
