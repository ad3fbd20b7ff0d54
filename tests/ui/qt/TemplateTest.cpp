// SPDX-License-Identifier: GPL-3.0-or-later
// The main window as built from its template: every control where the layout puts it, of the
// right kind and style, labels beside their fields, groups around their controls, focus order.
#include <QApplication>
#include <QGroupBox>
#include <QLabel>
#include <QSet>
#include <map>
#include <vector>

#include "res/Resources.h"
#include "tests/ui/qt/DialogFixture.h"
#include "ui/qt/AboutDlg.h"
#include "ui/qt/DialogUnits.h"

namespace wb::test {
namespace {

using namespace res;

enum Kind { kEdit, kDigits, kUpper, kCheck, kList, kButton };

struct Expected {
    int id;
    Kind kind;
    int x, y, cx, cy;
};

// The layout in dialog units, in focus order.
constexpr Expected kLayout[] = {
    {1008, kUpper, 50, 25, 60, 13},    {1009, kUpper, 50, 40, 105, 13},
    {1014, kEdit, 50, 60, 15, 13},     {1015, kEdit, 130, 60, 15, 13},
    {1011, kDigits, 85, 85, 25, 13},   {1017, kDigits, 85, 100, 25, 13},
    {1035, kDigits, 85, 115, 25, 13},  {1018, kDigits, 85, 130, 25, 13},
    {1010, kEdit, 35, 155, 119, 13},   {1016, kDigits, 55, 170, 20, 13},
    {1036, kCheck, 170, 25, 68, 10},   {1030, kCheck, 285, 25, 93, 10},
    {1031, kCheck, 170, 50, 38, 12},   {1027, kList, 300, 50, 60, 65},
    {1029, kCheck, 170, 65, 63, 12},   {1028, kList, 300, 65, 60, 65},
    {1032, kCheck, 170, 95, 38, 10},   {1020, kDigits, 301, 95, 35, 13},
    {1033, kCheck, 170, 125, 38, 10},  {1024, kDigits, 225, 140, 25, 13},
    {1025, kDigits, 225, 155, 25, 13}, {1026, kDigits, 225, 170, 25, 13},
    {1019, kDigits, 331, 125, 25, 13}, {1022, kDigits, 331, 140, 25, 13},
    {1021, kDigits, 331, 155, 25, 13}, {1023, kDigits, 331, 170, 25, 13},
    {1003, kList, 15, 205, 65, 65},    {1002, kButton, 15, 220, 65, 12},
    {1000, kButton, 90, 205, 65, 12},  {1001, kButton, 90, 220, 65, 12},
    {1005, kButton, 191, 205, 54, 12}, {1006, kButton, 191, 220, 54, 12},
    {1007, kButton, 255, 205, 54, 12}, {1004, kButton, 255, 220, 54, 12},
    {1, kButton, 345, 210, 40, 12},
};

struct Beside {
    const char* text;
    int id;
    bool left;  // a label on the left; otherwise a unit word on the right
};

constexpr Beside kLabels[] = {
    {"Callsign:", 1008, true},
    {"Digi Path:", 1009, true},
    {"Symbol:", 1014, true},
    {"Table / Overlay:", 1015, true},
    {"Keyup Delay (TXD):", 1011, true},
    {"milliseconds", 1011, false},
    {"Transmit Every:", 1017, true},
    {"seconds", 1017, false},
    {"Quiet Time:", 1035, true},
    {"milliseconds", 1035, false},
    {"Calibration:", 1018, true},
    {"Text:", 1010, true},
    {"Send every:", 1016, true},
    {"transmissions", 1016, false},
    {"Message:", 1027, true},
    {"Path:", 1028, true},
    {"Transmit offset:", 1020, true},
    {"seconds", 1020, false},
    {"Min Turn Angle:", 1024, true},
    {"degrees", 1024, false},
    {"Turn Slope:", 1025, true},
    {"Min Turn Time:", 1026, true},
    {"seconds", 1026, false},
    {"Slow Speed:", 1019, true},
    {"MPH", 1019, false},
    {"Slow Rate:", 1022, true},
    {"seconds", 1022, false},
    {"Fast Speed:", 1021, true},
    {"MPH", 1021, false},
    {"Fast Rate:", 1023, true},
    {"seconds", 1023, false},
};

class Template : public DialogFixture {
protected:
    ui::BaseUnits Units() const { return ui::BaseUnitsOf(dlg->font()); }
    QRect Px(int x, int y, int cx, int cy) const {
        return ui::DluToPixels(QRect(x, y, cx, cy), Units());
    }

