#include "KnowledgeBaseFixture.h"

#include <QCryptographicHash>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QImageReader>
#include <QProcess>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QSqlRecord>
#include <QTemporaryDir>
#include <QTest>
#include <QTextBlock>
#include <QTextDocument>
#include <QTextList>

#include "TestFiles.h"
#include "answers/AnswerHistory.h"
#include "answers/RtfCodec.h"
#include "storage/uDM.h"
#include <QUuid>

namespace {

struct Run
{
    int exitCode = -1;
    QString out;
    QString err;
};

Run faqkb(const QStringList &args)
{
    QProcess process;
    process.start(QStringLiteral(FAQKB_PATH), args);
    Run run;
    if (!process.waitForFinished(60000))
        return run;
    run.exitCode = process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1;
    run.out = QString::fromLocal8Bit(process.readAllStandardOutput());
    run.err = QString::fromLocal8Bit(process.readAllStandardError());
    return run;
}

QByteArray digest(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    return QCryptographicHash::hash(file.readAll(), QCryptographicHash::Sha256);
}

// Reads rows from a knowledge base made by the command, through a connection of the test's own.
class Reader
{
public:
    explicit Reader(const QString &file)
        : m_name(QUuid::createUuid().toString())
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), m_name);
        db.setDatabaseName(file);
        db.open();
    }
    ~Reader()
    {
        QSqlDatabase::database(m_name, false).close();
        QSqlDatabase::removeDatabase(m_name);
    }
    QList<QStringList> rows(const QString &sql)
    {
        QList<QStringList> result;
        QSqlQuery query(QSqlDatabase::database(m_name));
        if (!query.exec(sql))
            return result;
        while (query.next()) {
            QStringList row;
            for (int i = 0; i < query.record().count(); ++i)
                row << (query.value(i).isNull() ? QStringLiteral("<null>") : query.value(i).toString());
            result << row;
        }
        return result;
    }
    QStringList columns(const QString &table)
    {
        QStringList names;
        for (const QStringList &row : rows(QStringLiteral("PRAGMA table_info(%1)").arg(table)))
            names << row.value(1);
        return names;
    }

private:
    QString m_name;
};

} // namespace

class TestFaqkb : public QObject
{
    Q_OBJECT
private slots:
    void initLaysOutANewKnowledgeBase();
    void initRefusesAnExistingKnowledgeBase();
    void demoCategoriesFormAWellShapedTree();
    void demoAnswersAreFormattedRtf();
    void attachmentsAreNumberedInTheOrderTheyAreAdded();
    void historyListsAndRestoresVersions();
    void historyRefusesBadRequests_data();
    void historyRefusesBadRequests();
    void usage_data();
    void usage();
};

void TestFaqkb::initLaysOutANewKnowledgeBase()
{
    QTemporaryDir root(QDir::tempPath() + QStringLiteral("/新 安装 XXXXXX"));
    const QString folder = root.path() + QStringLiteral("/客服 快答");
    const Run run = faqkb({QStringLiteral("init"), folder});
    QCOMPARE(run.exitCode, 0);
    QVERIFY(QFileInfo(folder + QStringLiteral("/Bak")).isDir());
    QVERIFY(QFileInfo(folder + QStringLiteral("/DB")).isDir());
    QVERIFY(QFileInfo::exists(folder + QStringLiteral("/DB/ZYDBFAQ.dat")));

    QImageReader help(folder + QStringLiteral("/Help/FAQ.JPG"));
    QCOMPARE(help.format(), QByteArray("jpeg"));
    QVERIFY(help.size().width() >= 640);
    QVERIFY(!help.read().isNull());

    Reader db(folder + QStringLiteral("/DB/ZYDBFAQ.dat"));
    QCOMPARE(db.columns(QStringLiteral("TFAQClass")),
             (QStringList{"TypeCode", "TypeName", "ParTypeCode", "nLeveal", "TypePYCode"}));
    QCOMPARE(db.columns(QStringLiteral("TDKFJ")), (QStringList{"ID", "BillID", "FJName", "ExdName", "FileName", "SortNO"}));
    QCOMPARE(db.rows(QStringLiteral("select count(*) from TPara")), QList<QStringList>{{"1"}});
    QCOMPARE(db.rows(QStringLiteral("select count(*) from TFAQClass")), QList<QStringList>{{"0"}});
    QVERIFY(!QFileInfo::exists(folder + QStringLiteral("/DB/ZYDBFAQ.dat.partial")));
}

