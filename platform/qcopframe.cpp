#include "platform/qcopframe.h"

#include <QDataStream>
#include <QIODevice>
#include <QRegularExpression>
#include <QStringList>
#include <QtEndian>

static constexpr QDataStream::Version StreamVersion = QDataStream::Qt_6_0;

QByteArray QCopFrame::encode(const QByteArray& msg, const QByteArray& data)
{
    QByteArray payload;
    QDataStream out(&payload, QIODevice::WriteOnly);
    out.setVersion(StreamVersion);
    out << msg << data;

    QByteArray frame(4, '\0');
    qToBigEndian<quint32>(quint32(payload.size()), frame.data());
    return frame + payload;
}

quint32 QCopFrame::payloadLength(const char* header)
{
    return qFromBigEndian<quint32>(header);
}

bool QCopFrame::decode(const QByteArray& payload, QByteArray& msg, QByteArray& data)
{
    QDataStream in(payload);
    in.setVersion(StreamVersion);
    in >> msg >> data;
    return in.status() == QDataStream::Ok && in.atEnd() && !msg.isEmpty();
}

QList<QByteArray> QCopFrame::argumentTypes(const QByteArray& msg)
{
    const int open = msg.indexOf('(');
    const int close = msg.lastIndexOf(')');
    if (open < 0 || close < open)
        return {};
    const QByteArray inner = msg.mid(open + 1, close - open - 1).trimmed();
    QList<QByteArray> types;
    if (inner.isEmpty())
        return types;
    for (const QByteArray& t : inner.split(','))
        types.append(t.trimmed());
    return types;
}

bool QCopFrame::encodeArguments(const QByteArray& msg, const QStringList& args, QByteArray& data)
{
    const QList<QByteArray> types = argumentTypes(msg);
    if (types.size() != args.size())
        return false;
    QDataStream out(&data, QIODevice::WriteOnly);
    out.setVersion(StreamVersion);
    for (int i = 0; i < types.size(); ++i) {
        if (types[i] == "int") {
            bool ok = false;
            const int v = args[i].toInt(&ok);
            if (!ok)
                return false;
            out << qint32(v);
        } else if (types[i] == "QString") {
            out << args[i];
        } else {
            return false;
        }
    }
    return true;
}

bool QCopFrame::decodeArguments(const QByteArray& msg, const QByteArray& data, QStringList& out)
{
    QDataStream in(data);
    in.setVersion(StreamVersion);
    for (const QByteArray& type : argumentTypes(msg)) {
        if (type == "int") {
            qint32 v = 0;
            in >> v;
            out << QString::number(v);
        } else if (type == "QString") {
            QString s;
            in >> s;
            out << s;
        } else {
            return false;
        }
    }
    return in.status() == QDataStream::Ok;
}
