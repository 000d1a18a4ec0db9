#include "filedialog.h"
#include "modalanswer.h"
#include "testfiles.h"

#include "platform/qpeapplication.h"

#include <QDate>
#include <QDir>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTemporaryDir>
#include <QtTest>

#include <sys/stat.h>
#include <unistd.h>

// The file dialog itself: listing, navigation, the results of each mode, the
// names proposed when saving, the keys and both layouts.
class TestFileDialog : public QObject
{
    Q_OBJECT

private:
    QTemporaryDir tmp;
    QWidget owner; // the main window's size decides the layout

    QString path(const QString& name) const { return tmp.filePath(name); }

    static QStringList names(const FileDialog& d)
    {
        QStringList out;
        for (int i = 0; i < d.list()->count(); ++i)
            out << d.list()->item(i)->text();
        return out;
    }

    static void tap(FileDialog& d, const QString& name)
    {
        const QList<QListWidgetItem*> items = d.list()->findItems(name, Qt::MatchExactly);
        QVERIFY2(items.size() == 1, qPrintable(name));
        d.list()->setCurrentItem(items.first());
        d.changeList();
    }

private slots:
    void initTestCase()
    {
        owner.resize(640, 480);
        for (const char* folder : {"adir", "Zdir", "adir/inner"})
            QVERIFY(QDir(tmp.path()).mkpath(QString::fromLatin1(folder)));
        for (const char* file : {"b.txt", "a.txt", "B.txt", ".hidden", "-dash", "adir/inner.txt"})
            writeAll(path(QString::fromLatin1(file)), "x");
        QVERIFY(::symlink("adir", QFile::encodeName(path(QStringLiteral("ldir"))).constData()) == 0);
        QVERIFY(::symlink("nowhere", QFile::encodeName(path(QStringLiteral("dangling"))).constData()) == 0);
        QVERIFY(::mkfifo(QFile::encodeName(path(QStringLiteral("pipe"))).constData(), 0600) == 0);
    }

    // The order and the entries of QDir with Dirs | Files | Hidden, Name | DirsFirst;
    // only folders carry the folder image.
    void listsLikeQDir()
    {
        FileDialog d(&owner, "", true, {}, FileDialog::Filer, false);
        QVERIFY(d.setList(tmp.path()));
        const QStringList expected = QDir(tmp.path()).entryList(QDir::Dirs | QDir::Files | QDir::Hidden,
                                                                QDir::Name | QDir::DirsFirst);
        QCOMPARE(names(d), expected);
        QVERIFY(!names(d).contains(QStringLiteral("pipe")) && !names(d).contains(QStringLiteral("dangling")));
        for (int i = 0; i < d.list()->count(); ++i) {
            const bool folder = QFileInfo(path(d.list()->item(i)->text())).isDir();
            QCOMPARE(!d.list()->item(i)->icon().isNull(), folder);
        }
        QCOMPARE(d.shownPath(), tmp.path());
    }

    void unreadableFolderKeepsListing()
    {
        FileDialog d(&owner, "", true, {}, FileDialog::Open, false);
        QVERIFY(d.setList(tmp.path()));
        const QStringList before = names(d);
        QVERIFY(!d.setList(path(QStringLiteral("missing"))));
        QVERIFY(!d.setList(path(QStringLiteral("a.txt"))));
        QCOMPARE(names(d), before);
        QCOMPARE(d.shownPath(), tmp.path());
        QCOMPARE(d.getAbsSelectedPath(), tmp.path());
    }

    void navigation()
    {
        FileDialog d(&owner, "", true, {}, FileDialog::Filer, false);
        QVERIFY(d.setList(tmp.path()));
        tap(d, QStringLiteral("."));
        QCOMPARE(d.getAbsSelectedPath(), tmp.path());
        tap(d, QStringLiteral("ldir"));
        QCOMPARE(d.getAbsSelectedPath(), path(QStringLiteral("ldir")));
        QVERIFY(names(d).contains(QStringLiteral("inner.txt")));
        tap(d, QStringLiteral(".."));
        QCOMPARE(d.getAbsSelectedPath(), tmp.path()); // back the way it came, not through the link's target
        tap(d, QStringLiteral("a.txt")); // files do nothing in the filer
        QCOMPARE(d.getAbsSelectedPath(), tmp.path());
        QVERIFY(d.setList(QStringLiteral("/")));
        d.cd_up();
        QCOMPARE(d.getAbsSelectedPath(), QStringLiteral("/"));
    }

    // A missing start folder falls back to the text folder, then to the home folder.
    void startFolderFallback()
    {
        if (QFileInfo::exists(QString::fromLatin1(FileDialog::TextFolder)))
            QSKIP("this machine has the palmtop's text folder");
        FileDialog d(&owner, "", true, {}, FileDialog::Open, false);
        QVERIFY(d.listStart(path(QStringLiteral("gone"))));
        QCOMPARE(d.getAbsSelectedPath(), QDir::homePath());
        QVERIFY(d.listStart(path(QStringLiteral("adir"))));
        QCOMPARE(d.getAbsSelectedPath(), path(QStringLiteral("adir")));
    }

