#pragma once

#include "answers/rtf/RtfDocumentBuilder.h"
#include "answers/rtf/RtfKeywords.h"
#include "answers/rtf/RtfTextAccumulator.h"
#include "answers/rtf/RtfTokenizer.h"

#include <QByteArray>
#include <QColor>
#include <QList>
#include <QTextCharFormat>

#include <unordered_map>
#include <vector>

class QTextDocument;

namespace rtf {

// Interprets the tokens of one RTF document and hands text, images and paragraphs to a
// DocumentBuilder. Each token is handled once and group nesting is capped, so time is
// linear in the input and memory proportional to it.
class Reader
{
public:
    explicit Reader(QTextDocument *doc);
    void read(QByteArrayView rtf);

private:
    enum class Destination {
        Body, Skip, FontTable, ColorTable, Picture, FieldInstruction, ListText, ListDescriptor, ListGlyph
    };

    struct CharState
    {
        bool bold = false;
        bool italic = false;
        bool underline = false;
        bool strike = false;
        bool hidden = false;
        int verticalShift = 0; // 1 superscript, -1 subscript
        int halfPoints = 24;
        int font = -1; // -1: the \deff font
        int color = 0;
        int background = 0;
        QString href;
        bool operator==(const CharState &) const = default;
    };

    struct ParagraphState
    {
        ParagraphAttributes attributes;
        QTextListFormat::Style pnStyle = QTextListFormat::ListStyleUndefined;
        bool hasPn = false;
        int listOverride = 0;
    };

    struct GroupState
    {
        Destination destination = Destination::Body;
        bool ownsDestination = false;
        int unicodeSkip = 1;
        CharState chars;
        ParagraphState paragraph;
    };

    struct Font
    {
        QString family;
        int codePage = 0; // 0: the document's code page
    };

    struct PictureState
    {
        const char *format = nullptr; // nullptr: a kind we do not show
        QByteArray data;
        int nibble = -1;
        int width = 0, height = 0, widthGoal = 0, heightGoal = 0, scaleX = 100, scaleY = 100;
    };

    void handle(const Token &token);
    bool consumeFallback(Token &token);
    void openGroup();
    void closeGroup();
    void finishDestination(const GroupState &closed);
    void handleWord(const Token &token);
    bool handleDestinationWord(Word word);
    void handleCharWord(Word word, const Token &token);
    void handleParagraphWord(Word word, const Token &token);
    void handleListWord(Word word, const Token &token);
    void handlePictureWord(Word word, const Token &token);
    void handleSymbol(char symbol);
    void handleText(QByteArrayView bytes);
    void handleByte(unsigned char byte);
    void handleUnit(char16_t unit);

    void addFontNameText(QByteArrayView bytes);
    void finishFontEntry();
    void addColorTableText(QByteArrayView bytes);
    void addPictureHex(QByteArrayView bytes);
    void insertPicture();
    void applyFieldInstruction(const QString &instruction);

    bool prepareBodyText();
    void flushBody();
    void endParagraph();
    ParagraphAttributes paragraphAttributes() const;
    QTextCharFormat charFormat(const CharState &chars);
    int currentCodePage() const;
    int captureCodePage() const;
    int codePageOfFont(int font) const;

    GroupState &top() { return m_stack.back(); }
    const GroupState &top() const { return m_stack.back(); }

    DocumentBuilder m_builder;
    QTextDocument *m_doc;
    Tokenizer m_tokenizer{QByteArrayView()};
    std::vector<GroupState> m_stack;
    int m_overflowDepth = 0;
    bool m_starPending = false;
    int m_fallbackToSkip = 0;
    bool m_finished = false;

    int m_ansiCodePage = 1252;
    int m_defaultFont = 0;
    std::unordered_map<int, Font> m_fonts;
    int m_fontEntry = -1;
    int m_fontEntryCodePage = 0;
    TextAccumulator m_fontName;
    QList<QColor> m_colors;
    int m_red = -1, m_green = -1, m_blue = -1;

    TextAccumulator m_body;
    CharState m_bodyChars;
    int m_pendingCellTabs = 0;
    QString m_paragraphListText;
    TextAccumulator m_capture;
    QTextListFormat::Style m_pnStyle = QTextListFormat::ListStyleUndefined;
    bool m_pnBullet = false;
    int m_pnFont = -1;
    QString m_pnGlyph;
    PictureState m_picture;
    int m_imageCount = 0;

    bool m_formatValid = false;
    CharState m_formatChars;
    QTextCharFormat m_format;
};

} // namespace rtf
