#include "answers/RtfCodec.h"

#include <QBuffer>
#include <QFile>
#include <QImage>
#include <QRegularExpression>
#include <QTest>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextList>
#include <QTextTable>

#include <functional>

namespace {

// One attribute of one character (or of its paragraph) that a fixture must decode to.
struct Expect
{
    enum Attribute { Family, PointSize, Bold, Italic, Underline, Strike, Foreground, Background, Href,
                     Alignment, ListStyle, ListIndent, LeftMargin, RightMargin, TopMargin, BottomMargin };
    int block;
    int column;
    Attribute attribute;
    QVariant value;
};

using DocumentBuilder = std::function<void(QTextDocument *)>;

} // namespace

Q_DECLARE_METATYPE(Expect)
Q_DECLARE_METATYPE(QList<Expect>)
Q_DECLARE_METATYPE(DocumentBuilder)

namespace {

QByteArray fixture(const char *name)
{
    QFile file(QStringLiteral(RTF_TEST_DATA "/") + QLatin1String(name));
    if (!file.open(QIODevice::ReadOnly))
        qFatal("missing fixture %s", name);
    return file.readAll();
}

QStringList blockTexts(const QTextDocument &doc)
{
    QStringList texts;
    for (QTextBlock block = doc.begin(); block.isValid(); block = block.next())
        texts << block.text();
    return texts;
}

QTextCharFormat formatAt(const QTextDocument &doc, int position)
{
    QTextCursor cursor(const_cast<QTextDocument *>(&doc));
    cursor.setPosition(position + 1);
    return cursor.charFormat();
}

QString familyOf(const QTextCharFormat &format, const QTextDocument &doc)
{
    const QStringList families = format.fontFamilies().toStringList();
    return families.isEmpty() ? doc.defaultFont().family() : families.front();
}

qreal pointSizeOf(const QTextCharFormat &format, const QTextDocument &doc)
{
    return format.hasProperty(QTextFormat::FontPointSize) ? format.fontPointSize() : doc.defaultFont().pointSizeF();
}

QVariant colorOf(const QBrush &brush)
{
    return brush.style() == Qt::NoBrush ? QVariant() : QVariant(brush.color());
}

QVariant actual(const QTextDocument &doc, const Expect &expect)
{
    const QTextBlock block = doc.findBlockByNumber(expect.block);
    if (!block.isValid())
        return QStringLiteral("no block %1").arg(expect.block);
    const QTextCharFormat chars = formatAt(doc, block.position() + expect.column);
    const QTextBlockFormat paragraph = block.blockFormat();
    switch (expect.attribute) {
    case Expect::Family: return familyOf(chars, doc);
    case Expect::PointSize: return pointSizeOf(chars, doc);
    case Expect::Bold: return chars.fontWeight() >= QFont::Bold;
    case Expect::Italic: return chars.fontItalic();
    case Expect::Underline: return chars.fontUnderline();
    case Expect::Strike: return chars.fontStrikeOut();
    case Expect::Foreground: return colorOf(chars.foreground());
    case Expect::Background: return colorOf(chars.background());
    case Expect::Href: return chars.anchorHref();
    case Expect::Alignment: return int(paragraph.alignment() & Qt::AlignHorizontal_Mask);
    case Expect::ListStyle: return block.textList() ? int(block.textList()->format().style()) : 0;
    case Expect::ListIndent: return block.textList() ? block.textList()->format().indent() : 0;
    case Expect::LeftMargin: return paragraph.leftMargin();
    case Expect::RightMargin: return paragraph.rightMargin();
    case Expect::TopMargin: return paragraph.topMargin();
    case Expect::BottomMargin: return paragraph.bottomMargin();
    }
    return {};
}

QList<QTextImageFormat> imagesOf(const QTextDocument &doc)
{
    QList<QTextImageFormat> images;
    for (QTextBlock block = doc.begin(); block.isValid(); block = block.next()) {
        for (auto it = block.begin(); !it.atEnd(); ++it) {
            if (it.fragment().charFormat().isImageFormat()) {
                for (int i = 0; i < it.fragment().length(); ++i)
                    images << it.fragment().charFormat().toImageFormat();
            }
        }
    }
    return images;
}

QImage imageOf(const QTextDocument &doc, const QTextImageFormat &format)
{
    const QVariant resource = doc.resource(QTextDocument::ImageResource, QUrl(format.name()));
    if (resource.userType() == QMetaType::QImage)
        return resource.value<QImage>();
    return QImage::fromData(resource.toByteArray());
}

QByteArray encodedImage(const char *format, QSize size, QColor color)
{
    QImage image(size, QImage::Format_RGB32);
    image.fill(color);
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, format);
    return bytes;
}

