#pragma once

#include <QByteArray>
#include <QCoreApplication>
#include <QElapsedTimer>
#include <QList>
#include <QPair>
#include <QSet>
#include <QString>
#include <QStringList>

#include <sys/stat.h>

class QWidget;
class frmProgress;

// Carries out one batch of file operations (paste as copy or move, paste as
// symbolic links, delete) with its questions, progress window and messages.
// Folder arguments end in "/"; names are single path components. A batch trims
// the name list it is given to the entries it dealt with; every step returns
// false when the batch must stop.
//
// Paths are handled as the bytes the file system holds, so names inside a
// folder that are not valid UTF-8 are copied and deleted unchanged.
class kxCommon
{
    Q_DECLARE_TR_FUNCTIONS(kxCommon)
public:
    kxCommon();
    virtual ~kxCommon();

    bool askOverwrite = true;
    int itemCount = 0;
    frmProgress* progress = nullptr;

    // mode 1 moves, any other value copies.
    void allItemCpMv(QWidget* parent, int mode, const QString& srcDir, const QString& dstDir, QStringList* names);
    void allItemSymblnk(QWidget* parent, const QString& srcDir, const QString& dstDir, QStringList* names);
    void allItemDel(QWidget* parent, const QString& dir, QStringList* names);

    bool m_dirCpMv(QWidget* parent, int mode, const QString& src, const QString& dst);
    bool m_fileCpMv(QWidget* parent, int mode, const QString& src, const QString& dst);
    bool m_symlinkMake(QWidget* parent, const QString& target, const QString& linkPath);
    bool m_dirDel(QWidget* parent, const QString& path);
    bool m_fileDel(QWidget* parent, const QString& path);

    static void removeListFromThis(QStringList* names, QStringList::Iterator it);
    static QString calcCpNameSameDir(const QString& dir, const QString& name);
    static QString calcLnkNameSameDir(const QString& dir, const QString& name);

    // The progress window is brought up to date (and Cancel noticed) at most this
    // often, so that thousands of small files do not wait for repaints.
    void setRefreshInterval(int ms) { m_refreshInterval = ms; }

    // The replace question for dst as it stands, with src as the file to copy.
    static QString replaceQuestion(const QString& src, const QString& dst);

    enum Answer { Yes = 0, No = 1, Cancel = 2 };

protected:
    // The questions and messages of a batch; a test replaces them to run a batch
    // without a screen. question() returns an Answer; withCancel adds Cancel.
    virtual int question(const QString& title, const QString& text, bool withCancel);
    virtual void message(bool critical, const QString& title, const QString& text);

private:
    enum Kind { Folder, File, Link };
    // How a batch goes on after an entry: with the next, or stopping with or
    // without this entry in the returned list.
    enum Outcome { Done, StopHere, StopAfter };
    struct Entry
    {
        QByteArray name;
        unsigned char type; // DT_DIR, DT_LNK or another d_type
    };

    Outcome pasteEntry(int mode, const QByteArray& srcDir, const QByteArray& dstDir, bool sameDir, QString* entry);
    bool checkNewName(const QString& title, const QString& refusal, const QByteArray& dstDir, const QString& newName);

    // What a folder listing already told about a file, so that copying thousands
    // of small files asks the file system no more than it must.
    struct Known
    {
        bool regularSource;
        bool freeTarget;
    };

    // The steps, on paths as bytes.
    bool dirCpMv(int mode, const QByteArray& src, const QByteArray& dst);
    bool fileCpMv(int mode, const QByteArray& src, const QByteArray& dst, Known known = {false, false});
    bool copyFile(const QByteArray& src, const QByteArray& dst, const struct stat* replaced, bool regular);
    bool copyData(int in, int out, qint64 size, const QByteArray& src, const QByteArray& dst);
    void keepAttributes(int fd, const QByteArray& temp, const QByteArray& src, const struct stat& st,
                        const struct stat* replaced);
    bool symlinkMake(const QByteArray& target, const QByteArray& linkPath);
    bool dirDel(const QByteArray& path);
    bool fileDel(const QByteArray& path);

    static bool readFolder(const QByteArray& dir, QList<Entry>* entries);
    static QByteArray readLink(const QByteArray& path);
    bool insideFolder(const QByteArray& dir, const QByteArray& folder) const;
    void rememberDestination(const QByteArray& folder);
    bool isDestination(const struct stat& st) const;

    // Progress: a step shows its entry with the bar at 0; both return false
    // once the user has cancelled.
    bool showStep(const QByteArray& path);
    bool showPercent(int percent);
    bool keepAlive();
    void beginBatch(QWidget* parent, const QString& caption);
    void endBatch();

    int ask(const QString& title, const QString& text);
    void askReplaceAll(const QString& title);
    bool refuseSamePlace(Kind kind, int mode, const QByteArray& dst);
    void writeError(const QByteArray& dst, bool full);
    static QString folderTakenText(const QString& what, const QString& name);
    static QString fileTakenText(const QString& what, const QString& name);
    static QString linkTakenText(bool folder, const QString& name);
    void critical(const QString& title, const QString& text) { message(true, title, text); }
    void information(const QString& title, const QString& text) { message(false, title, text); }

    QWidget* m_parent = nullptr;
    int m_refreshInterval = 30;
    QElapsedTimer m_lastRefresh;
    QByteArray m_label;
    bool m_labelChanged = false;
    int m_percent = 0;
    mode_t m_umask = 022;
    qint64 m_chunk;
    bool m_mayClone = true;
    QByteArray m_buffer;
    QSet<QPair<quint64, quint64>> m_destinations;
};
