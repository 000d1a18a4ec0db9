#include "text/encoding.h"
#include "dialogscript.h"
#include "modalanswer.h"
#include "qpeeditor.h"
#include "textedit.h"
#include "document.h"
#include "filedialog.h"

#include "platform/config.h"
#include "platform/doclnk.h"

#include <QAbstractButton>
#include <QDialog>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QMessageBox>
#include <QTimer>
#include <QTemporaryDir>
#include <QWindow>
#include <QtTest>

#include <memory>

#include <sys/stat.h>

// Documents of the main window: captions, the untitled name, the questions before
// overwriting and discarding, and what a failed or refused save leaves behind.
class TestTextEditDocuments : public QObject
{
    Q_OBJECT

private:
    QTemporaryDir dir;

    QString path(const QString& name) const { return dir.filePath(name); }

    static void writeBytes(const QString& file, const QByteArray& bytes)
    {
        QFile f(file);
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write(bytes);
    }

    static QByteArray readBytes(const QString& file)
    {
        QFile f(file);
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
    }

    // Settings of the "View" group, written before the window reads them.
    static void setView(const QMap<QString, QVariant>& values)
    {
        Config conf(QStringLiteral("VElino"));
        conf.setGroup(QStringLiteral("View"));
        for (auto it = values.begin(); it != values.end(); ++it)
            conf.writeEntry(it.key(), it.value().toString());
    }

    static void typeText(TextEdit& w, const QString& text)
    {
        w.editor()->insert(text);
    }

private slots:
    void init()
    {
        QFile::remove(Config::filePath(QStringLiteral("VElino")));
        QFile::remove(Config::filePath(QStringLiteral("VElino_r")));
        setView({{QStringLiteral("AutoSaveDir"), dir.path() + QLatin1Char('/')}});
    }

    void appName()
    {
        QCOMPARE(TextEdit::appNameFor(QStringLiteral("/usr/bin/velino")), QStringLiteral("VElino"));
        QCOMPARE(TextEdit::appNameFor(QStringLiteral("velino")), QStringLiteral("VElino"));
        QCOMPARE(TextEdit::appNameFor(QStringLiteral("/opt/korvex")), QStringLiteral("korvex"));
        QCOMPARE(TextEdit::appNameFor(QStringLiteral("Velino")), QStringLiteral("Velino"));
    }

    void captions()
    {
        writeBytes(path(QStringLiteral("abc.txt")), "abc");
        writeBytes(path(QStringLiteral("lines.txt")), "one\ntwo\nthree\n");
        {
            TextEdit w(QStringLiteral("VElino"));
            QCOMPARE(w.windowTitle(), QStringLiteral("Unnamed(ShiftJIS file) - VElino"));
            w.openThisFile(path(QStringLiteral("abc.txt")));
            QCOMPARE(w.windowTitle(), QStringLiteral("abc.txt(ShiftJIS file) - VElino"));
            w.openThisFile(path(QStringLiteral("lines.txt")));
            QCOMPARE(w.windowTitle(), QStringLiteral("lines.txt(UTF-8 file) - VElino"));
            // The window system would take "[*]" as the modified-window mark and drop it.
            writeBytes(path(QStringLiteral("a[*].txt")), "abc");
            w.winId();
            w.openThisFile(path(QStringLiteral("a[*].txt")));
            QCOMPARE(w.windowHandle()->title(), QStringLiteral("a[*].txt(ShiftJIS file) - VElino"));
        }
        init();
        setView({{QStringLiteral("LineNumber"), 1}, {QStringLiteral("InputCodec"), 3}});
        {
            TextEdit w(QStringLiteral("VElino"));
            w.openThisFile(path(QStringLiteral("lines.txt")));
            w.jump_to(1);
            w.updateCaption();
            QCOMPARE(w.windowTitle(), QStringLiteral("2 ( 4 )lines.txt(EUC-JP ->?\?\?\?) - VElino"));

            // The line part follows the cursor.
            w.show();
            QVERIFY(QTest::qWaitForWindowExposed(&w));
            w.editor()->setFocus();
            QTest::keyClick(w.editor(), Qt::Key_Down);
            QTRY_COMPARE(w.windowTitle(), QStringLiteral("3 ( 4 )lines.txt(EUC-JP ->?\?\?\?) - VElino"));
        }
        init();
        setView({{QStringLiteral("LineNumber"), 1}, {QStringLiteral("LineNumberCr"), true},
                 {QStringLiteral("Wrap"), true}});
        {
            TextEdit w(QStringLiteral("VElino"));
            w.resize(300, 300);
            w.show();
            QVERIFY(QTest::qWaitForWindowExposed(&w));
            w.wrap_this();
            w.editor()->setPlainText(QString(200, QLatin1Char('x')) + QStringLiteral("\nend"));
            w.jump_to(1);
            QVERIFY(w.editor()->numRows() > 2);
            w.updateCaption();
            QCOMPARE(w.windowTitle(), QStringLiteral("2 ( 2 )Unnamed(ShiftJIS file) - VElino"));
        }
    }

