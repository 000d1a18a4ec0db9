// Speed of korvex's operations engine against GNU cp, cp -r and rm -r on the
// same files in the same run. Prints times and ratios (reference time / our
// time: 1 or more means as fast as the reference).
//
//   fileops_bench [FOLDER] [MIB]
//
// FOLDER (default: a new folder under $TMPDIR or /tmp) decides the file system;
// MIB is the size of the large file (default 1024).
#include "kxcommon.h"

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QTemporaryDir>
#include <QTextStream>

#include <cstdio>
#include <cstdlib>
#include <functional>

#include <fcntl.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

extern char** environ;

namespace {

const int Runs = 5;

double seconds(const std::function<void()>& run)
{
    ::sync();
    QElapsedTimer timer;
    timer.start();
    run();
    return timer.nsecsElapsed() / 1e9;
}

void tool(std::initializer_list<const char*> args)
{
    std::vector<char*> argv;
    for (const char* arg : args)
        argv.push_back(const_cast<char*>(arg));
    argv.push_back(nullptr);
    pid_t pid;
    int status = 0;
    if (::posix_spawnp(&pid, argv[0], nullptr, nullptr, argv.data(), environ) != 0
        || ::waitpid(pid, &status, 0) < 0 || !WIFEXITED(status) || WEXITSTATUS(status) != 0) {
        std::fprintf(stderr, "%s failed\n", argv[0]);
        std::exit(1);
    }
}

bool writeFile(const QString& path, qint64 size)
{
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        return false;
    // Bytes that no file system can compress or share.
    QByteArray block(1 << 20, Qt::Uninitialized);
    quint64 x = 0x9E3779B97F4A7C15ull ^ quint64(size);
    for (qint64 done = 0; done < size; done += block.size()) {
        for (int i = 0; i + 8 <= block.size(); i += 8) {
            x ^= x << 13;
            x ^= x >> 7;
            x ^= x << 17;
            memcpy(block.data() + i, &x, 8);
        }
        const qint64 n = qMin<qint64>(block.size(), size - done);
        if (file.write(block.constData(), n) != n)
            return false;
    }
    return true;
}

struct Result
{
    double reference = 1e9;
    double ours = 1e9;
};

void report(QTextStream& out, const QString& what, const QString& reference, const Result& r, double megabytes)
{
    out << what << "\n  " << reference << ": " << QString::number(r.reference, 'f', 3) << " s";
    if (megabytes > 0)
        out << " (" << QString::number(megabytes / r.reference, 'f', 0) << " MB/s)";
    out << ", korvex: " << QString::number(r.ours, 'f', 3) << " s";
    if (megabytes > 0)
        out << " (" << QString::number(megabytes / r.ours, 'f', 0) << " MB/s)";
    out << ", ratio " << QString::number(r.reference / r.ours, 'f', 2) << Qt::endl;
}

} // namespace

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("DISPLAY") && qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    QTextStream out(stdout);
    const QStringList args = app.arguments();
    QTemporaryDir holder(args.size() > 1 ? args.at(1) + QStringLiteral("/fileops_bench-XXXXXX")
                                         : QDir::tempPath() + QStringLiteral("/fileops_bench-XXXXXX"));
    const qint64 mib = args.size() > 2 ? args.at(2).toLongLong() : 1024;
    if (!holder.isValid() || mib <= 0) {
        out << "usage: fileops_bench [FOLDER] [MIB]" << Qt::endl;
        return 1;
    }
    const QString root = holder.path() + QLatin1Char('/');
    const QByteArray rootBytes = QFile::encodeName(root);
    QDir().mkpath(root + QStringLiteral("src/tree"));
    QDir().mkpath(root + QStringLiteral("cp"));
    QDir().mkpath(root + QStringLiteral("kx"));

    // One large file.
    if (!writeFile(root + QStringLiteral("src/big"), mib << 20)) {
        out << "cannot write the test file" << Qt::endl;
        return 1;
    }
    Result big;
    for (int run = 0; run < Runs; ++run) {
        // Each goes first in turn, so neither always meets the other's writeback.
        const auto reference = [&] {
            big.reference = qMin(big.reference, seconds([&] { tool({"cp", (rootBytes + "src/big").constData(), (rootBytes + "cp/big").constData()}); }));
        };
        if (run % 2 == 0)
            reference();
        big.ours = qMin(big.ours, seconds([&] {
            QStringList names{QStringLiteral("big")};
            kxCommon().allItemCpMv(nullptr, 2, root + QStringLiteral("src/"), root + QStringLiteral("kx/"), &names);
        }));
        if (run % 2 == 1)
            reference();
        QFile::remove(root + QStringLiteral("cp/big"));
        QFile::remove(root + QStringLiteral("kx/big"));
    }
    QFile::remove(root + QStringLiteral("src/big"));
    report(out, QStringLiteral("one file of %1 MiB").arg(mib), QStringLiteral("cp"), big, (mib << 20) / 1e6);

    // 10,000 files of 2 KB in 100 folders: copy, then delete the copies.
    for (int d = 0; d < 100; ++d) {
        const QString folder = root + QStringLiteral("src/tree/d%1/").arg(d);
        QDir().mkpath(folder);
        for (int f = 0; f < 100; ++f)
            writeFile(folder + QStringLiteral("f%1").arg(f), 2000);
    }
    Result copies;
    Result deletes;
    double quiet = 1e9;
    const QString from = root + QStringLiteral("src/");
    const QString to = root + QStringLiteral("kx/");
    const std::function<void()> steps[] = {
        [&] { copies.reference = qMin(copies.reference, seconds([&] { tool({"cp", "-r", (rootBytes + "src/tree").constData(), (rootBytes + "cp/tree").constData()}); })); },
        [&] {
            copies.ours = qMin(copies.ours, seconds([&] {
                QStringList names{QStringLiteral("tree")};
                kxCommon().allItemCpMv(nullptr, 2, from, to, &names);
            }));
            deletes.ours = qMin(deletes.ours, seconds([&] {
                QStringList names{QStringLiteral("tree")};
                kxCommon().allItemDel(nullptr, to, &names);
            }));
        },
        // The same copy with the progress window shown but never brought up to date.
        [&] {
            quiet = qMin(quiet, seconds([&] {
                QStringList names{QStringLiteral("tree")};
                kxCommon kx;
                kx.setRefreshInterval(1 << 30);
                kx.allItemCpMv(nullptr, 2, from, to, &names);
            }));
            QDir(to + QStringLiteral("tree")).removeRecursively();
        },
    };
    for (int run = 0; run < Runs; ++run) {
        for (int step = 0; step < 3; ++step)
            steps[(run + step) % 3]();
        deletes.reference = qMin(deletes.reference, seconds([&] { tool({"rm", "-r", (rootBytes + "cp/tree").constData()}); }));
    }
    report(out, QStringLiteral("10000 files of 2000 bytes in 100 folders, copied"), QStringLiteral("cp -r"), copies, 0);
    report(out, QStringLiteral("the same 10000 files, deleted"), QStringLiteral("rm -r"), deletes, 0);
    out << "progress window: the copy of 10000 files took " << QString::number(copies.ours, 'f', 3)
        << " s, without refreshing the window " << QString::number(quiet, 'f', 3) << " s ("
        << QString::number(100 * (copies.ours - quiet) / copies.ours, 'f', 1) << "% for the window)" << Qt::endl;
    return 0;
}
