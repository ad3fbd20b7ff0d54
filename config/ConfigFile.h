// SPDX-License-Identifier: GPL-3.0-or-later
// Configuration files, of two kinds chosen by the file name's extension:
//   .bin   the 128-byte device image exactly as the beacon holds it;
//   .toml  the configuration record as readable text (ConfigText.h).
// Loading is strict: a file that is not what it claims is refused with one message naming it
// and what is wrong, and nothing is changed. Saving replaces the file whole or not at all.
#pragma once

#include <filesystem>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "config/TrackerConfig.h"

namespace wb {

enum class FileKind { Image, Text };

// The kind the extension names (in any letter case), or none.
std::optional<FileKind> FileKindOf(const std::filesystem::path& path);

// True (told) when `path` names neither kind, so that a command can refuse it before it starts.
bool RefuseUnknownKind(const std::filesystem::path& path);

struct ConfigFile {
    CTrackerConfig config;    // m_nProfile and m_bCalDirty are 0 after loading
    std::vector<BYTE> image;  // a .bin's 128 bytes; empty for a text file
};

// The image `file` stands for: a .bin's bytes, or what the encoder makes of the record (with its
// notice when a status text is cut). True (told) when there is none.
bool ImageOfConfigFile(const ConfigFile& file, std::vector<BYTE>& image);

// On failure tells the user, leaves `file` as it was and returns true.
bool LoadConfigFile(const std::filesystem::path& path, ConfigFile& file);

// Saves `file.config` as text, or as a .bin: `file.image` when it holds an image, otherwise
// the image the encoder makes of the record, with its notice when a status text is cut and its
// refusal when the addresses do not fit. On failure tells the user and returns true.
bool SaveConfigFile(const std::filesystem::path& path, const ConfigFile& file);

// The same for a file that must never replace another: saved under the first of `nameFor(1)`,
// `nameFor(2)`, ... `nameFor(count)` that nothing has, also while other programs save under
// these names. The name it took, or empty when it could not be saved (told).
std::filesystem::path SaveNewConfigFile(const std::function<std::filesystem::path(int)>& nameFor,
                                        int count, const ConfigFile& file);

// The messages of the two above, for a file that a front end reads or writes on its own (the
// browser's file pickers): `why` is the platform's reason. Both return true.
bool ReportCannotLoad(const std::filesystem::path& path, const std::string& why);
bool ReportCannotSave(const std::filesystem::path& path, const std::string& why);

}  // namespace wb
