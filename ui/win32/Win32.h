// SPDX-License-Identifier: GPL-3.0-or-later
// The one way into the Windows headers for the window's code: lean, without min/max macros, with
// the common controls. IDOK is taken back as a macro, since the resource ids name it
// (res::IDOK, the same value 1).
#pragma once

#ifndef WIN32_LEAN_AND_MEAN
#define WIN32_LEAN_AND_MEAN
#endif
#ifndef NOMINMAX
#define NOMINMAX
#endif
#include <windows.h>
// windows.h first: the common controls build on it.
#include <commctrl.h>

#undef IDOK
