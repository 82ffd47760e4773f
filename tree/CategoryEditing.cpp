#include "tree/CategoryEditing.h"

#include "common/FaqError.h"
#include "common/TextCodec.h"
#include "storage/AppFolder.h"
#include "storage/DataFile.h"
#include "storage/uDM.h"
#include "tree/yPY.h"

#include <QFile>
#include <QSqlQuery>

namespace categoryediting {

namespace {

QStringList attachmentFiles(TDM &dm, const QString &code)
{
    QStringList files;
    QSqlQuery query = dm.exec(QStringLiteral("Select FileName from TDKFJ where BillID=?"), {TDM::text(code)});
    while (query.next())
        files << query.value(0).toString();
    return files;
}

// Stored copies named by attachment rows; a name that is no plain name in the data folder is
// never followed.
void removeStoredFiles(TDM &dm, const QStringList &names)
{
    for (const QString &name : names) {
        const QString path = datafile::dataFile(dm.applicationFolder(), name);
        if (!path.isEmpty())
            QFile::remove(path);
    }
}

// The kept versions of the category's answer (a knowledge base that never saved one lacks the
// table).
void deleteHistory(TDM &dm, const QString &code)
{
    if (dm.hasTable(QStringLiteral("TAnswerHistory")))
        dm.exec(QStringLiteral("Delete from TAnswerHistory Where TypeCode=?"), {TDM::text(code)});
}

void deleteRows(TDM &dm, const QString &code)
{
    dm.inTransaction([&] {
        dm.exec(QStringLiteral("Delete from TFAQClass Where TypeCode=?"), {TDM::text(code)});
        dm.exec(QStringLiteral("Delete from TDKFJ Where BillID=?"), {TDM::text(code)});
        deleteHistory(dm, code);
    });
}

// What a code may still have although no category row holds it: a deletion stopped between its
// commit and its file removals leaves the answer document behind, and a clearing of the
// categories leaves documents, attachment rows and kept answer versions. The category row is the truth: all of it
// goes before the code is handed out again, rows first, so that an interruption here leaves
// files that belong to nothing rather than rows that point at nothing.
void removeLeftovers(TDM &dm, const QString &code)
{
    const QString document = datafile::answerDocument(dm.applicationFolder(), code);
    if (document.isEmpty())
        return;
    QSqlQuery held = dm.exec(QStringLiteral("Select count(*) from TFAQClass Where TypeCode=?"), {TDM::text(code)});
    if (held.next() && held.value(0).toInt() > 0)
        return;
    held.finish();
    // Attachment rows and kept versions are best effort: what cannot be read cannot be shown either.
    QStringList files;
    try {
        files = attachmentFiles(dm, code);
        if (!files.isEmpty())
            dm.exec(QStringLiteral("Delete from TDKFJ Where BillID=?"), {TDM::text(code)});
        deleteHistory(dm, code);
    } catch (const FaqError &) {
        files.clear();
    }
    removeStoredFiles(dm, files);
    QFile leftover(document);
    if (leftover.exists() && !leftover.remove())
        throw FaqError(QStringLiteral("无法删除遗留的应答文档“%1”：%2").arg(leftover.fileName(), leftover.errorString()));
}

} // namespace

QString storedName(const QString &typed)
{
    return textcodec::truncateGb18030(typed, kMaxNameBytes);
}

QString initials(const QString &name)
{
    // Stored the way the name's own bytes are: as GBK text.
    return textcodec::fromGbk(GetPYCode(textcodec::toGbk(name)));
}

void insert(TDM &dm, const NewCategory &category)
{
    removeLeftovers(dm, category.code);
    dm.exec(QStringLiteral("Insert into TFAQClass (TypeCode,TypeName,ParTypeCode,nLeveal,TypePYCode) Values(?,?,?,?,?)"),
            {TDM::text(category.code), TDM::text(category.name), TDM::text(category.parentCode), category.level,
             TDM::text(initials(category.name))});
}

void rename(TDM &dm, const QString &code, const QString &name)
{
    dm.exec(QStringLiteral("Update TFAQClass Set TypeName=?,TypePYCode=? Where TypeCode=?"),
            {TDM::text(name), TDM::text(initials(name)), TDM::text(code)});
}

void remove(TDM &dm, const QString &code)
{
    // Read before the rows go, so the stored files can still be found.
    const QStringList files = attachmentFiles(dm, code);
    deleteRows(dm, code);

    removeStoredFiles(dm, files);
    // Otherwise a later category with the same code would inherit this answer.
    const QString document = datafile::answerDocument(dm.applicationFolder(), code);
    if (!document.isEmpty())
        QFile::remove(document);
}

} // namespace categoryediting
