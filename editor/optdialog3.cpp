#include "optdialog3.h"

#include "editorsettings.h"
#include "eucjplabel.h"
#include "optdialogentries.h"
#include "optdialoglist.h"

#include <QCheckBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QShortcut>

namespace E = OptionEntries;

namespace {
const char* const wordLabels[] = {"wd1", "wd2", "wd3"};

// -1 colours like "blue" in the editor; other numbers without an entry show "No".
void showKeywordColour(OptionList* list, int colour)
{
    list->showValue(colour, colour == -1 ? 1 : colour);
}
} // namespace

OptionDialog3::OptionDialog3(QWidget* parent, const char* name, bool modal, Qt::WindowFlags flags)
    : OptionDialogBase("[Color] option", parent, name, modal, flags),
      m_regExp(new QCheckBox(eucLabel("use RegExpression"), this)),
      m_charColour(new OptionList(E::keywordColours, this)),
      m_textComment(newField()),
      m_textCommentColour(new OptionList(E::keywordColours, this)),
      m_userType(new OptionList(E::userFileTypes, this)),
      m_ext(newField()),
      m_userComment(newField()),
      m_userCommentColour(new OptionList(E::keywordColours, this))
{
    m_regExp->setAutoFillBackground(true);
    QPalette cyan = m_regExp->palette();
    cyan.setColor(m_regExp->backgroundRole(), Qt::cyan);
    cyan.setColor(m_regExp->foregroundRole(), Qt::black);
    m_regExp->setPalette(cyan);
    // A comment starts with a few characters.
    m_textComment->setMinimumWidth(form().fieldWidth() / 2);
    m_userComment->setMinimumWidth(form().fieldWidth() / 2);
    for (int i = 0; i < 3; ++i) {
        m_textWords[i] = newField();
        m_textColours[i] = new OptionList(E::keywordColours, this);
        m_userWords[i] = newField();
        m_userColours[i] = new OptionList(E::keywordColours, this);
    }

    OptionForm& f = form();
    const int sub = f.indent();
    f.addRow(nullptr, {m_regExp}, nullptr, 2);
    f.addRow("Text file halfbyte char", {m_charColour});
    for (int i = 0; i < 3; ++i)
        f.addRow(wordLabels[i], {m_textWords[i], m_textColours[i]}, m_textWords[i], 1, sub);
    f.addRow(nullptr, {m_textComment, new QLabel(eucLabel("color to the end"), this), m_textCommentColour},
             m_textComment, 3, sub);
    f.addRow("User file", {m_userType});
    f.addRow("ext.", {m_ext}, m_ext, 1, sub);
    for (int i = 0; i < 3; ++i)
        f.addRow(wordLabels[i], {m_userWords[i], m_userColours[i]}, m_userWords[i], 1, sub);
    f.addRow(nullptr, {m_userComment, new QLabel(eucLabel("color to the end"), this), m_userCommentColour},
             m_userComment, 3, sub);
    finishForm();

    connect(m_userType, &QComboBox::activated, this, [this](int entry) { changedUserNum(entry + 1); });
    const QList<QKeySequence> next = {QKeySequence(Qt::CTRL | Qt::Key_U), QKeySequence(Qt::CTRL | Qt::Key_Up),
                                      QKeySequence(Qt::Key_PageUp)};
    const QList<QKeySequence> previous = {QKeySequence(Qt::CTRL | Qt::Key_Down), QKeySequence(Qt::Key_PageDown)};
    for (const QKeySequence& key : next)
        connect(new QShortcut(key, this), &QShortcut::activated, this, &OptionDialog3::changeUserUp);
    for (const QKeySequence& key : previous)
        connect(new QShortcut(key, this), &QShortcut::activated, this, &OptionDialog3::changeUserDown);
    m_pagingKeys = next + previous;
    // Text fields take some of these keys for themselves (Ctrl+U deletes the line
    // with the X11 key bindings); in this dialog they page.
    for (QLineEdit* field : findChildren<QLineEdit*>())
        field->installEventFilter(this);
}

bool OptionDialog3::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::ShortcutOverride) {
        const auto* key = static_cast<QKeyEvent*>(event);
        const auto modifiers = key->modifiers() & (Qt::ControlModifier | Qt::ShiftModifier | Qt::AltModifier);
        if (m_pagingKeys.contains(QKeySequence(modifiers | Qt::Key(key->key()))))
            return true;
    }
    return OptionDialogBase::eventFilter(watched, event);
}

