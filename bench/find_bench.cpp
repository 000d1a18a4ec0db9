// Find and replace on the editing widget's benchmark text against grep on the same
// bytes, in the same run.
//
//   find_bench [MiB]        (default 100)
//
// The text is the editor benchmark's, with the word "zebra" added to 100,000 lines
// spread over it. Each find starts at the top and fails (so both sides read
// everything), best of five, taking turns with grep; replace-all changes the 100,000
// words and undo takes them back as one step. Incremental search types into the
// search bar of the editor's window holding the first MiB, each keystroke timed
// with its repaint.

#include "benchtext.h"
#include "qpeeditor.h"
#include "textedit.h"

#include <QApplication>
#include <QComboBox>
#include <QElapsedTimer>
#include <QFile>
#include <QKeyEvent>
#include <QLineEdit>
#include <QProcess>
#include <QTemporaryDir>
#include <QWindow>

#include <algorithm>
#include <cstdio>
#include <functional>

namespace {

double timed(const std::function<void()>& run)
{
    QElapsedTimer timer;
    timer.start();
    run();
    return timer.nsecsElapsed() / 1e6;
}

double grepTime(const QStringList& arguments)
{
    return timed([&] {
        QProcess grep;
        grep.setStandardOutputFile(QProcess::nullDevice());
        grep.start(QStringLiteral("grep"), arguments);
        grep.waitForFinished(600000);
    });
}

// Lines with the word, one every (lines / count), so that it occurs count times.
QByteArray withWord(const QByteArray& text, const QByteArray& word, int count)
{
    const qsizetype lines = text.count('\n');
    const qsizetype every = qMax<qsizetype>(1, lines / count);
    QByteArray out;
    out.reserve(text.size() + count * (word.size() + 1));
    qsizetype line = 0;
    int added = 0;
    for (qsizetype start = 0; start < text.size();) {
        qsizetype end = text.indexOf('\n', start);
        end = end < 0 ? text.size() : end + 1;
        if (line++ % every == 0 && added < count) {
            out += word + ' ';
            ++added;
        }
        out.append(text.constData() + start, end - start);
        start = end;
    }
    return out;
}

void compareFind(QpeEditor& editor, const char* label, const QString& needle, int mode, const QStringList& grepArguments,
                 bool backward = false)
{
    double ours = 1e99;
    double grep = 1e99;
    bool found = false;
    for (int i = 0; i < 5; ++i) {
        grep = std::min(grep, grepTime(grepArguments));
        editor.setCursorPosition(backward ? editor.numRows() - 1 : 0, backward ? 1 << 30 : 0);
        ours = std::min(ours, timed([&] { found = editor.find(needle, mode, backward); }));
    }
    std::printf("  %-44s %9.1f %9.1f %8.2f%s\n", label, ours, grep, ours / grep, found ? "  (found!)" : "");
}

// Types word into the search box one key at a time; returns the slowest and the median keystroke.
std::pair<double, double> typeIntoSearchBox(TextEdit& window, const QString& word)
{
    window.editor()->setCursorPosition(0, 0);
    window.editFind();
    QLineEdit* box = window.findChild<QComboBox*>()->lineEdit();
    box->clear();
    QList<double> times;
    for (const QChar c : word) {
        times.append(timed([&] {
            QKeyEvent press(QEvent::KeyPress, 0, Qt::NoModifier, QString(c));
            QApplication::sendEvent(box, &press);
            window.editor()->viewport()->repaint();
        }));
    }
    window.findClose();
    std::sort(times.begin(), times.end());
    return {times.last(), times.at(times.size() / 2)};
}

} // namespace

