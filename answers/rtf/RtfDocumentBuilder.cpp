#include "answers/rtf/RtfDocumentBuilder.h"

#include <QTextBlock>
#include <QTextDocument>
#include <QTextList>

namespace rtf {

namespace {

constexpr double twipsPerPixel = 15.0; // 1440 twips per inch, 96 pixels per inch

} // namespace

DocumentBuilder::DocumentBuilder(QTextDocument *doc)
    : m_cursor(doc)
{
}

void DocumentBuilder::startBlockIfNeeded()
{
    if (m_blockPending) {
        m_cursor.insertBlock();
        m_blockPending = false;
    }
    m_blockTouched = true;
}

void DocumentBuilder::insertText(const QString &text, const QTextCharFormat &format)
{
    if (text.isEmpty())
        return;
    startBlockIfNeeded();
    m_cursor.insertText(text, format);
}

void DocumentBuilder::insertImage(const QTextImageFormat &format)
{
    startBlockIfNeeded();
    m_cursor.insertImage(format);
}

void DocumentBuilder::endParagraph(const ParagraphAttributes &attributes)
{
    startBlockIfNeeded();
    QTextBlockFormat format;
    format.setAlignment(attributes.alignment);
    format.setLeftMargin(attributes.leftIndent / twipsPerPixel);
    format.setRightMargin(attributes.rightIndent / twipsPerPixel);
    format.setTextIndent(attributes.firstLineIndent / twipsPerPixel);
    format.setTopMargin(attributes.spaceBefore / twipsPerPixel);
    format.setBottomMargin(attributes.spaceAfter / twipsPerPixel);
    if (attributes.listStyle != QTextListFormat::ListStyleUndefined) {
        // The list supplies the indentation and the bullet.
        format.setLeftMargin(0);
        format.setTextIndent(0);
    }
    m_cursor.setBlockFormat(format);
    applyList(attributes);
    m_blockPending = true;
    m_blockTouched = false;
}

void DocumentBuilder::applyList(const ParagraphAttributes &attributes)
{
    if (attributes.listStyle == QTextListFormat::ListStyleUndefined) {
        m_openLists.clear();
        return;
    }
    // A deeper level nests inside the open ones; returning to a level closes the deeper ones.
    m_openLists.erase(m_openLists.upper_bound(attributes.listLevel), m_openLists.end());
    const auto open = m_openLists.find(attributes.listLevel);
    if (open != m_openLists.end() && open->second->format().style() == attributes.listStyle) {
        open->second->add(m_cursor.block());
        return;
    }
    QTextListFormat listFormat;
    listFormat.setStyle(attributes.listStyle);
    listFormat.setIndent(attributes.listLevel + 1);
    m_openLists[attributes.listLevel] = m_cursor.createList(listFormat);
}

void DocumentBuilder::finish(const ParagraphAttributes &attributes)
{
    if (m_blockTouched)
        endParagraph(attributes);
}

} // namespace rtf
