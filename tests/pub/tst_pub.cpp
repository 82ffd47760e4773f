#include "attachments/uPub.h"
#include "common/FaqError.h"
#include "common/TextCodec.h"

#include "FakeDialogs.h"

#include <QClipboard>
#include <QDesktopServices>
#include <QDir>
#include <QFile>
#include <QGuiApplication>
#include <QMimeData>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <QRegularExpression>
#include <QTest>
#include <QUrl>

namespace {

QByteArray randomBytes(qsizetype size, quint32 seed)
{
    QByteArray bytes(size, Qt::Uninitialized);
    QRandomGenerator generator(seed);
    for (char &byte : bytes)
        byte = static_cast<char>(generator.bounded(256));
    return bytes;
}

bool writeFile(const QString &path, const QByteArray &content)
{
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(content) == content.size();
}

QByteArray readFile(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

QStringList entries(const QString &dir)
{
    return QDir(dir).entryList(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot, QDir::Name);
}

// Records what the folder box was asked, on top of the scripted answers.
class RecordingDialogs : public FakeDialogs
{
public:
    QString selectFolder(const QString &caption, const QString &start) override
    {
        folderCaptions << caption;
        folderStarts << start;
        return FakeDialogs::selectFolder(caption, start);
    }
    QStringList folderCaptions;
    QStringList folderStarts;
};

} // namespace

class TestPub : public QObject
{
    Q_OBJECT
public slots:
    void openUrl(const QUrl &url) { openedUrls << url; }

private slots:
    void init() { QTest::failOnWarning(QRegularExpression(QStringLiteral("."))); }
    void initTestCase();
    void getExdName_data();
    void getExdName();
    void dropFilesBlock_data();
    void dropFilesBlock();
    void copyFileByStream_data();
    void copyFileByStream();
    void copyFileOntoItself();
    void newTargetPermissions();
    void copyFileByStreamFails_data();
    void copyFileByStreamFails();
    void copyFileByStreamShortRead();
    void selectFolder_data();
    void selectFolder();
    void fileMimeData_data();
    void fileMimeData();
    void copyFileToClipboardReplacesText();
    void shellOpenFile();

private:
    QTemporaryDir m_root;
    QString m_dir;
    QList<QUrl> openedUrls;
};

void TestPub::initTestCase()
{
    QVERIFY(m_root.isValid());
    // Fixtures sit on a path with Chinese characters and blanks.
    m_dir = m_root.filePath(QStringLiteral("附件 目录"));
    QVERIFY(QDir().mkpath(m_dir));
}

void TestPub::getExdName_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("expected");

    QTest::newRow("no dot") << QStringLiteral("报价单") << QStringLiteral("报价单");
    QTest::newRow("one dot") << QStringLiteral("price.xls") << QStringLiteral("xls");
    QTest::newRow("two dots") << QStringLiteral("a.b.doc") << QStringLiteral("doc");
    QTest::newRow("three dots") << QStringLiteral("a.b.c.doc") << QStringLiteral("doc");
    QTest::newRow("four dots") << QStringLiteral("a.b.c.d.doc") << QStringLiteral("d.doc");
    QTest::newRow("six dots") << QStringLiteral("setup.1.2.3.tar.gz") << QStringLiteral("3.tar.gz");
    QTest::newRow("leading dot") << QStringLiteral(".profile") << QStringLiteral("profile");
    QTest::newRow("trailing dot") << QStringLiteral("notes.") << QString();
    QTest::newRow("empty") << QString() << QString();
    QTest::newRow("double dot") << QStringLiteral("a..b") << QStringLiteral("b");
    QTest::newRow("chinese with type") << QStringLiteral("报价单.xls") << QStringLiteral("xls");

    QTest::newRow("windows folder with dot") << QStringLiteral("D:\\docs.2024\\notes.txt") << QStringLiteral("txt");
    QTest::newRow("unix folder with dot") << QStringLiteral("/home/u/docs.2024/notes.txt") << QStringLiteral("txt");
    QTest::newRow("folder dots, name without") << QStringLiteral("D:\\a.b.c\\报价单") << QStringLiteral("报价单");
    QTest::newRow("unc path") << QStringLiteral("\\\\server\\share.v2\\a.b.c.d.doc") << QStringLiteral("d.doc");
    QTest::newRow("drive colon") << QStringLiteral("C:notes.txt") << QStringLiteral("txt");
    QTest::newRow("drive colon ends folder part") << QStringLiteral("C:报价单") << QStringLiteral("报价单");
    QTest::newRow("drive root") << QStringLiteral("C:\\") << QString();
    QTest::newRow("drive colon then dotted name") << QStringLiteral("C:.profile") << QStringLiteral("profile");
    QTest::newRow("other colon kept") << QStringLiteral("备注:v1") << QStringLiteral("备注:v1");
    QTest::newRow("chinese folders") << QStringLiteral("D:\\资料 2024\\价目表.v2\\报价 单.xls") << QStringLiteral("xls");
    // 乗 and 昞 end in byte 5C, the code of '\', in GBK.
    QTest::newRow("trail 5C ends name") << QStringLiteral("D:\\x.y\\乗") << QStringLiteral("乗");
    QTest::newRow("trail 5C in name") << QStringLiteral("D:\\x.y\\昞.doc") << QStringLiteral("doc");
    QTest::newRow("trail 5C in folder") << QStringLiteral("D:\\乗.z\\昞\\a") << QStringLiteral("a");
}

