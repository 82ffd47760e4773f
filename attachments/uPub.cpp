#include "attachments/uPub.h"

#include "common/Dialogs.h"
#include "common/FaqError.h"
#include "common/TextCodec.h"

#include <QClipboard>
#include <QDesktopServices>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QGuiApplication>
#include <QMimeData>
#include <QSaveFile>
#include <QUrl>
#include <QtEndian>

#ifdef Q_OS_UNIX
#include <fcntl.h>
#include <unistd.h>
#endif

#include <cstring>

namespace {

constexpr qint64 kCopyChunk = 256 * 1024;
constexpr int kExtensionRounds = 3;

bool isAsciiLetter(char c)
{
    return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z');
}

// Works the same on QString and on GBK bytes: a '.' never occurs inside a GBK character.
template <typename Text>
Text dropThroughFirstDots(Text name)
{
    for (int round = 0; round < kExtensionRounds; ++round) {
        const auto dot = name.indexOf('.');
        if (dot < 0)
            break;
        name.remove(0, dot + 1);
    }
    return name;
}

// Qt offers a URI list as plain text as well (QMimeData::text() falls back to the URLs, and the
// X11 clipboard lists text/plain beside text/uri-list). A chat program that prefers text would
// then paste the path instead of the file, so the text is always empty.
class FileMimeData : public QMimeData
{
protected:
    QVariant retrieveData(const QString &mimeType, QMetaType type) const override
    {
        if (mimeType.startsWith(QLatin1String("text/plain")))
            return QVariant(type.isValid() ? type : QMetaType::fromType<QByteArray>(), nullptr);
        return QMimeData::retrieveData(mimeType, type);
    }
};

QString shownPath(const QString &path)
{
    return QDir::toNativeSeparators(path);
}

} // namespace

QString GetExdName(const QString &fileName)
{
    qsizetype start = 0;
    if (fileName.size() >= 2 && fileName[1] == QLatin1Char(':') && isAsciiLetter(fileName[0].toLatin1()))
        start = 2;
    for (qsizetype i = start; i < fileName.size(); ++i) {
        if (fileName[i] == QLatin1Char('\\') || fileName[i] == QLatin1Char('/'))
            start = i + 1;
    }
    return dropThroughFirstDots(fileName.mid(start));
}

QByteArray GetExdNameGbk(const QByteArray &gbkFileName)
{
    const qsizetype n = gbkFileName.size();
    qsizetype start = 0;
    if (n >= 2 && gbkFileName[1] == ':' && isAsciiLetter(gbkFileName[0]))
        start = 2;
    for (qsizetype i = start; i < n;) {
        const char byte = gbkFileName[i];
        if (textcodec::isLeadByte(936, static_cast<unsigned char>(byte)) && i + 1 < n) {
            i += 2; // the trail byte may be 5C, the code of '\'
            continue;
        }
        if (byte == '\\' || byte == '/')
            start = i + 1;
        ++i;
    }
    return dropThroughFirstDots(gbkFileName.mid(start));
}

namespace {

void copyOpenFile(QFile &in, const QString &source, const QString &target)
{
    const qint64 size = in.size();

    // Written beside the target and renamed over it only when complete, so a failure leaves
    // neither a partial copy nor a damaged earlier file.
    QSaveFile out(target);
    if (!out.open(QIODevice::WriteOnly))
        throw FaqError(QStringLiteral("无法创建文件 %1：%2").arg(shownPath(target), out.errorString()));

    QByteArray buffer(static_cast<qsizetype>(qMin(size, kCopyChunk)), Qt::Uninitialized);
    qint64 left = size;
    while (left > 0) {
        const qint64 got = in.read(buffer.data(), qMin(left, kCopyChunk));
        if (got <= 0) {
            const QString reason = got < 0 ? in.errorString() : QStringLiteral("文件比开始复制时短");
            throw FaqError(QStringLiteral("读取文件 %1 出错：%2").arg(shownPath(source), reason));
        }
        if (out.write(buffer.constData(), got) != got)
            throw FaqError(QStringLiteral("写入文件 %1 出错：%2").arg(shownPath(target), out.errorString()));
        left -= got;
    }
    if (!out.commit())
        throw FaqError(QStringLiteral("写入文件 %1 出错：%2").arg(shownPath(target), out.errorString()));
}

} // namespace

void CopyFileByStream(const QString &source, const QString &target)
{
    QFile in(source);
    if (!in.open(QIODevice::ReadOnly))
        throw FaqError(QStringLiteral("无法打开文件 %1：%2").arg(shownPath(source), in.errorString()));
    copyOpenFile(in, source, target);
}

void CopyNativeFileByStream(const QByteArray &nativeSource, const QString &source, const QString &target)
{
    QFile in;
#ifdef Q_OS_UNIX
    const int fd = ::open(nativeSource.constData(), O_RDONLY | O_CLOEXEC);
    if (fd < 0 || !in.open(fd, QIODevice::ReadOnly, QFileDevice::AutoCloseHandle)) {
        if (fd >= 0)
            ::close(fd);
        throw FaqError(QStringLiteral("无法打开文件 %1").arg(shownPath(source)));
    }
#else
    in.setFileName(QFile::decodeName(nativeSource));
    if (!in.open(QIODevice::ReadOnly))
        throw FaqError(QStringLiteral("无法打开文件 %1：%2").arg(shownPath(source), in.errorString()));
#endif
    copyOpenFile(in, source, target);
}

bool SelectFolder(Dialogs &dialogs, const QString &title, QString &path)
{
    path.clear();
    const QString chosen = dialogs.selectFolder(title, QString());
    if (chosen.isEmpty())
        return false;
    path = chosen;
    // A root keeps its separator ("/", "C:/"), any other folder has none.
    const auto isSeparator = [](QChar c) { return c == QLatin1Char('/') || c == QLatin1Char('\\'); };
    while (path.size() > 1 && isSeparator(path.back()) && !(path.size() == 3 && path[1] == QLatin1Char(':')))
        path.chop(1);
    return true;
}

void ShellOpenFile(const QString &path)
{
    if (path.isEmpty())
        return;
    QDesktopServices::openUrl(QUrl::fromLocalFile(path));
}

QByteArray dropFilesBlock(const QByteArray &ansiPath)
{
    constexpr qsizetype kHeaderSize = 20;
    // Zero-filled: drop point, fNC, fWide and both closing zeros need no writing.
    QByteArray block(kHeaderSize + ansiPath.size() + 2, '\0');
    qToLittleEndian<quint32>(kHeaderSize, block.data());
    if (!ansiPath.isEmpty())
        std::memcpy(block.data() + kHeaderSize, ansiPath.constData(), static_cast<size_t>(ansiPath.size()));
    return block;
}

QMimeData *fileMimeData(const QString &path)
{
    const QByteArray url = QUrl::fromLocalFile(QFileInfo(path).absoluteFilePath()).toEncoded();
    auto *data = new FileMimeData;
    data->setData(QString::fromLatin1(clipformat::kUriList), url + "\r\n");
    data->setData(QString::fromLatin1(clipformat::kGnomeCopiedFiles), "copy\n" + url);
    data->setData(QString::fromLatin1(clipformat::kKdeCutSelection), "0");
    return data;
}

#ifndef Q_OS_WIN
void CopyFileToClipboard(const QString &path)
{
    if (!qGuiApp)
        return;
    QGuiApplication::clipboard()->setMimeData(fileMimeData(path), QClipboard::Clipboard);
}
#endif
