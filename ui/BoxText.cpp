// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/BoxText.h"

#include <algorithm>

namespace wb::ui {
namespace {

// The length of the UTF-8 sequence at the start of `text`, or 0 when none begins there.
std::size_t SequenceLength(std::string_view text) {
    const auto byte = [&](std::size_t i) { return static_cast<unsigned char>(text[i]); };
    const unsigned char lead = byte(0);
    if (lead < 0x80) {
        return 1;
    }
    // The range of the second byte, narrower after some leads: no overlong forms, no
    // surrogates, nothing above U+10FFFF.
    std::size_t length = 0;
    unsigned char low = 0x80, high = 0xBF;
    if (lead >= 0xC2 && lead <= 0xDF) {
        length = 2;
    } else if (lead >= 0xE0 && lead <= 0xEF) {
        length = 3;
        low = lead == 0xE0 ? 0xA0 : 0x80;
        high = lead == 0xED ? 0x9F : 0xBF;
    } else if (lead >= 0xF0 && lead <= 0xF4) {
        length = 4;
        low = lead == 0xF0 ? 0x90 : 0x80;
        high = lead == 0xF4 ? 0x8F : 0xBF;
    } else {
        return 0;
    }
    if (text.size() < length || byte(1) < low || byte(1) > high) {
        return 0;
    }
    for (std::size_t i = 2; i < length; ++i) {
        if (byte(i) < 0x80 || byte(i) > 0xBF) {
            return 0;
        }
    }
    return length;
}

bool IsUtf8(std::string_view text) {
    while (!text.empty()) {
        const std::size_t length = SequenceLength(text);
        if (length == 0) {
            return false;
        }
        text.remove_prefix(length);
    }
    return true;
}

void Add(std::vector<std::string>& paths, const std::string& path) {
    if (std::find(paths.begin(), paths.end(), path) == paths.end()) {
        paths.push_back(path);
    }
}

// Longest first, so that a name is taken before a shorter one inside it (its folder).
void LongestFirst(std::vector<std::string>& paths) {
    std::stable_sort(paths.begin(), paths.end(), [](const std::string& a, const std::string& b) {
        return a.size() > b.size();
    });
}

// Blanks out every place where `name` stands in `text`; true when there was one.
bool BlankOut(std::string& text, const std::string& name) {
    bool found = false;
    for (std::size_t at = text.find(name); at != std::string::npos; at = text.find(name, at)) {
        text.replace(at, name.size(), name.size(), ' ');
        found = true;
    }
    return found;
}

}  // namespace

std::string ShownText(std::string_view text) {
    if (IsUtf8(text)) {
        return std::string(text);
    }
    std::string utf8;
    for (const char c : text) {
        const auto byte = static_cast<unsigned char>(c);
        if (byte < 0x80) {
            utf8 += c;
        } else {
            utf8 += static_cast<char>(0xC0 | (byte >> 6));
            utf8 += static_cast<char>(0x80 | (byte & 0x3F));
        }
    }
    return utf8;
}

std::vector<std::string> PathsIn(const Message& message) {
    std::string shown = ShownText(message.text) + "\n" + ShownText(message.detail);
    std::vector<std::string> listed = message.paths;
    LongestFirst(listed);
    std::vector<std::string> paths;
    // A listed name is one whole: neither a shorter one within it (its folder) nor its words
    // count on their own.
    for (const std::string& name : listed) {
        if (!name.empty() && BlankOut(shown, name)) {
            Add(paths, name);
        }
    }
    std::size_t start = 0;
    while (start < shown.size()) {
        const std::size_t end = std::min(shown.find_first_of(" \n", start), shown.size());
        const std::string word = shown.substr(start, end - start);
        if (word.find_first_of("/\\") != std::string::npos) {
            Add(paths, word);
        }
        start = end + 1;
    }
    LongestFirst(paths);
    return paths;
}

}  // namespace wb::ui
