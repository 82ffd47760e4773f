#include "KnowledgeBaseFixture.h"
#include "common/FaqError.h"
#include "common/TextCodec.h"
#include "storage/uDM.h"
#include "tree/CategoryEditing.h"

#include <QDir>
#include <QFile>
#include <QSqlQuery>
#include <QSqlRecord>
#include <QTest>

using namespace categoryediting;

namespace {

// Rows read through the data module under test, each row's values joined by '|'.
QStringList rows(TDM &dm, const QString &sql)
{
    QStringList result;
    QSqlQuery query = dm.exec(sql);
    while (query.next()) {
        QStringList row;
        for (int i = 0; i < query.record().count(); ++i)
            row << (query.isNull(i) ? QStringLiteral("<null>") : query.value(i).toString());
        result << row.join(QLatin1Char('|'));
    }
    return result;
}

QStringList categories(TDM &dm)
{
    return rows(dm, QStringLiteral("select TypeCode, TypeName, ParTypeCode, nLeveal, TypePYCode from TFAQClass order by TypeCode"));
}

} // namespace

class TestCategoryChanges : public QObject
{
    Q_OBJECT
private slots:
    void storedName_data();
    void storedName();
    void initials_data();
    void initials();
    void insertWritesEveryColumn_data();
    void insertWritesEveryColumn();
    void valuesNeverBecomeSql_data();
    void valuesNeverBecomeSql();
    void failedStatementsAreThrown();
    void removeTakesRowsFilesAndDocument();
    void removeFollowsOnlyPlainFileNames();
    void insertRemovesWhatTheCodeStillHad();
    void failedRemoveChangesNothing_data();
    void failedRemoveChangesNothing();
};

void TestCategoryChanges::storedName_data()
{
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("stored");
    const QString chinese = QStringLiteral("售后服务退货退款发票开具维修保修");   // 16 characters
    QTest::newRow("short") << QStringLiteral("退货") << QStringLiteral("退货");
    QTest::newRow("30 ASCII") << QString(30, QLatin1Char('a')) << QString(30, QLatin1Char('a'));
    QTest::newRow("31 ASCII") << QString(31, QLatin1Char('a')) << QString(30, QLatin1Char('a'));
    QTest::newRow("15 Chinese") << chinese.left(15) << chinese.left(15);
    QTest::newRow("16 Chinese") << chinese << chinese.left(15);
    QTest::newRow("cut inside a character") << QStringLiteral("a") + chinese << QStringLiteral("a") + chinese.left(14);
    QTest::newRow("14 Chinese and two letters") << chinese.left(14) + QStringLiteral("xy") << chinese.left(14) + QStringLiteral("xy");
    QTest::newRow("blanks kept") << QStringLiteral("  ") << QStringLiteral("  ");
    // Outside GBK a character takes four bytes and stays itself.
    QTest::newRow("emoji kept whole") << QStringLiteral("售后😀") << QStringLiteral("售后😀");
    QTest::newRow("emoji fills the last four bytes") << chinese.left(13) + QStringLiteral("😀x") << chinese.left(13) + QStringLiteral("😀");
    QTest::newRow("emoji past the cut") << chinese.left(14) + QStringLiteral("😀") << chinese.left(14);
    QTest::newRow("Hangul") << QStringLiteral("한국어고객센터안내문의사항정리본") << QStringLiteral("한국어고객센터");
    QTest::newRow("GBK's own symbols") << QStringLiteral("①②③") << QStringLiteral("①②③");
    QTest::newRow("empty") << QString() << QString();
}

void TestCategoryChanges::storedName()
{
    QFETCH(QString, typed);
    QFETCH(QString, stored);
    const QString result = categoryediting::storedName(typed);
    QCOMPARE(result, stored);
    QVERIFY(textcodec::toGbk(result).size() <= kMaxNameBytes);
}

