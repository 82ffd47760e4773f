#include "answers/rtf/RtfReader.h"

#include "common/TextCodec.h"

#include <QBuffer>
#include <QImageReader>
#include <QRegularExpression>
#include <QTextDocument>
#include <QUrl>

#include <algorithm>
#include <cmath>

namespace rtf {

namespace {

// Deeper groups carry nothing a RichEdit document needs; their content is dropped.
constexpr size_t maxGroupDepth = 256;
constexpr int maxListLevel = 8;
constexpr int maxIndentTwips = 31680; // 22 inches
constexpr int maxHalfPoints = 3276;
constexpr int maxPictureExtent = 1 << 20;
constexpr double twipsPerPixel = 15.0;

int clampInt(int value, int low, int high)
{
    return std::clamp(value, low, high);
}


QTextListFormat::Style styleOfGlyph(const QString &glyph)
{
    const QString text = glyph.trimmed();
    if (text == QLatin1String("o") || text == QStringLiteral("\u25cb") || text == QStringLiteral("\u25e6"))
        return QTextListFormat::ListCircle;
    // \'a7 in Wingdings is its square; other fonts' squares come as Unicode.
    if (text == QStringLiteral("\u00a7") || text == QStringLiteral("\u25a0") || text == QStringLiteral("\u25aa"))
        return QTextListFormat::ListSquare;
    return QTextListFormat::ListDisc;
}

// What a \listtext or \pntext rendering says about the list it belongs to.
QTextListFormat::Style styleOfListText(const QString &listText)
{
    const QString text = listText.trimmed();
    if (text.isEmpty())
        return QTextListFormat::ListDisc;
    const QChar first = text.front();
    if (first.isDigit())
        return QTextListFormat::ListDecimal;
    if (text.size() > 1 && first.isLetter() && first.unicode() < 0x80)
        return first.isUpper() ? QTextListFormat::ListUpperAlpha : QTextListFormat::ListLowerAlpha;
    return styleOfGlyph(text);
}

bool isOtherPictureKind(QByteArrayView word)
{
    static const QByteArrayView kinds[] = {"emfblip", "wmetafile", "macpict", "pmmetafile", "dibitmap", "wbitmap"};
    return std::find(std::begin(kinds), std::end(kinds), word) != std::end(kinds);
}

} // namespace

Reader::Reader(QTextDocument *doc)
    : m_builder(doc)
    , m_doc(doc)
{
}

void Reader::read(QByteArrayView rtf)
{
    m_tokenizer = Tokenizer(rtf);
    while (!m_finished) {
        Token token = m_tokenizer.next();
        if (token.kind == Token::End)
            break;
        if (m_fallbackToSkip > 0 && consumeFallback(token))
            continue;
        handle(token);
    }
    if (!m_stack.empty()) {
        flushBody();
        m_builder.finish(paragraphAttributes());
    }
}

// Drops the characters that stand in for a \uN for readers without Unicode.
bool Reader::consumeFallback(Token &token)
{
    switch (token.kind) {
    case Token::GroupOpen:
    case Token::GroupClose:
    case Token::End:
        m_fallbackToSkip = 0;
        return false;
    case Token::Text:
        if (token.bytes.size() <= m_fallbackToSkip) {
            m_fallbackToSkip -= int(token.bytes.size());
            return true;
        }
        token.bytes = token.bytes.sliced(m_fallbackToSkip);
        m_fallbackToSkip = 0;
        return false;
    case Token::ControlWord:
        if (lookupWord(token.bytes) == Word::bin)
            m_tokenizer.takeBinary(token.parameter);
        --m_fallbackToSkip;
        return true;
    case Token::ControlSymbol:
    case Token::HexByte:
        --m_fallbackToSkip;
        return true;
    }
    return false;
}

void Reader::handle(const Token &token)
{
    if (token.kind != Token::ControlWord)
        m_starPending = false;
    if (m_stack.empty()) {
        // Nothing counts before the document's own group opens.
        if (token.kind == Token::GroupOpen)
            m_stack.push_back(GroupState());
        return;
    }
    if (m_overflowDepth > 0 || top().destination == Destination::Skip) {
        if (token.kind == Token::GroupOpen)
            openGroup();
        else if (token.kind == Token::GroupClose)
            closeGroup();
        else if (token.kind == Token::ControlWord && lookupWord(token.bytes) == Word::bin)
            m_tokenizer.takeBinary(token.parameter);
        return;
    }
    switch (token.kind) {
    case Token::GroupOpen: openGroup(); break;
    case Token::GroupClose: closeGroup(); break;
    case Token::ControlWord: handleWord(token); break;
    case Token::ControlSymbol: handleSymbol(token.symbol); break;
    case Token::HexByte: handleByte(token.hexValue); break;
    case Token::Text: handleText(token.bytes); break;
    case Token::End: break;
    }
}

void Reader::openGroup()
{
    if (m_overflowDepth > 0 || m_stack.size() >= maxGroupDepth) {
        ++m_overflowDepth;
        return;
    }
    GroupState inner = top();
    inner.ownsDestination = false;
    m_stack.push_back(std::move(inner));
}

void Reader::closeGroup()
{
    if (m_overflowDepth > 0) {
        --m_overflowDepth;
        return;
    }
    if (m_stack.size() == 1) {
        // The document's group is closed; anything after it is not part of the document.
        m_finished = true;
        return;
    }
    GroupState closed = std::move(m_stack.back());
    m_stack.pop_back();
    if (closed.ownsDestination)
        finishDestination(closed);
}

void Reader::finishDestination(const GroupState &closed)
{
    switch (closed.destination) {
    case Destination::FontTable:
        finishFontEntry();
        m_formatValid = false;
        break;
    case Destination::ColorTable:
        m_formatValid = false;
        break;
    case Destination::Picture:
        if (top().destination == Destination::Body)
            insertPicture();
        m_picture = PictureState();
        break;
    case Destination::FieldInstruction:
        applyFieldInstruction(m_capture.takeAll());
        break;
    case Destination::ListText:
        m_paragraphListText = m_capture.takeAll();
        break;
    case Destination::ListGlyph:
        m_pnGlyph = m_capture.takeAll();
        break;
    case Destination::ListDescriptor: {
        ParagraphState &paragraph = top().paragraph;
        paragraph.hasPn = true;
        paragraph.pnStyle = m_pnBullet ? styleOfGlyph(m_pnGlyph) : m_pnStyle;
        break;
    }
    case Destination::Body:
    case Destination::Skip:
        break;
    }
}

void Reader::handleWord(const Token &token)
{
    const Word word = lookupWord(token.bytes);
    const bool starred = std::exchange(m_starPending, false);
    if (handleDestinationWord(word))
        return;
    if (starred) {
        // An optional destination we do not know: skip the whole group.
        top().destination = Destination::Skip;
        return;
    }
    if (word == Word::bin && top().destination != Destination::Picture) {
        // Binary data outside a picture carries nothing we show.
        m_tokenizer.takeBinary(token.parameter);
        return;
    }
    switch (top().destination) {
    case Destination::FontTable:
        if (word == Word::f) {
            finishFontEntry();
            m_fontEntry = token.parameter;
            m_fontEntryCodePage = 0;
        } else if (word == Word::fcharset) {
            // ANSI and "default" follow the document's \ansicpg; symbol fonts are single-byte.
            if (token.parameter == 0 || token.parameter == 1)
                m_fontEntryCodePage = 0;
            else if (token.parameter == 2)
                m_fontEntryCodePage = 1252;
            else
                m_fontEntryCodePage = textcodec::codePageForCharset(token.parameter);
        } else if (word == Word::cpg) {
            m_fontEntryCodePage = token.parameter;
        } else if (word == Word::u) {
            m_fontName.addUnit(char16_t(token.parameter));
            m_fallbackToSkip = top().unicodeSkip;
        }
        return;
    case Destination::ColorTable:
        if (word == Word::red)
            m_red = clampInt(token.parameter, 0, 255);
        else if (word == Word::green)
            m_green = clampInt(token.parameter, 0, 255);
        else if (word == Word::blue)
            m_blue = clampInt(token.parameter, 0, 255);
        return;
    case Destination::Picture:
        handlePictureWord(word, token);
        return;
    case Destination::ListDescriptor:
        handleListWord(word, token);
        return;
    case Destination::Body:
    case Destination::FieldInstruction:
    case Destination::ListText:
    case Destination::ListGlyph:
    case Destination::Skip:
        break;
    }

    switch (word) {
    case Word::ansi: m_ansiCodePage = 1252; break;
    case Word::mac: m_ansiCodePage = 10000; break;
    case Word::pc: m_ansiCodePage = 437; break;
    case Word::pca: m_ansiCodePage = 850; break;
    case Word::ansicpg: m_ansiCodePage = token.parameter; break;
    case Word::deff: m_defaultFont = token.parameter; break;
    case Word::uc: top().unicodeSkip = clampInt(token.parameter, 0, 10); break;
    case Word::u: {
        const int unit = token.parameter < 0 ? token.parameter + 65536 : token.parameter;
        if (unit >= 0 && unit <= 0xFFFF)
            handleUnit(char16_t(unit));
        m_fallbackToSkip = top().unicodeSkip;
        break;
    }
    case Word::tab: handleUnit(u'\t'); break;
    case Word::line: handleUnit(u'\u2028'); break;
    case Word::emdash: handleUnit(u'\u2014'); break;
    case Word::endash: handleUnit(u'\u2013'); break;
    case Word::bullet: handleUnit(u'\u2022'); break;
    case Word::lquote: handleUnit(u'\u2018'); break;
    case Word::rquote: handleUnit(u'\u2019'); break;
    case Word::ldblquote: handleUnit(u'\u201c'); break;
    case Word::rdblquote: handleUnit(u'\u201d'); break;
    case Word::emspace: handleUnit(u'\u2003'); break;
    case Word::enspace: handleUnit(u'\u2002'); break;
    case Word::zwj: handleUnit(u'\u200d'); break;
    case Word::zwnj: handleUnit(u'\u200c'); break;
    default:
        handleCharWord(word, token);
        if (top().destination == Destination::Body)
            handleParagraphWord(word, token);
        break;
    }
}

bool Reader::handleDestinationWord(Word word)
{
    GroupState &group = top();
    Destination destination;
    switch (word) {
    case Word::fonttbl: destination = Destination::FontTable; break;
    case Word::colortbl:
        destination = Destination::ColorTable;
        m_red = m_green = m_blue = -1;
        break;
    case Word::pict:
        destination = Destination::Picture;
        m_picture = PictureState();
        break;
    case Word::fldinst:
        destination = Destination::FieldInstruction;
        m_capture.clear();
        break;
    case Word::pntext:
    case Word::listtext:
        destination = Destination::ListText;
        m_capture.clear();
        break;
    case Word::pn:
        destination = Destination::ListDescriptor;
        m_pnStyle = QTextListFormat::ListStyleUndefined;
        m_pnBullet = false;
        m_pnFont = -1;
        m_pnGlyph.clear();
        break;
    case Word::pntxtb:
        if (group.destination != Destination::ListDescriptor)
            return false;
        destination = Destination::ListGlyph;
        m_capture.clear();
        break;
    case Word::shppict:
    case Word::fldrslt:
    case Word::field:
        return true; // their content is read as it comes
    case Word::nonshppict:
    case Word::pntxta:
    case Word::stylesheet: case Word::info: case Word::listtable: case Word::listoverridetable:
    case Word::revtbl: case Word::rsidtbl: case Word::generator:
    case Word::header: case Word::headerl: case Word::headerr: case Word::headerf:
    case Word::footer: case Word::footerl: case Word::footerr: case Word::footerf:
    case Word::footnote: case Word::annotation: case Word::atnid: case Word::atnauthor:
    case Word::objdata: case Word::themedata: case Word::colorschememapping:
    case Word::latentstyles: case Word::datastore: case Word::xmlnstbl: case Word::filetbl:
    case Word::userprops: case Word::docvar: case Word::xe: case Word::tc: case Word::txe:
    case Word::rxe: case Word::pnseclvl: case Word::listpicture: case Word::pgdsctbl:
    case Word::nonesttables: // plain-text stand-in for nested tables
        destination = Destination::Skip;
        break;
    default:
        return false;
    }
    if (m_stack.size() == 1)
        return true; // a destination must be a group of its own
    group.destination = destination;
    group.ownsDestination = true;
    return true;
}

void Reader::handleCharWord(Word word, const Token &token)
{
    CharState &chars = top().chars;
    // A toggle without parameter, or with a non-zero one, switches on.
    const bool on = !token.hasParameter || token.parameter != 0;
    switch (word) {
    case Word::plain: {
        const QString href = chars.href;
        chars = CharState();
        chars.href = href;
        break;
    }
    case Word::b: chars.bold = on; break;
    case Word::i: chars.italic = on; break;
    case Word::ul: case Word::uld: case Word::uldb: case Word::ulw: case Word::ulwave:
    case Word::uldash: case Word::ulth:
        chars.underline = on;
        break;
    case Word::ulnone: chars.underline = false; break;
    case Word::strike: case Word::striked: chars.strike = on; break;
    case Word::v: chars.hidden = on; break;
    case Word::super: chars.verticalShift = 1; break;
    case Word::sub: chars.verticalShift = -1; break;
    case Word::nosupersub: chars.verticalShift = 0; break;
    case Word::fs:
        chars.halfPoints = token.parameter > 0 ? std::min(token.parameter, maxHalfPoints) : 24;
        break;
    case Word::f: chars.font = token.parameter; break;
    case Word::cf: chars.color = token.parameter; break;
    case Word::highlight: case Word::cb: case Word::chcbpat: chars.background = token.parameter; break;
    default: break;
    }
}

void Reader::handleParagraphWord(Word word, const Token &token)
{
    ParagraphState &paragraph = top().paragraph;
    ParagraphAttributes &attributes = paragraph.attributes;
    const int twips = clampInt(token.parameter, -maxIndentTwips, maxIndentTwips);
    switch (word) {
    case Word::pard: paragraph = ParagraphState(); break;
    case Word::par: case Word::sect: case Word::page: endParagraph(); break;
    case Word::ql: attributes.alignment = Qt::AlignLeft; break;
    case Word::qc: attributes.alignment = Qt::AlignHCenter; break;
    case Word::qr: attributes.alignment = Qt::AlignRight; break;
    case Word::qj: attributes.alignment = Qt::AlignJustify; break;
    case Word::li: case Word::lin: attributes.leftIndent = twips; break;
    case Word::ri: case Word::rin: attributes.rightIndent = twips; break;
    case Word::fi: attributes.firstLineIndent = twips; break;
    case Word::sb: attributes.spaceBefore = std::max(twips, 0); break;
    case Word::sa: attributes.spaceAfter = std::max(twips, 0); break;
    case Word::ls: paragraph.listOverride = token.parameter; break;
    case Word::ilvl: attributes.listLevel = clampInt(token.parameter, 0, maxListLevel); break;
    case Word::cell: case Word::nestcell: ++m_pendingCellTabs; break;
    case Word::row: case Word::nestrow: endParagraph(); break;
    default: break;
    }
}

void Reader::handleListWord(Word word, const Token &token)
{
    switch (word) {
    case Word::pnf: m_pnFont = token.parameter; break;
    case Word::pnlvlblt: m_pnBullet = true; break;
    case Word::pnlvlcont:
        m_pnBullet = false;
        m_pnStyle = QTextListFormat::ListStyleUndefined;
        break;
    case Word::pnlvlbody: case Word::pndec: m_pnStyle = QTextListFormat::ListDecimal; break;
    case Word::pnucltr: m_pnStyle = QTextListFormat::ListUpperAlpha; break;
    case Word::pnlcltr: m_pnStyle = QTextListFormat::ListLowerAlpha; break;
    case Word::pnucrm: m_pnStyle = QTextListFormat::ListUpperRoman; break;
    case Word::pnlcrm: m_pnStyle = QTextListFormat::ListLowerRoman; break;
    default: break;
    }
}

void Reader::handlePictureWord(Word word, const Token &token)
{
    const int extent = clampInt(token.parameter, 0, maxPictureExtent);
    switch (word) {
    case Word::pngblip: m_picture.format = "png"; break;
    case Word::jpegblip: m_picture.format = "jpeg"; break;
    case Word::picw: m_picture.width = extent; break;
    case Word::pich: m_picture.height = extent; break;
    case Word::picwgoal: m_picture.widthGoal = extent; break;
    case Word::pichgoal: m_picture.heightGoal = extent; break;
    case Word::picscalex: m_picture.scaleX = clampInt(token.parameter, 1, 1000); break;
    case Word::picscaley: m_picture.scaleY = clampInt(token.parameter, 1, 1000); break;
    case Word::bin:
        m_picture.data.append(m_tokenizer.takeBinary(token.parameter));
        break;
    default:
        // Metafiles and bitmaps are not shown.
        if (isOtherPictureKind(token.bytes))
            m_picture.format = nullptr;
        break;
    }
}

void Reader::handleSymbol(char symbol)
{
    switch (symbol) {
    case '*':
        m_starPending = true;
        return;
    case '\\': case '{': case '}': {
        const char byte = symbol;
        handleText(QByteArrayView(&byte, 1));
        return;
    }
    case '~': handleUnit(u'\u00a0'); return;
    case '_': handleUnit(u'\u2011'); return;
    case '\t': handleUnit(u'\t'); return;
    case '\n':
        if (top().destination == Destination::Body)
            endParagraph();
        return;
    default:
        return; // \- optional hyphen, \: index subentry, broken escapes
    }
}

void Reader::handleText(QByteArrayView bytes)
{
    switch (top().destination) {
    case Destination::Body:
        if (prepareBodyText())
            m_body.addBytes(bytes, currentCodePage());
        return;
    case Destination::FontTable: addFontNameText(bytes); return;
    case Destination::ColorTable: addColorTableText(bytes); return;
    case Destination::Picture: addPictureHex(bytes); return;
    case Destination::FieldInstruction:
    case Destination::ListText:
    case Destination::ListGlyph:
        m_capture.addBytes(bytes, captureCodePage());
        return;
    case Destination::ListDescriptor:
    case Destination::Skip:
        return;
    }
}

void Reader::handleByte(unsigned char byte)
{
    switch (top().destination) {
    case Destination::Body:
        if (prepareBodyText())
            m_body.addByte(byte, currentCodePage());
        return;
    case Destination::FontTable:
        m_fontName.addByte(byte, m_fontEntryCodePage ? m_fontEntryCodePage : m_ansiCodePage);
        return;
    case Destination::FieldInstruction:
    case Destination::ListText:
    case Destination::ListGlyph:
        m_capture.addByte(byte, captureCodePage());
        return;
    case Destination::ColorTable:
    case Destination::Picture:
    case Destination::ListDescriptor:
    case Destination::Skip:
        return;
    }
}

void Reader::handleUnit(char16_t unit)
{
    switch (top().destination) {
    case Destination::Body:
        if (prepareBodyText())
            m_body.addUnit(unit);
        return;
    case Destination::FieldInstruction:
    case Destination::ListText:
    case Destination::ListGlyph:
        m_capture.addUnit(unit);
        return;
    default:
        return;
    }
}

void Reader::addFontNameText(QByteArrayView bytes)
{
    const int codePage = m_fontEntryCodePage ? m_fontEntryCodePage : m_ansiCodePage;
    while (!bytes.isEmpty()) {
        const qsizetype semicolon = bytes.indexOf(';');
        if (semicolon < 0) {
            m_fontName.addBytes(bytes, codePage);
            return;
        }
        m_fontName.addBytes(bytes.first(semicolon), codePage);
        finishFontEntry();
        bytes = bytes.sliced(semicolon + 1);
    }
}

void Reader::finishFontEntry()
{
    const QString name = m_fontName.takeAll().trimmed();
    if (m_fontEntry >= 0 && !m_fonts.contains(m_fontEntry))
        m_fonts.emplace(m_fontEntry, Font{name, m_fontEntryCodePage});
    m_fontName.clear();
    m_fontEntry = -1;
}

void Reader::addColorTableText(QByteArrayView bytes)
{
    for (const char c : bytes) {
        if (c != ';')
            continue;
        // An entry without components is the "auto" colour.
        if (m_red < 0 && m_green < 0 && m_blue < 0)
            m_colors.append(QColor());
        else
            m_colors.append(QColor(std::max(m_red, 0), std::max(m_green, 0), std::max(m_blue, 0)));
        m_red = m_green = m_blue = -1;
    }
}

void Reader::addPictureHex(QByteArrayView bytes)
{
    if (!m_picture.format)
        return; // not shown, so not kept
    for (const char c : bytes) {
        const int value = hexDigit(c);
        if (value < 0)
            continue;
        if (m_picture.nibble < 0) {
            m_picture.nibble = value;
        } else {
            m_picture.data.append(char(m_picture.nibble * 16 + value));
            m_picture.nibble = -1;
        }
    }
}

void Reader::insertPicture()
{
    if (!m_picture.format || m_picture.data.isEmpty())
        return;
    QBuffer buffer(&m_picture.data);
    buffer.open(QIODevice::ReadOnly);
    QImageReader imageReader(&buffer, m_picture.format);
    const QSize natural = imageReader.size();
    if (!imageReader.canRead() || !natural.isValid())
        return;

    flushBody();
    const QUrl name(QStringLiteral("rtf-image-%1.%2").arg(++m_imageCount).arg(QLatin1String(m_picture.format)));
    m_doc->addResource(QTextDocument::ImageResource, name, m_picture.data);
    QTextImageFormat format;
    format.setName(name.toString());
    if (m_picture.widthGoal > 0 && m_picture.heightGoal > 0) {
        format.setWidth(std::round(m_picture.widthGoal * m_picture.scaleX / 100.0 / twipsPerPixel));
        format.setHeight(std::round(m_picture.heightGoal * m_picture.scaleY / 100.0 / twipsPerPixel));
    }
    if (!top().chars.href.isEmpty()) {
        format.setAnchor(true);
        format.setAnchorHref(top().chars.href);
    }
    m_builder.insertImage(format);
}

void Reader::applyFieldInstruction(const QString &instruction)
{
    static const QRegularExpression hyperlink(
        QStringLiteral(R"rx(^\s*HYPERLINK\s+(\\l\s+)?(?:"([^"]*)"|(\S+)))rx"),
        QRegularExpression::CaseInsensitiveOption);
    const QRegularExpressionMatch match = hyperlink.match(instruction);
    if (!match.hasMatch())
        return;
    QString target = match.captured(2).isNull() ? match.captured(3) : match.captured(2);
    if (match.capturedLength(1) > 0)
        target.prepend(QLatin1Char('#'));
    // The field's result group inherits the link from the field group.
    top().chars.href = target;
}

bool Reader::prepareBodyText()
{
    const CharState &chars = top().chars;
    if (chars.hidden)
        return false;
    if (m_pendingCellTabs > 0 || !(chars == m_bodyChars)) {
        flushBody();
        m_bodyChars = chars;
        for (; m_pendingCellTabs > 0; --m_pendingCellTabs)
            m_body.addUnit(u'\t');
    }
    return true;
}

void Reader::flushBody()
{
    if (m_body.isEmpty())
        return;
    m_builder.insertText(m_body.takeDecoded(), charFormat(m_bodyChars));
}

void Reader::endParagraph()
{
    if (!m_body.isEmpty())
        m_builder.insertText(m_body.takeAll(), charFormat(m_bodyChars));
    m_builder.endParagraph(paragraphAttributes());
    m_paragraphListText.clear();
    m_pendingCellTabs = 0;
}

ParagraphAttributes Reader::paragraphAttributes() const
{
    const ParagraphState &paragraph = m_stack.back().paragraph;
    ParagraphAttributes attributes = paragraph.attributes;
    if (paragraph.hasPn) {
        attributes.listStyle = paragraph.pnStyle;
        // RichEdit marks deeper bullets only by a larger indent.
        attributes.listLevel = clampInt((attributes.leftIndent - 1) / 720, 0, maxListLevel);
    } else if (paragraph.listOverride > 0 || !m_paragraphListText.isEmpty()) {
        attributes.listStyle = styleOfListText(m_paragraphListText);
    }
    return attributes;
}

int Reader::codePageOfFont(int font) const
{
    const auto found = m_fonts.find(font < 0 ? m_defaultFont : font);
    return found != m_fonts.end() && found->second.codePage ? found->second.codePage : m_ansiCodePage;
}

int Reader::currentCodePage() const
{
    return codePageOfFont(m_stack.back().chars.font);
}

// A bullet glyph is in the \pnf font, everything else in the current \f font.
int Reader::captureCodePage() const
{
    return top().destination == Destination::ListGlyph ? codePageOfFont(m_pnFont) : currentCodePage();
}

QTextCharFormat Reader::charFormat(const CharState &chars)
{
    if (m_formatValid && chars == m_formatChars)
        return m_format;
    QTextCharFormat format;
    const auto font = m_fonts.find(chars.font < 0 ? m_defaultFont : chars.font);
    if (font != m_fonts.end() && !font->second.family.isEmpty())
        format.setFontFamilies({font->second.family});
    format.setFontPointSize(chars.halfPoints / 2.0);
    if (chars.bold)
        format.setFontWeight(QFont::Bold);
    if (chars.italic)
        format.setFontItalic(true);
    if (chars.underline)
        format.setFontUnderline(true);
    if (chars.strike)
        format.setFontStrikeOut(true);
    if (chars.verticalShift != 0)
        format.setVerticalAlignment(chars.verticalShift > 0 ? QTextCharFormat::AlignSuperScript
                                                             : QTextCharFormat::AlignSubScript);
    if (chars.color > 0 && chars.color < m_colors.size() && m_colors[chars.color].isValid())
        format.setForeground(m_colors[chars.color]);
    if (chars.background > 0 && chars.background < m_colors.size() && m_colors[chars.background].isValid())
        format.setBackground(m_colors[chars.background]);
    if (!chars.href.isEmpty()) {
        format.setAnchor(true);
        format.setAnchorHref(chars.href);
    }
    m_format = format;
    m_formatChars = chars;
    m_formatValid = true;
    return format;
}

} // namespace rtf
