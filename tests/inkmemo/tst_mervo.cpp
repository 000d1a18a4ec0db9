#include "mervo.h"
#include "mervodata.h"
#include "mervomemo.h"
#include "mervowidget.h"
#include "modalanswer.h"
#include "pipeguard.h"
#include "testfiles.h"
#include "platform/qpeapplication.h"
#include "platform/resource.h"

#include <QAbstractButton>
#include <QDialog>
#include <QDir>
#include <QImageReader>
#include <QLabel>
#include <QLocalServer>
#include <QMenu>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QSpinBox>
#include <QTextCodec>
#include <QTabWidget>
#include <QTimer>
#include <QToolButton>
#include <QtTest>

namespace {
const QString Space = QStringLiteral(" ");

QString home(const QString& relative)
{
    return QDir::homePath() + relative;
}

QByteArray readFile(const QString& path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

// Writes page n holding `spaces` spaces.
void writePage(int n, int spaces)
{
    MervoData d;
    for (int i = 0; i < spaces; ++i)
        d.insert(0, MervoChar(Space));
    QVERIFY(d.save(mervo_datafile(n)));
}

int spacesInFile(int n)
{
    MervoData d;
    return d.load(mervo_datafile(n)) ? d.count() - 1 : -1;
}

QStringList tabLabels(Mervo& w)
{
    auto* tabs = w.findChild<QTabWidget*>();
    QStringList labels;
    for (int i = 0; i < tabs->count(); ++i)
        labels << tabs->tabText(i);
    return labels;
}

// Fills in the export dialog once it is open, notes its buttons and presses one.
struct ExportAnswer
{
    ExportAnswer(int width, int charHeight, const QString& press)
    {
        timer.setInterval(10);
        QObject::connect(&timer, &QTimer::timeout, [=] {
            auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget());
            if (!dialog)
                return;
            timer.stop();
            dialog->findChild<QSpinBox*>(QStringLiteral("width"))->setValue(width);
            dialog->findChild<QSpinBox*>(QStringLiteral("charHeight"))->setValue(charHeight);
            for (QAbstractButton* b : dialog->findChildren<QAbstractButton*>())
                buttons << b->text().remove(QLatin1Char('&'));
            for (QAbstractButton* b : dialog->findChildren<QAbstractButton*>())
                if (b->text().remove(QLatin1Char('&')) == press)
                    b->click();
        });
        timer.start();
    }
    QTimer timer;
    QStringList buttons;
};
} // namespace

class TestMervo : public QObject
{
    Q_OBJECT
private slots:
    void init();
    void firstStartWritesEmptyPage();
    void pagesUpToFirstMissingFile();
    void tabChangeSavesAndLoads();
    void pendingInkStaysOnItsPage();
    void deleteMiddlePageRenumbersFiles();
    void deleteLastAndOnlyPage();
    void clearPage();
    void exportWritesRealPng();
    void failedExportSaysSo();
    void memoRoundTrip();
    void memoKeepsItsEncodingAndCancelDiscards();
    void unreadableMemoIsNotReplaced();
    void pipesAreNeitherWaitedOnNorReplaced();
    void unchangedPagesAreNotWritten();
    void failedSaveKeepsTheInkAndSaysSo();
    void clearDropsPendingInk();
    void deletePageGivesTheKeysBack();
    void imagesLoad();
};

void TestMervo::init()
{
    QDir(home(QStringLiteral("/Applications"))).removeRecursively();
    QDir(home(QStringLiteral("/Documents"))).removeRecursively();
}

void TestMervo::firstStartWritesEmptyPage()
{
    Mervo w(nullptr, nullptr);
    QVERIFY(QDir(home(QStringLiteral("/Applications/mervo"))).exists());
    QCOMPARE(tabLabels(w), QStringList{"0"});
    QCOMPARE(w.data()->count(), 1);
    w.show();
    w.close();
    QCOMPARE(readFile(mervo_datafile(0)).size(), 22);
}

