// Feeds arbitrary bytes to the RTF reader, then what it read through the writer and back: the
// text must survive that trip.
// Run: build-fuzz/fuzz/fuzz_rtf_reader -dict=fuzz/rtf.dict corpus/ tests/rtf/data/
#include "answers/RtfCodec.h"

#include <QGuiApplication>
#include <QTextDocument>

#include <cstdint>
#include <cstdlib>

// The text both documents must share: the writer drops control characters and object
// replacement characters that carry no image.
static QString comparableText(const QTextDocument &doc)
{
    QString text = doc.toPlainText();
    text.removeIf([](QChar c) {
        return (c.unicode() < 0x20 && c != u'\t' && c != u'\n') || c == QChar::ObjectReplacementCharacter;
    });
    return text;
}

extern "C" int LLVMFuzzerInitialize(int *argc, char ***argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    static QGuiApplication app(*argc, *argv); // fonts and image plugins need it
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QByteArray rtf(reinterpret_cast<const char *>(data), qsizetype(size));
    QTextDocument doc;
    if (!readRtf(rtf, &doc))
        return 0;
    // Whatever the reader made, the writer must turn into RTF the reader takes back.
    const QByteArray written = writeRtf(doc);
    QTextDocument again;
    if (!readRtf(written, &again) || comparableText(again) != comparableText(doc))
        std::abort();
    return 0;
}