QByteArray rtfDocument(const QByteArray &body)
{
    return "{\\rtf1\\ansi\\ansicpg936\\deff0{\\fonttbl{\\f0\\fnil\\fcharset134 \\'cb\\'ce\\'cc\\'e5;}}"
           "\\viewkind4\\uc1\\pard\\f0\\fs20 " + body + "}";
}

const QColor red(255, 0, 0);
const QColor blue(0, 0, 255);

} // namespace

class TestRtfCodec : public QObject
{
    Q_OBJECT
private slots:
    void readsFixtures_data();
    void readsFixtures();
    void readsPictures_data();
    void readsPictures();
    void rejectsWhatIsNotRtf_data();
    void rejectsWhatIsNotRtf();
    void survivesHostileInput_data();
    void survivesHostileInput();
    void survivesEveryTruncation_data();
    void survivesEveryTruncation();
    void roundTrip_data();
    void roundTrip();
    void writesRichEditDialect_data();
    void writesRichEditDialect();
    void keepsLinesShort();
    void writesTablesAsRows();
};

void TestRtfCodec::readsFixtures_data()
{
    QTest::addColumn<QByteArray>("rtf");
    QTest::addColumn<QStringList>("blocks");
    QTest::addColumn<QList<Expect>>("expects");

    const int left = int(Qt::AlignLeft);
    QTest::newRow("WordPad Chinese text and formats")
        << fixture("wordpad_chinese.rtf")
        << QStringList{QStringLiteral("您好"), QStringLiteral("欢迎光临"), QStringLiteral("居中"),
                       QStringLiteral("Right"), QStringLiteral("测试")}
        << QList<Expect>{
               {0, 0, Expect::Family, QStringLiteral("宋体")}, {0, 0, Expect::PointSize, 10.0},
               {0, 0, Expect::Bold, false}, {0, 0, Expect::Alignment, left},
               {1, 0, Expect::Bold, true}, {1, 2, Expect::Bold, false},
               {1, 1, Expect::Foreground, QVariant()}, {1, 2, Expect::Foreground, red},
               {2, 0, Expect::Family, QStringLiteral("仿宋_GB2312")}, {2, 0, Expect::PointSize, 14.0},
               {2, 0, Expect::Italic, true}, {2, 0, Expect::Alignment, int(Qt::AlignHCenter)},
               {3, 0, Expect::Family, QStringLiteral("Arial")}, {3, 0, Expect::Underline, true},
               {3, 0, Expect::Alignment, int(Qt::AlignRight)}, {3, 0, Expect::LeftMargin, 48.0},
               {3, 0, Expect::RightMargin, 24.0}, {3, 0, Expect::TopMargin, 8.0},
               {3, 0, Expect::BottomMargin, 16.0},
               {4, 0, Expect::Strike, true}, {4, 0, Expect::Background, blue},
               {4, 0, Expect::Underline, false}, {4, 0, Expect::Alignment, int(Qt::AlignJustify)}};
    QTest::newRow("GBK mixed with \\u and \\uc skips")
        << fixture("mixed_unicode.rtf")
        << QStringList{QStringLiteral("您好"), QStringLiteral("中文"), QStringLiteral("café한😀!")}
        << QList<Expect>{{2, 0, Expect::Family, QStringLiteral("Arial")}};
    QTest::newRow("double-byte characters split across escapes and lines")
        << fixture("split_escapes.rtf") << QStringList{QStringLiteral("您好 欢迎")} << QList<Expect>{};
    QTest::newRow("lead and trail byte on both sides of a format change")
        << rtfDocument("{\\b \\'c4}\\'fa{\\i \\'ba}{\\ul \\'c3}\\par")
        << QStringList{QStringLiteral("您好")}
        << QList<Expect>{{0, 0, Expect::Bold, false}, {0, 1, Expect::Underline, true}};
    QTest::newRow("RichEdit \\pn bullets and numbering")
        << fixture("bullets_pn.rtf")
        << QStringList{QStringLiteral("步骤"), QStringLiteral("项一"), QStringLiteral("项二"),
                       QStringLiteral("第一"), QStringLiteral("第二"), QStringLiteral("结束")}
        << QList<Expect>{{0, 0, Expect::ListStyle, 0},
                         {1, 0, Expect::ListStyle, int(QTextListFormat::ListDisc)},
                         {2, 0, Expect::ListStyle, int(QTextListFormat::ListDisc)},
                         {1, 0, Expect::ListIndent, 1},
                         {3, 0, Expect::ListStyle, int(QTextListFormat::ListDecimal)},
                         {4, 0, Expect::ListStyle, int(QTextListFormat::ListDecimal)},
                         {5, 0, Expect::ListStyle, 0}};
    QTest::newRow("Word \\listtext and \\ls bullets")
        << fixture("bullets_listtext.rtf")
        << QStringList{QStringLiteral("项一"), QStringLiteral("项二"), QStringLiteral("第一"), QStringLiteral("结束")}
        << QList<Expect>{{0, 0, Expect::ListStyle, int(QTextListFormat::ListDisc)},
                         {0, 0, Expect::ListIndent, 1},
                         {1, 0, Expect::ListStyle, int(QTextListFormat::ListDisc)},
                         {1, 0, Expect::ListIndent, 2},
                         {2, 0, Expect::ListStyle, int(QTextListFormat::ListDecimal)},
                         {3, 0, Expect::ListStyle, 0}};
    QTest::newRow("table rows as tab-separated paragraphs")
        << fixture("table.rtf")
        << QStringList{QStringLiteral("表格\tA"), QStringLiteral("1\t2\t3"), QStringLiteral("结束")}
        << QList<Expect>{};
    QTest::newRow("HYPERLINK field")
        << fixture("hyperlink.rtf") << QStringList{QStringLiteral("请看链接。")}
        << QList<Expect>{{0, 1, Expect::Href, QString()},
                         {0, 2, Expect::Href, QStringLiteral("http://example.com/faq?q=1")},
                         {0, 3, Expect::Href, QStringLiteral("http://example.com/faq?q=1")},
                         {0, 2, Expect::Underline, true}, {0, 2, Expect::Foreground, blue},
                         {0, 4, Expect::Href, QString()}, {0, 4, Expect::Underline, false}};
    QTest::newRow("missing closing braces")
        << QByteArray("{\\rtf1\\ansi\\ansicpg936{\\fonttbl{\\f0\\fcharset134 \\'cb\\'ce\\'cc\\'e5;}}\\f0 {\\b \\'c4\\'fa\\par \\'ba\\'c3")
        << QStringList{QStringLiteral("您"), QStringLiteral("好")}
        << QList<Expect>{{1, 0, Expect::Bold, true}, {1, 0, Expect::Family, QStringLiteral("宋体")}};
    QTest::newRow("text after the document's group is ignored")
        << QByteArray("{\\rtf1 a\\par}}b{c}") << QStringList{QStringLiteral("a")} << QList<Expect>{};
    QTest::newRow("nested table stand-in skipped")
        << rtfDocument("\\pard\\intbl a\\nestcell{\\nonesttables a\\tab}b\\cell\\row")
        << QStringList{QStringLiteral("a\tb")} << QList<Expect>{};
    QTest::newRow("\\bin data in the font and colour tables")
        << QByteArray("{\\rtf1{\\fonttbl{\\f0\\bin2 ;}Arial;}}{\\colortbl;\\bin1 ;\\red255\\green0\\blue0;}\\f0\\cf1 f}")
        << QStringList{QStringLiteral("f")}
        << QList<Expect>{{0, 0, Expect::Family, QStringLiteral("Arial")}, {0, 0, Expect::Foreground, red}};
    QTest::newRow("unknown destinations skipped, unknown words ignored")
        << rtfDocument("{\\*\\unknownthing hidden}{\\info{\\title t}}\\madeupword12 x{\\*\\bkmkstart b}y{\\v hid}\\par")
        << QStringList{QStringLiteral("xy")} << QList<Expect>{};
    QTest::newRow("font charset decides the code page over \\ansicpg")
        << QByteArray("{\\rtf1\\ansi\\ansicpg1252{\\fonttbl{\\f0\\fcharset0 Arial;}{\\f1\\fcharset134 SimSun;}"
                      "{\\f2\\fcharset136 MingLiU;}}\\f0 \\'e9\\f1 \\'d6\\'d0\\f2 \\'a4\\'a4\\par}")
        << QStringList{QStringLiteral("é中中")} << QList<Expect>{};
}

