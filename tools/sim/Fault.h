// SPDX-License-Identifier: GPL-3.0-or-later
// The ways the simulated beacon can be told to misbehave.
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace wb::sim {

enum class Fault {
    None,
    Silent,             // its transmit line is dead: it takes commands in but sends nothing
    WrongBanner,        // answers the version query with a banner not starting with "Wrenbeacon"
    ShortBanner,        // answers the version query with fewer than 10 characters
    ShortUpload,        // answers the upload with only the first 127 bytes
    UnstableUpload,     // one byte of every upload differs from the upload before
    CorruptReadback,    // the first upload after a download has one bit flipped; storage is right
    HangupInDownload,   // hangs up (closes its end) halfway through a download's image
    NoiseBeforeCommand  // sends a burst of noise once the line has been quiet for a while
};

// The command-line name of `fault` ("none", "silent", "wrong-banner", ...).
std::string_view FaultName(Fault fault);

// The fault called `name`, if there is one.
std::optional<Fault> FaultFromName(std::string_view name);

// Every name FaultFromName accepts, separated by ", ".
std::string FaultNames();

}  // namespace wb::sim
