// SPDX-License-Identifier: GPL-3.0-or-later
// How a message box shows a message, decided once for every front end: how its bytes are read,
// and which of its words are file or device names that it keeps whole on one line.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "core/MessageSink.h"

namespace wb::ui {

// A text of a message as UTF-8: as it is when it is UTF-8, otherwise each byte read as Latin-1
// (the beacon's banner and the record's texts are bytes of Latin-1).
std::string ShownText(std::string_view text);

// The names in the message's text and detail that a box must not break: those the message
// lists (which may hold spaces; one that stands only within a longer one is part of it) and
// every other word, between spaces and line ends, with a '/' or a '\' in it (a device, say).
// Each once, in UTF-8, the longest first.
std::vector<std::string> PathsIn(const Message& message);

}  // namespace wb::ui
