#include "answers/rtf/RtfWriter.h"

#include <QBuffer>
#include <QImage>
#include <QImageReader>
#include <QPixmap>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextList>
#include <QTextTable>
#include <QUrl>

#include <cmath>

namespace rtf {

namespace {

constexpr int charsetAnsi = 0;
constexpr int charsetSymbol = 2;
constexpr int charsetGb2312 = 134;
constexpr int gbkCodePage = 936;
constexpr int twipsPerPixel = 15;
constexpr int listIndentTwips = 720;
constexpr int bulletHangTwips = 360;
constexpr int tableWidthTwips = 8640; // six inches, split evenly between the columns

bool isChineseFamily(const QString &family)
{
    for (const QChar c : family) {
        if (c.unicode() >= 0x80)
            return true;
    }
    static const char *const chineseFamilies[] = {
        "SimSun", "SimHei", "FangSong", "KaiTi", "YaHei", "DengXian", "GB2312", "CJK",
        "WenQuanYi", "Source Han", "STSong", "STKaiti", "STHeiti", "STFangsong", "PingFang",
    };
    for (const char *name : chineseFamilies) {
        if (family.contains(QLatin1String(name), Qt::CaseInsensitive))
            return true;
    }
    return false;
}

bool isBullet(QTextListFormat::Style style)
{
    return style == QTextListFormat::ListDisc || style == QTextListFormat::ListCircle
        || style == QTextListFormat::ListSquare;
}

struct BulletGlyph
{
    const char *family;
    int charset;
    unsigned char byte;
};

// The glyphs RichEdit and Word use for the three bullet kinds.
BulletGlyph bulletGlyph(QTextListFormat::Style style)
{
    switch (style) {
    case QTextListFormat::ListCircle: return {"Courier New", charsetAnsi, 'o'};
    case QTextListFormat::ListSquare: return {"Wingdings", charsetSymbol, 0xa7};
    default: return {"Symbol", charsetSymbol, 0xb7};
    }
}

const char *numberingWord(QTextListFormat::Style style)
{
    switch (style) {
    case QTextListFormat::ListLowerAlpha: return "pnlcltr";
    case QTextListFormat::ListUpperAlpha: return "pnucltr";
    case QTextListFormat::ListLowerRoman: return "pnlcrm";
    case QTextListFormat::ListUpperRoman: return "pnucrm";
    default: return "pndec";
    }
}

int twips(qreal pixels)
{
    return int(std::lround(pixels * twipsPerPixel));
}

} // namespace

Writer::Writer(const QTextDocument &doc)
    : m_doc(doc)
{
    const qreal defaultPoints = doc.defaultFont().pointSizeF();
    if (defaultPoints > 0)
        m_defaultHalfPoints = int(std::lround(defaultPoints * 2));
}

QByteArray Writer::write()
{
    collectTables();
    writeHeader();
    for (QTextBlock block = m_doc.begin(); block.isValid();) {
        if (const QTextTable *table = QTextCursor(block).currentTable()) {
            block = writeTable(*table);
            continue;
        }
        writeBlock(block, "par", false);
        block = block.next();
    }
    m_out.closeGroup();
    return m_out.take();
}

void Writer::collectTables()
{
    const QString defaultFamily = m_doc.defaultFont().family();
    fontIndex(defaultFamily, isChineseFamily(defaultFamily) ? charsetGb2312 : charsetAnsi);
    m_colors.append(QColor()); // entry 0: the automatic colour
    for (QTextBlock block = m_doc.begin(); block.isValid(); block = block.next()) {
        if (const QTextList *list = block.textList(); list && isBullet(list->format().style())) {
            const BulletGlyph glyph = bulletGlyph(list->format().style());
            fontIndex(QString::fromLatin1(glyph.family), glyph.charset);
        }
        for (auto it = block.begin(); !it.atEnd(); ++it)
            styleOf(it.fragment());
    }
}

const Writer::FragmentStyle &Writer::styleOf(const QTextFragment &fragment)
{
    const auto found = m_styles.constFind(fragment.charFormatIndex());
    if (found != m_styles.constEnd())
        return found.value();
    const QTextCharFormat format = fragment.charFormat();
    FragmentStyle style;
    style.run = runFormat(format);
    style.href = format.isAnchor() ? format.anchorHref() : QString();
    style.isImage = format.isImageFormat();
    return m_styles.insert(fragment.charFormatIndex(), style).value();
}

int Writer::fontIndex(const QString &family, int charset)
{
    const auto found = m_fontIndex.constFind(family);
    if (found != m_fontIndex.constEnd())
        return found.value();
    m_fonts.append({family, charset});
    m_fontIndex.insert(family, int(m_fonts.size() - 1));
    return int(m_fonts.size() - 1);
}

int Writer::colorIndex(const QColor &color)
{
    const QRgb rgb = color.rgb();
    const auto found = m_colorIndex.constFind(rgb);
    if (found != m_colorIndex.constEnd())
        return found.value();
    m_colors.append(QColor(rgb));
    m_colorIndex.insert(rgb, int(m_colors.size() - 1));
    return int(m_colors.size() - 1);
}

QString Writer::familyOf(const QTextCharFormat &format) const
{
    const QStringList families = format.fontFamilies().toStringList();
    return families.isEmpty() || families.front().isEmpty() ? m_doc.defaultFont().family() : families.front();
}

Writer::RunFormat Writer::runFormat(const QTextCharFormat &format)
{
    RunFormat run;
    const QString family = familyOf(format);
    run.font = fontIndex(family, isChineseFamily(family) ? charsetGb2312 : charsetAnsi);
    if (format.hasProperty(QTextFormat::FontPointSize) && format.fontPointSize() > 0)
        run.halfPoints = int(std::lround(format.fontPointSize() * 2));
    else
        run.halfPoints = m_defaultHalfPoints;
    run.bold = format.fontWeight() > QFont::Medium;
    run.italic = format.fontItalic();
    run.underline = format.fontUnderline();
    run.strike = format.fontStrikeOut();
    if (format.verticalAlignment() == QTextCharFormat::AlignSuperScript)
        run.verticalShift = 1;
    else if (format.verticalAlignment() == QTextCharFormat::AlignSubScript)
        run.verticalShift = -1;
    if (format.foreground().style() != Qt::NoBrush)
        run.color = colorIndex(format.foreground().color());
    if (format.background().style() != Qt::NoBrush)
        run.background = colorIndex(format.background().color());
    return run;
}

void Writer::writeHeader()
{
    m_out.openGroup();
    m_out.word("rtf", 1);
    m_out.word("ansi");
    m_out.word("ansicpg", gbkCodePage);
    m_out.word("deff", 0);
    m_out.word("deflang", 1033);
    m_out.word("deflangfe", 2052);
    m_out.openGroup();
    m_out.word("fonttbl");
    for (qsizetype i = 0; i < m_fonts.size(); ++i) {
        m_out.openGroup();
        m_out.word("f", int(i));
        m_out.word(m_fonts[i].charset == charsetSymbol ? "ftech" : "fnil");
        m_out.word("fcharset", m_fonts[i].charset);
        writeTextInFont(m_fonts[i].family, int(i));
        m_out.asciiChar(';');
        m_out.closeGroup();
    }
    m_out.closeGroup();
    m_out.lineBreak();
    m_out.openGroup();
    m_out.word("colortbl");
    m_out.asciiChar(';');
    for (qsizetype i = 1; i < m_colors.size(); ++i) {
        m_out.word("red", m_colors[i].red());
        m_out.word("green", m_colors[i].green());
        m_out.word("blue", m_colors[i].blue());
        m_out.asciiChar(';');
    }
    m_out.closeGroup();
    m_out.lineBreak();
    m_out.word("viewkind", 4);
    m_out.word("uc", 1);
}

// Rows as \trowd ... \cell ... \row; a cell covered by a span stays empty. Tables nested in a
// cell come out as the cell's paragraphs. Returns the first block after the table.
QTextBlock Writer::writeTable(const QTextTable &table)
{
    const int columns = std::max(table.columns(), 1);
    for (int row = 0; row < table.rows(); ++row) {
        m_out.word("trowd");
        m_out.word("trgaph", 108);
        for (int column = 1; column <= columns; ++column)
            m_out.word("cellx", tableWidthTwips * column / columns);
        for (int column = 0; column < columns; ++column) {
            const QTextTableCell cell = table.cellAt(row, column);
            if (cell.row() != row || cell.column() != column) {
                m_out.word("pard");
                m_out.word("intbl");
                m_out.word("cell");
                continue;
            }
            const QTextBlock last = cell.lastCursorPosition().block();
            for (QTextBlock block = cell.firstCursorPosition().block(); block.isValid(); block = block.next()) {
                writeBlock(block, block == last ? "cell" : "par", true);
                if (block == last)
                    break;
            }
        }
        m_out.word("row");
        m_out.lineBreak();
    }
    return m_doc.findBlock(table.lastPosition() + 1);
}

void Writer::writeBlock(const QTextBlock &block, const char *ending, bool inTable)
{
    writeParagraphFormat(block);
    if (inTable)
        m_out.word("intbl");
    for (auto it = block.begin(); !it.atEnd(); ++it) {
        const QTextFragment fragment = it.fragment();
        const FragmentStyle &style = styleOf(fragment);
        writeLinkChange(style.href);
        if (style.isImage) {
            for (qsizetype i = 0; i < fragment.length(); ++i)
                writeImage(fragment.charFormat().toImageFormat());
            continue;
        }
        writeRunFormat(style.run);
        writeText(fragment.text());
    }
    writeLinkChange(QString());
    m_out.word(ending);
    if (!inTable)
        m_out.lineBreak();
}

void Writer::writeParagraphFormat(const QTextBlock &block)
{
    const QTextBlockFormat format = block.blockFormat();
    m_out.word("pard");
    const Qt::Alignment alignment = format.alignment() & Qt::AlignHorizontal_Mask;
    if (alignment & Qt::AlignHCenter)
        m_out.word("qc");
    else if (alignment & (Qt::AlignRight | Qt::AlignTrailing))
        m_out.word("qr");
    else if (alignment & Qt::AlignJustify)
        m_out.word("qj");
    if (block.textList()) {
        writeListMarker(block);
    } else {
        if (const int left = twips(format.leftMargin()))
            m_out.word("li", left);
        if (const int first = twips(format.textIndent()))
            m_out.word("fi", first);
    }
    if (const int right = twips(format.rightMargin()))
        m_out.word("ri", right);
    if (const int before = twips(format.topMargin()))
        m_out.word("sb", before);
    if (const int after = twips(format.bottomMargin()))
        m_out.word("sa", after);
}

// RichEdit's bullets: {\pntext ...} is what older readers show, {\*\pn ...} what it means.
void Writer::writeListMarker(const QTextBlock &block)
{
    const QTextList *list = block.textList();
    const QTextListFormat::Style style = list->format().style();
    const int level = std::max(list->format().indent(), 1);

    m_out.openGroup();
    m_out.word("pntext");
    if (isBullet(style)) {
        const BulletGlyph glyph = bulletGlyph(style);
        m_out.word("f", fontIndex(QString::fromLatin1(glyph.family), glyph.charset));
        m_out.hexByte(glyph.byte);
    } else {
        m_out.word("f", 0);
        for (const QChar c : list->itemText(block))
            m_out.asciiChar(c.unicode() < 0x80 ? char(c.unicode()) : '?');
    }
    m_out.word("tab");
    m_out.closeGroup();

    m_out.openGroup();
    m_out.symbol('*');
    m_out.word("pn");
    if (isBullet(style)) {
        const BulletGlyph glyph = bulletGlyph(style);
        m_out.word("pnlvlblt");
        m_out.word("pnf", fontIndex(QString::fromLatin1(glyph.family), glyph.charset));
        m_out.word("pnindent", 0);
        m_out.openGroup();
        m_out.word("pntxtb");
        m_out.hexByte(glyph.byte);
        m_out.closeGroup();
    } else {
        m_out.word("pnlvlbody");
        m_out.word("pnf", 0);
        m_out.word("pnindent", 0);
        m_out.word("pnstart", 1);
        m_out.word(numberingWord(style));
        m_out.openGroup();
        m_out.word("pntxta");
        m_out.asciiChar('.');
        m_out.closeGroup();
    }
    m_out.closeGroup();
    m_out.word("fi", -bulletHangTwips);
    m_out.word("li", listIndentTwips * level);
}

void Writer::writeRunFormat(const RunFormat &format)
{
    if (format.font != m_current.font)
        m_out.word("f", format.font);
    if (format.halfPoints != m_current.halfPoints)
        m_out.word("fs", format.halfPoints);
    if (format.bold != m_current.bold)
        format.bold ? m_out.word("b") : m_out.word("b", 0);
    if (format.italic != m_current.italic)
        format.italic ? m_out.word("i") : m_out.word("i", 0);
    if (format.underline != m_current.underline)
        m_out.word(format.underline ? "ul" : "ulnone");
    if (format.strike != m_current.strike)
        format.strike ? m_out.word("strike") : m_out.word("strike", 0);
    if (format.verticalShift != m_current.verticalShift)
        m_out.word(format.verticalShift > 0 ? "super" : format.verticalShift < 0 ? "sub" : "nosupersub");
    if (format.color != m_current.color)
        m_out.word("cf", format.color);
    if (format.background != m_current.background)
        m_out.word("highlight", format.background);
    m_current = format;
}

void Writer::writeLinkChange(const QString &href)
{
    if (href == m_openHref)
        return;
    if (!m_openHref.isEmpty()) {
        m_out.closeGroup(); // the result's text group
        m_out.closeGroup(); // \fldrslt
        m_out.closeGroup(); // \field
        m_current = m_beforeLink;
    }
    m_openHref = href;
    if (href.isEmpty())
        return;
    m_beforeLink = m_current;
    m_out.openGroup();
    m_out.word("field");
    m_out.openGroup();
    m_out.symbol('*');
    m_out.word("fldinst");
    m_out.openGroup();
    // A quote would end the field's argument early.
    const QString target = QString(href).replace(QLatin1Char('"'), QLatin1String("%22"));
    if (target.startsWith(QLatin1Char('#')))
        writeAsciiOrUnicode(QStringLiteral("HYPERLINK \\l \"%1\"").arg(target.mid(1)));
    else
        writeAsciiOrUnicode(QStringLiteral("HYPERLINK \"%1\"").arg(target));
    m_out.closeGroup();
    m_out.closeGroup();
    m_out.openGroup();
    m_out.word("fldrslt");
    m_out.openGroup();
}

void Writer::writeText(const QString &text)
{
    qsizetype runStart = 0;
    auto flushRun = [&](qsizetype end) {
        if (end > runStart)
            writeTextInFont(text.sliced(runStart, end - runStart), m_current.font);
        runStart = end + 1;
    };
    for (qsizetype i = 0; i < text.size(); ++i) {
        const char16_t c = text[i].unicode();
        if (c >= 0x20 && c != 0xa0 && c != 0x2028 && c != 0x2029 && c != 0xfffc)
            continue;
        flushRun(i);
        if (c == u'\t')
            m_out.word("tab");
        else if (c == 0xa0)
            m_out.symbol('~');
        else if (c == 0x2028 || c == 0x2029 || c == u'\n')
            m_out.word("line");
    }
    flushRun(text.size());
}

void Writer::writeAsciiOrUnicode(const QString &text)
{
    for (const QChar c : text) {
        if (c.unicode() < 0x80)
            m_out.asciiChar(char(c.unicode()));
        else
            m_out.unicodeUnit(c.unicode());
    }
}

void Writer::writeTextInFont(const QString &text, int font)
{
    if (m_fonts[font].charset != charsetGb2312) {
        writeAsciiOrUnicode(text);
        return;
    }
    for (qsizetype i = 0; i < text.size(); ++i) {
        const char16_t unit = text[i].unicode();
        if (unit < 0x80) {
            m_out.asciiChar(char(unit));
            continue;
        }
        const GbkCharacter gbk = m_gbk.encode(unit);
        if (gbk.length == 2)
            m_out.hexPair(gbk.bytes[0], gbk.bytes[1]);
        else if (gbk.length == 1)
            m_out.hexByte(gbk.bytes[0]);
        else
            m_out.unicodeUnit(unit); // also each half of a surrogate pair: GBK has neither
    }
}

void Writer::writeImage(const QTextImageFormat &format)
{
    const QVariant resource = m_doc.resource(QTextDocument::ImageResource, QUrl(format.name()));
    QByteArray data;
    const char *blip = "pngblip";
    QImage image;
    if (resource.userType() == QMetaType::QByteArray) {
        data = resource.toByteArray();
        if (data.startsWith("\xff\xd8\xff"))
            blip = "jpegblip";
        else if (!data.startsWith("\x89PNG\r\n\x1a\n"))
            image = QImage::fromData(std::exchange(data, QByteArray()));
    } else if (resource.userType() == QMetaType::QImage) {
        image = resource.value<QImage>();
    } else if (resource.userType() == QMetaType::QPixmap) {
        image = resource.value<QPixmap>().toImage();
    }
    if (!image.isNull()) {
        QBuffer buffer(&data);
        buffer.open(QIODevice::WriteOnly);
        image.save(&buffer, "PNG");
    }
    QBuffer buffer(&data);
    buffer.open(QIODevice::ReadOnly);
    const QSize natural = QImageReader(&buffer).size();
    if (data.isEmpty() || !natural.isValid() || natural.isEmpty())
        return; // nothing we could embed

    QSizeF shown(format.width(), format.height());
    if (shown.width() <= 0 && shown.height() <= 0)
        shown = natural;
    else if (shown.width() <= 0)
        shown.setWidth(shown.height() * natural.width() / natural.height());
    else if (shown.height() <= 0)
        shown.setHeight(shown.width() * natural.height() / natural.width());

    m_out.openGroup();
    m_out.word("pict");
    m_out.word(blip);
    m_out.word("picw", natural.width());
    m_out.word("pich", natural.height());
    m_out.word("picwgoal", twips(shown.width()));
    m_out.word("pichgoal", twips(shown.height()));
    m_out.hexData(data);
    m_out.closeGroup();
}

} // namespace rtf