void TestFaqkb::initRefusesAnExistingKnowledgeBase()
{
    KnowledgeBaseFixture kb;
    kb.addCategory(QStringLiteral("0001"), QStringLiteral("已有数据"), QString(), 0);
    QFile::remove(kb.folder() + QStringLiteral("Help/FAQ.JPG"));
    const QByteArray before = digest(kb.databaseFile());

    for (const QStringList &args : {QStringList{"init", kb.folder()}, QStringList{"init", "--demo", kb.folder()}}) {
        const Run run = faqkb(args);
        QCOMPARE(run.exitCode, 1);
        QVERIFY2(run.err.contains(QStringLiteral("已存在")), qPrintable(run.err));
    }
    QCOMPARE(digest(kb.databaseFile()), before);
    // Refused means nothing is changed, not even a missing help picture.
    QVERIFY(!QFileInfo::exists(kb.folder() + QStringLiteral("Help/FAQ.JPG")));
}

void TestFaqkb::demoCategoriesFormAWellShapedTree()
{
    QTemporaryDir root;
    QCOMPARE(faqkb({QStringLiteral("init"), QStringLiteral("--demo"), root.path()}).exitCode, 0);
    Reader db(root.path() + QStringLiteral("/DB/ZYDBFAQ.dat"));
    const QList<QStringList> rows =
        db.rows(QStringLiteral("select TypeCode, TypeName, ParTypeCode, nLeveal from TFAQClass order by TypeCode"));
    QVERIFY(rows.size() >= 6 && rows.size() <= 10);
    QSet<QString> codes;
    QSet<int> levels;
    for (const QStringList &row : rows) {
        const QString code = row[0];
        const int level = row[3].toInt();
        levels << level;
        QCOMPARE(code.size(), 4 * (level + 1));
        QCOMPARE(row[2], code.left(4 * level));
        // Each parent stands before its children in code order.
        QVERIFY2(level == 0 || codes.contains(row[2]), qPrintable(code));
        QVERIFY(!row[1].isEmpty());
        codes << code;
    }
    QCOMPARE(levels, (QSet<int>{0, 1, 2}));
    // Each sample name carries its pinyin initials, as the category editor stores them.
    QCOMPARE(db.rows(QStringLiteral("select TypeName, TypePYCode from TFAQClass where TypeCode in ('0002', '000200010001') "
                                    "order by TypeCode")),
             (QList<QStringList>{{QStringLiteral("售后服务"), QStringLiteral("SHFW")},
                                 {QStringLiteral("七天无理由退货"), QStringLiteral("QTWLYTH")}}));
    QCOMPARE(db.rows(QStringLiteral("select count(*) from TFAQClass where TypePYCode is null or TypePYCode = ''")),
             QList<QStringList>{{"0"}});
}

void TestFaqkb::demoAnswersAreFormattedRtf()
{
    QTemporaryDir root;
    QCOMPARE(faqkb({QStringLiteral("init"), QStringLiteral("--demo"), root.path()}).exitCode, 0);
    Reader db(root.path() + QStringLiteral("/DB/ZYDBFAQ.dat"));
    const QList<QStringList> codes = db.rows(QStringLiteral("select TypeCode from TFAQClass"));
    QVERIFY(!codes.isEmpty());
    for (const QStringList &row : codes) {
        QFile file(root.path() + QStringLiteral("/DB/") + row[0] + QStringLiteral(".rtf"));
        QVERIFY2(file.open(QIODevice::ReadOnly), qPrintable(row[0]));
        QTextDocument doc;
        QVERIFY(readRtf(file.readAll(), &doc));
        QVERIFY(doc.toPlainText().contains(QStringLiteral("亲")));
        bool bold = false;
        bool coloured = false;
        int listed = 0;
        for (QTextBlock block = doc.begin(); block.isValid(); block = block.next()) {
            if (block.textList())
                ++listed;
            for (auto it = block.begin(); !it.atEnd(); ++it) {
                const QTextCharFormat format = it.fragment().charFormat();
                bold = bold || format.fontWeight() >= QFont::Bold;
                coloured = coloured || (format.hasProperty(QTextFormat::ForegroundBrush) && format.foreground().color() != Qt::black);
            }
        }
        QVERIFY2(bold && coloured, qPrintable(row[0]));
        QVERIFY2(listed >= 2, qPrintable(row[0]));
    }
}

void TestFaqkb::attachmentsAreNumberedInTheOrderTheyAreAdded()
{
    KnowledgeBaseFixture kb;
    kb.addAttachment(QStringLiteral("0001"), QStringLiteral("b.doc"), QStringLiteral("doc"), QStringLiteral("1.doc"));
    kb.addAttachment(QStringLiteral("0001"), QStringLiteral("a.doc"), QStringLiteral("doc"), QStringLiteral("2.doc"));
    Reader db(kb.databaseFile());
    QCOMPARE(db.rows(QStringLiteral("select FJName from TDKFJ order by SortNO")), (QList<QStringList>{{"b.doc"}, {"a.doc"}}));
    QCOMPARE(db.rows(QStringLiteral("select count(*) from TDKFJ where SortNO is null")), QList<QStringList>{{"0"}});
}

