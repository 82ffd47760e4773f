#pragma once

#include <QString>

class TDM;

// Adding, renaming and deleting categories in the knowledge base. Every value is a bound
// parameter, so a name holding quotes or SQL is stored as typed and touches no other row.
// Failures of the statements are thrown as FaqError; nothing here asks the user.
namespace categoryediting {

// Longest name in GBK bytes (15 Chinese characters).
inline constexpr int kMaxNameBytes = 30;

// The name as it is stored: its longest prefix of whole characters within 30 bytes, counted in
// GB18030 (as GBK for every GBK character; four bytes for the others, such as emoji or Hangul),
// so the stored name is always a prefix of what was typed and no character becomes '?'.
QString storedName(const QString &typed);

// Pinyin initials of a name, as stored beside it.
QString initials(const QString &name);

struct NewCategory
{
    QString code;
    QString name;
    QString parentCode;   // empty for a top-level category
    int level = 0;
};

// Adds the category's row. Whatever a code still has from a category that no longer exists (its
// answer document, attachment rows and their stored files) is removed first, so a new category
// never shows a deleted one's answer; when such a document cannot be removed, nothing is added.
void insert(TDM &dm, const NewCategory &category);
void rename(TDM &dm, const QString &code, const QString &name);

// Deletes the category's row, its attachment rows and its kept answer versions in one transaction; when that fails
// nothing is changed and FaqError is thrown. Afterwards the stored attachment files
// (DB/<FileName>) and the answer document (DB/<code>.rtf) are removed; a missing file or one
// that cannot be removed is passed over. A FileName that is not a plain file name in the data
// folder (a path, "..") is never followed.
void remove(TDM &dm, const QString &code);

} // namespace categoryediting
