#include "document.h"
#include "qpeeditor.h"
#include "textedit.h"

#include "platform/config.h"
#include "platform/doclnk.h"
#include "platform/qcopenvelope.h"
#include "platform/qpeapplication.h"

#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QtTest>

// The window as the platform drives it: start-up arguments, documents handed
// over and "JumpTo(int)" arriving on the program's channel.
class TestTextEditMessages : public QObject
{
    Q_OBJECT

private:
    QTemporaryDir dir;
    QString file;

    QString channel() const
    {
        return QPEApplication::appChannel(QFileInfo(QCoreApplication::applicationFilePath()).fileName());
    }

private slots:
    void initTestCase()
    {
        file = dir.filePath(QStringLiteral("numbers.txt"));
        QFile f(file);
        QVERIFY(f.open(QIODevice::WriteOnly));
        for (int i = 0; i < 60; ++i)
            f.write(QByteArray::number(i) + '\n');
    }

    void init()
    {
        QFile::remove(Config::filePath(QStringLiteral("VElino")));
    }

    void startWithFileAndLine()
    {
        TextEdit w(QStringLiteral("VElino"));
        w.startWith({QStringLiteral("velino"), file, QStringLiteral("9")});
        QCOMPARE(w.document()->file(), file);
        QCOMPARE(w.editor()->cursorRow(), 9);
        QCOMPARE(w.editor()->rowText(9), QStringLiteral("9"));
    }

    void startWithBadLine()
    {
        TextEdit w(QStringLiteral("VElino"));
        w.startWith({QStringLiteral("velino"), file, QStringLiteral("twelve")});
        QCOMPARE(w.editor()->cursorRow(), 0);
        w.startWith({QStringLiteral("velino"), file, QStringLiteral("12abc")});
        QCOMPARE(w.editor()->cursorRow(), 12);
        w.startWith({QStringLiteral("velino"), file, QStringLiteral("-1")}); // negative: the end
        QCOMPARE(w.editor()->cursorRow(), 60);
        w.startWith({QStringLiteral("velino"), file, QStringLiteral("99999")});
        QCOMPARE(w.editor()->cursorRow(), 60);
    }

    void fixedWidthWrapKeepsTheCursor()
    {
        {
            Config conf(QStringLiteral("VElino"));
            conf.setGroup(QStringLiteral("View"));
            conf.writeEntry(QStringLiteral("Wrap"), true);
            conf.writeEntry(QStringLiteral("WrapMethod"), 40);
            conf.writeEntry(QStringLiteral("LineNumber"), 1);
        }
        const QString longLines = dir.filePath(QStringLiteral("long.txt"));
        QFile f(longLines);
        QVERIFY(f.open(QIODevice::WriteOnly));
        for (int i = 0; i < 60; ++i)
            f.write(QByteArray::number(i) + QByteArray(100, 'x') + '\n');
        f.close();
        TextEdit w(QStringLiteral("VElino"));
        w.wrap_this();
        w.show();
        w.startWith({QStringLiteral("velino"), longLines, QStringLiteral("40")});
        QVERIFY(QTest::qWaitForWindowExposed(&w));
        QCOMPARE(w.editor()->wrapMode(), QpeEditor::WrapMode::FixedWidth);
        QCOMPARE(w.editor()->Row2CRLineNumber(w.editor()->cursorRow()), 40);
        // The caption counts the rows of the wrapped text.
        const QString rows = QString::asprintf("%d ( %d )", w.editor()->cursorRow() + 1, w.editor()->numRows());
        QVERIFY(w.editor()->numRows() > 120);
        QVERIFY2(w.windowTitle().startsWith(rows), qPrintable(w.windowTitle()));

        w.editor()->setCursorPosition(w.editor()->Line2WrapLineNumber(30), 1);
        w.resize(w.width() + 120, w.height());
        QTest::qWait(50);
        QCOMPARE(w.editor()->Row2CRLineNumber(w.editor()->cursorRow()), 30);
        QCOMPARE(w.editor()->cursorColumn(), 1);
    }

    void okKeyAndMessageReachAccept()
    {
        auto* app = static_cast<QPEApplication*>(qApp);
        {
            Config conf(QStringLiteral("VElino"));
            conf.setGroup(QStringLiteral("View"));
            conf.writeEntry(QStringLiteral("OKisEnter"), true);
        }
        TextEdit w(QStringLiteral("VElino"));
        app->showMainWidget(&w);
        QVERIFY(QTest::qWaitForWindowActive(&w));
        w.editor()->setFocus();
        QTest::keyClick(w.editor(), Qt::Key(QPEApplication::OkKey));
        QTRY_COMPARE(w.editor()->text(), QStringLiteral("\n"));
        QVERIFY(QCopEnvelope::send(channel(), "accept()", QByteArray()));
        QTRY_COMPARE(w.editor()->text(), QStringLiteral("\n\n"));
        // A desktop keyboard's Return is still just Return.
        QTest::keyClick(w.editor(), Qt::Key_Return);
        QCOMPARE(w.editor()->text(), QStringLiteral("\n\n\n"));
    }

    void jumpToOverTheChannel()
    {
        auto* app = static_cast<QPEApplication*>(qApp);
        TextEdit w(QStringLiteral("VElino"));
        app->showMainDocumentWidget(&w);
        w.setDocument(file);
        QCOMPARE(w.document()->file(), file);
        {
            QCopEnvelope e(channel(), "JumpTo(int)");
            e << 41;
        }
        QTRY_COMPARE(w.editor()->cursorRow(), 41);

        // Other messages and garbled arguments change nothing.
        QVERIFY(QCopEnvelope::send(channel(), "JumpTo(int)", QByteArray("\x01", 1)));
        QVERIFY(QCopEnvelope::send(channel(), "Unknown(int)", QByteArray("\0\0\0\x03", 4)));
        {
            QCopEnvelope e(channel(), "JumpTo(int)");
            e << 7;
        }
        QTRY_COMPARE(w.editor()->cursorRow(), 7);

        // A document handed over by a second start replaces the current one.
        const QString other = dir.filePath(QStringLiteral("other.txt"));
        QFile f(other);
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write("other\n");
        f.close();
        {
            QCopEnvelope e(channel(), "setDocument(QString)");
            e << other;
        }
        QTRY_COMPARE(w.document()->file(), other);
        QCOMPARE(w.settings().history.path(0), file);
        QCOMPARE(w.settings().history.line(0), 7);
    }
};

int main(int argc, char** argv)
{
    QPEApplication app(argc, argv);
    TestTextEditMessages test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_textedit_messages.moc"
