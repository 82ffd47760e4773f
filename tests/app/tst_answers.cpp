#include "AnswerFiles.h"
#include "RunningProgram.h"
#include "TestFiles.h"
#include "KnowledgeBaseFixture.h"
#include "answers/AnswerClipboard.h"
#include "answers/AnswerHistory.h"
#include "answers/AnswerHistoryDialog.h"
#include "answers/AnswerSession.h"
#include "common/FaqError.h"
#include "answers/RtfCodec.h"
#include "app/Startup.h"
#include "app/uMain.h"
#include "attachments/AttachmentList.h"
#include "storage/uDM.h"
#include "tree/TreeView.h"

#include <QClipboard>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QTableWidget>
#include <QMimeData>
#include <QPushButton>
#include <QTest>
#include <QTextCursor>
#include <QTextDocument>
#include <QToolButton>
#include <QTreeWidget>

#include <memory>

namespace {

// The answer tests type into the editor, so the window must also be the active one.
struct Program : RunningProgram<>
{
    explicit Program(const KnowledgeBaseFixture &kb)
        : RunningProgram(kb)
    {
        if (!QTest::qWaitForWindowActive(window.get()))
            qWarning("the main window did not become active");
    }
};



void clickNode(TfrmMainFAQ &w, const QString &code)
{
    QTreeWidgetItem *item = treeview::findByCode(w.Tree, code);
    QVERIFY(item);
    w.Tree->scrollToItem(item);
    QTest::mouseClick(w.Tree->viewport(), Qt::LeftButton, {}, w.Tree->visualItemRect(item).center());
    QCoreApplication::processEvents();
}

void type(TfrmMainFAQ &w, const QString &text)
{
    w.RichEdit->setFocus();
    QTest::keyClick(w.RichEdit, Qt::Key_End, Qt::ControlModifier);
    QTest::keyClicks(w.RichEdit, "+");
    w.RichEdit->textCursor().insertText(text);
}

// Two categories with answers and a third without one.
void addSample(KnowledgeBaseFixture &kb)
{
    kb.addCategory(QStringLiteral("0001"), QStringLiteral("售前咨询"), QString(), 0);
    kb.addCategory(QStringLiteral("0002"), QStringLiteral("退货流程"), QString(), 0);
    kb.addCategory(QStringLiteral("0003"), QStringLiteral("新分类"), QString(), 0);
    kb.writeFile(QStringLiteral("DB/0001.rtf"), rtfOf(QStringLiteral("一号答案")));
    kb.writeFile(QStringLiteral("DB/0002.rtf"), rtfOf(QStringLiteral("二号答案")));
}


} // namespace

class TestAnswers : public QObject
{
    Q_OBJECT
private slots:
    void firstCategoryShownAtStartWithoutBeingModified();
    void clickingAnotherCategorySavesTheFirstUnderItsOwnCode();
    void noSavePointWritesWhenNothingChanged();
    void saveButtonAndCloseQueryWrite();
    void failedCloseQueryKeepsTheWindowAndTheText();
    void plainTextFileIsShownAndRewrittenAsRtfOnceChanged();
    void unreadableDocumentEmptiesTheEditorAndIsNotWrittenBack();
    void failedSaveHoldsBackTheClickAndTheNextClickActs_data();
    void failedSaveHoldsBackTheClickAndTheNextClickActs();
    void keyboardMoveThenWholeCopyNamesTheCopiedCategory();
    void showCategoryFromElsewhereGoesThroughTheSession();
    void historyBringsBackAnEarlierAnswer();
    void historyNeedsAShownCategory();
    void craftedCategoryCodeIsNeverAPath();
    void focusToAnotherWindowIsNoSavePoint();
    void modeSwitchKeepsUnsavedChanges();
    void copyButtonsPutThreeFormatsAndAHint_data();
    void copyButtonsPutThreeFormatsAndAHint();
    void wholeCopyOnAnEmptyTreeNamesNoNode();
    void editorCopyCarriesTheSameFormats();
};

void TestAnswers::firstCategoryShownAtStartWithoutBeingModified()
{
    KnowledgeBaseFixture kb;
    addSample(kb);
    Program program(kb);
    QCOMPARE(program.window->RichEdit->toPlainText(), QStringLiteral("一号答案"));
    QCOMPARE(program.window->CurrTypeCode(), QStringLiteral("0001"));
    QVERIFY(!program.window->DocModified());
    QVERIFY(program.dialogs.shown.isEmpty());
}

