// Attaching files without the window: stored-file names, the folder listing, copies and rows,
// and what remains after each kind of failure.
#include "KnowledgeBaseFixture.h"
#include "TestFiles.h"
#include "attachments/AttachmentList.h"
#include "attachments/AttachmentStore.h"
#include "attachments/FileDrop.h"
#include "storage/uDM.h"

#include <QAbstractItemModelTester>
#include <QDir>
#include <QDropEvent>
#include <QFile>
#include <QMimeData>
#include <QRegularExpression>
#include <QSignalSpy>
#include <QSqlQuery>
#include <QTemporaryDir>
#include <QTest>

#include <QScopeGuard>

#ifdef Q_OS_UNIX
#include <fcntl.h>
#include <unistd.h>
#endif
#include <QUrl>

#include <sys/stat.h>
#include <sys/types.h>

namespace {

const QDateTime kMorning(QDate(2024, 3, 15), QTime(9, 30, 7, 123));

// What the data folder holds besides the database.
QStringList storedFiles(const KnowledgeBaseFixture &kb)
{
    QStringList names = QDir(kb.folder() + QStringLiteral("DB")).entryList(QDir::Files | QDir::Hidden | QDir::System, QDir::Name);
    names.removeAll(QStringLiteral("ZYDBFAQ.dat"));
    names.removeAll(QStringLiteral("ZYDBFAQ.dat-journal"));
    return names;
}

QList<AttachmentRow> rowsOf(TDM &dm, const QString &code)
{
    AttachmentListModel model;
    model.load(dm, code);
    return model.rows();
}

// A clock that moves on by one millisecond at every reading, as the folder import reads it
// once per file.
AttachmentStore::Clock steppingClock(QDateTime start)
{
    auto now = std::make_shared<QDateTime>(start);
    return [now] {
        const QDateTime reading = *now;
        *now = now->addMSecs(1);
        return reading;
    };
}

AttachmentStore::Clock fixedClock(QDateTime time)
{
    return [time] { return time; };
}

} // namespace

class TestAttachmentStore : public QObject
{
    Q_OBJECT
private slots:
    void init() { QTest::failOnWarning(QRegularExpression(QStringLiteral("."))); }

    void singleFileRow_data();
    void singleFileRow();
    void folderStamp_data();
    void folderStamp();
    void clashTakesTheNextFreeName_data();
    void clashTakesTheNextFreeName();
    void twoFilesInOneSecondKeepTheirContents();
    void listingOrder_data();
    void listingOrder();
    void listingSkipsHiddenSystemAndSubFolders();
    void fileInFolder_data();
    void fileInFolder();
    void rowsFollowTheOrderOfAdding();
    void failedCopyLeavesNothing_data();
    void failedCopyLeavesNothing();
    void failedPostRemovesTheStoredCopy();
    void importTakesTheListingInOrder();
    void importCancelKeepsWhatWasAttached();
    void importGoesOnPastAFailedFile();
    void importWithBrokenTableLeavesNoCopies();
    void importOfAnEmptyFolder();
    void removeDeletesRowAndFile_data();
    void removeDeletesRowAndFile();
    void removeThatFailsKeepsTheFile();
    void listEditsWithoutRequery();
    void droppedFiles_data();
    void droppedFiles();
    void dropFilterAcceptsFilesAndFolders();
#ifdef Q_OS_UNIX
    void folderImportTakesGbkNames();
#endif

private:
    struct Env
    {
        KnowledgeBaseFixture kb;
        TDM dm;
        AttachmentStore store{dm};
        QTemporaryDir source{QDir::tempPath() + QStringLiteral("/附件 来源 XXXXXX")};
        Env()
        {
            if (!dm.DataModuleCreate(kb.executable()))
                qFatal("the fixture's knowledge base did not open");
            store.setClock(fixedClock(kMorning));
        }
        QString sourceFile(const QString &name, const QByteArray &bytes = "content")
        {
            const QString path = source.filePath(name);
            writeBytes(path, bytes);
            return path;
        }
    };
};

