// SPDX-License-Identifier: GPL-3.0-or-later
// Dialogs 102 (the main window) and 100 (the About box). Controls are listed in focus order; each
// label comes right before its field and each unit word right after it. Labels end 2 units left of
// their field and unit words start 2 units right of it; both take the field's row, centred on it.
#include "config/MicELists.h"
#include "res/DialogTemplate.h"
#include "res/ResourceIds.h"
#include "res/Resources.h"
#include "res/SmartBeaconPresets.h"

namespace wb::res {
namespace {

using K = ControlKind;
using namespace style;

constexpr unsigned kEdit = kBorder | kTabStop | kAutoHScroll;
constexpr unsigned kDigits = kEdit | kNumber;
constexpr unsigned kUpper = kEdit | kUpperCase;
constexpr unsigned kLabel = kRight | kCenterV;
constexpr unsigned kUnit = kCenterV;
constexpr unsigned kCheck = kAutoCheckBox | kTabStop;
constexpr unsigned kList = kDropDown | kVScroll | kTabStop;
constexpr unsigned kButton = kTabStop;

constexpr ControlTemplate kConfigControls[] = {
    {kStaticId, K::Static, "Callsign:", kLabel, 10, 25, 38, 13},
    {IDC_CALLSIGN, K::Edit, "", kUpper, 50, 25, 60, 13},
    {kStaticId, K::Static, "Digi Path:", kLabel, 10, 40, 38, 13},
    {IDC_DIGI_PATH, K::Edit, "", kUpper, 50, 40, 105, 13},
    {kStaticId, K::Static, "Symbol:", kLabel, 10, 60, 38, 13},
    {IDC_SYMBOL, K::Edit, "", kEdit, 50, 60, 15, 13},
    {kStaticId, K::Static, "Table / Overlay:", kLabel, 67, 60, 61, 13},
    {IDC_SYMBOL_TABLE, K::Edit, "", kEdit, 130, 60, 15, 13},
    // The symbol as a picture, where the row leaves room; the front end puts the picture on it.
    {IDC_SYMBOL_PICTURE, K::PushButton, "", kButton, 147, 58, 16, 16},

    {kStaticId, K::GroupBox, "Timing", 0, 10, 75, 150, 70},
    {kStaticId, K::Static, "Keyup Delay (TXD):", kLabel, 13, 85, 70, 13},
    {IDC_TX_DELAY, K::Edit, "", kDigits, 85, 85, 25, 13},
    {kStaticId, K::Static, "milliseconds", kUnit, 112, 85, 46, 13},
    {kStaticId, K::Static, "Transmit Every:", kLabel, 13, 100, 70, 13},
    {IDC_TX_INTERVAL, K::Edit, "", kDigits, 85, 100, 25, 13},
    {kStaticId, K::Static, "seconds", kUnit, 112, 100, 46, 13},
    {kStaticId, K::Static, "Quiet Time:", kLabel, 13, 115, 70, 13},
    {IDC_QUIET_TIME, K::Edit, "", kDigits, 85, 115, 25, 13},
    {kStaticId, K::Static, "milliseconds", kUnit, 112, 115, 46, 13},
    {kStaticId, K::Static, "Calibration:", kLabel, 13, 130, 70, 13},
    {IDC_CALIBRATION, K::Edit, "", kDigits, 85, 130, 25, 13},

    {kStaticId, K::GroupBox, "Status Beacon", 0, 10, 145, 150, 40},
    {kStaticId, K::Static, "Text:", kLabel, 13, 155, 20, 13},
    {IDC_STATUS_TEXT, K::Edit, "", kEdit, 35, 155, 119, 13},
    {kStaticId, K::Static, "Send every:", kLabel, 13, 170, 40, 13},
    {IDC_STATUS_EVERY, K::Edit, "", kDigits, 55, 170, 20, 13},
    {kStaticId, K::Static, "transmissions", kUnit, 77, 170, 60, 13},

    {IDC_ALTITUDE, K::CheckBox, "Transmit Altitude", kCheck, 170, 25, 68, 10},
    {IDC_VALID_ONLY, K::CheckBox, "Only Send Valid Position", kCheck, 285, 25, 93, 10},

    {kStaticId, K::GroupBox, "MIC-E Settings", 0, 165, 40, 225, 40},
    {IDC_MICE_ENABLE, K::CheckBox, "Enable", kCheck, 170, 50, 38, 12},
    {kStaticId, K::Static, "Message:", kLabel, 250, 50, 48, 13},
    {IDC_MICE_MESSAGE, K::ComboBox, "", kList, 300, 50, 60, 65},
    {IDC_FORCE_PRINTABLE, K::CheckBox, "Force Printable", kCheck, 170, 65, 63, 12},
    {kStaticId, K::Static, "Path:", kLabel, 250, 65, 48, 13},
    {IDC_MICE_PATH, K::ComboBox, "", kList, 300, 65, 60, 65},

    {kStaticId, K::GroupBox, "Time Slotting", 0, 165, 85, 225, 25},
    {IDC_TIMESLOT_ENABLE, K::CheckBox, "Enable", kCheck, 170, 95, 38, 10},
    {kStaticId, K::Static, "Transmit offset:", kLabel, 235, 95, 64, 13},
    {IDC_SLOT_OFFSET, K::Edit, "", kDigits, 301, 95, 35, 13},
    {kStaticId, K::Static, "seconds", kUnit, 338, 95, 40, 13},

    {kStaticId, K::GroupBox, "SmartBeaconing", 0, 165, 115, 225, 70},
    {IDC_SMARTBEACON_ENABLE, K::CheckBox, "Enable", kCheck, 170, 125, 38, 10},
    {IDC_SMARTBEACON_PRESET, K::ComboBox, "", kVScroll | kTabStop, 210, 123, 47, 80},
    {IDC_SMARTBEACON_CHART, K::PushButton, "Chart", kButton, 259, 123, 23, 13},
    {kStaticId, K::Static, "Min Turn Angle:", kLabel, 167, 140, 56, 13},
    {IDC_MIN_TURN_ANGLE, K::Edit, "", kDigits, 225, 140, 25, 13},
    {kStaticId, K::Static, "degrees", kUnit, 252, 140, 30, 13},
    {kStaticId, K::Static, "Turn Slope:", kLabel, 167, 155, 56, 13},
    {IDC_TURN_SLOPE, K::Edit, "", kDigits, 225, 155, 25, 13},
    {kStaticId, K::Static, "Min Turn Time:", kLabel, 167, 170, 56, 13},
    {IDC_MIN_TURN_TIME, K::Edit, "", kDigits, 225, 170, 25, 13},
    {kStaticId, K::Static, "seconds", kUnit, 252, 170, 30, 13},
    {kStaticId, K::Static, "Slow Speed:", kLabel, 284, 125, 45, 13},
    {IDC_SLOW_SPEED, K::Edit, "", kDigits, 331, 125, 25, 13},
    {kStaticId, K::Static, "MPH", kUnit, 358, 125, 30, 13},
    {kStaticId, K::Static, "Slow Rate:", kLabel, 284, 140, 45, 13},
    {IDC_SLOW_RATE, K::Edit, "", kDigits, 331, 140, 25, 13},
    {kStaticId, K::Static, "seconds", kUnit, 358, 140, 30, 13},
    {kStaticId, K::Static, "Fast Speed:", kLabel, 284, 155, 45, 13},
    {IDC_FAST_SPEED, K::Edit, "", kDigits, 331, 155, 25, 13},
    {kStaticId, K::Static, "MPH", kUnit, 358, 155, 30, 13},
    {kStaticId, K::Static, "Fast Rate:", kLabel, 284, 170, 45, 13},
    {IDC_FAST_RATE, K::Edit, "", kDigits, 331, 170, 25, 13},
    {kStaticId, K::Static, "seconds", kUnit, 358, 170, 30, 13},

    {kStaticId, K::GroupBox, "Configure", 0, 10, 195, 150, 40},
    {IDC_COM_PORT, K::ComboBox, "", kList | kSort, 15, 205, 65, 65},
    {IDC_READ_VERSION, K::PushButton, "Read Version", kButton, 15, 220, 65, 12},
    {IDC_READ_CONFIG, K::PushButton, "Read Configuration", kButton, 90, 205, 65, 12},
    {IDC_WRITE_CONFIG, K::PushButton, "Write Configuration", kButton, 90, 220, 65, 12},

    {IDC_TONE_GROUP, K::GroupBox, "Tone Test", 0, 185, 195, 130, 40},
    {IDC_SEND_1200, K::PushButton, "Send 1200 Hz", kButton, 191, 205, 54, 12},
    {IDC_SEND_2200, K::PushButton, "Send 2200 Hz", kButton, 191, 220, 54, 12},
    {IDC_SEND_BOTH, K::PushButton, "Send Both", kButton, 255, 205, 54, 12},
    {IDC_STOP_SENDING, K::PushButton, "Stop Sending", kButton, 255, 220, 54, 12},

    {IDOK, K::PushButton, "Exit", kDefault | kButton, 345, 210, 40, 12},
    // Under Exit, where a read or write shows its progress instead; two lines may wrap.
    {IDC_IMAGE_USAGE, K::Static, "", kNoPrefix, 320, 224, 78, 16},
    {IDC_PROFILE_TAB, K::Tab, "", kTabStop, 5, 5, 390, 185},
};

// The MIC-E lists' indexes are what the device stores: the order is part of the device format.
using wb::kMicEMessages;
using wb::kMicEPaths;

// Entry i stands for serial port i + 1.
constexpr const char* kComPorts[] = {"COM1", "COM2", "COM3", "COM4"};

constexpr ListInit kConfigLists[] = {
    {IDC_MICE_MESSAGE, kMicEMessages},
    {IDC_MICE_PATH, kMicEPaths},
    {IDC_COM_PORT, kComPorts},
    {IDC_SMARTBEACON_PRESET, kSmartBeaconPresetNames},
};

constexpr DialogTemplate kConfigDialog = {
    IDD_CONFIG_DIALOG, "WrenbeaconConfig", "MS Sans Serif", 8, 402, 241,
    kConfigControls,   kConfigLists,
};

constexpr ControlTemplate kAboutControls[] = {
    {kStaticId, K::Icon, "", 0, 11, 17, 20, 20},
    {kStaticId, K::Static, "WrenbeaconConfig Version 1.00", kNoPrefix, 40, 10, 130, 8},
    {kStaticId, K::Static, "Configures the Wrenbeacon.", kNoPrefix, 40, 22, 130, 8},
    {kStaticId, K::Static, "Free to use, share and change.", kNoPrefix, 40, 34, 130, 8},
    // The symbols' pictures and names are Xastir's (symbols.dat of Debian's xastir-data).
    {kStaticId, K::Static, "Symbol pictures and names from Xastir,", kNoPrefix, 40, 48, 170, 8},
    {kStaticId, K::Static, "The Xastir Group, GPL 2 or later.", kNoPrefix, 40, 58, 170, 8},
    {IDOK, K::PushButton, "OK", kDefault | kGroup | kTabStop, 178, 7, 32, 14},
};

constexpr DialogTemplate kAboutDialog = {
    IDD_ABOUTBOX, "About WrenbeaconConfig", "MS Sans Serif", 8, 217, 73, kAboutControls, {},
};

}  // namespace

const DialogTemplate& ConfigDialogTemplate() {
    return kConfigDialog;
}
const DialogTemplate& AboutDialogTemplate() {
    return kAboutDialog;
}

}  // namespace wb::res
