// SPDX-License-Identifier: GPL-3.0-or-later
// Reading the configuration text. toml++ parses; every rule about keys and values is checked
// here, against the key table, so that a file is taken whole or not at all.
#include <toml++/toml.h>
#include <climits>
#include <cstring>
#include <set>
#include <string>

#include "config/ConfigKeys.h"
#include "config/ConfigText.h"
#include "config/MicELists.h"
#include "config/ParserShield.h"

// ParserShield copies a table out of toml++ 3.3.0 and works around a fault in it; another
// version may have changed either. Whoever upgrades toml++ checks the shield against the new
// version first, then changes the version here.
static_assert(TOML_LIB_MAJOR == 3 && TOML_LIB_MINOR == 3 && TOML_LIB_PATCH == 0,
              "toml++ is not 3.3.0: check config/ParserShield against this version (it copies "
              "toml++ 3.3.0's white-space table) before changing the version in this check");

namespace wb::text {
namespace {

// Thrown from deep inside a check; caught once in TextToConfig.
struct Refusal {
    TextError error;
};

[[noreturn]] void Refuse(const toml::source_region& where, std::string key, std::string what) {
    throw Refusal{{static_cast<int>(where.begin.line), std::move(key), std::move(what)}};
}

const char* TypeName(const toml::node& node) {
    switch (node.type()) {
        case toml::node_type::string:
            return "a string";
        case toml::node_type::integer:
            return "an integer";
        case toml::node_type::floating_point:
            return "a floating-point number";
        case toml::node_type::boolean:
            return "a boolean";
        case toml::node_type::table:
            return "a table";
        case toml::node_type::array:
            return "an array";
        default:
            return "a date or time";
    }
}

[[noreturn]] void WrongType(const toml::node& node, const std::string& key, const char* wanted) {
    Refuse(node.source(), key, std::string("must be ") + wanted + ", not " + TypeName(node));
}

int IntegerValue(const toml::node& node, const std::string& key) {
    const auto* value = node.as_integer();
    if (value == nullptr) {
        WrongType(node, key, "an integer");
    }
    const std::int64_t v = value->get();
    if (v < INT_MIN || v > INT_MAX) {
        Refuse(node.source(), key,
               "is " + std::to_string(v) + ", outside the integers the program holds (" +
                   std::to_string(INT_MIN) + " to " + std::to_string(INT_MAX) + ")");
    }
    return static_cast<int>(v);
}

// The string's characters as the record's bytes: UTF-8 to Latin-1.
std::string Latin1Value(const toml::node& node, const std::string& key) {
    const auto* value = node.as_string();
    if (value == nullptr) {
        WrongType(node, key, "a string");
    }
    const std::string& utf8 = value->get();  // the parser has checked that it is UTF-8
    std::string out;
    for (std::size_t k = 0; k < utf8.size();) {
        const auto b = static_cast<unsigned char>(utf8[k]);
        unsigned code = b;
        std::size_t length = 1;
        if (b >= 0xF0) {
            code = b & 0x07u;
            length = 4;
        } else if (b >= 0xE0) {
            code = b & 0x0Fu;
            length = 3;
        } else if (b >= 0xC0) {
            code = b & 0x1Fu;
            length = 2;
        }
        for (std::size_t j = 1; j < length && k + j < utf8.size(); ++j) {
            code = (code << 6) | (static_cast<unsigned char>(utf8[k + j]) & 0x3Fu);
        }
        code = Unshield(code);
        if (code == 0) {
            Refuse(node.source(), key, "holds a NUL character, which no text can hold");
        }
        if (code > 0xFF) {
            char text[96];
            std::snprintf(text, sizeof text,
                          "holds the character U+%04X; the beacon stores only Latin-1 characters",
                          code);
            Refuse(node.source(), key, text);
        }
        out += static_cast<char>(code);
        k += length;
    }
    return out;
}

int ListValue(const toml::node& node, const std::string& key, std::span<const char* const> list) {
    if (node.is_integer()) {
        return IntegerValue(node, key);  // an index outside the list, as the record may hold
    }
    if (!node.is_string()) {
        WrongType(node, key, "an entry of its list or an integer");
    }
    const std::string text = Latin1Value(node, key);
    for (std::size_t k = 0; k < list.size(); ++k) {
        if (text == list[k]) {
            return static_cast<int>(k);
        }
    }
    std::string entries;
    for (std::size_t k = 0; k < list.size(); ++k) {
        entries += (k == 0 ? "" : ", ") + std::string(list[k]);
    }
    Refuse(node.source(), key, "is \"" + text + "\", which is not one of " + entries);
}

void ReadValue(const ProfileKey& key, const toml::node& node, const std::string& name,
               CTrackerConfig& config, int profile) {
    const FieldRef f = key.field(config, profile);
    switch (key.kind) {
        case Kind::Text: {
            const std::string text = Latin1Value(node, name);
            if (text.size() >= static_cast<std::size_t>(f.capacity)) {
                Refuse(node.source(), name,
                       "is " + std::to_string(text.size()) + " characters long; it can hold " +
                           std::to_string(f.capacity - 1));
            }
            std::memset(f.text, 0, static_cast<std::size_t>(f.capacity));
            std::memcpy(f.text, text.data(), text.size());
            return;
        }
        case Kind::Symbol: {
            const std::string text = Latin1Value(node, name);
            if (text.size() > 1) {
                Refuse(node.source(), name,
                       "must be one character (or empty for none), not " +
                           std::to_string(text.size()));
            }
            *f.symbol = text.empty() ? '\0' : text[0];
            return;
        }
        case Kind::Integer:
            *f.integer = IntegerValue(node, name);
            return;
        case Kind::Flag: {
            const auto* value = node.as_boolean();
            if (value == nullptr) {
                WrongType(node, name, "true or false");
            }
            *f.flag = value->get() ? 1 : 0;
            return;
        }
        case Kind::MicEMessage:
            *f.integer = ListValue(node, name, kMicEMessages);
            return;
        case Kind::MicEPath:
            *f.integer = ListValue(node, name, kMicEPaths);
            return;
    }
}

void ReadProfile(const toml::node& node, const std::string& table, CTrackerConfig& config,
                 int profile) {
    const toml::table* values = node.as_table();
    if (values == nullptr) {
        WrongType(node, table, "a table");
    }
    std::set<std::string> seen;
    for (auto&& [name, value] : *values) {
        const std::string full = table + "." + std::string(name.str());
        const ProfileKey* key = nullptr;
        for (const ProfileKey& k : ProfileKeys()) {
            if (name.str() == k.name) {
                key = &k;
            }
        }
        if (key == nullptr) {
            Refuse(name.source(), full, "is not a key of a profile");
        }
        ReadValue(*key, value, full, config, profile);
        seen.insert(key->name);
    }
    for (const ProfileKey& k : ProfileKeys()) {
        if (!seen.contains(k.name)) {
            Refuse(node.source(), table + "." + k.name, "is missing");
        }
    }
}

void ReadRoot(const toml::table& root, CTrackerConfig& config) {
    const toml::node* format = root.get(kFormatKey);
    if (format == nullptr) {
        Refuse({}, kFormatKey, "is missing: this is not a Wrenbeacon configuration");
    }
    if (const int f = IntegerValue(*format, kFormatKey); f != kFormat) {
        Refuse(
            format->source(), kFormatKey,
            "is " + std::to_string(f) + "; this program reads format " + std::to_string(kFormat));
    }
    bool seen[kProfileCount] = {};
    bool calibration = false;
    for (auto&& [name, value] : root) {
        const std::string key(name.str());
        if (key == kFormatKey) {
            continue;
        }
        if (key == kCalibrationKey) {
            config.m_nCalibration = IntegerValue(value, key);
            calibration = true;
            continue;
        }
        int profile = -1;
        for (int i = 0; i < kProfileCount; ++i) {
            if (key == kProfileTables[i]) {
                profile = i;
            }
        }
        if (profile < 0) {
            Refuse(name.source(), key, "is not a key of a configuration");
        }
        ReadProfile(value, key, config, profile);
        seen[profile] = true;
    }
    if (!calibration) {
        Refuse({}, kCalibrationKey, "is missing");
    }
    for (int i = 0; i < kProfileCount; ++i) {
        if (!seen[i]) {
            Refuse({}, std::string("[") + kProfileTables[i] + "]", "is missing");
        }
    }
}

// TOML allows characters beyond ASCII only in strings and comments; this says so more plainly
// than the parser would. Returns the line of the first such character, or 0.
int LineOfBareNonAscii(std::string_view text) {
    enum class In { Nothing, Comment, Basic, Literal, LongBasic, LongLiteral } in = In::Nothing;
    int line = 1;
    const auto at = [text](std::size_t k) { return k < text.size() ? text[k] : '\0'; };
    for (std::size_t k = 0; k < text.size(); ++k) {
        const char c = text[k];
        const bool three = at(k + 1) == c && at(k + 2) == c;
        if (c == '\n') {
            ++line;
            if (in == In::Comment || in == In::Basic || in == In::Literal) {
                in = In::Nothing;  // a single-line string that ends here is the parser's error
            }
            continue;
        }
        switch (in) {
            case In::Nothing:
                if (static_cast<unsigned char>(c) >= 0x80) {
                    return line;
                }
                if (c == '#') {
                    in = In::Comment;
                } else if (c == '"' || c == '\'') {
                    in = three ? (c == '"' ? In::LongBasic : In::LongLiteral)
                               : (c == '"' ? In::Basic : In::Literal);
                    k += three ? 2 : 0;
                }
                break;
            case In::Basic:
            case In::LongBasic:
                if (c == '\\') {
                    k += at(k + 1) == '\n' ? 0 : 1;  // the newline after a backslash still counts
                } else if (c == '"' && (in == In::Basic || three)) {
                    // A long string's closing quotes may follow up to two quotes of its text.
                    while (in == In::LongBasic && at(k + 3) == '"') {
                        ++k;
                    }
                    k += in == In::LongBasic ? 2 : 0;
                    in = In::Nothing;
                }
                break;
            case In::Literal:
            case In::LongLiteral:
                if (c == '\'' && (in == In::Literal || three)) {
                    while (in == In::LongLiteral && at(k + 3) == '\'') {
                        ++k;
                    }
                    k += in == In::LongLiteral ? 2 : 0;
                    in = In::Nothing;
                }
                break;
            case In::Comment:
                break;
        }
    }
    return 0;
}

}  // namespace

bool TextToConfig(std::string_view text, CTrackerConfig& config, TextError& error) {
    if (const int line = LineOfBareNonAscii(text)) {
        error = {line, {}, "a character beyond ASCII stands outside quotes"};
        return true;
    }
    std::string shielded;
    int line = 0;
    if (!ShieldText(text, shielded, line)) {
        error = {line, {}, "holds a private-use character (U+E000 to U+EBFF)"};
        return true;
    }
    CTrackerConfig read;
    try {
        const toml::table root = toml::parse(shielded);
        ReadRoot(root, read);
    } catch (const toml::parse_error& e) {
        error = {static_cast<int>(e.source().begin.line), {}, std::string(e.description())};
        return true;
    } catch (const Refusal& r) {
        error = r.error;
        return true;
    }
    read.m_nProfile = 0;
    read.m_bCalDirty = 0;
    config = read;
    return false;
}

}  // namespace wb::text
