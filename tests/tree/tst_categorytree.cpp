#include "KnowledgeBaseFixture.h"
#include "common/FaqError.h"
#include "storage/uDM.h"
#include "tree/CategoryCodes.h"
#include "tree/CategoryRows.h"

#include <QTest>

using namespace categorycodes;

namespace {
struct Row
{
    QString code;
    QVariant level;   // an invalid QVariant stores NULL
};
} // namespace

class TestCategoryTree : public QObject
{
    Q_OBJECT
private slots:
    void zeroPad_data();
    void zeroPad();
    void nextCodeAfter_data();
    void nextCodeAfter();
    void serialThatIsNoNumberIsRaised();
    void nextFreeCodeReadsTheGreatestCodeUnderTheParent_data();
    void nextFreeCodeReadsTheGreatestCodeUnderTheParent();
    void nextFreeCodeReportsAnUnreadableDatabase();
    void placesRowsByOrderAndLevel_data();
    void placesRowsByOrderAndLevel();
    void readsNullColumnsAsEmptyAndLevelZero();
};

void TestCategoryTree::zeroPad_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("expected");
    QTest::newRow("one digit") << "6" << "0006";
    QTest::newRow("three digits") << "123" << "0123";
    QTest::newRow("exact") << "9999" << "9999";
    QTest::newRow("longer is never cut") << "10000" << "10000";
    QTest::newRow("empty") << "" << "0000";
}

void TestCategoryTree::zeroPad()
{
    QFETCH(QString, text);
    QFETCH(QString, expected);
    QCOMPARE(ZeroPad(text, 4), expected);
}

void TestCategoryTree::nextCodeAfter_data()
{
    QTest::addColumn<QString>("parent");
    QTest::addColumn<QString>("maxCode");
    QTest::addColumn<int>("status");
    QTest::addColumn<QString>("code");
    const int ok = int(NextCodeStatus::Ok);
    QTest::newRow("first top level") << "" << "" << ok << "0001";
    QTest::newRow("top level after gaps") << "" << "0005" << ok << "0006";
    QTest::newRow("first child") << "0002" << "" << ok << "00020001";
    QTest::newRow("next child") << "0002" << "00020003" << ok << "00020004";
    QTest::newRow("first grandchild") << "00020004" << "" << ok << "000200040001";
    QTest::newRow("carry into tens") << "00020004" << "000200040009" << ok << "000200040010";
    QTest::newRow("9998 gives 9999") << "0001" << "00019998" << ok << "00019999";
    QTest::newRow("9999 is full") << "0001" << "00019999" << int(NextCodeStatus::Full) << "";
    QTest::newRow("top level full") << "" << "9999" << int(NextCodeStatus::Full) << "";
}

void TestCategoryTree::nextCodeAfter()
{
    QFETCH(QString, parent);
    QFETCH(QString, maxCode);
    QFETCH(int, status);
    QFETCH(QString, code);
    const NextCode next = categorycodes::nextCodeAfter(parent, maxCode);
    QCOMPARE(int(next.status), status);
    QCOMPARE(next.code, code);
}

void TestCategoryTree::serialThatIsNoNumberIsRaised()
{
    QVERIFY_THROWS_EXCEPTION(FaqError, categorycodes::nextCodeAfter(QStringLiteral("0001"), QStringLiteral("0001AB12")));
}

void TestCategoryTree::nextFreeCodeReadsTheGreatestCodeUnderTheParent_data()
{
    QTest::addColumn<QStringList>("codes");
    QTest::addColumn<QString>("parent");
    QTest::addColumn<QString>("expected");
    QTest::newRow("empty table") << QStringList{} << "" << "0001";
    QTest::newRow("gaps stay free") << QStringList{"0001", "0002", "0005"} << "" << "0006";
    QTest::newRow("children do not count for the top level")
        << QStringList{"0001", "00010007", "0002"} << "" << "0003";
    QTest::newRow("first child") << QStringList{"0001", "0002"} << "0002" << "00020001";
    QTest::newRow("next child") << QStringList{"0002", "00020001", "00020003"} << "0002" << "00020004";
    QTest::newRow("other parents' children ignored")
        << QStringList{"0001", "00010009", "0002", "00020002"} << "0002" << "00020003";
    QTest::newRow("grandchild carry") << QStringList{"0002", "00020004", "000200040009"} << "00020004" << "000200040010";
}

void TestCategoryTree::nextFreeCodeReadsTheGreatestCodeUnderTheParent()
{
    QFETCH(QStringList, codes);
    QFETCH(QString, parent);
    QFETCH(QString, expected);
    KnowledgeBaseFixture kb;
    for (const QString &code : codes) {
        const int level = int(code.size()) / 4 - 1;
        kb.addCategory(code, QStringLiteral("分类") + code, code.left(level * 4), level);
    }
    TDM dm;
    QVERIFY(dm.DataModuleCreate(kb.executable()));
    const NextCode next = nextFreeCode(dm, parent);
    QCOMPARE(int(next.status), int(NextCodeStatus::Ok));
    QCOMPARE(next.code, expected);
}

