#include "storage/Schema.h"

#include "common/FaqError.h"
#include "storage/AppFolder.h"

#include <QDir>
#include <QFileInfo>
#include <QSqlError>
#include <QSqlQuery>
#include <QUuid>

namespace schema {

namespace {

const char *const kStatements[] = {
    "CREATE TABLE TFAQClass (TypeCode TEXT PRIMARY KEY, TypeName TEXT, "
    "ParTypeCode TEXT NOT NULL DEFAULT '', nLeveal INTEGER, TypePYCode TEXT)",
    "CREATE INDEX IX_TFAQClass_ParTypeCode ON TFAQClass (ParTypeCode)",
    "CREATE TABLE TDKFJ (ID INTEGER PRIMARY KEY AUTOINCREMENT, BillID TEXT, FJName TEXT, "
    "ExdName TEXT, FileName TEXT, SortNO INTEGER)",
    "CREATE INDEX IX_TDKFJ_BillID ON TDKFJ (BillID)",
    // SortNO follows the order in which rows are added; the program never writes it.
    "CREATE TRIGGER TDKFJ_SortNO AFTER INSERT ON TDKFJ WHEN NEW.SortNO IS NULL "
    "BEGIN UPDATE TDKFJ SET SortNO = NEW.ID WHERE ID = NEW.ID; END",
    "CREATE TABLE TPara (ID INTEGER PRIMARY KEY, Version TEXT)",
    "INSERT INTO TPara (ID, Version) VALUES (1, '1')",
};

} // namespace

void createTables(QSqlDatabase &db)
{
    if (!db.transaction())
        throw FaqError(QStringLiteral("无法开始事务：%1").arg(db.lastError().text()));
    QSqlQuery query(db);
    for (const char *statement : kStatements) {
        if (!query.exec(QString::fromLatin1(statement))) {
            const QString error = query.lastError().text();
            db.rollback();
            throw FaqError(QStringLiteral("建表失败：%1").arg(error));
        }
    }
    for (const char *statement : kAnswerHistoryStatements) {
        if (!query.exec(QString::fromLatin1(statement))) {
            const QString error = query.lastError().text();
            db.rollback();
            throw FaqError(QStringLiteral("建表失败：%1").arg(error));
        }
    }
    if (!db.commit())
        throw FaqError(QStringLiteral("建表失败：%1").arg(db.lastError().text()));
}

void createKnowledgeBase(const QString &folder)
{
    const QString root = appfolder::folderOf(folder + QStringLiteral("/x"));
    const QString dbFile = root + QLatin1String(appfolder::kDatabaseFile);
    if (QFileInfo::exists(dbFile))
        throw FaqError(QStringLiteral("知识库已存在：%1，未做任何修改。").arg(QDir::toNativeSeparators(dbFile)));

    QDir dir;
    for (const char *sub : {appfolder::kDataFolder, appfolder::kBackupFolder, "Help/"}) {
        if (!dir.mkpath(root + QLatin1String(sub)))
            throw FaqError(QStringLiteral("无法创建文件夹：%1").arg(QDir::toNativeSeparators(root + QLatin1String(sub))));
    }

    // The database is built under a temporary name and renamed into place, so an interrupted
    // init never leaves a half-made knowledge base that a later init would refuse.
    const QString partial = dbFile + QStringLiteral(".partial");
    QFile::remove(partial);
    const QString connection = QStringLiteral("faq-init-") + QUuid::createUuid().toString(QUuid::WithoutBraces);
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), connection);
        db.setDatabaseName(partial);
        if (!db.open())
            throw FaqError(QStringLiteral("无法创建数据库：%1").arg(db.lastError().text()));
        try {
            createTables(db);
        } catch (...) {
            db.close();
            QFile::remove(partial);
            throw;
        }
        db.close();
    }
    QSqlDatabase::removeDatabase(connection);
    if (!QFile::rename(partial, dbFile)) {
        QFile::remove(partial);
        throw FaqError(QStringLiteral("无法创建数据库：%1").arg(QDir::toNativeSeparators(dbFile)));
    }
}

} // namespace schema