    // The id of the control that `widget` is or belongs to, or 0.
    int IdOf(QWidget* widget) const {
        for (; widget != nullptr; widget = widget->parentWidget()) {
            for (const auto& e : kLayout) {
                if (dlg->GetDlgItem(e.id) == widget) {
                    return e.id;
                }
            }
            if (dlg->GetDlgItem(IDC_PROFILE_TAB) == widget) {
                return IDC_PROFILE_TAB;
            }
        }
        return 0;
    }

    std::vector<QLabel*> Labels() const {
        std::vector<QLabel*> out;
        for (QLabel* label : dlg->findChildren<QLabel*>(Qt::FindDirectChildrenOnly)) {
            if (label != dlg->GetDlgItem(IDC_IMAGE_USAGE)) {
                out.push_back(label);
            }
        }
        return out;
    }
};

TEST_F(Template, WindowHasItsCaptionAndSizeInDialogUnits) {
    EXPECT_EQ(dlg->windowTitle(), "WrenbeaconConfig");
    EXPECT_EQ(dlg->size(), Px(0, 0, 402, 241).size());
    EXPECT_EQ(dlg->minimumSize(), dlg->maximumSize()) << "a dialog keeps its size";
}

TEST_F(Template, EveryControlHasItsKindStyleAndPlace) {
    for (const Expected& e : kLayout) {
        SCOPED_TRACE(e.id);
        QWidget* control = dlg->GetDlgItem(e.id);
        ASSERT_NE(control, nullptr);
        const QRect want = Px(e.x, e.y, e.cx, e.cy);
        EXPECT_EQ(control->pos(), want.topLeft());
        EXPECT_EQ(control->width(), want.width());
        switch (e.kind) {
            case kEdit:
            case kDigits:
            case kUpper: {
                auto* edit = qobject_cast<QLineEdit*>(control);
                ASSERT_NE(edit, nullptr);
                EXPECT_EQ(control->height(), want.height());
                EXPECT_TRUE(edit->hasFrame());
                EXPECT_EQ(edit->maxLength(), 32767) << "no length limit of the field's own";
                edit->setEnabled(true);
                edit->clear();
                edit->setFocus();
                QTest::keyClicks(edit, "a1");
                const char* typed = e.kind == kDigits ? "1" : e.kind == kUpper ? "A1" : "a1";
                EXPECT_EQ(edit->text(), typed);
                break;
            }
            case kCheck:
                ASSERT_NE(qobject_cast<QCheckBox*>(control), nullptr);
                EXPECT_EQ(control->height(), want.height());
                break;
            case kList: {
                auto* list = qobject_cast<QComboBox*>(control);
                ASSERT_NE(list, nullptr);
                EXPECT_TRUE(list->isEditable());
                EXPECT_LT(control->height(), want.height()) << "closed, the list is folded";
                break;
            }
            case kButton:
                ASSERT_NE(qobject_cast<QPushButton*>(control), nullptr);
                EXPECT_EQ(control->height(), want.height());
                break;
        }
    }
    const QRect tab = Px(5, 5, 390, 185);
    EXPECT_EQ(dlg->GetDlgItem(IDC_PROFILE_TAB)->geometry(), tab);
}

TEST_F(Template, ButtonsCarryTheirTextsAndExitIsTheDefault) {
    const std::pair<int, const char*> buttons[] = {
        {1002, "Read Version"},        {1000, "Read Configuration"},
        {1001, "Write Configuration"}, {1005, "Send 1200 Hz"},
        {1006, "Send 2200 Hz"},        {1007, "Send Both"},
        {1004, "Stop Sending"},        {1, "Exit"},
    };
    for (const auto& [id, text] : buttons) {
        EXPECT_EQ(Button(id)->text(), text);
        EXPECT_EQ(Button(id)->isDefault(), id == 1) << id;
    }
    const std::pair<int, const char*> boxes[] = {
        {1036, "Transmit Altitude"},
        {1030, "Only Send Valid Position"},
        {1031, "Enable"},
        {1029, "Force Printable"},
        {1032, "Enable"},
        {1033, "Enable"},
    };
    for (const auto& [id, text] : boxes) {
        EXPECT_EQ(Box(id)->text(), text);
    }
}

TEST_F(Template, ListsHoldTheirEntriesInOrder) {
    const QStringList micEMessages = {"Off Duty",  "En Route", "In Service", "Returning",
                                      "Committed", "Special",  "Priority",   "Emergency!"};
    const QStringList paths = {"Conventional", "WIDE-1",       "WIDE-2",      "WIDE-3",
                               "WIDE-4",       "WIDE-5",       "WIDE-6",      "WIDE-7",
                               "North",        "South",        "East",        "West",
                               "North + WIDE", "South + WIDE", "East + WIDE", "West + WIDE"};
    const auto entries = [](QComboBox* list) {
        QStringList out;
        for (int i = 0; i < list->count(); ++i) {
            out << list->itemText(i);
        }
        return out;
    };
    EXPECT_EQ(entries(List(IDC_MICE_MESSAGE)), micEMessages);
    EXPECT_EQ(entries(List(IDC_MICE_PATH)), paths);
    // The port list shows the machine's ports, COM1 to COM4 first (tests/ui/qt/FormTest).
    const QStringList ports = entries(List(IDC_COM_PORT));
    ASSERT_GE(ports.size(), 4);
    for (int i = 0; i < 4; ++i) {
        EXPECT_TRUE(ports[i].startsWith(QString("COM%1 - ").arg(i + 1))) << ports[i].toStdString();
    }
}

TEST_F(Template, TabKeyFollowsTheTemplateWithTheTabsLast) {
    for (const Expected& e : kLayout) {
        dlg->GetDlgItem(e.id)->setEnabled(true);
    }
    dlg->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(dlg.get()));
    dlg->GetDlgItem(IDC_CALLSIGN)->setFocus();

