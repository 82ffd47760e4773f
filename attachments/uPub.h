#pragma once

#include <QByteArray>
#include <QString>

class Dialogs;
class QMimeData;

// Shared file, folder and clipboard helpers of the attachment operations. They keep no state and
// show no messages: each caller decides what to tell the user.

namespace clipformat {
// Names of the clipboard formats that carry a file, declared once.
inline constexpr char kUriList[] = "text/uri-list";
inline constexpr char kGnomeCopiedFiles[] = "x-special/gnome-copied-files";
inline constexpr char kKdeCutSelection[] = "application/x-kde-cutselection";
// Windows standard clipboard format of a file-drop list.
inline constexpr unsigned kCfHdrop = 15;
} // namespace clipformat

// Attachment type of a file name, folder part ignored: three times over, everything up to and
// including the first dot is removed ("a.b.c.d.doc" gives "d.doc", "报价单" stays "报价单",
// "notes." gives ""). The folder part ends at the last '\' or '/' or a drive colon.
QString GetExdName(const QString &fileName);
// The same on GBK bytes; a trail byte 5C of a double-byte character is not taken for a '\'.
QByteArray GetExdNameGbk(const QByteArray &gbkFileName);

// Copies source to target in chunks, exactly the size the source had when it was opened. An
// existing target is replaced as a whole (no tail of its old content). Throws FaqError on any
// failure; the target is then left as it was before, and no partial copy remains.
void CopyFileByStream(const QString &source, const QString &target);
// The same for a source named by its bytes on disk (a name Qt cannot spell); source is its name
// as shown in messages.
void CopyNativeFileByStream(const QByteArray &nativeSource, const QString &source, const QString &target);

// Lets the user pick a folder. Sets path to the folder (a root keeps its separator, any other
// folder has none) and returns true, or empties path and returns false when cancelled.
bool SelectFolder(Dialogs &dialogs, const QString &title, QString &path);

// Opens a document with the program associated with its type; the outcome is not reported.
void ShellOpenFile(const QString &path);

// Windows DROPFILES block naming one file: a 20-byte header (pFiles = 20, drop point (0, 0),
// fNC = 0, fWide = 0), the path's 8-bit bytes, the name's zero and the list's zero.
QByteArray dropFilesBlock(const QByteArray &ansiPath);

// The clipboard payload that offers one file as a file object, never as its path in text:
// the file URL as text/uri-list, the GNOME and KDE copy markers. The caller owns the result.
QMimeData *fileMimeData(const QString &path);

// Replaces whatever the clipboard holds with the one file. The file's existence is not checked.
void CopyFileToClipboard(const QString &path);
