#pragma once

#include <QByteArray>
#include <QDateTime>
#include <QList>
#include <QString>

class TDM;

// Earlier contents of the answer documents, kept in the table TAnswerHistory of the knowledge
// base (so a backup takes them along), so that any saved answer can be brought back. No
// dialogs; failures are thrown as FaqError.
namespace answerhistory {

// Retention: every version of the last 7 days, then the newest of each day back to 90 days,
// at most 50 per category.
inline constexpr int kKeepAllDays = 7;
inline constexpr int kDailyDays = 90;
inline constexpr int kMaxVersions = 50;

struct Version
{
    qint64 id = 0;
    QDateTime savedAt;   // when this content was replaced
    qint64 size = 0;     // bytes of the document
};

// How a version's time is stored: local time, "yyyy-MM-dd HH:mm:ss.zzz", so that stamps order
// and compare as text and their first ten characters are the day.
QString stamp(const QDateTime &time);

// The positions (in the given newest-first list of stamps) that retention keeps at now. Works on
// the stamps as text: converting each to a local time asks the system's time zone every time.
QList<int> retained(const QStringList &newestFirst, const QDateTime &now);

// Writes rtf as the category's answer document DB/<code>.rtf. The document it replaces is kept
// as a version first, in a step of its own that is committed before the file is replaced, so a
// crash leaves the old document, or the new one with the old kept. Nothing is kept when there
// was no document or it is unchanged; a content kept already is not stored twice (its version
// moves to now). The category's versions are pruned here, never when they are read.
void writeDocument(TDM &dm, const QString &code, const QByteArray &rtf, const QDateTime &now = QDateTime::currentDateTime());

// The category's versions, newest first.
QList<Version> versions(TDM &dm, const QString &code);
QByteArray content(TDM &dm, qint64 id);

// The first line of a document's text, for lists.
QString firstLine(const QByteArray &document);

} // namespace answerhistory