void TestPub::getExdName()
{
    QFETCH(QString, name);
    QFETCH(QString, expected);
    QCOMPARE(GetExdName(name), expected);
    QCOMPARE(textcodec::fromGbk(GetExdNameGbk(textcodec::toGbk(name))), expected);
}

void TestPub::dropFilesBlock_data()
{
    QTest::addColumn<QString>("path");
    QTest::addColumn<int>("pathBytes");
    QTest::newRow("ascii") << QStringLiteral("C:\\a.txt") << 8;
    QTest::newRow("chinese two bytes each") << QStringLiteral("D:\\资料\\报价单.xls") << 18;
    QTest::newRow("blanks") << QStringLiteral("D:\\价目 表\\a b.doc") << 18;
    QTest::newRow("empty") << QString() << 0;
}

void TestPub::dropFilesBlock()
{
    QFETCH(QString, path);
    QFETCH(int, pathBytes);
    const QByteArray ansi = textcodec::toGbk(path);
    QCOMPARE(ansi.size(), pathBytes);

    const QByteArray block = ::dropFilesBlock(ansi);
    QCOMPARE(block.size(), pathBytes + 22);
    QCOMPARE(block.left(4), QByteArray::fromHex("14000000"));
    QCOMPARE(block.mid(4, 16), QByteArray(16, '\0'));
    QCOMPARE(block.mid(20, pathBytes), ansi);
    QCOMPARE(block.right(2), QByteArray(2, '\0'));
}

void TestPub::copyFileByStream_data()
{
    QTest::addColumn<int>("sourceSize");
    QTest::addColumn<int>("existingTargetSize"); // -1: no target yet
    QTest::newRow("small new") << 10 << -1;
    QTest::newRow("empty source") << 0 << -1;
    QTest::newRow("empty source over existing") << 0 << 5000;
    QTest::newRow("one chunk exactly") << 256 * 1024 << -1;
    QTest::newRow("one chunk and a byte") << 256 * 1024 + 1 << -1;
    QTest::newRow("several chunks") << 3 * 1024 * 1024 + 17 << -1;
    QTest::newRow("longer target truncated") << 1000 << 3 * 1024 * 1024;
    QTest::newRow("shorter target grown") << 70000 << 10;
}

void TestPub::copyFileByStream()
{
    QFETCH(int, sourceSize);
    QFETCH(int, existingTargetSize);
    const QString source = m_dir + QStringLiteral("/源 文件.xls");
    const QString target = m_dir + QStringLiteral("/20240315093007.xls");
    QFile::remove(target);
    const QByteArray content = randomBytes(sourceSize, quint32(sourceSize));
    QVERIFY(writeFile(source, content));
    if (existingTargetSize >= 0)
        QVERIFY(writeFile(target, QByteArray(existingTargetSize, 'x')));

    CopyFileByStream(source, target);

    QCOMPARE(QFileInfo(target).size(), qint64(sourceSize));
    QVERIFY(readFile(target) == content);
    QCOMPARE(readFile(source), content);
    QCOMPARE(entries(m_dir), QStringList({QStringLiteral("20240315093007.xls"), QStringLiteral("源 文件.xls")}));
    QFile::remove(source);
    QFile::remove(target);
}

void TestPub::copyFileOntoItself()
{
    // Truncating the target first would wipe a file copied onto itself.
    const QString path = m_dir + QStringLiteral("/自身.doc");
    const QByteArray content = randomBytes(100000, 7);
    QVERIFY(writeFile(path, content));
    CopyFileByStream(path, path);
    QVERIFY(readFile(path) == content);
    QVERIFY(QFile::remove(path));
}