void TestMervo::pagesUpToFirstMissingFile()
{
    QDir().mkpath(home(QStringLiteral("/Applications/mervo")));
    writePage(0, 1);
    writePage(1, 2);
    writePage(3, 4);
    Mervo w(nullptr, nullptr);
    w.show();
    QCOMPARE(tabLabels(w), (QStringList{"0", "1"}));
    QCOMPARE(w.data()->count(), 2); // page 0 is shown
    w.slotNewPage();
    QCOMPARE(w.data()->count(), 1);
    QCOMPARE(w.currentWidget()->page(), 2);
    w.slotNewPage();
    QCOMPARE(tabLabels(w), (QStringList{"0", "1", "2", "3"}));
    QCOMPARE(w.data()->count(), 5); // the old file 3
    QCOMPARE(spacesInFile(2), 0);    // the empty page left was saved
}

void TestMervo::tabChangeSavesAndLoads()
{
    Mervo w(nullptr, nullptr);
    w.show();
    w.slotNewPage();
    auto* tabs = w.findChild<QTabWidget*>();
    tabs->setCurrentIndex(0);
    w.currentWidget()->slotSpace();
    w.currentWidget()->slotSpace();
    QCOMPARE(spacesInFile(0), 0); // writing alone does not save
    tabs->setCurrentIndex(1);
    QCOMPARE(spacesInFile(0), 2);
    QCOMPARE(w.data()->count(), 1);
    tabs->setCurrentIndex(0);
    QCOMPARE(w.data()->count(), 3);
    QCOMPARE(w.currentWidget()->cursor(), 0);
}

void TestMervo::pendingInkStaysOnItsPage()
{
    Mervo w(nullptr, nullptr);
    w.show();
    w.slotNewPage();
    auto* tabs = w.findChild<QTabWidget*>();
    tabs->setCurrentIndex(0);
    MervoWidget* first = w.currentWidget();
    QVERIFY(QTest::qWaitForWindowExposed(first));

    // Leaving the page within 500 ms of the pen-up: the character belongs to the page left.
    QTest::mousePress(first, Qt::LeftButton, {}, QPoint(20, 20));
    QTest::mouseRelease(first, Qt::LeftButton, {}, QPoint(30, 40));
    tabs->setCurrentIndex(1);
    QTest::qWait(700);
    QCOMPARE(w.data()->count(), 1);
    QCOMPARE(spacesInFile(0), 1); // the ink character, counted as one

    // Closing within 500 ms saves it too.
    QTest::mousePress(w.currentWidget(), Qt::LeftButton, {}, QPoint(20, 20));
    QTest::mouseRelease(w.currentWidget(), Qt::LeftButton, {}, QPoint(30, 40));
    w.close();
    QCOMPARE(spacesInFile(1), 1);
}

void TestMervo::deleteMiddlePageRenumbersFiles()
{
    QDir().mkpath(home(QStringLiteral("/Applications/mervo")));
    writePage(0, 1);
    writePage(1, 2);
    writePage(2, 3);
    QDir().mkpath(QFileInfo(MervoMemo::memoFile(0)).path());
    writeAll(MervoMemo::memoFile(1), "memo of page 1");
    writeAll(MervoMemo::memoFile(2), "memo of page 2");
    Mervo w(nullptr, nullptr);
    w.show();
    auto* tabs = w.findChild<QTabWidget*>();
    tabs->setCurrentIndex(1);

    {
        ModalAnswer cancel(QStringLiteral("Cancel"));
        w.slotDeletePage();
        QVERIFY(cancel.answered());
        QCOMPARE(cancel.title(), QStringLiteral("Delete Page"));
        QCOMPARE(cancel.text(), QStringLiteral("Are you sure?"));
    }
    QCOMPARE(w.pageCount(), 3);

    ModalAnswer ok(QStringLiteral("OK"));
    w.slotDeletePage();
    QVERIFY(ok.answered());
    QCOMPARE(tabLabels(w), (QStringList{"0", "1"}));
    QCOMPARE(w.pageCount(), 2);
    QCOMPARE(spacesInFile(0), 1);
    QCOMPARE(spacesInFile(1), 3);
    QVERIFY(!QFile::exists(mervo_datafile(2)));
    QCOMPARE(readFile(MervoMemo::memoFile(1)), QByteArray("memo of page 2"));
    QVERIFY(!QFile::exists(MervoMemo::memoFile(2)));
    QCOMPARE(w.currentWidget()->page(), 1);
    QCOMPARE(w.data()->count(), 4);
    w.currentWidget()->slotSpace();
    w.close();
    QCOMPARE(spacesInFile(1), 4);
    QVERIFY(!QFile::exists(mervo_datafile(2)));
}