    std::vector<int> order;
    for (std::size_t i = 0; i <= std::size(kLayout) + 1; ++i) {
        order.push_back(IdOf(QApplication::focusWidget()));
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    }
    std::vector<int> expected;
    for (const Expected& e : kLayout) {
        expected.push_back(e.id);
    }
    expected.push_back(IDC_PROFILE_TAB);
    expected.push_back(IDC_CALLSIGN);  // and round again
    EXPECT_EQ(order, expected);
}

TEST_F(Template, LabelsStandBesideTheirFieldsAndFit) {
    std::vector<QLabel*> labels = Labels();
    QSet<QLabel*> matched;
    for (const Beside& b : kLabels) {
        SCOPED_TRACE(b.text);
        const QRect field = dlg->GetDlgItem(b.id)->geometry();
        QLabel* found = nullptr;
        for (QLabel* label : labels) {
            const QRect r = label->geometry();
            const bool sameRow = std::abs(r.center().y() - field.center().y()) <= 1;
            const bool side = b.left ? r.right() < field.left() : r.left() > field.right();
            const int gap = b.left ? field.left() - r.right() : r.left() - field.right();
            if (label->text() == b.text && sameRow && side && gap <= Px(3, 0, 0, 0).x()) {
                found = label;
            }
        }
        ASSERT_NE(found, nullptr);
        matched.insert(found);
        const Qt::Alignment h = b.left ? Qt::AlignRight : Qt::AlignLeft;
        EXPECT_EQ(found->alignment(), h | Qt::AlignVCenter);
        EXPECT_LE(found->fontMetrics().horizontalAdvance(found->text()), found->width())
            << "clipped";
    }
    EXPECT_EQ(matched.size(), static_cast<int>(std::size(kLabels)));
    EXPECT_EQ(labels.size(), std::size(kLabels)) << "no stray label";
}

TEST_F(Template, GroupsFrameExactlyTheirControls) {
    const std::map<QString, std::pair<QRect, QSet<int>>> groups = {
        {"Timing", {Px(10, 75, 150, 70), {1011, 1017, 1035, 1018}}},
        {"Status Beacon", {Px(10, 145, 150, 40), {1010, 1016}}},
        {"MIC-E Settings", {Px(165, 40, 225, 40), {1031, 1027, 1029, 1028}}},
        {"Time Slotting", {Px(165, 85, 225, 25), {1032, 1020}}},
        {"SmartBeaconing",
         {Px(165, 115, 225, 70), {1033, 1024, 1025, 1026, 1019, 1022, 1021, 1023}}},
        {"Configure", {Px(10, 195, 150, 40), {1003, 1002, 1000, 1001}}},
        {"Tone Test", {Px(185, 195, 130, 40), {1005, 1006, 1007, 1004}}},
    };
    const auto boxes = dlg->findChildren<QGroupBox*>();
    ASSERT_EQ(boxes.size(), static_cast<qsizetype>(groups.size()));
    for (QGroupBox* box : boxes) {
        SCOPED_TRACE(box->title().toStdString());
        const auto group = groups.find(box->title());
        ASSERT_NE(group, groups.end());
        EXPECT_EQ(box->geometry(), group->second.first);
        QSet<int> inside;
        for (const Expected& e : kLayout) {
            if (box->geometry().contains(dlg->GetDlgItem(e.id)->geometry())) {
                inside.insert(e.id);
            }
        }
        EXPECT_EQ(inside, group->second.second);
        // Nothing lies across the frame: every control is wholly inside or wholly outside.
        for (QWidget* w : dlg->findChildren<QWidget*>(Qt::FindDirectChildrenOnly)) {
            if (w == box || w == dlg->GetDlgItem(IDC_PROFILE_TAB) || qobject_cast<QGroupBox*>(w)) {
                continue;
            }
            const QRect r = w->geometry();
            EXPECT_TRUE(box->geometry().contains(r) || !box->geometry().intersects(r))
                << w->metaObject()->className();
        }
    }
}

TEST_F(Template, NoTwoControlsOverlapAndAllStayInTheWindow) {
    std::vector<QWidget*> controls;
    for (QWidget* w : dlg->findChildren<QWidget*>(Qt::FindDirectChildrenOnly)) {
        // The progress bar, hidden while idle, takes the place of the line under the form.
        if (!qobject_cast<QGroupBox*>(w) && w != dlg->GetDlgItem(IDC_PROFILE_TAB) &&
            !w->isWindow() && w->isVisibleTo(dlg.get())) {
            controls.push_back(w);
        }
    }
    const QRect pane = dlg->GetDlgItem(IDC_PROFILE_TAB)->geometry();
    const QRect tabs = Tabs()->geometry().translated(pane.topLeft());
    for (std::size_t i = 0; i < controls.size(); ++i) {
        const QRect a = controls[i]->geometry();
        EXPECT_TRUE(dlg->rect().contains(a));
        EXPECT_FALSE(a.intersects(tabs)) << "nothing covers the tabs";
        for (std::size_t j = i + 1; j < controls.size(); ++j) {
            EXPECT_FALSE(a.intersects(controls[j]->geometry()))
                << controls[i]->metaObject()->className() << " "
                << controls[j]->metaObject()->className();
        }
    }
}

TEST_F(Template, TextsOfButtonsAndBoxesFit) {
    for (const Expected& e : kLayout) {
        if (e.kind == kCheck) {
            EXPECT_LE(Box(e.id)->sizeHint().width(), Box(e.id)->width()) << e.id;
        } else if (e.kind == kButton) {
            QPushButton* b = Button(e.id);
            EXPECT_LT(b->fontMetrics().horizontalAdvance(b->text()), b->width() - 6) << e.id;
        }
    }
}

TEST_F(Template, IconHasBothSizesWithItsFourLights) {
    const QList<QSize> sizes = dlg->m_hIcon.availableSizes();
    EXPECT_TRUE(sizes.contains(QSize(32, 32)));
    EXPECT_TRUE(sizes.contains(QSize(16, 16)));
    EXPECT_EQ(dlg->windowIcon().availableSizes().size(), sizes.size());

    // Somewhere in the big image a row shows red, yellow, green, red from left to right.
    const QImage image = dlg->m_hIcon.pixmap(32, 32).toImage();
    const QList<QRgb> lights = {qRgb(255, 0, 0), qRgb(255, 255, 0), qRgb(0, 255, 0),
                                qRgb(255, 0, 0)};
    bool found = false;
    for (int y = 0; y < image.height() && !found; ++y) {
        QList<QRgb> seen;
        for (int x = 0; x < image.width(); ++x) {
            const QRgb c = image.pixel(x, y) | 0xFF000000u;
            if (lights.contains(c) && (seen.isEmpty() || seen.last() != c)) {
                seen << c;
            }
        }
        found = seen == lights;
    }
    EXPECT_TRUE(found);
}

TEST(AboutTemplate, ShowsNameVersionCreditsAndOk) {
    CAboutDlg about(nullptr, QIcon(QPixmap(MainIconXpm32())));
    EXPECT_EQ(about.windowTitle(), "About WrenbeaconConfig");
    const ui::BaseUnits units = ui::BaseUnitsOf(about.font());
    EXPECT_EQ(about.size(), ui::DluToPixels(QRect(0, 0, 217, 55), units).size());
    QStringList texts;
    int icons = 0;
    for (QLabel* label : about.findChildren<QLabel*>()) {
        if (!label->pixmap().isNull()) {
            ++icons;
            EXPECT_EQ(label->pixmap().size(), QSize(32, 32));
        } else {
            texts << label->text();
            EXPECT_LE(label->fontMetrics().horizontalAdvance(label->text()), label->width());
        }
    }
    EXPECT_EQ(icons, 1);
    ASSERT_EQ(texts.size(), 3);
    EXPECT_EQ(texts[0], "WrenbeaconConfig Version 1.00");
    const auto buttons = about.findChildren<QPushButton*>();
    ASSERT_EQ(buttons.size(), 1);
    EXPECT_EQ(buttons[0]->text(), "OK");
    EXPECT_TRUE(buttons[0]->isDefault());
    about.show();
    QTest::mouseClick(buttons[0], Qt::LeftButton);
    EXPECT_EQ(about.result(), QDialog::Accepted);
}

}  // namespace
}  // namespace wb::test
