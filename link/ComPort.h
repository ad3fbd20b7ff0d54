// SPDX-License-Identifier: GPL-3.0-or-later
// The serial channel to the beacon and the device commands built on it.
//
// Every failure is told to the user at once as an error box, and the operation then returns
// true (or 0 for counts); callers stop without a message of their own. Each command opens the
// port, talks and closes it again. The one exception: an Open that fails after the device was
// opened (reading or applying the settings) keeps the port held until the next Open closes it.
#pragma once

#include <functional>
#include <memory>
#include <string>

#include "core/Types.h"
#include "link/SerialBackend.h"

class CComPort {
public:
    // Talks through `backend` (the platform's, or a fake in tests), which must outlive the object.
    explicit CComPort(wb::SerialBackend& backend);

    CComPort(const CComPort&) = delete;
    CComPort& operator=(const CComPort&) = delete;

    // Destruction closes nothing: a port still held then stays held until the process ends.
    ~CComPort();

    // Stores the number without judging it; Open does that. Forgets a port set by name.
    void SetPort(int port);

    // From now on Open opens the port `name` ("COM7", "ttyUSB4", "/dev/ttyUSB0"): a port beyond
    // COM1 to COM4, which has no number of its own. m_nPort becomes 0, so an empty name is no
    // port at all ("Invalid Com Port Number"). SetPort chooses by number again.
    void SetPortName(std::string name);
    const std::string& PortName() const { return m_szPortName; }

    bool Open();
    bool Write(const BYTE* data, int count);
    int Read(BYTE* buffer, int count);
    bool Close();

    bool ReadVersion(char* buffer, int size);
    bool Download(const BYTE* image, int count);
    int Upload(BYTE* buffer, int size);
    bool WriteImage(const BYTE* image, int count);
    int ReadImage(BYTE* buffer, int size);
    bool SendTone(char code);

    // Told the number of bytes each time bytes are written to or received from the device, so
    // that a window can show progress. Called on the thread that runs the exchange.
    void SetTransferObserver(std::function<void(int bytes)> observer);

    // Told each time a Wrenbeacon answered the version query on the port, on the thread that
    // runs the exchange: the port is worth remembering.
    void SetAnswerObserver(std::function<void()> observer);
    // From now on, every failure this port tells once a byte has been written since carries
    // `note` as a further line of its detail: what a failure part way means for the beacon. An
    // empty note ends that.
    void SetFailureNote(std::string note);
    // The note, when a byte has been written since it was set; otherwise empty.
    std::string FailureConsequence() const;

    bool IsOpen() const { return m_hPort != wb::kInvalidPort; }

    int m_nPort;             // COM1 to COM4 are valid
    wb::PortHandle m_hPort;  // kInvalidPort exactly while closed

private:
    // The error box, with the failure note where it applies. Always true.
    bool Fail(const char* text, const std::string& detail = {}) const;

    wb::SerialBackend& m_backend;
    std::string m_szPortName;  // the port opened by name, or empty to open COM m_nPort
    wb::TransferObserver m_observer;
    std::function<void()> m_answerObserver;
    long long m_written = 0;  // bytes written over the object's life
    std::string m_note;
    long long m_noteFrom = 0;  // m_written when the note was set
};
