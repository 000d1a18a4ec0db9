#include "frmproperty.h"

#include "ctlpropertytab.h"
#include "kxconfig.h"
#include "kxicons.h"
#include "kxscreen.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDateTime>
#include <QFile>
#include <QFrame>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QMessageBox>
#include <QPushButton>
#include <QVBoxLayout>

#include <cerrno>
#include <cstdio>

#include <grp.h>
#include <pwd.h>
#include <sys/stat.h>
#include <unistd.h>

QString frmProperty::userFile = QStringLiteral("/etc/passwd");
QString frmProperty::groupFile = QStringLiteral("/etc/group");

namespace {

const mode_t permissionBits[9] = {S_IRUSR, S_IWUSR, S_IXUSR, S_IRGRP, S_IWGRP, S_IXGRP, S_IROTH, S_IWOTH, S_IXOTH};

// A long name or path wraps anywhere rather than widening the dialog beyond a small screen.
QLabel* valueLabel(const QString& text, bool anywhere, QWidget* parent)
{
    QString shown;
    for (const QChar c : kxVisibleName(text))
        shown += !anywhere || c.isLowSurrogate() || shown.isEmpty() ? QString(c) : QString(QChar(0x200B)) + c;
    auto* label = new QLabel(shown, parent);
    label->setTextFormat(Qt::PlainText);
    return label;
}

} // namespace

frmProperty::frmProperty(QWidget* parent, const QString& dir, QStringList* names)
    : QDialog(parent), dirPath(dir), names(names)
{
    setModal(true);
    setMaximumWidth(kxScreenRoom(parent));
    // The margins give way first on a small screen.
    margin = kxSmallScreen(parent) ? 5 : 15;
    const QString name = names->isEmpty() ? QString() : names->first();
    setWindowTitle(kxVisibleName(name) + tr(" Properties"));
    struct stat st;
    const bool known = ::stat(QFile::encodeName(path()).constData(), &st) == 0;

    layout = new QVBoxLayout(this);
    layout->setContentsMargins(margin, margin, margin, margin);
    layout->setSpacing(10);
    tabProperty = new ctlPropertyTab(this);
    layout->addWidget(tabProperty);
    pageGeneral = new QWidget(tabProperty);
    pageSecurity = new QWidget(tabProperty);
    buildGeneral(known ? &st : nullptr);
    buildSecurity(known ? &st : nullptr);
    tabProperty->addTab(pageGeneral, tr("General"));
    tabProperty->addTab(pageSecurity, tr("Security"));

    const int room = kxScreenRoom(parent) - 2 * margin;
    buttonLayout = new QHBoxLayout;
    buttonLayout->setSpacing(10);
    buttonLayout->addStretch();
    auto* ok = new QPushButton(QStringLiteral("OK"), this);
    auto* cancel = new QPushButton(tr("Cancel"), this);
    for (QPushButton* button : {ok, cancel})
        kxFixButtonSize(button, 120, 28, (room - 5) / 2);
    ok->setDefault(true);
    buttonLayout->addWidget(ok);
    buttonLayout->addSpacing(5);
    buttonLayout->addWidget(cancel);
    layout->addLayout(buttonLayout);
    connect(ok, &QPushButton::clicked, this, &frmProperty::accept);
    connect(cancel, &QPushButton::clicked, this, &frmProperty::reject);
}

QString frmProperty::path() const
{
    return dirPath + (names->isEmpty() ? QString() : names->first());
}

