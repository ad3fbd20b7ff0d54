// SPDX-License-Identifier: GPL-3.0-or-later
// The About box, built on template 100.
#pragma once

#include <QDialog>
#include <QIcon>

class CAboutDlg : public QDialog {
public:
    CAboutDlg(QWidget* parent, const QIcon& icon);
};
