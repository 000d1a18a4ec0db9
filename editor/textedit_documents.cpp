#include "textedit.h"

#include "document.h"
#include "eucjplabel.h"
#include "filedialog.h"
#include "qpeeditor.h"

#include "text/encoding.h"

#include <QAction>
#include <QFileInfo>
#include <QLabel>
#include <QMessageBox>
#include <QProgressDialog>
#include <QPushButton>
#include <QScopedValueRollback>
#include <QTimer>
#include <QStackedWidget>
#include <QToolBar>

namespace {
// The text's first word, all the untitled name is made of: a long text is not copied.
QString firstWord(const TextBuffer& text)
{
    constexpr qsizetype longest = 1 << 20;
    qsizetype from = 0;
    while (from < text.size() && text.at(from).isSpace())
        ++from;
    qsizetype to = from;
    while (to < text.size() && to - from < longest && !text.at(to).isSpace())
        ++to;
    return text.text(from, to - from);
}

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
    return doc && doc->docCodec() >= Encoding::ShiftJis ? Encoding::codec(doc->docCodec()) : nullptr;
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
    newFile(DocLnk());
    doc->setDocCodec(m_settings.OutputCodec != 0 ? m_settings.OutputCodec : int(Encoding::ShiftJis));
    updateCaption();
    m_editor->setCursorPosition(0, 0);
}

void TextEdit::newFile(const DocLnk& link)
{
    auto next = std::make_unique<Document>(link);
    next->setFile(QString());
    clear();
    editorStack->setCurrentWidget(m_editor);
    m_editor->setFocus();
    doc = std::move(next);
    FileType = 0;
    m_editor->setFileType(FileType);
    markAction->setChecked(false);
    m_editor->setJumpMark(-1, -1);
    updateCaption();
}

int TextEdit::allRight()
{
    if (!m_editor->edited() || (doc && doc->isNewDoc() && m_editor->isEmpty()))
        return 0;
    return askOkCancel(this, eucLabel("The file is changed. The file becomes invalid."));
}

QString TextEdit::fileDialogStartDir() const
{
    if (doc && !doc->file().isEmpty())
        return QFileInfo(doc->file()).absolutePath();
    if (!m_settings.startDir.isNull())
        return QFileInfo(m_settings.startDir).absolutePath();
    return QString();
}

void TextEdit::setUpFileDialog(FileDialog& dialog, const QString& folder) const
{
    dialog.setUserDir(m_settings.UserJumpU, m_settings.UserJumpJ);
    dialog.listStart(folder);
}

void TextEdit::fileOpen()
{
    if (allRight())
        return;
    FileDialog dialog(this, "", true, {}, FileDialog::Open, false);
    setUpFileDialog(dialog, fileDialogStartDir());
    if (dialog.exec() == QDialog::Accepted)
        openThisFile(dialog.getAbsSelectedFileName());
}

