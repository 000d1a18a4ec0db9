#include "mervomemo.h"

#include "mervo.h"
#include "scrolledmervowidget.h"
#include "platform/plainfile.h"
#include "text/encoding.h"

#include <algorithm>

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QPlainTextEdit>
#include <QVBoxLayout>

namespace {
// The editor's detection takes a Shift JIS or EUC-JP text without escapes for UTF-8;
// when UTF-8 does not read it cleanly, the Japanese encodings are tried in turn.
int readableCodec(const QByteArray& bytes, bool& crOnly)
{
    const int detected = Encoding::checkCodec(bytes.constData(), bytes.size(), crOnly);
    if (detected == Encoding::Ascii)
        return Encoding::Utf8; // what the memo writes by default
    if (detected != Encoding::Utf8)
        return detected;
    // Bytes 0x81-0x9F lead Shift JIS characters; in EUC-JP they are rare.
    const bool sjisFirst = std::any_of(bytes.begin(), bytes.end(),
                                       [](char c) { return uchar(c) >= 0x81 && uchar(c) <= 0x9F; });
    const int order[] = {Encoding::Utf8, sjisFirst ? Encoding::ShiftJis : Encoding::EucJp,
                         sjisFirst ? Encoding::EucJp : Encoding::ShiftJis};
    for (int codec : order)
        if (Encoding::invalidSequences(codec, bytes, Encoding::decode(codec, bytes, crOnly)) == 0)
            return codec;
    return Encoding::Utf8;
}
} // namespace

MervoMemo::MervoMemo(QWidget* parent, const char* name, int page, MervoData* data, int charHeight)
    : QDialog(parent), m_page(page), m_editor(new QPlainTextEdit(this)), m_codec(Encoding::Utf8)
{
    setObjectName(QLatin1String(name));
    setModal(true);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(m_editor);
    layout->addWidget(new ScrolledMervoWidget(this, nullptr, data, charHeight));

    QFile file;
    if (!openPlainFile(file, memoFile(page))) {
        // A memo there that cannot be read is not replaced by what is typed over an empty one.
        m_damaged = QFileInfo::exists(memoFile(page));
        return;
    }
    const QByteArray bytes = file.readAll();
    m_codec = readableCodec(bytes, m_crOnly);
    m_crLf = bytes.contains("\r\n");
    QString text = Encoding::decode(m_codec, bytes, m_crOnly);
    m_damaged = Encoding::invalidSequences(m_codec, bytes, text) > 0;
    // Line by line, as the memo has always been read: no final line end, no CR before LF.
    text.replace(QLatin1String("\r\n"), QLatin1String("\n"));
    if (text.endsWith(QLatin1Char('\n')))
        text.chop(1);
    m_loaded = text;
    m_editor->setPlainText(text);
}

QString MervoMemo::memoFile(int page)
{
    return qEnvironmentVariable("HOME") + QStringLiteral("/Documents/Text_Files/mervo_")
        + QString::number(page) + QStringLiteral(".txt");
}

void MervoMemo::accept()
{
    QString error;
    if (m_editor->toPlainText() != m_loaded && !write(&error)) {
        mervo_warn(this, tr("Memo not saved"), tr("The memo could not be saved:\n%1\n\nIt stays open.").arg(error));
        return;
    }
    QDialog::accept();
}

bool MervoMemo::write(QString* error)
{
    const QString path = memoFile(m_page);
    QDir().mkpath(QFileInfo(path).path());
    // Bytes that were no text would come back as U+FFFD: the file as it was is kept.
    if (m_damaged && QFileInfo(path).isFile() && mervo_keepDamaged(path).isEmpty()) {
        *error = tr("The memo file could not be kept beside it.");
        return false;
    }
    const QString text = m_editor->toPlainText();
    Encoding::SaveOptions options;
    // What the memo's encoding cannot hold is written as UTF-8 rather than lost.
    options.docCodec = Encoding::unencodable(m_codec, text) > 0 ? int(Encoding::Utf8) : m_codec;
    QString lines = text;
    if (m_crOnly)
        lines.replace(QLatin1Char('\n'), QLatin1Char('\r'));
    else if (m_crLf)
        lines.replace(QLatin1String("\n"), QLatin1String("\r\n"));
    *error = Encoding::write(path, lines, options);
    if (!error->isNull())
        return false;
    m_loaded = text;
    m_damaged = false;
    return true;
}
