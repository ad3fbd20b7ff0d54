// The window's message boxes: exact text and caption, only OK, no icon, owned by the window, and
// safe to raise from a worker thread.
#include <gtest/gtest.h>

#include <QApplication>
#include <QDialog>
#include <QEventLoop>
#include <QMessageBox>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <atomic>
#include <thread>

#include "ui/qt/ActionRunner.h"
#include "ui/qt/MessageBoxSink.h"

namespace wb::ui {
namespace {

struct SeenBox {
    QString title, text, informative;
    QMessageBox::StandardButtons buttons;
    QMessageBox::Icon icon = QMessageBox::Information;
    QWidget* parent = nullptr;
    bool threadWaited = false;
    bool clickIgnored = false;  // the box stayed after the click and had to be closed
};

// Waits for a message box to appear, notes what it shows, and clicks its OK button. A box that
// ignores the click is closed a little later, so that a failing test does not hang.
void AnswerNextBox(SeenBox& seen, const std::atomic<bool>* callerReturned = nullptr) {
    auto* timer = new QTimer;
    timer->setInterval(10);
    QObject::connect(timer, &QTimer::timeout, [timer, &seen, callerReturned] {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        if (box == nullptr) {
            return;
        }
        timer->stop();
        timer->deleteLater();
        QTimer::singleShot(500, [box, &seen] {
            if (QApplication::activeModalWidget() == box) {
                seen.clickIgnored = true;
                box->hide();  // ends its exec() without asking anybody
            }
        });
        seen.title = box->windowTitle();
        seen.text = box->text();
        seen.informative = box->informativeText();
        seen.buttons = box->standardButtons();
        seen.icon = box->icon();
        seen.parent = box->parentWidget();
        seen.threadWaited = callerReturned != nullptr && !callerReturned->load();
        QTest::mouseClick(box->button(QMessageBox::Ok), Qt::LeftButton);
    });
    timer->start();
}

TEST(MessageBoxSink, ShowsTheExactTextAndCaptionWithOnlyOk) {
    QDialog owner;
    owner.show();
    MessageBoxSink sink(&owner);

    SeenBox seen;
    AnswerNextBox(seen);
    ShowMessageBox("Read Successful", "Wrenbeacon Read");
    EXPECT_EQ(seen.title, "Wrenbeacon Read");
    EXPECT_EQ(seen.text, "Read Successful");
    EXPECT_EQ(seen.buttons, QMessageBox::Ok);
    EXPECT_EQ(seen.icon, QMessageBox::NoIcon);
    EXPECT_EQ(seen.parent, &owner);
    EXPECT_TRUE(seen.informative.isEmpty());

    SeenBox error;
    AnswerNextBox(error);
    ShowError("Count not aquire Com Port", "/dev/ttyUSB0: <Permission denied>");
    EXPECT_EQ(error.title, "Error");
    EXPECT_EQ(error.text, "Count not aquire Com Port");
    EXPECT_EQ(error.informative, "/dev/ttyUSB0: <Permission denied>");
    EXPECT_EQ(error.buttons, QMessageBox::Ok);
}

TEST(MessageBoxSink, AWorkerThreadWaitsForTheBoxOnTheWindowsThread) {
    QDialog owner;
    owner.show();
    MessageBoxSink sink(&owner);

    std::atomic<bool> returned{false};
    SeenBox seen;
    AnswerNextBox(seen, &returned);
    QEventLoop loop;
    std::thread worker([&] {
        ShowError("Wrenbeacon Not Found");
        returned = true;
        QMetaObject::invokeMethod(&loop, &QEventLoop::quit, Qt::QueuedConnection);
    });
    loop.exec();
    worker.join();
    EXPECT_TRUE(returned);
    EXPECT_TRUE(seen.threadWaited) << "the worker went on before the box was dismissed";
    EXPECT_EQ(seen.text, "Wrenbeacon Not Found");
    EXPECT_EQ(seen.parent, &owner);
}

TEST(MessageBoxSink, ABoxRaisedDuringAnActionTakesTheUsersAnswer) {
    QDialog owner;
    owner.show();
    MessageBoxSink sink(&owner);
    ActionRunner runner(&owner);

    SeenBox seen;
    AnswerNextBox(seen);
    const bool failed = runner.Run([] { return ShowError("ComPort read failed"); });
    EXPECT_TRUE(failed);
    EXPECT_EQ(seen.text, "ComPort read failed");
    EXPECT_FALSE(seen.clickIgnored) << "the box must take the user's answer";
    EXPECT_EQ(seen.parent, &owner);
    EXPECT_FALSE(runner.IsBusy());
}

TEST(MessageBoxSink, RestoresThePreviousSinkWhenGone) {
    std::vector<std::string> recorded;
    MessageSink before =
        SetMessageSink([&recorded](const Message& m) { recorded.push_back(m.text); });
    {
        QDialog owner;
        MessageBoxSink sink(&owner);
    }
    ShowError("after");
    EXPECT_EQ(recorded, std::vector<std::string>{"after"});
    SetMessageSink(before);
}

}  // namespace
}  // namespace wb::ui
