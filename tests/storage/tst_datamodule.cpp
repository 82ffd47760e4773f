#include "KnowledgeBaseFixture.h"
#include "common/FaqError.h"
#include "storage/AppFolder.h"
#include "storage/Schema.h"
#include "storage/DataFile.h"
#include "storage/uDM.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QSqlQuery>
#include <QTest>

class TestDataModule : public QObject
{
    Q_OBJECT
private slots:
    void storedNamesBecomePathsOnlyInsideTheDataFolder_data();
    void storedNamesBecomePathsOnlyInsideTheDataFolder();
    void connectionStringFromItsPieces_data();
    void connectionStringFromItsPieces();
    void resolvesTheDataFolderWithoutRegardToCase();
    void opensTheKnowledgeBaseBesideTheExecutable();
    void missingDatabaseIsNotCreatedAndIsOpenedOnceInPlace();
    void databaseWithoutParaTableStillServesStatements();
    void fileThatIsNoDatabaseFailsTheStart();
    void statementsTakeValuesAsBoundParameters();
    void applicationFolderComesFromTheExecutable();
};

void TestDataModule::connectionStringFromItsPieces_data()
{
    QTest::addColumn<QString>("folder");
    QTest::addColumn<QString>("expected");
    QTest::newRow("plain") << QStringLiteral("/opt/faq/")
                           << QStringLiteral("Provider=Microsoft.Jet.OLEDB.4.0;Data Source=/opt/faq/db\\ZYDBFAQ.dat"
                                             ";Persist Security Info=False;Jet OLEDB:Database Password=mwtq37159263");
    QTest::newRow("chinese and blanks") << QStringLiteral("/home/客服 一组/快答 /")
                                        << QStringLiteral("Provider=Microsoft.Jet.OLEDB.4.0;Data Source=/home/客服 一组/快答 /db\\ZYDBFAQ.dat"
                                                          ";Persist Security Info=False;Jet OLEDB:Database Password=mwtq37159263");
    QTest::newRow("semicolon quoted") << QStringLiteral("/a;b/")
                                      << QStringLiteral("Provider=Microsoft.Jet.OLEDB.4.0;Data Source=\"/a;b/db\\ZYDBFAQ.dat\""
                                                        ";Persist Security Info=False;Jet OLEDB:Database Password=mwtq37159263");
}

void TestDataModule::connectionStringFromItsPieces()
{
    QFETCH(QString, folder);
    QFETCH(QString, expected);
    const QString built = connectionstring::build(folder);
    QCOMPARE(built, expected);
    QCOMPARE(connectionstring::dataSource(built), folder + QStringLiteral("db\\ZYDBFAQ.dat"));
}

void TestDataModule::resolvesTheDataFolderWithoutRegardToCase()
{
    KnowledgeBaseFixture kb;
    QCOMPARE(appfolder::resolveRelative(kb.folder(), QStringLiteral("db\\ZYDBFAQ.dat")), kb.databaseFile());
    QCOMPARE(appfolder::resolveRelative(kb.folder(), QStringLiteral("db\\zydbfaq.DAT")), kb.databaseFile());
    // A name that exists in no spelling stays as written.
    QCOMPARE(appfolder::resolveRelative(kb.folder(), QStringLiteral("db\\new.rtf")), kb.folder() + QStringLiteral("DB/new.rtf"));
}

void TestDataModule::opensTheKnowledgeBaseBesideTheExecutable()
{
    KnowledgeBaseFixture kb;
    kb.addCategory(QStringLiteral("0001"), QStringLiteral("售前咨询"), QString(), 0);
    TDM dm;
    QVERIFY(dm.DataModuleCreate(kb.executable()));
    QCOMPARE(dm.applicationFolder(), kb.folder());
    QCOMPARE(dm.databaseFile(), kb.databaseFile());
    QVERIFY(dm.isOpen());
    QVERIFY(dm.isParaOpen());
    QSqlQuery query = dm.exec(QStringLiteral("select TypeName from TFAQClass"));
    QVERIFY(query.next());
    QCOMPARE(query.value(0).toString(), QStringLiteral("售前咨询"));
}

void TestDataModule::missingDatabaseIsNotCreatedAndIsOpenedOnceInPlace()
{
    KnowledgeBaseFixture empty(false);
    TDM dm;
    QVERIFY(!dm.DataModuleCreate(empty.executable()));
    QVERIFY(!dm.isOpen());
    QVERIFY_THROWS_EXCEPTION(FaqError, dm.exec(QStringLiteral("select * from TFAQClass")));
    // The program never makes its own database, not even an empty file.
    QVERIFY(!QFileInfo::exists(empty.databaseFile()));

    // An installer puts the knowledge base in place while the program runs.
    schema::createKnowledgeBase(empty.folder());
    empty.addCategory(QStringLiteral("0001"), QStringLiteral("新分类"), QString(), 0);
    QSqlQuery query = dm.exec(QStringLiteral("select count(*) from TFAQClass"));
    QVERIFY(query.next());
    QCOMPARE(query.value(0).toInt(), 1);
    QVERIFY(dm.isOpen());
}

void TestDataModule::databaseWithoutParaTableStillServesStatements()
{
    KnowledgeBaseFixture kb;
    kb.dropTable(QStringLiteral("TPara"));
    kb.addCategory(QStringLiteral("0001"), QStringLiteral("售后服务"), QString(), 0);
    TDM dm;
    QVERIFY(!dm.DataModuleCreate(kb.executable()));
    QVERIFY(dm.isOpen());
    QVERIFY(!dm.isParaOpen());
    QSqlQuery query = dm.exec(QStringLiteral("select TypeName from TFAQClass"));
    QVERIFY(query.next());
    QCOMPARE(query.value(0).toString(), QStringLiteral("售后服务"));
}

