#pragma once

#include "kxcommon.h"
#include "testfiles.h"

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QFileInfo>
#include <QList>
#include <QRegularExpression>
#include <QStringList>
#include <QTest>

#include <sys/stat.h>
#include <unistd.h>

// A batch without a screen: questions are answered from `answers` (Cancel when
// it runs out) and every question and message is kept as "title|text".
class ScriptedCommon : public kxCommon
{
public:
    QList<int> answers;
    QStringList asked;
    QStringList told;

protected:
    int question(const QString& title, const QString& text, bool withCancel) override
    {
        asked << title + QLatin1Char('|') + text;
        const int answer = answers.isEmpty() ? Cancel : answers.takeFirst();
        return withCancel || answer != Cancel ? answer : No;
    }
    void message(bool, const QString& title, const QString& text) override
    {
        told << title + QLatin1Char('|') + text;
    }
};

inline QByteArray bytes(const QString& path)
{
    return QFile::encodeName(path);
}

// Builds entries below root: "d/" a folder, "f=text" a file, "l->target" a
// symbolic link, "p|" a FIFO.
inline void makeTree(const QString& root, const QStringList& entries)
{
    for (const QString& entry : entries) {
        const QString path = root + QLatin1Char('/') + entry.section(QRegularExpression(QStringLiteral("=|->|\\|")), 0, 0);
        QVERIFY(QDir().mkpath(QFileInfo(path).path()));
        if (entry.endsWith(QLatin1Char('/')))
            QVERIFY(QDir().mkpath(path));
        else if (entry.contains(QLatin1String("->")))
            QCOMPARE(::symlink(bytes(entry.section(QLatin1String("->"), 1)).constData(), bytes(path).constData()), 0);
        else if (entry.endsWith(QLatin1Char('|')))
            QCOMPARE(::mkfifo(bytes(path).constData(), 0600), 0);
        else
            writeAll(path, entry.section(QLatin1Char('='), 1).toUtf8());
        QVERIFY(QFileInfo::exists(path) || QFileInfo(path).isSymLink());
    }
}

// The entries below root in the same notation, sorted; FIFOs as "p|", sockets as "s=".
inline QStringList tree(QString root)
{
    if (root.endsWith(QLatin1Char('/')))
        root.chop(1);
    QStringList lines;
    QDirIterator it(root, QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot,
                    QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QString path = it.next();
        const QString name = path.mid(root.size() + 1);
        struct stat st;
        if (::lstat(bytes(path).constData(), &st) != 0)
            continue;
        if (S_ISLNK(st.st_mode)) {
            char target[4096];
            const ssize_t n = ::readlink(bytes(path).constData(), target, sizeof target);
            lines << name + QLatin1String("->") + QFile::decodeName(QByteArray(target, int(qMax<ssize_t>(n, 0))));
        } else if (S_ISDIR(st.st_mode)) {
            lines << name + QLatin1Char('/');
        } else if (S_ISFIFO(st.st_mode)) {
            lines << name + QLatin1Char('|');
        } else if (S_ISSOCK(st.st_mode)) {
            lines << name + QLatin1String("=<socket>");
        } else {
            lines << name + QLatin1Char('=') + QString::fromUtf8(readAll(path));
        }
    }
    lines.sort();
    return lines;
}
