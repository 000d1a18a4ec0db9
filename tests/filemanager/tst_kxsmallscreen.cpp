#include "kxscreen.h"

#include <QApplication>
#include <QFile>
#include <QMessageBox>
#include <QScreen>
#include <QTemporaryDir>
#include <QTest>

// Message boxes on a screen of the palmtop's size.
class TestKxSmallScreen : public QObject
{
    Q_OBJECT

private slots:
    // A long text keeps the box, its button included, on the screen.
    void longMessageFitsTheScreen()
    {
        QMessageBox box(QMessageBox::Information, QStringLiteral("Korvex QT"),
                        QStringLiteral("'bad\uFFFD'\nの名前はこのシステムの文字コードで正しい文字になっていないため、"
                                       "ここでは扱えません。"),
                        QMessageBox::Ok);
        box.setTextFormat(Qt::PlainText);
        kxFitMessageBox(&box);
        box.show();
        QVERIFY(QTest::qWaitForWindowExposed(&box));
        const QRect screen = box.screen()->availableGeometry();
        QCOMPARE(screen.size(), QSize(240, 320));
        QVERIFY2(box.height() <= screen.height() && box.width() <= screen.width(),
                 qPrintable(QStringLiteral("%1 x %2").arg(box.width()).arg(box.height())));
    }
};

int main(int argc, char** argv)
{
    // The headless platform with one screen of 240 x 320 pixels.
    QTemporaryDir dir;
    const QString config = dir.filePath(QStringLiteral("screens.json"));
    QFile file(config);
    if (!file.open(QIODevice::WriteOnly)
        || file.write(R"({"screens": [{"name": "palmtop", "x": 0, "y": 0, "width": 240, "height": 320,)"
                      R"( "logicalDpi": 96, "logicalBaseDpi": 96, "dpr": 1}]})")
            < 0)
        return 1;
    file.close();
    qputenv("QT_QPA_PLATFORM", "offscreen:configfile=" + QFile::encodeName(config));
    QApplication app(argc, argv);
    TestKxSmallScreen test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_kxsmallscreen.moc"
