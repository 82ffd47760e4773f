#pragma once

#include <QString>

class QTextDocument;

// The sample answers of "faqkb init --demo": a few lines per sample category with bold text,
// a colour and a bullet list, written as the program's own answer documents.
namespace demoanswers {

// Builds the sample answer of a category into the document; false when it has none.
bool build(const QString &categoryCode, QTextDocument *doc);

// Writes DB/<code>.rtf for every sample category that has an answer; throws FaqError.
void write(const QString &applicationFolder);

} // namespace demoanswers