void TestAnswers::clickingAnotherCategorySavesTheFirstUnderItsOwnCode()
{
    KnowledgeBaseFixture kb;
    addSample(kb);
    Program program(kb);
    TfrmMainFAQ &w = *program.window;
    type(w, QStringLiteral("包邮"));
    QVERIFY(w.DocModified());

    clickNode(w, QStringLiteral("0002"));
    QCOMPARE(textOfFile(kb.dataFile(QStringLiteral("0001.rtf"))), QStringLiteral("一号答案+包邮"));
    QCOMPARE(textOfFile(kb.dataFile(QStringLiteral("0002.rtf"))), QStringLiteral("二号答案"));
    QCOMPARE(w.RichEdit->toPlainText(), QStringLiteral("二号答案"));
    QCOMPARE(w.CurrTypeCode(), QStringLiteral("0002"));
    QVERIFY(!w.DocModified());

    // A category without a document shows an empty answer and gets no file from the click.
    clickNode(w, QStringLiteral("0003"));
    QVERIFY(w.RichEdit->toPlainText().isEmpty());
    QVERIFY(!QFileInfo::exists(kb.dataFile(QStringLiteral("0003.rtf"))));
    // Undo does not bring the previous category's text back into this one.
    w.RichEdit->undo();
    QVERIFY(w.RichEdit->toPlainText().isEmpty());
    QVERIFY(program.dialogs.errors.isEmpty());
}

void TestAnswers::noSavePointWritesWhenNothingChanged()
{
    KnowledgeBaseFixture kb;
    addSample(kb);
    const QByteArray before = readBytes(kb.dataFile(QStringLiteral("0001.rtf")));
    Program program(kb);
    TfrmMainFAQ &w = *program.window;
    w.RichEdit->setFocus();
    clickNode(w, QStringLiteral("0003"));
    clickNode(w, QStringLiteral("0001"));
    w.RichEdit->setFocus();
    QTest::mouseClick(w.ToolButton3, Qt::LeftButton);
    QTest::mouseClick(w.ToolButton26, Qt::LeftButton);
    QVERIFY(w.close());
    QCOMPARE(readBytes(kb.dataFile(QStringLiteral("0001.rtf"))), before);
    QVERIFY(!QFileInfo::exists(kb.dataFile(QStringLiteral("0003.rtf"))));
}

void TestAnswers::saveButtonAndCloseQueryWrite()
{
    KnowledgeBaseFixture kb;
    addSample(kb);
    Program program(kb);
    TfrmMainFAQ &w = *program.window;
    QTest::mouseClick(w.ToolButton3, Qt::LeftButton);
    type(w, QStringLiteral("保存按钮"));
    QTest::mouseClick(w.ToolButton26, Qt::LeftButton);
    QVERIFY(w.RichEdit->hasFocus());
    QCOMPARE(textOfFile(kb.dataFile(QStringLiteral("0001.rtf"))), QStringLiteral("一号答案+保存按钮"));
    QVERIFY(!w.DocModified());

    type(w, QStringLiteral("关闭"));
    QVERIFY(w.close());
    QCOMPARE(textOfFile(kb.dataFile(QStringLiteral("0001.rtf"))), QStringLiteral("一号答案+保存按钮+关闭"));
    QVERIFY(program.dialogs.errors.isEmpty());
}

void TestAnswers::failedCloseQueryKeepsTheWindowAndTheText()
{
    KnowledgeBaseFixture kb;
    addSample(kb);
    Program program(kb);
    TfrmMainFAQ &w = *program.window;
    type(w, QStringLiteral("未保存"));
    makeUnwritable(kb, QStringLiteral("0001"));

    QVERIFY(!w.close());
    QVERIFY(w.isVisible());
    QCOMPARE(program.dialogs.errors.size(), 1);
    QVERIFY(program.dialogs.errors[0].contains(QStringLiteral("0001.rtf")));
    QCOMPARE(w.RichEdit->toPlainText(), QStringLiteral("一号答案+未保存"));
    QVERIFY(w.DocModified());

    // Once the file can be written again, the next close writes and closes.
    QDir(kb.dataFile(QStringLiteral("0001.rtf"))).removeRecursively();
    QVERIFY(w.close());
    QCOMPARE(textOfFile(kb.dataFile(QStringLiteral("0001.rtf"))), QStringLiteral("一号答案+未保存"));
}

