#include "frmproperty.h"
#include "kxtestfiles.h"
#include "modalanswer.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDateTime>
#include <QLabel>
#include <QTemporaryDir>
#include <QTest>

#include <sys/stat.h>
#include <unistd.h>

// The properties dialog shows an entry and changes only what the user changed.
class TestFrmProperty : public QObject
{
    Q_OBJECT

private:
    QTemporaryDir tmp;
    QString dir;

    static QStringList labels(const frmProperty& dialog)
    {
        QStringList texts;
        for (const QLabel* label : dialog.findChildren<QLabel*>())
            texts << label->text().remove(QChar(0x200B));
        return texts;
    }
    static mode_t mode(const QString& path)
    {
        struct stat st = {};
        ::stat(bytes(path).constData(), &st);
        return st.st_mode & 07777;
    }
    static uid_t owner(const QString& path)
    {
        struct stat st = {};
        ::stat(bytes(path).constData(), &st);
        return st.st_uid;
    }
    // Presses OK; returns what an error box said.
    static QString pressOk(frmProperty& dialog)
    {
        ModalAnswer answer(QStringLiteral("OK"));
        dialog.accept();
        QTest::qWait(0);
        return answer.answered() ? answer.title() + QLatin1Char('|') + answer.text() : QString();
    }
    void idFiles(const QByteArray& users, const QByteArray& groups)
    {
        frmProperty::userFile = tmp.path() + QStringLiteral("/passwd");
        frmProperty::groupFile = tmp.path() + QStringLiteral("/group");
        writeAll(frmProperty::userFile, users);
        writeAll(frmProperty::groupFile, groups);
    }

private slots:
    void init()
    {
        dir = tmp.path() + QStringLiteral("/d/");
        QDir(dir).removeRecursively();
        QVERIFY(QDir().mkpath(dir));
        idFiles("", "");
    }

    void showsTheFirstEntry()
    {
        writeAll(dir + QStringLiteral("f"), QByteArray(1500, 'x'));
        writeAll(dir + QStringLiteral("empty"), QByteArray());
        QVERIFY(QFile::link(QStringLiteral("f"), dir + QStringLiteral("link")));
        QStringList names{QStringLiteral("link"), QStringLiteral("empty")};
        frmProperty dialog(nullptr, dir, &names);
        QCOMPARE(dialog.windowTitle(), QStringLiteral("link Properties"));
        const QDateTime changed = QFileInfo(dir + QStringLiteral("f")).lastModified();
        for (const QString& value : {QStringLiteral("link"), QStringLiteral("????"), dir, QStringLiteral("2 KB (1,500 Byte)"),
                                     changed.toString(QStringLiteral("yyyy/MM/dd HH:mm:ss"))})
            QVERIFY2(labels(dialog).contains(value), qPrintable(value));
        QStringList second{QStringLiteral("empty")};
        QVERIFY(labels(frmProperty(nullptr, dir, &second)).contains(QStringLiteral("0 KB (0 Byte)")));
    }

    // The set-user-id, set-group-id and sticky bits have no boxes: OK keeps them.
    void keepsTheBitsItDoesNotShow()
    {
        const QString program = dir + QStringLiteral("program");
        const QString shared = dir + QStringLiteral("shared");
        writeAll(program, "#!/bin/sh\n");
        QVERIFY(QDir().mkdir(shared));
        QCOMPARE(::chmod(bytes(program).constData(), 06755), 0);
        QCOMPARE(::chmod(bytes(shared).constData(), 03777), 0);
        for (const QString& name : {QStringLiteral("program"), QStringLiteral("shared")}) {
            const mode_t before = mode(dir + name);
            QStringList names{name};
            frmProperty dialog(nullptr, dir, &names);
            QCOMPARE(pressOk(dialog), QString());
            QCOMPARE(dialog.result(), int(QDialog::Accepted));
            QCOMPARE(mode(dir + name), before);
        }
        QStringList names{QStringLiteral("program")};
        frmProperty dialog(nullptr, dir, &names);
        const QList<QCheckBox*> boxes = dialog.findChildren<QCheckBox*>();
        QCOMPARE(boxes.size(), 9);
        boxes.at(1)->setChecked(false); // owner write
        boxes.at(7)->setChecked(true);  // other write
        QCOMPARE(pressOk(dialog), QString());
        QCOMPARE(mode(program), mode_t(06557));
    }

