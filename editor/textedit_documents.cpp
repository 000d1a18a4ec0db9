#include "textedit.h"

#include "text/encoding.h"
#include "eucjplabel.h"
#include "qpeeditor.h"
#include "velinoglobals.h"

#include "platform/doclnk.h"
#include "platform/filemanager.h"

#include <QAction>
#include <QFileDialog>
#include <QFileInfo>
#include <QMessageBox>
#include <QPushButton>
#include <QScrollBar>
#include <QStackedWidget>
#include <QTextBlock>
#include <QToolBar>

namespace {
// A warning with OK and Cancel, Cancel being the default: 0 for OK, 1 for Cancel.
int askOkCancel(QWidget* parent, const QString& text)
{
    QMessageBox box(QMessageBox::Warning, eucLabel("VElino warning"), text, QMessageBox::NoButton, parent);
    QPushButton* ok = box.addButton(eucLabel("OK"), QMessageBox::AcceptRole);
    QPushButton* cancel = box.addButton(eucLabel("Cancel"), QMessageBox::RejectRole);
    box.setDefaultButton(cancel);
    box.setEscapeButton(cancel);
    box.exec();
    return box.clickedButton() == ok ? 0 : 1;
}
} // namespace

QTextCodec* TextEdit::setDoingCodec()
{
    if (docCodec >= 2)
        codec = Encoding::codec(docCodec);
    return codec;
}

void TextEdit::clear()
{
    doc.reset();
    m_editor->clear();
}

void TextEdit::fileNew()
{
    if (doc && allRight())
        return;
    setLastFile();
    docCodec = OutputCodec != 0 ? OutputCodec : Encoding::ShiftJis;
    setDoingCodec();
    newFile(DocLnk());
    m_editor->setCursorPosition(0, 0);
}

void TextEdit::newFile(const DocLnk& link)
{
    auto copy = std::make_unique<DocLnk>(link);
    copy->setType(QStringLiteral("text/plain"));
    copy->setFile(QString());
    clear();
    editorStack->setCurrentWidget(m_editor);
    m_editor->setFocus();
    doc = std::move(copy);
    isNewDoc = true;
    invalidOnOpen = 0;
    FileType = 0;
    markAction->setChecked(false);
    m_editor->setJumpMark(-1, -1);
    updateCaption();
    setUpdateCellWidth();
}

int TextEdit::allRight()
{
    if (!m_editor->edited() || (isNewDoc && m_editor->document()->isEmpty()))
        return 0;
    return askOkCancel(this, eucLabel("The file is changed. The file becomes invalid."));
}

QString TextEdit::fileDialogStartDir() const
{
    if (doc && !doc->file().isEmpty())
        return QFileInfo(doc->file()).absolutePath();
    if (!startDir.isNull())
        return QFileInfo(startDir).absolutePath();
    return QString();
}

void TextEdit::fileOpen()
{
    if (allRight())
        return;
    // A plain file dialog stands in for the editor's own until that exists.
    QFileDialog dialog(this, eucLabel("open"), fileDialogStartDir());
    dialog.setOption(QFileDialog::DontUseNativeDialog);
    dialog.setFileMode(QFileDialog::ExistingFile);
    if (dialog.exec() == QDialog::Accepted && !dialog.selectedFiles().isEmpty())
        openThisFile(QFileInfo(dialog.selectedFiles().constFirst()).absoluteFilePath());
}

void TextEdit::fileMenuFiler()
{
    m_editor->setFocus();
}

void TextEdit::fileRevert()
{
    clear();
    fileOpen();
    // A cancelled dialog must not leave the window without a document: saving would
    // report success and write nothing, and auto save would have no document to name.
    if (!doc)
        fileNew();
}

void TextEdit::openThisFile(const QString& path)
{
    // Callers have asked about edited text already; asking again for a recent file
    // would put the same question twice.
    for (int i = 0; i < ListLastFile::Count; ++i) {
        if (history.path(i) == path) {
            reopen(i);
            return;
        }
    }
    openFile(path);
    m_editor->setCursorPosition(0, 0);
}

