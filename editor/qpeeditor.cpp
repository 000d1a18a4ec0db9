#include "qpeeditor.h"

#include <QAction>
#include <QKeyEvent>
#include <QScrollBar>
#include <QShortcut>
#include <QTextCodec>

namespace {
QColor backColour(int n)
{
    static const QColor table[] = {QColor(255, 255, 255), QColor(255, 150, 150), QColor(150, 255, 150),
                                   QColor(150, 150, 255), QColor(255, 150, 255), QColor(150, 255, 255),
                                   QColor(255, 255, 150), QColor(0, 0, 0)};
    return n >= 0 && n < 8 ? table[n] : table[0];
}

QColor textColour(int n)
{
    static const QColor table[] = {
        QColor(0, 0, 0),       QColor(80, 0, 0),      QColor(0, 80, 0),      QColor(0, 0, 80),
        QColor(255, 255, 255), QColor(160, 160, 164), QColor(128, 128, 128), QColor(255, 0, 0),
        QColor(0, 255, 0),     QColor(0, 0, 255),     QColor(255, 0, 255),   QColor(0, 255, 255),
        QColor(255, 255, 0),   QColor(255, 100, 100), QColor(100, 255, 100), QColor(100, 100, 255),
        QColor(255, 100, 255), QColor(100, 255, 255), QColor(255, 255, 100)};
    return n >= 0 && n < 19 ? table[n] : table[0];
}
} // namespace

QpeEditor::QpeEditor(QWidget* parent) : TextView(parent)
{
    connect(this, &TextView::cursorPositionChanged, this, &QpeEditor::cursorMoved);
    connect(this, &TextView::textChanged, this, [this] {
        m_commentHits.clear();
        emit cursorMoved();
    });
    setSettings(m_settings);
}

bool QpeEditor::event(QEvent* event)
{
    // The window's menu keys and accelerators (Ctrl+A saves as, Tab indents, the
    // special keys) come before the text widget's own use of the same keys.
    if (event->type() == QEvent::ShortcutOverride) {
        const QKeySequence key(static_cast<QKeyEvent*>(event)->keyCombination());
        const QWidget* top = window();
        for (const QAction* action : top->findChildren<QAction*>()) {
            if (action->isEnabled() && action->shortcut() == key) {
                event->ignore();
                return true;
            }
        }
        for (const QShortcut* shortcut : top->findChildren<QShortcut*>()) {
            if (shortcut->isEnabled() && shortcut->key() == key) {
                event->ignore();
                return true;
            }
        }
    }
    return TextView::event(event);
}

void QpeEditor::resizeEvent(QResizeEvent* event)
{
    TextView::resizeEvent(event);
    emit resized();
}

void QpeEditor::changeEvent(QEvent* event)
{
    TextView::changeEvent(event);
    // The margin for line numbers is measured in the font's size.
    if (event->type() == QEvent::FontChange) {
        setLeftMargin(horizontalMargin());
        emit cursorMoved();
    }
}

int QpeEditor::Line2WrapLineNumber(int line)
{
    if (line < 0 || line >= numLines())
        return -1;
    return rowLayout().firstRow(line);
}

void QpeEditor::moveCursorCenter(int row)
{
    const int h = height();
    const int pointSize = fontSize() + 2;
    const int visible = h > 400 ? (h - 36) / pointSize : h > 100 ? (h - 24) / pointSize : 0;
    setCursorPosition(row + visible / 2, 0);
}

void QpeEditor::setWrap(WrapMode mode, bool atWhiteSpace, int pixelWidth)
{
    m_wrapMode = mode;
    switch (mode) {
    case WrapMode::None: TextView::setWrap(RowLayout::NoWrap); break;
    case WrapMode::WidgetWidth:
        TextView::setWrap(atWhiteSpace ? RowLayout::WrapAtSpace : RowLayout::WrapAnywhere, ViewportWidth);
        break;
    case WrapMode::FixedWidth: TextView::setWrap(RowLayout::WrapAnywhere, qMax(1, pixelWidth)); break;
    }
    emit cursorMoved();
}

int QpeEditor::getVerticalScrollBarWidth() const
{
    return verticalScrollBarPolicy() == Qt::ScrollBarAlwaysOff ? 0 : verticalScrollBar()->width();
}

void QpeEditor::setFontSize(int pointSize)
{
    QFont f = font();
    f.setPointSize(pointSize);
    setFont(f);
}

void QpeEditor::setSettings(const EditorSettings& settings)
{
    m_settings = settings;
    setTabStop(settings.TabLength);
    QPalette p = palette();
    p.setColor(QPalette::Base, backColour(settings.BackColor));
    p.setColor(QPalette::Text, textColour(settings.TextColor));
    setPalette(p);
    const int bars = settings.ScrollBarDisp;
    setVerticalScrollBarPolicy(bars == 0 || bars == 2 ? Qt::ScrollBarAlwaysOn : Qt::ScrollBarAlwaysOff);
    setHorizontalScrollBarPolicy(bars == 0 || bars == 1 ? Qt::ScrollBarAsNeeded : Qt::ScrollBarAlwaysOff);
    setLeftMargin(horizontalMargin());
    m_marks.setMode(settings.CRMarkDisp);
    applyColouring();
    viewport()->update();
}

