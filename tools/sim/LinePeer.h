// SPDX-License-Identifier: GPL-3.0-or-later
// The device's end of a line for a test that runs in another process (a Windows test under
// Wine): a raw pseudo-terminal, driven through files in a folder that both sides can reach.
//
//   ready        written once the line is up
//   received     every byte from the host, appended as it comes
//   sent         when each byte sent to the host left, in ms on the peer's clock, one a line
//   cmd-N        commands, N = 0, 1, ... in order, one line each (written elsewhere and renamed):
//                  send AFTER GAP HEX   send the bytes, the first AFTER ms from now, GAP ms apart
//                  hangup AFTER         drop the line AFTER ms from now
//                  reset                a fresh line: nothing pending, `received` and `sent`
//                                       emptied
//   ack-N        written once command N has been taken
//
// `link` (e.g. a Wine prefix's dosdevices/com1) is pointed at the terminal, anew on each reset.
#pragma once

#include <string>

namespace wb::sim {

// Runs until SIGINT or SIGTERM; returns the exit status.
int RunLinePeer(const std::string& folder, const std::string& link);

}  // namespace wb::sim
