#include "mervodata.h"
#include "mervowidget.h"
#include "scrolledmervowidget.h"

#include <QGuiApplication>
#include <QScreen>
#include <QScrollBar>
#include <QSignalSpy>
#include <QtTest>

namespace {
const QString Space = QStringLiteral(" ");
const QString Break = QStringLiteral("\n");

int strokeCount(const MervoChar& c)
{
    int n = 0;
    for (int i = 0; i < c.connected().size(); ++i)
        n += c.connected().testBit(i) ? 0 : 1;
    return n;
}
} // namespace

class TestMervoWidget : public QObject
{
    Q_OBJECT
private slots:
    void init();
    void cleanup();
    void tapBecomesCharacterAfterTimeout();
    void strokesWithinTimeoutFormOneCharacter();
    void samplingKeepsTurnsAndDistantPoints();
    void twoLineModeCommitsOnOtherHalf();
    void textButtonsCommitPendingInk();
    void backspaceAndDeleteLine();
    void arrowKeys();
    void upAndDownKeepTheColumn();
    void upAimsFromTheCursorJustMoved();
    void hiddenWidgetIgnoresButtons();
    void pointSelectMovesCursorWithoutInk();
    void scrolledViewFitsWholePage();

private:
    void stroke(const QList<QPoint>& points);
    void type(const QStringList& texts);

    MervoData* m_data = nullptr;
    MervoWidget* m_widget = nullptr;
};

void TestMervoWidget::init()
{
    m_data = new MervoData;
    m_widget = new MervoWidget(nullptr, nullptr, m_data, false);
    m_widget->resize(240, 300);
    m_widget->setDimensions(16, 4, 2);
    m_widget->show();
    QVERIFY(QTest::qWaitForWindowExposed(m_widget));
}

void TestMervoWidget::cleanup()
{
    delete m_widget;
    delete m_data;
}

void TestMervoWidget::stroke(const QList<QPoint>& points)
{
    QTest::mousePress(m_widget, Qt::LeftButton, {}, points.first());
    for (int i = 1; i < points.size(); ++i)
        QTest::mouseMove(m_widget, points.at(i));
    QTest::mouseRelease(m_widget, Qt::LeftButton, {}, points.last());
}

void TestMervoWidget::type(const QStringList& texts)
{
    for (const QString& t : texts)
        t == Break ? m_widget->slotEnter() : m_widget->slotSpace();
}

void TestMervoWidget::tapBecomesCharacterAfterTimeout()
{
    stroke({{50, 60}});
    QCOMPARE(m_data->count(), 1); // still pending
    QTRY_COMPARE(m_data->count(), 2);
    const MervoChar& c = m_data->at(0);
    QCOMPARE(c.type(), MervoChar::Ink);
    QCOMPARE(c.standardHeight(), 100); // a third of the widget's height
    QCOMPARE(c.points(), QPolygon({{50, 60}, {50, 60}}));
    QCOMPARE(c.connected(), QBitArray(QBitArray::fromBits("\x02", 2)));
    QCOMPARE(m_widget->cursor(), 1);
    QCOMPARE(c.width(16), 1 * 16 / 100);
}

void TestMervoWidget::strokesWithinTimeoutFormOneCharacter()
{
    stroke({{10, 10}, {30, 12}});
    stroke({{10, 30}, {30, 32}});
    QTRY_COMPARE(m_data->count(), 2);
    QCOMPARE(strokeCount(m_data->at(0)), 2);

    // After the timeout a new stroke starts a new character.
    stroke({{60, 10}, {60, 40}});
    QTRY_COMPARE(m_data->count(), 3);
    QCOMPARE(strokeCount(m_data->at(1)), 1);
    QCOMPARE(m_widget->cursor(), 2);
}

void TestMervoWidget::samplingKeepsTurnsAndDistantPoints()
{
    const QSize screen = QGuiApplication::primaryScreen()->size();
    const int far = qMax(screen.width(), screen.height()) / 16;
    QList<QPoint> run;
    for (int x = 0; x <= 200; x += 2)
        run << QPoint(x, 100);
    run << QPoint(150, 100); // turns back left
    stroke(run);
    QTRY_COMPARE(m_data->count(), 2);
    const QPolygon points = m_data->at(0).points();
    QVERIFY2(points.size() < 10, qPrintable(QString::number(points.size())));
    QCOMPARE(points.count(QPoint(150, 100)), 2); // sampled at the turn, then the pen-up
    QCOMPARE(points.first(), QPoint(0, 100));
    QCOMPARE(points.last(), QPoint(150, 100));
    for (int i = 2; i < points.size() - 2; ++i)
        QVERIFY((points.at(i) - points.at(i - 1)).manhattanLength() >= far);
}