void TestAttachmentStore::singleFileRow_data()
{
    QTest::addColumn<QString>("picked");
    QTest::addColumn<QString>("type");
    QTest::addColumn<QString>("fileName");
    QTest::newRow("price list") << QStringLiteral("price.xls") << QStringLiteral("xls") << QStringLiteral("20240315093007.xls");
    QTest::newRow("no dot") << QStringLiteral("README") << QStringLiteral("README") << QStringLiteral("20240315093007.README");
    QTest::newRow("four dots") << QStringLiteral("a.b.c.d.doc") << QStringLiteral("d.doc") << QStringLiteral("20240315093007.d.doc");
    QTest::newRow("chinese, blank") << QStringLiteral("报价单 2024.xls") << QStringLiteral("xls") << QStringLiteral("20240315093007.xls");
    QTest::newRow("trailing dot") << QStringLiteral("notes.") << QString() << QStringLiteral("20240315093007.");
}

void TestAttachmentStore::singleFileRow()
{
    QFETCH(QString, picked);
    QFETCH(QString, type);
    QFETCH(QString, fileName);
    Env env;
    const QString source = env.sourceFile(picked, "bytes of " + picked.toUtf8());

    const AttachOutcome outcome = env.store.attachFile(QStringLiteral("0001"), source);
    QCOMPARE(outcome.status, AttachStatus::Attached);
    const AttachmentRow expected{outcome.row.ID, QStringLiteral("0001"), picked, type, fileName};
    QVERIFY(outcome.row.ID > 0);
    const QList<AttachmentRow> rows = rowsOf(env.dm, QStringLiteral("0001"));
    QCOMPARE(rows.size(), 1);
    for (const AttachmentRow &row : {outcome.row, rows[0]}) {
        QCOMPARE(row.ID, expected.ID);
        QCOMPARE(row.BillID, expected.BillID);
        QCOMPARE(row.FJName, expected.FJName);
        QCOMPARE(row.ExdName, expected.ExdName);
        QCOMPARE(row.FileName, expected.FileName);
    }
    QCOMPARE(storedFiles(env.kb), QStringList{fileName});
    QCOMPARE(readBytes(env.kb.dataFile(fileName)), "bytes of " + picked.toUtf8());
    // The picked file is copied, not moved.
    QCOMPARE(readBytes(source), "bytes of " + picked.toUtf8());
}

void TestAttachmentStore::folderStamp_data()
{
    QTest::addColumn<QDateTime>("time");
    QTest::addColumn<int>("index");
    QTest::addColumn<QString>("stamp");
    QTest::newRow("third file") << kMorning << 2 << QStringLiteral("202403150930071232");
    QTest::newRow("first file") << kMorning << 0 << QStringLiteral("202403150930071230");
    QTest::newRow("index without leading zeros") << kMorning << 1234 << QStringLiteral("202403150930071231234");
    QTest::newRow("evening, few milliseconds")
        << QDateTime(QDate(2024, 12, 31), QTime(23, 5, 9, 7)) << 10 << QStringLiteral("2024123123050900710");
}

void TestAttachmentStore::folderStamp()
{
    QFETCH(QDateTime, time);
    QFETCH(int, index);
    QFETCH(QString, stamp);
    QCOMPARE(storedname::folderStamp(time, index), stamp);
    QCOMPARE(storedname::folderStamp(time, index).left(17).size(), 17);
    QCOMPARE(storedname::singleStamp(time), stamp.left(14));
}

void TestAttachmentStore::clashTakesTheNextFreeName_data()
{
    QTest::addColumn<QStringList>("existingFiles");
    QTest::addColumn<QStringList>("rowsNaming");
    QTest::addColumn<QString>("expected");
    const QString plain = QStringLiteral("20240315093007.xls");
    const QString one = QStringLiteral("20240315093007_1.xls");
    QTest::newRow("free") << QStringList() << QStringList() << plain;
    QTest::newRow("file there") << QStringList{plain} << QStringList() << one;
    QTest::newRow("file and _1 there") << QStringList{plain, one} << QStringList() << QStringLiteral("20240315093007_2.xls");
    QTest::newRow("gap is used") << QStringList{plain, QStringLiteral("20240315093007_2.xls")} << QStringList() << one;
    // A row whose file has gone still owns the name.
    QTest::newRow("row without file") << QStringList() << QStringList{plain} << one;
    QTest::newRow("other type is no clash") << QStringList{QStringLiteral("20240315093007.doc")} << QStringList() << plain;
    QTest::newRow("folder of that name") << QStringList{plain + QStringLiteral("/inner")} << QStringList() << one;
}

