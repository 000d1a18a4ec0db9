#include "platform/config.h"

#include "platform/plainfile.h"
#include "platform/safefile.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

struct ConfigEntry
{
    QString key; // null for a line without "=", kept as it stands in value
    QString value;
    // The line as read; written back unchanged while the value stays, so that bytes
    // that are no UTF-8 (a value typed in another encoding) survive.
    QByteArray line;
};

struct ConfigGroup
{
    QString name;
    QList<ConfigEntry> entries;
};

struct ConfigChange
{
    QString group;
    ConfigEntry entry;
};

namespace {
const QChar Quote(QLatin1Char('"'));

bool isQuoted(const QString& v)
{
    return v.size() >= 2 && v.startsWith(Quote) && v.endsWith(Quote);
}

QString unquote(const QString& v)
{
    if (!isQuoted(v))
        return v;
    QString out;
    const QString inner = v.mid(1, v.size() - 2);
    for (qsizetype i = 0; i < inner.size(); ++i) {
        const QChar next = i + 1 < inner.size() ? inner.at(i + 1) : QChar();
        if (inner.at(i) == QLatin1Char('\\') && (next == QLatin1Char('\\') || next == QLatin1Char('n')
                                                  || next == QLatin1Char('r'))) {
            out += next == QLatin1Char('n') ? QChar(QLatin1Char('\n'))
                 : next == QLatin1Char('r') ? QChar(QLatin1Char('\r'))
                                            : next;
            ++i;
        } else {
            out += inner.at(i);
        }
    }
    return out;
}

// The value as it stands, unless it would not read back so.
QString quoteIfNeeded(const QString& v)
{
    if (!v.contains(QLatin1Char('\n')) && !v.contains(QLatin1Char('\r')) && v == v.trimmed() && !isQuoted(v))
        return v;
    QString out = Quote;
    for (QChar c : v) {
        if (c == QLatin1Char('\\'))
            out += QLatin1String("\\\\");
        else if (c == QLatin1Char('\n'))
            out += QLatin1String("\\n");
        else if (c == QLatin1Char('\r'))
            out += QLatin1String("\\r");
        else
            out += c;
    }
    return out + Quote;
}

qsizetype groupIndex(QList<ConfigGroup>& groups, const QString& name)
{
    for (qsizetype i = 0; i < groups.size(); ++i)
        if (groups.at(i).name == name)
            return i;
    groups.append({name, {}});
    return groups.size() - 1;
}

void set(QList<ConfigGroup>& groups, const QString& group, const ConfigEntry& entry)
{
    QList<ConfigEntry>& entries = groups[groupIndex(groups, group)].entries;
    for (ConfigEntry& e : entries) {
        if (!e.key.isNull() && e.key == entry.key) {
            e.value = entry.value;
            e.line = entry.line;
            return;
        }
    }
    entries.append(entry);
}

QList<ConfigGroup> parse(const QByteArray& bytes)
{
    QList<ConfigGroup> groups;
    QString group;
    for (const QByteArray& raw : bytes.split('\n')) {
        const QString line = QString::fromUtf8(raw);
        const QString t = line.trimmed();
        if (t.isEmpty())
            continue;
        if (t.startsWith(QLatin1Char('[')) && t.endsWith(QLatin1Char(']'))) {
            group = t.mid(1, t.size() - 2);
            groupIndex(groups, group);
            continue;
        }
        const qsizetype eq = line.indexOf(QLatin1Char('='));
        const QString key = eq < 0 ? QString() : line.left(eq).trimmed();
        if (key.isEmpty())
            groups[groupIndex(groups, group)].entries.append({QString(), t, raw});
        else
            set(groups, group, {key, unquote(line.mid(eq + 1).trimmed()), raw});
    }
    return groups;
}

QByteArray format(const QList<ConfigGroup>& groups)
{
    QByteArray out;
    for (const ConfigGroup& g : groups) {
        if (g.name.isEmpty() && g.entries.isEmpty())
            continue;
        if (!out.isEmpty())
            out += '\n';
        if (!g.name.isEmpty())
            out += (QLatin1Char('[') + g.name + QLatin1String("]\n")).toUtf8();
        for (const ConfigEntry& e : g.entries) {
            if (!e.line.isNull())
                out += e.line;
            else
                out += (e.key.isNull() ? e.value : e.key + QLatin1Char('=') + quoteIfNeeded(e.value)).toUtf8();
            out += '\n';
        }
    }
    return out;
}

// The file's groups; false when it exists but cannot be read (a pipe or a device
// there is unreadable, and so never written over).
bool readFile(const QString& path, QList<ConfigGroup>& groups)
{
    QFile file;
    if (!QFileInfo::exists(path))
        return true;
    if (!openPlainFile(file, path))
        return false;
    const QByteArray bytes = file.readAll();
    if (file.error() != QFileDevice::NoError)
        return false;
    groups = parse(bytes);
    return true;
}
} // namespace

