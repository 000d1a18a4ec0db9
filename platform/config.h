#pragma once

#include <QString>

class QSettings;

// A named settings file of the user: ${XDG_CONFIG_HOME:-$HOME/.config}/palmtop/<name>.conf.
// Writes reach the file when the object is destroyed.
class Config
{
public:
    enum Domain { User };

    Config(const QString& name, Domain domain = User);
    ~Config();
    Config(const Config&) = delete;
    Config& operator=(const Config&) = delete;

    static QString filePath(const QString& name);

    void setGroup(const QString& group);
    bool hasKey(const QString& key) const;
    // A key present with an empty value reads as a null string.
    QString readEntry(const QString& key, const QString& deflt = QString()) const;
    // A value that is not a number reads as 0.
    int readNumEntry(const QString& key, int deflt = -1) const;
    bool readBoolEntry(const QString& key, bool deflt = false) const;

    void writeEntry(const QString& key, const QString& value);
    void writeEntry(const QString& key, const char* value);
    void writeEntry(const QString& key, int value);
    void writeEntry(const QString& key, bool value);

private:
    QString rawValue(const QString& key, bool* present) const;
    QString fullKey(const QString& key) const;

    QSettings* m_settings;
    QString m_group;
};
