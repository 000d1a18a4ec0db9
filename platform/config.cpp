#include "platform/config.h"

#include <QDir>
#include <QSettings>
#include <QStringList>

Config::Config(const QString& name, Domain)
{
    const QString path = filePath(name);
    QDir().mkpath(QFileInfo(path).absolutePath());
    m_settings = new QSettings(path, QSettings::IniFormat);
}

Config::~Config()
{
    m_settings->sync();
    delete m_settings;
}

QString Config::filePath(const QString& name)
{
    QString base = qEnvironmentVariable("XDG_CONFIG_HOME");
    if (base.isEmpty())
        base = QDir::homePath() + QStringLiteral("/.config");
    return base + QStringLiteral("/palmtop/") + name + QStringLiteral(".conf");
}

void Config::setGroup(const QString& group)
{
    m_group = group;
}

QString Config::fullKey(const QString& key) const
{
    return m_group.isEmpty() ? key : m_group + QLatin1Char('/') + key;
}

bool Config::hasKey(const QString& key) const
{
    return m_settings->contains(fullKey(key));
}

QString Config::rawValue(const QString& key, bool* present) const
{
    const QVariant v = m_settings->value(fullKey(key));
    *present = v.isValid();
    // A hand-written value with commas comes back from the INI parser as a list.
    if (v.typeId() == QMetaType::QStringList)
        return v.toStringList().join(QStringLiteral(", "));
    return v.toString();
}

QString Config::readEntry(const QString& key, const QString& deflt) const
{
    bool present = false;
    const QString value = rawValue(key, &present);
    if (!present)
        return deflt;
    return value.isEmpty() ? QString() : value;
}

int Config::readNumEntry(const QString& key, int deflt) const
{
    bool present = false;
    const QString value = rawValue(key, &present);
    if (!present)
        return deflt;
    bool ok = false;
    const int n = value.trimmed().toInt(&ok);
    return ok ? n : 0;
}

bool Config::readBoolEntry(const QString& key, bool deflt) const
{
    bool present = false;
    const QString value = rawValue(key, &present).trimmed().toLower();
    if (!present)
        return deflt;
    if (value == QLatin1String("true"))
        return true;
    if (value == QLatin1String("false"))
        return false;
    return value.toInt() != 0;
}

void Config::writeEntry(const QString& key, const QString& value)
{
    m_settings->setValue(fullKey(key), value);
}

void Config::writeEntry(const QString& key, const char* value)
{
    writeEntry(key, QString::fromUtf8(value));
}

void Config::writeEntry(const QString& key, int value)
{
    m_settings->setValue(fullKey(key), value);
}

void Config::writeEntry(const QString& key, bool value)
{
    m_settings->setValue(fullKey(key), value);
}
