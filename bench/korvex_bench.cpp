// The file list of korvex on a folder of many files, against `ls -l` on the same folder in
// the same run; and the window's start to first paint on an ordinary home folder.
//
//   korvex_bench [FILES] [FOLDER]    (default 100000 files in a new folder under $TMPDIR)

#include "ctllistview.h"
#include "ctltreeview.h"
#include "frmmain.h"
#include "kxicons.h"
#include "platform/qpeapplication.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QTimer>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cstdio>

namespace {

double lsSeconds(const QString& folder)
{
    QProcess ls;
    ls.setStandardOutputFile(QProcess::nullDevice());
    QElapsedTimer clock;
    clock.start();
    ls.start(QStringLiteral("ls"), {QStringLiteral("-l"), folder});
    ls.waitForFinished(-1);
    return clock.nsecsElapsed() / 1e9;
}

template <typename F> double seconds(F work)
{
    QElapsedTimer clock;
    clock.start();
    work();
    return clock.nsecsElapsed() / 1e9;
}

void makeFiles(const QString& folder, int count)
{
    // Names of mixed case and length, sizes and times spread, a few folders and links among them.
    for (int i = 0; i < count; ++i) {
        const QByteArray name = QFile::encodeName(folder + QStringLiteral("/%1file_%2.%3")
                                                               .arg(i % 3 ? "" : "New ")
                                                               .arg(i * 7919 % count)
                                                               .arg(i % 5 ? "txt" : "PNG"));
        if (i % 1000 == 0) {
            ::mkdir(name.constData(), 0755);
            continue;
        }
        const int fd = ::open(name.constData(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
        if (fd >= 0) {
            if (i % 7 == 0)
                (void)::ftruncate(fd, off_t(i) * 37);
            ::close(fd);
        }
    }
}

} // namespace

int main(int argc, char** argv)
{
    QElapsedTimer sinceStart;
    sinceStart.start();
    QPEApplication app(argc, argv);
    const int count = argc > 1 ? atoi(argv[1]) : 100000;

    // Start to first paint: the window opens on its start folder ("/home/").
    double startup = 0;
    {
        frmMain window;
        window.resize(640, 480);
        window.show();
        while (window.treeView->fullPath().isEmpty())
            QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents, 5);
        window.repaint();
        startup = sinceStart.nsecsElapsed() / 1e9;
    }

    QTemporaryDir temporary;
    const QString folder = argc > 2 ? QString::fromLocal8Bit(argv[2]) : temporary.path() + QStringLiteral("/many");
    if (argc <= 2) {
        QDir().mkpath(folder);
        std::printf("making %d entries in %s ...\n", count, qPrintable(folder));
        makeFiles(folder, count);
    }

    kxLoadIcons(0);
    ctlListView list(nullptr, 0);
    list.resize(640, 480);
    list.show();
    lsSeconds(folder); // both sides start from a warm cache
    // How long the window goes without handling events while the list fills.
    QElapsedTimer sinceTick;
    qint64 longestGap = 0;
    QTimer ticker;
    QObject::connect(&ticker, &QTimer::timeout, [&] {
        longestGap = std::max(longestGap, sinceTick.restart());
    });
    double ls = 1e9, build = 1e9, byName = 1e9, bySize = 1e9, byDate = 1e9;
    for (int run = 0; run < 3; ++run) {
        ls = std::min(ls, lsSeconds(folder));
        ticker.start(5);
        sinceTick.start();
        build = std::min(build, seconds([&] {
                             list.refreshFileList(folder + QLatin1Char('/'));
                             list.viewport()->repaint();
                         }));
        ticker.stop();
        bySize = std::min(bySize, seconds([&] {
                              list.sortItems(1, Qt::DescendingOrder);
                              list.viewport()->repaint();
                          }));
        byDate = std::min(byDate, seconds([&] {
                              list.sortItems(2, Qt::AscendingOrder);
                              list.viewport()->repaint();
                          }));
        byName = std::min(byName, seconds([&] {
                              list.sortItems(0, Qt::AscendingOrder);
                              list.viewport()->repaint();
                          }));
    }
    std::printf("rows                      %d\n", list.childCount());
    std::printf("ls -l                     %.3f s\n", ls);
    std::printf("list, sorted and painted  %.3f s   (%.2f x ls -l; at most 2)\n", build, build / ls);
    std::printf("longest wait for events   %.3f s   (while the list fills)\n", longestGap / 1e3);
    std::printf("sort by size              %.3f s   (under 0.5)\n", bySize);
    std::printf("sort by date              %.3f s\n", byDate);
    std::printf("sort by name              %.3f s\n", byName);
    std::printf("start to first paint      %.3f s   (under 0.3)\n", startup);
    kxDeleteIcons();
    return 0;
}
