// SPDX-License-Identifier: GPL-3.0-or-later
// The application: runs the main dialog modally; the program ends when it closes.
#pragma once

class CConfigApp {
public:
    // Always false: there is no message loop to enter once the dialog has closed.
    bool InitInstance();
};
