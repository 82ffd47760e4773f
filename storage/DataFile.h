#pragma once

#include <QString>

// The one way from a stored name to a path in the data folder. A name read from the knowledge
// base (an attachment's FileName, a category code) is data that another program or a crafted
// archive may have written: it becomes a path only when it is a plain name inside DB/.
namespace datafile {

// DB/<name> in the application folder, or empty when the name is refused: empty, "." or "..",
// holding a separator, a drive colon or a control character (a newline), or naming one of the
// knowledge base's own files (the database and its journals, an answer document).
QString dataFile(const QString &applicationFolder, const QString &name);

// Whether a category code is well formed: 4, 8 or 12 decimal digits.
bool isWellFormedCode(const QString &code);

// DB/<code>.rtf, or empty when the code is not well formed.
QString answerDocument(const QString &applicationFolder, const QString &code);

} // namespace datafile
