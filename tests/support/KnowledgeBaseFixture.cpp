#include "KnowledgeBaseFixture.h"

#include "storage/Schema.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QUuid>

KnowledgeBaseFixture::KnowledgeBaseFixture(bool createDatabase)
    : m_root(QDir::tempPath() + QStringLiteral("/快答 知识库 XXXXXX"))
{
    if (!m_root.isValid())
        return;
    m_folder = m_root.path() + QStringLiteral("/应用 目录/");
    if (createDatabase) {
        schema::createKnowledgeBase(m_folder);
    } else {
        QDir().mkpath(m_folder + QStringLiteral("DB"));
    }
    m_connection = QStringLiteral("fixture-") + QUuid::createUuid().toString(QUuid::WithoutBraces);
    m_valid = true;
}

KnowledgeBaseFixture::~KnowledgeBaseFixture()
{
    if (QSqlDatabase::contains(m_connection)) {
        QSqlDatabase::database(m_connection, false).close();
        QSqlDatabase::removeDatabase(m_connection);
    }
}

void KnowledgeBaseFixture::exec(const QString &sql, const QVariantList &values)
{
    {
        QSqlDatabase db = QSqlDatabase::contains(m_connection)
            ? QSqlDatabase::database(m_connection, false)
            : QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), m_connection);
        db.setDatabaseName(databaseFile());
        if (!db.isOpen() && !db.open())
            qFatal("fixture: cannot open %s", qPrintable(databaseFile()));
        QSqlQuery query(db);
        query.prepare(sql);
        for (const QVariant &value : values)
            query.addBindValue(value);
        if (!query.exec())
            qFatal("fixture: %s: %s", qPrintable(sql), qPrintable(query.lastError().text()));
    }
    // Closed after each statement, so no lock or cached schema outlives it.
    QSqlDatabase::database(m_connection, false).close();
}

void KnowledgeBaseFixture::addCategory(const QString &code, const QString &name, const QString &parent, const QVariant &level)
{
    exec(QStringLiteral("Insert into TFAQClass (TypeCode,TypeName,ParTypeCode,nLeveal,TypePYCode) Values(?,?,?,?,'')"),
         {code, name, parent.isNull() ? QStringLiteral("") : parent, level});
}

void KnowledgeBaseFixture::addAttachment(const QString &billId, const QString &name, const QString &type, const QString &fileName)
{
    exec(QStringLiteral("Insert into TDKFJ (BillID,FJName,ExdName,FileName) Values(?,?,?,?)"),
         {billId, name, type, fileName});
}

void KnowledgeBaseFixture::dropTable(const QString &table)
{
    exec(QStringLiteral("DROP TABLE ") + table);
}

void KnowledgeBaseFixture::writeFile(const QString &relative, const QByteArray &bytes)
{
    const QString path = m_folder + relative;
    QDir().mkpath(QFileInfo(path).absolutePath());
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size())
        qFatal("fixture: cannot write %s", qPrintable(path));
}
