#include "textedit.h"

#include "eucjplabel.h"
#include "jumpdialog.h"
#include "qpeeditor.h"
#include "replacedialog.h"
#include "textsearch.h"

#include "platform/global.h"

#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QFontInfo>
#include <QLineEdit>
#include <QMessageBox>
#include <QShortcut>
#include <QSignalBlocker>
#include <QToolBar>

void TextEdit::setUpSearchBox()
{
    // The box offers the history, but never completes or adds words by itself:
    // the words typed are the words searched.
    searchCombo->setCompleter(nullptr);
    searchCombo->setInsertPolicy(QComboBox::NoInsert);
    searchCombo->setMaxCount(SearchItems);
    // Return in the box acts as the OK key does; Escape closes the bar.
    connect(searchCombo->lineEdit(), &QLineEdit::returnPressed, this, &TextEdit::accept);
    auto* escape = new QShortcut(QKeySequence(Qt::Key_Escape), searchBar);
    escape->setContext(Qt::WidgetWithChildrenShortcut);
    connect(escape, &QShortcut::activated, this, &TextEdit::findClose);
}

bool TextEdit::searchable(const QString& word)
{
    const TextSearch search(word, m_settings.CaseSensitive);
    if (search.isValid())
        return !search.isEmpty();
    Global::statusMessage(eucLabel("regular expression error: ") + search.errorString());
    return false;
}

void TextEdit::editFind()
{
    findBackward = false;
    editFindCommon();
}

void TextEdit::editFindPrev()
{
    findBackward = true;
    editFindCommon();
}

void TextEdit::editFindCommon()
{
    if (searchBar->isHidden())
        searchBar->show();
    searchBarShown = true;
    const QSignalBlocker quiet(searchCombo);
    searchCombo->clear();
    searchCombo->addItem(m_settings.CursorWord != 0 ? m_editor->getCursorWord(m_settings.CursorWord) : QString());
    for (const QString& word : m_settings.SearchWords)
        searchCombo->addItem(word);
    searchCombo->setCurrentIndex(0);
    searchCombo->setFocus();
    // Typing replaces the word proposed.
    searchCombo->lineEdit()->selectAll();
}

void TextEdit::search()
{
    const QString word = searchCombo->currentText();
    if (searchable(word))
        m_editor->find(word, m_settings.CaseSensitive, findBackward, true);
}

void TextEdit::findNext()
{
    findBackward = false;
    const QString word = searchCombo->currentText();
    if (searchable(word))
        m_editor->find(word, m_settings.CaseSensitive, false);
    m_editor->setFocus();
}

void TextEdit::findPrev()
{
    findBackward = true;
    const QString word = searchCombo->currentText();
    if (searchable(word))
        m_editor->find(word, m_settings.CaseSensitive, true);
    m_editor->setFocus();
}

void TextEdit::findClose()
{
    if (!searchBar->isHidden())
        searchBar->hide();
    searchBarShown = false;
    m_editor->setFocus();
}

void TextEdit::acceptSearch()
{
    const QString word = searchCombo->currentText();
    if (findBackward)
        findPrev();
    else
        findNext();
    if (word.isEmpty())
        return;
    // The word becomes the newest of the history; the one it repeats (or the oldest) goes.
    std::array<QString, 10>& words = m_settings.SearchWords;
    int k = 10;
    for (int i = 10; i >= 1; --i) {
        if (words[size_t(i - 1)] == word) {
            k = i;
            break;
        }
    }
    for (int i = k - 1; i >= 1; --i)
        words[size_t(i)] = words[size_t(i - 1)];
    words[0] = word;
    const QSignalBlocker quiet(searchCombo);
    while (searchCombo->count() < SearchItems)
        searchCombo->addItem(QString());
    for (int i = 1; i < SearchItems; ++i)
        searchCombo->setItemText(i, words[size_t(i - 1)]);
    searchCombo->setCurrentIndex(1);
}

void TextEdit::replaceProc()
{
    ReplaceDialog dialog(this);
    dialog.setOldWord(m_settings.CursorWord != 0 ? m_editor->getCursorWord(m_settings.CursorWord) : lastOldWord);
    dialog.setNewWord(lastNewWord);
    if (dialog.exec() == QDialog::Accepted) {
        const QString oldWord = dialog.getOldWord();
        const TextSearch check(oldWord, m_settings.CaseSensitive);
        if (!check.isValid()) {
            QMessageBox::warning(this, eucLabel("VElino replace"),
                                 eucLabel("regular expression error: ") + check.errorString());
        } else {
            if (!dialog.isConfirm())
                QApplication::setOverrideCursor(Qt::WaitCursor);
            const int n = m_editor->replace(oldWord, dialog.getNewWord(), m_settings.CaseSensitive,
                                            dialog.isFromCursor(), dialog.isConfirm());
            if (!dialog.isConfirm())
                QApplication::restoreOverrideCursor();
            QMessageBox::information(this, eucLabel("VElino replace"), eucLabel("replace count is ") + QString::number(n));
        }
        lastOldWord = oldWord;
        lastNewWord = dialog.getNewWord();
    }
    m_editor->setFocus();
}

void TextEdit::jump_number()
{
    JumpDialog dialog(this);
    dialog.setInput(lastJumpInput);
    if (dialog.exec() == QDialog::Accepted) {
        // At most five digits: 0 and 1 are the first row.
        const int target = qMax(int(dialog.getNumber()), 1) - 1;
        // Coming from the far side first brings the row to the middle of the window.
        const int h = height();
        const int pointSize = font().pointSize() > 0 ? font().pointSize() : QFontInfo(font()).pointSize();
        const int visible = h > 400 ? (h - 36) / (pointSize + 2) : h > 100 ? (h - 24) / (pointSize + 2) : 0;
        if (m_editor->cursorRow() < target)
            m_editor->setCursorPosition(target + visible / 2, 0);
        else
            m_editor->setCursorPosition(qMax(0, target - visible / 2), 0);
        m_editor->setCursorPosition(target, 0);
        lastJumpInput = dialog.getInput();
        if (m_settings.LineNumber == 1)
            updateCaption();
    }
    m_editor->setFocus();
}

void TextEdit::jump_markpos()
{
    if (markAction->isChecked()) {
        const int row = qBound(0, m_editor->markLine(), m_editor->numRows() - 1);
        m_editor->setCursorPosition(row, m_editor->markCol());
        if (m_settings.LineNumber == 1)
            updateCaption();
    }
    m_editor->setFocus();
}