void TestDataModule::fileThatIsNoDatabaseFailsTheStart()
{
    KnowledgeBaseFixture empty(false);
    empty.writeFile(QStringLiteral("DB/ZYDBFAQ.dat"), QByteArray("not a database, just text\n").repeated(50));
    TDM dm;
    QVERIFY(!dm.DataModuleCreate(empty.executable()));
    QVERIFY_THROWS_EXCEPTION(FaqError, dm.exec(QStringLiteral("select * from TFAQClass")));
}

void TestDataModule::statementsTakeValuesAsBoundParameters()
{
    KnowledgeBaseFixture kb;
    kb.addCategory(QStringLiteral("0001"), QStringLiteral("甲"), QString(), 0);
    kb.addCategory(QStringLiteral("0002"), QStringLiteral("乙"), QString(), 0);
    TDM dm;
    QVERIFY(dm.DataModuleCreate(kb.executable()));
    const QString hostile = QStringLiteral("x' or '1'='1'; --");
    QSqlQuery query = dm.exec(QStringLiteral("select count(*) from TFAQClass where TypeCode=?"), {hostile});
    QVERIFY(query.next());
    QCOMPARE(query.value(0).toInt(), 0);
}

void TestDataModule::applicationFolderComesFromTheExecutable()
{
    // The probe is copied into a folder with Chinese characters and blanks and started from
    // another working directory, which holds a different knowledge base of its own.
    KnowledgeBaseFixture kb;
    kb.addCategory(QStringLiteral("0001"), QStringLiteral("售前咨询"), QString(), 0);
    kb.addCategory(QStringLiteral("0002"), QStringLiteral("售后服务"), QString(), 0);
    KnowledgeBaseFixture elsewhere;

    const QString probe = kb.folder() + QStringLiteral("探针 probe");
    QVERIFY(QFile::copy(QStringLiteral(APPFOLDER_PROBE), probe));
    QFile::setPermissions(probe, QFile::permissions(probe) | QFileDevice::ExeOwner);

    QProcess process;
    process.setWorkingDirectory(elsewhere.folder());
    process.start(probe, {});
    QVERIFY(process.waitForFinished(30000));
    QCOMPARE(process.exitCode(), 0);
    const QStringList lines = QString::fromUtf8(process.readAllStandardOutput()).split(QLatin1Char('\n'));
    QCOMPARE(lines.value(0), kb.folder());
    QCOMPARE(lines.value(1), QStringLiteral("1"));
    QCOMPARE(lines.value(2), QStringLiteral("2"));
}

void TestDataModule::storedNamesBecomePathsOnlyInsideTheDataFolder_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<bool>("accepted");
    QTest::newRow("stamp name") << QStringLiteral("20240315093007.xls") << true;
    QTest::newRow("clash suffix") << QStringLiteral("20240315093007_1.xls") << true;
    QTest::newRow("Chinese and blanks") << QStringLiteral("价格表 2024.xlsx") << true;
    QTest::newRow("fourteen digits .rtf") << QStringLiteral("20240315093007.rtf") << true;
    QTest::newRow("empty") << QString() << false;
    QTest::newRow("dot") << QStringLiteral(".") << false;
    QTest::newRow("dot dot") << QStringLiteral("..") << false;
    QTest::newRow("parent step") << QStringLiteral("../victim.txt") << false;
    QTest::newRow("absolute") << QStringLiteral("/etc/passwd") << false;
    QTest::newRow("drive letter") << QStringLiteral("C:\\x") << false;
    QTest::newRow("drive relative") << QStringLiteral("C:x") << false;
    QTest::newRow("backslash") << QStringLiteral("a\\b") << false;
    QTest::newRow("newline") << QStringLiteral("a\nb") << false;
    QTest::newRow("the database") << QStringLiteral("ZYDBFAQ.dat") << false;
    QTest::newRow("the database, other case") << QStringLiteral("zydbfaq.DAT") << false;
    QTest::newRow("its journal") << QStringLiteral("ZYDBFAQ.dat-journal") << false;
    QTest::newRow("an answer document") << QStringLiteral("0001.rtf") << false;
    QTest::newRow("a level-2 answer") << QStringLiteral("000100020003.RTF") << false;
}

void TestDataModule::storedNamesBecomePathsOnlyInsideTheDataFolder()
{
    QFETCH(QString, name);
    QFETCH(bool, accepted);
    const QString folder = QStringLiteral("/srv/快答/");
    QCOMPARE(datafile::dataFile(folder, name), accepted ? folder + QStringLiteral("DB/") + name : QString());

    // Category codes: 4, 8 or 12 digits, nothing else.
    QCOMPARE(datafile::answerDocument(folder, QStringLiteral("00010002")), folder + QStringLiteral("DB/00010002.rtf"));
    for (const QString &bad : {QStringLiteral("../../x"), QStringLiteral("001"), QStringLiteral("00010"), QStringLiteral("0001000200030004"),
                               QStringLiteral("00a1"), QString()})
        QVERIFY2(datafile::answerDocument(folder, bad).isEmpty(), qPrintable(bad));
}

QTEST_GUILESS_MAIN(TestDataModule)
#include "tst_datamodule.moc"
