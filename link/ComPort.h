// The serial channel to the beacon and the device commands built on it.
// (Skeleton: the device-link work fills in the channel, the backends and the protocol.)
#pragma once

#include <functional>

#include "config/TrackerConfig.h"

class CComPort {
public:
    CComPort();

    void SetPort(int port);

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

    int m_nPort;
};