void TestPub::newTargetPermissions()
{
    // A stored copy must stay readable for the user's other programs, like any new file.
    const QString source = m_dir + QStringLiteral("/权限.txt");
    const QString target = m_dir + QStringLiteral("/权限 副本.txt");
    QVERIFY(writeFile(source, "x"));
    QVERIFY(QFile::setPermissions(source, QFileDevice::ReadOwner));
    CopyFileByStream(source, target);
    QFile probe(m_dir + QStringLiteral("/新建.txt"));
    QVERIFY(probe.open(QIODevice::WriteOnly));
    probe.close();
    QCOMPARE(QFileInfo(target).permissions(), QFileInfo(probe.fileName()).permissions());
    QFile::setPermissions(source, QFileDevice::ReadOwner | QFileDevice::WriteOwner);
    QVERIFY(QFile::remove(source));
    QVERIFY(QFile::remove(target));
    QVERIFY(QFile::remove(probe.fileName()));
}

void TestPub::copyFileByStreamFails_data()
{
    QTest::addColumn<QString>("kind");
    QTest::addColumn<bool>("targetExists");
    QTest::newRow("missing source") << "missing" << false;
    QTest::newRow("missing source, target kept") << "missing" << true;
    QTest::newRow("directory as source") << "directory" << false;
    QTest::newRow("unreadable source") << "unreadable" << false;
    QTest::newRow("unreadable source, target kept") << "unreadable" << true;
    QTest::newRow("target in missing folder") << "missing folder" << false;
    QTest::newRow("target is a directory") << "target directory" << false;
}

void TestPub::copyFileByStreamFails()
{
    QFETCH(QString, kind);
    QFETCH(bool, targetExists);

    QTemporaryDir scratch(m_dir + QStringLiteral("/失败 XXXXXX"));
    QVERIFY(scratch.isValid());
    QString source = scratch.filePath(QStringLiteral("源 文件.doc"));
    QString target = scratch.filePath(QStringLiteral("目标.doc"));
    const QByteArray oldTarget("earlier content of the target");

    if (kind != QLatin1String("missing"))
        QVERIFY(writeFile(source, "some content"));
    if (kind == QLatin1String("directory")) {
        source = scratch.filePath(QStringLiteral("子目录"));
        QVERIFY(QDir().mkdir(source));
    } else if (kind == QLatin1String("unreadable")) {
        QVERIFY(QFile::setPermissions(source, QFileDevice::Permissions()));
        QFile probe(source);
        if (probe.open(QIODevice::ReadOnly))
            QSKIP("file permissions are not enforced for this user (root)");
    } else if (kind == QLatin1String("missing folder")) {
        target = scratch.filePath(QStringLiteral("没有的目录/目标.doc"));
    } else if (kind == QLatin1String("target directory")) {
        QVERIFY(QDir().mkdir(target));
    }
    if (targetExists)
        QVERIFY(writeFile(target, oldTarget));
    const QStringList before = entries(scratch.path());

    bool thrown = false;
    try {
        CopyFileByStream(source, target);
    } catch (const FaqError &error) {
        thrown = true;
        QVERIFY(!error.message().isEmpty());
    }
    QVERIFY(thrown);
    // Nothing created, nothing half-written, an earlier target untouched.
    QCOMPARE(entries(scratch.path()), before);
    if (targetExists)
        QCOMPARE(readFile(target), oldTarget);
    QVERIFY(!QFileInfo::exists(scratch.filePath(QStringLiteral("没有的目录"))));
    QFile::setPermissions(source, QFileDevice::ReadOwner | QFileDevice::WriteOwner);
}

void TestPub::copyFileByStreamShortRead()
{
    // sysfs files claim a size of a page but hold less: the copy runs out of bytes midway.
    const QString source = QStringLiteral("/sys/kernel/mm/transparent_hugepage/enabled");
    QFile probe(source);
    if (!probe.open(QIODevice::ReadOnly) || probe.size() <= probe.readAll().size())
        QSKIP("no file whose content is shorter than its size");
    const QString target = m_dir + QStringLiteral("/短.txt");
    const QStringList before = entries(m_dir);
    QVERIFY_THROWS_EXCEPTION(FaqError, CopyFileByStream(source, target));
    QVERIFY(!QFileInfo::exists(target));
    QCOMPARE(entries(m_dir), before);
}

void TestPub::selectFolder_data()
{
    QTest::addColumn<QString>("answer");
    QTest::addColumn<bool>("expectedResult");
    QTest::addColumn<QString>("expectedPath");
    QTest::newRow("folder") << QStringLiteral("/tmp/资料 2024") << true << QStringLiteral("/tmp/资料 2024");
    QTest::newRow("trailing separator dropped") << QStringLiteral("/tmp/资料 2024/") << true << QStringLiteral("/tmp/资料 2024");
    QTest::newRow("root keeps separator") << QStringLiteral("/") << true << QStringLiteral("/");
    QTest::newRow("drive root keeps separator") << QStringLiteral("C:/") << true << QStringLiteral("C:/");
    QTest::newRow("native drive root") << QStringLiteral("C:\\") << true << QStringLiteral("C:\\");
    QTest::newRow("native trailing separator") << QStringLiteral("D:\\资料\\") << true << QStringLiteral("D:\\资料");
    QTest::newRow("cancelled") << QString() << false << QString();
}