void TestAnswers::plainTextFileIsShownAndRewrittenAsRtfOnceChanged()
{
    KnowledgeBaseFixture kb;
    kb.addCategory(QStringLiteral("0001"), QStringLiteral("纯文本"), QString(), 0);
    // A GBK text file, as Windows Notepad writes one.
    kb.writeFile(QStringLiteral("DB/0001.rtf"), QByteArray("\xc4\xfa\xba\xc3\xa3\xa1\r\nline two"));
    Program program(kb);
    TfrmMainFAQ &w = *program.window;
    QCOMPARE(w.RichEdit->toPlainText(), QStringLiteral("您好！\nline two"));
    QVERIFY(!w.DocModified());

    type(w, QStringLiteral("改"));
    QVERIFY(w.close());
    const QByteArray saved = readBytes(kb.dataFile(QStringLiteral("0001.rtf")));
    QVERIFY(saved.startsWith("{\\rtf"));
    QCOMPARE(textOfFile(kb.dataFile(QStringLiteral("0001.rtf"))), QStringLiteral("您好！\nline two+改"));
}

void TestAnswers::unreadableDocumentEmptiesTheEditorAndIsNotWrittenBack()
{
    KnowledgeBaseFixture kb;
    addSample(kb);
    kb.addAttachment(QStringLiteral("0002"), QStringLiteral("表.xls"), QStringLiteral("xls"), QStringLiteral("1.xls"));
    makeUnwritable(kb, QStringLiteral("0002"));
    Program program(kb);
    TfrmMainFAQ &w = *program.window;
    clickNode(w, QStringLiteral("0002"));
    // Never the previous category's text under the new code.
    QVERIFY(w.RichEdit->toPlainText().isEmpty());
    QCOMPARE(w.CurrTypeCode(), QStringLiteral("0002"));
    QCOMPARE(w.dsFJ->rowCount(), 1);
    QVERIFY(!w.DocModified());
    // Typing would only replace a document that merely could not be read this time.
    QVERIFY(w.RichEdit->isReadOnly());
    QVERIFY(!w.RichEdit->placeholderText().isEmpty());
    QVERIFY(w.close());
    QVERIFY(program.dialogs.shown.isEmpty());
}

void TestAnswers::failedSaveHoldsBackTheClickAndTheNextClickActs_data()
{
    QTest::addColumn<bool>("releaseSeen");
    QTest::newRow("the release reaches the tree") << true;
    // A real error box is modal: the release of the press that raised it never reaches the tree.
    QTest::newRow("the error box takes the release") << false;
}

void TestAnswers::failedSaveHoldsBackTheClickAndTheNextClickActs()
{
    QFETCH(bool, releaseSeen);
    KnowledgeBaseFixture kb;
    addSample(kb);
    kb.addCategory(QStringLiteral("00010001"), QStringLiteral("子类"), QStringLiteral("0001"), 1);
    Program program(kb);
    TfrmMainFAQ &w = *program.window;
    type(w, QStringLiteral("重要"));
    makeUnwritable(kb, QStringLiteral("0001"));

    if (releaseSeen) {
        clickNode(w, QStringLiteral("0002"));
    } else {
        QTreeWidgetItem *second = treeview::findByCode(w.Tree, QStringLiteral("0002"));
        QTest::mousePress(w.Tree->viewport(), Qt::LeftButton, {}, w.Tree->visualItemRect(second).center());
        QCoreApplication::processEvents();
        QTest::mouseRelease(w.Tree->viewport(), Qt::LeftButton, {}, QPoint(1, w.Tree->viewport()->height() - 1));
    }
    QCoreApplication::processEvents();
    QCOMPARE(program.dialogs.errors.size(), 1);
    QCOMPARE(w.Tree->currentItem(), treeview::findByCode(w.Tree, QStringLiteral("0001")));
    // Going back moved no rows: the node stays folded, so the next click lands where aimed.
    QVERIFY(!w.Tree->currentItem()->isExpanded());
    QCOMPARE(w.CurrTypeCode(), QStringLiteral("0001"));
    QCOMPARE(w.RichEdit->toPlainText(), QStringLiteral("一号答案+重要"));
    QVERIFY(w.DocModified());
    QCOMPARE(textOfFile(kb.dataFile(QStringLiteral("0002.rtf"))), QStringLiteral("二号答案"));

    // The next click acts: it tries again and says so while the file cannot be written...
    clickNode(w, QStringLiteral("0002"));
    QCOMPARE(program.dialogs.errors.size(), 2);
    QCOMPARE(w.CurrTypeCode(), QStringLiteral("0001"));
    QCOMPARE(w.RichEdit->toPlainText(), QStringLiteral("一号答案+重要"));
    // ...and goes through once it can.
    QDir(kb.dataFile(QStringLiteral("0001.rtf"))).removeRecursively();
    clickNode(w, QStringLiteral("0002"));
    QCOMPARE(w.CurrTypeCode(), QStringLiteral("0002"));
    QCOMPARE(textOfFile(kb.dataFile(QStringLiteral("0001.rtf"))), QStringLiteral("一号答案+重要"));
    QCOMPARE(program.dialogs.errors.size(), 2);
}

