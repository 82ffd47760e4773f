// Another process's view of the clipboard: under a private Xvfb, xclip must see the copied
// file as a file (URI list and the GNOME marker), not as a path in text.
#include "attachments/uPub.h"

#include <QClipboard>
#include <QDir>
#include <QEventLoop>
#include <QFile>
#include <QGuiApplication>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QRegularExpression>
#include <QTest>
#include <QTimer>
#include <QUrl>

#include <csignal>
#include <fcntl.h>
#include <poll.h>
#include <sys/wait.h>
#include <unistd.h>

namespace {

// A throw-away X server; -displayfd tells when it is ready and which display it took.
class XvfbServer
{
public:
    XvfbServer()
    {
        const QString xvfb = QStandardPaths::findExecutable(QStringLiteral("Xvfb"));
        if (xvfb.isEmpty() || QStandardPaths::findExecutable(QStringLiteral("xclip")).isEmpty()) {
            m_problem = QStringLiteral("Xvfb or xclip is not installed");
            return;
        }
        int fds[2];
        if (pipe(fds) != 0) {
            m_problem = QStringLiteral("no pipe");
            return;
        }
        const QByteArray program = QFile::encodeName(xvfb);
        const QByteArray fd = QByteArray::number(fds[1]);
        m_pid = fork();
        if (m_pid == 0) {
            close(fds[0]);
            const int devNull = open("/dev/null", O_WRONLY);
            dup2(devNull, STDOUT_FILENO);
            dup2(devNull, STDERR_FILENO);
            execl(program.constData(), program.constData(), "-displayfd", fd.constData(), "-nolisten", "tcp",
                  "-screen", "0", "640x480x24", static_cast<char *>(nullptr));
            _exit(127);
        }
        close(fds[1]);
        QByteArray number;
        pollfd ready{fds[0], POLLIN, 0};
        while (m_pid > 0 && poll(&ready, 1, 20000) > 0) {
            char c;
            if (read(fds[0], &c, 1) != 1 || c == '\n')
                break;
            number.append(c);
        }
        close(fds[0]);
        if (number.isEmpty())
            m_problem = QStringLiteral("Xvfb did not start");
        else
            m_display = ':' + number;
    }
    ~XvfbServer()
    {
        if (m_pid > 0) {
            kill(m_pid, SIGTERM);
            waitpid(m_pid, nullptr, 0);
        }
    }
    QByteArray display() const { return m_display; }
    QString problem() const { return m_problem; }

private:
    pid_t m_pid = -1;
    QByteArray m_display;
    QString m_problem;
};

} // namespace

class TestClipboardSeenByXclip : public QObject
{
    Q_OBJECT
public:
    explicit TestClipboardSeenByXclip(const QString &skipReason) : m_skipReason(skipReason) {}

private slots:
    void init() { QTest::failOnWarning(QRegularExpression(QStringLiteral("."))); }
    void initTestCase();
    void targets();
    void contents_data();
    void contents();
    void noTextPath_data();
    void noTextPath();

private:
    bool xclip(const QStringList &arguments, QByteArray &output);

    QString m_skipReason;
    QTemporaryDir m_dir;
    QString m_path;
};

bool TestClipboardSeenByXclip::xclip(const QStringList &arguments, QByteArray &output)
{
    // Our event loop must keep running while xclip asks us for the data.
    QProcess process;
    QEventLoop loop;
    connect(&process, &QProcess::finished, &loop, &QEventLoop::quit);
    connect(&process, &QProcess::errorOccurred, &loop, &QEventLoop::quit);
    QTimer::singleShot(30000, &loop, &QEventLoop::quit);
    process.start(QStringLiteral("xclip"), QStringList{QStringLiteral("-selection"), QStringLiteral("clipboard")} + arguments);
    loop.exec();
    if (process.state() != QProcess::NotRunning) {
        process.kill();
        process.waitForFinished();
        return false;
    }
    output = process.readAllStandardOutput();
    return process.exitStatus() == QProcess::NormalExit && process.exitCode() == 0;
}

void TestClipboardSeenByXclip::initTestCase()
{
    if (!m_skipReason.isEmpty())
        QSKIP(qPrintable(m_skipReason));
    QVERIFY(m_dir.isValid());
    QVERIFY(QDir(m_dir.path()).mkdir(QStringLiteral("价目 表")));
    m_path = m_dir.filePath(QStringLiteral("价目 表/报价单 2024.xls"));
    QFile file(m_path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write("price list");
    file.close();

    QGuiApplication::clipboard()->setText(QStringLiteral("earlier answer"));
    QByteArray text;
    QVERIFY(xclip({QStringLiteral("-t"), QStringLiteral("UTF8_STRING"), QStringLiteral("-o")}, text));
    QCOMPARE(text, QByteArray("earlier answer"));

    CopyFileToClipboard(m_path);
}

void TestClipboardSeenByXclip::targets()
{
    QByteArray output;
    QVERIFY(xclip({QStringLiteral("-t"), QStringLiteral("TARGETS"), QStringLiteral("-o")}, output));
    const QList<QByteArray> targets = output.split('\n');
    QVERIFY2(targets.contains("text/uri-list"), output.constData());
    QVERIFY2(targets.contains("x-special/gnome-copied-files"), output.constData());
    QVERIFY2(targets.contains("application/x-kde-cutselection"), output.constData());
    QVERIFY2(!targets.contains("text/html"), output.constData());
}

void TestClipboardSeenByXclip::contents_data()
{
    QTest::addColumn<QString>("target");
    QTest::addColumn<QByteArray>("prefix");
    QTest::addColumn<QByteArray>("suffix");
    QTest::newRow("uri list") << QStringLiteral("text/uri-list") << QByteArray() << QByteArray("\r\n");
    QTest::newRow("gnome") << QStringLiteral("x-special/gnome-copied-files") << QByteArray("copy\n") << QByteArray();
}

void TestClipboardSeenByXclip::contents()
{
    QFETCH(QString, target);
    QFETCH(QByteArray, prefix);
    QFETCH(QByteArray, suffix);
    QByteArray output;
    QVERIFY(xclip({QStringLiteral("-t"), target, QStringLiteral("-o")}, output));
    QCOMPARE(output, prefix + QUrl::fromLocalFile(m_path).toEncoded() + suffix);
    QVERIFY(output.contains("%20"));
}

void TestClipboardSeenByXclip::noTextPath_data()
{
    QTest::addColumn<QString>("target");
    // Qt's X11 clipboard lists text/plain beside a URI list; asked for text it must give no path.
    for (const char *target : {"UTF8_STRING", "STRING", "TEXT", "text/plain", "text/plain;charset=utf-8"})
        QTest::newRow(target) << QString::fromLatin1(target);
}

void TestClipboardSeenByXclip::noTextPath()
{
    QFETCH(QString, target);
    QByteArray output;
    xclip({QStringLiteral("-t"), target, QStringLiteral("-o")}, output);
    QCOMPARE(output, QByteArray());
}

int main(int argc, char **argv)
{
    XvfbServer server;
    if (server.problem().isEmpty()) {
        qputenv("QT_QPA_PLATFORM", "xcb");
        qputenv("DISPLAY", server.display());
    } else {
        qputenv("QT_QPA_PLATFORM", "offscreen");
    }
    QGuiApplication app(argc, argv);
    TestClipboardSeenByXclip test(server.problem());
    return QTest::qExec(&test, argc, argv);
}

#include "tst_pub_xclip.moc"
