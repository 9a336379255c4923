#include "SettingsStore.h"

#include <QSettings>
#include <QStringList>
#include <QVariant>

using namespace Qt::StringLiterals;

namespace sys {

SettingsStore::SettingsStore(QString iniPath)
    : m_path(std::move(iniPath))
{
}

QString SettingsStore::defaultPath()
{
    return QSettings(QSettings::IniFormat, QSettings::UserScope, u"Tavolin"_s).fileName();
}

// Opened per call: the other program may have written the file since the last look.
QString SettingsStore::get(const QString& section, const QString& key) const
{
    const QSettings s(m_path, QSettings::IniFormat);
    const QVariant v = s.value(section + u'/' + key);
    // An unquoted value with commas (a file edited by hand) reads as a list; give it back whole.
    if (v.typeId() == QMetaType::QStringList)
        return v.toStringList().join(u", "_s);
    return v.toString();
}

bool SettingsStore::set(const QString& section, const QString& key, const QString& value)
{
    return set({Value{section, key, value}});
}

bool SettingsStore::set(const QList<Value>& values)
{
    // Each sync locks, rewrites and flushes the whole file to the disk: values that belong
    // together go in one.
    QSettings s(m_path, QSettings::IniFormat);
    for (const Value& v : values)
        s.setValue(v.section + u'/' + v.key, v.value);
    s.sync();
    return s.status() == QSettings::NoError;
}

} // namespace sys