void TestAnswers::keyboardMoveThenWholeCopyNamesTheCopiedCategory()
{
    KnowledgeBaseFixture kb;
    addSample(kb);
    Program program(kb);
    TfrmMainFAQ &w = *program.window;
    type(w, QStringLiteral("改"));
    w.Tree->setFocus();
    QTest::keyClick(w.Tree, Qt::Key_Down);
    // The change was written before the move showed the next category.
    QCOMPARE(textOfFile(kb.dataFile(QStringLiteral("0001.rtf"))), QStringLiteral("一号答案+改"));

    QTest::mouseClick(w.Button6, Qt::LeftButton);
    QCOMPARE(QGuiApplication::clipboard()->mimeData()->text(), QStringLiteral("二号答案"));
    QCOMPARE(w.PanelHint->text(), QStringLiteral("提示：节点[退货流程]的全部内容已经复制到剪贴板！"));
}

void TestAnswers::showCategoryFromElsewhereGoesThroughTheSession()
{
    KnowledgeBaseFixture kb;
    addSample(kb);
    kb.addCategory(QStringLiteral("00020001"), QStringLiteral("退货运费"), QStringLiteral("0002"), 1);
    kb.writeFile(QStringLiteral("DB/00020001.rtf"), rtfOf(QStringLiteral("运费答案")));
    Program program(kb);
    TfrmMainFAQ &w = *program.window;
    type(w, QStringLiteral("先存"));

    // As a search result or the tray would: the node deep in a folded branch is selected and shown.
    QVERIFY(w.showCategory(QStringLiteral("00020001")));
    QCOMPARE(textOfFile(kb.dataFile(QStringLiteral("0001.rtf"))), QStringLiteral("一号答案+先存"));
    QCOMPARE(w.CurrTypeCode(), QStringLiteral("00020001"));
    QCOMPARE(w.RichEdit->toPlainText(), QStringLiteral("运费答案"));
    QCOMPARE(w.Tree->currentItem(), treeview::findByCode(w.Tree, QStringLiteral("00020001")));
    QVERIFY(treeview::findByCode(w.Tree, QStringLiteral("0002"))->isExpanded());

    QVERIFY(!w.showCategory(QStringLiteral("0099")));
    QCOMPARE(w.CurrTypeCode(), QStringLiteral("00020001"));

    // Refused while the shown answer cannot be written: nothing moves, the text stays.
    w.RichEdit->textCursor().insertText(QStringLiteral("改"));
    makeUnwritable(kb, QStringLiteral("00020001"));
    QVERIFY(!w.showCategory(QStringLiteral("0003")));
    QCOMPARE(program.dialogs.errors.size(), 1);
    QCOMPARE(w.CurrTypeCode(), QStringLiteral("00020001"));
    QCOMPARE(w.Tree->currentItem(), treeview::findByCode(w.Tree, QStringLiteral("00020001")));
    QCOMPARE(w.RichEdit->toPlainText(), QStringLiteral("改运费答案"));
}

