#pragma once

#include <QSqlDatabase>
#include <QString>

// The knowledge-base schema. Only the installer (faqkb init) and the test fixtures create it;
// the program itself creates no table but the answer history, which an older knowledge base
// lacks until its first answer is saved.
namespace schema {

// The answer history: earlier contents of the answer documents, one row per kept version.
// SavedAt is local time as "yyyy-MM-dd HH:mm:ss.zzz"; Rtf the document as zlib data in Qt's
// qCompress format (answers compress five to ten times); Size its length unpacked; Hash a quick
// hash of the unpacked document, to find a content kept already (confirmed byte by byte).
inline const char *const kAnswerHistoryStatements[] = {
    "CREATE TABLE IF NOT EXISTS TAnswerHistory (ID INTEGER PRIMARY KEY AUTOINCREMENT, "
    "TypeCode TEXT NOT NULL, SavedAt TEXT NOT NULL, Hash TEXT NOT NULL, Size INTEGER NOT NULL, Rtf BLOB NOT NULL)",
    "CREATE INDEX IF NOT EXISTS IX_TAnswerHistory_TypeCode ON TAnswerHistory (TypeCode, SavedAt)",
};

// Creates the tables on an open, empty database. Throws FaqError on failure.
void createTables(QSqlDatabase &db);

// Creates FOLDER/DB/ZYDBFAQ.dat with the tables and the folders DB, Bak and Help below FOLDER.
// Refuses (FaqError) when the database file exists already; nothing is changed then.
void createKnowledgeBase(const QString &folder);

} // namespace schema
