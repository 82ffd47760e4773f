#include "attachments/AttachmentStore.h"

#include "attachments/uPub.h"
#include "common/FaqError.h"
#include "storage/AppFolder.h"
#include "storage/DataFile.h"
#include "storage/uDM.h"
#include "common/TextCodec.h"

#include <QCollator>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSqlQuery>
#include <QStringDecoder>

#ifdef Q_OS_UNIX
#include <dirent.h>
#include <sys/stat.h>
#endif

#include <algorithm>

namespace {

// Far beyond any real clash; only a data folder that refuses every new file gets here.
constexpr int kMaxClashSuffix = 10000;

bool isSeparator(QChar c)
{
    return c == QLatin1Char('/') || c == QLatin1Char('\\');
}

} // namespace

namespace storedname {

QString singleStamp(const QDateTime &time)
{
    return time.toString(QStringLiteral("yyyyMMddhhmmss"));
}

QString folderStamp(const QDateTime &time, int index)
{
    return time.toString(QStringLiteral("yyyyMMddhhmmsszzz")) + QString::number(index);
}

QString compose(const QString &stamp, const QString &type, int suffix)
{
    QString name = stamp;
    if (suffix > 0)
        name += QLatin1Char('_') + QString::number(suffix);
    return name + QLatin1Char('.') + type;
}

} // namespace storedname