    void openAndSaveResults()
    {
        for (int mode : {FileDialog::Open, FileDialog::Save}) {
            FileDialog d(&owner, "", true, {}, mode, false);
            QVERIFY(d.setList(tmp.path()));
            d.accept(); // an empty name does nothing
            QCOMPARE(d.result(), int(QDialog::Rejected));
            tap(d, QStringLiteral("b.txt"));
            QCOMPARE(d.nameField()->text(), QStringLiteral("b.txt"));
            QCOMPARE(d.result(), int(QDialog::Rejected));
            tap(d, QStringLiteral("b.txt")); // the second tap confirms
            QCOMPARE(d.result(), int(QDialog::Accepted));
            QCOMPARE(d.getAbsSelectedFileName(), path(QStringLiteral("b.txt")));
        }
        FileDialog root(&owner, "", true, {}, FileDialog::Save, false);
        QVERIFY(root.setList(QStringLiteral("/")));
        root.setName(QStringLiteral("x"));
        QCOMPARE(root.getAbsSelectedFileName(), QStringLiteral("/x"));
    }

    void proposedNames_data()
    {
        QTest::addColumn<QString>("line");
        QTest::addColumn<bool>("appendExtension");
        QTest::addColumn<QString>("name");
        QTest::newRow("dots, spaces and slash") << QStringLiteral("  ../my notes/today  ") << true
                                                << QStringLiteral("_my.txt");
        QTest::newRow("100 characters") << QString(100, QLatin1Char('n')) << false << QString(64, QLatin1Char('n'));
        QTest::newRow("100 characters, extension") << QString(100, QLatin1Char('n')) << true
                                                   << QString(64, QLatin1Char('n')) + QStringLiteral(".txt");
        // 64 characters, not 64 UTF-16 units: a character outside the BMP is never cut in half.
        QTest::newRow("emoji") << QString::fromUtf8("\xF0\x9F\x93\x9D").repeated(70) << false
                               << QString::fromUtf8("\xF0\x9F\x93\x9D").repeated(64);
        QTest::newRow("only dots") << QStringLiteral("...") << false << QString();
    }

    void proposedNames()
    {
        QFETCH(QString, line);
        QFETCH(bool, appendExtension);
        QFETCH(QString, name);
        FileDialog d(&owner, "", true, {}, FileDialog::Save, false);
        d.setLine1Text(line);
        d.setAppendFileExtension(appendExtension);
        d.setName(QStringLiteral("[]"));
        d.nameField()->setCursorPosition(1);
        d.inputFileName();
        QCOMPARE(d.nameField()->text(), QLatin1Char('[') + name + QLatin1Char(']'));
    }

    void dateName()
    {
        FileDialog d(&owner, "", true, {}, FileDialog::Save, false);
        d.setAppendFileExtension(true);
        d.inputDateTime();
        QCOMPARE(d.nameField()->text(), QDate::currentDate().toString(QStringLiteral("yyyyMMdd")));
    }

    // (mode, owner size, small save) -> dialog size, list box, cancel button and jump button texts.
    void layouts_data()
    {
        QTest::addColumn<int>("mode");
        QTest::addColumn<QSize>("ownerSize");
        QTest::addColumn<bool>("smallSave");
        QTest::addColumn<QSize>("size");
        QTest::addColumn<QRect>("list");
        QTest::addColumn<QRect>("cancel");
        QTest::addColumn<QString>("jumps");
        QTest::newRow("open, landscape") << 0 << QSize(640, 480) << false << QSize(400, 420)
                                         << QRect(5, 22, 389, 345) << QRect(332, 394, 64, 26)
                                         << QStringLiteral("mnt home text");
        QTest::newRow("save, small") << 1 << QSize(240, 320) << true << QSize(214, 135) << QRect(5, 22, 203, 60)
                                     << QRect(146, 109, 64, 26) << QStringLiteral("m h t");
        QTest::newRow("filer, portrait 480") << 2 << QSize(480, 640) << false << QSize(400, 512)
                                             << QRect(5, 58, 389, 426) << QRect(332, 486, 64, 26)
                                             << QStringLiteral("mnt home text");
    }

    void layouts()
    {
        QFETCH(int, mode);
        QFETCH(QSize, ownerSize);
        QFETCH(bool, smallSave);
        QFETCH(QSize, size);
        QFETCH(QRect, list);
        QFETCH(QRect, cancel);
        QFETCH(QString, jumps);
        QWidget window;
        window.resize(ownerSize);
        FileDialog d(&window, "", true, {}, mode, smallSave);
        QCOMPARE(d.size(), size);
        QCOMPARE(d.list()->geometry(), list);
        QPushButton* cancelButton = nullptr;
        QStringList jumpTexts;
        for (QPushButton* b : d.findChildren<QPushButton*>()) {
            if (b->text() == QLatin1String("CANCEL"))
                cancelButton = b;
            else if (QStringList{"mnt", "home", "text", "m", "h", "t"}.contains(b->text()))
                jumpTexts << b->text();
        }
        QVERIFY(cancelButton);
        QCOMPARE(cancelButton->geometry(), cancel);
        QCOMPARE(jumpTexts.join(QLatin1Char(' ')), jumps);
    }