void QpeEditor::setFileType(int type)
{
    m_fileType = type >= 0 && type < FileTypes ? type : FileTypes - 1;
    applyColouring();
    viewport()->update();
}

void QpeEditor::applyColouring()
{
    // The expression flag is the text type's; the lists and colours are the file type's,
    // and every other file (type 6) is not coloured.
    KeywordColouring::Rules rules;
    rules.regExp = m_settings.fileInfo[0].regExp;
    if (m_fileType != FileTypes - 1) {
        const UserFileInfo& info = m_settings.fileInfo[size_t(m_fileType)];
        const QString* words[] = {&info.word1, &info.word2, &info.word3};
        const int colours[] = {info.color1, info.color2, info.color3};
        for (int list = 0; list < 3; ++list) {
            rules.keywords[list] = words[list]->split(QLatin1Char(' '), Qt::SkipEmptyParts);
            rules.keywordOn[list] = colours[list] != 0;
            rules.keywordColour[list] = reservedColour(colours[list]);
        }
        rules.comment = info.comment;
        rules.commentOn = info.commentColor != 0;
        rules.commentColour = reservedColour(info.commentColor);
    }
    m_colouring.setRules(rules);
    m_commentHits.clear();
}

int QpeEditor::horizontalMargin() const
{
    const int mode = m_settings.LineNumber;
    if (mode <= 1)
        return 3;
    // Half the point size is a digit's width in the palmtop's fonts; other fonts may
    // need more for the digits to show.
    const QFontMetrics metrics(font());
    int digit = fontSize() / 2;
    for (char c = '0'; c <= '9'; ++c)
        digit = qMax(digit, metrics.horizontalAdvance(QLatin1Char(c)));
    return digit * mode + 5;
}

QColor QpeEditor::reservedColour(int n)
{
    switch (n) {
    case 2: return Qt::red;
    case 3: return Qt::green;
    case 4: return Qt::magenta;
    case 5: return Qt::cyan;
    case 6: return Qt::yellow;
    case 7: return QColor(128, 128, 128);
    case 8: return QColor(80, 0, 0);
    case 9: return QColor(0, 80, 0);
    case 10: return QColor(0, 0, 80);
    case 11: return QColor(80, 0, 80);
    case 12: return QColor(80, 80, 0);
    default: return QColor(0, 0, 255);
    }
}

QColor QpeEditor::cursorColour() const
{
    static const QColor table[] = {Qt::red, Qt::green, Qt::blue, Qt::magenta, Qt::cyan, Qt::yellow, Qt::black, Qt::white};
    const int n = m_settings.CursorColor2;
    return n >= 0 && n < 8 ? table[n] : table[0];
}

QColor QpeEditor::cursorLineColour() const
{
    static const QColor table[] = {Qt::red, Qt::red, QColor(0, 128, 0), Qt::blue, Qt::magenta,
                                   Qt::cyan, QColor(128, 128, 0), Qt::black, Qt::white};
    const int n = m_settings.CursorColor;
    return n >= 0 && n < 9 ? table[n] : table[0];
}

QColor QpeEditor::selectionColour() const
{
    static const QColor table[] = {QColor(0, 0, 255), QColor(0, 0, 128), QColor(128, 0, 0), QColor(0, 128, 0),
                                   QColor(128, 0, 128), QColor(128, 128, 0), QColor(80, 80, 80)};
    const int n = m_settings.SelectedColor;
    return n >= 0 && n < 7 ? table[n] : table[0];
}

void QpeEditor::set2byteSpace()
{
    QTextCodec* codec = QTextCodec::codecForName("EUC-JP");
    m_fullWidthSpace = codec ? codec->toUnicode("\xA1\xA1") : QString(QChar(0x3000));
}

void QpeEditor::setJumpMark(int line, int col)
{
    m_markLine = line;
    m_markCol = col;
    viewport()->update();
}

bool QpeEditor::editSelectedParagraphs(const std::function<void(int line)>& edit)
{
    if (!hasSelection())
        return false;
    // Only rows of the selection that begin a paragraph count.
    const TextBuffer& b = buffer();
    const qsizetype from = rowStart(rowOfPosition(selectionStart()));
    // The last first, so that the earlier lines keep their places; the selection moves
    // with the text.
    model()->beginGroup();
    for (int line = b.lineOf(selectionEnd()); line >= 0 && b.lineStart(line) >= from; --line)
        edit(line);
    model()->endGroup();
    return true;
}

bool QpeEditor::insertTabIndent()
{
    return editSelectedParagraphs([this](int line) { model()->insert(buffer().lineStart(line), QStringLiteral("\t")); });
}

bool QpeEditor::removeTabIndent()
{
    return editSelectedParagraphs([this](int line) {
        const qsizetype start = buffer().lineStart(line);
        if (start < buffer().size() && buffer().at(start) == u'\t')
            model()->remove(start, 1);
    });
}
