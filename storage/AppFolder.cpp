#include "storage/AppFolder.h"

#include <QDir>
#include <QFileInfo>

namespace appfolder {

QString folderOf(const QString &executableFilePath)
{
    QString folder = QFileInfo(executableFilePath).absolutePath();
    if (!folder.endsWith(QLatin1Char('/')))
        folder += QLatin1Char('/');
    return folder;
}

QString resolveRelative(const QString &folder, const QString &relative)
{
    QString path = folder;
    if (!path.isEmpty() && !path.endsWith(QLatin1Char('/')))
        path += QLatin1Char('/');
    QString rel = relative;
    rel.replace(QLatin1Char('\\'), QLatin1Char('/'));
    const QStringList parts = rel.split(QLatin1Char('/'), Qt::SkipEmptyParts);
    for (int i = 0; i < parts.size(); ++i) {
        QString part = parts[i];
        const QDir dir(path);
        if (!QFileInfo::exists(path + part)) {
            const QStringList entries = dir.entryList(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot);
            for (const QString &entry : entries) {
                if (entry.compare(part, Qt::CaseInsensitive) == 0) {
                    part = entry;
                    break;
                }
            }
        }
        path += part;
        if (i + 1 < parts.size() || rel.endsWith(QLatin1Char('/')))
            path += QLatin1Char('/');
    }
    return path;
}

} // namespace appfolder
