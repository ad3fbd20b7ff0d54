// SPDX-License-Identifier: GPL-3.0-or-later
// The symbol chooser in Qt: dialog 110 with a grid of pictures where the template leaves its
// place, every change forwarded to the toolkit-free chooser and its answer shown. Accepted only
// with a symbol selected: what it picks is then the model's Pick().
#pragma once

#include <QDialog>
#include <QListWidget>

#include "ui/SymbolChooser.h"
#include "ui/qt/DialogBuilder.h"

class CSymbolChooserDlg : public QDialog {
public:
    CSymbolChooserDlg(QWidget* parent, wb::ui::SymbolChooser& model);

    QListWidget* Grid() const { return m_grid; }
    QWidget* GetDlgItem(int id) const;

    void accept() override;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void FillGrid();
    void ShowSelection();

    wb::ui::SymbolChooser& m_model;
    wb::ui::BuiltDialog m_controls;
    QListWidget* m_grid = nullptr;
};
