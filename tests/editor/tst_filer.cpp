#include "filedialog.h"
#include "modalanswer.h"
#include "nameinputdialog.h"
#include "testfiles.h"

#include "platform/qpeapplication.h"

#include <QDir>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTemporaryDir>
#include <QLabel>
#include <QtTest>

#include <memory>
#include <vector>

#include <csignal>
#include <fcntl.h>
#include <sys/mount.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {
// Answers a dialog with `button` after `prepare` has filled it in, then the boxes
// that may follow, one after the other, with the buttons `then`.
struct Answers
{
    std::vector<std::unique_ptr<ModalAnswer>> boxes;
    ModalAnswer dialog;

    Answers(const QString& button, std::function<void(QDialog*)> prepare,
            const QStringList& then = {QStringLiteral("OK")})
        : dialog(button, [this, prepare, then](QDialog* d) {
              prepare(d);
              follow(then);
          })
    {
    }
    void follow(QStringList buttons)
    {
        if (buttons.isEmpty())
            return;
        const QString button = buttons.takeFirst();
        boxes.push_back(std::make_unique<ModalAnswer>(button, [this, buttons](QDialog*) { follow(buttons); }));
    }
    // The last box that was answered, or null.
    const ModalAnswer* box() const
    {
        const ModalAnswer* last = nullptr;
        for (const auto& b : boxes)
            if (b->answered())
                last = b.get();
        return last;
    }
    bool boxShown() const { return box() != nullptr; }
};

// The target dialog of copy and move, answered with `folder`.
std::function<void(QDialog*)> inFolder(const QString& folder)
{
    return [folder](QDialog* d) { QVERIFY(qobject_cast<FileDialog*>(d)->setList(folder)); };
}

std::function<void(QDialog*)> named(const QString& name)
{
    return [name](QDialog* d) { qobject_cast<NameInputDialog*>(d)->nameField()->setText(name); };
}

QByteArray raw(const QString& path)
{
    return QFile::encodeName(path);
}

QByteArray rawRead(const QByteArray& path)
{
    const int fd = ::open(path.constData(), O_RDONLY);
    QByteArray bytes;
    char buffer[4096];
    ssize_t n;
    while (fd >= 0 && (n = ::read(fd, buffer, sizeof buffer)) > 0)
        bytes.append(buffer, n);
    if (fd >= 0)
        ::close(fd);
    return fd >= 0 ? bytes : QByteArray("<unreadable>");
}