void TestMervoWidget::twoLineModeCommitsOnOtherHalf()
{
    // Taller than wide: the halves are top and bottom, split at y = 150.
    m_widget->setTwoLineMode(true);
    stroke({{20, 20}, {30, 40}});
    stroke({{20, 60}, {30, 80}}); // same half: same character
    QCOMPARE(m_data->count(), 1);
    QTest::mousePress(m_widget, Qt::LeftButton, {}, QPoint(20, 150));
    QCOMPARE(m_data->count(), 2); // committed at once
    QCOMPARE(strokeCount(m_data->at(0)), 2);
    QTest::mouseRelease(m_widget, Qt::LeftButton, {}, QPoint(25, 200));
    QTRY_COMPARE(m_data->count(), 3);
    QCOMPARE(m_data->at(1).points().first(), QPoint(20, 150));

    // Wider than tall: left and right halves. Off, the other half does not commit.
    m_widget->resize(300, 100);
    stroke({{20, 20}});
    QTest::mousePress(m_widget, Qt::LeftButton, {}, QPoint(200, 20));
    QCOMPARE(m_data->count(), 4);
    QTest::mouseRelease(m_widget, Qt::LeftButton, {}, QPoint(200, 20));
    QTRY_COMPARE(m_data->count(), 5);
    m_widget->setTwoLineMode(false);
    stroke({{20, 20}});
    QTest::mousePress(m_widget, Qt::LeftButton, {}, QPoint(200, 20));
    QCOMPARE(m_data->count(), 5);
    QTest::mouseRelease(m_widget, Qt::LeftButton, {}, QPoint(200, 20));
    QTRY_COMPARE(m_data->count(), 6);
}

void TestMervoWidget::textButtonsCommitPendingInk()
{
    stroke({{10, 10}, {20, 20}});
    m_widget->slotSpace();
    QCOMPARE(m_data->count(), 3);
    QCOMPARE(m_data->at(0).type(), MervoChar::Ink);
    QCOMPARE(m_data->at(1).text(), Space);
    stroke({{10, 10}, {20, 20}});
    m_widget->slotBS(); // commits, then deletes the character just made
    QCOMPARE(m_data->count(), 3);
    QCOMPARE(m_widget->cursor(), 2);
}

void TestMervoWidget::backspaceAndDeleteLine()
{
    m_widget->slotBS();
    m_widget->slotDeleteLine();
    QCOMPARE(m_data->count(), 1);

    type({Space, Space, Break, Space, Space});
    QCOMPARE(m_widget->cursor(), 5);
    m_widget->slotDeleteLine(); // back to the start of the line
    QCOMPARE(m_data->count(), 4);
    QCOMPARE(m_widget->cursor(), 3);
    m_widget->slotDeleteLine(); // at a line start: only the break goes
    QCOMPARE(m_data->count(), 3);
    QCOMPARE(m_data->at(1).text(), Space);
    QCOMPARE(m_widget->cursor(), 2);
    m_widget->slotBS();
    QCOMPARE(m_data->count(), 2);
    m_widget->slotDeleteLine();
    QCOMPARE(m_data->count(), 1);
    QCOMPARE(m_widget->cursor(), 0);
}

void TestMervoWidget::arrowKeys()
{
    type({Space, Space});
    QTest::keyClick(m_widget, Qt::Key_Right);
    QCOMPARE(m_widget->cursor(), 2); // never past the end mark
    QTest::keyClick(m_widget, Qt::Key_Left);
    QTest::keyClick(m_widget, Qt::Key_Left);
    QTest::keyClick(m_widget, Qt::Key_Left);
    QCOMPARE(m_widget->cursor(), 0);
    QTest::keyClick(m_widget, Qt::Key_Right);
    QTest::keyClick(m_widget, Qt::Key_Up); // first line: to the start
    QCOMPARE(m_widget->cursor(), 0);
    QTest::keyClick(m_widget, Qt::Key_Space);
    QTest::keyClick(m_widget, Qt::Key_Return);
    QCOMPARE(m_data->at(0).text(), Space);
    QCOMPARE(m_data->at(1).text(), Break);
    QTest::keyClick(m_widget, Qt::Key_Backspace);
    QCOMPARE(m_data->count(), 4);
    QCOMPARE(m_widget->cursor(), 1);
    QTest::keyClick(m_widget, Qt::Key_A);
    QCOMPARE(m_data->count(), 4);
}

