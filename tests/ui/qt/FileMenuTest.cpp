// SPDX-License-Identifier: GPL-3.0-or-later
// "Open Configuration..." and "Save Configuration As..." in the window's menu, through the real
// file dialog.
#include <QAction>
#include <QApplication>
#include <QFileDialog>
#include <QTimer>
#include <filesystem>

#include "tests/support/TempDir.h"
#include "tests/ui/qt/DialogFixture.h"

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

TEST_F(FileMenu, SaveThenOpenThroughTheDialog) {
    const TempDir temp("wb-qt-files");
    const fs::path& dir = temp.path;
    const QString file = QString::fromStdString((dir / "saved.toml").string());

    Edit(IDC_CALLSIGN)->setText("W1AW-9");
    EXPECT_EQ(AnswerFileDialog([this] { dlg->SaveAction()->trigger(); }, file),
              "Save Configuration As");
    ASSERT_TRUE(fs::exists(dir / "saved.toml"));

    Edit(IDC_CALLSIGN)->setText("CHANGED");
    EXPECT_EQ(AnswerFileDialog([this] { dlg->OpenAction()->trigger(); }, QString()),
              "Open Configuration");
    EXPECT_EQ(Edit(IDC_CALLSIGN)->text(), "CHANGED");  // cancelled: nothing opened
    AnswerFileDialog([this] { dlg->OpenAction()->trigger(); }, file);
    EXPECT_EQ(Edit(IDC_CALLSIGN)->text(), "W1AW-9");
    fs::remove_all(dir);
}

}  // namespace
}  // namespace wb::test
