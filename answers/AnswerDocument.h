#pragma once

#include <QString>

class QFont;
class QTextDocument;

// Answer documents on disk: DB/<category code>.rtf in the application folder, read into and
// written from the editor's document.
namespace answerdocument {

// Empty when the code is not 4, 8 or 12 digits: such a code never becomes a path.
QString path(const QString &applicationFolder, const QString &categoryCode);

// The answers' default font: 仿宋_GB2312 at 17 pixels, with Chinese fallbacks for systems
// without it.
QFont defaultFont();

enum class LoadResult {
    Rtf,         // read as rich text
    PlainText,   // the file holds no RTF: shown as plain text
    Missing,     // no file: the answer is empty
    Unreadable,  // the file exists but cannot be read: the document is left empty
};

// Replaces the document's content with the file's; the document is empty unless it loaded.
LoadResult load(const QString &filePath, QTextDocument *doc);
// The same for a document's bytes: RTF, else plain text (UTF-8 when valid, else GBK).
LoadResult read(const QByteArray &bytes, QTextDocument *doc);

// Writes the whole document as RTF through a temporary file renamed over the target, so a
// failure leaves the previous document intact. Throws FaqError with the reason.
void save(const QString &filePath, const QTextDocument &doc);
// The same for bytes already written as RTF.
void writeFile(const QString &filePath, const QByteArray &rtf);

} // namespace answerdocument