void TestRtfCodec::readsFixtures()
{
    QFETCH(QByteArray, rtf);
    QFETCH(QStringList, blocks);
    QFETCH(QList<Expect>, expects);

    QTextDocument doc;
    QVERIFY(readRtf(rtf, &doc));
    QCOMPARE(blockTexts(doc), blocks);
    for (const Expect &expect : expects) {
        const QVariant value = actual(doc, expect);
        if (value != expect.value)
            QFAIL(qPrintable(QStringLiteral("block %1 column %2 attribute %3: got %4, expected %5")
                                 .arg(expect.block).arg(expect.column).arg(int(expect.attribute))
                                 .arg(value.toString(), expect.value.toString())));
    }
}

void TestRtfCodec::readsPictures_data()
{
    QTest::addColumn<QByteArray>("rtf");
    QTest::addColumn<QString>("text");
    QTest::addColumn<QList<QSize>>("shownSizes");

    const QByteArray png = encodedImage("PNG", QSize(3, 2), Qt::red);
    const QByteArray jpeg = encodedImage("JPEG", QSize(4, 4), Qt::green);
    const QByteArray pngHex = png.toHex();
    QByteArray wrappedHex;
    for (qsizetype i = 0; i < pngHex.size(); i += 64)
        wrappedHex += pngHex.mid(i, 64) + "\r\n";

    QTest::newRow("png with goal size")
        << rtfDocument("a{\\pict\\pngblip\\picw3\\pich2\\picwgoal90\\pichgoal60\r\n" + wrappedHex + "}b\\par")
        << QStringLiteral("a\uFFFCb") << QList<QSize>{QSize(6, 4)};
    QTest::newRow("jpeg with scaling")
        << rtfDocument("{\\pict\\jpegblip\\picscalex50\\picscaley200\\picwgoal120\\pichgoal120 " + jpeg.toHex() + "}\\par")
        << QStringLiteral("\uFFFC") << QList<QSize>{QSize(4, 16)};
    QTest::newRow("shppict shown, nonshppict fallback skipped")
        << rtfDocument("{\\*\\shppict{\\pict{\\*\\picprop}\\pngblip\\bliptag12 " + pngHex + "}}{\\nonshppict{\\pict\\wmetafile8 0102}}x\\par")
        << QStringLiteral("\uFFFCx") << QList<QSize>{QSize()};
    QTest::newRow("metafile skipped") << rtfDocument("a{\\pict\\wmetafile8\\picw10\\pich10 0102030405}b\\par")
                                      << QStringLiteral("ab") << QList<QSize>{};
    QTest::newRow("png as \\bin data")
        << rtfDocument("{\\pict\\pngblip\\bin" + QByteArray::number(png.size()) + " " + png + "}z\\par")
        << QStringLiteral("\uFFFCz") << QList<QSize>{QSize()};
    QTest::newRow("corrupt png skipped") << rtfDocument("{\\pict\\pngblip 89504e470d0a1a0a0000}c\\par")
                                         << QStringLiteral("c") << QList<QSize>{};
}

