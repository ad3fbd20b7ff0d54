// SPDX-License-Identifier: GPL-3.0-or-later
// Runs the wrenbeacon tool in-process with captured output and a data folder of its own.
#pragma once

#include <filesystem>
#include <fstream>
#include <functional>
#include <initializer_list>
#include <sstream>
#include <string>
#include <vector>

#include "cli/Tool.h"
#include "core/PathText.h"
#include "tests/support/TempDir.h"

namespace wb::test {

struct ToolResult {
    int code;
    std::string out;
    std::string err;
};

class ToolRun {
public:
    // A fresh folder for this test's files, removed afterwards.
    explicit ToolRun(const std::string& name)
        : temp("wb-cli-" + name), dir(temp.path), dataFolder(dir / "data") {}
    ToolRun(const ToolRun&) = delete;
    ToolRun& operator=(const ToolRun&) = delete;

    ToolResult Run(SerialBackend& backend, std::initializer_list<std::string> args,
                   bool terminal = false) {
        std::vector<std::string> words = {"wrenbeacon"};
        words.insert(words.end(), args.begin(), args.end());
        std::vector<const char*> argv;
        for (const std::string& w : words) {
            argv.push_back(w.c_str());
        }
        std::ostringstream out;
        std::ostringstream err;
        cli::Environment env{backend, out, err, terminal, dataFolder, scan};
        const int code = cli::RunTool(static_cast<int>(argv.size()), argv.data(), env);
        return {code, out.str(), err.str()};
    }

    // `name` (UTF-8, any script) in this test's folder, as an argument of the tool.
    std::string Path(const std::string& name) const { return Utf8Of(dir / PathFromUtf8(name)); }

    std::string Contents(const std::string& name) const {
        return FileContents(dir / PathFromUtf8(name));
    }

    void Put(const std::string& name, const std::string& bytes) const {
        std::ofstream(dir / PathFromUtf8(name), std::ios::binary) << bytes;
    }

    TempDir temp;
    std::filesystem::path dir;
    std::filesystem::path dataFolder;  // the tool's, for its backups
    std::function<PortScan()> scan;    // the machine's ports as the tool sees them; empty: real
};

}  // namespace wb::test
