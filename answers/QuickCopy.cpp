#include "answers/QuickCopy.h"

#include <QTextEdit>

namespace quickcopy {

QString copySelection(QTextEdit *editor)
{
    editor->copy();
    editor->setFocus();
    return kSelectionCopied;
}

QString copyWhole(QTextEdit *editor, const QString &categoryName)
{
    editor->selectAll();
    editor->setFocus();
    editor->copy();
    return categoryName.isEmpty() ? kAllCopiedNoNode : kAllCopiedPrefix + categoryName + kAllCopiedSuffix;
}

} // namespace quickcopy
