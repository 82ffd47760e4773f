#pragma once

// A throw-away X server for tests that need another process's view of the clipboard;
// -displayfd tells when it is ready and which display it took. Header-only, POSIX only.

#include <QByteArray>
#include <QEventLoop>
#include <QProcess>
#include <QStringList>
#include <QTimer>
#include <QFile>
#include <QStandardPaths>
#include <QString>

#include <csignal>
#include <fcntl.h>
#include <poll.h>
#include <sys/wait.h>
#include <unistd.h>

class XvfbServer
{
public:
    // problem() names what is missing when one of the programs is not installed.
    explicit XvfbServer(const QStringList &alsoNeeded = {})
    {
        const QString xvfb = QStandardPaths::findExecutable(QStringLiteral("Xvfb"));
        if (xvfb.isEmpty()) {
            m_problem = QStringLiteral("Xvfb is not installed");
            return;
        }
        for (const QString &program : alsoNeeded) {
            if (QStandardPaths::findExecutable(program).isEmpty()) {
                m_problem = program + QStringLiteral(" is not installed");
                return;
            }
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
                  "-screen", "0", "1024x768x24", static_cast<char *>(nullptr));
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
    XvfbServer(const XvfbServer &) = delete;
    XvfbServer &operator=(const XvfbServer &) = delete;

    QByteArray display() const { return m_display; }
    QString problem() const { return m_problem; }
    // Points Qt at this server, or at the offscreen platform when it could not start (the
    // tests then skip themselves). Call before the application object is made.
    void selectPlatform() const
    {
        if (m_problem.isEmpty()) {
            qputenv("QT_QPA_PLATFORM", "xcb");
            qputenv("DISPLAY", m_display);
        } else {
            qputenv("QT_QPA_PLATFORM", "offscreen");
        }
    }

private:
    pid_t m_pid = -1;
    QByteArray m_display;
    QString m_problem;
};

// Runs xclip on the clipboard selection and gives its output. The caller's event loop keeps
// running meanwhile, since xclip asks this very process for the data.
inline bool runXclip(const QStringList &arguments, QByteArray &output)
{
    QProcess process;
    QEventLoop loop;
    QObject::connect(&process, &QProcess::finished, &loop, &QEventLoop::quit);
    QObject::connect(&process, &QProcess::errorOccurred, &loop, &QEventLoop::quit);
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