void TestMervo::deleteLastAndOnlyPage()
{
    QDir().mkpath(home(QStringLiteral("/Applications/mervo")));
    writePage(0, 1);
    writePage(1, 2);
    Mervo w(nullptr, nullptr);
    w.show();
    w.findChild<QTabWidget*>()->setCurrentIndex(1);
    {
        ModalAnswer ok(QStringLiteral("OK"));
        w.slotDeletePage();
        QVERIFY(ok.answered());
    }
    QVERIFY(!QFile::exists(mervo_datafile(1)));
    QCOMPARE(w.currentWidget()->page(), 0);
    QCOMPARE(w.data()->count(), 2);

    ModalAnswer none(QStringLiteral("OK"));
    w.slotDeletePage();
    QCOMPARE(w.pageCount(), 1);
    QCOMPARE(spacesInFile(0), 1);
    QVERIFY(!none.answered());
}

void TestMervo::clearPage()
{
    QDir().mkpath(home(QStringLiteral("/Applications/mervo")));
    writePage(0, 3);
    Mervo w(nullptr, nullptr);
    w.show();
    {
        ModalAnswer cancel(QStringLiteral("Cancel"));
        w.slotClear();
        QCOMPARE(cancel.title(), QStringLiteral("Clear Page"));
    }
    QCOMPARE(w.data()->count(), 4);
    ModalAnswer ok(QStringLiteral("OK"));
    w.slotClear();
    QCOMPARE(w.data()->count(), 1);
    QCOMPARE(readFile(mervo_datafile(0)).size(), 22);
}

void TestMervo::exportWritesRealPng()
{
    Mervo w(nullptr, nullptr);
    w.show();
    MervoWidget* page = w.currentWidget();
    page->slotSpace();
    page->slotEnter();
    page->slotSpace();
    page->slotEnter();
    page->slotSpace();
    const QString png = home(QStringLiteral("/Documents/Image_Files/mervo.png"));

    {
        ExportAnswer cancel(240, 16, QStringLiteral("Cancel"));
        w.slotPng();
        QCOMPARE(cancel.buttons, (QStringList{"OK", "Cancel"}));
    }
    QVERIFY(!QFile::exists(png));

    ExportAnswer ok(240, 16, QStringLiteral("OK"));
    w.slotPng();
    QCOMPARE(readFile(png).left(8), QByteArray("\x89PNG\r\n\x1a\n"));
    QImageReader reader(png);
    QCOMPARE(reader.format(), QByteArray("png"));
    const QImage image = reader.read();
    QCOMPARE(image.size(), QSize(240, 60)); // three lines of 16 + 4
    QCOMPARE(image.pixelColor(100, 19), QColor(192, 192, 192));
    QCOMPARE(image.pixelColor(100, 10), QColor(Qt::white));
}

