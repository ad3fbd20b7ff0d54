// SPDX-License-Identifier: GPL-3.0-or-later
// The main window's tooltips: what a value does on the air, its unit, and what the beacon can
// hold (one-byte values 0 to 255, two-byte values 0 to 65535; keyup delay and quiet time are kept
// in the beacon's own steps).
#include "res/ResourceIds.h"
#include "res/Resources.h"

namespace wb::res {
namespace {

constexpr ControlTooltip kTooltips[] = {
    {IDC_CALLSIGN,
     "Your station's callsign, sent as the sender of every report. Add an SSID from 0 to 15 "
     "after a dash, for example K1ABC-9. Up to six letters and digits are sent."},
    {IDC_DIGI_PATH,
     "The digipeaters asked to relay your reports, separated by commas, for example "
     "WIDE1-1,WIDE2-1. Each one takes 7 of the beacon's 128 bytes."},
    {IDC_SYMBOL,
     "The character that picks the symbol other stations show for you on their maps, for "
     "example > for a car or - for a house."},
    {IDC_SYMBOL_TABLE,
     "The symbol table: / for the primary symbols, \\ for the alternate ones, or a digit or "
     "capital letter shown over an alternate symbol."},
    {IDC_SYMBOL_PICTURE,
     "Choose the symbol from pictures of them all, by name; a double click on either field does "
     "the same."},
    {IDC_TX_DELAY,
     "How long the beacon keys the transmitter before the data begins, so that the radio is "
     "ready to send. 0 to 1700 milliseconds, in steps of about 6.7 ms."},
    {IDC_TX_INTERVAL,
     "How often the beacon sends its position, in seconds: 0 to 65535. While SmartBeaconing is "
     "on, it sets the rate instead."},
    {IDC_QUIET_TIME,
     "How long the frequency must be quiet before the beacon transmits, so that it does not "
     "talk over other stations. 0 to 6706 milliseconds, in steps of about 26.3 ms."},
    {IDC_CALIBRATION,
     "Tunes the beacon's tone generator so that its tones come out at 1200 and 2200 Hz. Shared "
     "by both profiles; 0 to 255. Write it to the beacon before testing the tones."},
    {IDC_STATUS_TEXT,
     "A short text the beacon sends in its status reports, for example your name or what you "
     "are doing. It shares the 128 bytes with the callsigns and paths; what does not fit is "
     "cut."},
    {IDC_STATUS_EVERY,
     "How often the status text goes out: once every so many position reports. 0 to 255."},
    {IDC_ALTITUDE, "Adds the altitude the GPS receiver reports to every position report."},
    {IDC_VALID_ONLY,
     "Sends position reports only while the GPS receiver has a fix, so that no stale or empty "
     "position goes out."},
    {IDC_MICE_ENABLE,
     "MIC-E packs position, speed and course into a short packet, so that each report takes "
     "less time on the air. Check to send MIC-E reports instead of plain ones."},
    {IDC_MICE_MESSAGE,
     "The status that MIC-E reports carry, such as En Route. Emergency! alerts every station "
     "that hears you: use it only in a real emergency."},
    {IDC_FORCE_PRINTABLE,
     "Keeps MIC-E reports to printable characters, for stations that cannot show the others."},
    {IDC_MICE_PATH,
     "The relay path of MIC-E reports: Conventional uses the Digi Path above; WIDE-1 to WIDE-7 "
     "ask for that many hops; the directions ask for relays that way."},
    {IDC_TIMESLOT_ENABLE,
     "Time Slotting sends each report at a fixed second of its interval, by the GPS clock, so "
     "that beacons sharing a frequency take turns instead of talking over each other."},
    {IDC_SLOT_OFFSET,
     "When in each interval this beacon sends, in seconds from the interval's start: 0 up to "
     "the Transmit Every interval."},
    {IDC_SMARTBEACON_ENABLE,
     "SmartBeaconing sends more often the faster you go and whenever you turn, and seldom while "
     "you stand still, instead of at a fixed interval."},
    {IDC_SMARTBEACON_PRESET,
     "Fills the seven SmartBeaconing values with settings for walking, cycling, driving in town "
     "or on the highway, or the classic defaults. Custom: the values match none of them."},
    {IDC_SMARTBEACON_CHART,
     "Shows how often the beacon sends at each speed with these values, and how far apart that "
     "puts the beacons."},
    {IDC_MIN_TURN_ANGLE,
     "The least change of course, in degrees, that counts as a turn and sends a report: 0 to "
     "255."},
    {IDC_TURN_SLOPE,
     "Makes slow turns count: at low speed a turn needs this value divided by the speed in "
     "degrees more. 0 to 65535."},
    {IDC_MIN_TURN_TIME, "The least time between two reports sent for turns, in seconds: 0 to 255."},
    {IDC_SLOW_SPEED,
     "At or below this speed, in MPH, the beacon reports at the Slow Rate: 0 to 255."},
    {IDC_SLOW_RATE,
     "How often the beacon reports at or below the Slow Speed, in seconds: 0 to 65535."},
    {IDC_FAST_SPEED,
     "At or above this speed, in MPH, the beacon reports at the Fast Rate: 0 to 255."},
    {IDC_FAST_RATE,
     "How often the beacon reports at or above the Fast Speed, in seconds: 0 to 65535. Between "
     "the two speeds the rate follows the speed."},
    {IDC_READ_VERSION, "Asks the beacon on the chosen port for its version. Changes nothing."},
    {IDC_READ_CONFIG,
     "Reads both profiles and the calibration from the beacon into the form (about 2.5 s)."},
    {IDC_WRITE_CONFIG,
     "Sends both profiles and the calibration to the beacon and reads them back to check them "
     "(about 3.3 s)."},
    {IDC_SEND_1200,
     "Keys the transmitter and plays a 1200 Hz tone with the calibration the beacon holds, "
     "until Stop Sending."},
    {IDC_SEND_2200,
     "Keys the transmitter and plays a 2200 Hz tone with the calibration the beacon holds, "
     "until Stop Sending."},
    {IDC_SEND_BOTH,
     "Keys the transmitter and plays both tones with the calibration the beacon holds, until "
     "Stop Sending."},
    {IDC_STOP_SENDING, "Stops the test tone and unkeys the transmitter."},
    {IDOK, "Closes the window."},
    {IDC_IMAGE_USAGE,
     "How many of the beacon's 128 bytes this configuration needs: callsigns, paths and status "
     "texts share what the settings leave free."},
};

}  // namespace

std::span<const ControlTooltip> ConfigTooltips() {
    return kTooltips;
}

}  // namespace wb::res
