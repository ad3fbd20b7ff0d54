// SPDX-License-Identifier: GPL-3.0-or-later
// The seven device actions of the "Configure" and "Tone Test" groups: read the version banner,
// read the configuration into the form, write the form's configuration with verification, and
// the tone test. The exchanges with the device run through the host, in the background; the form
// and the record are touched only on the window's thread, before and after them. An action never
// starts while another one runs.
//
// Beyond that, the actions protect what the user has: Read Configuration asks before it replaces
// changes that were not written, a write that fails once the image began to go out says what the
// beacon may now hold, and the tone the beacon was last told to play is shown and can be stopped
// when the window closes.
#pragma once

#include <atomic>
#include <functional>
#include <string>

#include "config/TrackerConfig.h"
#include "exchange/VerifiedExchange.h"
#include "link/ComPort.h"
#include "ui/ActionHost.h"
#include "ui/CleanRecord.h"
#include "ui/ConfigForm.h"
#include "ui/ControlAccess.h"

namespace wb::ui {

// What the beacon was last told to play; Unknown after a tone command that failed part way.
enum class ToneState { Off, Tone1200, Tone2200, Both, Unknown };

class DeviceActions {
public:
    DeviceActions(ControlAccess& controls, ConfigForm& form, CTrackerConfig& config, CComPort& port,
                  ActionHost& host, CleanRecord& clean);

    // True from the start of an action until its last message has been answered.
    bool IsBusy() const { return m_busy; }
    ToneState Tone() const { return m_tone; }

    void OnReadVersion();
    void OnReadConfig();
    void OnWriteConfig();
    void OnSend1200();
    void OnSend2200();
    void OnSendBoth();
    void OnStopSending();

    // When a tone may still be on: sends the stop sequence to the port that last took a tone
    // command, without the calibration warning. Nothing otherwise.
    void StopToneOnClose();

    // The last line of what a failed write says: what to do about a beacon that may hold an
    // incomplete configuration.
    void SetWriteFailureAdvice(std::string advice) { m_writeAdvice = std::move(advice); }

    // How the port list's selection becomes the port the next exchange opens, called at the
    // start of every action. Without it entry i of the list is COM i+1.
    void SetPortSelector(std::function<void()> select) { m_selectPort = std::move(select); }

private:
    void SelectPort();
    void SendTone(char code);
    bool RunTone(char code);
    void ShowTone(ToneState tone);
    // Runs `work` in the background. An exception that ends it is an error box that says the
    // action stopped, and a failed result; the port is released.
    bool RunExchange(const std::function<bool()>& work);
    bool Stopped(const std::string& what);
    // The same, with the progress indicator shown for the image's exchanges.
    bool RunImageExchange(const std::function<bool()>& moveImage);
    exchange::ProgressStart ExpectImage();

    ControlAccess& m_controls;
    ConfigForm& m_form;
    CTrackerConfig& m_config;
    CComPort& m_port;
    ActionHost& m_host;
    CleanRecord& m_clean;
    bool m_busy = false;
    ToneState m_tone = ToneState::Off;
    int m_tonePort = 0;
    std::string m_tonePortName;  // when the tone went to a port chosen by name
    std::function<void()> m_selectPort;
    std::string m_writeAdvice = "Check the cable and press Write Configuration again.";
    std::atomic<int> m_moved{0};  // bytes that went out or came in, counted on the worker
};

}  // namespace wb::ui
