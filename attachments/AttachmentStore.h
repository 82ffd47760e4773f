#pragma once

#include "attachments/AttachmentList.h"

#include <QDateTime>
#include <QObject>
#include <QString>
#include <QStringList>

#include <functional>

class TDM;

// Stored-file names: the local time of the copy, then "." and the attachment type.
namespace storedname {
// "新增文档": yyyyMMddhhmmss (14 digits).
QString singleStamp(const QDateTime &time);
// "目录导入": yyyyMMddhhmmsszzz (17 digits) followed by the file's index in the folder listing.
QString folderStamp(const QDateTime &time, int index);
// stamp + "." + type, or with a clash suffix: stamp + "_" + n + "." + type (n > 0).
QString compose(const QString &stamp, const QString &type, int suffix = 0);
} // namespace storedname

// A file of a folder as an import takes it: its name as shown, and its name's bytes on disk.
// A name that is no valid UTF-8 (written by Windows in GBK, as on a share) is shown decoded as
// GBK; Qt's own listing leaves such files out, so they are listed from the bytes.
struct FolderEntry
{
    QString name;
    QByteArray nativeName;
};

// The files of a folder that a folder import takes: files directly in it, no hidden or system
// files, no sub-folders, sorted by name without regard to case in the user's collation.
QList<FolderEntry> importableEntries(const QString &folder);
QStringList importableFiles(const QString &folder);

// folder + separator + name, without doubling the separator of a root ("C:/", "/").
QString fileInFolder(const QString &folder, const QString &name);

// How attaching one file ended.
enum class AttachStatus {
    Attached,
    CopyFailed, // nothing of the copy remains in the data folder
    PostFailed, // the stored copy was removed again
};

struct AttachOutcome
{
    AttachStatus status = AttachStatus::CopyFailed;
    AttachmentRow row;  // filled when attached
    QString reason;     // the failure's text otherwise
};

// What a folder import did: the rows it added in order, the names it could not attach.
struct ImportReport
{
    QList<AttachmentRow> attached;
    QStringList failed;
    bool cancelled = false;
};

// Attachments of the knowledge base: copies files into the data folder under stored-file names
// that never replace an existing file, adds and deletes their TDKFJ rows. No dialogs; the window
// decides what to tell the user.
class AttachmentStore : public QObject
{
    Q_OBJECT
public:
    using Clock = std::function<QDateTime()>;

    explicit AttachmentStore(TDM &dm, QObject *parent = nullptr);

    // Tests fix the time; the default is the local clock.
    void setClock(Clock clock) { m_clock = std::move(clock); }

    // The stored copy's path; empty for a name that is no plain name in the data folder.
    QString storedPath(const QString &fileName) const;

    // "新增文档": copies source in under the single-file stamp and adds its row.
    AttachOutcome attachFile(const QString &categoryCode, const QString &source);
    // One file of a folder import, at its index in the listing.
    AttachOutcome attachFromFolder(const QString &categoryCode, const QString &folder, const FolderEntry &entry, int index);

    // Attaches the listed files one after another. Before each file, proceed(done, total) may
    // stop the import; every file attached by then stays attached. attached(row) follows each
    // added row, so a list can show it at once.
    ImportReport importFolder(const QString &categoryCode, const QString &folder,
                              const std::function<bool(int done, int total)> &proceed = {},
                              const std::function<void(const AttachmentRow &)> &attached = {});

    // Deletes the row, then its stored file. False when the row could not be deleted; then
    // nothing changed. A stored file that is missing or cannot be deleted is passed over.
    bool remove(const AttachmentRow &row);

private:
    // nativeSource, when given, is the source's path as bytes on disk (a name Qt cannot spell).
    AttachOutcome attach(const QString &categoryCode, const QString &source, const QString &shownName,
                         const QString &stamp, const QByteArray &nativeSource = {});
    // Creates an empty file under the first free name for stamp and type and returns the name,
    // so that no later copy can take it; empty when none could be created.
    QString reserveName(const QString &stamp, const QString &type, QString &reason);
    bool namedByRow(const QString &fileName);

    TDM &m_dm;
    Clock m_clock;
};
