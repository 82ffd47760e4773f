#pragma once

#include <QString>

class QTextEdit;

// The two copy buttons beside the answer in query mode. Each copies through the editor (so the
// clipboard gets RTF, HTML and plain text), gives the editor the focus so the copied text shows
// selected, and returns the hint for the status bar.
namespace quickcopy {

inline const QString kSelectionCopied = QStringLiteral("提示：选定内容已经复制到剪贴板！");
inline const QString kAllCopiedPrefix = QStringLiteral("提示：节点[");
inline const QString kAllCopiedSuffix = QStringLiteral("]的全部内容已经复制到剪贴板！");
inline const QString kAllCopiedNoNode = QStringLiteral("提示：全部内容已经复制到剪贴板！");

// "复制": the selected part.
QString copySelection(QTextEdit *editor);
// "全选复制": the whole answer of the named category (no name: no category is shown).
QString copyWhole(QTextEdit *editor, const QString &categoryName);

} // namespace quickcopy
