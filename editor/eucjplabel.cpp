#include "eucjplabel.h"

#include <QTextCodec>

QString eucLabel(const char* text)
{
    static QTextCodec* codec = QTextCodec::codecForName("EUC-JP");
    return codec ? codec->toUnicode(text) : QString::fromLatin1(text);
}