void TextEdit::openLastFile(int i)
{
    if (!allRight())
        reopen(i);
}

void TextEdit::reopen(int i)
{
    const int col = history.col(i);
    const int line = history.line(i);
    const int color = history.color(i);
    openFile(history.path(i));
    if (MoveCursor)
        m_editor->setCursorPosition(line, col);
    setBackColor(color);
    if (LineNumber == 1)
        updateCaption();
}

void TextEdit::openFile(const QString& path)
{
    DocLnk link;
    link.setType(QStringLiteral("text/plain"));
    link.setFile(path);
    openFile(link);
    showEditTools();
    isNewDoc = false;
    const int slash = path.lastIndexOf(QLatin1Char('/'));
    if (slash > 0)
        doc->setName(path.mid(slash + 1));
    updateCaption(doc->name());
}

void TextEdit::openFile(const DocLnk& link)
{
    setLastFile();
    clear();
    fileSize = QFileInfo(link.file()).size();
    QByteArray bytes;
    if (!FileManager().loadFile(link, bytes))
        QMessageBox::information(this, eucLabel("Open error"), eucLabel("fm.loadFile : This file dose not exist?"),
                                 QMessageBox::Ok);
    fileNew();
    doc = std::make_unique<DocLnk>(link);
    fileExt = QFileInfo(link.file()).suffix();
    setFileType(fileExt);
    docCodec = Encoding::chooseOnOpen(InputCodec, link.file(), bytes, crOnly);
    setDoingCodec();
    const QString text = Encoding::decode(docCodec, bytes, crOnly);
    m_editor->setPlainText(text);
    m_editor->setEdited(false);
    invalidOnOpen = Encoding::invalidSequences(docCodec, bytes, text);
    if (invalidOnOpen > 0)
        QMessageBox::warning(this, eucLabel("VElino warning"),
                             eucLabel("This file is not valid %1: %2 byte sequences show as \"%3\".\n"
                                      "Saving it would write \"%3\" in their place.")
                                 .arg(Encoding::name(docCodec))
                                 .arg(invalidOnOpen)
                                 .arg(QChar(QChar::ReplacementCharacter)),
                             QMessageBox::Ok);
    markAction->setChecked(false);
    m_editor->setJumpMark(-1, -1);
    setUpdateCellWidth();
}

QString TextEdit::untitledName(const QString& text) const
{
    QString name = text.simplified();
    const int space = name.indexOf(QLatin1Char(' '));
    if (space > 0)
        name.truncate(space);
    while (name.startsWith(QLatin1Char('.')))
        name.remove(0, 1);
    name.replace(QLatin1Char('/'), QLatin1Char('_'));
    name.truncate(40);
    return name.isEmpty() ? QStringLiteral("NoTitle") : name;
}

bool TextEdit::confirmUnencodable(const QString& text)
{
    QChar first;
    const int count = Encoding::unencodable(docCodec, Encoding::mapForCodec(docCodec, text), &first);
    if (count == 0)
        return true;
    const QString message =
        eucLabel("%1 characters cannot be written in this encoding (the first is \"%2\" U+%3).\n"
                 "They will be written as substitutes.")
            .arg(count)
            .arg(first)
            .arg(first.unicode(), 4, 16, QLatin1Char('0'));
    return askOkCancel(this, message) == 0;
}

// A file that did not read cleanly loses its unreadable bytes when written back.
bool TextEdit::confirmInvalidSequences()
{
    if (invalidOnOpen == 0)
        return true;
    const QString message = eucLabel("Some bytes of this file could not be read when it was opened.\n"
                                     "Saving replaces %1 byte sequences with \"%2\".")
                                .arg(invalidOnOpen)
                                .arg(QChar(QChar::ReplacementCharacter));
    return askOkCancel(this, message) == 0;
}