void TestAttachmentStore::clashTakesTheNextFreeName()
{
    QFETCH(QStringList, existingFiles);
    QFETCH(QStringList, rowsNaming);
    QFETCH(QString, expected);
    Env env;
    for (const QString &name : existingFiles)
        env.kb.writeFile(QStringLiteral("DB/") + name, "earlier " + name.toUtf8());
    for (const QString &name : rowsNaming)
        env.kb.addAttachment(QStringLiteral("0009"), QStringLiteral("old.xls"), QStringLiteral("xls"), name);

    const AttachOutcome outcome = env.store.attachFile(QStringLiteral("0001"), env.sourceFile(QStringLiteral("price.xls"), "new"));
    QCOMPARE(outcome.status, AttachStatus::Attached);
    QCOMPARE(outcome.row.FileName, expected);
    QCOMPARE(readBytes(env.kb.dataFile(expected)), QByteArray("new"));
    for (const QString &name : existingFiles)
        QCOMPARE(readBytes(env.kb.dataFile(name)), "earlier " + name.toUtf8());
}

void TestAttachmentStore::twoFilesInOneSecondKeepTheirContents()
{
    Env env;
    const AttachOutcome first = env.store.attachFile(QStringLiteral("0001"), env.sourceFile(QStringLiteral("a.xls"), "first"));
    const AttachOutcome second = env.store.attachFile(QStringLiteral("0001"), env.sourceFile(QStringLiteral("b.xls"), "second"));
    QCOMPARE(first.row.FileName, QStringLiteral("20240315093007.xls"));
    QCOMPARE(second.row.FileName, QStringLiteral("20240315093007_1.xls"));
    QCOMPARE(readBytes(env.kb.dataFile(first.row.FileName)), QByteArray("first"));
    QCOMPARE(readBytes(env.kb.dataFile(second.row.FileName)), QByteArray("second"));
}

void TestAttachmentStore::listingOrder_data()
{
    QTest::addColumn<QStringList>("files");
    QTest::addColumn<QStringList>("order");
    QTest::newRow("issue's example") << QStringList{"b.txt", "A.doc", "c"} << QStringList{"A.doc", "b.txt", "c"};
    // A plain byte order would put capitals first.
    QTest::newRow("case ignored") << QStringList{"a.doc", "B.txt", "C"} << QStringList{"a.doc", "B.txt", "C"};
    QTest::newRow("digits as text") << QStringList{"file9.txt", "file10.txt"} << QStringList{"file10.txt", "file9.txt"};
    QTest::newRow("empty folder") << QStringList() << QStringList();
}

void TestAttachmentStore::listingOrder()
{
    QFETCH(QStringList, files);
    QFETCH(QStringList, order);
    QTemporaryDir dir;
    for (const QString &name : files)
        writeBytes(dir.filePath(name), name.toUtf8());
    QCOMPARE(importableFiles(dir.path()), order);
}

void TestAttachmentStore::listingSkipsHiddenSystemAndSubFolders()
{
    QTemporaryDir dir;
    writeBytes(dir.filePath(QStringLiteral("b.txt")), "b");
    writeBytes(dir.filePath(QStringLiteral("A.doc")), "a");
    writeBytes(dir.filePath(QStringLiteral("c")), "c");
    writeBytes(dir.filePath(QStringLiteral(".hidden")), "h");
    writeBytes(dir.filePath(QStringLiteral("sub/inner.txt")), "i");
    QVERIFY(QDir(dir.path()).mkdir(QStringLiteral("empty.dir")));
    QVERIFY(QFile::link(dir.filePath(QStringLiteral("gone")), dir.filePath(QStringLiteral("broken link"))));
    QCOMPARE(mkfifo(QFile::encodeName(dir.filePath(QStringLiteral("pipe"))).constData(), 0600), 0);

    QCOMPARE(importableFiles(dir.path()), (QStringList{"A.doc", "b.txt", "c"}));
    // The same with a separator at the end.
    QCOMPARE(importableFiles(dir.path() + QLatin1Char('/')), (QStringList{"A.doc", "b.txt", "c"}));
}

