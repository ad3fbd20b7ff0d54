// SPDX-License-Identifier: GPL-3.0-or-later
// Ids of the resources and of the controls of the two dialogs.
#pragma once

namespace wb::res {

inline constexpr int IDD_ABOUTBOX = 100;
inline constexpr int IDS_ABOUTBOX = 101;
inline constexpr int IDD_CONFIG_DIALOG = 102;
inline constexpr int IDD_SYMBOL_CHOOSER = 110;
inline constexpr int IDR_MAINFRAME = 128;

// Command ids of the window's menu entries; their low four bits stay zero, as system-menu
// commands need.
inline constexpr unsigned IDM_ABOUTBOX = 0x0010;
inline constexpr unsigned IDM_OPEN_CONFIG = 0x0020;
inline constexpr unsigned IDM_SAVE_CONFIG = 0x0030;

inline constexpr int IDOK = 1;  // "Exit" on the main dialog, "OK" on the About box

inline constexpr int IDC_READ_CONFIG = 1000;
inline constexpr int IDC_WRITE_CONFIG = 1001;
inline constexpr int IDC_READ_VERSION = 1002;
inline constexpr int IDC_COM_PORT = 1003;
inline constexpr int IDC_STOP_SENDING = 1004;
inline constexpr int IDC_SEND_1200 = 1005;
inline constexpr int IDC_SEND_2200 = 1006;
inline constexpr int IDC_SEND_BOTH = 1007;
inline constexpr int IDC_CALLSIGN = 1008;
inline constexpr int IDC_DIGI_PATH = 1009;
inline constexpr int IDC_STATUS_TEXT = 1010;
inline constexpr int IDC_TX_DELAY = 1011;
inline constexpr int IDC_SYMBOL = 1014;
inline constexpr int IDC_SYMBOL_TABLE = 1015;
inline constexpr int IDC_STATUS_EVERY = 1016;
inline constexpr int IDC_TX_INTERVAL = 1017;
inline constexpr int IDC_CALIBRATION = 1018;
inline constexpr int IDC_SLOW_SPEED = 1019;
inline constexpr int IDC_SLOT_OFFSET = 1020;
inline constexpr int IDC_FAST_SPEED = 1021;
inline constexpr int IDC_SLOW_RATE = 1022;
inline constexpr int IDC_FAST_RATE = 1023;
inline constexpr int IDC_MIN_TURN_ANGLE = 1024;
inline constexpr int IDC_TURN_SLOPE = 1025;
inline constexpr int IDC_MIN_TURN_TIME = 1026;
inline constexpr int IDC_MICE_MESSAGE = 1027;
inline constexpr int IDC_MICE_PATH = 1028;
inline constexpr int IDC_FORCE_PRINTABLE = 1029;
inline constexpr int IDC_VALID_ONLY = 1030;
inline constexpr int IDC_MICE_ENABLE = 1031;
inline constexpr int IDC_TIMESLOT_ENABLE = 1032;
inline constexpr int IDC_SMARTBEACON_ENABLE = 1033;
inline constexpr int IDC_PROFILE_TAB = 1034;
inline constexpr int IDC_QUIET_TIME = 1035;
inline constexpr int IDC_ALTITUDE = 1036;
inline constexpr int IDC_TONE_GROUP = 1037;   // the "Tone Test" group box: its title tells the tone
inline constexpr int IDC_IMAGE_USAGE = 1038;  // the line under the form: bytes used, warnings

// Beside the form: the symbol's picture (a button that opens the chooser), the SmartBeaconing
// presets and the button that opens the chart.
inline constexpr int IDC_SYMBOL_PICTURE = 1060;
inline constexpr int IDC_SMARTBEACON_PRESET = 1061;
inline constexpr int IDC_SMARTBEACON_CHART = 1062;

// The symbol chooser (dialog 110). Its Cancel button has the id that Escape sends.
inline constexpr int IDC_SYMBOL_SEARCH = 1070;
inline constexpr int IDC_SYMBOL_GRID = 1071;  // where the front end puts its grid of pictures
inline constexpr int IDC_SYMBOL_PREVIEW = 1072;
inline constexpr int IDC_SYMBOL_NAME = 1073;
inline constexpr int IDC_SYMBOL_CODES = 1074;
inline constexpr int IDC_SYMBOL_OVERLAY = 1075;
inline constexpr int IDC_CHOOSER_CANCEL = 2;

}  // namespace wb::res
