// SPDX-License-Identifier: GPL-3.0-or-later
// A small progress bar telling how many bytes of an exchange have moved of those expected. The
// worker thread reports bytes; the bar reads the counts on the window's thread.
#pragma once

#include <QProgressBar>
#include <QTimer>
#include <atomic>

namespace wb::ui {

class TransferProgress : public QProgressBar {
public:
    explicit TransferProgress(QWidget* parent);

    void Begin();            // shows the bar, empty
    void Expect(int bytes);  // any thread: starts counting towards `bytes`
    void Add(int bytes);     // any thread
    void End();              // hides the bar

private:
    void Refresh();

    std::atomic<int> m_moved{0};
    std::atomic<int> m_expected{0};
    QTimer m_refresh;
};

}  // namespace wb::ui