void TestRtfCodec::readsPictures()
{
    QFETCH(QByteArray, rtf);
    QFETCH(QString, text);
    QFETCH(QList<QSize>, shownSizes);

    QTextDocument doc;
    QVERIFY(readRtf(rtf, &doc));
    QCOMPARE(doc.toPlainText(), text);
    const QList<QTextImageFormat> images = imagesOf(doc);
    QCOMPARE(images.size(), shownSizes.size());
    for (qsizetype i = 0; i < images.size(); ++i) {
        QVERIFY(!imageOf(doc, images[i]).isNull());
        if (shownSizes[i].isValid())
            QCOMPARE(QSize(int(images[i].width()), int(images[i].height())), shownSizes[i]);
    }
}

void TestRtfCodec::rejectsWhatIsNotRtf_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<bool>("isRtf");
    QTest::addColumn<QString>("text");

    QTest::newRow("empty") << QByteArray() << false << QString();
    QTest::newRow("plain GBK text") << QByteArray("\xc4\xfa\xba\xc3") << false << QString();
    QTest::newRow("html") << QByteArray("<html><body>x</body></html>") << false << QString();
    QTest::newRow("almost") << QByteArray("{\\rt") << false << QString();
    QTest::newRow("group without rtf") << QByteArray("{\\b x}") << false << QString();
    QTest::newRow("leading white space") << QByteArray(" \r\n{\\rtf1 x}") << true << QStringLiteral("x");
    QTest::newRow("byte order mark") << QByteArray("\xef\xbb\xbf{\\rtf1 x}") << true << QStringLiteral("x");
}

void TestRtfCodec::rejectsWhatIsNotRtf()
{
    QFETCH(QByteArray, bytes);
    QFETCH(bool, isRtf);
    QFETCH(QString, text);

    QTextDocument doc;
    doc.setPlainText(QStringLiteral("previous answer"));
    QCOMPARE(readRtf(bytes, &doc), isRtf);
    QCOMPARE(doc.toPlainText(), text);
}

