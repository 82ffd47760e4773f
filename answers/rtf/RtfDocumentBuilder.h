#pragma once

#include <QTextCharFormat>
#include <QTextCursor>
#include <QTextListFormat>

#include <map>

class QTextDocument;
class QTextList;

namespace rtf {

// Paragraph attributes as the reader knows them when a paragraph ends; lengths in twips.
struct ParagraphAttributes
{
    Qt::Alignment alignment = Qt::AlignLeft;
    int leftIndent = 0;
    int rightIndent = 0;
    int firstLineIndent = 0;
    int spaceBefore = 0;
    int spaceAfter = 0;
    // QTextListFormat::ListStyleUndefined when the paragraph is no list item.
    QTextListFormat::Style listStyle = QTextListFormat::ListStyleUndefined;
    int listLevel = 0; // 0 is the outermost level
};

// Appends text, images and paragraphs to a document at its end. A paragraph's attributes
// are only known at its \par, so each block gets its format when it is closed.
class DocumentBuilder
{
public:
    explicit DocumentBuilder(QTextDocument *doc);

    void insertText(const QString &text, const QTextCharFormat &format);
    void insertImage(const QTextImageFormat &format);
    void endParagraph(const ParagraphAttributes &attributes);
    // Closes the last paragraph unless the input ended right after a \par.
    void finish(const ParagraphAttributes &attributes);

private:
    void startBlockIfNeeded();
    void applyList(const ParagraphAttributes &attributes);

    QTextCursor m_cursor;
    bool m_blockPending = false;
    bool m_blockTouched = false;
    // The lists of the current run of list paragraphs, by level.
    std::map<int, QTextList *> m_openLists;
};

} // namespace rtf
