#pragma once

#include <QString>

class QMimeData;
class QTextDocumentFragment;

// What the answer editor puts on the clipboard: the selected part as RTF (our writer, so chat
// programs on Windows keep fonts and colours), as HTML and as plain text together.
namespace answerclipboard {

inline constexpr char kRtfFormat[] = "text/rtf";
inline constexpr char kHtmlFormat[] = "text/html";
inline constexpr char kPlainFormat[] = "text/plain";
// Windows programs look for RTF under the registered clipboard format "Rich Text Format".
inline constexpr char kWindowsRtfFormat[] = "application/x-qt-windows-mime;value=\"Rich Text Format\"";

QMimeData *answerMimeData(const QTextDocumentFragment &fragment);

} // namespace answerclipboard