void TestRtfCodec::survivesHostileInput_data()
{
    QTest::addColumn<QByteArray>("rtf");
    QTest::addColumn<QString>("text");

    QTest::newRow("100000 open braces") << "{\\rtf1 a" + QByteArray(100000, '{') + "b" << QStringLiteral("a");
    QTest::newRow("deep nesting closed again")
        << "{\\rtf1 a" + QByteArray(100000, '{') + "deep" + QByteArray(100000, '}') + "b}" << QStringLiteral("ab");
    QTest::newRow("nesting within the cap keeps text")
        << "{\\rtf1 " + QByteArray(200, '{') + "x" + QByteArray(200, '}') + "}" << QStringLiteral("x");
    QTest::newRow("unbalanced closing braces") << QByteArray("{\\rtf1 {a}}}}b}") << QStringLiteral("a");
    QTest::newRow("huge font size") << QByteArray("{\\rtf1\\fs999999999999 big}") << QStringLiteral("big");
    QTest::newRow("huge and negative unicode") << QByteArray("{\\rtf1 a\\u99999999999?\\u-99999999999?b}")
                                               << QStringLiteral("ab");
    QTest::newRow("huge skip count") << QByteArray("{\\rtf1\\uc999999999 \\u20013 abc}d}") << QStringLiteral("\u4e2d");
    QTest::newRow("bin past the end") << QByteArray("{\\rtf1 keep\\bin999999999 xyz") << QStringLiteral("keep");
    QTest::newRow("bin hides braces") << QByteArray("{\\rtf1 a\\bin3 }{}b}") << QStringLiteral("ab");
    QTest::newRow("negative bin") << QByteArray("{\\rtf1 a\\bin-5 b}") << QStringLiteral("ab");
    QTest::newRow("huge indents") << QByteArray("{\\rtf1\\li-99999999999\\fi99999999999\\sb999999999 t\\par}")
                                  << QStringLiteral("t");
    QTest::newRow("broken hex escapes") << QByteArray("{\\rtf1 a\\'zz\\'4b\\'}") << QStringLiteral("azzK");
    QTest::newRow("lone lead byte at a paragraph end") << QByteArray("{\\rtf1\\ansicpg936 \\'c4\\par b}")
                                                       << QStringLiteral("\nb");
    QTest::newRow("overlong control word")
        << "{\\rtf1 \\" + QByteArray(100000, 'b') + " x}" << QStringLiteral("x");
    QTest::newRow("huge color and font indexes")
        << QByteArray("{\\rtf1{\\colortbl;\\red999\\green-5\\blue0;}\\cf2147483647\\f-2147483647\\highlight99 c}")
        << QStringLiteral("c");
    QTest::newRow("backslash at the end") << QByteArray("{\\rtf1 a\\") << QStringLiteral("a");
    QTest::newRow("destination at top level") << QByteArray("{\\rtf1\\pict 0102 t}") << QStringLiteral("0102 t");
}

void TestRtfCodec::survivesHostileInput()
{
    QFETCH(QByteArray, rtf);
    QFETCH(QString, text);

    QTextDocument doc;
    QVERIFY(readRtf(rtf, &doc));
    QCOMPARE(doc.toPlainText(), text);
    for (QTextBlock block = doc.begin(); block.isValid(); block = block.next()) {
        for (auto it = block.begin(); !it.atEnd(); ++it)
            QVERIFY(it.fragment().charFormat().fontPointSize() <= 1638);
    }
}

void TestRtfCodec::survivesEveryTruncation_data()
{
    QTest::addColumn<QByteArray>("rtf");
    for (const char *name : {"wordpad_chinese.rtf", "mixed_unicode.rtf", "bullets_pn.rtf", "bullets_listtext.rtf",
                             "table.rtf", "hyperlink.rtf"})
        QTest::newRow(name) << fixture(name);
}

void TestRtfCodec::survivesEveryTruncation()
{
    QFETCH(QByteArray, rtf);
    QTextDocument full;
    QVERIFY(readRtf(rtf, &full));
    const qsizetype fullLength = full.toPlainText().size();
    for (qsizetype length = 0; length < rtf.size(); ++length) {
        QTextDocument doc;
        QCOMPARE(readRtf(rtf.first(length), &doc), length >= 5);
        // A cut document shows at most what the whole one does: no text is made up or doubled.
        QVERIFY2(doc.toPlainText().size() <= fullLength, qPrintable(QString::number(length)));
    }
}