void TestAnswers::historyBringsBackAnEarlierAnswer()
{
    KnowledgeBaseFixture kb;
    addSample(kb);
    Program program(kb);
    TfrmMainFAQ &w = *program.window;
    // A stray keystroke replaced the whole answer, and a click wrote it.
    w.RichEdit->setFocus();
    w.RichEdit->selectAll();
    QTest::keyClicks(w.RichEdit, "x");
    clickNode(w, QStringLiteral("0002"));
    clickNode(w, QStringLiteral("0001"));
    QCOMPARE(w.RichEdit->toPlainText(), QStringLiteral("x"));

    const std::unique_ptr<QMenu> menu(w.RichEdit->createContextMenu(QPoint(5, 5)));
    QAction *history = menu->findChild<QAction *>(QStringLiteral("mnuHistory"));
    QVERIFY(history);
    QCOMPARE(history->text(), QStringLiteral("历史版本..."));
    QVERIFY(history->isEnabled());
    history->trigger();
    auto *dialog = w.findChild<AnswerHistoryDialog *>();
    QVERIFY(dialog);
    QVERIFY(dialog->isVisible());
    QCOMPARE(dialog->VersionList->rowCount(), 1);
    QCOMPARE(dialog->VersionList->item(0, 2)->text(), QStringLiteral("一号答案"));
    QCOMPARE(dialog->VersionPreview->toPlainText(), QStringLiteral("一号答案"));
    QVERIFY(dialog->VersionPreview->isReadOnly());

    QTest::mouseClick(dialog->RestoreVersion, Qt::LeftButton);
    QVERIFY(!dialog->isVisible());
    // A change of the user's: shown, not yet written, and undo takes it back.
    QCOMPARE(w.RichEdit->toPlainText(), QStringLiteral("一号答案"));
    QVERIFY(w.DocModified());
    QCOMPARE(textOfFile(kb.dataFile(QStringLiteral("0001.rtf"))), QStringLiteral("x"));
    w.RichEdit->undo();
    QCOMPARE(w.RichEdit->toPlainText(), QStringLiteral("x"));
    w.RichEdit->redo();

    // The next save point writes it, and the stray answer it replaced is kept in turn.
    clickNode(w, QStringLiteral("0002"));
    QCOMPARE(textOfFile(kb.dataFile(QStringLiteral("0001.rtf"))), QStringLiteral("一号答案"));
    QCOMPARE(answerhistory::versions(program.dm, QStringLiteral("0001")).size(), 2);
    QVERIFY(program.dialogs.shown.isEmpty());
}

void TestAnswers::historyNeedsAShownCategory()
{
    KnowledgeBaseFixture kb;
    Program program(kb);
    TfrmMainFAQ &w = *program.window;
    const std::unique_ptr<QMenu> menu(w.RichEdit->createContextMenu(QPoint(5, 5)));
    QAction *history = menu->findChild<QAction *>(QStringLiteral("mnuHistory"));
    QVERIFY(history);
    QVERIFY(!history->isEnabled());
    w.showAnswerHistory();
    QVERIFY(!w.findChild<AnswerHistoryDialog *>());
}

void TestAnswers::craftedCategoryCodeIsNeverAPath()
{
    KnowledgeBaseFixture kb;
    const QString crafted = QStringLiteral("../../decoys/code");
    kb.addCategory(crafted, QStringLiteral("伪造"), QString(), 0);
    const QString decoy = kb.folder() + QStringLiteral("../decoys/code.rtf");
    writeBytes(decoy, rtfOf(QStringLiteral("外面的文件")));
    Program program(kb);
    TfrmMainFAQ &w = *program.window;
    // Shown, but its answer is neither read nor written.
    QCOMPARE(w.CurrTypeCode(), crafted);
    QVERIFY(w.RichEdit->toPlainText().isEmpty());
    QVERIFY(w.RichEdit->isReadOnly());
    QCOMPARE(w.RichEdit->placeholderText(), AnswerSession::kBadCodeHint);
    w.RichEdit->setFocus();
    QTest::keyClicks(w.RichEdit, "typed");
    QVERIFY(!w.DocModified());
    // Even a change made behind the editor's back is refused rather than written outside.
    w.RichEdit->document()->setModified(true);
    QVERIFY_THROWS_EXCEPTION(FaqError, w.SaveDoc());
    QCOMPARE(textOfFile(decoy), QStringLiteral("外面的文件"));
}

void TestAnswers::focusToAnotherWindowIsNoSavePoint()
{
    KnowledgeBaseFixture kb;
    addSample(kb);
    const QByteArray before = readBytes(kb.dataFile(QStringLiteral("0001.rtf")));
    Program program(kb);
    TfrmMainFAQ &w = *program.window;
    type(w, QStringLiteral("草稿"));

    QLineEdit other;
    other.show();
    other.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&other));
    other.setFocus();
    QVERIFY(other.hasFocus());
    QCOMPARE(readBytes(kb.dataFile(QStringLiteral("0001.rtf"))), before);
    QVERIFY(w.DocModified());
}