Config::Config(const QString& name, Domain) : m_path(filePath(name))
{
    m_readable = readFile(m_path, m_groups);
}

Config::~Config()
{
    if (!m_changes.isEmpty() && m_readable && !write())
        qWarning("palmtop: settings not written to %s", qPrintable(m_path));
}

bool Config::write()
{
    // Whatever the file holds now (hand edits made meanwhile), with our changes on top.
    QList<ConfigGroup> groups;
    if (!readFile(m_path, groups))
        return false;
    for (const auto& change : std::as_const(m_changes))
        set(groups, change.group, change.entry);
    QDir().mkpath(QFileInfo(m_path).absolutePath());
    const QByteArray bytes = format(groups);
    SafeFile file(m_path);
    if (!file.open() || !file.write(bytes) || file.writtenSize() != bytes.size()) {
        file.cancel();
        return false;
    }
    return file.commit();
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

const QString* Config::value(const QString& key) const
{
    for (const ConfigGroup& g : m_groups) {
        if (g.name != m_group)
            continue;
        for (const ConfigEntry& e : g.entries)
            if (!e.key.isNull() && e.key == key)
                return &e.value;
    }
    return nullptr;
}

bool Config::hasKey(const QString& key) const
{
    return value(key) != nullptr;
}

QString Config::readEntry(const QString& key, const QString& deflt) const
{
    const QString* v = value(key);
    if (!v)
        return deflt;
    return v->isEmpty() ? QString() : *v;
}

int Config::readNumEntry(const QString& key, int deflt) const
{
    const QString* v = value(key);
    if (!v)
        return deflt;
    bool ok = false;
    const int n = v->trimmed().toInt(&ok);
    return ok ? n : 0;
}

bool Config::readBoolEntry(const QString& key, bool deflt) const
{
    const QString* v = value(key);
    if (!v)
        return deflt;
    const QString word = v->trimmed().toLower();
    if (word == QLatin1String("true"))
        return true;
    if (word == QLatin1String("false"))
        return false;
    return word.toInt() != 0;
}

void Config::writeEntry(const QString& key, const QString& value)
{
    const QString* old = this->value(key);
    if (old && *old == value)
        return;
    // A null text is stored as an empty value, which reads back as a null string.
    const ConfigEntry entry {key, value.isNull() ? QLatin1String("") : value, QByteArray()};
    set(m_groups, m_group, entry);
    m_changes.append({m_group, entry});
}

void Config::writeEntry(const QString& key, const char* value)
{
    writeEntry(key, QString::fromUtf8(value));
}

void Config::writeEntry(const QString& key, int value)
{
    writeEntry(key, QString::number(value));
}

void Config::writeEntry(const QString& key, bool value)
{
    writeEntry(key, value ? QStringLiteral("true") : QStringLiteral("false"));
}
