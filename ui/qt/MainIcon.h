// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QIcon>

namespace wb::ui {

// Icon 128 with both of its images, 32 x 32 and 16 x 16.
QIcon LoadMainIcon();

}  // namespace wb::ui