void TestCategoryChanges::initials_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("initials");
    QTest::newRow("worked example") << QStringLiteral("售后服务") << QStringLiteral("SHFW");
    QTest::newRow("child example") << QStringLiteral("退货") << QStringLiteral("TH");
    QTest::newRow("letters and digits kept") << QStringLiteral("VIP客户2") << QStringLiteral("VIPKH2");
    QTest::newRow("quote kept") << QStringLiteral("价格'表") << QStringLiteral("JG'B");
    QTest::newRow("empty") << QString() << QString();
}

void TestCategoryChanges::initials()
{
    QFETCH(QString, name);
    QFETCH(QString, initials);
    QCOMPARE(categoryediting::initials(name), initials);
}

void TestCategoryChanges::insertWritesEveryColumn_data()
{
    QTest::addColumn<QString>("code");
    QTest::addColumn<QString>("parent");
    QTest::addColumn<int>("level");
    QTest::addColumn<QString>("row");
    QTest::newRow("top level: parent is '' not NULL") << "0003" << QString() << 0 << "0003|售后服务||0|SHFW";
    QTest::newRow("child") << "00030002" << "0003" << 1 << "00030002|售后服务|0003|1|SHFW";
    QTest::newRow("grandchild") << "000300020001" << "00030002" << 2 << "000300020001|售后服务|00030002|2|SHFW";
}

void TestCategoryChanges::insertWritesEveryColumn()
{
    QFETCH(QString, code);
    QFETCH(QString, parent);
    QFETCH(int, level);
    QFETCH(QString, row);
    KnowledgeBaseFixture kb;
    TDM dm;
    QVERIFY(dm.DataModuleCreate(kb.executable()));
    insert(dm, {code, QStringLiteral("售后服务"), parent, level});
    QCOMPARE(categories(dm), QStringList{row});
}

void TestCategoryChanges::valuesNeverBecomeSql_data()
{
    QTest::addColumn<QString>("name");
    QTest::newRow("quote") << QStringLiteral("it's");
    QTest::newRow("double quote") << QStringLiteral("\"x\"");
    QTest::newRow("closing the values") << QStringLiteral("x','',0,'');--");
    QTest::newRow("renaming every row") << QStringLiteral("x',TypePYCode='' --");
    QTest::newRow("second statement") << QStringLiteral("'; Delete from TFAQClass; --");
}

void TestCategoryChanges::valuesNeverBecomeSql()
{
    QFETCH(QString, name);
    KnowledgeBaseFixture kb;
    kb.addCategory(QStringLiteral("0001"), QStringLiteral("售前"), QString(), 0);
    TDM dm;
    QVERIFY(dm.DataModuleCreate(kb.executable()));

    insert(dm, {QStringLiteral("0002"), name, QString(), 0});
    rename(dm, QStringLiteral("0001"), name + QStringLiteral("!"));
    const QString pinyin = categoryediting::initials(name);
    QCOMPARE(categories(dm), (QStringList{QStringLiteral("0001|%1!||0|%2!").arg(name, pinyin),
                                          QStringLiteral("0002|%1||0|%2").arg(name, pinyin)}));
    // A code holding a quote matches nothing rather than every row.
    rename(dm, QStringLiteral("' or '1'='1"), QStringLiteral("全部"));
    remove(dm, QStringLiteral("' or '1'='1"));
    QCOMPARE(categories(dm).size(), 2);
    QVERIFY(!categories(dm).join(QString()).contains(QStringLiteral("全部")));
}

void TestCategoryChanges::failedStatementsAreThrown()
{
    KnowledgeBaseFixture kb;
    kb.addCategory(QStringLiteral("0001"), QStringLiteral("售前"), QString(), 0);
    TDM dm;
    QVERIFY(dm.DataModuleCreate(kb.executable()));
    // The code is the key: a second row under it is refused.
    QVERIFY_THROWS_EXCEPTION(FaqError, insert(dm, {QStringLiteral("0001"), QStringLiteral("重复"), QString(), 0}));
    kb.exec(QStringLiteral("CREATE TRIGGER no_update BEFORE UPDATE ON TFAQClass BEGIN SELECT RAISE(ABORT, 'no'); END"));
    QVERIFY_THROWS_EXCEPTION(FaqError, rename(dm, QStringLiteral("0001"), QStringLiteral("新")));
    QCOMPARE(categories(dm), QStringList{QStringLiteral("0001|售前||0|")});
}

