#pragma once

#include <QSqlDatabase>
#include <QString>

// The knowledge-base schema. Only the installer (faqkb init) and the test fixtures create it;
// the program itself never creates or alters a table.
namespace schema {

// Creates the three tables on an open, empty database. Throws FaqError on failure.
void createTables(QSqlDatabase &db);

// Creates FOLDER/DB/ZYDBFAQ.dat with the tables and the folders DB, Bak and Help below FOLDER.
// Refuses (FaqError) when the database file exists already; nothing is changed then.
void createKnowledgeBase(const QString &folder);

} // namespace schema
