// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/qt/SymbolChooserDlg.h"

#include <QComboBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <algorithm>

#include "res/ResourceIds.h"
#include "res/Resources.h"
#include "ui/qt/SymbolPixmap.h"

using namespace wb::res;

namespace {

constexpr int kGridScale = 2;  // the grid's pictures at twice their size

}  // namespace

CSymbolChooserDlg::CSymbolChooserDlg(QWidget* parent, wb::ui::SymbolChooser& model)
    : QDialog(parent), m_model(model) {
    m_controls = wb::ui::BuildDialog(*this, SymbolChooserTemplate(), QIcon());

    // The grid takes the placeholder's place, and its place in the focus order.
    QWidget* placeholder = GetDlgItem(IDC_SYMBOL_GRID);
    m_grid = new QListWidget(this);
    m_grid->setGeometry(placeholder->geometry());
    m_grid->setViewMode(QListView::IconMode);
    m_grid->setMovement(QListView::Static);
    m_grid->setResizeMode(QListView::Adjust);
    m_grid->setWrapping(true);
    m_grid->setWordWrap(true);
    m_grid->setUniformItemSizes(true);
    m_grid->setSelectionMode(QAbstractItemView::SingleSelection);
    const int picture = 20 * kGridScale;
    const int line = fontMetrics().height();
    m_grid->setIconSize(QSize(picture, picture));
    // Room for names of three lines; longer ones end in "...".
    m_grid->setGridSize(QSize(picture * 2 + 16, picture + line * 3 + 12));
    m_controls.byId[IDC_SYMBOL_GRID] = m_grid;
    std::replace(m_controls.widgets.begin(), m_controls.widgets.end(), placeholder,
                 static_cast<QWidget*>(m_grid));
    QWidget::setTabOrder(GetDlgItem(IDC_SYMBOL_SEARCH), m_grid);
    delete placeholder;

    auto* search = qobject_cast<QLineEdit*>(GetDlgItem(IDC_SYMBOL_SEARCH));
    auto* overlay = qobject_cast<QComboBox*>(GetDlgItem(IDC_SYMBOL_OVERLAY));
    overlay->setCurrentIndex(m_model.OverlayIndex());
    search->installEventFilter(this);
    FillGrid();

    connect(search, &QLineEdit::textChanged, this, [this](const QString& text) {
        m_model.SetSearch(text.toLatin1().toStdString());
        FillGrid();
    });
    connect(m_grid, &QListWidget::currentRowChanged, this, [this](int row) {
        m_model.Select(row);
        ShowSelection();
    });
    connect(m_grid, &QListWidget::itemActivated, this, &CSymbolChooserDlg::accept);
    connect(overlay, &QComboBox::currentIndexChanged, this, [this](int index) {
        m_model.SetOverlayIndex(index);
        ShowSelection();
    });
    if (auto* cancel = qobject_cast<QPushButton*>(GetDlgItem(IDC_CHOOSER_CANCEL))) {
        connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
    }
    search->setFocus();
}

QWidget* CSymbolChooserDlg::GetDlgItem(int id) const {
    const auto found = m_controls.byId.find(id);
    return found == m_controls.byId.end() ? nullptr : found->second;
}

void CSymbolChooserDlg::accept() {
    if (m_model.Pick()) {
        QDialog::accept();
    }
}

// Down in the search field goes on to the grid.
bool CSymbolChooserDlg::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::KeyPress &&
        static_cast<QKeyEvent*>(event)->key() == Qt::Key_Down) {
        m_grid->setFocus();
        return true;
    }
    return QDialog::eventFilter(watched, event);
}

void CSymbolChooserDlg::FillGrid() {
    const QSignalBlocker quiet(m_grid);
    m_grid->clear();
    for (const SymbolRecord* symbol : m_model.Shown()) {
        auto* item = new QListWidgetItem(QString::fromLatin1(symbol->name), m_grid);
        item->setIcon(QIcon(wb::ui::SymbolPixmap({symbol, '\0'}, m_grid, kGridScale)));
        item->setToolTip(QString::fromLatin1(wb::ui::SymbolChooser::Tip(*symbol)));
        item->setTextAlignment(Qt::AlignHCenter | Qt::AlignTop);
    }
    m_grid->setCurrentRow(m_model.Selected());
    if (m_grid->currentItem() != nullptr) {
        m_grid->scrollToItem(m_grid->currentItem(), QAbstractItemView::PositionAtCenter);
    }
    ShowSelection();
}

void CSymbolChooserDlg::ShowSelection() {
    const wb::ui::SymbolChooser& m = m_model;
    if (auto* preview = qobject_cast<QLabel*>(GetDlgItem(IDC_SYMBOL_PREVIEW))) {
        const QPixmap picture =
            m.Selected() < 0 ? QPixmap() : wb::ui::SymbolPixmap(m.Look(), preview, 2);
        preview->setPixmap(picture);
        preview->resize(40, 40);
    }
    if (auto* name = qobject_cast<QLabel*>(GetDlgItem(IDC_SYMBOL_NAME))) {
        name->setText(QString::fromLatin1(m.Name()));
    }
    if (auto* codes = qobject_cast<QLabel*>(GetDlgItem(IDC_SYMBOL_CODES))) {
        codes->setText(QString::fromLatin1(m.Codes()));
    }
    GetDlgItem(IDC_SYMBOL_OVERLAY)->setEnabled(m.CanOverlay());
    if (auto* ok = GetDlgItem(wb::res::IDOK)) {
        ok->setEnabled(m.Pick().has_value());
    }
}
