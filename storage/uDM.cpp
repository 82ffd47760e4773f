#include "storage/uDM.h"

#include "common/FaqError.h"
#include "storage/AppFolder.h"

#include <QFileInfo>
#include <QSqlError>
#include <QUrl>

const QString TDM::kOpenFailedMessage = QStringLiteral("请确认您的程序是否安装正确，或者没有安装MDAC数据访问组件！");
const QString TDM::kConnectionName = QStringLiteral("ADOLocal");

namespace connectionstring {

namespace {
const QString kProvider = QStringLiteral("Provider=Microsoft.Jet.OLEDB.4.0;Data Source=");
const QString kDatabaseRelative = QStringLiteral("db\\ZYDBFAQ.dat");
const QString kPersist = QStringLiteral(";Persist Security Info=False");
const QString kPasswordKey = QStringLiteral(";Jet OLEDB:Database Password=");
// SQLite has no database passwords; the piece stays so the string keeps its shape.
const QString kPassword = QStringLiteral("mwtq37159263");
} // namespace

QString build(const QString &applicationFolder)
{
    QString source = applicationFolder + kDatabaseRelative;
    // A value holding ';' must be quoted, or the next key would start inside the folder name.
    if (source.contains(QLatin1Char(';')))
        source = QLatin1Char('"') + source + QLatin1Char('"');
    return kProvider + source + kPersist + kPasswordKey + kPassword;
}

QString dataSource(const QString &connectionString)
{
    static const QString key = QStringLiteral("Data Source=");
    int start = connectionString.indexOf(key, 0, Qt::CaseInsensitive);
    if (start < 0)
        return {};
    start += key.size();
    if (start < connectionString.size() && connectionString[start] == QLatin1Char('"')) {
        const int end = connectionString.indexOf(QLatin1Char('"'), start + 1);
        return connectionString.mid(start + 1, end < 0 ? -1 : end - start - 1);
    }
    const int end = connectionString.indexOf(QLatin1Char(';'), start);
    return connectionString.mid(start, end < 0 ? -1 : end - start);
}

} // namespace connectionstring

TDM::TDM(QObject *parent)
    : QObject(parent)
{
}

TDM::~TDM()
{
    if (m_db.isValid()) {
        m_db.close();
        m_db = QSqlDatabase();
        QSqlDatabase::removeDatabase(kConnectionName);
    }
}

bool TDM::DataModuleCreate(const QString &executableFilePath)
{
    m_applicationFolder = appfolder::folderOf(executableFilePath);
    if (m_db.isValid())
        m_db.close();
    m_connectionString = connectionstring::build(m_applicationFolder);

    m_db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), kConnectionName);
    // The file is opened through a URI with mode=rw so that a missing database is an error
    // instead of a new empty file: the program never creates its own database.
    m_db.setConnectOptions(QStringLiteral("QSQLITE_OPEN_URI;QSQLITE_BUSY_TIMEOUT=3000"));
    m_db.setDatabaseName(QUrl::fromLocalFile(databaseFile()).toString(QUrl::FullyEncoded) + QStringLiteral("?mode=rw"));

    if (!m_db.open())
        return false;
    return openPara();
}

bool TDM::openPara()
{
    // dsPara is read whole and released: an unfinished SELECT would hold SQLite's read lock and
    // keep other processes from writing.
    QSqlQuery para(m_db);
    m_paraOpen = para.exec(QStringLiteral("select * from TPara"));
    while (m_paraOpen && para.next()) {
    }
    return m_paraOpen;
}

QString TDM::path(const QString &relative) const
{
    return m_applicationFolder + relative;
}

QString TDM::databaseFile() const
{
    QString source = connectionstring::dataSource(m_connectionString);
    if (source.startsWith(m_applicationFolder))
        return appfolder::resolveRelative(m_applicationFolder, source.mid(m_applicationFolder.size()));
    return source.replace(QLatin1Char('\\'), QLatin1Char('/'));
}

QSqlDatabase &TDM::ADOLocal()
{
    if (!m_db.isValid())
        throw FaqError(QStringLiteral("数据库连接尚未建立"));
    if (!m_db.isOpen()) {
        // The file may have been put in place (or renamed to its proper case) since the last try.
        m_db.setDatabaseName(QUrl::fromLocalFile(databaseFile()).toString(QUrl::FullyEncoded) + QStringLiteral("?mode=rw"));
        if (!m_db.open())
            throw FaqError(m_db.lastError().text());
    }
    return m_db;
}

bool TDM::isOpen() const
{
    return m_db.isValid() && m_db.isOpen();
}

QSqlQuery TDM::exec(const QString &sql, const QVariantList &values)
{
    QSqlDatabase &db = ADOLocal();
    QSqlQuery query(db);
    // Every reader walks its rows once; a forward-only cursor does not cache them twice.
    query.setForwardOnly(true);
    if (!query.prepare(sql))
        throw FaqError(query.lastError().text());
    for (const QVariant &value : values)
        query.addBindValue(value);
    if (!query.exec())
        throw FaqError(query.lastError().text());
    return query;
}

void TDM::inTransaction(const std::function<void()> &work)
{
    QSqlDatabase &db = ADOLocal();
    if (!db.transaction())
        throw FaqError(db.lastError().text());
    try {
        work();
    } catch (const FaqError &) {
        db.rollback();
        throw;
    }
    if (!db.commit()) {
        const QString reason = db.lastError().text();
        db.rollback();
        throw FaqError(reason);
    }
}

bool TDM::hasTable(const QString &name)
{
    QSqlQuery query = exec(QStringLiteral("Select count(*) from sqlite_master Where type='table' and name=?"), {name});
    return query.next() && query.value(0).toInt() > 0;
}

QVariant TDM::text(const QString &value)
{
    return value.isNull() ? QVariant(QStringLiteral("")) : QVariant(value);
}

void TDM::close()
{
    if (m_db.isValid())
        m_db.close();
}
