#pragma once

#include <QString>
#include <QStringList>

// faqkb history: the kept versions of one category's answer, listed or restored, for support
// staff repairing a knowledge base without the window.
namespace kbhistory {

// One line per version, newest first: its number (1 = newest), when it was replaced, its size
// and its first line. Throws FaqError (no knowledge base, no such category).
QStringList list(const QString &appFolder, const QString &code);

// Writes version number n back as the category's answer document; the document it replaces is
// kept as a version in turn. Throws FaqError.
void restore(const QString &appFolder, const QString &code, int n);

} // namespace kbhistory
