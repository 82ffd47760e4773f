#pragma once

#include <QObject>
#include <QStringList>

class QMimeData;

// Local files named by a drag's payload (a file manager's URI list); folders and remote URLs
// are left out.
QStringList droppedFiles(const QMimeData *data);
// The local folders it names.
QStringList droppedFolders(const QMimeData *data);

// Accepts drops of local files on the watched widget (a list's viewport) and reports them.
class FileDropFilter : public QObject
{
    Q_OBJECT
public:
    using QObject::QObject;

signals:
    void filesDropped(const QStringList &paths);
    // A dropped folder is imported as "目录导入" imports one.
    void folderDropped(const QString &folder);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;
};
