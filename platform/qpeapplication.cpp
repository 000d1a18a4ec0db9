#include "platform/qpeapplication.h"

#include "platform/channelserver.h"
#include "platform/dialogframe.h"
#include "platform/qcopframe.h"

#include <QDataStream>
#include <QDir>
#include <QFileInfo>
#include <QIcon>
#include <QKeyEvent>
#include <QLocalSocket>
#include <QMetaObject>
#include <QScreen>
#include <QSocketNotifier>
#include <QStandardPaths>
#include <QWidget>

#include <csignal>
#include <cstdlib>

#include <fcntl.h>
#include <unistd.h>

#ifndef PALMTOP_BUILD_DATADIR
#define PALMTOP_BUILD_DATADIR ""
#endif
#ifndef PALMTOP_INSTALL_DATADIR
#define PALMTOP_INSTALL_DATADIR "share/palmtop"
#endif

namespace {
int termPipe[2] = {-1, -1};

void onTerminate(int)
{
    const char c = 1;
    [[maybe_unused]] const ssize_t n = ::write(termPipe[1], &c, 1);
}
} // namespace

QPEApplication::QPEApplication(int& argc, char** argv, Type)
    : QApplication(argc, argv)
{
    closeWindowsOnTerminate();
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

void QPEApplication::closeWindowsOnTerminate()
{
    // A session ending or `kill` closes the windows as the user would, so that what
    // they save on closing is saved; the signal only wakes the event loop.
    if (termPipe[0] >= 0 || ::pipe2(termPipe, O_CLOEXEC | O_NONBLOCK) != 0)
        return;
    auto* notifier = new QSocketNotifier(termPipe[0], QSocketNotifier::Read, this);
    connect(notifier, &QSocketNotifier::activated, this, [] {
        char c;
        while (::read(termPipe[0], &c, 1) > 0) {
        }
        closeAllWindows();
    });
    struct sigaction action = {};
    action.sa_handler = onTerminate;
    sigemptyset(&action.sa_mask);
    action.sa_flags = SA_RESTART;
    ::sigaction(SIGTERM, &action, nullptr);
}

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
    connect(server, &ChannelServer::received, this, [this](const QByteArray& msg) {
        if (msg == "quit()")
            closeAllWindows();
        else if (msg == "accept()")
            deliverAccept();
    });
    m_server = server;
    return true;
}

bool QPEApplication::deliverAccept()
{
    QWidget* target = activeModalWidget();
    if (!target)
        target = m_mainWidget;
    if (!target || target->metaObject()->indexOfSlot("accept()") < 0)
        return false;
    // After the key's own handling, so that the slot may close or open windows.
    QMetaObject::invokeMethod(target, "accept", Qt::QueuedConnection);
    return true;
}

bool QPEApplication::notify(QObject* receiver, QEvent* event)
{
    if (event->type() == QEvent::KeyPress && static_cast<QKeyEvent*>(event)->key() == OkKey && deliverAccept())
        return true;
    return QApplication::notify(receiver, event);
}

// Messages to the running instance on one connection, so that they arrive in order.
static bool handOver(const QString& channel, const QList<QPair<QByteArray, QByteArray>>& messages)
{
    QByteArray frames;
    for (const auto& [message, data] : messages)
        frames += QCopFrame::encode(message, data);
    QLocalSocket socket;
    socket.connectToServer(ChannelServer::socketPath(channel));
    if (!socket.waitForConnected(1000))
        return false;
    socket.write(frames);
    while (socket.bytesToWrite() > 0 && socket.waitForBytesWritten(2000)) {
    }
    const bool sent = socket.bytesToWrite() == 0;
    socket.disconnectFromServer();
    return sent;
}

void QPEApplication::showMainWidget(QWidget* w, bool nomax)
{
    // A second window would edit the same files as the first one and overwrite its saves.
    if (!listen() && handOver(appChannel(QFileInfo(applicationFilePath()).fileName()), {{"raise()", QByteArray()}}))
        ::_exit(0);
    m_mainWidget = w;
    raiseOnMessage(w);
    showFitted(w, nomax);
}

void QPEApplication::showFitted(QWidget* w, bool nomax)
{
    // A palmtop-sized screen gets the window full screen, as the device shows every
    // program; a desktop keeps the window's own size, cut to what the screen has room for.
    const QRect room = w->screen()->availableGeometry();
    if (!nomax && (room.width() < 640 || room.height() < 480)) {
        w->setGeometry(room);
        w->showMaximized();
        return;
    }
    if (w->testAttribute(Qt::WA_Resized))
        w->resize(w->size().boundedTo(room.size()));
    w->show();
}

void QPEApplication::raiseOnMessage(QWidget* w)
{
    connect(this, &QPEApplication::appMessage, w, [w](const QByteArray& msg) {
        if (msg != "raise()")
            return;
        w->setWindowState(w->windowState() & ~Qt::WindowMinimized);
        w->raise();
        w->activateWindow();
    });
}

void QPEApplication::showMainDocumentWidget(QWidget* w, bool nomax)
{
    const QStringList args = arguments();
    const QString document = args.size() >= 2 ? QFileInfo(args.at(1)).absoluteFilePath() : QString();
    if (!listen()) {
        // Already running: hand the document over (or just bring the window up) and end here.
        QList<QPair<QByteArray, QByteArray>> messages;
        if (document.isEmpty()) {
            messages.append({"raise()", QByteArray()});
        } else {
            QByteArray data;
            QDataStream out(&data, QIODevice::WriteOnly);
            out.setVersion(QDataStream::Qt_6_0);
            out << document;
            messages.append({"setDocument(QString)", data});
        }
        if (!document.isEmpty() && args.size() == 3) {
            // "program FILE LINE": the line as the first instance reads it (atoi).
            QByteArray data;
            QDataStream out(&data, QIODevice::WriteOnly);
            out.setVersion(QDataStream::Qt_6_0);
            out << qint32(std::atoi(args.at(2).toLocal8Bit().constData()));
            messages.append({"JumpTo(int)", data});
        }
        if (handOver(appChannel(QFileInfo(applicationFilePath()).fileName()), messages))
            ::_exit(0);
    }
    m_mainWidget = w;
    raiseOnMessage(w);
    connect(this, &QPEApplication::appMessage, w, [w](const QByteArray& msg, const QByteArray& data) {
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
    showFitted(w, nomax);
    if (args.size() == 2)
        QMetaObject::invokeMethod(w, "setDocument", Q_ARG(QString, args.at(1)));
}
