// readRtf against QTextDocument::setHtml and writeRtf against toHtml, on the same generated
// Chinese answer document of about 1 MB of RTF with mixed formatting.
#include "answers/RtfCodec.h"

#include <QGuiApplication>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextList>

#include <benchmark/benchmark.h>

namespace {

constexpr qsizetype targetRtfSize = 1 << 20;

const QString sentences[] = {
    QStringLiteral("您好，欢迎光临本店！请问有什么可以帮您？"),
    QStringLiteral("订单发货后一般三到五个工作日送达，偏远地区可能稍慢。"),
    QStringLiteral("退换货请在签收后七天内申请，并保持商品完好。"),
    QStringLiteral("如需发票，请在备注中填写抬头和税号 (Tax ID)。"),
    QStringLiteral("客服工作时间：周一至周五 9:00-18:00。"),
};
const char *const families[] = {"宋体", "仿宋_GB2312", "Arial", "微软雅黑"};
const QColor colors[] = {QColor(0, 0, 0), QColor(200, 0, 0), QColor(0, 0, 180), QColor(0, 120, 0)};

void appendParagraph(QTextCursor &cursor, int index)
{
    QTextBlockFormat block;
    const Qt::Alignment alignments[] = {Qt::AlignLeft, Qt::AlignHCenter, Qt::AlignRight, Qt::AlignJustify};
    block.setAlignment(alignments[index % 4]);
    cursor.insertBlock(block);
    if (index % 7 == 3) {
        QTextListFormat list;
        list.setStyle(index % 2 ? QTextListFormat::ListDisc : QTextListFormat::ListDecimal);
        cursor.createList(list);
    }
    for (int run = 0; run < 6; ++run) {
        QTextCharFormat format;
        const int k = index + run;
        format.setFontFamilies({QString::fromUtf8(families[k % 4])});
        format.setFontPointSize(9 + k % 5);
        format.setFontWeight(k % 3 == 0 ? QFont::Bold : QFont::Normal);
        format.setFontItalic(k % 5 == 1);
        format.setFontUnderline(k % 4 == 2);
        format.setForeground(colors[k % 4]);
        cursor.insertText(sentences[k % 5], format);
    }
}

struct Fixture
{
    QTextDocument doc;
    QByteArray rtf;
    QString html;

    Fixture()
    {
        doc.setDefaultFont(QFont(QStringLiteral("仿宋_GB2312"), 13));
        QTextCursor cursor(&doc);
        // Grow in steps until the RTF reaches the target size.
        for (int index = 0; rtf.size() < targetRtfSize; ++index) {
            appendParagraph(cursor, index);
            if (index % 200 == 199)
                rtf = writeRtf(doc);
        }
        rtf = writeRtf(doc);
        html = doc.toHtml();
    }
};

Fixture &fixture()
{
    static Fixture instance;
    return instance;
}

void setSizes(benchmark::State &state, qsizetype bytes)
{
    state.SetBytesProcessed(int64_t(state.iterations()) * bytes);
    state.counters["characters"] = double(fixture().doc.characterCount());
}

void BM_ReadRtf(benchmark::State &state)
{
    const QByteArray &rtf = fixture().rtf;
    for (auto _ : state) {
        QTextDocument doc;
        benchmark::DoNotOptimize(readRtf(rtf, &doc));
    }
    setSizes(state, fixture().rtf.size());
}

void BM_SetHtml(benchmark::State &state)
{
    const QString &html = fixture().html;
    for (auto _ : state) {
        QTextDocument doc;
        doc.setHtml(html);
        benchmark::DoNotOptimize(doc.characterCount());
    }
    setSizes(state, fixture().html.size() * 2);
}

void BM_WriteRtf(benchmark::State &state)
{
    const QTextDocument &doc = fixture().doc;
    for (auto _ : state)
        benchmark::DoNotOptimize(writeRtf(doc));
    setSizes(state, fixture().rtf.size());
}

void BM_ToHtml(benchmark::State &state)
{
    const QTextDocument &doc = fixture().doc;
    for (auto _ : state)
        benchmark::DoNotOptimize(doc.toHtml());
    setSizes(state, fixture().html.size() * 2);
}

BENCHMARK(BM_ReadRtf)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_SetHtml)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_WriteRtf)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ToHtml)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char **argv)
{
    // Fonts need a GUI application; no window is ever shown.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
