#pragma once

#include <QObject>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QString>
#include <QVariantList>

#include <functional>

// The data module: fixes the application folder and owns the one database connection ADOLocal
// of the process. Every statement of every window runs through it, and a statement on a closed
// connection opens it first, so a database put in place while the program runs is picked up.
class TDM : public QObject
{
    Q_OBJECT
public:
    // Shown by the entry when the database or its parameter table cannot be opened.
    static const QString kOpenFailedMessage;
    // The connection name inside Qt SQL.
    static const QString kConnectionName;

    explicit TDM(QObject *parent = nullptr);
    ~TDM() override;

    // Runs once, right after the main window exists: sets the application folder from the
    // executable's own file name, builds the connection string and opens ADOLocal, then dsPara.
    // Returns false when opening failed; the caller shows kOpenFailedMessage and goes on.
    bool DataModuleCreate(const QString &executableFilePath);

    // The executable's folder with a trailing separator; empty before DataModuleCreate.
    const QString &applicationFolder() const { return m_applicationFolder; }
    // applicationFolder() + a relative path such as "DB/0001.rtf".
    QString path(const QString &relative) const;
    QString connectionString() const { return m_connectionString; }
    // The database file that the connection string's Data Source names.
    QString databaseFile() const;
    bool isParaOpen() const { return m_paraOpen; }

    // The connection, opened first when it is closed; throws FaqError when it cannot be opened.
    QSqlDatabase &ADOLocal();
    bool isOpen() const;

    // Prepares and runs one statement with bound values on ADOLocal. Throws FaqError with the
    // driver's text when the connection cannot be opened or the statement fails.
    QSqlQuery exec(const QString &sql, const QVariantList &values = {});

    // Runs the statements of work as one transaction: committed when work returns, rolled back
    // when it throws FaqError (which is thrown on) or when the commit fails (FaqError).
    void inTransaction(const std::function<void()> &work);

    // Whether the database has the table (an older knowledge base may lack newer ones).
    bool hasTable(const QString &name);

    // A text value for binding: Qt binds a null QString as SQL NULL, but the knowledge base
    // stores "no parent" as the empty string, which a NULL would never match.
    static QVariant text(const QString &value);

    // Closes ADOLocal; the next statement opens it again.
    void close();

private:
    bool openPara();

    QString m_applicationFolder;
    QString m_connectionString;
    QSqlDatabase m_db;
    bool m_paraOpen = false;
};

// Pieces of the connection string and the reading of its Data Source.
namespace connectionstring {
QString build(const QString &applicationFolder);
// The value of "Data Source=" in an ADO connection string (quoted values allowed).
QString dataSource(const QString &connectionString);
} // namespace connectionstring
