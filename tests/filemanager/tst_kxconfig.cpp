#include "kxconfig.h"
#include "kxicons.h"
#include "platform/config.h"
#include "platform/qpeapplication.h"
#include "platform/resource.h"

#include <QDir>
#include <QFile>
#include <QTest>
#include <QTranslator>

class TestKxConfig : public QObject
{
    Q_OBJECT
private:
    static void writeFile(const QByteArray& text)
    {
        const QString path = Config::filePath(QStringLiteral("korvex"));
        QDir().mkpath(QFileInfo(path).absolutePath());
        QFile file(path);
        QVERIFY(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
        file.write(text);
    }

private slots:
    void init() { QFile::remove(Config::filePath(QStringLiteral("korvex"))); }

    void defaultsWithoutFile()
    {
        kxcfgIcoLink = kxcfgBarShowStat = kxcfgListShowHidden = 0;
        kxcfgKeepOpenFolder = 1;
        kxReadConfig();
        QCOMPARE(kxcfgIcoLink + kxcfgIcoLock + kxcfgIcoExec + kxcfgListShowHidden, 4);
        QCOMPARE(kxcfgBarShowTool + kxcfgBarShowAdrs + kxcfgBarShowStat, 3);
        QCOMPARE(kxcfgKeepOpenFolder, 0);
        QCOMPARE(kxcfgLastOpenFolder, QString());
        const QStringList items{"/home/tarvik", "/home/tarvik/Documents", "$sep$", "/mnt/card", "/mnt/cf", "$sep$", "/",
                                "/home/QtPalmtop", "/home/QtPalmtop/apps", "/home/QtPalmtop/pics"};
        const QStringList names{"Home", "Documents", "", "SD Card", "CF Card", "", "Root", "", "", ""};
        for (int i = 0; i < kxFavorMax; ++i) {
            QCOMPARE(kxcfgFavorItem[i], items.value(i));
            QCOMPARE(kxcfgFavorName[i], names.value(i));
        }
    }

    // Once written, emptied slots stay empty: the stored favourites replace the defaults.
    void writtenFavoritesReplaceDefaults()
    {
        kxReadConfig();
        for (int i = 0; i < kxFavorMax; ++i)
            kxcfgFavorItem[i].clear(), kxcfgFavorName[i].clear();
        kxcfgFavorItem[12] = QStringLiteral("/srv/a b");
        kxcfgFavorName[12] = QStringLiteral("Mine");
        kxcfgLastOpenFolder = QStringLiteral("/usr/share/");
        kxcfgBarShowAdrs = 0;
        kxWriteConfig();
        kxcfgBarShowAdrs = 1;
        kxReadConfig();
        for (int i = 0; i < kxFavorMax; ++i)
            QCOMPARE(kxcfgFavorItem[i], i == 12 ? QStringLiteral("/srv/a b") : QString());
        QCOMPARE(kxcfgFavorName[12], QStringLiteral("Mine"));
        QCOMPARE(kxcfgLastOpenFolder, QStringLiteral("/usr/share/"));
        QCOMPARE(kxcfgBarShowAdrs, 0);
    }

    void handMadeFile()
    {
        // No Item0: the defaults stay, other Item keys included; flags are on or off whatever the number.
        writeFile("[main]\nIcoLink=7\nIcoLock=-1\nIcoExec=yes\nListShowHidden=99999999999999\nKeepOpenFolder=1\n"
                  "[favorites]\nItem3=/elsewhere\nItem25=/too/far\n");
        kxReadConfig();
        QCOMPARE(kxcfgIcoLink, 1);
        QCOMPARE(kxcfgIcoLock, 1);
        QCOMPARE(kxcfgIcoExec, 0);
        QCOMPARE(kxcfgKeepOpenFolder, 1);
        QVERIFY(kxcfgListShowHidden == 0 || kxcfgListShowHidden == 1);
        QCOMPARE(kxcfgFavorItem[3], QStringLiteral("/mnt/card"));

        // With Item0, an absent slot below 10 keeps its default, one from 10 on is empty.
        writeFile("[favorites]\nItem0=/a\nName0=\nItem10=/b\nName10=B\n");
        kxReadConfig();
        QCOMPARE(kxcfgFavorItem[0], QStringLiteral("/a"));
        QCOMPARE(kxcfgFavorName[0], QString());
        QCOMPARE(kxcfgFavorItem[1], QStringLiteral("/home/tarvik/Documents"));
        QCOMPARE(kxcfgFavorItem[10], QStringLiteral("/b"));
        QCOMPARE(kxcfgFavorItem[11], QString());
    }

    void defaultTitlesInTheInstalledLanguage()
    {
        QTranslator japanese;
        QVERIFY(japanese.load(QPEApplication::qpeDir() + QStringLiteral("/i18n/ja/korvex2.qm")));
        QCoreApplication::installTranslator(&japanese);
        kxReadConfig();
        QCoreApplication::removeTranslator(&japanese);
        QCOMPARE(kxcfgFavorName[0], QStringLiteral("ホーム"));
        QCOMPARE(kxcfgFavorName[6], QStringLiteral("ルート"));
    }

    void commaFormat_data()
    {
        QTest::addColumn<QString>("in");
        QTest::addColumn<QString>("out");
        for (auto [in, out] : {std::pair{"", ""}, {"0", "0"}, {"999", "999"}, {"1000", "1,000"}, {"12345", "12,345"},
                               {"123456", "123,456"}, {"1234567", "1,234,567"}, {"18446744073709551615",
                                                                                 "18,446,744,073,709,551,615"}})
            QTest::newRow(in) << QString::fromLatin1(in) << QString::fromLatin1(out);
    }
    void commaFormat()
    {
        QFETCH(QString, in);
        QFETCH(QString, out);
        QCOMPARE(kxCommaFormat(in), out);
    }

    void favoriteIcons_data()
    {
        QTest::addColumn<QString>("path");
        QTest::addColumn<QString>("icon");
        QTest::newRow("root") << "/" << "korvex/menu/root";
        QTest::newRow("users") << "/home/" << "korvex/menu/user";
        QTest::newRow("home") << QDir::homePath() << "korvex/menu/home";
        QTest::newRow("documents") << QDir::homePath() + "/Documents" << "korvex/menu/folderdoc";
        QTest::newRow("card documents") << "/mnt/cf/Documents" << "korvex/menu/folderdoc";
        QTest::newRow("platform") << "/home/QtPalmtop" << "korvex/menu/qtopia";
        QTest::newRow("programs") << "/home/QtPalmtop/apps" << "korvex/menu/qtstart";
        QTest::newRow("sd with slash") << "/usr/mnt.rom/card/" << "korvex/menu/folder_sd";
        QTest::newRow("cf with slash") << "/usr/mnt.rom/cf/" << "korvex/menu/folder_cf";
        QTest::newRow("sd without slash") << "/usr/mnt.rom/card" << "korvex/menu/folder";
        QTest::newRow("other") << "/srv" << "korvex/menu/folder";
    }
    void favoriteIcons()
    {
        QFETCH(QString, path);
        QFETCH(QString, icon);
        QCOMPARE(kxFavorIconName(path), icon);
    }

    void linkToCardGetsCardIcon()
    {
        const QString link = QDir::homePath() + QStringLiteral("/card");
        QVERIFY(QFile::link(QStringLiteral("/mnt/card"), link));
        QCOMPARE(kxFavorIconName(link), QStringLiteral("korvex/menu/folder_sd"));
        kxLoadIcons(0);
        QCOMPARE(kxFolderIcon(link + QLatin1Char('/'), true, QString(), kxFolderView::Tree, false), kxpixFolderSD);
        kxDeleteIcons();
    }

    // Every image the file manager names has a picture, at both display sizes.
    void everyImageResolves()
    {
        for (int vga : {0, 1}) {
            kxLoadIcons(vga);
            for (QPixmap* pixmap : {kxpixFolder1, kxpixFolder2, kxpixFolderRoot, kxpixFolderHome, kxpixFolderUser,
                                    kxpixFolderDoc, kxpixFolderQt, kxpixFolderQtSta, kxpixFolderCF, kxpixFolderSD,
                                    kxpixFolderPen, kxpixFolderBin, kxpixFolderMnt, kxpixFileText, kxpixFilePic,
                                    kxpixFileMusic, kxpixFileMovie, kxpixFileScript, kxpixFileIpk, kxpixFileEtc,
                                    kxpixMarkLink, kxpixMarkLock, kxpixMarkExec}) {
                QVERIFY(pixmap && !pixmap->isNull());
                if (!vga)
                    QVERIFY(pixmap->width() == 14 || pixmap->width() == 5);
            }
            kxDeleteIcons();
        }
        for (const char* name :
             {"folder", "doctext", "delete", "rename", "property", "qcop", "close", "cut", "copy", "past", "pastlnk",
              "multisel", "multisel2", "multisel3", "mark_check", "favor", "favor2", "reload", "help", "about", "root",
              "user", "home", "folderdoc", "qtopia", "qtstart", "folder_sd", "folder_cf", "back", "back_d", "forward",
              "forward_d", "upper", "upper_d"})
            QVERIFY2(!Resource::loadPixmap(QStringLiteral("korvex/menu/") + QLatin1String(name)).isNull(), name);
        QVERIFY(!Resource::loadPixmap(QStringLiteral("korvex/go")).isNull());
    }
};

int main(int argc, char** argv)
{
    QPEApplication app(argc, argv);
    TestKxConfig test;
    return QTest::qExec(&test, argc, argv);
}
#include "tst_kxconfig.moc"
