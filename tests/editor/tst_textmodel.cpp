#include "textmodel.h"

#include <QRandomGenerator>
#include <QSignalSpy>
#include <QTest>

class TstTextModel : public QObject
{
    Q_OBJECT

private:
    // Lines as the buffer indexes them: split at line feeds only.
    static void compareLines(const TextBuffer& buffer, const QString& reference)
    {
        const QStringList lines = reference.split(QLatin1Char('\n'));
        QCOMPARE(buffer.lineCount(), lines.size());
        qsizetype start = 0;
        for (int i = 0; i < lines.size(); ++i) {
            QCOMPARE(buffer.lineStart(i), start);
            QCOMPARE(buffer.lineLength(i), lines.at(i).size());
            QCOMPARE(buffer.lineOf(start), i);
            start += lines.at(i).size() + 1;
        }
    }

private slots:
    void randomEditsKeepTextLinesAndHistory()
    {
        // Characters a file may hold: line ends of every kind, no-break and other
        // separators, a byte-order mark, NUL and a surrogate pair.
        const QString alphabet = QStringLiteral("ab\n\r\r\n \t") + QChar(0x00A0) + QChar(0x2028) + QChar(0x2029)
            + QChar(0xFEFF) + QChar(0) + QStringLiteral("\U0001F600") + QChar(0x3042);
        QRandomGenerator random(7);
        TextModel model;
        QString reference;
        QStringList states{reference};
        for (int step = 0; step < 400; ++step) {
            const qsizetype pos = random.bounded(int(reference.size()) + 1);
            if (random.bounded(3) == 0 && !reference.isEmpty()) {
                const qsizetype length = qMin<qsizetype>(random.bounded(8), reference.size() - pos);
                model.remove(pos, length);
                reference.remove(pos, length);
            } else {
                QString piece;
                for (int i = random.bounded(6); i >= 0; --i)
                    piece += alphabet.mid(random.bounded(int(alphabet.size())), 1);
                model.insert(pos, piece);
                reference.insert(pos, piece);
            }
            QCOMPARE(model.text(), reference);
            compareLines(model.buffer(), reference);
            if (step % 50 == 0)
                QCOMPARE(model.contiguous().toString(), reference);
            states.append(reference);
        }
        // Commands are undone one at a time, back to the empty text, and redone.
        for (qsizetype i = states.size() - 2; i >= 0; --i) {
            if (states.at(i) == states.at(i + 1))
                continue;
            QVERIFY(model.undo() >= 0);
            QCOMPARE(model.text(), states.at(i));
        }
        QVERIFY(!model.isUndoAvailable());
        compareLines(model.buffer(), QString());
        while (model.redo() >= 0) {
        }
        QCOMPARE(model.text(), reference);
        compareLines(model.buffer(), reference);
    }

    void replaceAllIsOneStep()
    {
        TextModel model;
        const QString original = QStringLiteral("one x\r\ntwo x\nx three\nx");
        model.setText(original);
        QSignalSpy modified(&model, &TextModel::modificationChanged);
        model.replaceAll({{4, 1, QStringLiteral("yy\n")}, {11, 1, QString()}, {13, 1, QStringLiteral("zz")},
                          {21, 1, QStringLiteral("w")}});
        const QString replaced = QStringLiteral("one yy\n\r\ntwo \nzz three\nw");
        QCOMPARE(model.text(), replaced);
        compareLines(model.buffer(), replaced);
        QVERIFY(model.isModified());
        QCOMPARE(modified.count(), 1);
        model.undo();
        QCOMPARE(model.text(), original);
        compareLines(model.buffer(), original);
        QVERIFY(!model.isModified());
        QVERIFY(!model.isUndoAvailable());
        model.redo();
        QCOMPARE(model.text(), replaced);
    }

    void typingIsUndoneByTheRun()
    {
        TextModel model;
        model.setText(QStringLiteral("ab"));
        for (const char* typed : {"c", "d", "\n", "e"})
            model.insert(model.size(), QString::fromLatin1(typed), TextModel::Typing);
        model.remove(model.size() - 1, 1, TextModel::Typing);
        model.remove(model.size() - 1, 1, TextModel::Typing);
        QCOMPARE(model.text(), QStringLiteral("abcd"));
        model.undo(); // the two deletions
        QCOMPARE(model.text(), QStringLiteral("abcd\ne"));
        model.undo(); // "e"
        QCOMPARE(model.text(), QStringLiteral("abcd\n"));
        model.undo(); // "cd\n", ended by the line feed
        QCOMPARE(model.text(), QStringLiteral("ab"));

        // A save marks the text clean: typing after it starts a new step.
        model.insert(2, QStringLiteral("x"), TextModel::Typing);
        model.setModified(false);
        model.insert(3, QStringLiteral("y"), TextModel::Typing);
        QVERIFY(model.isModified());
        model.undo();
        QCOMPARE(model.text(), QStringLiteral("abx"));
        QVERIFY(!model.isModified());
    }
};

QTEST_GUILESS_MAIN(TstTextModel)
#include "tst_textmodel.moc"
