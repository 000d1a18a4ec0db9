// The editing widget on a long text against the toolkit's stock plain-text widget,
// and saving against iconv and cp of the same bytes, in the same run.
//
//   editor_bench [MiB]        (default 100; also runs half that size to show the growth)
//
// Each opening runs in a process of its own (this program again, with "child"), timed
// from the start of that process to the first paint of the text; the child reports
// its resident memory then and at its peak. The editor is its own window (TextEdit)
// with keyword colouring on; the stock widget reads and decodes the whole file and
// takes it as the editor did before.

#include "benchtext.h"
#include "qpeeditor.h"
#include "textedit.h"

#include "text/encoding.h"

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QKeyEvent>
#include <QPlainTextEdit>
#include <QProcess>
#include <QScrollBar>
#include <QTemporaryDir>
#include <QTextBlock>
#include <QTimer>

#include <algorithm>
#include <cstdio>
#include <functional>

namespace {

QByteArray memoryLine()
{
    QFile status(QStringLiteral("/proc/self/status"));
    status.open(QIODevice::ReadOnly);
    qint64 rss = 0;
    qint64 peak = 0;
    for (const QByteArray& line : status.readAll().split('\n')) {
        if (line.startsWith("VmRSS:"))
            rss = line.mid(6).trimmed().split(' ').value(0).toLongLong();
        if (line.startsWith("VmHWM:"))
            peak = line.mid(6).trimmed().split(' ').value(0).toLongLong();
    }
    return QByteArray::number(rss * 1024) + ' ' + QByteArray::number(peak * 1024);
}

// Handles a key and repaints at once; returns milliseconds.
double keyTime(QWidget* target, QWidget* viewport, int key, Qt::KeyboardModifiers modifiers, const QString& text = {})
{
    QElapsedTimer timer;
    timer.start();
    QKeyEvent press(QEvent::KeyPress, key, modifiers, text);
    QApplication::sendEvent(target, &press);
    viewport->repaint();
    return timer.nsecsElapsed() / 1e6;
}

double timed(const std::function<void()>& run)
{
    QElapsedTimer timer;
    timer.start();
    run();
    return timer.nsecsElapsed() / 1e6;
}

void say(const QByteArray& line)
{
    std::printf("%s\n", line.constData());
    std::fflush(stdout);
}

// The widget's part after the first paint: each action nine times, as the first
// time and the median, then a save after the keystrokes.
template <typename Editor>
void measureEditing(Editor* editor, QWidget* viewport, const std::function<void(int)>& jump,
                    const std::function<QString()>& save)
{
    auto report = [](QList<double> times) {
        const double first = times.first();
        std::sort(times.begin(), times.end());
        return QByteArray::number(first) + ' ' + QByteArray::number(times.at(times.size() / 2)) + ' ';
    };
    QList<double> pageDown, end, typed, jumps;
    constexpr int times = 9;
    for (int i = 0; i < times; ++i)
        pageDown.append(keyTime(editor, viewport, Qt::Key_PageDown, Qt::NoModifier));
    for (int i = 0; i < times; ++i) {
        keyTime(editor, viewport, Qt::Key_Home, Qt::ControlModifier);
        end.append(keyTime(editor, viewport, Qt::Key_End, Qt::ControlModifier));
    }
    for (int i = 0; i < times; ++i)
        typed.append(keyTime(editor, viewport, Qt::Key_X, Qt::NoModifier, QStringLiteral("x")));
    for (int i = 0; i < times; ++i) {
        jump(50000 * (i + 1));
        jumps.append(timed([&] {
            jump(700000);
            viewport->repaint();
        }));
    }
    say("keys " + report(pageDown) + report(end) + report(typed) + report(jumps));
    // Best of three: the disk is shared.
    QString error;
    double ms = 1e9;
    for (int i = 0; i < 3; ++i)
        ms = qMin(ms, timed([&] { error = save(); }));
    say("save " + QByteArray::number(ms) + (error.isEmpty() ? "" : " " + error.toUtf8()));
}

int runChild(int argc, char** argv)
{
    QApplication app(argc, argv);
    const QString kind = QString::fromLocal8Bit(argv[2]);
    const QString path = QString::fromLocal8Bit(argv[3]);
    const QString savePath = path + QStringLiteral(".saved");
    const int codec = QString::fromLocal8Bit(argv[4]).toInt();
    bool painted = false;

    struct PaintWatch : QObject
    {
        std::function<void()> onPaint;
        bool eventFilter(QObject*, QEvent* event) override
        {
            if (event->type() == QEvent::Paint && onPaint)
                QTimer::singleShot(0, this, onPaint);
            return false;
        }
    } watch;

    if (kind == QLatin1String("stock")) {
        // As the editor opened files before: all bytes, one decode, the stock widget.
        auto* editor = new QPlainTextEdit;
        QFile file(path);
        file.open(QIODevice::ReadOnly);
        editor->setPlainText(Encoding::decode(codec, file.readAll(), false));
        editor->resize(640, 480);
        editor->viewport()->installEventFilter(&watch);
        watch.onPaint = [&] {
            if (painted)
                return;
            painted = true;
            say("painted " + memoryLine());
            measureEditing(
                editor, editor->viewport(),
                [&](int line) {
                    QTextCursor c(editor->document()->findBlockByNumber(line));
                    editor->setTextCursor(c);
                },
                [&] {
                    Encoding::SaveOptions options;
                    options.docCodec = codec;
                    return Encoding::write(savePath, editor->toPlainText(), options);
                });
            app.quit();
        };
        editor->show();
        return app.exec();
    }

    // The editor's own window, as main() makes it, with keyword colouring for ".txt" files.
    auto* window = new TextEdit(QStringLiteral("VElino"));
    EditorSettings colours = window->settings();
    UserFileInfo& text = colours.fileInfo[0];
    text.word1 = QStringLiteral("the file text");
    text.word2 = QStringLiteral("error: INFO");
    text.word3 = QStringLiteral("(note) value=42");
    text.color1 = 2;
    text.color2 = 3;
    text.color3 = 4;
    text.comment = QStringLiteral("//");
    text.commentColor = 5;
    text.charColor = 7;
    window->applyColorOptions(colours);
    // A Shift JIS file without escapes would be detected as UTF-8.
    EditorSettings input = window->settings();
    input.InputCodec = codec;
    window->applyFuncOptions(input);
    window->wrap_this();
    window->show();
    QpeEditor* editor = window->editor();
    watch.onPaint = [&] {
        if (painted)
            return;
        painted = true;
        say("painted " + memoryLine());
        measureEditing(editor, editor->viewport(), [&](int line) { window->jump_to(line); },
                       [&] { return window->save() ? QString() : QStringLiteral("failed"); });
        app.quit();
    };
    QTimer::singleShot(0, window, [&] {
        if (!window->openThisFile(path)) {
            say("failed");
            app.exit(1);
            return;
        }
        editor->viewport()->installEventFilter(&watch);
        editor->viewport()->update();
    });
    const int result = app.exec();
    delete window;
    return result;
}

struct ChildResult
{
    double openMs = 0;
    qint64 rss = 0;
    qint64 peak = 0;
    QList<double> keys;
    double saveMs = 0;
};

ChildResult runOpen(const QString& kind, const QString& path, int codec)
{
    QProcess child;
    child.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    // Settings of a home of its own, never the user's.
    const QString home = QFileInfo(path).absolutePath() + QStringLiteral("/home");
    QDir().mkpath(home + QStringLiteral("/run"));
    QFile::setPermissions(home + QStringLiteral("/run"), QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("HOME"), home);
    environment.insert(QStringLiteral("XDG_CONFIG_HOME"), home + QStringLiteral("/config"));
    environment.insert(QStringLiteral("XDG_RUNTIME_DIR"), home + QStringLiteral("/run"));
    child.setProcessEnvironment(environment);
    QElapsedTimer timer;
    timer.start();
    child.start(QCoreApplication::applicationFilePath(), {QStringLiteral("child"), kind, path, QString::number(codec)});
    ChildResult result;
    while (child.waitForReadyRead(120000) || child.canReadLine()) {
        while (child.canReadLine()) {
            const QList<QByteArray> words = child.readLine().trimmed().split(' ');
            if (words.value(0) == "painted") {
                result.openMs = timer.nsecsElapsed() / 1e6;
                result.rss = words.value(1).toLongLong();
                result.peak = words.value(2).toLongLong();
            } else if (words.value(0) == "keys") {
                for (int i = 1; i < words.size(); ++i)
                    result.keys.append(words.at(i).toDouble());
            } else if (words.value(0) == "save") {
                result.saveMs = words.value(1).toDouble();
            }
        }
        if (child.state() == QProcess::NotRunning)
            break;
    }
    child.waitForFinished(120000);
    return result;
}

double runTool(const QString& program, const QStringList& arguments, const QString& output)
{
    QProcess tool;
    if (!output.isEmpty())
        tool.setStandardOutputFile(output);
    QElapsedTimer timer;
    timer.start();
    tool.start(program, arguments);
    tool.waitForFinished(600000);
    const double ms = timer.nsecsElapsed() / 1e6;
    if (tool.exitStatus() != QProcess::NormalExit || tool.exitCode() != 0) {
        std::fprintf(stderr, "%s %s failed\n", qPrintable(program), qPrintable(arguments.join(QLatin1Char(' '))));
        std::exit(1);
    }
    return ms;
}

void compare(const QString& label, qint64 fileSize, const QString& path, int codec)
{
    const QString dir = QFileInfo(path).absolutePath();
    // A warm page cache for both sides.
    runTool(QStringLiteral("cat"), {path}, QStringLiteral("/dev/null"));
    const ChildResult stock = runOpen(QStringLiteral("stock"), path, codec);
    // The editor saves onto the file it opened: a copy, so that the others read the same bytes.
    const QString copy = dir + QStringLiteral("/velino-") + QFileInfo(path).fileName();
    QFile::remove(copy);
    QFile::copy(path, copy);
    const ChildResult ours = runOpen(QStringLiteral("velino"), copy, codec);
    QFile::remove(copy);
    // The toolkit's Shift JIS writes the Windows extensions, which glibc names CP932.
    const char* iconvName = codec == Encoding::ShiftJis ? "CP932" : "UTF-8";
    // iconv encodes the same characters from UTF-16, as the editor does (converting a file to
    // its own encoding is a mere copy for glibc's Shift JIS).
    const QString utf16 = dir + QStringLiteral("/text.utf16");
    runTool(QStringLiteral("iconv"), {QStringLiteral("-f"), QLatin1String(iconvName), QStringLiteral("-t"),
                                      QStringLiteral("UTF-16LE"), path},
            utf16);
    double iconv = 1e9;
    double cp = 1e9;
    for (int i = 0; i < 3; ++i) {
        iconv = qMin(iconv, runTool(QStringLiteral("iconv"), {QStringLiteral("-f"), QStringLiteral("UTF-16LE"),
                                                              QStringLiteral("-t"), QLatin1String(iconvName), utf16},
                                    dir + QStringLiteral("/iconv.out")));
        cp = qMin(cp, runTool(QStringLiteral("cp"), {path, dir + QStringLiteral("/cp.out")}, QString()));
    }
    QFile::remove(utf16);
    const double mib = fileSize / 1048576.0;

    std::printf("\n%s, %.0f MiB\n", qPrintable(label), mib);
    std::printf("  %-34s %10s %10s %8s\n", "", "stock", "velino", "ratio");
    auto row = [](const char* what, double a, double b, const char* unit) {
        std::printf("  %-34s %8.1f%-2s %8.1f%-2s %8.2f\n", what, a, unit, b, unit, b > 0 ? a / b : 0.0);
    };
    row("open to first paint", stock.openMs, ours.openMs, "ms");
    row("resident / file size", stock.rss / double(fileSize), ours.rss / double(fileSize), "x");
    row("peak resident / file size", stock.peak / double(fileSize), ours.peak / double(fileSize), "x");
    static const char* const keys[] = {"Page Down + paint", "Ctrl+End + paint", "keystroke at end + paint",
                                       "jump to line 700000 + paint"};
    for (int i = 0; i < 4; ++i) {
        row(qPrintable(QString::fromLatin1(keys[i]) + QStringLiteral(", first")), stock.keys.value(2 * i),
            ours.keys.value(2 * i), "ms");
        row("  median of 9", stock.keys.value(2 * i + 1), ours.keys.value(2 * i + 1), "ms");
    }
    row("save after one edit, best of 3", stock.saveMs, ours.saveMs, "ms");
    std::printf("  %-34s %8.1fms (iconv %.1f + cp %.1f); velino / reference %.2f (at most 1.5)\n", "iconv + cp, best of 3",
                iconv + cp, iconv, cp, ours.saveMs / (iconv + cp));
    std::fflush(stdout);
}

} // namespace

