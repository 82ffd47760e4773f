// The answer history on a real knowledge base: what a save keeps, what retention prunes, and
// what deleting a category takes along.
#include "KnowledgeBaseFixture.h"
#include "TestFiles.h"
#include "answers/AnswerHistory.h"
#include "common/FaqError.h"
#include "storage/uDM.h"
#include "tree/CategoryEditing.h"

#include <QSqlQuery>
#include <QTest>

using namespace answerhistory;

namespace {

const QDateTime kNow(QDate(2026, 12, 11), QTime(14, 30));

QByteArray rtf(const char *text)
{
    return QByteArray("{\\rtf1\\ansi ") + text + "}";
}

struct Base
{
    KnowledgeBaseFixture kb;
    TDM dm;
    Base()
    {
        kb.addCategory(QStringLiteral("0001"), QStringLiteral("售前"), QString(), 0);
        kb.addCategory(QStringLiteral("0002"), QStringLiteral("售后"), QString(), 0);
        if (!dm.DataModuleCreate(kb.executable()))
            qWarning("the knowledge base did not open");
    }
    QByteArray document(const QString &code) const { return readBytes(kb.dataFile(code + QStringLiteral(".rtf"))); }
    QList<QByteArray> kept(const QString &code)
    {
        QList<QByteArray> contents;
        for (const Version &version : versions(dm, code))
            contents << content(dm, version.id);
        return contents;
    }
};

} // namespace

class TestAnswerHistory : public QObject
{
    Q_OBJECT
private slots:
    void saveKeepsThePreviousContent();
    void sameContentIsKeptOnce();
    void olderKnowledgeBaseGetsTheTable();
    void retention_data();
    void retention();
    void savingPrunes();
    void documentStaysWhenItsVersionCannotBeKept();
    void deletingACategoryTakesItsHistory();
    void aCodeHandedOutAgainInheritsNoHistory();
    void firstLineOfADocument();
};

void TestAnswerHistory::saveKeepsThePreviousContent()
{
    Base base;
    // The first save of a category without a document keeps nothing.
    writeDocument(base.dm, QStringLiteral("0001"), rtf("one"), kNow);
    QVERIFY(versions(base.dm, QStringLiteral("0001")).isEmpty());
    writeDocument(base.dm, QStringLiteral("0001"), rtf("two"), kNow.addSecs(60));
    writeDocument(base.dm, QStringLiteral("0001"), rtf("three"), kNow.addSecs(120));
    QCOMPARE(base.document(QStringLiteral("0001")), rtf("three"));
    QCOMPARE(base.kept(QStringLiteral("0001")), (QList<QByteArray>{rtf("two"), rtf("one")}));
    const QList<Version> list = versions(base.dm, QStringLiteral("0001"));
    QCOMPARE(list[0].savedAt, kNow.addSecs(120));
    QCOMPARE(list[0].size, rtf("two").size());
    // Another category's history is its own.
    QVERIFY(versions(base.dm, QStringLiteral("0002")).isEmpty());
    // Saving what is there already keeps nothing.
    writeDocument(base.dm, QStringLiteral("0001"), rtf("three"), kNow.addSecs(180));
    QCOMPARE(versions(base.dm, QStringLiteral("0001")).size(), 2);
}

void TestAnswerHistory::sameContentIsKeptOnce()
{
    Base base;
    writeDocument(base.dm, QStringLiteral("0001"), rtf("A"), kNow);
    for (int i = 1; i <= 4; ++i)
        writeDocument(base.dm, QStringLiteral("0001"), rtf(i % 2 ? "B" : "A"), kNow.addSecs(i * 60));
    // A and B each once, the newest first.
    QCOMPARE(base.kept(QStringLiteral("0001")), (QList<QByteArray>{rtf("B"), rtf("A")}));
    QCOMPARE(versions(base.dm, QStringLiteral("0001"))[0].savedAt, kNow.addSecs(240));
}

void TestAnswerHistory::olderKnowledgeBaseGetsTheTable()
{
    Base base;
    base.kb.dropTable(QStringLiteral("TAnswerHistory"));
    base.kb.writeFile(QStringLiteral("DB/0001.rtf"), rtf("before"));
    QVERIFY(versions(base.dm, QStringLiteral("0001")).isEmpty());
    writeDocument(base.dm, QStringLiteral("0001"), rtf("after"), kNow);
    QCOMPARE(base.kept(QStringLiteral("0001")), QList<QByteArray>{rtf("before")});
}

