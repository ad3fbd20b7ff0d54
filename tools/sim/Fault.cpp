// SPDX-License-Identifier: GPL-3.0-or-later
#include "Fault.h"

#include <array>
#include <utility>

namespace wb::sim {
namespace {

constexpr std::array<std::pair<Fault, std::string_view>, 9> kNames{{
    {Fault::None, "none"},
    {Fault::Silent, "silent"},
    {Fault::WrongBanner, "wrong-banner"},
    {Fault::ShortBanner, "short-banner"},
    {Fault::ShortUpload, "short-upload"},
    {Fault::UnstableUpload, "unstable-upload"},
    {Fault::CorruptReadback, "corrupt-readback"},
    {Fault::HangupInDownload, "hangup-in-download"},
    {Fault::NoiseBeforeCommand, "noise"},
}};

}  // namespace

std::string_view FaultName(Fault fault) {
    for (const auto& [value, name] : kNames) {
        if (value == fault) {
            return name;
        }
    }
    return "unknown";
}

std::optional<Fault> FaultFromName(std::string_view name) {
    for (const auto& [value, known] : kNames) {
        if (known == name) {
            return value;
        }
    }
    return std::nullopt;
}

std::string FaultNames() {
    std::string names;
    for (const auto& entry : kNames) {
        if (!names.empty()) {
            names += ", ";
        }
        names += entry.second;
    }
    return names;
}

}  // namespace wb::sim
