#include "answers/AnswerHistory.h"

#include "answers/AnswerDocument.h"
#include "common/FaqError.h"
#include "storage/AppFolder.h"
#include "storage/Schema.h"
#include "storage/uDM.h"

#include <QHashFunctions>
#include <QFile>
#include <QSet>
#include <QSqlQuery>
#include <QTextDocument>

namespace answerhistory {

namespace {

const QString kTimeFormat = QStringLiteral("yyyy-MM-dd HH:mm:ss.zzz");

// Once per database file and run: the statements are cheap, but a save need not repeat them.
void ensureTable(TDM &dm)
{
    static QSet<QString> ensured;
    const QString file = dm.databaseFile();
    if (ensured.contains(file))
        return;
    for (const char *statement : schema::kAnswerHistoryStatements)
        dm.exec(QString::fromLatin1(statement));
    ensured.insert(file);
}

// Fast and stable for a given build; a content is confirmed byte by byte before it counts as
// kept already, so a hash that differs elsewhere only costs a second copy.
QString hashOf(const QByteArray &bytes)
{
    return QString::number(qulonglong(qHashBits(bytes.constData(), size_t(bytes.size()), 0)), 16);
}

// Speed over size: level 1 packs an answer about as well as the default, in half the time.
constexpr int kPackLevel = 1;

QByteArray unpack(const QByteArray &stored)
{
    const QByteArray document = qUncompress(stored);
    if (document.isEmpty() && !stored.isEmpty() && stored != qCompress(QByteArray(), kPackLevel))
        throw FaqError(QStringLiteral("历史版本已损坏，无法读取。"));
    return document;
}

qint64 keptAlready(TDM &dm, const QString &code, const QByteArray &previous, const QString &hash)
{
    QSqlQuery same = dm.exec(QStringLiteral("Select ID, Rtf from TAnswerHistory Where TypeCode=? and Hash=? and Size=?"),
                             {TDM::text(code), hash, previous.size()});
    while (same.next()) {
        if (qUncompress(same.value(1).toByteArray()) == previous)
            return same.value(0).toLongLong();
    }
    return 0;
}

void keepAndPrune(TDM &dm, const QString &code, const QByteArray &previous, const QDateTime &now)
{
    const QString hash = hashOf(previous);
    const QString savedAt = stamp(now);
    if (const qint64 sameId = keptAlready(dm, code, previous, hash))
        dm.exec(QStringLiteral("Update TAnswerHistory Set SavedAt=? Where ID=?"), {savedAt, sameId});
    else
        dm.exec(QStringLiteral("Insert into TAnswerHistory (TypeCode,SavedAt,Hash,Size,Rtf) Values(?,?,?,?,?)"),
                {TDM::text(code), savedAt, hash, previous.size(), qCompress(previous, kPackLevel)});

    QList<qint64> ids;
    QStringList times;
    QSqlQuery kept = dm.exec(QStringLiteral("Select ID, SavedAt from TAnswerHistory Where TypeCode=? Order by SavedAt desc, ID desc"),
                             {TDM::text(code)});
    while (kept.next()) {
        ids << kept.value(0).toLongLong();
        times << kept.value(1).toString();
    }
    const QList<int> keep = retained(times, now);
    const QSet<int> keepSet(keep.begin(), keep.end());
    for (int i = 0; i < ids.size(); ++i) {
        if (!keepSet.contains(i))
            dm.exec(QStringLiteral("Delete from TAnswerHistory Where ID=?"), {ids[i]});
    }
}

} // namespace

QString stamp(const QDateTime &time)
{
    return time.toString(kTimeFormat);
}

QList<int> retained(const QStringList &newestFirst, const QDateTime &now)
{
    QList<int> keep;
    QSet<QStringView> daysSeen;
    const QString keepAllSince = stamp(now.addDays(-kKeepAllDays));
    const QString dailySince = stamp(now.addDays(-kDailyDays));
    for (int i = 0; i < newestFirst.size() && keep.size() < kMaxVersions; ++i) {
        const QString &time = newestFirst[i];
        if (time.size() != kTimeFormat.size() || time < dailySince)
            continue;
        if (time >= keepAllSince) {
            keep << i;
            continue;
        }
        // Older than a week: only the newest version of its day.
        const QStringView day = QStringView(time).left(10);
        if (!daysSeen.contains(day)) {
            daysSeen.insert(day);
            keep << i;
        }
    }
    return keep;
}

void writeDocument(TDM &dm, const QString &code, const QByteArray &rtf, const QDateTime &now)
{
    const QString path = answerdocument::path(dm.applicationFolder(), code);
    if (path.isEmpty())
        throw FaqError(QStringLiteral("分类代码“%1”无效，应答文档不能写入。").arg(code));
    QFile current(path);
    if (current.exists()) {
        if (!current.open(QIODevice::ReadOnly))
            throw FaqError(QStringLiteral("无法读取应答文档“%1”以保留历史版本：%2").arg(path, current.errorString()));
        const QByteArray previous = current.readAll();
        current.close();
        if (previous != rtf) {
            try {
                ensureTable(dm);
                dm.inTransaction([&] { keepAndPrune(dm, code, previous, now); });
            } catch (const FaqError &error) {
                // The document is not replaced while its content could not be kept.
                throw FaqError(QStringLiteral("无法保留应答文档的历史版本，文档未保存：%1").arg(error.message()));
            }
        }
    }
    answerdocument::writeFile(path, rtf);
}

QList<Version> versions(TDM &dm, const QString &code)
{
    QList<Version> list;
    if (!dm.hasTable(QStringLiteral("TAnswerHistory")))
        return list;
    QSqlQuery query = dm.exec(QStringLiteral("Select ID, SavedAt, Size from TAnswerHistory Where TypeCode=? "
                                             "Order by SavedAt desc, ID desc"),
                              {TDM::text(code)});
    while (query.next())
        list << Version{query.value(0).toLongLong(), QDateTime::fromString(query.value(1).toString(), kTimeFormat),
                        query.value(2).toLongLong()};
    return list;
}

QByteArray content(TDM &dm, qint64 id)
{
    QSqlQuery query = dm.exec(QStringLiteral("Select Rtf from TAnswerHistory Where ID=?"), {id});
    if (!query.next())
        throw FaqError(QStringLiteral("历史版本已不存在。"));
    return unpack(query.value(0).toByteArray());
}

QString firstLine(const QByteArray &document)
{
    QTextDocument doc;
    answerdocument::read(document, &doc);
    const QStringList lines = doc.toPlainText().split(QLatin1Char('\n'));
    for (const QString &line : lines) {
        if (!line.trimmed().isEmpty())
            return line.trimmed();
    }
    return QString();
}

} // namespace answerhistory