void TestMervo::failedExportSaysSo()
{
    QDir().mkpath(home(QStringLiteral("/Documents")));
    QVERIFY(QFile(home(QStringLiteral("/Documents/Image_Files"))).open(QIODevice::WriteOnly)); // no folder
    Mervo w(nullptr, nullptr);
    w.show();
    // One answers the export dialog, the other the box that follows it, whose path is
    // never read as markup.
    Qt::TextFormat format = Qt::AutoText;
    const auto noteFormat = [&](QDialog* dialog) {
        if (auto* label = dialog->findChild<QLabel*>(QStringLiteral("qt_msgbox_label")))
            format = label->textFormat();
    };
    ModalAnswer first(QStringLiteral("OK"), noteFormat), second(QStringLiteral("OK"), noteFormat);
    w.slotPng();
    QTRY_VERIFY(first.answered() && second.answered());
    QVERIFY(first.title() == QStringLiteral("Export PNG") || second.title() == QStringLiteral("Export PNG"));
    QCOMPARE(format, Qt::PlainText);
}

void TestMervo::memoRoundTrip()
{
    Mervo w(nullptr, nullptr);
    w.show();
    const QString memo = MervoMemo::memoFile(0);
    {
        // No memo yet and nothing typed: nothing is written.
        ModalAnswer ok(QStringLiteral("OK"));
        w.slotMemo();
        QVERIFY(ok.answered());
    }
    QVERIFY(!QFile::exists(memo));

    QDir().mkpath(QFileInfo(memo).path());
    writeAll(memo, "first line\n\nthird \xc3\xa9\n");
    {
        MervoMemo dialog(&w, nullptr, 0, w.data(), 16);
        QCOMPARE(dialog.editor()->toPlainText(), QStringLiteral("first line\n\nthird \u00e9"));
        dialog.accept();
    }
    QCOMPARE(readFile(memo), QByteArray("first line\n\nthird \xc3\xa9\n")); // untouched
    {
        MervoMemo dialog(&w, nullptr, 0, w.data(), 16);
        dialog.editor()->appendPlainText(QStringLiteral("more"));
        dialog.accept();
    }
    QCOMPARE(readFile(memo), QByteArray("first line\n\nthird \xc3\xa9\nmore"));
}

void TestMervo::memoKeepsItsEncodingAndCancelDiscards()
{
    Mervo w(nullptr, nullptr);
    const QString memo = MervoMemo::memoFile(0);
    QDir().mkpath(QFileInfo(memo).path());
    QTextCodec* sjis = QTextCodec::codecForName("Shift_JIS");
    const QString japanese = QStringLiteral("\u65e5\u672c\u8a9e\u306e\u30e1\u30e2");
    const QByteArray original = sjis->fromUnicode(japanese) + "\r\nline two\r\n";
    writeAll(memo, original);
    {
        MervoMemo dialog(&w, nullptr, 0, w.data(), 16);
        QCOMPARE(dialog.editor()->toPlainText(), japanese + QStringLiteral("\nline two"));
        dialog.accept();
    }
    QCOMPARE(readFile(memo), original);
    {
        MervoMemo dialog(&w, nullptr, 0, w.data(), 16);
        dialog.editor()->appendPlainText(QStringLiteral("typed, then cancelled"));
        dialog.reject();
    }
    QCOMPARE(readFile(memo), original);
    {
        MervoMemo dialog(&w, nullptr, 0, w.data(), 16);
        dialog.editor()->appendPlainText(QStringLiteral("\u3042"));
        dialog.accept();
    }
    QCOMPARE(readFile(memo), sjis->fromUnicode(japanese + QStringLiteral("\r\nline two\r\n\u3042")));
}

void TestMervo::unreadableMemoIsNotReplaced()
{
    Mervo w(nullptr, nullptr);
    const QString memo = MervoMemo::memoFile(0);
    QDir().mkpath(QFileInfo(memo).path());
    QLocalServer unreadable; // a file that nobody, root included, can open
    QVERIFY(unreadable.listen(memo));
    MervoMemo dialog(&w, nullptr, 0, w.data(), 16);
    dialog.editor()->setPlainText(QStringLiteral("typed over what could not be read"));
    ModalAnswer ok(QStringLiteral("OK"));
    dialog.accept();
    QCOMPARE(ok.title(), QStringLiteral("Memo not saved"));
    QVERIFY(!QFileInfo(memo).isFile());
}