void TestAttachmentStore::fileInFolder_data()
{
    QTest::addColumn<QString>("folder");
    QTest::addColumn<QString>("path");
    QTest::newRow("folder") << QStringLiteral("/home/user/价目") << QStringLiteral("/home/user/价目/a.xls");
    QTest::newRow("unix root") << QStringLiteral("/") << QStringLiteral("/a.xls");
    QTest::newRow("drive root") << QStringLiteral("D:/") << QStringLiteral("D:/a.xls");
    QTest::newRow("backslash root") << QStringLiteral("D:\\") << QStringLiteral("D:\\a.xls");
    QTest::newRow("trailing separator") << QStringLiteral("/tmp/x/") << QStringLiteral("/tmp/x/a.xls");
}

void TestAttachmentStore::fileInFolder()
{
    QFETCH(QString, folder);
    QFETCH(QString, path);
    QCOMPARE(::fileInFolder(folder, QStringLiteral("a.xls")), path);
}

void TestAttachmentStore::rowsFollowTheOrderOfAdding()
{
    Env env;
    env.store.setClock(steppingClock(kMorning));
    for (const char *name : {"z.doc", "a.doc", "m.doc"})
        QCOMPARE(env.store.attachFile(QStringLiteral("0002"), env.sourceFile(QString::fromLatin1(name))).status, AttachStatus::Attached);
    env.kb.addAttachment(QStringLiteral("0003"), QStringLiteral("other.doc"), QStringLiteral("doc"), QStringLiteral("x.doc"));
    QStringList names;
    for (const AttachmentRow &row : rowsOf(env.dm, QStringLiteral("0002")))
        names << row.FJName;
    QCOMPARE(names, (QStringList{"z.doc", "a.doc", "m.doc"}));
}

void TestAttachmentStore::failedCopyLeavesNothing_data()
{
    QTest::addColumn<QString>("source");
    QTest::newRow("missing file") << QStringLiteral("不存在.xls");
    QTest::newRow("folder") << QStringLiteral("folder.xls");
}

void TestAttachmentStore::failedCopyLeavesNothing()
{
    QFETCH(QString, source);
    Env env;
    QVERIFY(QDir(env.source.path()).mkdir(QStringLiteral("folder.xls")));
    const AttachOutcome outcome = env.store.attachFile(QStringLiteral("0001"), env.source.filePath(source));
    QCOMPARE(outcome.status, AttachStatus::CopyFailed);
    QVERIFY(!outcome.reason.isEmpty());
    QCOMPARE(storedFiles(env.kb), QStringList());
    QVERIFY(rowsOf(env.dm, QStringLiteral("0001")).isEmpty());
}

void TestAttachmentStore::failedPostRemovesTheStoredCopy()
{
    Env env;
    env.kb.dropTable(QStringLiteral("TDKFJ"));
    const AttachOutcome outcome = env.store.attachFile(QStringLiteral("0001"), env.sourceFile(QStringLiteral("price.xls")));
    QCOMPARE(outcome.status, AttachStatus::PostFailed);
    QCOMPARE(storedFiles(env.kb), QStringList());
}

void TestAttachmentStore::importTakesTheListingInOrder()
{
    Env env;
    env.store.setClock(steppingClock(kMorning));
    env.sourceFile(QStringLiteral("b.txt"), "b");
    env.sourceFile(QStringLiteral("A.doc"), "a");
    env.sourceFile(QStringLiteral("c"), "c");
    env.sourceFile(QStringLiteral("sub/inner.txt"), "inner");
    QList<AttachmentRow> seen;
    QList<QPair<int, int>> progress;
    const ImportReport report = env.store.importFolder(
        QStringLiteral("0001"), env.source.path(),
        [&](int done, int total) { progress.append({done, total}); return true; },
        [&](const AttachmentRow &row) { seen.append(row); });

    QVERIFY(!report.cancelled);
    QVERIFY(report.failed.isEmpty());
    QCOMPARE(progress, (QList<QPair<int, int>>{{0, 3}, {1, 3}, {2, 3}, {3, 3}}));
    const QStringList fileNames{"202403150930071230.doc", "202403150930071241.txt", "202403150930071252.c"};
    const QList<AttachmentRow> rows = rowsOf(env.dm, QStringLiteral("0001"));
    QCOMPARE(rows.size(), 3);
    QCOMPARE(seen.size(), 3);
    QCOMPARE(report.attached.size(), 3);
    const QStringList names{"A.doc", "b.txt", "c"};
    const QStringList types{"doc", "txt", "c"};
    for (int i = 0; i < 3; ++i) {
        QCOMPARE(rows[i].FJName, names[i]);
        QCOMPARE(rows[i].ExdName, types[i]);
        QCOMPARE(rows[i].FileName, fileNames[i]);
        QCOMPARE(seen[i].ID, rows[i].ID);
        QCOMPARE(report.attached[i].FileName, fileNames[i]);
    }
    QCOMPARE(readBytes(env.kb.dataFile(fileNames[1])), QByteArray("b"));
    QCOMPARE(storedFiles(env.kb), fileNames);
}

