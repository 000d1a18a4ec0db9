#include "mervomemo.h"

#include "platform/doclnk.h"
#include "platform/filemanager.h"
#include "scrolledmervowidget.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QPlainTextEdit>
#include <QStringList>
#include <QTextStream>
#include <QVBoxLayout>

MervoMemo::MervoMemo(QWidget* parent, const char* name, int page, MervoData* data, int charHeight)
    : QDialog(parent), m_page(page), m_editor(new QPlainTextEdit(this))
{
    setObjectName(QLatin1String(name));
    setModal(true);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(m_editor);
    layout->addWidget(new ScrolledMervoWidget(this, nullptr, data, charHeight));

    QFile file(memoFile(page));
    if (file.open(QIODevice::ReadOnly)) {
        QTextStream in(&file);
        QStringList lines;
        while (!in.atEnd())
            lines.append(in.readLine());
        m_editor->setPlainText(lines.join(QLatin1Char('\n')));
    }
}

MervoMemo::~MervoMemo()
{
    const QString path = memoFile(m_page);
    QDir().mkpath(QFileInfo(path).path());
    FileManager().saveFile(DocLnk(path), m_editor->toPlainText());
}

QString MervoMemo::memoFile(int page)
{
    return qEnvironmentVariable("HOME") + QStringLiteral("/Documents/Text_Files/mervo_")
        + QString::number(page) + QStringLiteral(".txt");
}
