#pragma once
// The per-user settings store shared by both programs: one INI file, sections as groups,
// values as strings, an absent value reading as "". Every write is synced at once because
// the other program reads the same file.

#include <QList>
#include <QString>

namespace sys {

class SettingsStore {
public:
    explicit SettingsStore(QString iniPath);
    // The user's store: the "Tavolin" INI file in the user's configuration folder.
    static QString defaultPath();

    QString get(const QString& section, const QString& key) const;
    // Returns false when the value could not be written.
    bool set(const QString& section, const QString& key, const QString& value);
    struct Value {
        QString section;
        QString key;
        QString value;
    };
    // Several values in one write of the file: all of them are written, or none.
    bool set(const QList<Value>& values);
    const QString& path() const { return m_path; }

private:
    QString m_path;
};

} // namespace sys
