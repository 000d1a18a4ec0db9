#include "platform/qpeapplication.h"
#include "platform/resource.h"

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

    void unknownNameGivesEmptyPixmap() { QVERIFY(Resource::loadPixmap(QStringLiteral("no/such/image")).isNull()); }
};

int main(int argc, char** argv)
{
    QPEApplication app(argc, argv);
    TestResource test;
    return QTest::qExec(&test, argc, argv);
}
#include "tst_resource.moc"
