#include "app/Browser.h"

#include <QDesktopServices>
#include <QDir>
#include <QUrl>

void OpenWithBrowser(const QString &target)
{
    // A path becomes a file URL, so blanks and Chinese characters in it need no quoting.
    const QUrl url = QDir::isAbsolutePath(target) ? QUrl::fromLocalFile(target) : QUrl(target);
    QDesktopServices::openUrl(url);
}