// A page, memo or export file that was a named pipe blocked the window for good, or was
// replaced by a plain file.
void TestMervo::pipesAreNeitherWaitedOnNorReplaced()
{
    QDir().mkpath(home(QStringLiteral("/Applications/mervo")));
    QDir().mkpath(QFileInfo(MervoMemo::memoFile(0)).path());
    QDir().mkpath(home(QStringLiteral("/Documents/Image_Files")));
    const QString png = home(QStringLiteral("/Documents/Image_Files/mervo.png"));
    writePage(0, 0);
    PipeGuard page(mervo_datafile(1)), memo(MervoMemo::memoFile(1)), image(png);
    QVERIFY(page.made() && memo.made() && image.made());
    Mervo w(nullptr, nullptr);
    w.show();
    auto* tabs = w.findChild<QTabWidget*>();
    tabs->setCurrentIndex(1);
    w.currentWidget()->slotSpace();
    {
        ModalAnswer ok(QStringLiteral("OK"));
        tabs->setCurrentIndex(0);
        QVERIFY(ok.answered());
        QCOMPARE(ok.title(), QStringLiteral("Page not saved"));
    }
    {
        MervoMemo dialog(&w, nullptr, 1, w.data(), 16);
        dialog.editor()->setPlainText(QStringLiteral("typed"));
        ModalAnswer ok(QStringLiteral("OK"));
        dialog.accept();
        QCOMPARE(ok.title(), QStringLiteral("Memo not saved"));
    }
    {
        // One answers the export dialog, the other the box that follows it.
        ModalAnswer first(QStringLiteral("OK")), second(QStringLiteral("OK"));
        w.slotPng();
        QTRY_VERIFY(first.answered() && second.answered());
        QCOMPARE(first.title() + second.title(), QStringLiteral("Export PNG"));
    }
    QVERIFY(!page.released() && !memo.released() && !image.released());
    for (const QString& path : {mervo_datafile(1), MervoMemo::memoFile(1), png})
        QVERIFY2(!QFileInfo(path).isFile(), qPrintable(path));
}

void TestMervo::unchangedPagesAreNotWritten()
{
    QDir().mkpath(home(QStringLiteral("/Applications/mervo")));
    writePage(0, 2);
    writePage(1, 1);
    QByteArray damaged = readFile(mervo_datafile(0));
    damaged.chop(7); // the end mark gone, bytes that are no record after it
    damaged += QByteArray(100, '\x7f');
    writeAll(mervo_datafile(0), damaged);
    {
        Mervo w(nullptr, nullptr);
        w.show();
        QCOMPARE(w.data()->count(), 3); // the two spaces and an end mark
        w.findChild<QTabWidget*>()->setCurrentIndex(1);
        w.findChild<QTabWidget*>()->setCurrentIndex(0);
        w.close();
    }
    QCOMPARE(readFile(mervo_datafile(0)), damaged);
    QVERIFY(!QFile::exists(mervo_datafile(0) + QStringLiteral(".damaged")));

    // Once changed it is saved, and the damaged file is kept beside it.
    Mervo w(nullptr, nullptr);
    w.show();
    w.currentWidget()->slotSpace();
    w.close();
    QCOMPARE(spacesInFile(0), 3);
    QCOMPARE(readFile(mervo_datafile(0) + QStringLiteral(".damaged")), damaged);
}