void TestCategoryTree::nextFreeCodeReportsAnUnreadableDatabase()
{
    KnowledgeBaseFixture kb;
    kb.addCategory(QStringLiteral("0002"), QStringLiteral("售后"), QString(), 0);
    kb.addCategory(QStringLiteral("00020004"), QStringLiteral("退货"), QStringLiteral("0002"), 1);
    TDM dm;
    QVERIFY(dm.DataModuleCreate(kb.executable()));
    QCOMPARE(nextFreeCode(dm, QStringLiteral("0002")).code, QStringLiteral("00020005"));
    // The greatest child deleted: its code is handed out again.
    kb.exec(QStringLiteral("Delete from TFAQClass Where TypeCode='00020004'"));
    QCOMPARE(nextFreeCode(dm, QStringLiteral("0002")).code, QStringLiteral("00020001"));

    kb.dropTable(QStringLiteral("TFAQClass"));
    const NextCode broken = nextFreeCode(dm, QString());
    QCOMPARE(int(broken.status), int(NextCodeStatus::ReadError));
    QVERIFY(broken.code.isEmpty());
}

void TestCategoryTree::placesRowsByOrderAndLevel_data()
{
    // Each expected entry is "code>parent code" (parent empty at the top level) and the picture.
    QTest::addColumn<QList<Row>>("rows");
    QTest::addColumn<QStringList>("expected");
    QTest::newRow("empty") << QList<Row>{} << QStringList{};
    QTest::newRow("three levels then a sibling")
        << QList<Row>{{"0001", 0}, {"00010001", 1}, {"000100010001", 2}, {"0002", 0}}
        << QStringList{"0001>:0", "00010001>0001:1", "000100010001>00010001:1", "0002>:0"};
    QTest::newRow("level 1 before any level 0")
        << QList<Row>{{"00090001", 1}, {"0010", 0}}
        << QStringList{"00090001>:1", "0010>:0"};
    QTest::newRow("level 2 before any level 1")
        << QList<Row>{{"0001", 0}, {"000100010001", 2}}
        << QStringList{"0001>:0", "000100010001>:1"};
    QTest::newRow("level 2 follows the last level 1 of another branch")
        << QList<Row>{{"0001", 0}, {"00010001", 1}, {"0002", 0}, {"000200010001", 2}}
        << QStringList{"0001>:0", "00010001>0001:1", "0002>:0", "000200010001>00010001:1"};
    QTest::newRow("levels out of range are skipped")
        << QList<Row>{{"0001", 0}, {"00010001", 1}, {"0001000100010001", 3}, {"00010002", -1}, {"00010003", 1}}
        << QStringList{"0001>:0", "00010001>0001:1", "00010003>0001:1"};
    QTest::newRow("null level is a top-level node")
        << QList<Row>{{"0001", 0}, {"0002", QVariant()}, {"00020001", 1}}
        << QStringList{"0001>:0", "0002>:0", "00020001>0002:1"};
}

void TestCategoryTree::placesRowsByOrderAndLevel()
{
    QFETCH(QList<Row>, rows);
    QFETCH(QStringList, expected);
    KnowledgeBaseFixture kb;
    // Stored in reverse so that only the statement's order by code can line them up again.
    for (auto it = rows.crbegin(); it != rows.crend(); ++it)
        kb.addCategory(it->code, QStringLiteral("名") + it->code, QString(), it->level);
    TDM dm;
    QVERIFY(dm.DataModuleCreate(kb.executable()));
    const QList<GoodsClass> read = categoryrows::readAll(dm);
    QCOMPARE(read.size(), rows.size());
    const QList<categoryrows::Placement> placements = categoryrows::place(read);
    QStringList shown;
    for (const categoryrows::Placement &placement : placements) {
        const QString parent = placement.parent < 0 ? QString() : read[placements[placement.parent].row].TypeCode;
        shown << QStringLiteral("%1>%2:%3").arg(read[placement.row].TypeCode, parent).arg(int(placement.picture));
    }
    QCOMPARE(shown, expected);
}

void TestCategoryTree::readsNullColumnsAsEmptyAndLevelZero()
{
    KnowledgeBaseFixture kb;
    kb.exec(QStringLiteral("Insert into TFAQClass (TypeCode,TypeName,ParTypeCode,nLeveal) Values('0001',NULL,'',NULL)"));
    TDM dm;
    QVERIFY(dm.DataModuleCreate(kb.executable()));
    const QList<GoodsClass> read = categoryrows::readAll(dm);
    QCOMPARE(read.size(), 1);
    QCOMPARE(read[0], (GoodsClass{QStringLiteral("0001"), QString(), QString(), 0}));
}

QTEST_GUILESS_MAIN(TestCategoryTree)
#include "tst_categorytree.moc"
