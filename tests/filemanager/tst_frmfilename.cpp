#include "frmfilename.h"
#include "kxtestfiles.h"
#include "modalanswer.h"

#include <QApplication>
#include <QLineEdit>
#include <QTemporaryDir>
#include <QTest>

// The name dialog's checks, and the entries it creates and renames.
class TestFrmFilename : public QObject
{
    Q_OBJECT

private:
    QTemporaryDir tmp;
    QString dir;

    // Types name into a dialog of `mode` and presses Execute; returns what the error box said.
    static QString execute(int mode, const QString& dir, const QString& old, const QString& name, int* result)
    {
        frmFilename dialog(nullptr, mode, dir, old);
        dialog.findChild<QLineEdit*>()->setText(name);
        ModalAnswer answer(QStringLiteral("OK"));
        dialog.accept();
        *result = dialog.result();
        return answer.answered() ? answer.title() + QLatin1Char('|') + answer.text() : QString();
    }

private slots:
    void init()
    {
        QDir(tmp.path()).removeRecursively();
        dir = tmp.path() + QStringLiteral("/d/");
        QVERIFY(QDir().mkpath(dir));
    }

    void proposesAFreeName()
    {
        makeTree(dir, {"New Folder/", "New Folder(2)/", "New Text.txt=", "New Link->nowhere"});
        frmFilename folder(nullptr, 0, dir, QStringLiteral("New Folder"));
        QCOMPARE(folder.text(), QStringLiteral("New Folder(3)"));
        QCOMPARE(folder.findChild<QLineEdit*>()->selectedText(), folder.text());
        QCOMPARE(frmFilename::calcNameSameDir(dir, QStringLiteral("New Text.txt")), QStringLiteral("New Text(2).txt"));
        // A dangling link takes its name too.
        QCOMPARE(frmFilename::calcNameSameDir(dir, QStringLiteral("New Link")), QStringLiteral("New Link(2)"));
        frmFilename rename(nullptr, 3, dir, QStringLiteral("New Text.txt"));
        QCOMPARE(rename.text(), QStringLiteral("New Text.txt"));
    }

    void refusesBadNames_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("message");
        const QString forbidden = QStringLiteral("入力エラー|次の文字は使用できません。\n\\ / : , ; * ? \" < > |");
        const QString exists = QStringLiteral("入力エラー|その名前のオブジェクトは既に存在します。");
        QTest::newRow("empty") << QString() << QStringLiteral("入力エラー|オブジェクト名を入力してください。");
        for (const QChar c : QStringLiteral("/\\:,;*?\"<>|"))
            QTest::newRow(qPrintable(QStringLiteral("char %1").arg(c))) << QStringLiteral("a%1b").arg(c) << forbidden;
        QTest::newRow("NUL") << QStringLiteral("a") + QChar(0) + QStringLiteral("b") << forbidden;
        QTest::newRow("dot") << QStringLiteral(".") << exists;
        QTest::newRow("dot dot") << QStringLiteral("..") << exists;
        QTest::newRow("taken") << QStringLiteral("taken") << exists;
        QTest::newRow("dangling link") << QStringLiteral("link") << exists;
        QTest::newRow("256 bytes") << QString(128, QChar(0x00E9)) << QStringLiteral("入力エラー|名前が長すぎます。");
    }

    // Every mode refuses them and leaves the folder as it was.
    void refusesBadNames()
    {
        QFETCH(QString, name);
        QFETCH(QString, message);
        makeTree(dir, {"taken=1", "link->nowhere", "old=2", "sub/"});
        const QStringList before = tree(dir);
        for (int mode = 0; mode < 4; ++mode) {
            int result = -1;
            const QString old = mode == 2 ? QStringLiteral("sub") : QStringLiteral("old");
            QCOMPARE(execute(mode, dir, old, name, &result), message);
            QCOMPARE(result, 0);
        }
        QCOMPARE(tree(dir), before);
    }

    void createsAndRenames_data()
    {
        QTest::addColumn<QString>("name");
        QTest::newRow("plain") << QStringLiteral("notes");
        QTest::newRow("spaces and dots as typed") << QStringLiteral(" .hidden ");
        QTest::newRow("shell text") << QStringLiteral("$(touch pwned) `x` 'q'");
        QTest::newRow("leading dash") << QStringLiteral("-rf");
        QTest::newRow("newline") << QStringLiteral("two\nlines");
        QTest::newRow("255 bytes") << QString(127, QChar(0x00E9)) + QLatin1Char('x');
    }

    void createsAndRenames()
    {
        QFETCH(QString, name);
        int result = 0;
        QCOMPARE(execute(0, dir, QStringLiteral("New Folder"), name, &result), QString());
        QCOMPARE(result, 1);
        QCOMPARE(tree(dir), QStringList{name + QLatin1Char('/')});
        QCOMPARE(execute(2, dir, name, QStringLiteral("moved"), &result), QString());
        QCOMPARE(tree(dir), QStringList{QStringLiteral("moved/")});
        QVERIFY(QDir(dir).rmdir(QStringLiteral("moved")));

        QCOMPARE(execute(1, dir, QStringLiteral("New Text.txt"), name, &result), QString());
        QCOMPARE(tree(dir), QStringList{name + QLatin1Char('=')});
        writeAll(dir + name, "kept");
        QCOMPARE(execute(3, dir, name, QStringLiteral("renamed"), &result), QString());
        QCOMPARE(tree(dir), QStringList{QStringLiteral("renamed=kept")});
        QVERIFY(!QFile::exists(tmp.path() + QStringLiteral("/pwned")) && !QFile::exists(QStringLiteral("pwned")));
    }

    // Where nothing can be made (here a file stands for the folder) the Part's errors come.
    void reportsFailures()
    {
        makeTree(dir, {"file=1"});
        const QString notFolder = dir + QStringLiteral("file/");
        int result = 0;
        QCOMPARE(execute(0, notFolder, QString(), QStringLiteral("n"), &result),
                 QStringLiteral("作成エラー|フォルダ作成時にエラーが発生しました。"));
        QCOMPARE(execute(1, notFolder, QString(), QStringLiteral("n"), &result),
                 QStringLiteral("作成エラー|ファイル作成時にエラーが発生しました。\nnot open"));
        QCOMPARE(execute(3, notFolder, QStringLiteral("old"), QStringLiteral("n"), &result),
                 QStringLiteral("名前変更エラー|名前変更時にエラーが発生しました。\nQDir::rename()"));
        QCOMPARE(result, 0);
        QCOMPARE(tree(dir), QStringList{QStringLiteral("file=1")});
    }
};

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    TestFrmFilename test;
    return QTest::qExec(&test, argc, argv);
}
#include "tst_frmfilename.moc"
