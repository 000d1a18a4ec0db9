#pragma once

#include <QList>
#include <QString>

struct ConfigGroup;
struct ConfigChange;

// A named settings file of the user: ${XDG_CONFIG_HOME:-$HOME/.config}/palmtop/<name>.conf,
// groups as "[Group]", lines "Key=value", edited by hand as often as by the programs.
// A value is what stands after the first "=" of its line, spaces around it trimmed:
// no comments, escapes or lists. Only a value that would not read back so (line ends,
// spaces at either end, or double quotes at both ends) is written in double quotes,
// with "\\", "\n" and "\r" for backslash, line feed and carriage return.
// Groups and keys keep the order in which they were first written; lines that hold no
// "=" are kept where they stand. Writes reach the file when the object is destroyed,
// on top of whatever the file holds then, so keys changed by hand meanwhile survive.
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
    const QString* value(const QString& key) const;
    bool write();

    QString m_path;
    QString m_group;
    QList<ConfigGroup> m_groups;
    QList<ConfigChange> m_changes; // in the order written
    bool m_readable = true;
};
