#pragma once

#include <QString>
#include <QTemporaryDir>
#include <QVariantList>

// A fresh application folder in a temporary place whose path holds Chinese characters and
// blanks: DB/ZYDBFAQ.dat with the real schema, Bak/ and Help/. Rows are added through a
// connection of its own, so the data module under test sees them like an installer's.
class KnowledgeBaseFixture
{
public:
    explicit KnowledgeBaseFixture(bool createDatabase = true);
    ~KnowledgeBaseFixture();

    bool isValid() const { return m_valid; }
    // The application folder, ending in '/'.
    QString folder() const { return m_folder; }
    // A made-up executable inside the folder, for TDM::DataModuleCreate.
    QString executable() const { return m_folder + QStringLiteral("TarkelFAQvuviri"); }
    QString databaseFile() const { return m_folder + QStringLiteral("DB/ZYDBFAQ.dat"); }
    QString dataFile(const QString &name) const { return m_folder + QStringLiteral("DB/") + name; }

    // Runs one statement with bound values on the fixture's own connection; fails the test run
    // (qFatal) when it fails, since a broken fixture would make every later check meaningless.
    void exec(const QString &sql, const QVariantList &values = {});
    void addCategory(const QString &code, const QString &name, const QString &parent, const QVariant &level);
    void addAttachment(const QString &billId, const QString &name, const QString &type, const QString &fileName);
    void dropTable(const QString &table);
    void writeFile(const QString &relative, const QByteArray &bytes);

private:
    QTemporaryDir m_root;
    QString m_folder;
    QString m_connection;
    bool m_valid = false;
};
