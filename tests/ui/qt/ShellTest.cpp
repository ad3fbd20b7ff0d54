// SPDX-License-Identifier: GPL-3.0-or-later
// The window's shell: how it ends, the question before it does, and the About box.
#include <QAction>
#include <QApplication>
#include <QLabel>
#include <QTimer>

#include "tests/ui/qt/AnswerBox.h"
#include "tests/ui/qt/DialogFixture.h"
#include "ui/qt/AboutDlg.h"

namespace wb::test {
namespace {

using namespace res;

using Shell = DialogFixture;

constexpr const char* kCloseQuestion =
    "The configuration has changes that were not written to the beacon or saved to a file. "
    "Close anyway?";

TEST_F(Shell, EnterInAnyFieldEndsWithOkAndSavesNothing) {
    const int fields[] = {IDC_CALLSIGN,    IDC_TX_DELAY,     IDC_STATUS_TEXT, IDC_ALTITUDE,
                          IDC_MICE_ENABLE, IDC_MICE_MESSAGE, IDC_COM_PORT,    IDC_SYMBOL};
    for (int id : fields) {
        SCOPED_TRACE(id);
        auto fresh = std::make_unique<CConfigDlg>();
        fresh->show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(fresh.get()));
        auto* callsign = qobject_cast<QLineEdit*>(fresh->GetDlgItem(IDC_CALLSIGN));
        callsign->setFocus();
        QTest::keyClicks(callsign, "X");
        QWidget* field = fresh->GetDlgItem(id);
        auto* list = qobject_cast<QComboBox*>(field);
        QWidget* target = list != nullptr ? list->lineEdit() : field;
        target->setFocus();
        SeenBox question;
        AnswerNextBox(question, "Close");  // the edit would be lost: Enter asks too
        QTest::keyClick(target, Qt::Key_Return);
        EXPECT_EQ(question.text, kCloseQuestion);
        EXPECT_EQ(fresh->result(), QDialog::Accepted);
        EXPECT_FALSE(fresh->isVisible());
        EXPECT_TRUE(fresh->m_config == CTrackerConfig()) << "the record is untouched";
    }
    EXPECT_TRUE(messages.messages().empty());
}

TEST_F(Shell, ExitButtonEndsWithOk) {
    QTest::mouseClick(Button(IDOK), Qt::LeftButton);
    EXPECT_EQ(dlg->result(), QDialog::Accepted);
    EXPECT_FALSE(dlg->isVisible());
}

TEST_F(Shell, EscapeAndTheCloseBoxCancel) {
    Type(IDC_CALLSIGN, "K1ABC");
    SeenBox question;
    AnswerNextBox(question, "Close");
    QTest::keyClick(Edit(IDC_CALLSIGN), Qt::Key_Escape);
    EXPECT_TRUE(question.shown);
    EXPECT_EQ(dlg->result(), QDialog::Rejected);
    EXPECT_FALSE(dlg->isVisible());
    EXPECT_TRUE(dlg->m_config == CTrackerConfig()) << "the record is untouched";

    auto other = std::make_unique<CConfigDlg>();
    other->show();
    other->setResult(QDialog::Accepted);
    other->close();
    EXPECT_EQ(other->result(), QDialog::Rejected);
    EXPECT_TRUE(messages.messages().empty());
}

TEST_F(Shell, EveryWayOutAsksOnceAndCancelKeepsTheWindowAndItsEdits) {
    Type(IDC_STATUS_TEXT, "Mobile on I-95");
    const std::pair<const char*, std::function<void()>> waysOut[] = {
        {"Exit", [this] { QTest::mouseClick(Button(IDOK), Qt::LeftButton); }},
        {"Enter", [this] { QTest::keyClick(Edit(IDC_STATUS_TEXT), Qt::Key_Return); }},
        {"Escape", [this] { QTest::keyClick(Edit(IDC_STATUS_TEXT), Qt::Key_Escape); }},
        {"close box", [this] { dlg->close(); }},
    };
    for (const auto& [name, leave] : waysOut) {
        SCOPED_TRACE(name);
        SeenBox question;
        AnswerNextBox(question, "Cancel");
        Edit(IDC_STATUS_TEXT)->setFocus();
        leave();
        EXPECT_EQ(question.title, "WrenbeaconConfig");
        EXPECT_EQ(question.text, kCloseQuestion);
        EXPECT_EQ(question.buttons, (QStringList{"Close", "Cancel"}));
        EXPECT_TRUE(dlg->isVisible());
        EXPECT_EQ(Text(IDC_STATUS_TEXT), "Mobile on I-95");
    }
    SeenBox question;
    AnswerNextBox(question, "Close");
    QTest::mouseClick(Button(IDOK), Qt::LeftButton);
    EXPECT_FALSE(dlg->isVisible());
    EXPECT_TRUE(messages.messages().empty());
}

TEST_F(Shell, EnterOnAFocusedButtonPressesThatButton) {
    int clicks = 0;
    QObject::connect(Button(IDC_SEND_BOTH), &QPushButton::clicked, [&clicks] { ++clicks; });
    Button(IDC_SEND_BOTH)->setFocus();
    QTest::keyClick(Button(IDC_SEND_BOTH), Qt::Key_Return);
    EXPECT_EQ(clicks, 1);
    EXPECT_TRUE(dlg->isVisible());
}

// Runs `open`, answers the modal box it raises, and returns that box's caption and texts.
QStringList AnswerAboutBox(const std::function<void()>& open) {
    QStringList seen;
    QTimer::singleShot(0, [&seen] {
        auto* about = dynamic_cast<CAboutDlg*>(QApplication::activeModalWidget());
        if (about == nullptr) {
            return;
        }
        seen << about->windowTitle();
        for (QLabel* label : about->findChildren<QLabel*>()) {
            if (!label->text().isEmpty()) {
                seen << label->text();
            }
        }
        QTest::keyClick(about, Qt::Key_Return);
    });
    open();
    return seen;
}

TEST_F(Shell, AboutBoxOpensFromTheMenuEntryAndF1) {
    QAction* about = dlg->AboutAction();
    ASSERT_NE(about, nullptr);
    EXPECT_EQ(about->text(), "&About WrenbeaconConfig...");
    EXPECT_TRUE(dlg->actions().contains(about));
    EXPECT_EQ(dlg->contextMenuPolicy(), Qt::ActionsContextMenu);

    const QStringList fromMenu = AnswerAboutBox([about] { about->trigger(); });
    ASSERT_FALSE(fromMenu.isEmpty());
    EXPECT_EQ(fromMenu[0], "About WrenbeaconConfig");
    EXPECT_TRUE(fromMenu.contains("WrenbeaconConfig Version 1.00"));

    dlg->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(dlg.get()));
    const QStringList fromKey =
        AnswerAboutBox([this] { QTest::keyClick(Edit(IDC_CALLSIGN), Qt::Key_F1); });
    EXPECT_EQ(fromKey, fromMenu);
    EXPECT_TRUE(dlg->isVisible());
}

TEST_F(Shell, OtherWindowCommandsOpenNothing) {
    bool opened = false;
    QTimer::singleShot(0, [&opened] {
        if (QWidget* box = QApplication::activeModalWidget()) {
            opened = true;
            box->close();
        }
    });
    dlg->OnSysCommand(0xF020);  // minimise
    QApplication::processEvents();
    EXPECT_FALSE(opened);
}

}  // namespace
}  // namespace wb::test