void TestCategoryChanges::removeTakesRowsFilesAndDocument()
{
    KnowledgeBaseFixture kb;
    kb.addCategory(QStringLiteral("0001"), QStringLiteral("售前"), QString(), 0);
    kb.addCategory(QStringLiteral("0002"), QStringLiteral("售后"), QString(), 0);
    kb.addAttachment(QStringLiteral("0002"), QStringLiteral("a.doc"), QStringLiteral("doc"), QStringLiteral("1.doc"));
    kb.addAttachment(QStringLiteral("0001"), QStringLiteral("b.doc"), QStringLiteral("doc"), QStringLiteral("2.doc"));
    kb.addAttachment(QStringLiteral("0002"), QStringLiteral("c.xls"), QStringLiteral("xls"), QStringLiteral("3.xls"));
    // The second stored copy is already gone: passed over.
    for (const char *file : {"DB/1.doc", "DB/2.doc", "DB/0001.rtf", "DB/0002.rtf"})
        kb.writeFile(QString::fromLatin1(file), "data");
    TDM dm;
    QVERIFY(dm.DataModuleCreate(kb.executable()));

    remove(dm, QStringLiteral("0002"));
    QCOMPARE(categories(dm), QStringList{QStringLiteral("0001|售前||0|")});
    QCOMPARE(rows(dm, QStringLiteral("select BillID, FileName from TDKFJ")), QStringList{QStringLiteral("0001|2.doc")});
    QCOMPARE(QDir(kb.folder() + QStringLiteral("DB")).entryList(QDir::Files, QDir::Name),
             (QStringList{QStringLiteral("0001.rtf"), QStringLiteral("2.doc"), QStringLiteral("ZYDBFAQ.dat")}));
}

void TestCategoryChanges::removeFollowsOnlyPlainFileNames()
{
    KnowledgeBaseFixture kb;
    kb.addCategory(QStringLiteral("0001"), QStringLiteral("售前"), QString(), 0);
    kb.addAttachment(QStringLiteral("0001"), QStringLiteral("a"), QStringLiteral("a"), QStringLiteral("../outside.txt"));
    kb.addAttachment(QStringLiteral("0001"), QStringLiteral("b"), QStringLiteral("b"), QString());
    kb.writeFile(QStringLiteral("outside.txt"), "keep");
    TDM dm;
    QVERIFY(dm.DataModuleCreate(kb.executable()));

    remove(dm, QStringLiteral("0001"));
    QVERIFY(categories(dm).isEmpty());
    QVERIFY(rows(dm, QStringLiteral("select * from TDKFJ")).isEmpty());
    QVERIFY(QFile::exists(kb.folder() + QStringLiteral("outside.txt")));
    QVERIFY(QFile::exists(kb.databaseFile()));
}