namespace {

#ifdef Q_OS_UNIX
// Regular files (or links to them) that are not hidden, read from the directory's bytes.
QList<FolderEntry> listEntries(const QString &folder)
{
    QList<FolderEntry> entries;
    const QByteArray native = QFile::encodeName(folder);
    DIR *dir = ::opendir(native.constData());
    if (!dir)
        return entries;
    QStringDecoder utf8(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    while (const dirent *entry = ::readdir(dir)) {
        const QByteArray name(entry->d_name);
        if (name.startsWith('.'))
            continue;
        struct stat info;
        if (::stat((native + '/' + name).constData(), &info) != 0 || !S_ISREG(info.st_mode))
            continue;
        QString shown = utf8.decode(name);
        if (utf8.hasError())
            shown = textcodec::fromGbk(name);
        utf8.resetState();
        entries.append({shown, name});
    }
    ::closedir(dir);
    return entries;
}
#else
QList<FolderEntry> listEntries(const QString &folder)
{
    // Without QDir::Hidden and QDir::System, hidden files and non-regular ones (sockets, pipes,
    // broken links) are left out, as the Windows listing leaves out hidden and system files.
    QList<FolderEntry> entries;
    for (const QString &name : QDir(folder).entryList(QDir::Files | QDir::NoDotAndDotDot, QDir::NoSort))
        entries.append({name, QFile::encodeName(name)});
    return entries;
}
#endif

} // namespace

QList<FolderEntry> importableEntries(const QString &folder)
{
    QList<FolderEntry> entries = listEntries(folder);
    QCollator collator;
    collator.setCaseSensitivity(Qt::CaseInsensitive);
    collator.setNumericMode(false);
    std::stable_sort(entries.begin(), entries.end(), [&](const FolderEntry &a, const FolderEntry &b) {
        const int order = collator.compare(a.name, b.name);
        // Names equal but for case keep one fixed order, so the indices do not vary by run.
        return order != 0 ? order < 0 : a.nativeName < b.nativeName;
    });
    return entries;
}

QStringList importableFiles(const QString &folder)
{
    QStringList names;
    for (const FolderEntry &entry : importableEntries(folder))
        names << entry.name;
    return names;
}

QString fileInFolder(const QString &folder, const QString &name)
{
    if (folder.isEmpty() || isSeparator(folder.back()))
        return folder + name;
    return folder + QLatin1Char('/') + name;
}

AttachmentStore::AttachmentStore(TDM &dm, QObject *parent)
    : QObject(parent), m_dm(dm), m_clock([] { return QDateTime::currentDateTime(); })
{
}

QString AttachmentStore::storedPath(const QString &fileName) const
{
    return datafile::dataFile(m_dm.applicationFolder(), fileName);
}

AttachOutcome AttachmentStore::attachFile(const QString &categoryCode, const QString &source)
{
    return attach(categoryCode, source, QFileInfo(source).fileName(), storedname::singleStamp(m_clock()));
}

AttachOutcome AttachmentStore::attachFromFolder(const QString &categoryCode, const QString &folder, const FolderEntry &entry,
                                                int index)
{
    const QString source = fileInFolder(folder, entry.name);
    // A name Qt spells differently on disk is opened by its bytes.
    const QByteArray native = QFile::encodeName(entry.name) == entry.nativeName
                                  ? QByteArray()
                                  : QFile::encodeName(fileInFolder(folder, QString())) + entry.nativeName;
    return attach(categoryCode, source, entry.name, storedname::folderStamp(m_clock(), index), native);
}

ImportReport AttachmentStore::importFolder(const QString &categoryCode, const QString &folder,
                                           const std::function<bool(int, int)> &proceed,
                                           const std::function<void(const AttachmentRow &)> &attached)
{
    ImportReport report;
    const QList<FolderEntry> names = importableEntries(folder);
    const int total = int(names.size());
    for (int i = 0; i < total; ++i) {
        if (proceed && !proceed(i, total)) {
            report.cancelled = true;
            break;
        }
        const AttachOutcome outcome = attachFromFolder(categoryCode, folder, names[i], i);
        if (outcome.status == AttachStatus::Attached) {
            report.attached.append(outcome.row);
            if (attached)
                attached(outcome.row);
        } else {
            report.failed.append(names[i].name);
        }
    }
    if (proceed && !report.cancelled)
        proceed(total, total);
    return report;
}

bool AttachmentStore::remove(const AttachmentRow &row)
{
    // The row goes first: a failure then leaves row and file together, never a row whose
    // file is gone.
    try {
        m_dm.exec(QStringLiteral("Delete from TDKFJ where ID=?"), {row.ID});
    } catch (const FaqError &) {
        return false;
    }
    const QString stored = storedPath(row.FileName);
    if (!stored.isEmpty())
        QFile::remove(stored);
    return true;
}

AttachOutcome AttachmentStore::attach(const QString &categoryCode, const QString &source, const QString &shownName,
                                      const QString &stamp, const QByteArray &nativeSource)
{
    AttachOutcome outcome;
    const QString type = GetExdName(source);
    const QString storedName = reserveName(stamp, type, outcome.reason);
    if (storedName.isEmpty()) {
        outcome.status = AttachStatus::CopyFailed;
        return outcome;
    }
    const QString target = storedPath(storedName);
    try {
        if (nativeSource.isEmpty())
            CopyFileByStream(source, target);
        else
            CopyNativeFileByStream(nativeSource, source, target);
    } catch (const FaqError &error) {
        QFile::remove(target); // the empty reservation
        outcome.status = AttachStatus::CopyFailed;
        outcome.reason = error.message();
        return outcome;
    }

    AttachmentRow row{0, categoryCode, shownName, type, storedName};
    try {
        QSqlQuery insert = m_dm.exec(QStringLiteral("Insert into TDKFJ (BillID,FJName,ExdName,FileName) Values(?,?,?,?)"),
                                     {TDM::text(row.BillID), TDM::text(row.FJName), TDM::text(row.ExdName),
                                      TDM::text(row.FileName)});
        row.ID = insert.lastInsertId().toLongLong();
    } catch (const FaqError &error) {
        // No stored file without its row.
        QFile::remove(target);
        outcome.status = AttachStatus::PostFailed;
        outcome.reason = error.message();
        return outcome;
    }
    outcome.status = AttachStatus::Attached;
    outcome.row = row;
    return outcome;
}

QString AttachmentStore::reserveName(const QString &stamp, const QString &type, QString &reason)
{
    for (int suffix = 0; suffix < kMaxClashSuffix; ++suffix) {
        const QString name = storedname::compose(stamp, type, suffix);
        const QString path = storedPath(name);
        if (path.isEmpty()) {
            reason = QStringLiteral("附件类型“%1”不能用作文件名").arg(type);
            return {};
        }
        if (namedByRow(name))
            continue;
        QFile file(path);
        // NewOnly fails when the name is taken, so nothing in the data folder is ever replaced.
        if (file.open(QIODevice::WriteOnly | QIODevice::NewOnly))
            return name;
        if (!file.exists()) {
            reason = file.errorString();
            return {};
        }
    }
    reason = QStringLiteral("没有可用的文件名");
    return {};
}

bool AttachmentStore::namedByRow(const QString &fileName)
{
    // A row whose stored file has gone still owns its name: a new file under it would be
    // deleted together with that row.
    try {
        QSqlQuery query = m_dm.exec(QStringLiteral("Select count(*) from TDKFJ where FileName=?"), {TDM::text(fileName)});
        return query.next() && query.value(0).toLongLong() > 0;
    } catch (const FaqError &) {
        return false; // the insert that follows reports the broken table
    }
}
