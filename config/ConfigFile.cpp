// SPDX-License-Identifier: GPL-3.0-or-later
#include "config/ConfigFile.h"

#include <algorithm>
#include <cctype>
#include <fstream>
#include <iterator>
#include <string>
#include <system_error>

#include "config/AtomicFile.h"
#include "config/ConfigText.h"
#include "config/ImageLayout.h"
#include "core/MessageSink.h"
#include "core/PathText.h"

namespace wb {
namespace {

namespace fs = std::filesystem;

// Far more than any configuration text; a larger file is not one, and is not read whole.
constexpr std::uintmax_t kMaxTextBytes = 64 * 1024;

// The file's name, and its folder's, which a reason may give, are kept whole in a box.
bool Tell(const char* what, const fs::path& path, const std::string& why) {
    const std::string name = Utf8Of(path);
    ShowMessage({what + name, {}, why, {name, Utf8Of(path.parent_path())}});
    return true;
}

// Reads at most `limit` + 1 bytes, so that a size check needs no second look at the file.
bool ReadBytes(const fs::path& path, std::uintmax_t limit, std::string& bytes) {
    std::error_code ec;
    if (fs::is_directory(path, ec)) {
        return ReportCannotLoad(path, "it is a folder");
    }
    std::ifstream in(path, std::ios::binary);
    if (!in) {
        return ReportCannotLoad(path, fs::exists(path, ec) ? "it cannot be opened for reading"
                                                           : "there is no such file");
    }
    bytes.resize(static_cast<std::size_t>(limit) + 1);
    in.read(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    if (in.bad()) {
        return ReportCannotLoad(path, "reading it failed");
    }
    bytes.resize(static_cast<std::size_t>(in.gcount()));
    return false;
}

bool LoadImage(const fs::path& path, ConfigFile& file) {
    std::string bytes;
    if (ReadBytes(path, image::kSize, bytes)) {
        return true;
    }
    if (bytes.size() != static_cast<std::size_t>(image::kSize)) {
        std::error_code ec;
        const std::uintmax_t size = fs::file_size(path, ec);
        return ReportCannotLoad(path, "it is " + std::to_string(ec ? bytes.size() : size) +
                                          " bytes long; a configuration image is 128 bytes");
    }
    ConfigFile loaded;
    loaded.image.assign(bytes.begin(), bytes.end());
    // The decoder's reason becomes the detail of the one message that names the file.
    Messages told;
    if (loaded.config.DecodeImage(loaded.image.data(), image::kSize, told)) {
        return ReportCannotLoad(path, told.empty() ? std::string() : told.front().text);
    }
    file = std::move(loaded);
    return false;
}

bool LoadText(const fs::path& path, ConfigFile& file) {
    std::string bytes;
    if (ReadBytes(path, kMaxTextBytes, bytes)) {
        return true;
    }
    if (bytes.size() > kMaxTextBytes) {
        return ReportCannotLoad(path, "it is far larger than a configuration text");
    }
    CTrackerConfig config;
    text::TextError error;
    if (text::TextToConfig(bytes, config, error)) {
        return ReportCannotLoad(path, text::Describe(error));
    }
    file.config = config;
    file.image.clear();
    return false;
}

bool NoKind(const fs::path& path, bool loading) {
    const std::string why = "its name must end in .bin (a device image) or .toml (text)";
    return loading ? ReportCannotLoad(path, why) : ReportCannotSave(path, why);
}

// The bytes that `path` gets for `file`; false (told) when there are none.
bool DataFor(const fs::path& path, const ConfigFile& file, std::string& data) {
    const std::optional<FileKind> kind = FileKindOf(path);
    if (!kind) {
        return !NoKind(path, false);
    }
    if (*kind == FileKind::Text) {
        data = text::ConfigToText(file.config);
        return true;
    }
    std::vector<BYTE> image;
    if (ImageOfConfigFile(file, image)) {
        return false;
    }
    data.assign(image.begin(), image.end());
    return true;
}

}  // namespace

std::optional<FileKind> FileKindOf(const fs::path& path) {
    std::string extension = Utf8Of(path.extension());
    std::transform(extension.begin(), extension.end(), extension.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    if (extension == ".bin") {
        return FileKind::Image;
    }
    if (extension == ".toml") {
        return FileKind::Text;
    }
    return std::nullopt;
}

bool RefuseUnknownKind(const fs::path& path) {
    return !FileKindOf(path) && NoKind(path, false);
}

bool ImageOfConfigFile(const ConfigFile& file, std::vector<BYTE>& image) {
    if (file.image.size() == static_cast<std::size_t>(image::kSize)) {
        image = file.image;
        return false;
    }
    CTrackerConfig config = file.config;  // the encoder's derived flags stay out of `file`
    BYTE built[image::kSize];
    Messages told;
    const int count = config.EncodeImage(built, image::kSize, told);
    ShowMessages(told);  // why there is no image, or that a status text was cut
    if (count == 0) {
        return true;
    }
    image.assign(std::begin(built), std::end(built));
    return false;
}

bool LoadConfigFile(const fs::path& path, ConfigFile& file) {
    const std::optional<FileKind> kind = FileKindOf(path);
    if (!kind) {
        return NoKind(path, true);
    }
    return *kind == FileKind::Image ? LoadImage(path, file) : LoadText(path, file);
}

bool SaveConfigFile(const fs::path& path, const ConfigFile& file) {
    std::string data;
    if (!DataFor(path, file, data)) {
        return true;
    }
    std::string reason;
    return WriteFileAtomically(path, data, reason) && ReportCannotSave(path, reason);
}

fs::path SaveNewConfigFile(const std::function<fs::path(int)>& nameFor, int count,
                           const ConfigFile& file) {
    std::string data;
    if (!DataFor(nameFor(1), file, data)) {
        return {};
    }
    std::string reason;
    const fs::path saved = WriteNewFileAtomically(nameFor, count, data, reason);
    if (saved.empty()) {
        ReportCannotSave(nameFor(1), reason);
    }
    return saved;
}

bool ReportCannotLoad(const fs::path& path, const std::string& why) {
    return Tell("Cannot load the configuration file ", path, why);
}

bool ReportCannotSave(const fs::path& path, const std::string& why) {
    return Tell("Cannot save the configuration file ", path, why);
}

}  // namespace wb
