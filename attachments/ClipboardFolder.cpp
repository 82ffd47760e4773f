#include "attachments/ClipboardFolder.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>

#ifdef Q_OS_UNIX
#include <csignal>
#include <cerrno>
#include <unistd.h>
#endif

namespace {

const QString kPrefix = QStringLiteral("TarkelFAQvuviri-");

bool processAlive(qint64 pid)
{
#ifdef Q_OS_UNIX
    return pid > 0 && (::kill(pid_t(pid), 0) == 0 || errno == EPERM);
#else
    // Without a cheap test, another run's folder is left alone.
    return pid > 0;
#endif
}

bool hardLink(const QString &from, const QString &to)
{
#ifdef Q_OS_UNIX
    return ::link(QFile::encodeName(from).constData(), QFile::encodeName(to).constData()) == 0;
#else
    Q_UNUSED(from);
    Q_UNUSED(to);
    return false;
#endif
}

} // namespace

ClipboardFolder::ClipboardFolder(const QString &root)
    : m_root(root)
{
    QDir(m_root).removeRecursively();
}

ClipboardFolder::~ClipboardFolder()
{
    QDir(m_root).removeRecursively();
}

QString ClipboardFolder::defaultRoot()
{
    return QDir::tempPath() + QLatin1Char('/') + kPrefix + QString::number(QCoreApplication::applicationPid());
}

QString ClipboardFolder::place(const QString &storedCopy, const QString &name, QString *error)
{
    const QString folder = m_root + QLatin1Char('/') + QString::number(++m_next);
    QDir(folder).removeRecursively();
    if (!QDir().mkpath(folder)) {
        if (error)
            *error = QStringLiteral("无法建立文件夹 %1").arg(QDir::toNativeSeparators(folder));
        return QString();
    }
    // Only the last files stay; an older paste target may still be in use, so a few are kept.
    QDir(m_root + QLatin1Char('/') + QString::number(m_next - kKeptFiles)).removeRecursively();

    const QString target = folder + QLatin1Char('/') + name;
    if (hardLink(storedCopy, target))
        return target;
    QFile source(storedCopy);
    if (!source.copy(target)) {
        if (error)
            *error = source.errorString();
        return QString();
    }
    return target;
}

QString ClipboardFolder::fileName(const QString &shownName, const QString &type)
{
    QString name = shownName.trimmed();
    if (!type.isEmpty() && !name.endsWith(QLatin1Char('.') + type, Qt::CaseInsensitive))
        name += QLatin1Char('.') + type;
    for (QChar &c : name) {
        if (c.unicode() < 0x20 || QStringLiteral("/\\:*?\"<>|").contains(c))
            c = QLatin1Char('_');
    }
    // Windows refuses names that end in a dot or a blank.
    while (name.endsWith(QLatin1Char('.')) || name.endsWith(QLatin1Char(' ')))
        name.chop(1);
    return name.isEmpty() || name == QLatin1String("..") ? QStringLiteral("附件") : name;
}

void ClipboardFolder::removeStale(const QString &temporaryFolder)
{
    const QFileInfoList runs =
        QDir(temporaryFolder).entryInfoList({kPrefix + QLatin1Char('*')}, QDir::Dirs | QDir::NoDotAndDotDot | QDir::NoSymLinks);
    for (const QFileInfo &run : runs) {
        bool ok = false;
        const qint64 pid = run.fileName().mid(kPrefix.size()).toLongLong(&ok);
        if (ok && !processAlive(pid))
            QDir(run.absoluteFilePath()).removeRecursively();
    }
}