int main(int argc, char** argv)
{
    if (argc > 4 && qstrcmp(argv[1], "child") == 0)
        return runChild(argc, argv);
    QCoreApplication app(argc, argv);
    const qint64 mib = argc > 1 ? std::atoll(argv[1]) : 100;
    QTemporaryDir dir;
    std::printf("Opening in a new process to the first paint, keys with their repaint, saving.\n"
                "Ratios are stock / velino (above 1: velino is faster or smaller).\n");
    for (const qint64 size : {mib / 2, mib}) {
        const QByteArray utf8 = generateText(size * 1024 * 1024);
        const QString utf8Path = dir.filePath(QStringLiteral("text-%1.txt").arg(size));
        QFile file(utf8Path);
        file.open(QIODevice::WriteOnly);
        file.write(utf8);
        file.close();
        std::printf("\n%lld lines\n", static_cast<long long>(utf8.count('\n')));
        compare(QStringLiteral("UTF-8"), utf8.size(), utf8Path, Encoding::Utf8);
        if (size == mib) {
            const QByteArray sjis = Encoding::encode(Encoding::ShiftJis, QString::fromUtf8(utf8));
            const QString sjisPath = dir.filePath(QStringLiteral("text-sjis.txt"));
            QFile sjisFile(sjisPath);
            sjisFile.open(QIODevice::WriteOnly);
            sjisFile.write(sjis);
            sjisFile.close();
            compare(QStringLiteral("Shift JIS"), sjis.size(), sjisPath, Encoding::ShiftJis);
        }
    }
    return 0;
}