void TestFaqkb::historyListsAndRestoresVersions()
{
    KnowledgeBaseFixture kb;
    kb.addCategory(QStringLiteral("0001"), QStringLiteral("售前"), QString(), 0);
    {
        TDM dm;
        QVERIFY(dm.DataModuleCreate(kb.executable()));
        const QDateTime start(QDate(2026, 12, 1), QTime(9, 0));
        int minute = 0;
        for (const char *text : {"first answer", "second answer", "third answer"})
            answerhistory::writeDocument(dm, QStringLiteral("0001"), QByteArray("{\\rtf1\\ansi ") + text + "}",
                                         start.addSecs(60 * ++minute));
    }
    const Run listed = faqkb({QStringLiteral("history"), kb.folder(), QStringLiteral("0001")});
    QCOMPARE(listed.exitCode, 0);
    const QStringList lines = listed.out.split(QLatin1Char('\n'), Qt::SkipEmptyParts);
    QCOMPARE(lines.size(), 2);
    QVERIFY2(lines[0].startsWith(QStringLiteral(" 1  2026-12-01 09:03:00")), qPrintable(lines[0]));
    QVERIFY(lines[0].endsWith(QStringLiteral("second answer")));
    QVERIFY(lines[1].endsWith(QStringLiteral("first answer")));

    const Run restored = faqkb({QStringLiteral("history"), kb.folder(), QStringLiteral("0001"), QStringLiteral("--restore"), QStringLiteral("2")});
    QCOMPARE(restored.exitCode, 0);
    QCOMPARE(readBytes(kb.dataFile(QStringLiteral("0001.rtf"))), QByteArray("{\\rtf1\\ansi first answer}"));
    // What the restore replaced is kept in its turn.
    const Run after = faqkb({QStringLiteral("history"), kb.folder(), QStringLiteral("0001")});
    QVERIFY(after.out.split(QLatin1Char('\n'), Qt::SkipEmptyParts).value(0).endsWith(QStringLiteral("third answer")));
}

void TestFaqkb::historyRefusesBadRequests_data()
{
    QTest::addColumn<QStringList>("args");
    QTest::addColumn<int>("exitCode");
    QTest::newRow("a code that is a path") << QStringList{QStringLiteral("../../x")} << 1;
    QTest::newRow("no such category") << QStringList{QStringLiteral("0009")} << 1;
    QTest::newRow("no such version") << QStringList{QStringLiteral("0001"), QStringLiteral("--restore"), QStringLiteral("5")} << 1;
    QTest::newRow("no version number") << QStringList{QStringLiteral("0001"), QStringLiteral("--restore")} << 2;
    QTest::newRow("no code") << QStringList{} << 2;
}

void TestFaqkb::historyRefusesBadRequests()
{
    QFETCH(QStringList, args);
    QFETCH(int, exitCode);
    KnowledgeBaseFixture kb;
    kb.addCategory(QStringLiteral("0001"), QStringLiteral("售前"), QString(), 0);
    kb.writeFile(QStringLiteral("DB/0001.rtf"), "{\\rtf1 now}");
    const Run run = faqkb(QStringList{QStringLiteral("history"), kb.folder()} + args);
    QCOMPARE(run.exitCode, exitCode);
    QVERIFY(!run.err.isEmpty());
    QCOMPARE(readBytes(kb.dataFile(QStringLiteral("0001.rtf"))), QByteArray("{\\rtf1 now}"));
}

void TestFaqkb::usage_data()
{
    QTest::addColumn<QStringList>("args");
    QTest::addColumn<int>("exitCode");
    QTest::addColumn<QString>("mentions");
    QTest::newRow("help") << QStringList{"--help"} << 0 << "init [--demo] FOLDER";
    QTest::newRow("no command") << QStringList{} << 2 << "--help";
    QTest::newRow("unknown command") << QStringList{"frobnicate"} << 2 << "frobnicate";
    QTest::newRow("init without folder") << QStringList{"init"} << 2 << "FOLDER";
    QTest::newRow("init with two folders") << QStringList{"init", "a", "b"} << 2 << "FOLDER";
    QTest::newRow("unknown option") << QStringList{"init", "--dmeo", "x"} << 2 << "FOLDER";
}

void TestFaqkb::usage()
{
    QFETCH(QStringList, args);
    QFETCH(int, exitCode);
    QFETCH(QString, mentions);
    const Run run = faqkb(args);
    QCOMPARE(run.exitCode, exitCode);
    QVERIFY2((run.out + run.err).contains(mentions), qPrintable(run.out + run.err));
}

QTEST_GUILESS_MAIN(TestFaqkb)
#include "tst_faqkb.moc"
