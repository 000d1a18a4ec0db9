#include "optdialog.h"

#include "editorsettings.h"
#include "optdialogentries.h"
#include "optdialoglist.h"

#include <QFontDatabase>
#include <QFontInfo>
#include <QAbstractItemView>

namespace E = OptionEntries;

OptionDialog::OptionDialog(QWidget* parent, const char* name, bool modal, Qt::WindowFlags flags)
    : OptionDialogBase("[View] option", parent, name, modal, flags),
      m_shortCutKey(new OptionList(E::yesNo, this)),
      m_background(new OptionList(E::backgroundColours, this)),
      m_text(new OptionList(E::characterColours, this)),
      m_cursorLine(new OptionList(E::cursorLineStyles, this)),
      m_cursorLineColour(new OptionList(E::cursorLineColours, this)),
      m_cursorShape(new OptionList(E::cursorShapes, this)),
      m_cursorColour(new OptionList(E::cursorColours, this)),
      m_mark(new OptionList(E::lineEndMarks, this)),
      m_lineNumberCr(new OptionList(E::lineNumberCounting, this)),
      m_lineNumber(new OptionList(E::lineNumberDisplay, this)),
      m_selected(new OptionList(E::selectionColours, this)),
      m_verticalLine(new OptionList(E::verticalLines, this)),
      m_scrollBar(new OptionList(E::scrollBars, this)),
      m_font(new OptionList({}, this))
{
    m_font->addItems(QFontDatabase::families());
    // Family names can be long: the list keeps to the dialog, its popup shows them whole.
    m_font->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
    m_font->setMinimumContentsLength(form().isLarge() ? 16 : 8);
    m_font->view()->setMinimumWidth(m_font->view()->sizeHintForColumn(0));

    OptionForm& f = form();
    f.addRow("short cut key", {m_shortCutKey});
    f.addRow("background color", {m_background});
    f.addRow("character color", {m_text});
    // Rows of two lists have short labels: their own column keeps them narrow.
    f.addRow("cursor line", {m_cursorLine, m_cursorLineColour}, nullptr, 1);
    f.addRow("cursor", {m_cursorShape, m_cursorColour}, nullptr, 1);
    f.addRow("mark shape", {m_mark});
    f.addRow("line number", {m_lineNumberCr, m_lineNumber}, nullptr, 1);
    f.addRow("selected color", {m_selected});
    f.addRow("vertical line", {m_verticalLine});
    f.addRow("show scroll bar", {m_scrollBar});
    f.addRow("character font", {m_font}, m_font);
    finishForm();
}

void OptionDialog::setShortCutKey(bool on) { m_shortCutKey->showValue(on, on ? 1 : 0); }
void OptionDialog::setBackgroundColor(int colour) { m_background->showValue(colour, colour); }
void OptionDialog::setTextColor(int colour) { m_text->showValue(colour, colour); }
void OptionDialog::setCursorLine(int style) { m_cursorLine->showValue(style, style); }

// Cursor-line colours 1 to 8 are entries 0 to 7; 0 (also red) shows red.
void OptionDialog::setCursorLineColor(int colour)
{
    m_cursorLineColour->showValue(colour, colour >= 1 && colour <= 8 ? colour - 1 : 0);
}

// Shapes 1 to 9 are entries 0 to 8; any other value shows shape 2.
void OptionDialog::setCursorStyle(int shape)
{
    m_cursorShape->showValue(shape, shape >= 1 && shape <= 9 ? shape - 1 : 1);
}

void OptionDialog::setCursorColor(int colour) { m_cursorColour->showValue(colour, colour); }
void OptionDialog::setCRMarkDisp(int mark) { m_mark->showValue(mark, mark); }

void OptionDialog::setLineNumber(int display, bool counting)
{
    m_lineNumber->showValue(display, display);
    m_lineNumberCr->showValue(counting, counting ? 1 : 0);
}

void OptionDialog::setSelectedColor(int colour) { m_selected->showValue(colour, colour); }
void OptionDialog::setVerticalLine(int lines) { m_verticalLine->showValue(lines, lines); }
void OptionDialog::setScrollBarDisp(int bars) { m_scrollBar->showValue(bars, bars); }

// A family the list does not hold shows the family it stands for on this system.
void OptionDialog::setFontName(const QString& family)
{
    int entry = m_font->findText(family);
    if (entry < 0)
        entry = m_font->findText(QFontInfo(QFont(family)).family());
    m_font->showValue(0, entry);
    m_fontName = family;
}

bool OptionDialog::getShortCutKey() const { return m_shortCutKey->value() != 0; }
int OptionDialog::getBackgroundColor() const { return m_background->value(); }
int OptionDialog::getTextColor() const { return m_text->value(); }
int OptionDialog::getCursorLine() const { return m_cursorLine->value(); }
int OptionDialog::getCursorLineColor() const { return m_cursorLineColour->valueOr(m_cursorLineColour->currentIndex() + 1); }
int OptionDialog::getCursorWidth() const { return m_cursorShape->valueOr(m_cursorShape->currentIndex() + 1); }
int OptionDialog::getCursorColor() const { return m_cursorColour->value(); }
int OptionDialog::getCRMarkDisp() const { return m_mark->value(); }
int OptionDialog::getLineNumber() const { return m_lineNumber->value(); }
bool OptionDialog::getLineNumberCr() const { return m_lineNumberCr->value() != 0; }
int OptionDialog::getSelectedColor() const { return m_selected->value(); }
int OptionDialog::getVerticalLine() const { return m_verticalLine->value(); }
int OptionDialog::getScrollBarDisp() const { return m_scrollBar->value(); }
QString OptionDialog::getFontName() const { return m_font->chosen() ? m_font->currentText() : m_fontName; }

void OptionDialog::fillFrom(const EditorSettings& s)
{
    setShortCutKey(s.ShortCutKey);
    setBackgroundColor(s.BackColor);
    setTextColor(s.TextColor);
    setCursorLine(s.CursorDraw);
    setCursorLineColor(s.CursorColor);
    setCursorStyle(s.CursorWidth);
    setCursorColor(s.CursorColor2);
    setCRMarkDisp(s.CRMarkDisp);
    setLineNumber(s.LineNumber, s.LineNumberCr);
    setSelectedColor(s.SelectedColor);
    setVerticalLine(s.VerticalLine);
    setScrollBarDisp(s.ScrollBarDisp);
    setFontName(s.FontFamilyName);
}

void OptionDialog::readInto(EditorSettings& s) const
{
    s.ShortCutKey = getShortCutKey();
    s.BackColor = getBackgroundColor();
    s.TextColor = getTextColor();
    s.CursorDraw = getCursorLine();
    s.CursorColor = getCursorLineColor();
    s.CursorWidth = getCursorWidth();
    s.CursorColor2 = getCursorColor();
    s.CRMarkDisp = getCRMarkDisp();
    s.LineNumber = getLineNumber();
    s.LineNumberCr = getLineNumberCr();
    s.SelectedColor = getSelectedColor();
    s.VerticalLine = getVerticalLine();
    s.ScrollBarDisp = getScrollBarDisp();
    s.FontFamilyName = getFontName();
}
