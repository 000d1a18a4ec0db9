#include "textedit.h"

#include "document.h"
#include "eucjplabel.h"
#include "idiomselectdialog.h"
#include "qpeeditor.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QComboBox>
#include <QDateTime>
#include <QFileInfo>
#include <QKeyEvent>
#include <QMessageBox>

namespace {
void sendKey(QWidget* editor, int key)
{
    QKeyEvent press(QEvent::KeyPress, key, Qt::NoModifier, key == Qt::Key_Enter ? QStringLiteral("\r") : QString());
    QCoreApplication::sendEvent(editor, &press);
}
} // namespace

void TextEdit::editCut()
{
    if (m_settings.DefCutAndCopy)
        m_editor->defaultLineMark();
    m_editor->cut();
    reSetCursorPosition();
    m_editor->setFocus();
}

void TextEdit::editCopy()
{
    if (m_settings.DefCutAndCopy)
        m_editor->defaultLineMark();
    m_editor->copy();
    m_editor->setFocus();
}

void TextEdit::editPaste()
{
    if (searchCombo->hasFocus()) {
        const QString text = QGuiApplication::clipboard()->text();
        searchCombo->setItemText(0, text);
        searchCombo->setEditText(text);
        return;
    }
    m_editor->paste();
    reSetCursorPosition();
    m_editor->setFocus();
}

void TextEdit::editDuplicate()
{
    m_editor->lineDuplicate();
    m_editor->setFocus();
}

void TextEdit::editRemove()
{
    const int row = m_editor->cursorRow();
    const int column = m_editor->cursorColumn();
    m_editor->removeRow(row);
    m_editor->setCursorPosition(row, column);
    reSetCursorPosition();
    m_editor->setFocus();
}

void TextEdit::editSelectTop()
{
    m_editor->setSelection(0, m_editor->cursorPosition());
    m_editor->setFocus();
}

void TextEdit::editSelectBottom()
{
    m_editor->TextView::setCursorPosition(m_editor->buffer().size(), true);
    if (m_settings.LineNumber == 1)
        updateCaption();
    m_editor->setFocus();
}

void TextEdit::editSelectMark()
{
    if (markAction->isChecked()) {
        const int markRow = qBound(0, m_editor->markLine(), m_editor->numRows() - 1);
        const qsizetype cursor = m_editor->cursorPosition();
        const qsizetype mark = qMin(m_editor->rowStart(markRow) + qMax(0, m_editor->markCol()), m_editor->rowEnd(markRow));
        if (m_editor->cursorRow() < markRow)
            m_editor->TextView::setCursorPosition(mark, true);
        else
            m_editor->setSelection(mark, cursor);
        if (m_settings.LineNumber == 1)
            updateCaption();
    }
    m_editor->setFocus();
}

void TextEdit::selectWords()
{
    m_editor->autoSelectWords();
    m_editor->setFocus();
}

void TextEdit::inputHalfSpace()
{
    m_editor->insert(QStringLiteral(" "));
    m_editor->setFocus();
}

QString TextEdit::dateTimeText(int form, const QDateTime& when)
{
    static const char* const name_week[] = {"Mo", "Tu", "We", "Th", "Fr", "Sa", "Su"};
    const QDate d = when.date();
    const QTime t = when.time();
    const char* week = name_week[qBound(1, d.dayOfWeek(), 7) - 1];
    const int Y = d.year(), M = d.month(), D = d.day(), h = t.hour(), m = t.minute(), s = t.second();
    switch (form) {
    case 1: return QString::asprintf("%04d/%02d/%02d(%s) %02d:%02d", Y, M, D, week, h, m);
    case 2: return QString::asprintf("%04d/%02d/%02d(%s)", Y, M, D, week);
    case 3: return QString::asprintf("%04d/%02d/%02d %02d:%02d:%02d", Y, M, D, h, m, s);
    case 4: return QString::asprintf("%04d/%02d/%02d %02d:%02d", Y, M, D, h, m);
    case 5: return QString::asprintf("%04d/%02d/%02d", Y, M, D);
    case 6: return QString::asprintf("%04d.%02d.%02d %02d:%02d:%02d", Y, M, D, h, m, s);
    case 7: return QString::asprintf("%04d.%02d.%02d %02d:%02d", Y, M, D, h, m);
    case 8: return QString::asprintf("%04d.%02d.%02d", Y, M, D);
    case 9: return QString::asprintf("%02d:%02d:%02d %04d/%02d/%02d", h, m, s, Y, M, D);
    case 10: return QString::asprintf("%02d:%02d %04d/%02d/%02d", h, m, Y, M, D);
    case 19: return d.toString();
    default: return QString::asprintf("%04d/%02d/%02d(%s) %02d:%02d:%02d", Y, M, D, week, h, m, s);
    }
}