int main(int argc, char** argv)
{
    std::setvbuf(stdout, nullptr, _IOLBF, 0);
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QTemporaryDir dir;
    // Settings of a home of its own, never the user's.
    qputenv("XDG_CONFIG_HOME", dir.filePath(QStringLiteral("config")).toLocal8Bit());
    QApplication app(argc, argv);
    const qint64 mib = argc > 1 ? std::atoll(argv[1]) : 100;

    const QByteArray bytes = withWord(generateText(mib * 1024 * 1024), "zebra", 100000);
    const QString path = dir.filePath(QStringLiteral("text.txt"));
    QFile file(path);
    file.open(QIODevice::WriteOnly);
    file.write(bytes);
    file.close();
    const QString text = QString::fromUtf8(bytes);
    std::printf("%.1f MiB of UTF-8, %lld lines, %lld characters\n\n", bytes.size() / 1048576.0,
                static_cast<long long>(bytes.count('\n')), static_cast<long long>(text.size()));

    QpeEditor editor;
    editor.resize(640, 480);
    editor.setText(text);
    std::printf("  %-44s %9s %9s %8s\n", "find, not found, from the top (best of 5)", "velino ms", "grep ms",
                "ratio");
    compareFind(editor, "plain, case-sensitive (grep -c)", QStringLiteral("zebu"), 2,
                {QStringLiteral("-c"), QStringLiteral("zebu"), path});
    compareFind(editor, "plain, any case (grep -ci)", QStringLiteral("zebu"), 0,
                {QStringLiteral("-ci"), QStringLiteral("zebu"), path});
    compareFind(editor, "plain, any case, 9 letters (grep -ci)", QStringLiteral("valuee=42"), 0,
                {QStringLiteral("-ci"), QStringLiteral("valuee=42"), path});
    compareFind(editor, "regular expression INFO:[0-9]+ (grep -cE)", QStringLiteral("INFO:[0-9]+"), 1,
                {QStringLiteral("-cE"), QStringLiteral("INFO:[0-9]+"), path});
    compareFind(editor, "regular expression [0-9]{5} (grep -cE)", QStringLiteral("[0-9]{5}"), 1,
                {QStringLiteral("-cE"), QStringLiteral("[0-9]{5}"), path});
    compareFind(editor, "plain, any case, backward (grep -ci)", QStringLiteral("zebu"), 0,
                {QStringLiteral("-ci"), QStringLiteral("zebu"), path}, true);
    compareFind(editor, "regular expression, backward (grep -cE)", QStringLiteral("INFO:[0-9]+"), 1,
                {QStringLiteral("-cE"), QStringLiteral("INFO:[0-9]+"), path}, true);
    std::printf("  ratio: velino / grep, at most 2 for the forward finds\n\n");

    editor.setCursorPosition(0, 0);
    int count = 0;
    const double replaceMs = timed([&] { count = editor.replace(QStringLiteral("zebra"), QStringLiteral("okapi"), 2, false, false); });
    const double regExpMs = timed([&] { editor.replace(QStringLiteral("oka(pi)"), QStringLiteral("zebra"), 1, false, false); });
    editor.undo();
    const double undoMs = timed([&] { editor.undo(); });
    const bool restored = editor.text() == text;
    std::printf("  replace-all of %d words: %.1f ms (plain), %.1f ms (regular expression); undo %.1f ms, text %s\n",
                count, replaceMs, regExpMs, undoMs, restored ? "restored" : "NOT RESTORED");
    std::printf("  (at most 2000 ms each)\n");
    QpeEditor oneLine;
    oneLine.setText(QStringLiteral("ab,").repeated(1 << 20) + QLatin1Char('\n'));
    const double lineMs = timed([&] { count = oneLine.replace(QStringLiteral("b,|x$"), QStringLiteral("c;"), 1, false, false); });
    std::printf("  replace-all of %d matches of an expression in one line of 3 Mi characters: %.1f ms\n\n", count, lineMs);

    TextEdit window(QStringLiteral("VElino"));
    window.resize(640, 480);
    window.show();
    QElapsedTimer shown;
    shown.start();
    while (!(window.windowHandle() && window.windowHandle()->isExposed()) && shown.elapsed() < 5000)
        QCoreApplication::processEvents(QEventLoop::AllEvents, 50);
    QByteArray first = bytes.left(1024 * 1024);
    first.truncate(first.lastIndexOf('\n') + 1);
    window.editor()->setText(QString::fromUtf8(first));
    window.editor()->setCursorPosition(0, 0);
    const double paint = timed([&] { window.editor()->viewport()->repaint(); });
    std::printf("  incremental search in %.2f MiB, each keystroke with its repaint (a repaint alone: %.2f ms; "
                "at most 16 ms)\n",
                first.size() / 1048576.0, paint);
    for (const QString& word : {QStringLiteral("editors"), QStringLiteral("value=42"), QStringLiteral("zebu")}) {
        const auto [slowest, median] = typeIntoSearchBox(window, word);
        std::printf("  typing %-10s slowest %6.2f ms, median %6.2f ms\n", qPrintable(word), slowest, median);
    }
    return 0;
}
