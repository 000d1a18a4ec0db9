#include "optdialog2.h"

#include "editorsettings.h"
#include "eucjplabel.h"
#include "optdialogentries.h"
#include "optdialoglist.h"

namespace E = OptionEntries;

namespace {
const int FixedWidthEntry = 2;
const int WeekDateEntry = 11;
const int WeekDateForm = 19;
} // namespace

OptionDialog2::OptionDialog2(QWidget* parent, const char* name, bool modal, Qt::WindowFlags flags)
    : OptionDialogBase("[Function] option", parent, name, modal, flags),
      m_moveCursor(new OptionList(E::yesNo, this)),
      m_crCode(new OptionList(E::shiftJisLineEnds, this)),
      m_caseSensitive(new OptionList(E::findModes, this)),
      m_incremental(new OptionList(E::yesNo, this)),
      m_wrap(new OptionList(E::wrapWidth, this)),
      m_tab(new OptionList(E::tabStops, this)),
      m_input(new OptionList(E::characterCodes, this)),
      m_output(new OptionList(E::characterCodes, this)),
      m_cursorWord(new OptionList(E::cursorText, this)),
      m_dateForm(new OptionList(E::dateForms, this))
{
    m_wrap->setEditable(true);
    // Typing a width must not add entries to the list.
    m_wrap->setInsertPolicy(QComboBox::NoInsert);
    m_wrap->setMinimumContentsLength(5);

    OptionForm& f = form();
    f.addRow("[Open]move cursor", {m_moveCursor});
    f.addRow("CR code of ShiftJIS", {m_crCode});
    f.addRow("Find,Repl", {m_caseSensitive});
    f.addRow("incremental search", {m_incremental});
    f.addRow("word wrap & width", {m_wrap});
    f.addRow("default Tab stop", {m_tab});
    f.addRow("input char code", {m_input});
    f.addRow("output char code", {m_output});
    f.addRowBelow("set of [find,replace]", m_cursorWord);
    f.addRowBelow("form of [date,time]", m_dateForm);
    finishForm();
}

void OptionDialog2::setMoveCursor(bool on) { m_moveCursor->showValue(on, on ? 1 : 0); }
void OptionDialog2::setAppendCRCode(int code) { m_crCode->showValue(code, code); }
void OptionDialog2::setCaseSensitive(int mode) { m_caseSensitive->showValue(mode, mode); }
void OptionDialog2::setIncrementalSearch(bool on) { m_incremental->showValue(on, on ? 1 : 0); }

void OptionDialog2::setWordWrap(int method)
{
    m_wrap->setItemText(FixedWidthEntry, eucLabel("99"));
    if (method > 3)
        m_wrap->setItemText(FixedWidthEntry, QString::number(method));
    m_wrap->showValue(method, method > 3 ? FixedWidthEntry : method);
    m_wrap->setEditText(m_wrap->itemText(m_wrap->currentIndex()));
}

// Tab stops 2 to 8 are entries 0 to 6; any other value shows "8".
void OptionDialog2::setTabLength(int length)
{
    m_tab->showValue(length, length >= 2 && length <= 8 ? length - 2 : 6);
}

void OptionDialog2::setInputCodec(int codec) { m_input->showValue(codec, codec); }
void OptionDialog2::setOutputCodec(int codec) { m_output->showValue(codec, codec); }
void OptionDialog2::setCursorWord(int preset) { m_cursorWord->showValue(preset, preset); }

void OptionDialog2::setDateForm(int form)
{
    m_dateForm->showValue(form, form == WeekDateForm ? WeekDateEntry : form);
}

bool OptionDialog2::getMoveCursor() const { return m_moveCursor->value() != 0; }
int OptionDialog2::getAppendCRCode() const { return m_crCode->value(); }
int OptionDialog2::getCaseSensitive() const { return m_caseSensitive->value(); }
bool OptionDialog2::getIncrementalSearch() const { return m_incremental->value() != 0; }

// The text decides, so that a width typed over any entry counts.
int OptionDialog2::getWordWrap() const
{
    if (!m_wrap->chosen())
        return m_wrap->valueOr(0);
    const QString text = m_wrap->currentText().trimmed();
    for (int method : {0, 1, 3})
        if (text == m_wrap->itemText(method))
            return method;
    bool number = false;
    const int width = text.toInt(&number);
    return number && width >= 10 && width <= 200 ? width : 0;
}

int OptionDialog2::getTabLength() const { return m_tab->valueOr(m_tab->currentIndex() + 2); }
int OptionDialog2::getInputCodec() const { return m_input->value(); }
int OptionDialog2::getOutputCodec() const { return m_output->value(); }
int OptionDialog2::getCursorWord() const { return m_cursorWord->value(); }

int OptionDialog2::getDateForm() const
{
    const int entry = m_dateForm->currentIndex();
    return m_dateForm->valueOr(entry == WeekDateEntry ? WeekDateForm : entry);
}

void OptionDialog2::fillFrom(const EditorSettings& s)
{
    setMoveCursor(s.MoveCursor);
    setAppendCRCode(s.AppendCRCode);
    setCaseSensitive(s.CaseSensitive);
    setIncrementalSearch(s.IncrementalSearch);
    setWordWrap(s.WrapMethod);
    setTabLength(s.TabLength);
    setInputCodec(s.InputCodec);
    setOutputCodec(s.OutputCodec);
    setCursorWord(s.CursorWord);
    setDateForm(s.WinDateForm);
}

void OptionDialog2::readInto(EditorSettings& s) const
{
    s.MoveCursor = getMoveCursor();
    s.AppendCRCode = getAppendCRCode();
    s.CaseSensitive = getCaseSensitive();
    s.IncrementalSearch = getIncrementalSearch();
    s.WrapMethod = getWordWrap();
    s.TabLength = getTabLength();
    s.InputCodec = getInputCodec();
    s.OutputCodec = getOutputCodec();
    s.CursorWord = getCursorWord();
    s.WinDateForm = getDateForm();
}