void TestPub::selectFolder()
{
    QFETCH(QString, answer);
    QFETCH(bool, expectedResult);
    QFETCH(QString, expectedPath);
    RecordingDialogs dialogs;
    if (!answer.isEmpty())
        dialogs.folderAnswers.enqueue(answer);
    QString path = QStringLiteral("left over from before");

    QCOMPARE(SelectFolder(dialogs, QStringLiteral("请选择要导入的目录"), path), expectedResult);
    QCOMPARE(path, expectedPath);
    QCOMPARE(dialogs.folderCaptions, QStringList{QStringLiteral("请选择要导入的目录")});
    QCOMPARE(dialogs.folderStarts, QStringList{QString()});
    QCOMPARE(dialogs.shown, QStringList{QStringLiteral("folder")});
}

void TestPub::fileMimeData_data()
{
    QTest::addColumn<QString>("path");
    QTest::addColumn<QByteArray>("url");
    QTest::newRow("chinese and blanks")
        << QStringLiteral("/tmp/价目表 2024/报价 单.xls")
        << QByteArray("file:///tmp/%E4%BB%B7%E7%9B%AE%E8%A1%A8%202024/%E6%8A%A5%E4%BB%B7%20%E5%8D%95.xls");
    QTest::newRow("hash and percent") << QStringLiteral("/srv/a#b%c.txt") << QByteArray("file:///srv/a%23b%25c.txt");
    QTest::newRow("plain") << QStringLiteral("/srv/price.xls") << QByteArray("file:///srv/price.xls");
}

void TestPub::fileMimeData()
{
    QFETCH(QString, path);
    QFETCH(QByteArray, url);
    const std::unique_ptr<QMimeData> data(::fileMimeData(path));

    QStringList formats = data->formats();
    formats.sort();
    QCOMPARE(formats, QStringList({QStringLiteral("application/x-kde-cutselection"), QStringLiteral("text/uri-list"),
                                   QStringLiteral("x-special/gnome-copied-files")}));
    // Qt would hand the URLs out as text; the path must not reach a paste target as text.
    QVERIFY(!data->hasFormat(QStringLiteral("text/plain")));
    QCOMPARE(data->text(), QString());
    QCOMPARE(data->data(QStringLiteral("text/plain")), QByteArray());
    QCOMPARE(data->data(QStringLiteral("text/uri-list")), url + "\r\n");
    QCOMPARE(data->data(QStringLiteral("x-special/gnome-copied-files")), "copy\n" + url);
    QCOMPARE(data->data(QStringLiteral("application/x-kde-cutselection")), QByteArray("0"));
    QCOMPARE(data->urls(), QList<QUrl>{QUrl::fromLocalFile(path)});
    QCOMPARE(data->urls().value(0).toLocalFile(), path);
}

void TestPub::copyFileToClipboardReplacesText()
{
    QClipboard *clipboard = QGuiApplication::clipboard();
    clipboard->setText(QStringLiteral("earlier answer"));
    QCOMPARE(clipboard->text(), QStringLiteral("earlier answer"));
    const QString path = m_dir + QStringLiteral("/不存在 的文件.doc"); // existence is not checked

    CopyFileToClipboard(path);

    const QMimeData *data = clipboard->mimeData();
    QVERIFY(data);
    QVERIFY(!data->hasFormat(QStringLiteral("text/plain")));
    QCOMPARE(clipboard->text(), QString());
    QVERIFY(!data->hasHtml());
    QCOMPARE(data->urls(), QList<QUrl>{QUrl::fromLocalFile(path)});
    QVERIFY(data->hasFormat(QStringLiteral("x-special/gnome-copied-files")));
}

void TestPub::shellOpenFile()
{
    QDesktopServices::setUrlHandler(QStringLiteral("file"), this, "openUrl");
    const QString path = m_dir + QStringLiteral("/价目表 2024.xls");
    ShellOpenFile(path);
    ShellOpenFile(QString());
    QDesktopServices::unsetUrlHandler(QStringLiteral("file"));
    QCOMPARE(openedUrls, QList<QUrl>{QUrl::fromLocalFile(path)});
    QCOMPARE(openedUrls.value(0).toLocalFile(), path);
}

QTEST_MAIN(TestPub)
#include "tst_pub.moc"