void TestAttachmentStore::importCancelKeepsWhatWasAttached()
{
    Env env;
    env.store.setClock(steppingClock(kMorning));
    for (const char *name : {"1.txt", "2.txt", "3.txt", "4.txt"})
        env.sourceFile(QString::fromLatin1(name));
    const ImportReport report = env.store.importFolder(QStringLiteral("0001"), env.source.path(),
                                                       [](int done, int) { return done < 2; });
    QVERIFY(report.cancelled);
    QCOMPARE(report.attached.size(), 2);
    QCOMPARE(rowsOf(env.dm, QStringLiteral("0001")).size(), 2);
    QCOMPARE(storedFiles(env.kb).size(), 2);
}

void TestAttachmentStore::importGoesOnPastAFailedFile()
{
    Env env;
    env.store.setClock(steppingClock(kMorning));
    for (const char *name : {"a.txt", "b.txt", "c.txt"})
        env.sourceFile(QString::fromLatin1(name));
    // b.txt vanishes after the listing, just before its turn.
    const ImportReport report = env.store.importFolder(QStringLiteral("0001"), env.source.path(), [&](int done, int) {
        if (done == 1)
            QFile::remove(env.source.filePath(QStringLiteral("b.txt")));
        return true;
    });
    QCOMPARE(report.failed, QStringList{QStringLiteral("b.txt")});
    QStringList names;
    for (const AttachmentRow &row : rowsOf(env.dm, QStringLiteral("0001")))
        names << row.FJName + QLatin1Char('=') + row.FileName;
    QCOMPARE(names, (QStringList{"a.txt=202403150930071230.txt", "c.txt=202403150930071252.txt"}));
    QCOMPARE(storedFiles(env.kb), (QStringList{"202403150930071230.txt", "202403150930071252.txt"}));
}

void TestAttachmentStore::importWithBrokenTableLeavesNoCopies()
{
    Env env;
    env.sourceFile(QStringLiteral("a.txt"));
    env.sourceFile(QStringLiteral("b.txt"));
    env.kb.dropTable(QStringLiteral("TDKFJ"));
    const ImportReport report = env.store.importFolder(QStringLiteral("0001"), env.source.path());
    QCOMPARE(report.failed, (QStringList{"a.txt", "b.txt"}));
    QVERIFY(report.attached.isEmpty());
    QCOMPARE(storedFiles(env.kb), QStringList());
}

void TestAttachmentStore::importOfAnEmptyFolder()
{
    Env env;
    QVERIFY(QDir(env.source.path()).mkdir(QStringLiteral("only a folder")));
    int calls = 0;
    const ImportReport report = env.store.importFolder(QStringLiteral("0001"), env.source.path(), [&](int, int) {
        ++calls;
        return true;
    });
    QVERIFY(report.attached.isEmpty() && report.failed.isEmpty() && !report.cancelled);
    QCOMPARE(calls, 1);
    QCOMPARE(storedFiles(env.kb), QStringList());
}

void TestAttachmentStore::removeDeletesRowAndFile_data()
{
    QTest::addColumn<bool>("fileThere");
    QTest::newRow("stored file there") << true;
    QTest::newRow("stored file already gone") << false;
}

