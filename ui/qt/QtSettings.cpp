// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/qt/QtSettings.h"

#include <QCoreApplication>
#include <cstdlib>
#include <string>
#include <vector>

namespace wb::ui {

QtSettings::QtSettings()
    : m_settings(QSettings::IniFormat, QSettings::UserScope, QStringLiteral("WrenbeaconConfig"),
                 QStringLiteral("WrenbeaconConfig")),
      m_readable(m_settings.status() == QSettings::NoError) {}

std::optional<std::string> QtSettings::Get(const std::string& key) {
    const QVariant value = m_settings.value(QString::fromStdString(key));
    if (!m_readable || !value.isValid() || value.typeId() != QMetaType::QString) {
        return std::nullopt;
    }
    return value.toString().toStdString();
}

void QtSettings::Set(const std::vector<Setting>& values) {
    if (!m_readable) {
        m_settings.clear();  // what could not be read is replaced, not kept half
        m_readable = true;
    }
    for (const auto& [key, value] : values) {
        m_settings.setValue(QString::fromStdString(key), QString::fromStdString(value));
    }
    m_settings.sync();
}

std::unique_ptr<SettingsStore> MakeWindowSettings() {
    std::vector<std::string> arguments;
    for (const QString& argument : QCoreApplication::arguments()) {
        arguments.push_back(argument.toStdString());
    }
    if (!SettingsWanted(arguments, std::getenv("WRENBEACON_NO_SETTINGS"))) {
        return std::make_unique<NoSettings>();
    }
    return std::make_unique<QtSettings>();
}

}  // namespace wb::ui