void TestAnswerHistory::retention_data()
{
    QTest::addColumn<QList<int>>("ageInHours");   // newest first
    QTest::addColumn<QList<int>>("kept");
    QTest::newRow("all of the last week") << QList<int>{1, 2, 30, 100, 160} << QList<int>{0, 1, 2, 3, 4};
    // Day 8 holds three versions (hours 194, 196, 200 before 14:30): its newest stays.
    QTest::newRow("one a day after a week") << QList<int>{1, 194, 196, 200, 220} << QList<int>{0, 1, 4};
    QTest::newRow("nothing after 90 days") << QList<int>{1, 24 * 89, 24 * 91} << QList<int>{0, 1};
}

void TestAnswerHistory::retention()
{
    QFETCH(QList<int>, ageInHours);
    QFETCH(QList<int>, kept);
    QStringList times;
    for (int hours : ageInHours)
        times << stamp(kNow.addSecs(-3600LL * hours));
    QCOMPARE(retained(times, kNow), kept);

    // At most 50, the newest.
    QStringList many;
    for (int i = 0; i < 80; ++i)
        many << stamp(kNow.addSecs(-60LL * i));
    const QList<int> capped = retained(many, kNow);
    QCOMPARE(capped.size(), kMaxVersions);
    QCOMPARE(capped.last(), kMaxVersions - 1);
}

void TestAnswerHistory::savingPrunes()
{
    Base base;
    writeDocument(base.dm, QStringLiteral("0001"), rtf("v0"), kNow.addDays(-200));
    for (int i = 1; i <= 60; ++i) {
        const QByteArray text = "v" + QByteArray::number(i);
        writeDocument(base.dm, QStringLiteral("0001"), rtf(text.constData()), kNow.addSecs(60LL * i));
    }
    const QList<QByteArray> kept = base.kept(QStringLiteral("0001"));
    QCOMPARE(kept.size(), kMaxVersions);
    QCOMPARE(kept.first(), rtf("v59"));
    QCOMPARE(base.document(QStringLiteral("0001")), rtf("v60"));
}

void TestAnswerHistory::documentStaysWhenItsVersionCannotBeKept()
{
    Base base;
    writeDocument(base.dm, QStringLiteral("0001"), rtf("kept safe"), kNow);
    base.kb.exec(QStringLiteral("CREATE TRIGGER refuse BEFORE INSERT ON TAnswerHistory BEGIN SELECT RAISE(ABORT, 'no'); END"));
    QVERIFY_THROWS_EXCEPTION(FaqError, writeDocument(base.dm, QStringLiteral("0001"), rtf("new"), kNow.addSecs(60)));
    QCOMPARE(base.document(QStringLiteral("0001")), rtf("kept safe"));
    QVERIFY(versions(base.dm, QStringLiteral("0001")).isEmpty());
}

void TestAnswerHistory::deletingACategoryTakesItsHistory()
{
    Base base;
    for (const char *text : {"a", "b", "c"}) {
        writeDocument(base.dm, QStringLiteral("0001"), rtf(text), kNow);
        writeDocument(base.dm, QStringLiteral("0002"), rtf(text), kNow);
    }
    categoryediting::remove(base.dm, QStringLiteral("0001"));
    QVERIFY(versions(base.dm, QStringLiteral("0001")).isEmpty());
    QCOMPARE(versions(base.dm, QStringLiteral("0002")).size(), 2);
}

void TestAnswerHistory::aCodeHandedOutAgainInheritsNoHistory()
{
    Base base;
    writeDocument(base.dm, QStringLiteral("0003"), rtf("old"), kNow);
    writeDocument(base.dm, QStringLiteral("0003"), rtf("older"), kNow);
    QCOMPARE(versions(base.dm, QStringLiteral("0003")).size(), 1);
    // 0003 has no category row: what it holds is left over from a deleted one.
    categoryediting::insert(base.dm, {QStringLiteral("0003"), QStringLiteral("新的"), QString(), 0});
    QVERIFY(versions(base.dm, QStringLiteral("0003")).isEmpty());
}

void TestAnswerHistory::firstLineOfADocument()
{
    QCOMPARE(firstLine(QByteArray("{\\rtf1\\ansi\\par   \\par Hello\\par world}")), QStringLiteral("Hello"));
    // Plain text written by Notepad in GBK.
    QCOMPARE(firstLine(QByteArray("\xc4\xfa\xba\xc3\r\nsecond")), QStringLiteral("您好"));
    QCOMPARE(firstLine(QByteArray()), QString());
}

QTEST_MAIN(TestAnswerHistory)
#include "tst_answerhistory.moc"
