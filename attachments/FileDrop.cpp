#include "attachments/FileDrop.h"

#include <QDropEvent>
#include <QFileInfo>
#include <QMimeData>
#include <QUrl>

namespace {

QStringList droppedLocal(const QMimeData *data, bool folders)
{
    QStringList paths;
    if (!data || !data->hasUrls())
        return paths;
    for (const QUrl &url : data->urls()) {
        if (!url.isLocalFile())
            continue;
        const QString path = url.toLocalFile();
        const QFileInfo info(path);
        if (folders ? info.isDir() : info.isFile())
            paths.append(path);
    }
    return paths;
}

} // namespace

QStringList droppedFiles(const QMimeData *data)
{
    return droppedLocal(data, false);
}

QStringList droppedFolders(const QMimeData *data)
{
    return droppedLocal(data, true);
}

bool FileDropFilter::eventFilter(QObject *watched, QEvent *event)
{
    switch (event->type()) {
    case QEvent::DragEnter:
    case QEvent::DragMove: {
        auto *drag = static_cast<QDragMoveEvent *>(event);
        if (droppedFiles(drag->mimeData()).isEmpty() && droppedFolders(drag->mimeData()).isEmpty()) {
            drag->ignore();
        } else {
            // A copy: the dragged file stays where it is.
            drag->setDropAction(Qt::CopyAction);
            drag->accept();
        }
        return true;
    }
    case QEvent::Drop: {
        auto *drop = static_cast<QDropEvent *>(event);
        const QStringList paths = droppedFiles(drop->mimeData());
        const QStringList folders = droppedFolders(drop->mimeData());
        if (paths.isEmpty() && folders.isEmpty()) {
            drop->ignore();
            return true;
        }
        drop->setDropAction(Qt::CopyAction);
        drop->accept();
        if (!paths.isEmpty())
            emit filesDropped(paths);
        for (const QString &folder : folders)
            emit folderDropped(folder);
        return true;
    }
    default:
        return QObject::eventFilter(watched, event);
    }
}