void TestMervo::failedSaveKeepsTheInkAndSaysSo()
{
    QDir().mkpath(home(QStringLiteral("/Applications/mervo")));
    writePage(0, 0);
    writePage(1, 0);
    Mervo w(nullptr, nullptr);
    w.show();
    auto* tabs = w.findChild<QTabWidget*>();
    for (int i = 0; i < 3; ++i)
        w.currentWidget()->slotSpace();
    {
        FileSizeLimit full(30); // room for the empty page only
        {
            ModalAnswer ok(QStringLiteral("OK"));
            tabs->setCurrentIndex(1);
            QVERIFY(ok.answered());
            QCOMPARE(ok.title(), QStringLiteral("Page not saved"));
        }
        QCOMPARE(tabs->currentIndex(), 0);
        QCOMPARE(w.currentWidget()->page(), 0);
        QCOMPARE(w.data()->count(), 4);
        {
            ModalAnswer ok(QStringLiteral("OK"));
            w.slotNewPage();
            QVERIFY(ok.answered());
        }
        QCOMPARE(tabLabels(w), (QStringList{"0", "1"})); // no page without its file
        QCOMPARE(w.currentWidget()->page(), 0);
        {
            ModalAnswer cancel(QStringLiteral("Cancel"));
            QVERIFY(!w.close());
            QVERIFY(cancel.answered());
        }
        QVERIFY(w.isVisible());
    }
    QCOMPARE(spacesInFile(0), 0);
    tabs->setCurrentIndex(1);
    QCOMPARE(spacesInFile(0), 3);
}

void TestMervo::clearDropsPendingInk()
{
    Mervo w(nullptr, nullptr);
    w.show();
    MervoWidget* page = w.currentWidget();
    QVERIFY(QTest::qWaitForWindowExposed(page));
    page->slotSpace();
    QTest::mousePress(page, Qt::LeftButton, {}, QPoint(20, 20));
    QTest::mouseRelease(page, Qt::LeftButton, {}, QPoint(30, 40));
    {
        ModalAnswer ok(QStringLiteral("OK"));
        w.slotClear();
    }
    QTest::qWait(700);
    QCOMPARE(w.data()->count(), 1);
    QCOMPARE(readFile(mervo_datafile(0)).size(), 22);
}

void TestMervo::deletePageGivesTheKeysBack()
{
    QDir().mkpath(home(QStringLiteral("/Applications/mervo")));
    writePage(0, 0);
    writePage(1, 0);
    Mervo w(nullptr, nullptr);
    w.show();
    QVERIFY(QTest::qWaitForWindowActive(&w));
    w.findChild<QTabWidget*>()->setCurrentIndex(1);
    auto* point = w.findChild<QToolButton*>(QStringLiteral("mervo/point"));
    point->click();
    QVERIFY(!point->isEnabled());
    {
        ModalAnswer ok(QStringLiteral("OK"));
        w.slotDeletePage();
    }
    QVERIFY(point->isEnabled());
    QVERIFY(!point->isChecked());
    QCOMPARE(w.focusWidget(), w.currentWidget()); // focused as soon as the window is active again
    w.activateWindow();
    QTRY_COMPARE(QApplication::focusWidget(), w.currentWidget());
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Space);
    QCOMPARE(w.data()->count(), 2);
    // The next tap writes, it does not place the cursor.
    QTest::mouseClick(w.currentWidget(), Qt::LeftButton, {}, QPoint(50, 50));
    QCOMPARE(w.currentWidget()->cursor(), 1);
}

void TestMervo::imagesLoad()
{
    const QStringList names{"mervo/point", "mervo/two", "mervo/space",
                            "mervo/backspace", "mervo/delline", "mervo/enter"};
    for (const QString& name : names)
        QVERIFY2(!Resource::loadPixmap(name).isNull(), qPrintable(name));
    Mervo w(nullptr, nullptr);
    const QList<QToolButton*> buttons = w.findChildren<QToolButton*>(QRegularExpression("^mervo/"));
    QCOMPARE(buttons.size(), names.size());
    for (QToolButton* b : buttons)
        QVERIFY2(!b->icon().isNull(), qPrintable(b->objectName()));
}

int main(int argc, char** argv)
{
    QPEApplication app(argc, argv);
    TestMervo test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_mervo.moc"