bool TextEdit::save()
{
    if (!doc)
        return true;
    const QString text = m_editor->toPlainText();
    if (doc->name().isEmpty()) {
        const QString name = untitledName(text);
        if (doc->file().isEmpty())
            doc->setFile(AutoSaveDir + name);
        else
            doc->setName(name);
    }
    if (isNewDoc && QFileInfo::exists(doc->file())
        && askOkCancel(this, eucLabel("The file exists already.\nDoes it overwrite?")) != 0)
        return true;
    fileExt = QFileInfo(doc->file()).suffix();
    setFileType(fileExt);

    if (OutputCodec > 0)
        docCodec = OutputCodec;
    if (!confirmInvalidSequences() || !confirmUnencodable(text))
        return false;
    Encoding::SaveOptions options;
    options.docCodec = docCodec;
    options.appendCRCode = AppendCRCode;
    options.crOnly = crOnly;
    options.saveFastUTF8 = SaveFastUTF8;
    const QString error = Encoding::write(doc->file(), text, options);
    if (!error.isNull()) {
        QMessageBox::critical(this, eucLabel("Write Error!!!"), eucLabel(qPrintable(error)), QMessageBox::Ok);
        return false;
    }
    m_editor->setEdited(false);
    isNewDoc = false;
    invalidOnOpen = 0;
    return true;
}

void TextEdit::fileMenuSave()
{
    if (m_editor->edited()) {
        if (doc && doc->file().isEmpty())
            fileMenuSaveAs();
        else
            save();
    }
    m_editor->setFocus();
}

void TextEdit::fileSave()
{
    if (!doc)
        return;
    // A plain file dialog stands in for the editor's own until that exists.
    QString start = fileDialogStartDir();
    if (!doc->file().isEmpty())
        start = doc->file();
    QFileDialog dialog(this, eucLabel("save"), start);
    dialog.setOption(QFileDialog::DontUseNativeDialog);
    dialog.setOption(QFileDialog::DontConfirmOverwrite); // save() asks itself
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return;
    const QString chosen = QFileInfo(dialog.selectedFiles().constFirst()).absoluteFilePath();
    if (!isNewDoc && chosen != doc->file())
        isNewDoc = true;
    doc->setFile(chosen);
    save();
}

void TextEdit::fileMenuSaveAs()
{
    fileSave();
    if (doc) {
        doc->setName(QFileInfo(doc->file()).fileName());
        updateCaption(doc->name());
    }
}

void TextEdit::timerOn()
{
    if (!m_editor->edited() || (isNewDoc && m_editor->document()->isEmpty()))
        return;
    if (save()) {
        doc->setName(QFileInfo(doc->file()).fileName());
        updateCaption(doc->name());
    }
}

void TextEdit::updateCaption(const QString& name)
{
    QString caption;
    if (LineNumber == 1) {
        if (LineNumberCr) {
            caption = QString::asprintf("%d ( %d )", m_editor->textCursor().blockNumber() + 1,
                                        m_editor->document()->blockCount());
        } else {
            caption = QString::asprintf("%d ( %d )", m_editor->cursorRow() + 1, m_editor->numRows());
        }
    }
    QString title = !name.isNull() ? name : doc ? doc->name() : QString();
    if (title.isEmpty())
        title = eucLabel("Unnamed");
    caption += title + eucLabel(qPrintable(Encoding::captionSuffix(InputCodec, OutputCodec, docCodec)))
        + QStringLiteral(" - ") + m_appName;
    setWindowTitle(caption);
}

void TextEdit::showEditTools()
{
    if (!doc)
        close();
    menuToolBar->show();
    iconToolBar->show();
    if (searchBarShown)
        searchBar->show();
    updateCaption();
}

QString TextEdit::getLine1Text() const
{
    return m_editor->document()->firstBlock().text();
}

void TextEdit::reSetCursorPosition()
{
    m_editor->setCursorPosition(m_editor->cursorRow(), m_editor->cursorColumn());
}

void TextEdit::setUpdateCellWidth()
{
    if (!Wrap)
        return;
    UpdateCellWidth = WrapMethod < 4 ? FrameWidth : FrameWidth - m_editor->verticalScrollBar()->width() - 3;
    if (UpdateCellWidth < 0)
        UpdateCellWidth = 600;
}
