// SPDX-License-Identifier: GPL-3.0-or-later
// The browser's serial backend under node, on a fake Web Serial port (FakeWebPort.js) whose far
// end the test plays.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "tests/link/contract/LineContract.h"

namespace wb::test {

class WebLine final : public LineTarget {
public:
    WebLine();
    ~WebLine() override;

    SerialBackend& Backend() override { return *m_backend; }
    LinePeer& Peer() override { return *m_peer; }
    Ms Now() override;
    bool ExactTime() const override { return false; }

    // What the browser can do besides the contract's far end.
    void HoldElsewhere(bool held);   // another program has the port: opens are refused
    void Remove();                   // the port is gone before an open
    void StallWrites(bool stalled);  // writes are not taken until the stream is aborted
    void SlowHandOver(bool slow);    // every other byte takes 3 ms to reach the port
    bool PortOpen();
    std::string OpenOptions();       // the options of the last open, as JSON
    std::vector<double> Arrivals();  // when each byte written reached the port, in ms

private:
    int m_id;
    std::unique_ptr<LinePeer> m_peer;
    std::unique_ptr<SerialBackend> m_backend;
};

}  // namespace wb::test
