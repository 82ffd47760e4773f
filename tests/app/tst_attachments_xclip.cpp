// "复制文件" seen from another process: under a private Xvfb, xclip must find the stored copy
// offered as a file (URI list and the GNOME marker), not as a path in text.
#include "FakeDialogs.h"
#include "KnowledgeBaseFixture.h"
#include "TestFiles.h"
#include "XvfbServer.h"
#include "app/Startup.h"
#include "app/uMain.h"
#include "attachments/AttachmentPanel.h"
#include "storage/uDM.h"

#include <QApplication>
#include <QDir>
#include <QFileInfo>
#include <QProcess>
#include <QScopeGuard>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QPushButton>
#include <QTest>
#include <QUrl>

#include <memory>

class TestCopyFileSeenByXclip : public QObject
{
    Q_OBJECT
public:
    explicit TestCopyFileSeenByXclip(const QString &skipReason) : m_skipReason(skipReason) {}

private slots:
    void initTestCase();
    void cleanupTestCase();
    void targets();
    void uriList();
    void noTextPath();
    void pasteIntoAFileManager();

private:
    QString m_skipReason;
    std::unique_ptr<KnowledgeBaseFixture> m_kb;
    FakeDialogs m_dialogs;
    std::unique_ptr<TDM> m_dm;
    std::unique_ptr<TfrmMainFAQ> m_window;
};

void TestCopyFileSeenByXclip::initTestCase()
{
    if (!m_skipReason.isEmpty())
        QSKIP(qPrintable(m_skipReason));
    m_kb = std::make_unique<KnowledgeBaseFixture>();
    m_kb->addCategory(QStringLiteral("0001"), QStringLiteral("售前咨询"), QString(), 0);
    m_kb->addAttachment(QStringLiteral("0001"), QStringLiteral("价目表.xls"), QStringLiteral("xls"), QStringLiteral("20240315093007.xls"));
    m_kb->writeFile(QStringLiteral("DB/20240315093007.xls"), "price list");
    m_dm = std::make_unique<TDM>();
    m_window = startUp(m_dialogs, *m_dm, m_kb->executable());
    QVERIFY(QTest::qWaitForWindowExposed(m_window.get()));
    QTest::mouseClick(m_window->Button8, Qt::LeftButton);
    QCOMPARE(m_dialogs.messages, QStringList{AttachmentPanel::kFileCopiedAdvice});
}

void TestCopyFileSeenByXclip::cleanupTestCase()
{
    m_window.reset();
    m_dm.reset();
    m_kb.reset();
}

void TestCopyFileSeenByXclip::targets()
{
    QByteArray output;
    QVERIFY(runXclip({QStringLiteral("-t"), QStringLiteral("TARGETS"), QStringLiteral("-o")}, output));
    const QList<QByteArray> targets = output.split('\n');
    QVERIFY2(targets.contains("text/uri-list"), output.constData());
    QVERIFY2(targets.contains("x-special/gnome-copied-files"), output.constData());
}

void TestCopyFileSeenByXclip::uriList()
{
    QByteArray output;
    QVERIFY(runXclip({QStringLiteral("-t"), QStringLiteral("text/uri-list"), QStringLiteral("-o")}, output));
    // The stored copy's bytes under the attachment's own name, which the chat partner receives.
    QVERIFY(output.endsWith("\r\n"));
    const QString file = QUrl::fromEncoded(output.trimmed()).toLocalFile();
    QCOMPARE(QFileInfo(file).fileName(), QStringLiteral("价目表.xls"));
    QCOMPARE(readBytes(file), QByteArray("price list"));
    QVERIFY(!file.startsWith(m_kb->folder()));
}

void TestCopyFileSeenByXclip::noTextPath()
{
    QByteArray output;
    runXclip({QStringLiteral("-t"), QStringLiteral("UTF8_STRING"), QStringLiteral("-o")}, output);
    QCOMPARE(output, QByteArray());
}

// What a user does: the file manager pcmanfm shows a folder, Ctrl+V there. The file arrives
// under the attachment's own name with the stored copy's bytes.
void TestCopyFileSeenByXclip::pasteIntoAFileManager()
{
    for (const char *program : {"pcmanfm", "xdotool"}) {
        if (QStandardPaths::findExecutable(QLatin1String(program)).isEmpty())
            QSKIP(qPrintable(QLatin1String(program) + QStringLiteral(" is not installed")));
    }
    QTemporaryDir target(QDir::tempPath() + QStringLiteral("/粘贴 目标 XXXXXX"));
    QTemporaryDir home(QDir::tempPath() + QStringLiteral("/pcmanfm-home-XXXXXX"));
    QProcess manager;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("HOME"), home.path());
    manager.setProcessEnvironment(environment);
    manager.start(QStringLiteral("pcmanfm"), {target.path()});
    QVERIFY(manager.waitForStarted());
    const auto stop = qScopeGuard([&] {
        manager.kill();
        manager.waitForFinished();
    });
    QByteArray window;
    QVERIFY(QTest::qWaitFor([&] {
        QProcess search;
        search.start(QStringLiteral("xdotool"), {QStringLiteral("search"), QStringLiteral("--onlyvisible"), QStringLiteral("--class"), QStringLiteral("pcmanfm")});
        search.waitForFinished();
        window = search.readAllStandardOutput().split('\n').value(0).trimmed();
        return !window.isEmpty();
    }, 15000));
    QTest::qWait(500);
    QCOMPARE(QProcess::execute(QStringLiteral("xdotool"), {QStringLiteral("windowfocus"), QStringLiteral("--sync"), QString::fromLatin1(window)}), 0);
    QCOMPARE(QProcess::execute(QStringLiteral("xdotool"), {QStringLiteral("key"), QStringLiteral("ctrl+v")}), 0);
    // The file manager asks this process for the clipboard: events must flow while it pastes.
    const QString pasted = target.filePath(QStringLiteral("价目表.xls"));
    QVERIFY2(QTest::qWaitFor([&] { return readBytes(pasted) == "price list"; }, 15000), qPrintable(QDir(target.path()).entryList().join(',')));
}

int main(int argc, char **argv)
{
    XvfbServer server({QStringLiteral("xclip")});
    server.selectPlatform();
    QApplication app(argc, argv);
    TestCopyFileSeenByXclip test(server.problem());
    return QTest::qExec(&test, argc, argv);
}

#include "tst_attachments_xclip.moc"