    void untitledNames_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("name");
        QTest::newRow("dots, slash, first word") << QStringLiteral("../notes today\nmore") << QStringLiteral("_notes");
        QTest::newRow("only spaces") << QStringLiteral("   \n  ") << QStringLiteral("NoTitle");
        QTest::newRow("long word") << QString(45, QLatin1Char('w')) << QString(40, QLatin1Char('w'));
        QTest::newRow("leading blanks") << QStringLiteral("\n\t  memo  x") << QStringLiteral("memo");
        const QString emoji = QString::fromUtf8("\U0001F600");
        QTest::newRow("pair at the cut") << QString(39, QLatin1Char('w')) + emoji + emoji
                                         << QString(39, QLatin1Char('w')) + emoji;
    }

    void untitledNames()
    {
        QFETCH(QString, text);
        QFETCH(QString, name);
        QCOMPARE(Document::untitledName(text), name);
    }

    void overwriteQuestion()
    {
        const QString target = path(QStringLiteral("hello"));
        writeBytes(target, "old");
        TextEdit w(QStringLiteral("VElino"));
        typeText(w, QStringLiteral("hello world"));
        {
            ModalAnswer cancel(QStringLiteral("Cancel"));
            QVERIFY(w.save()); // refusing counts as done, as for the caller nothing failed
            QVERIFY(cancel.answered());
            QCOMPARE(cancel.title(), QStringLiteral("VElino warning"));
            QCOMPARE(cancel.text(), QStringLiteral("The file exists already.\nDoes it overwrite?"));
        }
        QCOMPARE(readBytes(target), QByteArray("old"));
        QVERIFY(w.editor()->edited());
        {
            ModalAnswer ok(QStringLiteral("OK"));
            QVERIFY(w.save());
            QVERIFY(ok.answered());
        }
        QCOMPARE(readBytes(target), QByteArray("hello world"));
        QVERIFY(!w.editor()->edited());

        // The document's own file is saved again without asking.
        typeText(w, QStringLiteral("!"));
        ModalAnswer none(QStringLiteral("Cancel"));
        QVERIFY(w.save());
        QCoreApplication::processEvents();
        QVERIFY(!none.answered());
        QCOMPARE(readBytes(target), QByteArray("hello world!"));
    }

    void saveAsOntoAnotherFileAsks()
    {
        const QString own = path(QStringLiteral("own.txt"));
        const QString other = path(QStringLiteral("other.txt"));
        writeBytes(own, "own\n");
        writeBytes(other, "other\n");
        TextEdit w(QStringLiteral("VElino"));
        w.openThisFile(own);
        w.editor()->setCursorPosition(w.editor()->numRows() - 1, 1 << 30);
        typeText(w, QStringLiteral("more"));

        // Picks other.txt in the save dialog and refuses the overwrite question.
        QStringList questions;
        QTimer answer;
        connect(&answer, &QTimer::timeout, [&] {
            QWidget* modal = QApplication::activeModalWidget();
            if (auto* dialog = qobject_cast<FileDialog*>(modal)) {
                QCOMPARE(dialog->getAbsSelectedFileName(), own); // its folder, its name
                dialog->setName(QStringLiteral("other.txt"));
                dialog->accept();
            } else if (auto* box = qobject_cast<QMessageBox*>(modal)) {
                questions << box->text();
                for (QAbstractButton* b : box->buttons())
                    if (b->text() == QLatin1String("Cancel"))
                        b->click();
            }
        });
        answer.start(5);
        w.fileMenuSaveAs();
        QCOMPARE(questions, QStringList({QStringLiteral("The file exists already.\nDoes it overwrite?")}));
        QCOMPARE(readBytes(other), QByteArray("other\n"));
        QCOMPARE(readBytes(own), QByteArray("own\n"));
        // Refusing still renames the document, as the question's answer counts as done.
        QCOMPARE(w.document()->file(), other);
        QCOMPARE(w.windowTitle(), QStringLiteral("other.txt(UTF-8 file) - VElino"));
    }

    // Save as, open and the filer run the editor's own dialog with the window's settings:
    // the small save layout, the name proposed from the first line, the user folders,
    // and the folder of the current file.
    void fileDialogsFollowTheSettings()
    {
        QVERIFY(QDir(dir.path()).mkpath(QStringLiteral("card")));
        writeBytes(path(QStringLiteral("card/b.txt")), "bee\n");
        setView({{QStringLiteral("SmallSaveDialog"), true},
                 {QStringLiteral("AppendFileExtension"), true},
                 {QStringLiteral("UserJumpU"), path(QStringLiteral("card"))}});
        TextEdit w(QStringLiteral("VElino"));
        w.resize(240, 320);
        typeText(w, QStringLiteral("first words\nmore"));
        QList<int> modes;
        QTimer answer;
        connect(&answer, &QTimer::timeout, [&] {
            auto* dialog = qobject_cast<FileDialog*>(QApplication::activeModalWidget());
            if (!dialog)
                return;
            modes << dialog->mode();
            if (dialog->mode() == FileDialog::Save) {
                QCOMPARE(dialog->height(), 320 / 2 - 25);
                dialog->cd_user_U();
                dialog->inputFileName();
                dialog->accept();
            } else if (dialog->mode() == FileDialog::Open) {
                QCOMPARE(dialog->getAbsSelectedPath(), path(QStringLiteral("card")));
                dialog->setName(QStringLiteral("b.txt"));
                dialog->accept();
            } else {
                QCOMPARE(dialog->getAbsSelectedPath(), path(QStringLiteral("card")));
                dialog->reject();
            }
        });
        answer.start(5);
        w.fileMenuSaveAs();
        QCOMPARE(readBytes(path(QStringLiteral("card/first.txt"))), QByteArray("first words\nmore"));
        w.fileOpen();
        QCOMPARE(w.document()->file(), path(QStringLiteral("card/b.txt")));
        w.fileMenuFiler();
        QCOMPARE(modes, QList<int>({FileDialog::Save, FileDialog::Open, FileDialog::Filer}));
    }

    void modifiedTextWarning()
    {
        writeBytes(path(QStringLiteral("a.txt")), "alpha\n");
        TextEdit w(QStringLiteral("VElino"));

        // A new text that was emptied again goes without a question.
        typeText(w, QStringLiteral("x"));
        QTest::keyClick(w.editor(), Qt::Key_Backspace);
        QVERIFY(w.editor()->edited());
        {
            ModalAnswer none(QStringLiteral("OK"));
            w.openThisFile(path(QStringLiteral("a.txt")));
            QCoreApplication::processEvents();
            QVERIFY(!none.answered());
        }
        QCOMPARE(w.editor()->toPlainText(), QStringLiteral("alpha\n"));

        // An edited file asks; Cancel keeps the document and its text.
        w.editor()->setCursorPosition(w.editor()->numRows() - 1, 1 << 30);
        typeText(w, QStringLiteral("beta"));
        {
            ModalAnswer cancel(QStringLiteral("Cancel"));
            w.fileNew();
            QVERIFY(cancel.answered());
            QCOMPARE(cancel.text(), QStringLiteral("The file is changed. The file becomes invalid."));
        }
        QCOMPARE(w.editor()->toPlainText(), QStringLiteral("alpha\nbeta"));
        QCOMPARE(w.document()->file(), path(QStringLiteral("a.txt")));
        QVERIFY(w.editor()->edited());
        {
            ModalAnswer cancel(QStringLiteral("Cancel"));
            QVERIFY(!w.close());
            QVERIFY(cancel.answered());
        }
        {
            ModalAnswer ok(QStringLiteral("OK"));
            w.fileNew();
            QVERIFY(ok.answered());
        }
        QVERIFY(w.editor()->toPlainText().isEmpty());
        QVERIFY(w.document()->file().isEmpty());
        QCOMPARE(readBytes(path(QStringLiteral("a.txt"))), QByteArray("alpha\n"));
    }

    void recentFileHandedOverAsksOnce()
    {
        writeBytes(path(QStringLiteral("r1.txt")), "one\n");
        writeBytes(path(QStringLiteral("r2.txt")), "two\n");
        TextEdit w(QStringLiteral("VElino"));
        w.openThisFile(path(QStringLiteral("r1.txt")));
        w.openThisFile(path(QStringLiteral("r2.txt")));
        typeText(w, QStringLiteral("edit"));
        ModalAnswer ok(QStringLiteral("OK"));
        // A box after the answered one is counted and closed.
        int later = 0;
        QTimer watch;
        connect(&watch, &QTimer::timeout, [&] {
            if (auto* box = qobject_cast<QDialog*>(QApplication::activeModalWidget()); box && ok.answered()) {
                ++later;
                box->reject();
            }
        });
        watch.start(5);
        w.setDocument(path(QStringLiteral("r1.txt"))); // entry 0 of the history
        QVERIFY(ok.answered());
        QCOMPARE(later, 0);
        QCOMPARE(w.document()->file(), path(QStringLiteral("r1.txt")));
    }

    void menuSaveWritesOnlyEditedText()
    {
        const QString file = path(QStringLiteral("same.txt"));
        writeBytes(file, "same\n");
        TextEdit w(QStringLiteral("VElino"));
        w.openThisFile(file);
        QFile::remove(file);
        w.fileMenuSave();
        QVERIFY(!QFile::exists(file));
    }

    void unencodableCharacters()
    {
        const QString file = path(QStringLiteral("sjis.txt"));
        writeBytes(file, "abc");
        TextEdit w(QStringLiteral("VElino"));
        w.openThisFile(file); // all ASCII: Shift JIS
        w.editor()->setCursorPosition(w.editor()->numRows() - 1, 1 << 30);
        // A Hangul syllable has no Shift JIS form; the wave dash typed by input methods has one.
        typeText(w, QString(QChar(0xD55C)) + QChar(0x301C) + QLatin1Char('d'));
        {
            ModalAnswer cancel(QStringLiteral("Cancel"));
            QVERIFY(!w.save());
            QVERIFY(cancel.answered());
            QCOMPARE(cancel.title(), QStringLiteral("VElino warning"));
            QVERIFY2(cancel.text().startsWith(QStringLiteral("1 characters cannot be written")), qPrintable(cancel.text()));
            QVERIFY(cancel.text().contains(QStringLiteral("U+d55c")));
        }
        QCOMPARE(readBytes(file), QByteArray("abc"));
        QVERIFY(w.editor()->edited());
        {
            ModalAnswer ok(QStringLiteral("OK"));
            QVERIFY(w.save());
            QVERIFY(ok.answered());
        }
        const QByteArray written = readBytes(file);
        QVERIFY(written.startsWith("abc"));
        QVERIFY(written.endsWith("\x81\x60" "d")); // the wave dash as the JIS character
        QVERIFY(!w.editor()->edited());
    }

    void loneSurrogateIsNamedAndSaved()
    {
        const QString file = path(QStringLiteral("utf8.txt"));
        writeBytes(file, "one\ntwo\n");
        TextEdit w(QStringLiteral("VElino"));
        w.openThisFile(file);
        w.editor()->insert(QString(QChar(0xD800)) + QLatin1Char('x')); // as a paste can bring it
        ModalAnswer ok(QStringLiteral("OK"));
        QVERIFY(w.save());
        QCOMPARE(ok.title(), QStringLiteral("VElino warning"));
        QVERIFY2(ok.text().startsWith(QStringLiteral("1 characters cannot be written")), qPrintable(ok.text()));
        QVERIFY2(ok.text().contains(QStringLiteral("U+d800")), qPrintable(ok.text()));
        QCOMPARE(readBytes(file), QByteArray("\xef\xbf\xbdxone\ntwo\n"));
    }

    void crOnlyBelongsToItsDocument()
    {
        // A file with carriage returns only, then an LF file read in a forced encoding:
        // the second keeps its line feeds.
        const QString mac = path(QStringLiteral("mac.txt"));
        const QString lf = path(QStringLiteral("unix.txt"));
        writeBytes(mac, "a\rb\r");
        writeBytes(lf, "c\nd\n");
        TextEdit w(QStringLiteral("VElino"));
        w.openThisFile(mac);
        QVERIFY(w.document()->crOnly());
        EditorSettings forced = w.settings();
        forced.InputCodec = Encoding::ShiftJis;
        w.applyFuncOptions(forced);
        w.openThisFile(lf);
        w.editor()->insert(QStringLiteral("x"));
        QVERIFY(w.save());
        QCOMPARE(readBytes(lf), QByteArray("xc\nd\n"));
    }

    void unreadableBytesAreNotSilentlyReplaced()
    {
        // Multi-line Shift JIS without escapes reads as UTF-8, which cannot hold its kanji.
        const QString file = path(QStringLiteral("notes.txt"));
        const QByteArray sjis("\x93\xfa\x96\x7b\n\x8c\xea\n");
        writeBytes(file, sjis);
        TextEdit w(QStringLiteral("VElino"));
        {
            ModalAnswer ok(QStringLiteral("OK"));
            w.openThisFile(file);
            QVERIFY(ok.answered());
            QCOMPARE(ok.title(), QStringLiteral("VElino warning"));
            QVERIFY2(ok.text().startsWith(QStringLiteral("This file is not valid UTF-8: ")), qPrintable(ok.text()));
        }
        QCOMPARE(w.windowTitle(), QStringLiteral("notes.txt(UTF-8 file) - VElino"));
        typeText(w, QStringLiteral("x"));
        {
            ModalAnswer cancel(QStringLiteral("Cancel"));
            QVERIFY(!w.save());
            QVERIFY(cancel.answered());
        }
        QCOMPARE(readBytes(file), sjis);
        QVERIFY(w.editor()->edited());
        {
            ModalAnswer ok(QStringLiteral("OK"));
            QVERIFY(w.save());
            QVERIFY(ok.answered());
        }
        QVERIFY(readBytes(file).contains("\xef\xbf\xbd"));

        // A UTF-8 file that holds the replacement character itself reads cleanly.
        const QString clean = path(QStringLiteral("clean.txt"));
        writeBytes(clean, "a\xef\xbf\xbd\nb\n");
        ModalAnswer none(QStringLiteral("OK"));
        w.openThisFile(clean);
        QVERIFY(!none.answered());
    }

    void writeErrorKeepsDocumentEdited()
    {
        TextEdit w(QStringLiteral("VElino"));
        const QString missing = path(QStringLiteral("no/such/folder/"));
        init();
        setView({{QStringLiteral("AutoSaveDir"), missing}});
        TextEdit v(QStringLiteral("VElino"));
        typeText(v, QStringLiteral("text"));
        {
            ModalAnswer ok(QStringLiteral("OK"));
            QVERIFY(!v.save());
            QVERIFY(ok.answered());
            QCOMPARE(ok.title(), QStringLiteral("Write Error!!!"));
            QVERIFY(ok.text().contains(QStringLiteral("Please investigate the file")));
        }
        QVERIFY(v.editor()->edited());
        QVERIFY(v.document()->isNewDoc());
    }

    // Opening and saving writes back exactly the bytes that were read: every line-end
    // kind, NUL, no-break and separator characters, a byte-order mark.
    void savedAsRead_data()
    {
        QTest::addColumn<int>("inputCodec");
        QTest::addColumn<QByteArray>("bytes");
        const QByteArray ends = QByteArrayLiteral("a\r\nb\rc\nd\x00" "e\r\r\n");
        const QByteArray utf8 = QByteArray("\xEF\xBB\xBF") + ends + "\xC2\xA0|\xE2\x80\xA8|\xE2\x80\xA9|\xE6\x97\xA5\xF0\x9F\x98\x80";
        QTest::newRow("UTF-8, detected") << 0 << utf8;
        QTest::newRow("UTF-8, CR only") << 0 << QByteArray("one\rtwo\r\xE6\x97\xA5\r");
        QTest::newRow("UTF-8, several pieces") << 1 << utf8.repeated(600000);
        QTest::newRow("Shift JIS") << 2 << ends + "\x93\xfa\x96\x7b\x8c\xea\r\n\x82\xa0";
        QTest::newRow("EUC-JP") << 3 << ends + "\xc6\xfc\xcb\xdc\xb8\xec\r\n\xa4\xa2";
        QTest::newRow("JIS") << 4 << ends + "\x1b$BF|K\\8l\x1b(B\r\nx";
        QTest::newRow("EUC-KR") << 5 << ends + "\xc7\xd1\xb1\xb9\xbe\xee\r\n";
        QTest::newRow("GBK") << 6 << ends + "\xd6\xd0\xce\xc4\r\n";
    }

    void savedAsRead()
    {
        QFETCH(int, inputCodec);
        QFETCH(QByteArray, bytes);
        setView({{QStringLiteral("InputCodec"), inputCodec}});
        const QString file = path(QStringLiteral("asread.txt"));
        writeBytes(file, bytes);
        TextEdit w(QStringLiteral("VElino"));
        QVERIFY(w.openThisFile(file));
        QVERIFY(w.save());
        QVERIFY(readBytes(file) == bytes);
    }

    // A long reading stopped from its progress box, or by closing the window, leaves
    // the document open before as it was. The box shows the name as it is.
    void stoppedReadingKeepsTheDocument()
    {
        const QString small = path(QStringLiteral("small.txt"));
        const QString large = path(QStringLiteral("<b>large.txt"));
        writeBytes(small, "small\n");
        writeBytes(large, QByteArray("a line of a long file\n").repeated(1 << 20));
        TextEdit w(QStringLiteral("VElino"));
        w.show();
        QVERIFY(w.openThisFile(small));
        typeText(w, QStringLiteral("typed "));
        {
            QString shown;
            ModalAnswer cancel(QStringLiteral("Cancel"), [&](QDialog* dialog) {
                const auto* label = dialog->findChild<QLabel*>();
                shown = label->textFormat() == Qt::PlainText ? label->text() : QString();
            });
            QVERIFY(!w.openThisFile(large));
            QVERIFY(cancel.answered());
            QCOMPARE(shown, QStringLiteral("Reading <b>large.txt ..."));
        }
        QCOMPARE(w.document()->file(), small);
        QCOMPARE(w.editor()->text(), QStringLiteral("typed small\n"));
        QVERIFY(w.editor()->edited());

        w.editor()->setEdited(false);
        QTimer::singleShot(20, &w, &QWidget::close);
        QVERIFY(!w.openThisFile(large));
        QCOMPARE(w.document()->file(), small);
        QTRY_VERIFY(!w.isVisible());
        QFile::remove(large);
    }

    // A named pipe used to block the window for good while waiting for a writer.
    void openErrorShowsBox_data()
    {
        QTest::addColumn<QString>("name");
        QTest::newRow("missing") << QStringLiteral("missing.txt");
        QTest::newRow("named pipe") << QStringLiteral("pipe.txt");
        QTest::newRow("folder") << QStringLiteral("folder.txt");
    }

    void openErrorShowsBox()
    {
        QFETCH(QString, name);
        if (name == QStringLiteral("pipe.txt"))
            QVERIFY(::mkfifo(QFile::encodeName(path(name)).constData(), 0600) == 0);
        else if (name == QStringLiteral("folder.txt"))
            QVERIFY(QDir(dir.path()).mkdir(name));
        TextEdit w(QStringLiteral("VElino"));
        ModalAnswer ok(QStringLiteral("OK"));
        w.openThisFile(path(name));
        QVERIFY(ok.answered());
        QCOMPARE(ok.title(), QStringLiteral("Open error"));
        QCOMPARE(w.windowTitle(), name + QStringLiteral("(ShiftJIS file) - VElino"));
    }

    // Text typed after a failed read replaced, unasked, a file the user never saw; a
    // pipe or a device was replaced by a plain file, or written in place for ever.
    void failedReadAsksBeforeOverwriting()
    {
        const QString pipe = path(QStringLiteral("unread.txt"));
        QVERIFY(::mkfifo(QFile::encodeName(pipe).constData(), 0600) == 0);
        TextEdit w(QStringLiteral("VElino"));
        {
            ModalAnswer ok(QStringLiteral("OK"));
            w.openThisFile(pipe);
            QVERIFY(ok.answered());
        }
        typeText(w, QStringLiteral("typed"));
        {
            ModalAnswer cancel(QStringLiteral("Cancel"));
            w.fileMenuSave();
            QVERIFY(cancel.answered());
            QCOMPARE(cancel.text(), QStringLiteral("The file exists already.\nDoes it overwrite?"));
        }
        // Told to, it still writes no plain file in place of the pipe.
        DialogScript script({DialogScript::press("OK"), DialogScript::press("OK")});
        QVERIFY(!w.save());
        QCOMPARE(script.titles, QStringList({QStringLiteral("VElino warning"), QStringLiteral("Write Error!!!")}));
        struct stat st {};
        QVERIFY(::stat(QFile::encodeName(pipe).constData(), &st) == 0 && S_ISFIFO(st.st_mode));
    }

    void revertCancelledLeavesANewDocument()
    {
        writeBytes(path(QStringLiteral("kept.txt")), "kept");
        TextEdit w(QStringLiteral("VElino"));
        w.openThisFile(path(QStringLiteral("kept.txt")));
        {
            ModalAnswer cancel(QStringLiteral("CANCEL"));
            w.fileRevert();
            QVERIFY(cancel.answered());
        }
        QVERIFY(w.document());
        QVERIFY(w.document()->isNewDoc());
        typeText(w, QStringLiteral("after revert"));
        w.timerOn();
        QCOMPARE(readBytes(path(QStringLiteral("after"))), QByteArray("after revert"));
        QCOMPARE(readBytes(path(QStringLiteral("kept.txt"))), QByteArray("kept"));
        QFile::remove(path(QStringLiteral("after")));
    }

    void autoSave()
    {
        TextEdit w(QStringLiteral("VElino"));
        w.timerOn(); // nothing edited: nothing written
        QCOMPARE(QDir(dir.path()).entryList({QStringLiteral("NoTitle")}, QDir::Files), QStringList());
        typeText(w, QStringLiteral("diary entry"));
        w.timerOn();
        QCOMPARE(readBytes(path(QStringLiteral("diary"))), QByteArray("diary entry"));
        QCOMPARE(w.windowTitle(), QStringLiteral("diary(ShiftJIS file) - VElino"));
        QFile::remove(path(QStringLiteral("diary")));
    }

    // Each tick of auto save during one of its own boxes put another box on top.
    void autoSaveTickDuringItsBoxWaits()
    {
        setView({{QStringLiteral("AutoSaveDir"), path(QStringLiteral("missing/"))}});
        TextEdit w(QStringLiteral("VElino"));
        typeText(w, QStringLiteral("lost"));
        bool nested = false;
        ModalAnswer box(QStringLiteral("OK"), [&](QDialog*) {
            ModalAnswer inner(QStringLiteral("OK"));
            w.timerOn();
            nested = inner.answered();
        });
        w.timerOn();
        QCOMPARE(box.title(), QStringLiteral("Write Error!!!"));
        QVERIFY(!nested);
        QVERIFY(w.editor()->edited());
    }
};

QTEST_MAIN(TestTextEditDocuments)
#include "tst_textedit_documents.moc"