    // A user without a password field and a group without members are found; an owner
    // the files do not name shows as its number. Pressing OK hands the entry to nobody else.
    void ownerAndGroupLists_data()
    {
        QTest::addColumn<QByteArray>("users");
        QTest::addColumn<QByteArray>("groups");
        QTest::addColumn<QString>("ownerShown");
        QTest::addColumn<QString>("groupShown");
        const QByteArray uid = QByteArray::number(::getuid());
        const QByteArray gid = QByteArray::number(::getgid());
        QTest::newRow("named") << "first:x:4000:4000::/:/bin/sh\nbroken\nme::" + uid + ":4001::/:/bin/sh\n"
                               << "grp:x:4001:a,b\nmine:x:" + gid + ":\n" << "me" << "mine";
        QTest::newRow("unnamed") << QByteArray("first:x:4000:4000::/:/bin/sh\n") << QByteArray("grp:x:4001:\n")
                                 << QString::fromLatin1(uid) << QString::fromLatin1(gid);
        QTest::newRow("no files") << QByteArray() << QByteArray() << QString::fromLatin1(uid) << QString::fromLatin1(gid);
    }

    void ownerAndGroupLists()
    {
        QFETCH(QByteArray, users);
        QFETCH(QByteArray, groups);
        QFETCH(QString, ownerShown);
        QFETCH(QString, groupShown);
        idFiles(users, groups);
        if (users.isEmpty())
            frmProperty::userFile = tmp.path() + QStringLiteral("/missing");
        writeAll(dir + QStringLiteral("f"), "x");
        QStringList names{QStringLiteral("f")};
        frmProperty dialog(nullptr, dir, &names);
        const QList<QComboBox*> combos = dialog.findChildren<QComboBox*>();
        QCOMPARE(combos.size(), 2);
        QCOMPARE(combos.at(0)->currentText(), ownerShown);
        QCOMPARE(combos.at(1)->currentText(), groupShown);
        QCOMPARE(pressOk(dialog), QString());
        QCOMPARE(dialog.result(), int(QDialog::Accepted));
        QCOMPARE(owner(dir + QStringLiteral("f")), ::getuid());
    }

    // Another owner: root may give the entry away, a user is refused with the Part's report.
    void changesTheOwner()
    {
        idFiles("me:x:" + QByteArray::number(::getuid()) + ":0::/:/bin/sh\nother:x:4321:4321::/:/bin/sh\n", "");
        writeAll(dir + QStringLiteral("f"), "x");
        QStringList names{QStringLiteral("f")};
        frmProperty dialog(nullptr, dir, &names);
        dialog.findChildren<QComboBox*>().at(0)->setCurrentText(QStringLiteral("other"));
        if (::geteuid() == 0) {
            QCOMPARE(pressOk(dialog), QString());
            QCOMPARE(owner(dir + QStringLiteral("f")), uid_t(4321));
        } else {
            QCOMPARE(pressOk(dialog),
                     QStringLiteral("Error|所有者の設定に失敗しました。\nchown() ... return code:-1 ... errno:1"));
            QVERIFY(dialog.result() != QDialog::Accepted);
        }
    }

    void entryGoneWhileOpen()
    {
        writeAll(dir + QStringLiteral("f"), "x");
        QStringList names{QStringLiteral("f")};
        frmProperty dialog(nullptr, dir, &names);
        QVERIFY(QFile::remove(dir + QStringLiteral("f")));
        QCOMPARE(pressOk(dialog),
                 QStringLiteral("Error|パーミッションの設定に失敗しました。\nchmod() ... return code:-1 ... errno:2"));
        QVERIFY(dialog.result() != QDialog::Accepted);
        QVERIFY(!QFile::exists(dir + QStringLiteral("f")));
    }
};

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    TestFrmProperty test;
    return QTest::qExec(&test, argc, argv);
}
#include "tst_frmproperty.moc"
