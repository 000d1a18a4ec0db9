#include "platform/qpeapplication.h"

#include <QFile>
#include <QScreen>
#include <QTemporaryDir>
#include <QTest>
#include <QWidget>

// Main windows on a screen of the palmtop's size.
class TestMainWindowFit : public QObject
{
    Q_OBJECT

private slots:
    void mainWindowFillsASmallScreen()
    {
        auto* app = static_cast<QPEApplication*>(qApp);
        QWidget small;
        small.resize(100, 80);
        app->showMainWidget(&small);
        QVERIFY(QTest::qWaitForWindowExposed(&small));
        const QRect screen = small.screen()->availableGeometry();
        QCOMPARE(screen.size(), QSize(240, 320));
        QTRY_COMPARE(small.frameGeometry(), screen);

        // Asked not to maximise, a window larger than the screen is still cut to it.
        QWidget large;
        large.resize(640, 480);
        app->showMainDocumentWidget(&large, true);
        QVERIFY(QTest::qWaitForWindowExposed(&large));
        QVERIFY(large.width() <= 240 && large.height() <= 320);
    }
};

int main(int argc, char** argv)
{
    QTemporaryDir dir;
    QFile file(dir.filePath(QStringLiteral("screens.json")));
    if (!file.open(QIODevice::WriteOnly)
        || file.write(R"({"screens": [{"name": "palmtop", "x": 0, "y": 0, "width": 240, "height": 320,)"
                      R"( "logicalDpi": 96, "logicalBaseDpi": 96, "dpr": 1}]})")
            < 0)
        return 1;
    file.close();
    qputenv("QT_QPA_PLATFORM", "offscreen:configfile=" + QFile::encodeName(file.fileName()));
    QPEApplication app(argc, argv);
    TestMainWindowFit test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_mainwindowfit.moc"