namespace {

QTextCharFormat charFormat(const QString &family, qreal points)
{
    QTextCharFormat format;
    format.setFontFamilies({family});
    format.setFontPointSize(points);
    return format;
}

void buildFormats(QTextDocument *doc)
{
    QTextCursor cursor(doc);
    QTextCharFormat plain = charFormat(QStringLiteral("宋体"), 10);
    cursor.insertText(QStringLiteral("您好，"), plain);
    QTextCharFormat bold = charFormat(QStringLiteral("仿宋_GB2312"), 13);
    bold.setFontWeight(QFont::Bold);
    bold.setForeground(QColor(200, 30, 40));
    cursor.insertText(QStringLiteral("欢迎"), bold);
    QTextCharFormat italic = charFormat(QStringLiteral("Arial"), 10.5);
    italic.setFontItalic(true);
    italic.setFontUnderline(true);
    cursor.insertText(QStringLiteral("Welcome"), italic);
    cursor.insertBlock();
    QTextCharFormat strike = charFormat(QStringLiteral("微软雅黑"), 20);
    strike.setFontStrikeOut(true);
    strike.setBackground(QColor(255, 255, 0));
    cursor.insertText(QStringLiteral("删除"), strike);
    QTextCharFormat blue = charFormat(QStringLiteral("宋体"), 9);
    blue.setForeground(QColor(0, 0, 255));
    cursor.insertText(QStringLiteral("{braces} \\ back"), blue);
    QTextCharFormat superscript = blue;
    superscript.setVerticalAlignment(QTextCharFormat::AlignSuperScript);
    cursor.insertText(QStringLiteral("2"), superscript);
    QTextCharFormat subscript = blue;
    subscript.setVerticalAlignment(QTextCharFormat::AlignSubScript);
    cursor.insertText(QStringLiteral("n"), subscript);
}

void buildParagraphs(QTextDocument *doc)
{
    QTextCursor cursor(doc);
    const Qt::Alignment alignments[] = {Qt::AlignLeft, Qt::AlignHCenter, Qt::AlignRight, Qt::AlignJustify};
    for (const Qt::Alignment alignment : alignments) {
        QTextBlockFormat format;
        format.setAlignment(alignment);
        format.setLeftMargin(int(alignment) * 4);
        format.setTextIndent(12);
        format.setTopMargin(6);
        if (alignment != Qt::AlignLeft)
            cursor.insertBlock(format);
        else
            cursor.setBlockFormat(format);
        cursor.insertText(QStringLiteral("段落%1").arg(int(alignment)), charFormat(QStringLiteral("宋体"), 12));
    }
    cursor.insertBlock(QTextBlockFormat());
    cursor.insertBlock(QTextBlockFormat());
    cursor.insertText(QStringLiteral("after empty"), charFormat(QStringLiteral("宋体"), 12));
}

void buildLists(QTextDocument *doc)
{
    QTextCursor cursor(doc);
    const QTextCharFormat format = charFormat(QStringLiteral("宋体"), 10);
    cursor.insertText(QStringLiteral("列表"), format);
    const QTextListFormat::Style styles[] = {QTextListFormat::ListDisc, QTextListFormat::ListCircle,
                                             QTextListFormat::ListSquare, QTextListFormat::ListDecimal,
                                             QTextListFormat::ListLowerAlpha, QTextListFormat::ListUpperRoman};
    for (const QTextListFormat::Style style : styles) {
        cursor.insertBlock(QTextBlockFormat());
        QTextListFormat listFormat;
        listFormat.setStyle(style);
        QTextList *list = cursor.createList(listFormat);
        cursor.insertText(QStringLiteral("第一项"), format);
        cursor.insertBlock();
        cursor.insertText(QStringLiteral("第二项"), format);
        QTextListFormat nested;
        nested.setStyle(QTextListFormat::ListCircle);
        nested.setIndent(2);
        if (style == QTextListFormat::ListDisc) {
            cursor.insertBlock();
            cursor.createList(nested);
            cursor.insertText(QStringLiteral("子项"), format);
            cursor.insertBlock();
            list->add(cursor.block());
            cursor.insertText(QStringLiteral("第三项"), format);
        }
        cursor.insertBlock(QTextBlockFormat());
        cursor.insertText(QStringLiteral("间隔"), format);
    }
}

void buildTextOutsideGbk(QTextDocument *doc)
{
    QTextCursor cursor(doc);
    cursor.insertText(QStringLiteral("中文 한국어 😀 €5 a\tb\u00a0c\u2028next line ½ ñ"),
                      charFormat(QStringLiteral("宋体"), 10));
    cursor.insertText(QStringLiteral(" 中文 in Arial ø"), charFormat(QStringLiteral("Arial"), 10));
}

void buildLinkAndImage(QTextDocument *doc)
{
    QImage image(5, 3, QImage::Format_RGB32);
    image.fill(Qt::blue);
    doc->addResource(QTextDocument::ImageResource, QUrl(QStringLiteral("blue.png")), image);
    QTextCursor cursor(doc);
    const QTextCharFormat format = charFormat(QStringLiteral("宋体"), 10);
    cursor.insertText(QStringLiteral("请点"), format);
    QTextCharFormat link = format;
    link.setAnchor(true);
    link.setAnchorHref(QStringLiteral("https://example.com/帮助?a=1&b=2"));
    link.setFontUnderline(true);
    cursor.insertText(QStringLiteral("这里"), link);
    cursor.insertText(QStringLiteral("，图："), format);
    QTextImageFormat picture;
    picture.setName(QStringLiteral("blue.png"));
    picture.setWidth(10);
    picture.setHeight(6);
    cursor.insertImage(picture);
    cursor.insertText(QStringLiteral("完"), format);
}

void compareDocuments(const QTextDocument &original, const QTextDocument &read)
{
    QCOMPARE(blockTexts(read), blockTexts(original));
    for (QTextBlock a = original.begin(), b = read.begin(); a.isValid(); a = a.next(), b = b.next()) {
        const QString where = QStringLiteral("block %1 \"%2\"").arg(a.blockNumber()).arg(a.text());
        QVERIFY2((a.blockFormat().alignment() & Qt::AlignHorizontal_Mask)
                     == (b.blockFormat().alignment() & Qt::AlignHorizontal_Mask), qPrintable(where));
        QVERIFY2(bool(a.textList()) == bool(b.textList()), qPrintable(where));
        if (a.textList()) {
            QCOMPARE(b.textList()->format().style(), a.textList()->format().style());
            QCOMPARE(b.textList()->format().indent(), a.textList()->format().indent());
            QCOMPARE(b.textList()->itemNumber(b), a.textList()->itemNumber(a));
        } else {
            QCOMPARE(b.blockFormat().leftMargin(), a.blockFormat().leftMargin());
            QCOMPARE(b.blockFormat().textIndent(), a.blockFormat().textIndent());
        }
        QCOMPARE(b.blockFormat().topMargin(), a.blockFormat().topMargin());
        for (int column = 0; column < a.length() - 1; ++column) {
            const QTextCharFormat x = formatAt(original, a.position() + column);
            const QTextCharFormat y = formatAt(read, b.position() + column);
            const QString at = where + QStringLiteral(" column %1").arg(column);
            QVERIFY2(x.isImageFormat() == y.isImageFormat(), qPrintable(at));
            if (x.isImageFormat()) {
                QCOMPARE(y.toImageFormat().width(), x.toImageFormat().width());
                QCOMPARE(y.toImageFormat().height(), x.toImageFormat().height());
                QCOMPARE(imageOf(read, y.toImageFormat()).size(), imageOf(original, x.toImageFormat()).size());
                continue;
            }
            QCOMPARE(familyOf(y, read), familyOf(x, original));
            QCOMPARE(pointSizeOf(y, read), pointSizeOf(x, original));
            QVERIFY2((y.fontWeight() >= QFont::Bold) == (x.fontWeight() >= QFont::Bold), qPrintable(at));
            QVERIFY2(y.fontItalic() == x.fontItalic(), qPrintable(at));
            QVERIFY2(y.fontUnderline() == x.fontUnderline(), qPrintable(at));
            QVERIFY2(y.fontStrikeOut() == x.fontStrikeOut(), qPrintable(at));
            QCOMPARE(colorOf(y.foreground()), colorOf(x.foreground()));
            QCOMPARE(colorOf(y.background()), colorOf(x.background()));
            QCOMPARE(y.anchorHref(), x.anchorHref());
            QCOMPARE(y.verticalAlignment(), x.verticalAlignment());
        }
    }
}

} // namespace