void TextEdit::fileMenuFiler()
{
    FileDialog dialog(this, "", true, {}, FileDialog::Filer, false);
    setUpFileDialog(dialog, fileDialogStartDir());
    if (dialog.exec() == QDialog::Accepted)
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

bool TextEdit::openThisFile(const QString& path)
{
    // Callers have asked about edited text already; asking again for a recent file
    // would put the same question twice.
    for (int i = 0; i < ListLastFile::Count; ++i) {
        if (m_settings.history.path(i) == path)
            return reopen(i);
    }
    if (!openFile(path))
        return false;
    m_editor->setCursorPosition(0, 0);
    return true;
}

void TextEdit::openLastFile(int i)
{
    if (!allRight())
        reopen(i);
}

bool TextEdit::reopen(int i)
{
    const ListLastFile& history = m_settings.history;
    const int col = history.col(i);
    const int line = history.line(i);
    const int color = history.color(i);
    if (!openFile(history.path(i)))
        return false;
    if (m_settings.MoveCursor)
        m_editor->setCursorPosition(line, col);
    setBackColor(color);
    if (m_settings.LineNumber == 1)
        updateCaption();
    return true;
}

bool TextEdit::openFile(const QString& path)
{
    DocLnk link;
    link.setType(QStringLiteral("text/plain"));
    link.setFile(path);
    if (!openFile(link))
        return false;
    showEditTools();
    // Saving over a file that could not be read asks first: its bytes were never shown.
    doc->setNewDoc(doc->readFailed());
    const int slash = path.lastIndexOf(QLatin1Char('/'));
    if (slash > 0)
        doc->setName(path.mid(slash + 1));
    updateCaption(doc->name());
    return true;
}

TextLoader::Result TextEdit::readDocument(Document& next, TextBuffer* text)
{
    // A file of one piece reads at once; a longer one shows how far it has got.
    std::unique_ptr<QProgressDialog> progress;
    const QFileInfo info(next.file());
    if (info.size() > TextLoader::PieceSize) {
        progress = std::make_unique<QProgressDialog>(QString(), eucLabel("Cancel"), 0, 100, this);
        // The file's name as it is, never read as markup.
        auto* label = new QLabel(eucLabel("Reading %1 ...").arg(info.fileName()));
        label->setTextFormat(Qt::PlainText);
        progress->setLabel(label);
        progress->setWindowTitle(m_appName);
        progress->setWindowModality(Qt::WindowModal);
        progress->setMinimumDuration(0);
        progress->setValue(0);
    }
    m_loading = true;
    m_stopLoading = false;
    const TextLoader::Result result = next.load(m_settings.InputCodec, text, [&](int percent) {
        if (progress)
            progress->setValue(percent); // lets the window paint and take Escape or a close
        return !m_stopLoading && !(progress && progress->wasCanceled());
    });
    m_loading = false;
    if (m_closeAfterLoad) {
        m_closeAfterLoad = false;
        QTimer::singleShot(0, this, &QWidget::close);
    }
    return result;
}

bool TextEdit::openFile(const DocLnk& link)
{
    // Read first: a stopped reading leaves the document open before as it was.
    auto next = std::make_unique<Document>(link);
    TextBuffer text;
    const TextLoader::Result result = readDocument(*next, &text);
    if (result == TextLoader::Stopped)
        return false;
    setLastFile();
    clear();
    if (result == TextLoader::Failed)
        QMessageBox::information(this, eucLabel("Open error"), eucLabel("fm.loadFile : This file dose not exist?"),
                                 QMessageBox::Ok);
    fileNew();
    doc = std::move(next);
    fileExt = doc->fileExt();
    setFileType(fileExt);
    m_editor->setBuffer(std::move(text));
    m_editor->setEdited(false);
    if (doc->unreadable() > 0)
        QMessageBox::warning(this, eucLabel("VElino warning"),
                             eucLabel("This file is not valid %1: %2 byte sequences show as \"%3\".\n"
                                      "Saving it would write \"%3\" in their place.")
                                 .arg(Encoding::name(doc->docCodec()))
                                 .arg(doc->unreadable())
                                 .arg(QChar(QChar::ReplacementCharacter)),
                             QMessageBox::Ok);
    markAction->setChecked(false);
    m_editor->setJumpMark(-1, -1);
    return true;
}

bool TextEdit::confirmUnencodable(int count, char32_t first)
{
    const QString message =
        eucLabel("%1 characters cannot be written in this encoding (the first is \"%2\" U+%3).\n"
                 "They will be written as substitutes.")
            .arg(count)
            .arg(QChar::isSurrogate(first) ? QString(QChar(QChar::ReplacementCharacter)) : QString::fromUcs4(&first, 1))
            .arg(uint(first), 4, 16, QLatin1Char('0'));
    return askOkCancel(this, message) == 0;
}

// A file that did not read cleanly loses its unreadable bytes when written back.
bool TextEdit::confirmInvalidSequences()
{
    if (doc->unreadable() == 0)
        return true;
    const QString message = eucLabel("Some bytes of this file could not be read when it was opened.\n"
                                     "Saving replaces %1 byte sequences with \"%2\".")
                                .arg(doc->unreadable())
                                .arg(QChar(QChar::ReplacementCharacter));
    return askOkCancel(this, message) == 0;
}

bool TextEdit::save()
{
    if (!doc)
        return true;
    const QScopedValueRollback<bool> saving(m_saving, true);
    if (doc->name().isEmpty()) {
        const QString name = Document::untitledName(firstWord(m_editor->buffer()));
        if (doc->file().isEmpty())
            doc->setFile(m_settings.AutoSaveDir + name);
        else
            doc->setName(name);
    }
    if (doc->isNewDoc() && QFileInfo::exists(doc->file())
        && askOkCancel(this, eucLabel("The file exists already.\nDoes it overwrite?")) != 0)
        return true;
    fileExt = doc->fileExt();
    setFileType(fileExt);

    if (m_settings.OutputCodec > 0)
        doc->setDocCodec(m_settings.OutputCodec);
    if (!confirmInvalidSequences())
        return false;
    const std::optional<QString> error =
        doc->save(m_editor->buffer(), m_settings.AppendCRCode, m_settings.SaveFastUTF8,
                  [this](int count, char32_t first) { return confirmUnencodable(count, first); });
    if (!error)
        return false;
    if (!error->isNull()) {
        QMessageBox::critical(this, eucLabel("Write Error!!!"), eucLabel(qPrintable(*error)), QMessageBox::Ok);
        return false;
    }
    m_editor->setEdited(false);
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
    FileDialog dialog(this, "", true, {}, FileDialog::Save, m_settings.SmallSaveDialog);
    dialog.setLine1Text(getLine1Text());
    dialog.setAppendFileExtension(m_settings.AppendFileExtension);
    setUpFileDialog(dialog, fileDialogStartDir());
    if (!doc->file().isEmpty())
        dialog.setName(QFileInfo(doc->file()).fileName());
    if (dialog.exec() != QDialog::Accepted)
        return;
    const QString chosen = dialog.getAbsSelectedFileName();
    if (!doc->isNewDoc() && chosen != doc->file())
        doc->setNewDoc(true);
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
    if (m_saving)
        return;
    if (!m_editor->edited() || (doc && doc->isNewDoc() && m_editor->isEmpty()))
        return;
    if (save()) {
        doc->setName(QFileInfo(doc->file()).fileName());
        updateCaption(doc->name());
    }
}

void TextEdit::updateCaption(const QString& name)
{
    QString caption;
    if (m_settings.LineNumber == 1) {
        const int row = m_editor->cursorRow();
        const int rows = m_editor->numRows();
        if (m_settings.LineNumberCr)
            caption = QString::asprintf("%d ( %d )", m_editor->Row2CRLineNumber(row) + 1,
                                        m_editor->Row2CRLineNumber(rows - 1) + 1);
        else
            caption = QString::asprintf("%d ( %d )", row + 1, rows);
    }
    QString title = !name.isNull() ? name : doc ? doc->name() : QString();
    if (title.isEmpty())
        title = eucLabel("Unnamed");
    const int docCodec = doc ? doc->docCodec() : int(Encoding::ShiftJis);
    const QString suffix = Encoding::captionSuffix(m_settings.InputCodec, m_settings.OutputCodec, docCodec);
    caption += title + eucLabel(qPrintable(suffix)) + QStringLiteral(" - ") + m_appName;
    // Doubled, "[*]" is shown as written instead of being taken as the modified-window mark.
    setWindowTitle(QString(caption).replace(QStringLiteral("[*]"), QStringLiteral("[*][*]")));
    // Assistive tools name the text by its document.
    m_editor->setAccessibleName(title);
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
    return m_editor->textLine(0);
}

void TextEdit::reSetCursorPosition()
{
    m_editor->setCursorPosition(m_editor->cursorRow(), m_editor->cursorColumn());
}