void rawWrite(const QByteArray& path, const QByteArray& bytes)
{
    const int fd = ::open(path.constData(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
    QVERIFY(fd >= 0);
    QCOMPARE(::write(fd, bytes.constData(), bytes.size()), ssize_t(bytes.size()));
    ::close(fd);
}

bool leftovers(const QString& folder)
{
    return !QDir(folder).entryList({QStringLiteral(".velino-copy-*")}, QDir::Hidden | QDir::Files).isEmpty();
}
} // namespace

// The simple filer's commands on real files: what each does, what it refuses, and
// that no failure costs a file its content.
class TestFiler : public QObject
{
    Q_OBJECT

private:
    std::unique_ptr<QTemporaryDir> tmp;
    QWidget owner;

    QString path(const QString& name) const { return tmp->filePath(name); }

    // A filer on `folder` with the entry of that name (file system bytes) current.
    std::unique_ptr<FileDialog> filer(const QString& folder, const QByteArray& entry = QByteArray())
    {
        auto d = std::make_unique<FileDialog>(&owner, "", true, Qt::WindowFlags(), FileDialog::Filer, false);
        d->setList(folder);
        for (int i = 0; i < d->list()->count(); ++i)
            if (d->list()->item(i)->data(Qt::UserRole).toByteArray() == entry)
                d->list()->setCurrentRow(i);
        return d;
    }

private slots:
    void init()
    {
        owner.resize(640, 480);
        tmp = std::make_unique<QTemporaryDir>();
        QVERIFY(QDir(tmp->path()).mkpath(QStringLiteral("src/folder")));
        QVERIFY(QDir(tmp->path()).mkpath(QStringLiteral("dst")));
        writeAll(path(QStringLiteral("src/a.txt")), "source bytes");
    }

    void needsAFile_data()
    {
        QTest::addColumn<QString>("command");
        QTest::addColumn<QByteArray>("entry");
        QTest::newRow("rename a folder") << "fileRename" << QByteArray("folder");
        QTest::newRow("copy .") << "fileCopy" << QByteArray(".");
        QTest::newRow("move ..") << "fileMove" << QByteArray("..");
        QTest::newRow("delete ..") << "fileDelete" << QByteArray("..");
        QTest::newRow("information, no entry") << "fileInformation" << QByteArray();
    }

    void needsAFile()
    {
        QFETCH(QString, command);
        QFETCH(QByteArray, entry);
        auto d = filer(path(QStringLiteral("src")), entry);
        ModalAnswer box(QStringLiteral("OK"));
        QVERIFY(QMetaObject::invokeMethod(d.get(), qPrintable(command)));
        QVERIFY(box.answered());
        QCOMPARE(box.title(), QStringLiteral("VElino"));
        QCOMPARE(box.text(), QStringLiteral("Please choose the file"));
        QVERIFY(QFileInfo::exists(path(QStringLiteral("src/folder"))));
    }

    void information_data()
    {
        QTest::addColumn<QByteArray>("entry");
        QTest::addColumn<QStringList>("lines");
        QTest::newRow("..") << QByteArray("..") << QStringList{"..", "File Type   directory"};
        QTest::newRow("file") << QByteArray("a.txt")
                              << QStringList{"a.txt", "File Size         12", "File Type   file",
                                             "access mode  read  o", "             execute  x"};
        QTest::newRow("link") << QByteArray("link") << QStringList{"link", "File Type   symboliclink"};
    }

    void information()
    {
        QFETCH(QByteArray, entry);
        QFETCH(QStringList, lines);
        QVERIFY(::symlink("a.txt", raw(path(QStringLiteral("src/link"))).constData()) == 0);
        auto d = filer(path(QStringLiteral("src")), entry);
        Qt::TextFormat format = Qt::AutoText;
        ModalAnswer box(QStringLiteral("OK"), [&](QDialog* dialog) {
            format = dialog->findChild<QLabel*>(QStringLiteral("qt_msgbox_label"))->textFormat();
        });
        d->fileInformation();
        QVERIFY(box.answered());
        QCOMPARE(format, Qt::PlainText); // a name such as "<b>x</b>" shows as it is
        const QStringList shown = box.text().split(QLatin1Char('\n'));
        QCOMPARE(shown.size(), 8);
        for (const QString& line : lines)
            QVERIFY2(shown.contains(line), qPrintable(box.text()));
        QVERIFY(QRegularExpression(QStringLiteral("^last update \\d{4}\\.\\d\\d\\.\\d\\d$")).match(shown[1]).hasMatch());
    }

    // Names reach their own file whatever they hold; a name that is not UTF-8 never
    // turns into the file whose name it shows as.
    void hostileNames_data()
    {
        QTest::addColumn<QByteArray>("name");
        QTest::newRow("spaces") << QByteArray("my notes.txt");
        QTest::newRow("quotes") << QByteArray("'it' \"is\" `x`");
        QTest::newRow("dash") << QByteArray("-rf");
        QTest::newRow("newline") << QByteArray("two\nlines");
        QTest::newRow("255 bytes") << QByteArray(255, 'n');
        QTest::newRow("not UTF-8") << QByteArray("latin\xe9");
    }

    void hostileNames()
    {
        QFETCH(QByteArray, name);
        const QByteArray src = raw(path(QStringLiteral("src/"))) + name;
        rawWrite(src, name);
        // What the name shows as, if it were taken as the name.
        const QByteArray shownAs = QString::fromUtf8(name).toUtf8();
        if (shownAs != name)
            rawWrite(raw(path(QStringLiteral("dst/"))) + shownAs, "decoy");

        auto d = filer(path(QStringLiteral("src")), name);
        {
            Answers target(QStringLiteral("copy"), inFolder(path(QStringLiteral("dst"))));
            QVERIFY(d->fileCopyOrMove(FileDialog::CopyTo));
            QVERIFY(!target.boxShown());
        }
        QCOMPARE(rawRead(raw(path(QStringLiteral("dst/"))) + name), name);
        if (shownAs != name)
            QCOMPARE(rawRead(raw(path(QStringLiteral("dst/"))) + shownAs), QByteArray("decoy"));
        {
            ModalAnswer ok(QStringLiteral("OK"));
            d->fileDelete();
        }
        QVERIFY(::access(src.constData(), F_OK) != 0);
        if (name.size() < 255 && shownAs == name) {
            auto back = filer(path(QStringLiteral("dst")), name);
            Answers rename(QStringLiteral("OK"), named(QStringLiteral("renamed")));
            back->fileRename();
            QCOMPARE(readAll(path(QStringLiteral("dst/renamed"))), name);
            QCOMPARE(back->getSelectedFileName(), QStringLiteral("renamed"));
        }
    }

    void renameRefusals()
    {
        writeAll(path(QStringLiteral("src/b.txt")), "other");
        QVERIFY(::symlink("nowhere", raw(path(QStringLiteral("src/dangling"))).constData()) == 0);
        auto d = filer(path(QStringLiteral("src")), "a.txt");
        for (const QString& taken : {QStringLiteral("b.txt"), QStringLiteral("dangling")}) {
            Answers rename(QStringLiteral("OK"), named(taken));
            d->fileRename();
            QVERIFY(rename.boxShown());
            QCOMPARE(rename.box()->text(), taken + QStringLiteral("\nThe file name already exists.\nCan not change."));
        }
        {
            Answers rename(QStringLiteral("OK"), named(QStringLiteral("missing/x")));
            d->fileRename();
            QVERIFY(rename.boxShown());
            QCOMPARE(rename.box()->title(), QStringLiteral(" Error : rename file"));
            QCOMPARE(rename.box()->text(), path(QStringLiteral("src/missing/x")));
        }
        {
            Answers rename(QStringLiteral("OK"), named(QStringLiteral("a.txt")));
            d->fileRename();
            QVERIFY(!rename.boxShown());
        }
        QCOMPARE(readAll(path(QStringLiteral("src/a.txt"))), QByteArray("source bytes"));
        QCOMPARE(readAll(path(QStringLiteral("src/b.txt"))), QByteArray("other"));
        QCOMPARE(d->getSelectedFileName(), QStringLiteral("a.txt"));
    }

    void overwriteQuestion()
    {
        const QString target = path(QStringLiteral("dst/a.txt"));
        writeAll(target, "old target");
        QVERIFY(::chmod(raw(target).constData(), 0640) == 0);
        auto d = filer(path(QStringLiteral("src")), "a.txt");
        {
            Answers copy(QStringLiteral("copy"), inFolder(path(QStringLiteral("dst"))), {QStringLiteral("Cancel")});
            QVERIFY(!d->fileCopyOrMove(FileDialog::CopyTo));
            QVERIFY(copy.boxShown());
            const QString date = QStringLiteral("\\d{4}\\.\\d\\d\\.\\d\\d \\d\\d:\\d\\d");
            QVERIFY2(QRegularExpression(QStringLiteral("^a\\.txt\nCopyThe same file exists\\.\nfrom file %1\nto file "
                                                       "%1\nMay it overwrite\\?$")
                                            .arg(date))
                         .match(copy.box()->text())
                         .hasMatch(),
                     qPrintable(copy.box()->text()));
        }
        QCOMPARE(readAll(target), QByteArray("old target"));
        {
            Answers copy(QStringLiteral("copy"), inFolder(path(QStringLiteral("dst"))));
            QVERIFY(d->fileCopyOrMove(FileDialog::CopyTo));
        }
        QCOMPARE(readAll(target), QByteArray("source bytes"));
        struct stat st {};
        QVERIFY(::stat(raw(target).constData(), &st) == 0);
        QCOMPARE(st.st_mode & 07777, mode_t(0640));
        QVERIFY(!leftovers(path(QStringLiteral("dst"))));
    }

    void move()
    {
        auto d = filer(path(QStringLiteral("src")), "a.txt");
        const int entries = d->list()->count();
        {
            Answers move(QStringLiteral("Move"), inFolder(path(QStringLiteral("dst"))));
            d->fileMove();
            QVERIFY(!move.boxShown());
        }
        QCOMPARE(readAll(path(QStringLiteral("dst/a.txt"))), QByteArray("source bytes"));
        QVERIFY(!QFileInfo::exists(path(QStringLiteral("src/a.txt"))));
        QCOMPARE(d->list()->count(), entries - 1);
        QVERIFY(d->list()->findItems(QStringLiteral("a.txt"), Qt::MatchExactly).isEmpty());
    }

    // The chosen folder reaches the source file itself: nothing may be written or removed.
    void sameFile_data()
    {
        QTest::addColumn<int>("mode");
        QTest::addColumn<QString>("how");
        QTest::newRow("copy, same folder") << int(FileDialog::CopyTo) << "same";
        QTest::newRow("move, same folder") << int(FileDialog::MoveTo) << "same";
        QTest::newRow("copy, linked folder") << int(FileDialog::CopyTo) << "link";
        QTest::newRow("move, linked folder") << int(FileDialog::MoveTo) << "link";
        QTest::newRow("move, hard link") << int(FileDialog::MoveTo) << "hard";
    }

    void sameFile()
    {
        QFETCH(int, mode);
        QFETCH(QString, how);
        QString folder = path(QStringLiteral("src"));
        if (how == QLatin1String("link")) {
            folder = path(QStringLiteral("dst/linked"));
            QVERIFY(::symlink(raw(path(QStringLiteral("src"))).constData(), raw(folder).constData()) == 0);
        } else if (how == QLatin1String("hard")) {
            folder = path(QStringLiteral("dst"));
            QVERIFY(::link(raw(path(QStringLiteral("src/a.txt"))).constData(),
                           raw(path(QStringLiteral("dst/a.txt"))).constData())
                    == 0);
        }
        auto d = filer(path(QStringLiteral("src")), "a.txt");
        const int entries = d->list()->count();
        {
            Answers target(mode == FileDialog::CopyTo ? QStringLiteral("copy") : QStringLiteral("Move"), inFolder(folder));
            QVERIFY(!d->fileCopyOrMove(mode));
            QCOMPARE(target.boxShown(), how != QLatin1String("same"));
            if (target.boxShown())
                QCOMPARE(target.box()->text(), QStringLiteral("a.txt\nThe target is the same file.\nCan not %1.")
                                                 .arg(mode == FileDialog::CopyTo ? "copy" : "move"));
        }
        QCOMPARE(readAll(path(QStringLiteral("src/a.txt"))), QByteArray("source bytes"));
        QCOMPARE(d->list()->count(), entries);
        QVERIFY(!leftovers(path(QStringLiteral("src"))));
    }

    // A copy that cannot be written whole leaves the old target as it was and no
    // stray file; a move then keeps its source.
    void failedCopyKeepsOldTarget_data()
    {
        QTest::addColumn<QString>("limit");
        QTest::newRow("file size limit") << "rlimit";
        QTest::newRow("full disk") << "tmpfs";
    }

    void failedCopyKeepsOldTarget()
    {
        QFETCH(QString, limit);
        const QString target = path(QStringLiteral("dst/a.txt"));
        writeAll(path(QStringLiteral("src/a.txt")), QByteArray(256 * 1024, 's'));
        // Lifts the limit again however the test ends.
        struct Limit
        {
            QByteArray mounted;
            struct rlimit old {};
            bool limited = false;
            ~Limit()
            {
                if (limited)
                    ::setrlimit(RLIMIT_FSIZE, &old);
                if (!mounted.isEmpty())
                    ::umount2(mounted.constData(), MNT_DETACH);
            }
        } guard;
        if (limit == QLatin1String("tmpfs")) {
            if (::mount("tmpfs", raw(path(QStringLiteral("dst"))).constData(), "tmpfs", 0, "size=64k") != 0)
                QSKIP("cannot mount a small file system here");
            guard.mounted = raw(path(QStringLiteral("dst")));
            writeAll(target, "old target");
        } else {
            writeAll(target, "old target");
            ::signal(SIGXFSZ, SIG_IGN);
            QVERIFY(::getrlimit(RLIMIT_FSIZE, &guard.old) == 0);
            struct rlimit small = guard.old;
            small.rlim_cur = 64 * 1024;
            QVERIFY(::setrlimit(RLIMIT_FSIZE, &small) == 0);
            guard.limited = true;
        }
        auto d = filer(path(QStringLiteral("src")), "a.txt");
        // The overwrite question, then the error.
        Answers move(QStringLiteral("Move"), inFolder(path(QStringLiteral("dst"))),
                     {QStringLiteral("OK"), QStringLiteral("OK")});
        d->fileMove();
        QCOMPARE(move.boxes.size(), size_t(2));
        QVERIFY(move.boxes[1]->answered());
        QCOMPARE(move.box()->title(), QStringLiteral("Error : write"));
        QCOMPARE(move.box()->text(), target);
        QCOMPARE(readAll(target), QByteArray("old target"));
        QVERIFY(!leftovers(path(QStringLiteral("dst"))));
        QCOMPARE(readAll(path(QStringLiteral("src/a.txt"))).size(), 256 * 1024);
        QCOMPARE(d->getSelectedFileName(), QStringLiteral("a.txt"));
    }

    // A source that fails while being read is an error, not a short copy; one that is
    // not a plain file (it became a pipe after it was listed) is refused, not waited on.
    void unreadableSources()
    {
        auto d = filer(path(QStringLiteral("dst")));
        const QByteArray target = raw(path(QStringLiteral("dst/copy")));
        {
            ModalAnswer box(QStringLiteral("OK"));
            QVERIFY(!d->copyFile("/proc/self/mem", target));
            QCOMPARE(box.title(), QStringLiteral("Error : read"));
            QCOMPARE(box.text(), QStringLiteral("/proc/self/mem"));
        }
        QVERIFY(::mkfifo(raw(path(QStringLiteral("src/pipe"))).constData(), 0600) == 0);
        {
            ModalAnswer box(QStringLiteral("OK"));
            QVERIFY(!d->copyFile(raw(path(QStringLiteral("src/pipe"))), target));
            QCOMPARE(box.title(), QStringLiteral("Error : open"));
        }
        QVERIFY(!QFileInfo::exists(QFile::decodeName(target)));
        QVERIFY(!leftovers(path(QStringLiteral("dst"))));
    }

    void makeDirectory()
    {
        auto d = filer(path(QStringLiteral("src")));
        {
            Answers make(QStringLiteral("OK"), named(QStringLiteral("new folder")));
            d->makeDirectory();
            QVERIFY(!make.boxShown());
        }
        QVERIFY(QFileInfo(path(QStringLiteral("src/new folder"))).isDir());
        QCOMPARE(d->getSelectedFileName(), QStringLiteral("new folder"));
        {
            Answers make(QStringLiteral("OK"), named(QStringLiteral("a.txt")));
            d->makeDirectory();
            QVERIFY(make.boxShown());
            QCOMPARE(make.box()->text(), QStringLiteral("a.txt\nThe directory name already exists.\nCan not create."));
        }
        {
            Answers make(QStringLiteral("OK"), named(QStringLiteral("missing/sub")));
            d->makeDirectory();
            QVERIFY(make.boxShown());
            QCOMPARE(make.box()->title(), QStringLiteral(" Error : make dir"));
            QCOMPARE(make.box()->text(), QStringLiteral("missing/sub"));
        }
    }

    void deletion()
    {
        QVERIFY(QDir(tmp->path()).mkpath(QStringLiteral("src/empty")));
        writeAll(path(QStringLiteral("src/folder/inside")), "kept");
        QVERIFY(::symlink("folder", raw(path(QStringLiteral("src/folderlink"))).constData()) == 0);
        auto d = filer(path(QStringLiteral("src")), "a.txt");
        {
            ModalAnswer cancel(QStringLiteral("Cancel"));
            d->fileDelete();
            QCOMPARE(cancel.text(), path(QStringLiteral("src/a.txt")) + QStringLiteral("\ndelete?"));
        }
        QVERIFY(QFileInfo::exists(path(QStringLiteral("src/a.txt"))));
        const auto remove = [&](const QByteArray& entry) {
            d = filer(path(QStringLiteral("src")), entry);
            Answers del(QStringLiteral("OK"), [](QDialog*) {});
            d->fileDelete();
            return del.boxShown() ? del.box()->title() : QString();
        };
        QCOMPARE(remove("folder"), QStringLiteral("Error : remove dir"));
        QCOMPARE(readAll(path(QStringLiteral("src/folder/inside"))), QByteArray("kept"));
        QCOMPARE(remove("folderlink"), QString()); // the link goes, its folder stays
        QVERIFY(!QFileInfo(path(QStringLiteral("src/folderlink"))).isSymLink());
        QCOMPARE(readAll(path(QStringLiteral("src/folder/inside"))), QByteArray("kept"));
        QCOMPARE(remove("empty"), QString());
        QVERIFY(!QFileInfo::exists(path(QStringLiteral("src/empty"))));
        QVERIFY(d->list()->findItems(QStringLiteral("empty"), Qt::MatchExactly).isEmpty());
    }

    // Return in the name field moves to OK; only a second Return confirms, and an empty name never does.
    void nameInput()
    {
        auto d = filer(path(QStringLiteral("src")));
        NameInputDialog input(d.get(), "nameinput", true, {}, false);
        input.show();
        QVERIFY(QTest::qWaitForWindowActive(&input));
        QTest::keyClick(input.nameField(), Qt::Key_Return);
        input.accept();
        QVERIFY(input.isVisible());
        QVERIFY(input.nameField()->hasFocus());
        QTest::keyClicks(input.nameField(), QStringLiteral("x"));
        QTest::keyClick(input.nameField(), Qt::Key_Return);
        QVERIFY(input.isVisible());
        QVERIFY(!input.nameField()->hasFocus());
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
        QCOMPARE(input.result(), int(QDialog::Accepted));
        QCOMPARE(input.name(), QStringLiteral("x"));
    }
};

int main(int argc, char** argv)
{
    QPEApplication app(argc, argv);
    TestFiler test;
    return QTest::qExec(&test, argc, argv);
}
#include "tst_filer.moc"
