// SPDX-License-Identifier: GPL-3.0-or-later
// A Wrenbeacon on a pseudo-terminal, for tests and demonstrations without hardware.
//
// The beacon runs on a thread of its own. It answers the version query with its banner, keeps
// a 128-byte EEPROM (starting from the default image) that downloads replace, answers uploads at
// the pace of a 4800-baud line, remembers the tone last asked for, and logs every byte both
// ways. A fault switch makes it misbehave in one of the ways a host must cope with.
#pragma once

#include <memory>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

#include "BeaconCore.h"
#include "Fault.h"
#include "Image.h"

namespace wb::sim {

class PseudoTerminal;

class SimulatedBeacon {
public:
    explicit SimulatedBeacon(std::string banner = "Wrenbeacon 1.0 (simulated)");
    ~SimulatedBeacon();  // stops and closes
    SimulatedBeacon(const SimulatedBeacon&) = delete;
    SimulatedBeacon& operator=(const SimulatedBeacon&) = delete;

    // Creates the terminal and starts the beacon; throws std::runtime_error saying what failed.
    // Does nothing while running. After Stop, starts afresh on a new terminal.
    void Start();
    void Stop();

    // The path the host opens as its serial port, e.g. /dev/pts/7.
    const std::string& DevicePath() const { return m_devicePath; }

    // Strict (the default) like the device: a command received while the line is not 4800 8N1
    // raw is ignored, and a byte of a command sent sooner than 9 ms after the one before is
    // lost. Lenient: the terminal is raw from the start and every byte counts. Set before Start.
    void SetLenient(bool lenient);

    void SetFault(Fault fault);  // takes effect from the next command
    void SetBanner(std::string banner);
    Image Eeprom() const;
    void SetEeprom(const Image& image);
    char Tone() const;  // 'x' = silent (initial), '1', '2' or '3'

    std::vector<LoggedByte> Log() const;  // every byte both ways, in order, with its time
    void ClearLog();
    std::vector<LoggedByte> TakeLog();  // Log and ClearLog in one step
    std::vector<Remark> TakeRemarks();  // what was noticed since the last call, in order

    int Downloads() const;  // images received whole and stored
    int Uploads() const;
    int VersionQueries() const;
    int ToneCommands() const;
    bool HungUp() const;  // the beacon closed its end in the middle of a download

private:
    class Device;

    template <class T>
    T Locked(T (BeaconCore::*get)() const) const {
        std::lock_guard<std::mutex> lock(m_mutex);
        return (m_core.*get)();
    }

    mutable std::mutex m_mutex;  // guards the core
    BeaconCore m_core;

    std::string m_devicePath;
    std::unique_ptr<Device> m_device;
    std::thread m_thread;
};

}  // namespace wb::sim
