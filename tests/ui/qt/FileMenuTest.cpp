// SPDX-License-Identifier: GPL-3.0-or-later
// "Open Configuration..." and "Save Configuration As..." in the window's menu, through the real
// file dialog, with a folder and a file named in three scripts.
#include <QAction>
#include <QApplication>
#include <QFileDialog>
#include <QTimer>
#include <filesystem>
#include <fstream>

#include "core/PathText.h"
#include "tests/support/TempDir.h"
#include "tests/ui/qt/AnswerBox.h"
#include "tests/ui/qt/DialogFixture.h"
#include "ui/qt/MessageBoxSink.h"

namespace wb::test {
namespace {

using namespace res;
namespace fs = std::filesystem;

using FileMenu = DialogFixture;

// Runs `open`, and gives the file dialog it raises `path` (or cancels it when empty).
QString AnswerFileDialog(const std::function<void()>& open, const QString& path) {
    QString title;
    QTimer::singleShot(0, [&title, path] {
        auto* dialog = qobject_cast<QFileDialog*>(QApplication::activeModalWidget());
        if (dialog == nullptr) {
            return;
        }
        title = dialog->windowTitle();
        if (path.isEmpty()) {
            dialog->reject();
        } else {
            dialog->selectFile(path);
            QMetaObject::invokeMethod(dialog, "accept");
        }
    });
    open();
    return title;
}

TEST_F(FileMenu, EntriesComeBeforeAboutWithTheirKeys) {
    const QList<QAction*> actions = dlg->actions();
    ASSERT_GE(actions.size(), 4);
    EXPECT_EQ(actions[0], dlg->OpenAction());
    EXPECT_EQ(actions[0]->text(), "Open Configuration...");
    EXPECT_EQ(actions[0]->shortcut(), QKeySequence(Qt::CTRL | Qt::Key_O));
    EXPECT_EQ(actions[1]->text(), "Save Configuration As...");
    EXPECT_EQ(actions[1]->shortcut(), QKeySequence(Qt::CTRL | Qt::Key_S));
    EXPECT_TRUE(actions[2]->isSeparator());
    EXPECT_EQ(actions[3], dlg->AboutAction());
}

// Open over changes asks first: Cancel keeps them, Open replaces them.
TEST_F(FileMenu, SaveThenOpenThroughTheDialog) {
    const TempDir temp("wb-qt-files");
    const fs::path folder = temp.path / PathFromUtf8("Bake München");
    fs::create_directories(folder);
    const fs::path saved = folder / PathFromUtf8("信標 ✓.toml");
    const QString file = QString::fromStdString(Utf8Of(saved));

    Edit(IDC_CALLSIGN)->setText("W1AW-9");
    EXPECT_EQ(AnswerFileDialog([this] { dlg->SaveAction()->trigger(); }, file),
              "Save Configuration As");
    ASSERT_TRUE(fs::exists(saved));

    Edit(IDC_CALLSIGN)->setText("CHANGED");
    EXPECT_EQ(AnswerFileDialog([this] { dlg->OpenAction()->trigger(); }, QString()),
              "Open Configuration");
    EXPECT_EQ(Edit(IDC_CALLSIGN)->text(), "CHANGED");  // cancelled: nothing opened, nothing asked
    for (const char* answer : {"Cancel", "Open"}) {
        SeenBox question;
        AnswerNextBox(question, answer);
        AnswerFileDialog([this] { dlg->OpenAction()->trigger(); }, file);
        EXPECT_EQ(question.title.toStdString(), "WrenbeaconConfig");
        EXPECT_EQ(question.text.toStdString(),
                  "Opening a file replaces the changes that were not written to the beacon or "
                  "saved to a file. Open anyway?");
        EXPECT_EQ(question.buttons.join('/').toStdString(), "Open/Cancel");
        EXPECT_EQ(Edit(IDC_CALLSIGN)->text().toStdString(),
                  answer == std::string("Open") ? "W1AW-9" : "CHANGED");
    }
    EXPECT_TRUE(messages.messages().empty());
}

// A box that names a file shows the name exactly.
TEST_F(FileMenu, ABoxNamesAFileExactly) {
    const TempDir temp("wb-qt-names");
    const fs::path broken =
        temp.path / PathFromUtf8("Bake München") / PathFromUtf8("壊れた ✓.toml");
    fs::create_directories(broken.parent_path());
    std::ofstream(broken) << "not a configuration";
    ui::MessageBoxSink boxes(dlg.get());
    SeenBox box;
    AnswerNextBox(box);
    AnswerFileDialog([this] { dlg->OpenAction()->trigger(); },
                     QString::fromStdString(Utf8Of(broken)));
    EXPECT_EQ(box.text.toStdString(), "Cannot load the configuration file " + Utf8Of(broken))
        << "as drawn";
}

}  // namespace
}  // namespace wb::test
