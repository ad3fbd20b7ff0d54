// SPDX-License-Identifier: GPL-3.0-or-later
// The tool's entry on Windows: the arguments are taken in UTF-16 (linked with -municode), so that
// a file name in any script arrives whole, and turned into UTF-8 once, here. What it prints is
// UTF-8 too; a console shows it as such while the tool runs.
#ifndef WIN32_LEAN_AND_MEAN
#define WIN32_LEAN_AND_MEAN
#endif
#include <windows.h>

#include <iostream>
#include <string>
#include <vector>

#include "cli/Platform.h"
#include "cli/Tool.h"
#include "core/WideUtf8.h"

namespace {

// The console's output code page is shared with the shell that started the tool: given back.
class Utf8Console {
public:
    Utf8Console() : m_previous(GetConsoleOutputCP()) {
        if (m_previous != 0) {
            SetConsoleOutputCP(CP_UTF8);
        }
    }
    ~Utf8Console() {
        if (m_previous != 0) {
            SetConsoleOutputCP(m_previous);
        }
    }
    Utf8Console(const Utf8Console&) = delete;
    Utf8Console& operator=(const Utf8Console&) = delete;

private:
    UINT m_previous;
};

}  // namespace

int wmain(int argc, wchar_t* argv[]) {
    std::vector<std::string> arguments;
    for (int i = 0; i < argc; ++i) {
        arguments.push_back(wb::NarrowToUtf8(argv[i]));
    }
    std::vector<const char*> pointers;
    for (const std::string& argument : arguments) {
        pointers.push_back(argument.c_str());
    }
    const Utf8Console console;
    const auto backend = wb::MakePlatformBackend();
    wb::cli::Environment env{*backend, std::cout, std::cerr, wb::cli::StderrIsTerminal(),
                             wb::cli::UserDataFolder()};
    const int status = wb::cli::RunTool(argc, pointers.data(), env);
    std::cout.flush();
    std::cerr.flush();
    return status;
}
