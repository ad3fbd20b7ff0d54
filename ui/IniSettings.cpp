// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/IniSettings.h"

#include <fstream>
#include <sstream>
#include <system_error>

#include "config/AtomicFile.h"

namespace wb::ui {
namespace {

// Longer lines are no settings of ours: a damaged file is not read into memory line by line.
constexpr std::size_t kLongestLine = 8192;

std::string Trim(const std::string& text) {
    const auto first = text.find_first_not_of(" \t\r");
    const auto last = text.find_last_not_of(" \t\r");
    return first == std::string::npos ? std::string() : text.substr(first, last - first + 1);
}

}  // namespace

void IniTextSettings::Load(std::istream& in) {
    std::string section;
    std::string line;
    while (std::getline(in, line)) {
        if (line.size() > kLongestLine || line.find('\0') != std::string::npos) {
            continue;
        }
        line = Trim(line);
        if (line.size() >= 2 && line.front() == '[' && line.back() == ']') {
            section = Trim(line.substr(1, line.size() - 2));
        } else if (const auto equals = line.find('='); equals != std::string::npos && equals > 0) {
            const std::string key = Trim(line.substr(0, equals));
            m_values[section.empty() ? key : section + "/" + key] = Trim(line.substr(equals + 1));
        }
    }
}

std::optional<std::string> IniTextSettings::Get(const std::string& key) {
    const auto found = m_values.find(key);
    return found == m_values.end() ? std::nullopt : std::optional<std::string>(found->second);
}

void IniTextSettings::Set(const std::vector<Setting>& values) {
    for (const auto& [key, value] : values) {
        if (value.find_first_of("\r\n") == std::string::npos && value == Trim(value)) {
            m_values[key] = value;
        }
    }
    // Keys in order, so that each section's keys come together under one header.
    std::ostringstream text;
    std::string section = "\x01";
    for (const auto& [key, value] : m_values) {
        const auto slash = key.rfind('/');
        const std::string keySection = slash == std::string::npos ? "" : key.substr(0, slash);
        if (keySection != section) {
            section = keySection;
            text << (text.tellp() > 0 ? "\n" : "") << "[" << section << "]\n";
        }
        text << key.substr(slash == std::string::npos ? 0 : slash + 1) << "=" << value << "\n";
    }
    Keep(text.str());
}

IniSettings::IniSettings(std::filesystem::path file) : m_file(std::move(file)) {
    std::ifstream in(m_file, std::ios::binary);
    Load(in);
}

void IniSettings::Keep(const std::string& text) {
    std::error_code ec;
    std::filesystem::create_directories(m_file.parent_path(), ec);
    std::string reason;
    WriteFileAtomically(m_file, text, reason);
}

}  // namespace wb::ui
