// Loading the whole category tree (30,000 categories over three levels) against reading the
// same rows with a plain query loop that builds nothing.
#include "FakeDialogs.h"
#include "KnowledgeBaseFixture.h"
#include "app/uMain.h"
#include "storage/uDM.h"
#include "tree/CategoryCodes.h"

#include <QApplication>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QTreeWidget>

#include <benchmark/benchmark.h>

namespace {

// 20 top-level categories, 20 children each, 74 grandchildren under each child: 30,020 rows.
KnowledgeBaseFixture &knowledgeBase()
{
    static KnowledgeBaseFixture *kb = [] {
        auto *made = new KnowledgeBaseFixture;
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), QStringLiteral("bench-fill"));
        db.setDatabaseName(made->databaseFile());
        db.open();
        db.transaction();
        QSqlQuery insert(db);
        insert.prepare(QStringLiteral("Insert into TFAQClass (TypeCode,TypeName,ParTypeCode,nLeveal,TypePYCode) Values(?,?,?,?,'')"));
        auto add = [&](const QString &code, const QString &name, const QString &parent, int level) {
            insert.addBindValue(code);
            insert.addBindValue(name);
            insert.addBindValue(TDM::text(parent));
            insert.addBindValue(level);
            insert.exec();
        };
        auto serial = [](int n) { return categorycodes::ZeroPad(QString::number(n), 4); };
        for (int a = 1; a <= 20; ++a) {
            const QString top = serial(a);
            add(top, QStringLiteral("一级分类%1").arg(a), QString(), 0);
            for (int b = 1; b <= 20; ++b) {
                const QString child = top + serial(b);
                add(child, QStringLiteral("二级分类%1").arg(b), top, 1);
                for (int c = 1; c <= 74; ++c)
                    add(child + serial(c), QStringLiteral("三级分类名称%1").arg(c), child, 2);
            }
        }
        db.commit();
        return made;
    }();
    return *kb;
}

void BM_ReadyData(benchmark::State &state)
{
    FakeDialogs dialogs;
    TDM dm;
    dm.DataModuleCreate(knowledgeBase().executable());
    TfrmMainFAQ window(dialogs, dm);
    window.show();
    for (auto _ : state) {
        window.ReadyData();
        benchmark::DoNotOptimize(window.Tree->topLevelItemCount());
    }
    state.counters["nodes"] = 30020;
}

void BM_PlainQueryLoop(benchmark::State &state)
{
    TDM dm;
    dm.DataModuleCreate(knowledgeBase().executable());
    for (auto _ : state) {
        QSqlQuery query = dm.exec(QStringLiteral("Select * from TFAQClass order by TypeCode"));
        qint64 sum = 0;
        while (query.next()) {
            const QString code = query.value(0).toString();
            const QString name = query.value(1).toString();
            const QString parent = query.value(2).toString();
            sum += code.size() + name.size() + parent.size() + query.value(3).toInt();
        }
        benchmark::DoNotOptimize(sum);
    }
}

} // namespace

BENCHMARK(BM_ReadyData)->Unit(benchmark::kMillisecond)->MinTime(2.0);
BENCHMARK(BM_PlainQueryLoop)->Unit(benchmark::kMillisecond)->MinTime(2.0);

int main(int argc, char **argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