void TestCategoryChanges::insertRemovesWhatTheCodeStillHad()
{
    KnowledgeBaseFixture kb;
    kb.addCategory(QStringLiteral("0001"), QStringLiteral("售前"), QString(), 0);
    // 0002 was deleted by a run killed after its commit: its answer and a stored file stayed.
    // A clearing left an attachment row under it too. 0001's own things must stay.
    kb.writeFile(QStringLiteral("DB/0002.rtf"), "{\\rtf1\\ansi deleted answer}");
    kb.addAttachment(QStringLiteral("0002"), QStringLiteral("旧.doc"), QStringLiteral("doc"), QStringLiteral("2.doc"));
    kb.writeFile(QStringLiteral("DB/2.doc"), "old");
    kb.writeFile(QStringLiteral("DB/0001.rtf"), "{\\rtf1\\ansi live answer}");
    kb.addAttachment(QStringLiteral("0001"), QStringLiteral("价目表.xls"), QStringLiteral("xls"), QStringLiteral("1.xls"));
    kb.writeFile(QStringLiteral("DB/1.xls"), "live");
    TDM dm;
    QVERIFY(dm.DataModuleCreate(kb.executable()));

    insert(dm, {QStringLiteral("0002"), QStringLiteral("售后"), QString(), 0});
    QVERIFY(!QFile::exists(kb.dataFile(QStringLiteral("0002.rtf"))));
    QVERIFY(!QFile::exists(kb.dataFile(QStringLiteral("2.doc"))));
    QCOMPARE(rows(dm, QStringLiteral("select BillID, FileName from TDKFJ")), QStringList{QStringLiteral("0001|1.xls")});
    QVERIFY(QFile::exists(kb.dataFile(QStringLiteral("0001.rtf"))));
    QVERIFY(QFile::exists(kb.dataFile(QStringLiteral("1.xls"))));

    // A code that a row holds is never cleaned: the insert fails and the live answer stays.
    QVERIFY_THROWS_EXCEPTION(FaqError, insert(dm, {QStringLiteral("0001"), QStringLiteral("重复"), QString(), 0}));
    QVERIFY(QFile::exists(kb.dataFile(QStringLiteral("0001.rtf"))));
    QCOMPARE(rows(dm, QStringLiteral("select BillID from TDKFJ")), QStringList{QStringLiteral("0001")});

    // A leftover answer that cannot be removed keeps the code from being handed out.
    QDir().mkpath(kb.dataFile(QStringLiteral("0003.rtf/blocker")));
    QVERIFY_THROWS_EXCEPTION(FaqError, insert(dm, {QStringLiteral("0003"), QStringLiteral("投诉"), QString(), 0}));
    QCOMPARE(categories(dm).size(), 2);
}

void TestCategoryChanges::failedRemoveChangesNothing_data()
{
    QTest::addColumn<QString>("breakage");
    QTest::newRow("category row refused")
        << "CREATE TRIGGER no_delete BEFORE DELETE ON TFAQClass BEGIN SELECT RAISE(ABORT, 'no'); END";
    QTest::newRow("attachment rows refused")
        << "CREATE TRIGGER no_delete BEFORE DELETE ON TDKFJ BEGIN SELECT RAISE(ABORT, 'no'); END";
    QTest::newRow("attachment table missing") << "DROP TABLE TDKFJ";
}

void TestCategoryChanges::failedRemoveChangesNothing()
{
    QFETCH(QString, breakage);
    KnowledgeBaseFixture kb;
    kb.addCategory(QStringLiteral("0001"), QStringLiteral("售前"), QString(), 0);
    kb.addAttachment(QStringLiteral("0001"), QStringLiteral("a.doc"), QStringLiteral("doc"), QStringLiteral("1.doc"));
    kb.writeFile(QStringLiteral("DB/1.doc"), "data");
    kb.writeFile(QStringLiteral("DB/0001.rtf"), "data");
    kb.exec(breakage);
    TDM dm;
    QVERIFY(dm.DataModuleCreate(kb.executable()));

    QVERIFY_THROWS_EXCEPTION(FaqError, remove(dm, QStringLiteral("0001")));
    QCOMPARE(categories(dm), QStringList{QStringLiteral("0001|售前||0|")});
    QVERIFY(QFile::exists(kb.dataFile(QStringLiteral("1.doc"))));
    QVERIFY(QFile::exists(kb.dataFile(QStringLiteral("0001.rtf"))));
    // The connection is usable afterwards: no transaction was left open.
    insert(dm, {QStringLiteral("0002"), QStringLiteral("售后"), QString(), 0});
    dm.close();
    QCOMPARE(categories(dm).size(), 2);
}

QTEST_MAIN(TestCategoryChanges)
#include "tst_categorychanges.moc"
