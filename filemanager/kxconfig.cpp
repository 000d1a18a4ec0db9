#include "kxconfig.h"

#include "platform/config.h"

#include <QCoreApplication>

const QString kxFavorSeparator = QStringLiteral("$sep$");

int kxcfgIcoLink = 1;
int kxcfgIcoLock = 1;
int kxcfgIcoExec = 1;
int kxcfgListShowHidden = 1;
int kxcfgKeepOpenFolder = 0;
QString kxcfgLastOpenFolder;
int kxcfgBarShowTool = 1;
int kxcfgBarShowAdrs = 1;
int kxcfgBarShowStat = 1;
QString kxcfgFavorItem[kxFavorMax];
QString kxcfgFavorName[kxFavorMax];

static const QString configName = QStringLiteral("korvex");

// The flags are on or off; a hand-edited 7, -1 or "yes" must not leave them half set.
static int readFlag(const Config& config, const char* key, int deflt)
{
    return config.readNumEntry(QLatin1String(key), deflt) != 0 ? 1 : 0;
}

static void setDefaultFavorites()
{
    static const struct {
        const char* item;
        const char* name;
    } defaults[] = {
        {"/home/tarvik", QT_TRANSLATE_NOOP("kxCommon", "Home")},
        {"/home/tarvik/Documents", QT_TRANSLATE_NOOP("kxCommon", "Documents")},
        {"$sep$", nullptr},
        {"/mnt/card", QT_TRANSLATE_NOOP("kxCommon", "SD Card")},
        {"/mnt/cf", QT_TRANSLATE_NOOP("kxCommon", "CF Card")},
        {"$sep$", nullptr},
        {"/", QT_TRANSLATE_NOOP("kxCommon", "Root")},
        {"/home/QtPalmtop", nullptr},
        {"/home/QtPalmtop/apps", nullptr},
        {"/home/QtPalmtop/pics", nullptr},
    };
    int i = 0;
    for (const auto& d : defaults) {
        kxcfgFavorItem[i] = QString::fromLatin1(d.item);
        kxcfgFavorName[i] = d.name ? QCoreApplication::translate("kxCommon", d.name) : QString();
        ++i;
    }
    for (; i < kxFavorMax; ++i) {
        kxcfgFavorItem[i].clear();
        kxcfgFavorName[i].clear();
    }
}

void kxReadConfig()
{
    Config config(configName, Config::User);
    config.setGroup(QStringLiteral("main"));
    kxcfgIcoLink = readFlag(config, "IcoLink", 1);
    kxcfgIcoLock = readFlag(config, "IcoLock", 1);
    kxcfgIcoExec = readFlag(config, "IcoExec", 1);
    kxcfgListShowHidden = readFlag(config, "ListShowHidden", 1);
    kxcfgKeepOpenFolder = readFlag(config, "KeepOpenFolder", 0);
    kxcfgLastOpenFolder = config.readEntry(QStringLiteral("LastOpenFolder"), QString());
    kxcfgBarShowTool = readFlag(config, "BarShowTool", 1);
    kxcfgBarShowAdrs = readFlag(config, "BarShowAdrs", 1);
    kxcfgBarShowStat = readFlag(config, "BarShowStat", 1);

    config.setGroup(QStringLiteral("favorites"));
    setDefaultFavorites();
    if (!config.hasKey(QStringLiteral("Item0")))
        return;
    // Once written, the stored slots replace the defaults, emptied ones included.
    for (int i = 0; i < kxFavorMax; ++i) {
        const QString itemKey = QStringLiteral("Item%1").arg(i);
        if (i < 10 && !config.hasKey(itemKey))
            continue;
        kxcfgFavorItem[i] = config.readEntry(itemKey, QString());
        kxcfgFavorName[i] = config.readEntry(QStringLiteral("Name%1").arg(i), QString());
    }
}

void kxWriteConfig()
{
    Config config(configName, Config::User);
    config.setGroup(QStringLiteral("main"));
    config.writeEntry(QStringLiteral("IcoLink"), kxcfgIcoLink);
    config.writeEntry(QStringLiteral("IcoLock"), kxcfgIcoLock);
    config.writeEntry(QStringLiteral("IcoExec"), kxcfgIcoExec);
    config.writeEntry(QStringLiteral("ListShowHidden"), kxcfgListShowHidden);
    config.writeEntry(QStringLiteral("KeepOpenFolder"), kxcfgKeepOpenFolder);
    config.writeEntry(QStringLiteral("LastOpenFolder"), kxcfgLastOpenFolder);
    config.writeEntry(QStringLiteral("BarShowTool"), kxcfgBarShowTool);
    config.writeEntry(QStringLiteral("BarShowAdrs"), kxcfgBarShowAdrs);
    config.writeEntry(QStringLiteral("BarShowStat"), kxcfgBarShowStat);
    config.setGroup(QStringLiteral("favorites"));
    for (int i = 0; i < kxFavorMax; ++i) {
        config.writeEntry(QStringLiteral("Item%1").arg(i), kxcfgFavorItem[i]);
        config.writeEntry(QStringLiteral("Name%1").arg(i), kxcfgFavorName[i]);
    }
}

QString kxCommaFormat(const QString& digits)
{
    if (digits.length() < 4)
        return digits;
    int first = digits.length() % 3;
    if (first == 0)
        first = 3;
    QString result = digits.left(first);
    for (int i = first; i < digits.length(); i += 3)
        result += QLatin1Char(',') + digits.mid(i, 3);
    return result;
}

int kxDisplayVga()
{
    return qEnvironmentVariable("QWS_DISPLAY").contains(QLatin1String("Vga")) ? 1 : 0;
}
