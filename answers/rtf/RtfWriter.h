#pragma once

#include "answers/rtf/GbkCharacterCache.h"
#include "answers/rtf/RtfOutput.h"

#include <QHash>
#include <QList>
#include <QString>
#include <QTextListFormat>

class QTextBlock;
class QTextFragment;
class QTextCharFormat;
class QTextDocument;
class QTextImageFormat;
class QTextTable;

namespace rtf {

// Writes a QTextDocument in the dialect of the Windows RichEdit control: GBK text in fonts
// of charset 134, \uN escapes for the rest, \pn bullets and PNG or JPEG pictures.
class Writer
{
public:
    explicit Writer(const QTextDocument &doc);
    QByteArray write();

private:
    struct Font
    {
        QString family;
        int charset;
    };

    struct RunFormat
    {
        int font = 0;
        int halfPoints = 24;
        bool bold = false;
        bool italic = false;
        bool underline = false;
        bool strike = false;
        int verticalShift = 0;
        int color = 0;
        int background = 0;
        bool operator==(const RunFormat &) const = default;
    };

    // What the writer needs of one character format, worked out once per format.
    struct FragmentStyle
    {
        RunFormat run;
        QString href;
        bool isImage = false;
    };

    void collectTables();
    const FragmentStyle &styleOf(const QTextFragment &fragment);
    int fontIndex(const QString &family, int charset);
    int colorIndex(const QColor &color);
    QString familyOf(const QTextCharFormat &format) const;
    RunFormat runFormat(const QTextCharFormat &format);

    void writeHeader();
    QTextBlock writeTable(const QTextTable &table);
    void writeBlock(const QTextBlock &block, const char *ending, bool inTable);
    void writeParagraphFormat(const QTextBlock &block);
    void writeListMarker(const QTextBlock &block);
    void writeRunFormat(const RunFormat &format);
    void writeLinkChange(const QString &href);
    void writeText(const QString &text);
    void writeEncodedRun(const QString &run);
    void writeTextInFont(const QString &text, int font);
    void writeAsciiOrUnicode(const QString &text);
    void writeImage(const QTextImageFormat &format);

    const QTextDocument &m_doc;
    Output m_out;
    GbkCharacterCache m_gbk;
    QList<Font> m_fonts;
    QHash<QString, int> m_fontIndex;
    QList<QColor> m_colors;
    QHash<QRgb, int> m_colorIndex;
    QHash<int, FragmentStyle> m_styles;
    int m_defaultHalfPoints = 24;
    RunFormat m_current;
    RunFormat m_beforeLink;
    QString m_openHref;
};

} // namespace rtf
