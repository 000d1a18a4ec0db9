#pragma once

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QTest>

#include <algorithm>
#include <climits>

// The option dialogs' controls as a user finds them: by the label of their row.
namespace OptionRows {

// The controls of type T in the row of the n-th label reading text, left to
// right; a label with nothing beside it gives the row below it.
template <typename T>
QList<T*> row(QWidget& dialog, const QString& text, int n = 0)
{
    QList<QLabel*> labels;
    for (QLabel* l : dialog.findChildren<QLabel*>())
        if (l->text() == text)
            labels << l;
    if (labels.size() <= n)
        return {};
    const QRect label = labels[n]->geometry();
    const QList<T*> all = dialog.findChildren<T*>();
    int rowTop = INT_MAX;
    for (T* c : all)
        if (c->geometry().top() >= label.top() && c->geometry().right() > label.left())
            rowTop = std::min(rowTop, c->geometry().top());
    QList<T*> found;
    for (T* c : all)
        if (c->geometry().top() == rowTop)
            found << c;
    std::sort(found.begin(), found.end(), [](T* a, T* b) { return a->x() < b->x(); });
    return found;
}

inline QComboBox* list(QWidget& dialog, const QString& label, int which = 0, int n = 0)
{
    return row<QComboBox>(dialog, label, n).value(which);
}

inline QLineEdit* field(QWidget& dialog, const QString& label, int n = 0)
{
    return row<QLineEdit>(dialog, label, n).value(0);
}

// Chooses an entry as the user does.
inline void choose(QComboBox* list, const QString& entry)
{
    QVERIFY(list);
    const int i = list->findText(entry);
    QVERIFY2(i >= 0, qPrintable(entry));
    list->setCurrentIndex(i);
    emit list->activated(i);
}

// Types text over the field's text.
inline void type(QLineEdit* field, const QString& text)
{
    QVERIFY(field);
    field->selectAll();
    QTest::sendKeyEvent(QTest::Click, field, Qt::Key_unknown, text, Qt::NoModifier);
}

} // namespace OptionRows
