// The per-run folder of files put on the clipboard under their own names.
#include "TestFiles.h"
#include "attachments/ClipboardFolder.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QTest>

class TestClipboardFolder : public QObject
{
    Q_OBJECT
private slots:
    void fileName_data();
    void fileName();
    void placedFileHasTheStoredBytesUnderItsName();
    void onlyTheLastTwentyStay();
    void emptiedAtStartAndAtEnd();
    void staleRunsAreRemoved();

private:
    QTemporaryDir m_temp{QDir::tempPath() + QStringLiteral("/剪贴板 测试 XXXXXX")};
};

void TestClipboardFolder::fileName_data()
{
    QTest::addColumn<QString>("shown");
    QTest::addColumn<QString>("type");
    QTest::addColumn<QString>("expected");
    QTest::newRow("name with its type") << QStringLiteral("价格表 2024.xlsx") << QStringLiteral("xlsx") << QStringLiteral("价格表 2024.xlsx");
    QTest::newRow("type in other case") << QStringLiteral("报价.XLS") << QStringLiteral("xls") << QStringLiteral("报价.XLS");
    QTest::newRow("name without its type") << QStringLiteral("报价") << QStringLiteral("xls") << QStringLiteral("报价.xls");
    QTest::newRow("no type") << QStringLiteral("说明") << QString() << QStringLiteral("说明");
    QTest::newRow("refused characters") << QStringLiteral("a/b:c?*\"<>|d.txt") << QStringLiteral("txt") << QStringLiteral("a_b_c______d.txt");
    QTest::newRow("control character") << QStringLiteral("a\nb") << QString() << QStringLiteral("a_b");
    QTest::newRow("trailing dot") << QStringLiteral("x.") << QString() << QStringLiteral("x");
    QTest::newRow("nothing left") << QString() << QString() << QStringLiteral("附件");
}

void TestClipboardFolder::fileName()
{
    QFETCH(QString, shown);
    QFETCH(QString, type);
    QFETCH(QString, expected);
    QCOMPARE(ClipboardFolder::fileName(shown, type), expected);
}

void TestClipboardFolder::placedFileHasTheStoredBytesUnderItsName()
{
    const QString stored = m_temp.filePath(QStringLiteral("DB/20240315093007.xlsx"));
    writeBytes(stored, "price list");
    ClipboardFolder folder(m_temp.filePath(QStringLiteral("run")));
    const QString placed = folder.place(stored, QStringLiteral("价格表 2024.xlsx"));
    QCOMPARE(QFileInfo(placed).fileName(), QStringLiteral("价格表 2024.xlsx"));
    QCOMPARE(readBytes(placed), QByteArray("price list"));
    QVERIFY(placed.startsWith(folder.root()));
#ifdef Q_OS_UNIX
    // A hard link, no second copy of a large file: both names show the same bytes.
    writeBytes(stored, "changed in place");
    QCOMPARE(readBytes(placed), QByteArray("changed in place"));
#endif
    QString error;
    QVERIFY(folder.place(m_temp.filePath(QStringLiteral("missing")), QStringLiteral("x"), &error).isEmpty());
    QVERIFY(!error.isEmpty());
}

void TestClipboardFolder::onlyTheLastTwentyStay()
{
    const QString stored = m_temp.filePath(QStringLiteral("stored.txt"));
    writeBytes(stored, "x");
    ClipboardFolder folder(m_temp.filePath(QStringLiteral("cap")));
    QStringList placed;
    for (int i = 0; i < 25; ++i)
        placed << folder.place(stored, QStringLiteral("同名.txt"));
    QCOMPARE(QDir(folder.root()).entryList(QDir::Dirs | QDir::NoDotAndDotDot).size(), ClipboardFolder::kKeptFiles);
    QVERIFY(!QFileInfo::exists(placed[4]));
    QVERIFY(QFileInfo::exists(placed[5]));
    QVERIFY(QFileInfo::exists(placed.last()));
}

void TestClipboardFolder::emptiedAtStartAndAtEnd()
{
    const QString root = m_temp.filePath(QStringLiteral("lifetime"));
    writeBytes(root + QStringLiteral("/1/left from before.txt"), "old");
    {
        ClipboardFolder folder(root);
        QVERIFY(!QFileInfo::exists(root + QStringLiteral("/1/left from before.txt")));
        writeBytes(m_temp.filePath(QStringLiteral("s.txt")), "s");
        QVERIFY(!folder.place(m_temp.filePath(QStringLiteral("s.txt")), QStringLiteral("s.txt")).isEmpty());
    }
    QVERIFY(!QFileInfo::exists(root));
    // The stored copy is untouched by it all.
    QCOMPARE(readBytes(m_temp.filePath(QStringLiteral("s.txt"))), QByteArray("s"));
}

void TestClipboardFolder::staleRunsAreRemoved()
{
    const QString temp = m_temp.filePath(QStringLiteral("tmp"));
    const QString stale = temp + QStringLiteral("/TarkelFAQvuviri-2147483000");
    const QString alive = temp + QStringLiteral("/TarkelFAQvuviri-") + QString::number(QCoreApplication::applicationPid());
    const QString other = temp + QStringLiteral("/TarkelFAQvuviri-notes");
    for (const QString &folder : {stale, alive, other})
        writeBytes(folder + QStringLiteral("/1/a.txt"), "a");
    ClipboardFolder::removeStale(temp);
    QVERIFY(!QFileInfo::exists(stale));
    QVERIFY(QFileInfo::exists(alive + QStringLiteral("/1/a.txt")));
    QVERIFY(QFileInfo::exists(other + QStringLiteral("/1/a.txt")));
}

QTEST_GUILESS_MAIN(TestClipboardFolder)
#include "tst_clipboardfolder.moc"
