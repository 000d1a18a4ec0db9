// Sends a message to a program's channel, or prints what arrives on one.
//   qcop CHANNEL MESSAGE [ARG...]
//   qcop --listen CHANNEL

#include "platform/channelserver.h"
#include "platform/qcopenvelope.h"
#include "platform/qcopframe.h"

#include <QCoreApplication>
#include <QStringList>
#include <QTextStream>

#include <cstdio>

static int usage()
{
    std::fprintf(stderr, "usage: qcop CHANNEL MESSAGE [ARG...]\n       qcop --listen CHANNEL\n");
    return 2;
}

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    QStringList args = app.arguments().mid(1);
    if (args.size() == 2 && args.at(0) == QLatin1String("--listen")) {
        ChannelServer server(args.at(1));
        if (!server.listen()) {
            std::fprintf(stderr, "qcop: %s is already served\n", qPrintable(args.at(1)));
            return 1;
        }
        QObject::connect(&server, &ChannelServer::received, [](const QByteArray& msg, const QByteArray& data) {
            QStringList values;
            QTextStream out(stdout);
            if (QCopFrame::decodeArguments(msg, data, values))
                out << msg << (values.isEmpty() ? QString() : QLatin1Char(' ') + values.join(QLatin1Char(' ')))
                    << Qt::endl;
            else
                out << msg << " <" << data.size() << " bytes>" << Qt::endl;
        });
        std::printf("listening on %s\n", qPrintable(args.at(1)));
        std::fflush(stdout);
        return app.exec();
    }
    if (args.size() < 2 || args.at(0).startsWith(QLatin1String("--")))
        return usage();

    const QString channel = args.takeFirst();
    const QByteArray message = args.takeFirst().toLatin1();
    QByteArray data;
    if (!QCopFrame::encodeArguments(message, args, data)) {
        std::fprintf(stderr, "qcop: the arguments do not fit %s\n", message.constData());
        return 2;
    }
    if (!QCopEnvelope::send(channel, message, data)) {
        std::fprintf(stderr, "qcop: nothing listens on %s\n", qPrintable(channel));
        return 1;
    }
    return 0;
}
