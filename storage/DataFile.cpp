#include "storage/DataFile.h"

#include "storage/AppFolder.h"

#include <QRegularExpression>

namespace datafile {

namespace {

bool isOwnFile(const QString &name)
{
    static const QRegularExpression own(QStringLiteral("^(ZYDBFAQ\\.dat(-journal|-wal|-shm)?|(\\d{4}){1,3}\\.rtf)$"),
                                        QRegularExpression::CaseInsensitiveOption);
    return own.match(name).hasMatch();
}

} // namespace

QString dataFile(const QString &applicationFolder, const QString &name)
{
    if (name.isEmpty() || name == QLatin1String(".") || name == QLatin1String("..") || isOwnFile(name))
        return QString();
    for (const QChar c : name) {
        if (c == QLatin1Char('/') || c == QLatin1Char('\\') || c == QLatin1Char(':') || c.unicode() < 0x20 || c.unicode() == 0x7f)
            return QString();
    }
    return applicationFolder + QLatin1String(appfolder::kDataFolder) + name;
}

bool isWellFormedCode(const QString &code)
{
    static const QRegularExpression wellFormed(QStringLiteral("^(\\d{4}){1,3}$"));
    return wellFormed.match(code).hasMatch();
}

QString answerDocument(const QString &applicationFolder, const QString &code)
{
    if (!isWellFormedCode(code))
        return QString();
    return applicationFolder + QLatin1String(appfolder::kDataFolder) + code + QStringLiteral(".rtf");
}

} // namespace datafile
