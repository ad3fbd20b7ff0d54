// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/qt/DialogBuilder.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QStringList>
#include <algorithm>

#include "res/ResourceIds.h"
#include "ui/qt/DropDownList.h"
#include "ui/qt/EditStyles.h"
#include "ui/qt/GroupFrame.h"
#include "ui/qt/TabControl.h"

namespace wb::ui {
namespace {

using res::ControlKind;
using res::ControlTemplate;
namespace style = res::style;

bool Has(const ControlTemplate& c, unsigned bit) {
    return (c.styles & bit) != 0;
}

QWidget* MakeStatic(QWidget* parent, const ControlTemplate& c) {
    auto* label = new QLabel(QString::fromLatin1(c.text), parent);
    label->setTextFormat(Qt::PlainText);
    const Qt::Alignment horizontal = Has(c, style::kRight) ? Qt::AlignRight : Qt::AlignLeft;
    const Qt::Alignment vertical = Has(c, style::kCenterV) ? Qt::AlignVCenter : Qt::AlignTop;
    label->setAlignment(horizontal | vertical);
    return label;
}

QWidget* MakeEdit(QWidget* parent, const ControlTemplate& c) {
    auto* edit = new QLineEdit(QString::fromLatin1(c.text), parent);
    edit->setFrame(Has(c, style::kBorder));
    if (Has(c, style::kNumber)) {
        AcceptDigitsOnlyWhenTyping(edit);
    }
    if (Has(c, style::kUpperCase)) {
        MakeTypedTextUpperCase(edit);
    }
    return edit;
}

QWidget* MakeComboBox(QWidget* parent, const ControlTemplate& c) {
    auto* combo = new DropDownList(parent);
    combo->setEditable(Has(c, style::kDropDown));
    // Typing into the edit part never adds or picks an entry: only the list selection counts.
    combo->setInsertPolicy(QComboBox::NoInsert);
    combo->setCompleter(nullptr);
    return combo;
}

QWidget* MakePushButton(QWidget* parent, const ControlTemplate& c) {
    auto* button = new QPushButton(QString::fromLatin1(c.text), parent);
    button->setAutoDefault(true);
    button->setDefault(Has(c, style::kDefault));
    return button;
}

QWidget* MakeIcon(QWidget* parent, const QIcon& icon) {
    auto* label = new QLabel(parent);
    label->setPixmap(icon.pixmap(32, 32));
    return label;
}

QWidget* MakeControl(QWidget* parent, const ControlTemplate& c, const QIcon& icon) {
    switch (c.kind) {
        case ControlKind::Static:
            return MakeStatic(parent, c);
        case ControlKind::Edit:
            return MakeEdit(parent, c);
        case ControlKind::ComboBox:
            return MakeComboBox(parent, c);
        case ControlKind::CheckBox:
            return new QCheckBox(QString::fromLatin1(c.text), parent);
        case ControlKind::PushButton:
            return MakePushButton(parent, c);
        case ControlKind::GroupBox:
            return new GroupFrame(QString::fromLatin1(c.text), parent);
        case ControlKind::Tab:
            return new TabControl(parent);
        case ControlKind::Icon:
            return MakeIcon(parent, icon);
    }
    return new QWidget(parent);
}

// Where the control goes. A combo box's height in the template includes its dropped-down list;
// closed, it takes the height its style needs. An icon shows at its own size.
QRect PlaceOf(const ControlTemplate& c, QWidget* widget, BaseUnits units) {
    QRect rect = DluToPixels(QRect(c.x, c.y, c.cx, c.cy), units);
    if (c.kind == ControlKind::ComboBox) {
        rect.setHeight(widget->sizeHint().height());
    } else if (c.kind == ControlKind::Icon) {
        rect.setSize(QSize(32, 32));
    }
    return rect;
}

void FillList(QComboBox* combo, const res::ListInit& list, const ControlTemplate& c,
              BaseUnits units) {
    QStringList entries;
    for (const char* entry : list.entries) {
        entries << QString::fromLatin1(entry);
    }
    if (Has(c, style::kSort)) {
        std::stable_sort(entries.begin(), entries.end(), [](const QString& a, const QString& b) {
            return QString::compare(a, b, Qt::CaseInsensitive) < 0;
        });
    }
    combo->addItems(entries);
    combo->setCurrentIndex(-1);
    // The rest of the template's height is room for the dropped-down list.
    const int listHeight = DluToPixelsY(c.cy, units) - combo->height();
    const int lineHeight = std::max(1, combo->fontMetrics().height());
    combo->setMaxVisibleItems(std::max(1, listHeight / lineHeight));
}

void StackFramesBehind(const std::vector<QWidget*>& widgets,
                       std::span<const ControlTemplate> controls) {
    for (std::size_t i = 0; i < widgets.size(); ++i) {
        if (controls[i].kind == ControlKind::GroupBox) {
            widgets[i]->lower();
        }
    }
    for (std::size_t i = 0; i < widgets.size(); ++i) {
        if (controls[i].kind == ControlKind::Tab) {
            widgets[i]->lower();
        }
    }
}

// Controls are created in template order, which makes it the focus order. A control that is no
// tab stop takes the focus only when clicked.
void KeepOutOfTabOrder(const std::vector<QWidget*>& widgets,
                       std::span<const ControlTemplate> controls) {
    for (std::size_t i = 0; i < widgets.size(); ++i) {
        if (!Has(controls[i], style::kTabStop) && widgets[i]->focusPolicy() != Qt::NoFocus) {
            widgets[i]->setFocusPolicy(Qt::ClickFocus);
        }
    }
}

}  // namespace

BuiltDialog BuildDialog(QDialog& dialog, const res::DialogTemplate& dialogTemplate,
                        const QIcon& icon) {
    BuiltDialog built;
    dialog.setWindowTitle(QString::fromLatin1(dialogTemplate.caption));
    QFont font(QString::fromLatin1(dialogTemplate.fontFace), dialogTemplate.fontPointSize);
    font.setStyleHint(QFont::SansSerif);
    dialog.setFont(font);
    built.units = BaseUnitsOf(dialog.font());
    dialog.setFixedSize(DluToPixelsX(dialogTemplate.cx, built.units),
                        DluToPixelsY(dialogTemplate.cy, built.units));

    for (const ControlTemplate& c : dialogTemplate.controls) {
        QWidget* widget = MakeControl(&dialog, c, icon);
        widget->setGeometry(PlaceOf(c, widget, built.units));
        built.widgets.push_back(widget);
        if (c.id != res::kStaticId) {
            built.byId[c.id] = widget;
        }
    }
    for (const res::ListInit& list : dialogTemplate.lists) {
        for (std::size_t i = 0; i < built.widgets.size(); ++i) {
            auto* combo = qobject_cast<QComboBox*>(built.widgets[i]);
            if (combo != nullptr && dialogTemplate.controls[i].id == list.id) {
                FillList(combo, list, dialogTemplate.controls[i], built.units);
            }
        }
    }
    StackFramesBehind(built.widgets, dialogTemplate.controls);
    KeepOutOfTabOrder(built.widgets, dialogTemplate.controls);

    if (auto ok = built.byId.find(res::IDOK); ok != built.byId.end()) {
        if (auto* button = qobject_cast<QPushButton*>(ok->second)) {
            QObject::connect(button, &QPushButton::clicked, &dialog, &QDialog::accept);
        }
    }
    return built;
}

}  // namespace wb::ui