void OptionDialog3::setWhichRegExpress(bool on) { m_regExp->setChecked(on); }
void OptionDialog3::setTextCharDispColor(int colour) { m_charColour->showValue(colour, colour); }
void OptionDialog3::setTextReservedWord(const QString& words) { m_textWords[0]->setText(words); }
void OptionDialog3::setTextReservedWord2(const QString& words) { m_textWords[1]->setText(words); }
void OptionDialog3::setTextReservedWord3(const QString& words) { m_textWords[2]->setText(words); }
void OptionDialog3::setTextReservedColor(int colour) { showKeywordColour(m_textColours[0], colour); }
void OptionDialog3::setTextReservedColor2(int colour) { showKeywordColour(m_textColours[1], colour); }
void OptionDialog3::setTextReservedColor3(int colour) { showKeywordColour(m_textColours[2], colour); }
void OptionDialog3::setTextCommentWord(const QString& comment) { m_textComment->setText(comment); }
void OptionDialog3::setTextCommentColor(int colour) { showKeywordColour(m_textCommentColour, colour); }

void OptionDialog3::setUserReserved(int n, const UserFileInfo& record)
{
    if (n < 0 || n >= int(m_records.size()))
        return;
    m_records[n] = record;
    if (n == m_shown)
        showUser(n);
}

void OptionDialog3::setUserReservedShow(int n)
{
    m_shown = n >= 1 && n <= UserTypes ? n : 1;
    showUser(m_shown);
}

UserFileInfo OptionDialog3::getTextInfo() const
{
    UserFileInfo r = m_records[0];
    r.regExp = m_regExp->isChecked();
    r.charColor = m_charColour->value();
    r.word1 = changeSpace(m_textWords[0]->text());
    r.word2 = changeSpace(m_textWords[1]->text());
    r.word3 = changeSpace(m_textWords[2]->text());
    r.comment = changeSpace(m_textComment->text());
    r.color1 = m_textColours[0]->value();
    r.color2 = m_textColours[1]->value();
    r.color3 = m_textColours[2]->value();
    r.commentColor = m_textCommentColour->value();
    return r;
}

UserFileInfo OptionDialog3::getUserInfo(int n) const
{
    if (n < 0 || n >= int(m_records.size()))
        return UserFileInfo();
    return n == m_shown ? userSection(m_records[n]) : m_records[n];
}

QString OptionDialog3::changeSpace(const QString& text)
{
    QString spaced = text;
    return spaced.replace(QChar(0x3000), QLatin1Char(' '));
}

void OptionDialog3::changeUserUp()
{
    changedUserNum(m_shown % UserTypes + 1);
}

void OptionDialog3::changeUserDown()
{
    changedUserNum((m_shown + UserTypes - 2) % UserTypes + 1);
}

void OptionDialog3::changedUserNum(int n)
{
    if (n < 1 || n > UserTypes)
        return;
    m_records[m_shown] = userSection(m_records[m_shown]);
    m_shown = n;
    showUser(n);
}

void OptionDialog3::showUser(int n)
{
    const UserFileInfo& r = m_records[n];
    m_userType->setCurrentIndex(n - 1);
    m_ext->setText(r.ext);
    m_userWords[0]->setText(r.word1);
    m_userWords[1]->setText(r.word2);
    m_userWords[2]->setText(r.word3);
    m_userComment->setText(r.comment);
    showKeywordColour(m_userColours[0], r.color1);
    showKeywordColour(m_userColours[1], r.color2);
    showKeywordColour(m_userColours[2], r.color3);
    showKeywordColour(m_userCommentColour, r.commentColor);
}

UserFileInfo OptionDialog3::userSection(UserFileInfo r) const
{
    r.ext = changeSpace(m_ext->text());
    r.word1 = changeSpace(m_userWords[0]->text());
    r.word2 = changeSpace(m_userWords[1]->text());
    r.word3 = changeSpace(m_userWords[2]->text());
    r.comment = changeSpace(m_userComment->text());
    r.color1 = m_userColours[0]->value();
    r.color2 = m_userColours[1]->value();
    r.color3 = m_userColours[2]->value();
    r.commentColor = m_userCommentColour->value();
    return r;
}

void OptionDialog3::fillFrom(const EditorSettings& s)
{
    const UserFileInfo& text = s.fileInfo[0];
    setUserReserved(0, text);
    setWhichRegExpress(text.regExp);
    setTextCharDispColor(text.charColor);
    setTextReservedWord(text.word1);
    setTextReservedWord2(text.word2);
    setTextReservedWord3(text.word3);
    setTextReservedColor(text.color1);
    setTextReservedColor2(text.color2);
    setTextReservedColor3(text.color3);
    setTextCommentWord(text.comment);
    setTextCommentColor(text.commentColor);
    for (int n = 1; n <= UserTypes; ++n)
        setUserReserved(n, s.fileInfo[n]);
}

void OptionDialog3::readInto(EditorSettings& s) const
{
    s.fileInfo[0] = getTextInfo();
    for (int n = 1; n <= UserTypes; ++n)
        s.fileInfo[n] = getUserInfo(n);
}
