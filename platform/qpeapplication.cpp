#include "platform/qpeapplication.h"

#include "platform/channelserver.h"
#include "platform/dialogframe.h"
#include "platform/qcopenvelope.h"

#include <QDataStream>
#include <QDir>
#include <QFileInfo>
#include <QIcon>
#include <QMetaObject>
#include <QStandardPaths>
#include <QWidget>

#include <unistd.h>

#ifndef PALMTOP_BUILD_DATADIR
#define PALMTOP_BUILD_DATADIR ""
#endif
#ifndef PALMTOP_INSTALL_DATADIR
#define PALMTOP_INSTALL_DATADIR "share/palmtop"
#endif

QPEApplication::QPEApplication(int& argc, char** argv, Type)
    : QApplication(argc, argv)
{
    // Without a desktop platform theme (headless, bare X) Qt knows no icon folders.
    QStringList iconPaths = QIcon::themeSearchPaths();
    for (const QString& dir : QStandardPaths::locateAll(QStandardPaths::GenericDataLocation, QStringLiteral("icons"),
                                                        QStandardPaths::LocateDirectory))
        if (!iconPaths.contains(dir))
            iconPaths << dir;
    QIcon::setThemeSearchPaths(iconPaths);
    if (QIcon::themeName().isEmpty() || QIcon::themeName() == QLatin1String("hicolor"))
        QIcon::setThemeName(QStringLiteral("Adwaita"));
    installEventFilter(new DialogFrame(this));
}

QPEApplication::~QPEApplication() = default;

QString QPEApplication::qpeDir()
{
    const QString env = qEnvironmentVariable("QPEDIR");
    if (!env.isEmpty())
        return env;
    const QString installed =
        QDir::cleanPath(applicationDirPath() + QStringLiteral("/../") + QStringLiteral(PALMTOP_INSTALL_DATADIR));
    if (QFileInfo(installed + QStringLiteral("/pics")).isDir())
        return installed;
    return QStringLiteral(PALMTOP_BUILD_DATADIR);
}

QString QPEApplication::appChannel(const QString& appName)
{
    return QStringLiteral("QPE/Application/") + appName;
}

bool QPEApplication::listen()
{
    if (m_server)
        return true;
    auto* server = new ChannelServer(appChannel(QFileInfo(applicationFilePath()).fileName()), this);
    if (!server->listen()) {
        delete server;
        return false;
    }
    connect(server, &ChannelServer::received, this, &QPEApplication::appMessage);
    // The launcher (or a script) may ask a program to close as if the user closed it.
    connect(server, &ChannelServer::received, this, [](const QByteArray& msg) {
        if (msg == "quit()")
            closeAllWindows();
    });
    m_server = server;
    return true;
}

void QPEApplication::showMainWidget(QWidget* w, bool)
{
    listen();
    w->show();
}

void QPEApplication::showMainDocumentWidget(QWidget* w, bool)
{
    const QStringList args = arguments();
    const QString document = args.size() >= 2 ? QFileInfo(args.at(1)).absoluteFilePath() : QString();
    if (!listen()) {
        // Already running: hand the document over (or just bring the window up) and end here.
        QByteArray message("raise()"), data;
        if (!document.isEmpty()) {
            QDataStream out(&data, QIODevice::WriteOnly);
            out.setVersion(QDataStream::Qt_6_0);
            out << document;
            message = "setDocument(QString)";
        }
        if (QCopEnvelope::send(appChannel(QFileInfo(applicationFilePath()).fileName()), message, data))
            ::_exit(0);
    }
    connect(this, &QPEApplication::appMessage, w, [w](const QByteArray& msg, const QByteArray& data) {
        if (msg == "raise()") {
            w->raise();
            w->activateWindow();
        }
        if (msg != "setDocument(QString)")
            return;
        QDataStream in(data);
        in.setVersion(QDataStream::Qt_6_0);
        QString path;
        in >> path;
        if (in.status() == QDataStream::Ok && !path.isEmpty()) {
            QMetaObject::invokeMethod(w, "setDocument", Q_ARG(QString, path));
            w->raise();
            w->activateWindow();
        }
    });
    w->show();
    if (args.size() == 2)
        QMetaObject::invokeMethod(w, "setDocument", Q_ARG(QString, args.at(1)));
}