void TestAttachmentStore::removeDeletesRowAndFile()
{
    QFETCH(bool, fileThere);
    Env env;
    env.store.setClock(steppingClock(kMorning));
    const AttachmentRow first = env.store.attachFile(QStringLiteral("0001"), env.sourceFile(QStringLiteral("a.doc"))).row;
    const AttachmentRow second = env.store.attachFile(QStringLiteral("0001"), env.sourceFile(QStringLiteral("b.doc"))).row;
    if (!fileThere)
        QVERIFY(QFile::remove(env.kb.dataFile(first.FileName)));

    QVERIFY(env.store.remove(first));
    const QList<AttachmentRow> rows = rowsOf(env.dm, QStringLiteral("0001"));
    QCOMPARE(rows.size(), 1);
    QCOMPARE(rows[0].ID, second.ID);
    QCOMPARE(storedFiles(env.kb), QStringList{second.FileName});
}

void TestAttachmentStore::removeThatFailsKeepsTheFile()
{
    Env env;
    const AttachmentRow row = env.store.attachFile(QStringLiteral("0001"), env.sourceFile(QStringLiteral("a.doc"))).row;
    env.kb.dropTable(QStringLiteral("TDKFJ"));
    QVERIFY(!env.store.remove(row));
    QCOMPARE(storedFiles(env.kb), QStringList{row.FileName});
}

void TestAttachmentStore::listEditsWithoutRequery()
{
    Env env;
    env.kb.addAttachment(QStringLiteral("0001"), QStringLiteral("a.doc"), QStringLiteral("doc"), QStringLiteral("1.doc"));
    env.kb.addAttachment(QStringLiteral("0001"), QStringLiteral("b.doc"), QStringLiteral("doc"), QStringLiteral("2.doc"));
    AttachmentListModel model;
    QAbstractItemModelTester tester(&model, QAbstractItemModelTester::FailureReportingMode::QtTest);
    QVERIFY(model.load(env.dm, QStringLiteral("0001")));
    QSignalSpy inserted(&model, &QAbstractItemModel::rowsInserted);
    QSignalSpy reset(&model, &QAbstractItemModel::modelReset);

    model.appendRow({99, QStringLiteral("0001"), QStringLiteral("new.xls"), QStringLiteral("xls"), QStringLiteral("3.xls")});
    QCOMPARE(inserted.size(), 1);
    QCOMPARE(inserted[0][1].toInt(), 2);
    QCOMPARE(model.data(model.index(2, AttachmentListModel::NameColumn), Qt::DisplayRole).toString(), QStringLiteral("new.xls"));
    model.removeRowAt(0);
    model.removeRowAt(5);
    model.removeRowAt(-1);
    QCOMPARE(model.rowCount(), 2);
    QCOMPARE(model.rows()[0].FJName, QStringLiteral("b.doc"));
    QCOMPARE(model.rows()[1].ID, 99);
    QCOMPARE(reset.size(), 0);
}

void TestAttachmentStore::droppedFiles_data()
{
    QTest::addColumn<QStringList>("urls");
    QTest::addColumn<QStringList>("files");
    QTest::newRow("two files") << QStringList{"file:a.doc", "file:b 报价.xls"} << QStringList{"a.doc", "b 报价.xls"};
    QTest::newRow("folder left out") << QStringList{"file:sub", "file:a.doc"} << QStringList{"a.doc"};
    QTest::newRow("missing file left out") << QStringList{"file:gone.doc"} << QStringList();
    QTest::newRow("web address left out") << QStringList{"https://example.com/a.doc"} << QStringList();
}

void TestAttachmentStore::droppedFiles()
{
    QFETCH(QStringList, urls);
    QFETCH(QStringList, files);
    QTemporaryDir dir;
    writeBytes(dir.filePath(QStringLiteral("a.doc")), "a");
    writeBytes(dir.filePath(QStringLiteral("b 报价.xls")), "b");
    QVERIFY(QDir(dir.path()).mkdir(QStringLiteral("sub")));
    QList<QUrl> list;
    for (const QString &url : urls)
        list << (url.startsWith(QLatin1String("file:")) ? QUrl::fromLocalFile(dir.filePath(url.mid(5))) : QUrl(url));
    QMimeData data;
    data.setUrls(list);
    QStringList expected;
    for (const QString &name : files)
        expected << dir.filePath(name);
    QCOMPARE(::droppedFiles(&data), expected);
    QVERIFY(::droppedFiles(nullptr).isEmpty());
}

