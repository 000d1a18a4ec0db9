#include "platform/qpeapplication.h"
#include "platform/resource.h"
#include "pipeguard.h"

#include <QDir>
#include <QTemporaryDir>

#include <QTest>

class TestResource : public QObject
{
    Q_OBJECT
private slots:
    void themeNamesResolve_data()
    {
        QTest::addColumn<QString>("name");
        for (const char* n : {"new", "slfolder", "rec", "cut", "copy", "paste", "find", "down", "close", "folder"})
            QTest::newRow(n) << QString::fromLatin1(n);
    }
    void themeNamesResolve()
    {
        QFETCH(QString, name);
        QVERIFY2(!Resource::loadPixmap(name).isNull(), qPrintable(name));
    }

    // A pipe in place of an image blocked the program that loaded it.
    void pipeInPlaceOfAnImageIsPassedBy()
    {
        QTemporaryDir dir;
        QVERIFY(QDir(dir.path()).mkdir(QStringLiteral("pics")));
        PipeGuard pipe(dir.filePath(QStringLiteral("pics/new.png")));
        QVERIFY(pipe.made());
        qputenv("QPEDIR", QFile::encodeName(dir.path()));
        const QPixmap pixmap = Resource::loadPixmap(QStringLiteral("new"));
        qunsetenv("QPEDIR");
        QVERIFY(!pipe.released());
        QVERIFY(!pixmap.isNull());
    }

    void unknownNameGivesEmptyPixmap() { QVERIFY(Resource::loadPixmap(QStringLiteral("no/such/image")).isNull()); }
};

int main(int argc, char** argv)
{
    QPEApplication app(argc, argv);
    TestResource test;
    return QTest::qExec(&test, argc, argv);
}
#include "tst_resource.moc"
