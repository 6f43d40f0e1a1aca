#include "platform/qt/qt_settings_store.h"

#include <QSettings>
#include <QStandardPaths>
#include <QStringList>

#include "platform/qt/qt_convert.h"

namespace gestalia {

namespace {

const QString kLastKey = QStringLiteral("agendas/last");
const QString kRecentKey = QStringLiteral("agendas/recent");

}  // namespace

CQtSettingsStore::CQtSettingsStore()
    : m_file(QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation) +
             QStringLiteral("/Gestalia/Gestalia.conf")) {}

CRememberedAgendas CQtSettingsStore::Load() const {
    const QSettings settings(m_file, QSettings::IniFormat);
    CRememberedAgendas agendas;
    if (settings.status() != QSettings::NoError) {
        return agendas;
    }
    agendas.strLast = ToUtf8(settings.value(kLastKey).toString());
    for (const QString& path : settings.value(kRecentKey).toStringList()) {
        agendas.recent.push_back(ToUtf8(path));
    }
    return agendas;
}

void CQtSettingsStore::Save(const CRememberedAgendas& agendas) {
    // Everything is written afresh: QSettings replaces a file it could not
    // read with what it holds, here only these keys.
    QSettings settings(m_file, QSettings::IniFormat);
    settings.clear();
    settings.setValue(kLastKey, ToQString(agendas.strLast));
    QStringList recent;
    for (const std::string& path : agendas.recent) {
        recent.append(ToQString(path));
    }
    settings.setValue(kRecentKey, recent);
    settings.sync();
}

}  // namespace gestalia
