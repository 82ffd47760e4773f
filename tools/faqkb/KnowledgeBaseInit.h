#pragma once

#include <QString>

// "faqkb init": lays out a new application folder's knowledge base. Throws FaqError with a
// message for the user when the folder already holds one (then nothing is changed) or when
// anything cannot be written.
namespace kbinit {
void initKnowledgeBase(const QString &folder, bool withDemo);
}
