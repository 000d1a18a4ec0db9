// Deleting folders with their contents, files and symbolic links.
#include "kxcommon.h"

#include "kxpaths.h"

#include <cerrno>

#include <dirent.h>
#include <unistd.h>

using namespace kxPath;

namespace {

// Why an entry could not be removed, judged by whether it may be written.
QString reason(const QByteArray& path)
{
    return ::access(withoutSlash(path).constData(), W_OK) == 0
        ? QStringLiteral(" を削除できません。\nファイルが使用中の可能性があります。")
        : QStringLiteral(" を削除できません。\n権限がありません。");
}

} // namespace

bool kxCommon::dirDel(const QByteArray& path)
{
    if (!showStep(path))
        return false;
    // An unreadable folder is not emptied; rmdir() then reports it.
    QList<Entry> entries;
    readFolder(path, &entries);
    for (const Entry& entry : entries) {
        const QByteArray child = path + entry.name;
        if (!(entry.type == DT_DIR ? dirDel(child + '/') : fileDel(child)))
            return false;
    }
    if (::rmdir(path.constData()) != 0) {
        critical(QStringLiteral("フォルダの削除エラー"), display(fileName(path)) + reason(path));
        return false;
    }
    m_percent = 100;
    return true;
}

bool kxCommon::fileDel(const QByteArray& path)
{
    if (!showStep(path))
        return false;
    if (::unlink(path.constData()) != 0 && errno != ENOENT) {
        critical(QStringLiteral("ファイルの削除エラー"), display(fileName(path)) + reason(path));
        return false;
    }
    m_percent = 100;
    return true;
}
