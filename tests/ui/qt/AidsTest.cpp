// SPDX-License-Identifier: GPL-3.0-or-later
// The aids beside the form in the real Qt window: the symbol's picture follows the fields, the
// chooser fills both fields (by mouse or keyboard alone) or nothing on Escape, a preset fills the
// SmartBeaconing fields, and the chart follows the values.
#include <QApplication>
#include <QLabel>
#include <QListWidget>
#include <QTimer>
#include <functional>

#include "tests/ui/qt/DialogFixture.h"
#include "ui/SymbolPicture.h"
#include "ui/qt/BeaconChartWindow.h"
#include "ui/qt/SymbolChooserDlg.h"

namespace wb::test {
namespace {

using namespace res;

// Calls `use` with the chooser once it shows; it must close it. A chooser still open a little
// later is rejected, so that a failing test does not hang.
void WhenChooserShows(const std::function<void(CSymbolChooserDlg&)>& use) {
    auto* timer = new QTimer;
    timer->setInterval(10);
    QObject::connect(timer, &QTimer::timeout, [timer, use] {
        auto* chooser = dynamic_cast<CSymbolChooserDlg*>(QApplication::activeModalWidget());
        if (chooser == nullptr) {
            return;
        }
        timer->stop();
        timer->deleteLater();
        QTimer::singleShot(2000, chooser, [chooser] {
            ADD_FAILURE() << "the chooser stayed open";
            chooser->reject();
        });
        EXPECT_TRUE(QTest::qWaitForWindowExposed(chooser));
        use(*chooser);
    });
    timer->start();
}

class Aids : public DialogFixture {
protected:
    // The picture on the symbol's button, as the toolkit-free layer draws it.
    QImage Picture() const {
        const QIcon icon = Button(IDC_SYMBOL_PICTURE)->icon();
        return icon.pixmap(Button(IDC_SYMBOL_PICTURE)->iconSize())
            .toImage()
            .convertToFormat(QImage::Format_RGBA8888);
    }
    static QImage Expected(char code, char table) {
        const ui::RgbaImage image = ui::DrawSymbol(LookUpSymbol(code, table), 1);
        return QImage(image.rgba.data(), image.width, image.height, QImage::Format_RGBA8888).copy();
    }
};

TEST_F(Aids, TypingRedrawsThePictureAndItsName) {
    EXPECT_EQ(Picture(), Expected('-', '/'));
    Type(IDC_SYMBOL, "k");
    Type(IDC_SYMBOL_TABLE, "\\");
    EXPECT_EQ(Picture(), Expected('k', '\\'));
    EXPECT_TRUE(Button(IDC_SYMBOL_PICTURE)->toolTip().startsWith("SUV\n"));
    EXPECT_EQ(Button(IDC_SYMBOL_PICTURE)->accessibleName(), "SUV");
    Type(IDC_SYMBOL_TABLE, "x");
    EXPECT_EQ(Picture(), Expected('}', '/'));
    EXPECT_EQ(Button(IDC_SYMBOL_PICTURE)->accessibleName(), kNotAprsSymbol);
}

TEST_F(Aids, ChoosingBySearchAndMouseFillsBothFields) {
    WhenChooserShows([](CSymbolChooserDlg& chooser) {
        QTest::keyClicks(chooser.GetDlgItem(IDC_SYMBOL_SEARCH), "jeep");
        ASSERT_EQ(chooser.Grid()->count(), 1);
        QCoreApplication::processEvents();  // the grid lays its items out
        const QRect jeep = chooser.Grid()->visualItemRect(chooser.Grid()->item(0));
        QTest::mouseClick(chooser.Grid()->viewport(), Qt::LeftButton, {}, jeep.center());
        QTest::mouseClick(chooser.GetDlgItem(IDOK), Qt::LeftButton);
    });
    Click(IDC_SYMBOL_PICTURE);
    EXPECT_EQ(Text(IDC_SYMBOL), "j");
    EXPECT_EQ(Text(IDC_SYMBOL_TABLE), "/");
    EXPECT_EQ(Picture(), Expected('j', '/'));
}

TEST_F(Aids, ChoosingWithTheKeyboardAloneTakesAnOverlayAndEscapeKeepsTheFields) {
    WhenChooserShows([](CSymbolChooserDlg& chooser) {
        QWidget* search = chooser.GetDlgItem(IDC_SYMBOL_SEARCH);
        EXPECT_TRUE(search->hasFocus());
        QTest::keyClicks(search, "digi star");  // the primary digi, then the alternate one
        QTest::keyClick(search, Qt::Key_Down);
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Right);
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        EXPECT_EQ(QApplication::focusWidget(), chooser.GetDlgItem(IDC_SYMBOL_OVERLAY));
        QTest::keyClicks(QApplication::focusWidget(), "S");
        EXPECT_EQ(qobject_cast<QLabel*>(chooser.GetDlgItem(IDC_SYMBOL_CODES))->text(),
                  "Symbol: #   Table / Overlay: S");
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
    });
    // A double click on either field opens the chooser too.
    QTest::mouseDClick(Edit(IDC_SYMBOL_TABLE), Qt::LeftButton);
    EXPECT_EQ(Text(IDC_SYMBOL), "#");
    EXPECT_EQ(Text(IDC_SYMBOL_TABLE), "S");

    WhenChooserShows([](CSymbolChooserDlg& chooser) {
        QTest::keyClicks(chooser.GetDlgItem(IDC_SYMBOL_SEARCH), "jeep");
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Escape);
    });
    QTest::mouseDClick(Edit(IDC_SYMBOL), Qt::LeftButton);
    EXPECT_EQ(Text(IDC_SYMBOL), "#");
    EXPECT_EQ(Text(IDC_SYMBOL_TABLE), "S");
}

TEST_F(Aids, APresetFillsTheFieldsAndTheChartFollowsThem) {
    Click(IDC_SMARTBEACON_ENABLE);
    QComboBox* presets = List(IDC_SMARTBEACON_PRESET);
    EXPECT_EQ(presets->currentText(), "Custom");
    presets->setCurrentIndex(presets->findText("Classic"));
    EXPECT_EQ(Text(IDC_FAST_SPEED), "60");
    EXPECT_EQ(Text(IDC_FAST_RATE), "180");
    EXPECT_EQ(Text(IDC_MIN_TURN_ANGLE), "30");

    Click(IDC_SMARTBEACON_CHART);
    ui::BeaconChartWindow* chart = dlg->ChartWindow();
    ASSERT_NE(chart, nullptr);
    EXPECT_TRUE(chart->isVisible());
    EXPECT_EQ(chart->Sentence()->text(),
              QString::fromLatin1("At 30 MPH: a beacon every 360 s (3 miles); turns of more than "
                                  "38\xB0 send one sooner."));
    Type(IDC_FAST_RATE, "120");
    EXPECT_EQ(presets->currentText(), "Custom");
    EXPECT_TRUE(chart->Sentence()->text().startsWith("At 30 MPH: a beacon every 240 s (2 miles)"));
}

}  // namespace
}  // namespace wb::test