QString TextEdit::getDateTime() const
{
    return dateTimeText(m_settings.WinDateForm, QDateTime::currentDateTime());
}

void TextEdit::insertDateTime()
{
    m_editor->insert(getDateTime());
    m_editor->setFocus();
}

void TextEdit::insertFullPath()
{
    if (doc && !doc->file().isEmpty())
        m_editor->insert(QFileInfo(doc->file()).absoluteFilePath());
    m_editor->setFocus();
}

void TextEdit::idiomListBox()
{
    IdiomSelectDialog dialog(this);
    for (int i = 0; i < int(m_settings.idiom.size()); ++i)
        dialog.setThisIdiom(i, m_settings.idiom[size_t(i)]);
    if (dialog.exec() == QDialog::Accepted)
        idiomNumber(dialog.getSelectIdiomNum());
    m_editor->setFocus();
}

void TextEdit::idiomNumber(int i)
{
    if (i < 0 || i >= int(m_settings.idiom.size()))
        return;
    // Escapes: \b Backspace, \d the date and time, \n Enter (so auto indent applies),
    // \t a tab; a backslash before any other character keeps that character, and a
    // backslash at the end is dropped. The idiom is undone as one step.
    const QString idiom = m_settings.idiom[size_t(i)];
    QString pending;
    const auto flush = [&] {
        if (!pending.isEmpty())
            m_editor->insert(pending);
        pending.clear();
    };
    m_editor->model()->beginGroup();
    for (qsizetype k = 0; k < idiom.size(); ++k) {
        if (idiom[k] != u'\\') {
            pending += idiom[k];
            continue;
        }
        if (++k == idiom.size())
            break;
        const QChar escaped = idiom[k];
        if (escaped != u'b' && escaped != u'd' && escaped != u'n' && escaped != u't') {
            pending += escaped;
            continue;
        }
        flush();
        if (escaped == u'b')
            sendKey(m_editor, Qt::Key_Backspace);
        else if (escaped == u'd')
            m_editor->insert(getDateTime());
        else if (escaped == u'n')
            sendKey(m_editor, Qt::Key_Enter);
        else
            m_editor->insert(QStringLiteral("\t"));
    }
    flush();
    m_editor->model()->endGroup();
    m_editor->setFocus();
}

void TextEdit::countCharacter()
{
    const TextBuffer& b = m_editor->buffer();
    const bool selected = m_editor->hasSelection();
    const qsizetype from = selected ? m_editor->selectionStart() : 0;
    const qsizetype to = selected ? m_editor->selectionEnd() : b.size();
    int twoByte = 0, oneByte = 0, twoByteSpace = 0, oneByteSpace = 0, tabs = 0, lineEnds = 0, others = 0;
    for (qsizetype i = from; i < to; ++i) {
        const char16_t c = b.at(i).unicode();
        const bool next = i + 1 < to;
        if (c == u'\r' && next && b.at(i + 1) == u'\n')
            continue; // CR LF is one line end
        if (c == u'\n')
            ++lineEnds;
        else if (c == u'\t')
            ++tabs;
        else if (c == u' ')
            ++oneByteSpace;
        else if (c < 33)
            ++others;
        else if (c <= 127 || (c >= 0xFF61 && c <= 0xFF9E))
            ++oneByte;
        else if (c == 0x3000)
            ++twoByteSpace;
        else {
            ++twoByte;
            if (QChar::isHighSurrogate(c) && next && b.at(i + 1).isLowSurrogate())
                ++i; // a pair is one character
        }
    }
    const int total = twoByte + oneByte + twoByteSpace + oneByteSpace + tabs + lineEnds + others;
    QMessageBox::information(this, eucLabel("VElino char count"),
                             QString::asprintf("- char count -\n\nchar%6d ( 2byte%6d )\n                ( 1byte%6d )\n"
                                               "space    %6d ( 2byte%6d )\n                ( 1byte%6d )\n"
                                               "tab%6d\nCRcode%6d\netc.%6d\n----------------\ntotal%6d",
                                               twoByte + oneByte, twoByte, oneByte, twoByteSpace + oneByteSpace,
                                               twoByteSpace, oneByteSpace, tabs, lineEnds, others, total));
    m_editor->setFocus();
}

void TextEdit::show_clipboard()
{
    QString text = QGuiApplication::clipboard()->text();
    if (text.size() > 80)
        text = text.left(80) + QStringLiteral("...");
    // Any text at all may be on the clipboard: shown as rich text, an image tag would
    // load the file it names.
    QMessageBox box(QMessageBox::Information, eucLabel("Clipboard"), text, QMessageBox::Ok, this);
    box.setTextFormat(Qt::PlainText);
    box.exec();
    m_editor->setFocus();
}
