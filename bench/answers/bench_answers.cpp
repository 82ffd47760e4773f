// A click on a category with a 200 KB answer and 200 attachments, from the click to the answer
// shown; writing that answer back; and the cost of keeping the replaced answer in the history.
#include "FakeDialogs.h"
#include "KnowledgeBaseFixture.h"
#include "answers/AnswerDocument.h"
#include "answers/AnswerHistory.h"
#include "answers/RtfCodec.h"
#include "app/uMain.h"
#include "attachments/AttachmentList.h"
#include "storage/uDM.h"

#include <QApplication>
#include <QFile>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QTest>
#include <QTextCursor>
#include <QTextDocument>
#include <QTreeWidget>

#include <benchmark/benchmark.h>

namespace {

// About 200 KB of RTF: Chinese paragraphs with bold, colour and bullets.
QByteArray largeAnswer()
{
    QTextDocument doc;
    QTextCursor cursor(&doc);
    QTextCharFormat bold;
    bold.setFontWeight(QFont::Bold);
    QTextCharFormat red;
    red.setForeground(Qt::red);
    int paragraph = 0;
    QByteArray rtf;
    while (true) {
        cursor.insertText(QStringLiteral("第%1条：").arg(++paragraph), bold);
        cursor.insertText(QStringLiteral("亲，您好！本店商品均为正品，付款后四十八小时内发货，"), QTextCharFormat());
        cursor.insertText(QStringLiteral("如有质量问题请联系客服处理。"), red);
        cursor.insertBlock();
        if (paragraph % 50 == 0) {
            rtf = writeRtf(doc);
            if (rtf.size() >= 200 * 1024)
                return rtf;
        }
    }
}

struct Setup
{
    KnowledgeBaseFixture kb;
    Setup()
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), QStringLiteral("bench-answers"));
        db.setDatabaseName(kb.databaseFile());
        db.open();
        db.transaction();
        QSqlQuery query(db);
        query.exec(QStringLiteral("Insert into TFAQClass values('0001','小分类','',0,'')"));
        query.exec(QStringLiteral("Insert into TFAQClass values('0002','大答案','',0,'')"));
        query.prepare(QStringLiteral("Insert into TDKFJ (BillID,FJName,ExdName,FileName) values('0002',?,?,?)"));
        for (int i = 0; i < 200; ++i) {
            query.addBindValue(QStringLiteral("附件%1.xls").arg(i));
            query.addBindValue(QStringLiteral("xls"));
            query.addBindValue(QStringLiteral("20240315093007%1.xls").arg(i));
            query.exec();
        }
        db.commit();
        db.close();
        kb.writeFile(QStringLiteral("DB/0002.rtf"), largeAnswer());
        kb.writeFile(QStringLiteral("DB/0001.rtf"), "{\\rtf1\\ansi x}");
    }
};

Setup &setup()
{
    static Setup *instance = new Setup;
    return *instance;
}

QTreeWidgetItem *node(TfrmMainFAQ &window, int index)
{
    return window.Tree->topLevelItem(index);
}

void BM_TreeClickLargeAnswer(benchmark::State &state)
{
    FakeDialogs dialogs;
    TDM dm;
    dm.DataModuleCreate(setup().kb.executable());
    TfrmMainFAQ window(dialogs, dm);
    window.show();
    if (!QTest::qWaitForWindowExposed(&window))
        state.SkipWithError("window not exposed");
    for (auto _ : state) {
        state.PauseTiming();
        window.Tree->setCurrentItem(node(window, 0));
        window.TreeClick();
        window.Tree->setCurrentItem(node(window, 1));
        state.ResumeTiming();
        window.TreeClick();
        // Until the editor has laid out and painted what it shows.
        window.RichEdit->viewport()->repaint();
    }
    state.counters["attachments"] = double(window.dsFJ->rowCount());
    state.counters["answer_KB"] = double(QFile(setup().kb.dataFile(QStringLiteral("0002.rtf"))).size()) / 1024;
}

void BM_SaveDocLargeAnswer(benchmark::State &state)
{
    FakeDialogs dialogs;
    TDM dm;
    dm.DataModuleCreate(setup().kb.executable());
    TfrmMainFAQ window(dialogs, dm);
    window.show();
    window.Tree->setCurrentItem(node(window, 1));
    window.TreeClick();
    for (auto _ : state) {
        window.RichEdit->document()->setModified(true);
        window.SaveDoc();
    }
}

// The 200 KB answer, a little different each time, so every save replaces another content.
QByteArray answerNumbered(int n)
{
    static const QByteArray base = largeAnswer();
    QByteArray rtf = base;
    rtf.insert(rtf.lastIndexOf('}'), " " + QByteArray::number(n));
    return rtf;
}

// Both write the same documents on the same disk; only the history differs.
void BM_WriteAnswerWithoutHistory(benchmark::State &state)
{
    const QString path = setup().kb.dataFile(QStringLiteral("0001.rtf"));
    int n = 0;
    for (auto _ : state)
        answerdocument::writeFile(path, answerNumbered(++n));
}

void BM_WriteAnswerWithHistory(benchmark::State &state)
{
    TDM dm;
    dm.DataModuleCreate(setup().kb.executable());
    int n = 0;
    for (auto _ : state)
        answerhistory::writeDocument(dm, QStringLiteral("0001"), answerNumbered(++n));
    state.counters["versions"] = double(answerhistory::versions(dm, QStringLiteral("0001")).size());
}

} // namespace

BENCHMARK(BM_WriteAnswerWithoutHistory)->Unit(benchmark::kMillisecond)->MinTime(3.0);
BENCHMARK(BM_WriteAnswerWithHistory)->Unit(benchmark::kMillisecond)->MinTime(3.0);
BENCHMARK(BM_TreeClickLargeAnswer)->Unit(benchmark::kMillisecond)->MinTime(2.0);
BENCHMARK(BM_SaveDocLargeAnswer)->Unit(benchmark::kMillisecond)->MinTime(2.0);

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