void frmProperty::buildGeneral(const struct stat* st)
{
    generalLayout = new QVBoxLayout(pageGeneral);
    generalLayout->setContentsMargins(margin, margin, margin, margin);
    generalLayout->setSpacing(10);
    generalGrid = new QGridLayout;
    generalGrid->setSpacing(8);
    QString size;
    QString date;
    if (st) {
        const quint64 bytes = quint64(st->st_size);
        const quint64 kb = bytes / 1024 + (bytes % 1024 ? 1 : 0);
        size = QStringLiteral("%1 KB (%2 Byte)")
                   .arg(kxCommaFormat(QString::number(kb)), kxCommaFormat(QString::number(bytes)));
        const QDateTime time = QDateTime::fromSecsSinceEpoch(st->st_mtime);
        date = QString::asprintf("%04d/%02d/%02d %02d:%02d:%02d", time.date().year(), time.date().month(),
                                 time.date().day(), time.time().hour(), time.time().minute(), time.time().second());
    }
    auto* line = new QFrame(pageGeneral);
    line->setFrameStyle(QFrame::HLine | QFrame::Sunken);
    line->setLineWidth(1);
    const struct {
        const char* caption;
        QString value;
        bool anywhere; // names and paths break anywhere, the rest at spaces
    } rows[] = {
        {QT_TR_NOOP("Name:"), names->isEmpty() ? QString() : names->first(), true},
        {QT_TR_NOOP("MimeType:"), QStringLiteral("????"), false},
        {nullptr, QString(), false},
        {QT_TR_NOOP("Place:"), dirPath, true},
        {QT_TR_NOOP("Size:"), size, false},
        {QT_TR_NOOP("LastModified:"), date, false},
    };
    int row = 0;
    int captionWidth = 0;
    QList<QLabel*> values;
    for (const auto& r : rows) {
        if (!r.caption) {
            generalGrid->addWidget(line, row++, 0, 1, 2);
            continue;
        }
        auto* caption = new QLabel(tr(r.caption), pageGeneral);
        captionWidth = qMax(captionWidth, caption->sizeHint().width());
        generalGrid->addWidget(caption, row, 0);
        values << valueLabel(r.value, r.anywhere, pageGeneral);
        generalGrid->addWidget(values.last(), row++, 1);
    }
    // A value wider than the room left on the screen wraps at that width, and its row is as
    // high as the wrapped text.
    const int valueWidth = kxScreenRoom(parentWidget()) - 4 * margin - 2 * 4 - captionWidth - 8;
    for (QLabel* value : values) {
        if (value->sizeHint().width() > valueWidth) {
            value->setWordWrap(true);
            value->setFixedWidth(valueWidth);
            value->setMinimumHeight(value->heightForWidth(valueWidth));
        }
    }
    generalGrid->setColumnStretch(1, 1);
    generalLayout->addLayout(generalGrid);
    generalLayout->addStretch();
}

void frmProperty::buildSecurity(const struct stat* st)
{
    securityLayout = new QVBoxLayout(pageSecurity);
    securityLayout->setContentsMargins(margin, margin, margin, margin);
    securityLayout->setSpacing(10);
    permissionGrid = new QGridLayout;
    permissionGrid->setSpacing(2);
    const char* const columns[] = {QT_TR_NOOP("read"), QT_TR_NOOP("write"), QT_TR_NOOP("execute")};
    const char* const rows[] = {QT_TR_NOOP("owner:"), QT_TR_NOOP("group:"), QT_TR_NOOP("other:")};
    for (int c = 0; c < 3; ++c) {
        auto* header = new QLabel(tr(columns[c]), pageSecurity);
        header->setWordWrap(true); // a long translation breaks rather than widening the dialog
        header->setAlignment(Qt::AlignCenter);
        permissionGrid->addWidget(header, 0, c + 1, Qt::AlignCenter);
    }
    for (int r = 0; r < 3; ++r) {
        permissionGrid->addWidget(new QLabel(tr(rows[r]), pageSecurity), r + 1, 0, Qt::AlignLeft | Qt::AlignVCenter);
        for (int c = 0; c < 3; ++c) {
            QCheckBox*& box = chkPermission[r * 3 + c];
            box = new QCheckBox(pageSecurity);
            box->setChecked(st && (st->st_mode & permissionBits[r * 3 + c]));
            permissionGrid->addWidget(box, r + 1, c + 1, Qt::AlignCenter);
        }
    }
    securityLayout->addLayout(permissionGrid);

    ownerGrid = new QGridLayout;
    ownerGrid->setSpacing(3);
    cmbOwner = new QComboBox(pageSecurity);
    cmbGroup = new QComboBox(pageSecurity);
    ownerIds = fillIds(cmbOwner, userFile, true, st, st ? st->st_uid : 0);
    groupIds = fillIds(cmbGroup, groupFile, false, st, st ? st->st_gid : 0);
    ownerShown = cmbOwner->currentIndex();
    groupShown = cmbGroup->currentIndex();
    ownerGrid->addWidget(new QLabel(tr("owner:"), pageSecurity), 0, 0);
    ownerGrid->addWidget(cmbOwner, 0, 1);
    ownerGrid->addWidget(new QLabel(tr("group:"), pageSecurity), 1, 0);
    ownerGrid->addWidget(cmbGroup, 1, 1);
    ownerGrid->setColumnStretch(1, 1);
    for (QComboBox* combo : {cmbOwner, cmbGroup}) {
        combo->setEditable(false);
        combo->setFixedHeight(28);
        // A long list must not widen the dialog beyond a small screen.
        combo->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
        combo->setMinimumContentsLength(8);
    }
    securityLayout->addLayout(ownerGrid);
    securityLayout->addStretch();
}