void TestRtfCodec::roundTrip_data()
{
    QTest::addColumn<DocumentBuilder>("build");
    QTest::newRow("character formats") << DocumentBuilder(buildFormats);
    QTest::newRow("alignment, indents, empty paragraphs") << DocumentBuilder(buildParagraphs);
    QTest::newRow("bullets and numbering") << DocumentBuilder(buildLists);
    QTest::newRow("text outside GBK") << DocumentBuilder(buildTextOutsideGbk);
    QTest::newRow("link and image") << DocumentBuilder(buildLinkAndImage);
    QTest::newRow("empty document") << DocumentBuilder([](QTextDocument *) {});
}

void TestRtfCodec::roundTrip()
{
    QFETCH(DocumentBuilder, build);
    QTextDocument original;
    original.setDefaultFont(QFont(QStringLiteral("仿宋_GB2312"), 13));
    build(&original);

    const QByteArray rtf = writeRtf(original);
    QTextDocument read;
    read.setDefaultFont(QFont(QStringLiteral("Sans"), 9)); // the reader must not lean on it
    QVERIFY(readRtf(rtf, &read));
    compareDocuments(original, read);
    if (QTest::currentTestFailed())
        qInfo().noquote() << rtf;
}

void TestRtfCodec::writesRichEditDialect_data()
{
    QTest::addColumn<DocumentBuilder>("build");
    QTest::addColumn<QStringList>("patterns");

    QTest::newRow("header, font table, colour table")
        << DocumentBuilder(buildFormats)
        << QStringList{QStringLiteral(R"(^\{\\rtf1\\ansi\\ansicpg936\\deff0)"),
                       QStringLiteral(R"(\{\\fonttbl\{\\f0\\fnil\\fcharset134 ?\\'b7\\'c2\\'cb\\'ce_GB2312;\})"),
                       QStringLiteral(R"(\{\\f\d\\fnil\\fcharset134 ?\\'cb\\'ce\\'cc\\'e5;\})"),
                       QStringLiteral(R"(\{\\f\d\\fnil\\fcharset0 ?Arial;\})"),
                       QStringLiteral(R"(\{\\colortbl ?;\\red200\\green30\\blue40;)"),
                       QStringLiteral(R"(\\viewkind4\\uc1\\pard)"),
                       QStringLiteral(R"(\\b\\cf1 ?\\'bb\\'b6\\'d3\\'ad)"),
                       QStringLiteral(R"(\\fs20 ?\\'c4\\'fa\\'ba\\'c3)"),
                       QStringLiteral(R"(\\\{braces\\\} \\\\ back)"),
                       QStringLiteral(R"(\}$)")};
    QTest::newRow("characters outside GBK")
        << DocumentBuilder(buildTextOutsideGbk)
        << QStringList{QStringLiteral(R"(\\'d6\\'d0\\'ce\\'c4 \\u-10916\\'3f)"),
                       QStringLiteral(R"(\\u-10179\\'3f\\u-8704\\'3f)"),
                       QStringLiteral(R"(\\'80 ?5)"), QStringLiteral(R"(a\\tab ?b\\~c\\line ?next)"),
                       QStringLiteral(R"(in Arial \\u248\s*\\'3f)")};
    QTest::newRow("bullets as \\pn with \\pntext")
        << DocumentBuilder(buildLists)
        << QStringList{QStringLiteral(R"(\{\\f\d\\ftech\\fcharset2 ?Symbol;\})"),
                       QStringLiteral(R"(\\pard\{\\pntext\\f\d\\'b7\\tab\}\{\\\*\\pn\\pnlvlblt\\pnf\d\\pnindent0\{\\pntxtb\\'b7\}\}\\fi-360\\li720)"),
                       QStringLiteral(R"(\{\\pntext\\f0 ?2\.\\tab\}\{\\\*\\pn\\pnlvlbody\\pnf0\\pnindent0\\pnstart1\\pndec)")};
    QTest::newRow("picture and link")
        << DocumentBuilder(buildLinkAndImage)
        << QStringList{QStringLiteral(R"(\{\\pict\\pngblip\s*\\picw5\\pich3\\picwgoal150\\pichgoal90\s*89504e47)"),
                       QStringLiteral(R"(\{\\field\{\\\*\\fldinst\{HYPERLINK \x22https://example\.com/\\u24110\\'3f\\u21161\\'3f\?a=1&b=2\x22\}\}\{\\fldrslt\{)")};
}

