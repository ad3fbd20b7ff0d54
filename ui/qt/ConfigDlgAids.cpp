// SPDX-License-Identifier: GPL-3.0-or-later
// The aids beside the form in Qt: the symbol's picture on its button, the chooser, the chart.
#include <QEvent>
#include <QLineEdit>
#include <QPushButton>
#include <QScreen>

#include "res/ResourceIds.h"
#include "ui/qt/BeaconChartWindow.h"
#include "ui/qt/ConfigDlg.h"
#include "ui/qt/SymbolChooserDlg.h"
#include "ui/qt/SymbolPixmap.h"

using namespace wb::res;

namespace {

// A double click on a watched field opens the chooser, as the picture's button does.
class DoubleClickOpensChooser : public QObject {
public:
    explicit DoubleClickOpensChooser(CConfigDlg* dlg) : QObject(dlg), m_dlg(dlg) {}

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::MouseButtonDblClick) {
            m_dlg->m_window.OnCommand(IDC_SYMBOL_PICTURE);
            return true;
        }
        return QObject::eventFilter(watched, event);
    }

private:
    CConfigDlg* m_dlg;
};

}  // namespace

void CConfigDlg::WireAids() {
    auto* filter = new DoubleClickOpensChooser(this);
    for (int id : {IDC_SYMBOL, IDC_SYMBOL_TABLE}) {
        GetDlgItem(id)->installEventFilter(filter);
    }
}

void CConfigDlg::ShowSymbolPicture(const wb::res::SymbolLook& look, const std::string& tip) {
    auto* button = qobject_cast<QPushButton*>(GetDlgItem(IDC_SYMBOL_PICTURE));
    if (button == nullptr) {
        return;
    }
    const QPixmap picture = wb::ui::SymbolPixmap(look, button);
    button->setIcon(QIcon(picture));
    button->setIconSize(picture.deviceIndependentSize().toSize());
    const QString text = QString::fromLatin1(tip);
    button->setToolTip(text);
    button->setAccessibleName(text.section(QLatin1Char('\n'), 0, 0));
    button->setAccessibleDescription(text.section(QLatin1Char('\n'), 1));
}

bool CConfigDlg::RunSymbolChooser(wb::ui::SymbolChooser& chooser) {
    CSymbolChooserDlg dialog(this, chooser);
    return dialog.exec() == QDialog::Accepted;
}

void CConfigDlg::OpenBeaconChart(const wb::ui::BeaconChart& chart, const std::string& sentence) {
    if (m_chart == nullptr) {
        m_chart = new wb::ui::BeaconChartWindow(this);
        m_chart->Show(chart, sentence);
        const QSize size = m_chart->sizeHint();
        const QRect frame = frameGeometry();
        const QRect screen =
            this->screen() != nullptr ? this->screen()->availableGeometry() : frame;
        // Qt's right() is the last pixel inside; the others count the first one outside.
        m_chart->move(wb::ui::ChartWindowLeft(frame.left(), frame.right() + 1, size.width(),
                                              screen.left(), screen.right() + 1, 8),
                      frame.top());
    }
    m_chart->Show(chart, sentence);
    m_chart->show();
    m_chart->raise();
    m_chart->activateWindow();
}

void CConfigDlg::UpdateBeaconChart(const wb::ui::BeaconChart& chart, const std::string& sentence) {
    if (m_chart != nullptr && m_chart->isVisible()) {
        m_chart->Show(chart, sentence);
    }
}