void TestAnswers::modeSwitchKeepsUnsavedChanges()
{
    KnowledgeBaseFixture kb;
    addSample(kb);
    Program program(kb);
    TfrmMainFAQ &w = *program.window;
    type(w, QStringLiteral("切换"));
    QTest::mouseClick(w.ToolButton3, Qt::LeftButton);
    QTest::mouseClick(w.ToolButton2, Qt::LeftButton);
    QCOMPARE(w.RichEdit->toPlainText(), QStringLiteral("一号答案+切换"));
    QCOMPARE(w.CurrTypeCode(), QStringLiteral("0001"));
    // Whether or not the switch wrote it, the text reaches its own file at the next click.
    clickNode(w, QStringLiteral("0002"));
    QCOMPARE(textOfFile(kb.dataFile(QStringLiteral("0001.rtf"))), QStringLiteral("一号答案+切换"));
}

void TestAnswers::copyButtonsPutThreeFormatsAndAHint_data()
{
    QTest::addColumn<bool>("whole");
    QTest::addColumn<int>("selectFrom");
    QTest::addColumn<int>("selectTo");
    QTest::addColumn<QString>("copied");
    QTest::addColumn<QString>("hint");
    QTest::newRow("selection") << false << 2 << 4 << QStringLiteral("答案") << QStringLiteral("提示：选定内容已经复制到剪贴板！");
    QTest::newRow("whole answer") << true << 0 << 0 << QStringLiteral("二号答案")
                                  << QStringLiteral("提示：节点[退货流程]的全部内容已经复制到剪贴板！");
}

void TestAnswers::copyButtonsPutThreeFormatsAndAHint()
{
    QFETCH(bool, whole);
    QFETCH(int, selectFrom);
    QFETCH(int, selectTo);
    QFETCH(QString, copied);
    QFETCH(QString, hint);
    KnowledgeBaseFixture kb;
    addSample(kb);
    Program program(kb);
    TfrmMainFAQ &w = *program.window;
    clickNode(w, QStringLiteral("0002"));
    QTextCursor cursor(w.RichEdit->document());
    cursor.setPosition(selectFrom);
    cursor.setPosition(selectTo, QTextCursor::KeepAnchor);
    w.RichEdit->setTextCursor(cursor);
    QGuiApplication::clipboard()->setText(QStringLiteral("旧内容"));

    QTest::mouseClick(whole ? w.Button6 : w.Button5, Qt::LeftButton);
    const QMimeData *data = QGuiApplication::clipboard()->mimeData();
    QVERIFY(data);
    QVERIFY(data->hasFormat(QStringLiteral("text/rtf")));
    QVERIFY(data->hasHtml());
    QCOMPARE(data->text(), copied);
    QTextDocument fromRtf;
    QVERIFY(readRtf(data->data(QStringLiteral("text/rtf")), &fromRtf));
    QCOMPARE(fromRtf.toPlainText(), copied);
    QTextDocument fromHtml;
    fromHtml.setHtml(data->html());
    QCOMPARE(fromHtml.toPlainText(), copied);

    QCOMPARE(w.PanelHint->text(), hint);
    QVERIFY(w.RichEdit->hasFocus());
    QCOMPARE(w.RichEdit->textCursor().selectedText(), copied);

    // The same copy again shows the same hint; an empty selection still shows it.
    QTest::mouseClick(whole ? w.Button6 : w.Button5, Qt::LeftButton);
    QCOMPARE(w.PanelHint->text(), hint);
}

void TestAnswers::wholeCopyOnAnEmptyTreeNamesNoNode()
{
    KnowledgeBaseFixture kb;
    Program program(kb);
    TfrmMainFAQ &w = *program.window;
    QTest::mouseClick(w.Button6, Qt::LeftButton);
    QCOMPARE(w.PanelHint->text(), QStringLiteral("提示：全部内容已经复制到剪贴板！"));
    QVERIFY(program.dialogs.shown.isEmpty());
}

void TestAnswers::editorCopyCarriesTheSameFormats()
{
    KnowledgeBaseFixture kb;
    addSample(kb);
    Program program(kb);
    TfrmMainFAQ &w = *program.window;
    w.RichEdit->setFocus();
    w.RichEdit->selectAll();
    QTest::keyClick(w.RichEdit, Qt::Key_C, Qt::ControlModifier);
    const QMimeData *data = QGuiApplication::clipboard()->mimeData();
    QVERIFY(data->hasFormat(QLatin1String(answerclipboard::kRtfFormat)));
    QCOMPARE(data->text(), QStringLiteral("一号答案"));
    // The editor's own copy shows no hint.
    QCOMPARE(w.PanelHint->text(), QStringLiteral("提示："));
}

QTEST_MAIN(TestAnswers)
#include "tst_answers.moc"
