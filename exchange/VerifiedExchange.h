// SPDX-License-Identifier: GPL-3.0-or-later
// The verified read and the verified write, as every front end runs them: the windows (on a
// worker thread), the page (on its one thread) and the tool. Each asks for the banner first, so
// that no image moves unless a Wrenbeacon answers; then the image's two exchanges move, counted by
// the port's transfer observer; then the outcome is told in the window's words. A read that does
// not end in one image that decodes is "Read Failed". A write that fails once its download began
// may have left the beacon with part of the image, and every message from then on says so, with
// the caller's advice.
//
// Messages go to the message sink as they arise, on the thread that runs the exchange.
#pragma once

#include <functional>
#include <span>
#include <string>
#include <vector>

#include "config/ImageLayout.h"
#include "config/TrackerConfig.h"
#include "link/ComPort.h"
#include "link/DeviceProtocol.h"

namespace wb::exchange {

// The bytes that the two exchanges of a verified read or write move: a two-byte command and the
// image each.
inline constexpr int kImageTraffic = 2 * (static_cast<int>(sizeof(device::kUpload)) + image::kSize);
static_assert(sizeof(device::kUpload) == sizeof(device::kDownload));

// Told the bytes the image's exchanges will move, once the beacon has answered and before the
// first of them moves. May be empty.
using ProgressStart = std::function<void(int bytes)>;

// The banner query, then the verified read (two uploads that agree), decoded into `config` as it
// stands, so that settings the image has switched off keep their values. On success `bytes`
// holds the image's 128 bytes. On failure tells the user, leaves both as they were and returns
// true.
bool VerifiedRead(CComPort& port, const ProgressStart& progress, CTrackerConfig& config,
                  std::vector<BYTE>& bytes);

enum class Banner {
    Ask,    // query the banner first
    Heard,  // the caller has just heard it (a read before the write)
};

// The banner query, unless heard, then the verified write of `bytes` (download, read-back and
// comparison). On failure tells the user and returns true; once a byte of the download went out,
// every message adds "The beacon may now hold an incomplete configuration." and `advice` to its
// detail.
bool VerifiedWrite(CComPort& port, const ProgressStart& progress, std::span<const BYTE> bytes,
                   const std::string& advice, Banner banner = Banner::Ask);

}  // namespace wb::exchange
