#pragma once

#include <QByteArray>
#include <QList>
#include <QVariant>

// The bytes of one channel message on the wire: a 32-bit length, then a data
// stream holding the message name and its argument bytes.
class QCopFrame
{
public:
    static constexpr quint32 MaxFrame = 16 * 1024 * 1024;

    static QByteArray encode(const QByteArray& msg, const QByteArray& data);
    // The length of the payload that follows a frame's first four bytes.
    static quint32 payloadLength(const char* header);
    // Reads a frame's payload; false when it is malformed (the connection should
    // then be dropped).
    static bool decode(const QByteArray& payload, QByteArray& msg, QByteArray& data);

    // Argument types named in a message signature such as "JumpTo(int)".
    static QList<QByteArray> argumentTypes(const QByteArray& msg);
    // Encodes text arguments by the signature's types; false when one does not fit.
    static bool encodeArguments(const QByteArray& msg, const QStringList& args, QByteArray& data);
    // Decodes the arguments for printing; false when the data does not match.
    static bool decodeArguments(const QByteArray& msg, const QByteArray& data, QStringList& out);
};
