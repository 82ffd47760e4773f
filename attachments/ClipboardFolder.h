#pragma once

#include <QString>

// Files put on the clipboard under the attachment's own name. The stored copy in DB/ has a
// time-stamp name; a chat partner would receive "20261211141147.xlsx". So the copy goes on the
// clipboard as a hard link (a copy where linking fails) named as the list shows it, in a folder
// of this run outside DB/: <temp>/TarkelFAQvuviri-<process id>/<n>/<name>. Each file has a
// folder of its own (two attachments may share a name); only the last 20 are kept. The folder
// is emptied when the program starts and when it ends; folders of earlier runs that ended
// without emptying theirs go at start.
class ClipboardFolder
{
public:
    static constexpr int kKeptFiles = 20;

    // root: the folder of this run; the default is under the system's temporary folder.
    explicit ClipboardFolder(const QString &root = defaultRoot());
    ~ClipboardFolder();
    ClipboardFolder(const ClipboardFolder &) = delete;
    ClipboardFolder &operator=(const ClipboardFolder &) = delete;

    static QString defaultRoot();

    // The stored copy under the name, ready for the clipboard; empty when neither a link nor a
    // copy could be made (the reason in *error).
    QString place(const QString &storedCopy, const QString &name, QString *error = nullptr);

    // The attachment's file name as the list shows it: FJName, with "." and its type added when
    // FJName does not end in them already; characters a file system refuses become "_".
    static QString fileName(const QString &shownName, const QString &type);

    // Removes the folders that runs no longer alive left under the temporary folder.
    static void removeStale(const QString &temporaryFolder);

    const QString &root() const { return m_root; }

private:
    QString m_root;
    int m_next = 0;
};
