// SPDX-License-Identifier: GPL-3.0-or-later
// The window's message boxes: exact text and caption, only OK, no icon, owned by the window, safe
// to raise from a worker thread, wide enough for their caption and their device paths; and the
// questions with their two buttons.
#include <gtest/gtest.h>

#include <QApplication>
#include <QDialog>
#include <QEventLoop>
#include <QMessageBox>
#include <QPushButton>
#include <QTest>
#include <QTextLayout>
#include <QTimer>
#include <atomic>
#include <thread>

#include "tests/ui/qt/AnswerBox.h"
#include "ui/qt/ActionRunner.h"
#include "ui/qt/MessageBoxSink.h"

namespace wb::ui {
namespace {

using test::AnswerNextBox;
using test::SeenBox;

TEST(MessageBoxSink, ShowsTheExactTextAndCaptionWithOnlyOk) {
    QDialog owner;
    owner.show();
    MessageBoxSink sink(&owner);

    SeenBox seen;
    AnswerNextBox(seen);
    ShowMessageBox("Read Successful", "Wrenbeacon Read");
    EXPECT_EQ(seen.title, "Wrenbeacon Read");
    EXPECT_EQ(seen.text, "Read Successful");
    EXPECT_EQ(seen.buttons, QStringList{"OK"});
    EXPECT_EQ(seen.icon, QMessageBox::NoIcon);
    EXPECT_EQ(seen.parent, &owner);
    EXPECT_TRUE(seen.informative.isEmpty());

    SeenBox error;
    AnswerNextBox(error);
    ShowError("Count not aquire Com Port", "/dev/ttyUSB0: <Permission denied>");
    EXPECT_EQ(error.title, "Error");
    EXPECT_EQ(error.text, "Count not aquire Com Port");
    EXPECT_EQ(error.informative, "/dev/ttyUSB0: <Permission denied>");
    EXPECT_EQ(error.buttons, QStringList{"OK"});
}

TEST(MessageBoxSink, AWorkerThreadWaitsForTheBoxOnTheWindowsThread) {
    QDialog owner;
    owner.show();
    MessageBoxSink sink(&owner);

    std::atomic<bool> returned{false};
    SeenBox seen;
    AnswerNextBox(seen, "OK", {}, &returned);
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

// Where the text layout of `label` puts the characters of `word`: true when on one line.
bool OnOneLine(QLabel* label, const QString& word) {
    const QString text = label->text();
    const qsizetype at = text.indexOf(word.at(0));
    qsizetype end = at;
    for (qsizetype matched = 0; end < text.size() && matched < word.size(); ++end) {
        matched += text[end] == word[matched] ? 1 : 0;
    }
    QTextLayout layout(text, label->font());
    QTextOption option;
    option.setWrapMode(QTextOption::WordWrap);
    layout.setTextOption(option);
    layout.beginLayout();
    for (QTextLine line = layout.createLine(); line.isValid(); line = layout.createLine()) {
        line.setLineWidth(label->contentsRect().width());
    }
    layout.endLayout();
    return layout.lineForTextPosition(static_cast<int>(at)).lineNumber() ==
           layout.lineForTextPosition(static_cast<int>(end - 1)).lineNumber();
}

TEST(MessageBoxSink, ABoxIsWideEnoughForItsCaptionAndItsDevicePaths) {
    QDialog owner;
    owner.show();
    MessageBoxSink sink(&owner);

    SeenBox small;
    AnswerNextBox(small);
    ShowMessageBox("OK", "Status Beacon Text Truncated");
    QFont bold = owner.font();
    bold.setBold(true);
    EXPECT_GE(small.width,
              QFontMetrics(bold).horizontalAdvance("Status Beacon Text Truncated") + 100);

    const QString path = "/dev/serial/by-id/usb-FTDI_FT232R_USB_UART_A600bXYZ-if00-port0";
    const std::string detail = "No permission to use " + path.toStdString() +
                               ": it belongs to the group 'dialout'. Join that group with "
                               "'sudo usermod -aG dialout $USER', then log out and in again.";
    SeenBox error;
    bool oneLine = false;
    AnswerNextBox(error, "OK", [&](QMessageBox&, SeenBox& seen) {
        ASSERT_NE(seen.informativeLabel, nullptr);
        oneLine = OnOneLine(seen.informativeLabel, path);
        EXPECT_GE(seen.informativeLabel->contentsRect().width(),
                  seen.informativeLabel->fontMetrics().horizontalAdvance(path));
    });
    ShowError("Count not aquire Com Port", detail);
    EXPECT_EQ(error.informative.toStdString(), detail) << "shown as written";
    EXPECT_TRUE(oneLine) << "the path is broken in two";
}

// Every line of `label`, laid out as the label lays it out, fits its width.
bool ShowsAll(QLabel* label) {
    QTextLayout layout(label->text(), label->font());
    QTextOption option;
    option.setWrapMode(label->wordWrap() ? QTextOption::WordWrap : QTextOption::NoWrap);
    layout.setTextOption(option);
    bool fits = true;
    layout.beginLayout();
    for (QTextLine line = layout.createLine(); line.isValid(); line = layout.createLine()) {
        line.setLineWidth(label->contentsRect().width());
        fits = fits && line.naturalTextWidth() <= label->contentsRect().width();
    }
    layout.endLayout();
    return fits;
}

// A name the message lists stays whole, spaces and all, in a text the box still shows all of.
TEST(MessageBoxSink, ANamedFileStaysWholeAndTheTextIsNotCut) {
    QDialog owner;
    owner.show();
    MessageBoxSink sink(&owner);
    const std::string path = "/srv/Bake München/信標 ✓.toml";
    SeenBox seen;
    bool whole = false, all = false;
    AnswerNextBox(seen, "OK", [&](QMessageBox& box, SeenBox&) {
        auto* label = box.findChild<QLabel*>(QStringLiteral("qt_msgbox_label"));
        ASSERT_NE(label, nullptr);
        whole = OnOneLine(label, QString::fromStdString(path).remove(QLatin1Char(' ')));
        all = ShowsAll(label);
    });
    ShowMessage(
        {"Cannot load the configuration file " + path, {}, "there is no such file", {path}});
    EXPECT_EQ(seen.text.toStdString(), "Cannot load the configuration file " + path);
    EXPECT_TRUE(whole) << "the name is broken in two";
    EXPECT_TRUE(all) << "a line is cut off";
}

TEST(MessageBoxSink, AQuestionHasItsTwoButtonsAndEnterKeepsTheWork) {
    QDialog owner;
    owner.show();
    const Message question{"Close anyway?", "WrenbeaconConfig", {}};
    const struct {
        QString press;
        bool answer;
    } cases[] = {{"Close", true}, {"Cancel", false}, {"", false}};
    for (const auto& c : cases) {
        SeenBox seen;
        AnswerNextBox(seen, c.press, [&](QMessageBox& box, SeenBox&) {
            if (c.press.isEmpty()) {
                QTest::keyClick(&box, Qt::Key_Return);
            }
        });
        EXPECT_EQ(AskQuestionOver(&owner, question, "Close", "Cancel"), c.answer)
            << c.press.toStdString();
        EXPECT_EQ(seen.title, "WrenbeaconConfig");
        EXPECT_EQ(seen.text, "Close anyway?");
        EXPECT_EQ(seen.buttons, (QStringList{"Close", "Cancel"}));
        EXPECT_EQ(seen.defaultButton, "Cancel");
        EXPECT_EQ(seen.icon, QMessageBox::NoIcon);
        EXPECT_EQ(seen.parent, &owner);
        EXPECT_FALSE(seen.clickIgnored);
    }
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