// The entries of a user or group file, parsed by the C library (empty fields kept,
// malformed lines skipped); returns the id of each item. An owner the file does not name
// shows as its number.
QList<unsigned int> frmProperty::fillIds(QComboBox* combo, const QString& file, bool users, bool known,
                                         unsigned int current)
{
    QStringList texts;
    QList<unsigned int> ids;
    if (FILE* f = ::fopen(QFile::encodeName(file).constData(), "re")) {
        if (users) {
            while (const passwd* pw = ::fgetpwent(f)) {
                if (*pw->pw_name) {
                    texts << QFile::decodeName(pw->pw_name);
                    ids << pw->pw_uid;
                }
            }
        } else {
            while (const group* gr = ::fgetgrent(f)) {
                if (*gr->gr_name) {
                    texts << QFile::decodeName(gr->gr_name);
                    ids << gr->gr_gid;
                }
            }
        }
        ::fclose(f);
    }
    int index = known ? int(ids.indexOf(current)) : -1;
    if (known && index < 0) {
        texts.prepend(QString::number(current));
        ids.prepend(current);
        index = 0;
    }
    combo->addItems(texts);
    combo->setCurrentIndex(index);
    return ids;
}

void frmProperty::accept()
{
    const QByteArray target = QFile::encodeName(path());
    mode_t mode = 0;
    for (int i = 0; i < 9; ++i)
        if (chkPermission[i]->isChecked())
            mode |= permissionBits[i];
    // The bits the dialog does not show stay as they are: a shared folder keeps its sticky bit.
    struct stat st;
    if (::stat(target.constData(), &st) == 0)
        mode |= st.st_mode & (S_ISUID | S_ISGID | S_ISVTX);
    errno = 0;
    int rc = ::chmod(target.constData(), mode);
    if (rc != 0) {
        const int error = errno;
        QMessageBox::critical(this, QStringLiteral("Error"),
                              QStringLiteral("パーミッションの設定に失敗しました。\nchmod() ... return code:%1 ... errno:%2")
                                  .arg(rc)
                                  .arg(error));
        return;
    }
    // chown clears set-user-id and set-group-id on a program even when the ids stay the
    // same, so it is asked only for what the user changed.
    const int ownerIndex = cmbOwner->currentIndex();
    const int groupIndex = cmbGroup->currentIndex();
    const uid_t uid = ownerIndex < 0 || ownerIndex == ownerShown ? uid_t(-1) : ownerIds.at(ownerIndex);
    const gid_t gid = groupIndex < 0 || groupIndex == groupShown ? gid_t(-1) : groupIds.at(groupIndex);
    errno = 0;
    rc = uid == uid_t(-1) && gid == gid_t(-1) ? 0 : ::chown(target.constData(), uid, gid);
    if (rc != 0) {
        const int error = errno;
        QMessageBox::critical(this, QStringLiteral("Error"),
                              QStringLiteral("所有者の設定に失敗しました。\nchown() ... return code:%1 ... errno:%2")
                                  .arg(rc)
                                  .arg(error));
        return;
    }
    QDialog::accept();
}
