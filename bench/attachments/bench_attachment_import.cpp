// A folder import of 2,000 files of 4 KB to 1 MB (sizes spread evenly on a log scale, about
// 370 MB in all) against cp of the same folder. Both read the source from the page cache after
// the first pass; the import also adds one committed TDKFJ row per file.
#include "KnowledgeBaseFixture.h"
#include "attachments/AttachmentStore.h"
#include "storage/uDM.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

#include <cmath>
#include <memory>

namespace {

constexpr int kFiles = 2000;
constexpr qint64 kSmallest = 4 * 1024;
constexpr qint64 kLargest = 1024 * 1024;

struct SourceFolder
{
    QTemporaryDir dir{QDir::tempPath() + QStringLiteral("/附件 导入 XXXXXX")};
    qint64 bytes = 0;

    SourceFolder()
    {
        QByteArray block(kLargest, '\0');
        for (qint64 i = 0; i < kLargest; ++i)
            block[i] = char('a' + i % 26);
        for (int i = 0; i < kFiles; ++i) {
            const double share = double(i) / (kFiles - 1);
            const qint64 size = qint64(double(kSmallest) * std::pow(double(kLargest) / kSmallest, share));
            QFile file(dir.filePath(QStringLiteral("文件 %1.dat").arg(i, 4, 10, QLatin1Char('0'))));
            if (!file.open(QIODevice::WriteOnly) || file.write(block.constData(), size) != size)
                qFatal("cannot write the source folder");
            bytes += size;
        }
    }
};

std::unique_ptr<SourceFolder> g_source;

SourceFolder &source()
{
    if (!g_source)
        g_source = std::make_unique<SourceFolder>();
    return *g_source;
}

void BM_ImportFolder(benchmark::State &state)
{
    SourceFolder &from = source();
    for (auto _ : state) {
        state.PauseTiming();
        auto kb = std::make_unique<KnowledgeBaseFixture>();
        auto dm = std::make_unique<TDM>();
        dm->DataModuleCreate(kb->executable());
        AttachmentStore store(*dm);
        state.ResumeTiming();

        const ImportReport report = store.importFolder(QStringLiteral("0001"), from.dir.path());

        state.PauseTiming();
        if (report.attached.size() != kFiles)
            state.SkipWithError("not every file was attached");
        dm.reset();
        kb.reset();
        state.ResumeTiming();
    }
    state.SetBytesProcessed(state.iterations() * from.bytes);
    state.counters["files"] = kFiles;
}

void BM_CpFolder(benchmark::State &state)
{
    SourceFolder &from = source();
    for (auto _ : state) {
        state.PauseTiming();
        auto to = std::make_unique<QTemporaryDir>(QDir::tempPath() + QStringLiteral("/附件 cp XXXXXX"));
        state.ResumeTiming();

        const int code = QProcess::execute(QStringLiteral("cp"), {QStringLiteral("-r"), from.dir.path() + QStringLiteral("/."),
                                                                  to->path() + QLatin1Char('/')});

        state.PauseTiming();
        if (code != 0)
            state.SkipWithError("cp failed");
        to.reset();
        state.ResumeTiming();
    }
    state.SetBytesProcessed(state.iterations() * from.bytes);
    state.counters["files"] = kFiles;
}

} // namespace

BENCHMARK(BM_ImportFolder)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(3);
BENCHMARK(BM_CpFolder)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(3);

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    g_source.reset(); // the generated folder goes at once
    return 0;
}