void TestRtfCodec::writesRichEditDialect()
{
    QFETCH(DocumentBuilder, build);
    QFETCH(QStringList, patterns);
    QTextDocument doc;
    doc.setDefaultFont(QFont(QStringLiteral("仿宋_GB2312"), 13));
    build(&doc);
    const QString rtf = QString::fromLatin1(writeRtf(doc));
    for (const QString &pattern : patterns) {
        const QRegularExpression expression(pattern);
        QVERIFY2(expression.isValid(), qPrintable(pattern));
        QVERIFY2(expression.match(rtf).hasMatch(), qPrintable(pattern + QStringLiteral("\nnot in\n") + rtf));
    }
}

void TestRtfCodec::keepsLinesShort()
{
    QTextDocument doc;
    QTextCursor cursor(&doc);
    QString longText;
    for (int i = 0; i < 500; ++i)
        longText += QStringLiteral("知识库问答abc😀");
    cursor.insertText(longText);
    QImage image(300, 200, QImage::Format_ARGB32);
    image.fill(Qt::red);
    doc.addResource(QTextDocument::ImageResource, QUrl(QStringLiteral("big.png")), image);
    QTextImageFormat picture;
    picture.setName(QStringLiteral("big.png"));
    cursor.insertImage(picture);

    const QByteArray rtf = writeRtf(doc);
    for (const QByteArray &line : rtf.split('\n'))
        QVERIFY2(line.size() <= 202, line.constData());
    QTextDocument read;
    QVERIFY(readRtf(rtf, &read));
    QCOMPARE(read.toPlainText(), doc.toPlainText());
}

void TestRtfCodec::writesTablesAsRows()
{
    QTextDocument doc;
    doc.setDefaultFont(QFont(QStringLiteral("宋体"), 10));
    QTextCursor cursor(&doc);
    cursor.insertText(QStringLiteral("前"));
    QTextTable *table = cursor.insertTable(2, 2);
    const QString cells[] = {QStringLiteral("甲"), QStringLiteral("乙"), QString(), QStringLiteral("丁")};
    for (int i = 0; i < 4; ++i)
        table->cellAt(i / 2, i % 2).firstCursorPosition().insertText(cells[i]);
    cursor.movePosition(QTextCursor::End);
    cursor.insertText(QStringLiteral("后"));

    const QByteArray rtf = writeRtf(doc);
    const QRegularExpression row(QStringLiteral(
        R"(\\trowd\\trgaph108\\cellx4320\\cellx8640\\pard\\intbl ?\\'bc\\'d7\\cell\\pard\\intbl ?\\'d2\\'d2\\cell\\row)"));
    QVERIFY2(row.match(QString::fromLatin1(rtf)).hasMatch(), rtf.constData());
    QTextDocument read;
    QVERIFY(readRtf(rtf, &read));
    QCOMPARE(blockTexts(read), (QStringList{QStringLiteral("前"), QStringLiteral("甲\t乙"), QStringLiteral("\t丁"),
                                            QStringLiteral("后")}));
}

QTEST_MAIN(TestRtfCodec)
#include "tst_rtfcodec.moc"