void TestAttachmentStore::dropFilterAcceptsFilesAndFolders()
{
    QTemporaryDir dir;
    writeBytes(dir.filePath(QStringLiteral("a.doc")), "a");
    QObject target;
    FileDropFilter filter;
    target.installEventFilter(&filter);
    QSignalSpy dropped(&filter, &FileDropFilter::filesDropped);
    QSignalSpy folders(&filter, &FileDropFilter::folderDropped);

    QMimeData web;
    web.setUrls({QUrl(QStringLiteral("https://example.com/a.doc"))});
    QDragEnterEvent refused(QPoint(1, 1), Qt::CopyAction | Qt::MoveAction, &web, Qt::LeftButton, {});
    QCoreApplication::sendEvent(&target, &refused);
    QVERIFY(!refused.isAccepted());

    QMimeData file;
    file.setUrls({QUrl::fromLocalFile(dir.filePath(QStringLiteral("a.doc")))});
    QDragEnterEvent enter(QPoint(1, 1), Qt::CopyAction | Qt::MoveAction, &file, Qt::LeftButton, {});
    QCoreApplication::sendEvent(&target, &enter);
    QVERIFY(enter.isAccepted());
    QCOMPARE(enter.dropAction(), Qt::CopyAction);

    QDropEvent drop(QPointF(1, 1), Qt::CopyAction | Qt::MoveAction, &file, Qt::LeftButton, {});
    QCoreApplication::sendEvent(&target, &drop);
    QVERIFY(drop.isAccepted());
    QCOMPARE(dropped.size(), 1);
    QCOMPARE(dropped[0][0].toStringList(), QStringList{dir.filePath(QStringLiteral("a.doc"))});

    // A folder is taken too, and imported as "目录导入" imports one.
    QMimeData folder;
    folder.setUrls({QUrl::fromLocalFile(dir.path())});
    QDropEvent folderDrop(QPointF(1, 1), Qt::CopyAction | Qt::MoveAction, &folder, Qt::LeftButton, {});
    QCoreApplication::sendEvent(&target, &folderDrop);
    QVERIFY(folderDrop.isAccepted());
    QCOMPARE(folders.size(), 1);
    QCOMPARE(folders[0][0].toString(), dir.path());
    QCOMPARE(dropped.size(), 1);
}

#ifdef Q_OS_UNIX
void TestAttachmentStore::folderImportTakesGbkNames()
{
    Env env;
    // A name written in GBK by Windows, as on a share: Qt's own listing leaves it out.
    const QByteArray gbkName("\xbc\xdb\xb8\xf1\xb1\xed.xls");   // 价格表.xls
    const QByteArray native = QFile::encodeName(env.source.path()) + '/' + gbkName;
    // Qt cannot remove what it cannot list: the test removes the file itself.
    const auto removeFile = qScopeGuard([&] { ::unlink(native.constData()); });
    {
        QFile file;
        const int fd = ::open(native.constData(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
        QVERIFY(fd >= 0);
        QVERIFY(file.open(fd, QIODevice::WriteOnly, QFileDevice::AutoCloseHandle));
        file.write("gbk named");
    }
    env.sourceFile(QStringLiteral("b.txt"), "utf8 named");
    QCOMPARE(importableFiles(env.source.path()), (QStringList{QStringLiteral("b.txt"), QStringLiteral("价格表.xls")}));

    const ImportReport report = env.store.importFolder(QStringLiteral("0001"), env.source.path());
    QVERIFY(report.failed.isEmpty());
    QCOMPARE(report.attached.size(), 2);
    QCOMPARE(report.attached[1].FJName, QStringLiteral("价格表.xls"));
    QCOMPARE(report.attached[1].ExdName, QStringLiteral("xls"));
    QCOMPARE(readBytes(env.store.storedPath(report.attached[1].FileName)), QByteArray("gbk named"));
}
#endif

QTEST_MAIN(TestAttachmentStore)
#include "tst_attachmentstore.moc"