    void keys()
    {
        FileDialog d(&owner, "", true, {}, FileDialog::Open, false);
        d.setUserDir(path(QStringLiteral("adir")), path(QStringLiteral("no cf")));
        QVERIFY(d.setList(tmp.path()));
        d.show();
        QVERIFY(QTest::qWaitForWindowActive(&d));

        d.list()->setFocus();
        QTest::keyClick(d.list(), Qt::Key_U, Qt::ShiftModifier);
        QCOMPARE(d.getAbsSelectedPath(), path(QStringLiteral("adir")));
        QTest::keyClick(d.list(), Qt::Key_J, Qt::ControlModifier); // missing folder: stays
        QCOMPARE(d.getAbsSelectedPath(), path(QStringLiteral("adir")));
        QTest::keyClick(d.list(), Qt::Key_Backspace); // only the filer and the target dialogs go up
        QCOMPARE(d.getAbsSelectedPath(), path(QStringLiteral("adir")));
        QTest::keyClick(d.list(), Qt::Key_Backspace, Qt::ControlModifier);
        QCOMPARE(d.getAbsSelectedPath(), tmp.path());

        // Return on an entry taps it and never presses a button.
        d.list()->setCurrentItem(d.list()->findItems(QStringLiteral("a.txt"), Qt::MatchExactly).first());
        QTest::keyClick(d.list(), Qt::Key_Return);
        QCOMPARE(d.nameField()->text(), QStringLiteral("a.txt"));
        QVERIFY(d.isVisible());

        // In the name field a capital letter is typed, not a jump.
        d.nameField()->setFocus();
        QTest::keyClick(d.nameField(), 'U', Qt::ShiftModifier);
        QCOMPARE(d.nameField()->text(), QStringLiteral("a.txtU"));
        QCOMPARE(d.getAbsSelectedPath(), tmp.path());

        QTest::keyClick(d.nameField(), Qt::Key_R, Qt::ControlModifier);
        QCOMPARE(d.getAbsSelectedPath(), QStringLiteral("/"));
        QVERIFY(d.list()->hasFocus());
    }

    void filerKeys()
    {
        FileDialog d(&owner, "", true, {}, FileDialog::Filer, false);
        QVERIFY(d.setList(path(QStringLiteral("adir/inner"))));
        d.show();
        QVERIFY(QTest::qWaitForWindowActive(&d));
        d.list()->setFocus();
        QTest::keyClick(d.list(), Qt::Key_Backspace);
        QCOMPARE(d.getAbsSelectedPath(), path(QStringLiteral("adir")));
        // The File menu's keys reach its commands.
        d.list()->setCurrentRow(-1);
        ModalAnswer box(QStringLiteral("OK"));
        QTest::keyClick(d.list(), Qt::Key_I, Qt::ControlModifier);
        QTRY_VERIFY(box.answered());
        QCOMPARE(box.text(), QStringLiteral("Please choose the file"));
    }

    // A double tap taps and selects: on a file of the open dialog it confirms; when the
    // tap has listed another folder, the selection must not act on the new listing.
    void doubleTap()
    {
        const auto doubleTap = [](FileDialog& d, const QString& name) {
            QListWidgetItem* item = d.list()->findItems(name, Qt::MatchExactly).first();
            const QPoint at = d.list()->visualItemRect(item).center();
            QTest::mouseClick(d.list()->viewport(), Qt::LeftButton, {}, at);
            QTest::mousePress(d.list()->viewport(), Qt::LeftButton, {}, at);
            QTest::mouseDClick(d.list()->viewport(), Qt::LeftButton, {}, at);
            QTest::mouseRelease(d.list()->viewport(), Qt::LeftButton, {}, at);
        };
        FileDialog d(&owner, "", true, {}, FileDialog::Open, false);
        QVERIFY(d.setList(path(QStringLiteral("adir/inner"))));
        d.show();
        QVERIFY(QTest::qWaitForWindowExposed(&d));
        doubleTap(d, QStringLiteral(".."));
        QCOMPARE(d.getAbsSelectedPath(), path(QStringLiteral("adir")));
        doubleTap(d, QStringLiteral("inner.txt"));
        QCOMPARE(d.result(), int(QDialog::Accepted));
        QCOMPARE(d.getAbsSelectedFileName(), path(QStringLiteral("adir/inner.txt")));
    }
};

int main(int argc, char** argv)
{
    QPEApplication app(argc, argv); // images come through the platform
    TestFileDialog test;
    return QTest::qExec(&test, argc, argv);
}
#include "tst_filedialog.moc"