void TestMervoWidget::upAndDownKeepTheColumn()
{
    // Spaces sit at x = 0, 12, 24, 36, 48; line 1 starts with an ink cell 40 wide.
    MervoChar wide(16);
    wide.setData(QPolygon({{0, 0}, {39, 15}}), QBitArray::fromBits("\x02", 2));
    type({Space, Space, Space, Space, Space, Break});
    m_data->insert(m_widget->cursor(), wide);
    m_widget->jumpTo(QPoint(200, 20)); // end of line 1, before its break
    type({Space, Space, Space, Break, Space, Space, Space, Space, Space});
    const int line1 = 6, line2 = 11;

    m_widget->jumpTo(QPoint(35, 5)); // before the space at x = 36
    QCOMPARE(m_widget->cursor(), 3);
    QTest::keyClick(m_widget, Qt::Key_Down);
    QCOMPARE(m_widget->cursor(), line1 + 1); // the first cell right of the ink
    QTest::keyClick(m_widget, Qt::Key_Down);
    QCOMPARE(m_widget->cursor(), line2 + 3); // column 36 again, not 44
    QTest::keyClick(m_widget, Qt::Key_Up);
    QTest::keyClick(m_widget, Qt::Key_Up);
    QCOMPARE(m_widget->cursor(), 3);
}

void TestMervoWidget::upAimsFromTheCursorJustMoved()
{
    // Spaces at x = 0, 12, 24 on both lines. Keys arrive with no paint in between, so
    // the vertical move must aim from the cursor that Left and Space left behind.
    type({Space, Space, Space, Break, Space, Space, Space});
    QTest::keyClick(m_widget, Qt::Key_Left);
    QTest::keyClick(m_widget, Qt::Key_Up);
    QCOMPARE(m_widget->cursor(), 2); // above x = 24, not 36

    m_widget->jumpTo(QPoint(0, 20));
    QTest::keyClick(m_widget, Qt::Key_Space);
    QTest::keyClick(m_widget, Qt::Key_Up);
    QCOMPARE(m_widget->cursor(), 1); // above x = 12, not 0
}

void TestMervoWidget::hiddenWidgetIgnoresButtons()
{
    m_widget->hide();
    m_widget->slotSpace();
    m_widget->slotEnter();
    QCOMPARE(m_data->count(), 1);
    m_data->insert(0, MervoChar(Space));
    m_widget->jumpTo(QPoint(100, 5));
    m_widget->slotBS();
    m_widget->slotDeleteLine();
    QCOMPARE(m_data->count(), 2);
}

void TestMervoWidget::pointSelectMovesCursorWithoutInk()
{
    type({Space, Space, Space});
    QSignalSpy selected(m_widget, &MervoWidget::pointSelected);
    m_widget->selectPoint();
    stroke({{13, 5}, {40, 40}, {13, 5}});
    QCOMPARE(selected.count(), 1);
    QCOMPARE(m_widget->cursor(), 2);
    // Nothing is pending: a space now adds only itself.
    m_widget->slotSpace();
    QCOMPARE(m_data->count(), 5);
    QCOMPARE(m_data->at(2).text(), Space);

    // The mode lasts for one tap only.
    stroke({{13, 5}});
    QCOMPARE(selected.count(), 1);
    QTRY_COMPARE(m_data->count(), 6);
}

void TestMervoWidget::scrolledViewFitsWholePage()
{
    type({Space, Break, Space, Break, Space});
    ScrolledMervoWidget view(nullptr, nullptr, m_data, 16);
    view.resize(200, 40);
    view.show();
    QVERIFY(QTest::qWaitForWindowExposed(&view));
    QCOMPARE(view.inner()->width(), view.viewport()->width());
    QCOMPARE(view.inner()->height(), 3 * (16 + 4));
    QCOMPARE(view.inner()->focusPolicy(), Qt::NoFocus);
    QVERIFY(view.verticalScrollBar()->maximum() > 0);

    // Read-only: pen input makes nothing.
    QTest::mousePress(view.inner(), Qt::LeftButton, {}, QPoint(5, 5));
    QTest::mouseRelease(view.inner(), Qt::LeftButton, {}, QPoint(5, 5));
    m_widget->slotSpace();
    QCOMPARE(m_data->count(), 7);
}

QTEST_MAIN(TestMervoWidget)
#include "tst_mervowidget.moc"
