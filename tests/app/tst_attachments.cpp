// The attachment panel of the running window: its five buttons, the double click and file drops,
// driven through the named controls, with the boxes answered by a script.
#include "RunningProgram.h"
#include "KnowledgeBaseFixture.h"
#include "TestFiles.h"
#include "app/QtDialogs.h"
#include "app/Startup.h"
#include "app/uMain.h"
#include "attachments/AttachmentList.h"
#include "attachments/AttachmentPanel.h"
#include "attachments/AttachmentStore.h"
#include "storage/uDM.h"
#include "tree/TreeView.h"

#include <QClipboard>
#include <QDesktopServices>
#include <QDir>
#include <QDropEvent>
#include <QFile>
#include <QGroupBox>
#include <QGuiApplication>
#include <QHeaderView>
#include <QLabel>
#include <QMessageBox>
#include <QMimeData>
#include <QPushButton>
#include <QTableView>
#include <QTemporaryDir>
#include <QTest>
#include <QToolButton>
#include <QTreeWidget>
#include <QUrl>

#include <functional>
#include <memory>

namespace {

const QDateTime kMorning(QDate(2024, 3, 15), QTime(9, 30, 7, 123));
const QString kEarlierClipboard = QStringLiteral("earlier answer");

// Records the pickers' captions and filters, and lets a test look at the window while a
// message box is up.
class RecordingDialogs : public FakeDialogs
{
public:
    QStringList pickers;
    std::function<void(const QString &)> whileMessageShown;

    void showMessage(const QString &text) override
    {
        if (whileMessageShown)
            whileMessageShown(text);
        FakeDialogs::showMessage(text);
    }
    QString openFileName(const QString &caption, const QString &filter) override
    {
        pickers << caption + QLatin1Char('|') + filter;
        return FakeDialogs::openFileName(caption, filter);
    }
    QString selectFolder(const QString &caption, const QString &start) override
    {
        pickers << caption;
        return FakeDialogs::selectFolder(caption, start);
    }
};

struct Program : RunningProgram<RecordingDialogs>
{
    explicit Program(const KnowledgeBaseFixture &kb)
        : RunningProgram(kb)
    {
        window->attachmentStore().setClock([] { return kMorning; });
    }
};

// The one file a clipboard payload names.
QString clipboardFile(const QMimeData *clip)
{
    const QList<QByteArray> lines = clip->data(QStringLiteral("text/uri-list")).split('\n');
    return lines.isEmpty() ? QString() : QUrl::fromEncoded(lines.first().trimmed()).toLocalFile();
}

QStringList storedFiles(const KnowledgeBaseFixture &kb)
{
    QStringList names = QDir(kb.folder() + QStringLiteral("DB")).entryList(QDir::Files, QDir::Name);
    names.removeAll(QStringLiteral("ZYDBFAQ.dat"));
    names.removeAll(QStringLiteral("ZYDBFAQ.dat-journal"));
    return names;
}

QStringList listed(const TfrmMainFAQ &w)
{
    QStringList rows;
    for (const AttachmentRow &row : w.dsFJ->rows())
        rows << row.FJName + QLatin1Char('=') + row.FileName;
    return rows;
}

QStringList rowsInDatabase(TDM &dm, const QString &code)
{
    AttachmentListModel model;
    model.load(dm, code);
    QStringList rows;
    for (const AttachmentRow &row : model.rows())
        rows << row.FJName + QLatin1Char('=') + row.FileName;
    return rows;
}

QTreeWidgetItem *findNode(QTreeWidget *tree, const QString &code)
{
    for (QTreeWidgetItemIterator it(tree); *it; ++it) {
        if (treeview::recordOf(*it).TypeCode == code)
            return *it;
    }
    return nullptr;
}

void clickNode(TfrmMainFAQ &w, const QString &code)
{
    QTreeWidgetItem *item = findNode(w.Tree, code);
    QVERIFY(item);
    w.Tree->scrollToItem(item);
    QTest::mouseClick(w.Tree->viewport(), Qt::LeftButton, {}, w.Tree->visualItemRect(item).center());
    QCoreApplication::processEvents();
}

QPoint rowCentre(const TfrmMainFAQ &w, int row)
{
    return w.DBGridEh1->visualRect(w.dsFJ->index(row, AttachmentListModel::NameColumn)).center();
}

void clickRow(TfrmMainFAQ &w, int row)
{
    QTest::mouseClick(w.DBGridEh1->viewport(), Qt::LeftButton, {}, rowCentre(w, row));
}

int currentRow(const TfrmMainFAQ &w)
{
    return w.DBGridEh1->currentIndex().row();
}

// Categories 0001 (two attachments with stored files), 0002 (none).
void addSample(KnowledgeBaseFixture &kb)
{
    kb.addCategory(QStringLiteral("0001"), QStringLiteral("售前咨询"), QString(), 0);
    kb.addCategory(QStringLiteral("0002"), QStringLiteral("售后服务"), QString(), 0);
    kb.addAttachment(QStringLiteral("0001"), QStringLiteral("价目表.xls"), QStringLiteral("xls"), QStringLiteral("20240101080000.xls"));
    kb.addAttachment(QStringLiteral("0001"), QStringLiteral("产品图.png"), QStringLiteral("png"), QStringLiteral("20240101080001.png"));
    kb.addAttachment(QStringLiteral("0001"), QStringLiteral("保修卡.doc"), QStringLiteral("doc"), QStringLiteral("20240101080002.doc"));
    kb.writeFile(QStringLiteral("DB/20240101080000.xls"), "price list");
    kb.writeFile(QStringLiteral("DB/20240101080001.png"), "picture");
    kb.writeFile(QStringLiteral("DB/20240101080002.doc"), "warranty");
}

const QStringList kSampleRows{QStringLiteral("价目表.xls=20240101080000.xls"), QStringLiteral("产品图.png=20240101080001.png"),
                              QStringLiteral("保修卡.doc=20240101080002.doc")};

void sendDrop(TfrmMainFAQ &w, const QStringList &paths)
{
    QList<QUrl> urls;
    for (const QString &path : paths)
        urls << QUrl::fromLocalFile(path);
    QMimeData data;
    data.setUrls(urls);
    QWidget *viewport = w.DBGridEh1->viewport();
    QDragEnterEvent enter(QPoint(5, 5), Qt::CopyAction | Qt::MoveAction, &data, Qt::LeftButton, {});
    QCoreApplication::sendEvent(viewport, &enter);
    QVERIFY(enter.isAccepted());
    QDropEvent drop(QPointF(5, 5), Qt::CopyAction | Qt::MoveAction, &data, Qt::LeftButton, {});
    QCoreApplication::sendEvent(viewport, &drop);
    QVERIFY(drop.isAccepted());
}

enum class Action { Add, Import, Open, DoubleClick, Delete, CopyFile, Drop };

} // namespace

Q_DECLARE_METATYPE(Action)

class TestAttachments : public QObject
{
    Q_OBJECT
public:
    QList<QUrl> openedUrls;

public slots:
    void openUrl(const QUrl &url) { openedUrls << url; }

private slots:
    void init();
    void cleanup();

    void panelIsPresentInBothModes();
    void noCategoryClickedYet_data();
    void noCategoryClickedYet();
    void emptyListDoesNothing_data();
    void emptyListDoesNothing();
    void addDocument_data();
    void addDocument();
    void newRowStaysAtTheEndUntilTheNextClick();
    void twoDocumentsInOneSecond();
    void addDocumentCancelled();
    void addDocumentFailures_data();
    void addDocumentFailures();
    void folderImport();
    void folderImportCancelledOrEmpty_data();
    void folderImportCancelledOrEmpty();
    void folderImportListsFailuresOnce();
    void manyFailuresFitInAFixedMessage();
    void openPutsTheStoredCopyOnTheClipboard_data();
    void openPutsTheStoredCopyOnTheClipboard();
    void deleteAttachment_data();
    void deleteAttachment();
    void deleteThatFailsKeepsTheRow();
    void copyFile_data();
    void copyFile();
    void missingStoredFileIsReportedAndNothingCopied_data();
    void missingStoredFileIsReportedAndNothingCopied();
    void craftedFileNamesReachNothing_data();
    void craftedFileNamesReachNothing();
    void sameNamesGetFoldersOfTheirOwn();
    void droppedFolderIsImported();
    void dropAttachesEachFile();

private:
    void act(Program &program, Action action, const QString &source = {});
    QTemporaryDir m_source{QDir::tempPath() + QStringLiteral("/附件 来源 XXXXXX")};
};

void TestAttachments::init()
{
    openedUrls.clear();
    QDesktopServices::setUrlHandler(QStringLiteral("file"), this, "openUrl");
    QGuiApplication::clipboard()->setText(kEarlierClipboard);
    QDir(m_source.path()).removeRecursively();
    QDir().mkpath(m_source.path());
}

void TestAttachments::cleanup()
{
    QDesktopServices::unsetUrlHandler(QStringLiteral("file"));
}

void TestAttachments::act(Program &program, Action action, const QString &source)
{
    TfrmMainFAQ &w = program.w();
    switch (action) {
    case Action::Add:
        if (!source.isEmpty())
            program.dialogs.fileAnswers << source;
        QTest::mouseClick(w.Button2, Qt::LeftButton);
        break;
    case Action::Import:
        if (!source.isEmpty())
            program.dialogs.folderAnswers << source;
        QTest::mouseClick(w.Button7, Qt::LeftButton);
        break;
    case Action::Open:
        QTest::mouseClick(w.Button3, Qt::LeftButton);
        break;
    case Action::DoubleClick:
        QTest::mouseDClick(w.DBGridEh1->viewport(), Qt::LeftButton, {},
                           w.dsFJ->rowCount() ? rowCentre(w, currentRow(w)) : QPoint(10, 10));
        break;
    case Action::Delete:
        program.dialogs.confirmAnswers << true;
        QTest::mouseClick(w.Button4, Qt::LeftButton);
        break;
    case Action::CopyFile:
        QTest::mouseClick(w.Button8, Qt::LeftButton);
        break;
    case Action::Drop:
        sendDrop(w, {source});
        break;
    }
}

void TestAttachments::panelIsPresentInBothModes()
{
    KnowledgeBaseFixture kb;
    addSample(kb);
    Program program(kb);
    TfrmMainFAQ &w = program.w();
    const QList<QPushButton *> buttons{w.Button2, w.Button7, w.Button3, w.Button4, w.Button8};
    const QStringList captions{"新增文档", "目录导入", "查看/修改", "删除(&D)", "复制文件"};
    for (int i = 0; i < buttons.size(); ++i) {
        QCOMPARE(buttons[i]->text(), captions[i]);
        QVERIFY(buttons[i]->isEnabled());
        QVERIFY(buttons[i]->isVisible());
        QCOMPARE(buttons[i]->parentWidget(), static_cast<QWidget *>(w.GroupBox5));
        if (i > 0)
            QVERIFY(buttons[i]->y() > buttons[i - 1]->y());
        QVERIFY(buttons[i]->x() > w.DBGridEh1->x());
    }
    QVERIFY(w.DBGridEh1->verticalHeader()->isVisible());
    QCOMPARE(w.DBGridEh1->editTriggers(), QAbstractItemView::NoEditTriggers);
    QCOMPARE(w.DBGridEh1->selectionBehavior(), QAbstractItemView::SelectRows);
    // The first row is current once a category's list is shown.
    QCOMPARE(currentRow(w), 0);
    QTest::mouseClick(w.ToolButton3, Qt::LeftButton);
    for (QPushButton *button : buttons)
        QVERIFY(button->isVisible() && button->isEnabled());
}

void TestAttachments::noCategoryClickedYet_data()
{
    QTest::addColumn<Action>("action");
    QTest::newRow("新增文档") << Action::Add;
    QTest::newRow("目录导入") << Action::Import;
    QTest::newRow("drop") << Action::Drop;
}

void TestAttachments::noCategoryClickedYet()
{
    QFETCH(Action, action);
    KnowledgeBaseFixture kb; // no categories: nothing is clicked at start
    Program program(kb);
    QVERIFY(program.w().CurrTypeCode().isEmpty());
    const QString file = m_source.filePath(QStringLiteral("price.xls"));
    writeBytes(file, "x");
    program.dialogs.fileAnswers << file;
    program.dialogs.folderAnswers << m_source.path();

    act(program, action, file);
    // The message comes before any picker, and no picker follows it.
    QCOMPARE(program.dialogs.shown, QStringList{QStringLiteral("message:") + AttachmentPanel::kNoCategory});
    QCOMPARE(program.w().dsFJ->rowCount(), 0);
    QCOMPARE(storedFiles(kb), QStringList());
}

void TestAttachments::emptyListDoesNothing_data()
{
    QTest::addColumn<Action>("action");
    QTest::addColumn<bool>("categoryClicked");
    for (const bool clicked : {false, true}) {
        const char *when = clicked ? "category without attachments" : "no category yet";
        QTest::addRow("查看/修改, %s", when) << Action::Open << clicked;
        QTest::addRow("double click, %s", when) << Action::DoubleClick << clicked;
        QTest::addRow("删除, %s", when) << Action::Delete << clicked;
        QTest::addRow("复制文件, %s", when) << Action::CopyFile << clicked;
    }
}

void TestAttachments::emptyListDoesNothing()
{
    QFETCH(Action, action);
    QFETCH(bool, categoryClicked);
    KnowledgeBaseFixture kb;
    if (categoryClicked)
        kb.addCategory(QStringLiteral("0001"), QStringLiteral("售前咨询"), QString(), 0);
    Program program(kb);
    QCOMPARE(program.w().CurrTypeCode().isEmpty(), !categoryClicked);
    QCOMPARE(program.w().dsFJ->rowCount(), 0);
    const QString hint = program.w().PanelHint->text();

    act(program, action);
    QCOMPARE(program.dialogs.shown, QStringList());
    QVERIFY(openedUrls.isEmpty());
    QCOMPARE(QGuiApplication::clipboard()->text(), kEarlierClipboard);
    QCOMPARE(program.w().PanelHint->text(), hint);
}

void TestAttachments::addDocument_data()
{
    QTest::addColumn<QString>("picked");
    QTest::addColumn<QString>("type");
    QTest::addColumn<QString>("stored");
    QTest::newRow("price list") << QStringLiteral("price.xls") << QStringLiteral("xls") << QStringLiteral("20240315093007.xls");
    QTest::newRow("no dot") << QStringLiteral("README") << QStringLiteral("README") << QStringLiteral("20240315093007.README");
    QTest::newRow("four dots") << QStringLiteral("a.b.c.d.doc") << QStringLiteral("d.doc") << QStringLiteral("20240315093007.d.doc");
    QTest::newRow("chinese name") << QStringLiteral("报价单 2024.xls") << QStringLiteral("xls") << QStringLiteral("20240315093007.xls");
}

void TestAttachments::addDocument()
{
    QFETCH(QString, picked);
    QFETCH(QString, type);
    QFETCH(QString, stored);
    KnowledgeBaseFixture kb;
    addSample(kb);
    Program program(kb);
    TfrmMainFAQ &w = program.w();
    const QString source = m_source.filePath(picked);
    writeBytes(source, "bytes of " + picked.toUtf8());

    act(program, Action::Add, source);
    QCOMPARE(program.dialogs.pickers, QStringList{AttachmentPanel::kPickFileCaption + QStringLiteral("|") + AttachmentPanel::kPickFileFilter});
    QCOMPARE(program.dialogs.messages, QStringList());
    QCOMPARE(listed(w), kSampleRows + QStringList{picked + QLatin1Char('=') + stored});
    QCOMPARE(w.dsFJ->rows().last().ExdName, type);
    QCOMPARE(w.dsFJ->rows().last().BillID, QStringLiteral("0001"));
    QCOMPARE(w.dsFJ->data(w.dsFJ->index(3, AttachmentListModel::TypeColumn), Qt::DisplayRole).toString(), type);
    QCOMPARE(currentRow(w), 3);
    QCOMPARE(rowsInDatabase(program.dm, QStringLiteral("0001")), listed(w));
    QCOMPARE(readBytes(kb.dataFile(stored)), "bytes of " + picked.toUtf8());
}

void TestAttachments::newRowStaysAtTheEndUntilTheNextClick()
{
    KnowledgeBaseFixture kb;
    addSample(kb);
    Program program(kb);
    TfrmMainFAQ &w = program.w();
    // A row added behind the program's back shows only after the next query.
    kb.addAttachment(QStringLiteral("0001"), QStringLiteral("外来.txt"), QStringLiteral("txt"), QStringLiteral("1.txt"));
    const QString source = m_source.filePath(QStringLiteral("price.xls"));
    writeBytes(source, "x");
    act(program, Action::Add, source);
    QCOMPARE(listed(w), kSampleRows + QStringList{QStringLiteral("price.xls=20240315093007.xls")});

    clickNode(w, QStringLiteral("0002"));
    QCOMPARE(w.dsFJ->rowCount(), 0);
    clickNode(w, QStringLiteral("0001"));
    QCOMPARE(listed(w), kSampleRows + QStringList({QStringLiteral("外来.txt=1.txt"), QStringLiteral("price.xls=20240315093007.xls")}));
}

void TestAttachments::twoDocumentsInOneSecond()
{
    KnowledgeBaseFixture kb;
    addSample(kb);
    Program program(kb);
    const QString first = m_source.filePath(QStringLiteral("first.xls"));
    const QString second = m_source.filePath(QStringLiteral("second.xls"));
    writeBytes(first, "first");
    writeBytes(second, "second");
    act(program, Action::Add, first);
    act(program, Action::Add, second);
    QCOMPARE(listed(program.w()).mid(3), (QStringList{"first.xls=20240315093007.xls", "second.xls=20240315093007_1.xls"}));
    QCOMPARE(readBytes(kb.dataFile(QStringLiteral("20240315093007.xls"))), QByteArray("first"));
    QCOMPARE(readBytes(kb.dataFile(QStringLiteral("20240315093007_1.xls"))), QByteArray("second"));
}

void TestAttachments::addDocumentCancelled()
{
    KnowledgeBaseFixture kb;
    addSample(kb);
    Program program(kb);
    act(program, Action::Add);
    QCOMPARE(program.dialogs.shown, QStringList{QStringLiteral("open-file")});
    QCOMPARE(listed(program.w()), kSampleRows);
    QCOMPARE(storedFiles(kb).size(), 3);
}

void TestAttachments::addDocumentFailures_data()
{
    QTest::addColumn<bool>("sourceThere");
    QTest::addColumn<bool>("tableThere");
    QTest::addColumn<QString>("message");
    QTest::newRow("copy fails") << false << true << AttachmentPanel::kCopyFailed;
    QTest::newRow("post fails") << true << false << AttachmentPanel::kPostFailed;
}

void TestAttachments::addDocumentFailures()
{
    QFETCH(bool, sourceThere);
    QFETCH(bool, tableThere);
    QFETCH(QString, message);
    KnowledgeBaseFixture kb;
    addSample(kb);
    Program program(kb);
    const QString source = m_source.filePath(QStringLiteral("price.xls"));
    if (sourceThere)
        writeBytes(source, "x");
    if (!tableThere)
        kb.dropTable(QStringLiteral("TDKFJ"));
    const QStringList before = storedFiles(kb);

    act(program, Action::Add, source);
    QCOMPARE(program.dialogs.messages, QStringList{message});
    QCOMPARE(listed(program.w()), kSampleRows);
    // Neither a partial copy nor a stored copy without its row remains.
    QCOMPARE(storedFiles(kb), before);
}

void TestAttachments::folderImport()
{
    KnowledgeBaseFixture kb;
    addSample(kb);
    Program program(kb);
    TfrmMainFAQ &w = program.w();
    auto now = std::make_shared<QDateTime>(kMorning);
    w.attachmentStore().setClock([now] {
        const QDateTime t = *now;
        *now = now->addMSecs(1);
        return t;
    });
    writeBytes(m_source.filePath(QStringLiteral("b.txt")), "b");
    writeBytes(m_source.filePath(QStringLiteral("A.doc")), "a");
    writeBytes(m_source.filePath(QStringLiteral("c")), "c");
    writeBytes(m_source.filePath(QStringLiteral(".hidden")), "h");
    writeBytes(m_source.filePath(QStringLiteral("sub/inner.txt")), "i");

    act(program, Action::Import, m_source.path() + QLatin1Char('/'));
    QCOMPARE(program.dialogs.pickers, QStringList{AttachmentPanel::kPickFolderCaption});
    QCOMPARE(program.dialogs.messages, QStringList());
    const QStringList added{"A.doc=202403150930071230.doc", "b.txt=202403150930071241.txt", "c=202403150930071252.c"};
    QCOMPARE(listed(w), kSampleRows + added);
    QCOMPARE(rowsInDatabase(program.dm, QStringLiteral("0001")), kSampleRows + added);
    QCOMPARE(currentRow(w), 5);
    QCOMPARE(readBytes(kb.dataFile(QStringLiteral("202403150930071241.txt"))), QByteArray("b"));
    QVERIFY(!w.findChild<QWidget *>(QStringLiteral("ImportProgress")));
}

void TestAttachments::folderImportCancelledOrEmpty_data()
{
    QTest::addColumn<bool>("chooseFolder");
    QTest::newRow("browser cancelled") << false;
    QTest::newRow("folder with no files") << true;
}

void TestAttachments::folderImportCancelledOrEmpty()
{
    QFETCH(bool, chooseFolder);
    KnowledgeBaseFixture kb;
    addSample(kb);
    Program program(kb);
    QVERIFY(QDir(m_source.path()).mkdir(QStringLiteral("only a folder")));
    act(program, Action::Import, chooseFolder ? m_source.path() : QString());
    QCOMPARE(program.dialogs.shown, QStringList{QStringLiteral("folder")});
    QCOMPARE(listed(program.w()), kSampleRows);
    QCOMPARE(storedFiles(kb).size(), 3);
}

void TestAttachments::folderImportListsFailuresOnce()
{
    KnowledgeBaseFixture kb;
    addSample(kb);
    Program program(kb);
    writeBytes(m_source.filePath(QStringLiteral("b.txt")), "b");
    writeBytes(m_source.filePath(QStringLiteral("A.doc")), "a");
    kb.dropTable(QStringLiteral("TDKFJ"));
    act(program, Action::Import, m_source.path());
    QCOMPARE(program.dialogs.messages, QStringList{AttachmentPanel::kImportFailed + QStringLiteral("\nA.doc\nb.txt")});
    QCOMPARE(listed(program.w()), kSampleRows);
    QCOMPARE(storedFiles(kb).size(), 3);
}

void TestAttachments::manyFailuresFitInAFixedMessage()
{
    KnowledgeBaseFixture kb;
    addSample(kb);
    Program program(kb);
    QStringList names;
    for (int i = 0; i < 300; ++i) {
        names << QStringLiteral("报价单 %1.xls").arg(i, 3, 10, QLatin1Char('0'));
        writeBytes(m_source.filePath(names.last()), "x");
    }
    kb.dropTable(QStringLiteral("TDKFJ"));
    act(program, Action::Import, m_source.path());
    QCOMPARE(program.dialogs.messages.size(), 1);
    const QString message = program.dialogs.messages.first();
    QCOMPARE(message, AttachmentPanel::kImportFailed + QLatin1Char('\n') + names.mid(0, 5).join(QLatin1Char('\n')) + QLatin1Char('\n')
                          + QStringLiteral("……共 300 个文件没有导入，全部文件名见详细信息。"));
    QCOMPARE(program.dialogs.details, QStringList{names.join(QLatin1Char('\n'))});

    // The real box keeps its size: its OK button stays on a 768-pixel screen.
    const auto box = QtDialogs::detailedMessageBox(message, program.dialogs.details.first(), nullptr);
    QVERIFY2(box->sizeHint().height() < 400, qPrintable(QString::number(box->sizeHint().height())));
    QCOMPARE(box->detailedText().count(QLatin1Char('\n')), 299);
}

void TestAttachments::openPutsTheStoredCopyOnTheClipboard_data()
{
    QTest::addColumn<Action>("action");
    QTest::addColumn<bool>("fileThere");
    QTest::newRow("查看/修改") << Action::Open << true;
    QTest::newRow("double click") << Action::DoubleClick << true;
}

void TestAttachments::openPutsTheStoredCopyOnTheClipboard()
{
    QFETCH(Action, action);
    QFETCH(bool, fileThere);
    KnowledgeBaseFixture kb;
    addSample(kb);
    if (!fileThere)
        QVERIFY(QFile::remove(kb.dataFile(QStringLiteral("20240101080001.png"))));
    Program program(kb);
    TfrmMainFAQ &w = program.w();
    clickRow(w, 1);
    QCOMPARE(currentRow(w), 1);

    act(program, action);
    const QString stored = kb.dataFile(QStringLiteral("20240101080001.png"));
    // The stored copy opens; the clipboard holds it under its own name.
    QCOMPARE(openedUrls, QList<QUrl>{QUrl::fromLocalFile(stored)});
    const QMimeData *clip = QGuiApplication::clipboard()->mimeData();
    QVERIFY(clip);
    const QString named = clipboardFile(clip);
    QCOMPARE(QFileInfo(named).fileName(), QStringLiteral("产品图.png"));
    QCOMPARE(readBytes(named), QByteArray("picture"));
    QCOMPARE(QGuiApplication::clipboard()->text(), QString());
    QCOMPARE(program.dialogs.shown, QStringList());
    QCOMPARE(listed(w), kSampleRows);
}

void TestAttachments::deleteAttachment_data()
{
    QTest::addColumn<bool>("answer");
    QTest::addColumn<int>("row");
    QTest::addColumn<bool>("fileThere");
    QTest::addColumn<int>("nextCurrent");
    QTest::newRow("answered No") << false << 1 << true << 1;
    QTest::newRow("middle row") << true << 1 << true << 1;
    QTest::newRow("last row") << true << 2 << true << 1;
    QTest::newRow("stored file already gone") << true << 0 << false << 0;
}

void TestAttachments::deleteAttachment()
{
    QFETCH(bool, answer);
    QFETCH(int, row);
    QFETCH(bool, fileThere);
    QFETCH(int, nextCurrent);
    KnowledgeBaseFixture kb;
    addSample(kb);
    const QString stored = kb.dataFile(kSampleRows[row].section(QLatin1Char('='), 1));
    if (!fileThere)
        QVERIFY(QFile::remove(stored));
    Program program(kb);
    TfrmMainFAQ &w = program.w();
    clickRow(w, row);
    program.dialogs.confirmAnswers << answer;

    QTest::mouseClick(w.Button4, Qt::LeftButton);
    QCOMPARE(program.dialogs.confirmations,
             QStringList{AttachmentPanel::kDeleteAttachmentCaption + QStringLiteral("|") + AttachmentPanel::kDeleteAttachmentQuestion});
    QCOMPARE(program.dialogs.messages, QStringList());
    QStringList expected = kSampleRows;
    if (answer)
        expected.removeAt(row);
    QCOMPARE(listed(w), expected);
    QCOMPARE(rowsInDatabase(program.dm, QStringLiteral("0001")), expected);
    QCOMPARE(QFile::exists(stored), fileThere && !answer);
    QCOMPARE(storedFiles(kb).size(), expected.size());
    QCOMPARE(currentRow(w), nextCurrent);
}

void TestAttachments::deleteThatFailsKeepsTheRow()
{
    KnowledgeBaseFixture kb;
    addSample(kb);
    Program program(kb);
    kb.dropTable(QStringLiteral("TDKFJ"));
    act(program, Action::Delete);
    QCOMPARE(program.dialogs.messages, QStringList());
    QCOMPARE(listed(program.w()), kSampleRows);
    QVERIFY(QFile::exists(kb.dataFile(QStringLiteral("20240101080000.xls"))));
}

void TestAttachments::copyFile_data()
{
    QTest::addColumn<int>("clickedRow"); // -1: no row clicked, the first is current
    QTest::addColumn<bool>("fileThere");
    QTest::newRow("first row without a click") << -1 << true;
    QTest::newRow("clicked row") << 2 << true;
}

void TestAttachments::copyFile()
{
    QFETCH(int, clickedRow);
    QFETCH(bool, fileThere);
    KnowledgeBaseFixture kb;
    addSample(kb);
    const int row = qMax(clickedRow, 0);
    const QString stored = kb.dataFile(kSampleRows[row].section(QLatin1Char('='), 1));
    if (!fileThere)
        QVERIFY(QFile::remove(stored));
    Program program(kb);
    TfrmMainFAQ &w = program.w();
    if (clickedRow >= 0)
        clickRow(w, clickedRow);
    QString hintWhileBoxShown;
    program.dialogs.whileMessageShown = [&](const QString &) { hintWhileBoxShown = w.PanelHint->text(); };
    const QString hintBefore = w.PanelHint->text();

    act(program, Action::CopyFile);
    QCOMPARE(program.dialogs.shown, QStringList{QStringLiteral("message:") + AttachmentPanel::kFileCopiedAdvice});
    // The hint changes once the box is closed, and names the stored copy's full path.
    QCOMPARE(hintWhileBoxShown, hintBefore);
    QCOMPARE(w.PanelHint->text(), QStringLiteral("文件 ") + QDir::toNativeSeparators(stored) + QStringLiteral("已经复制到剪贴板！"));

    const QMimeData *clip = QGuiApplication::clipboard()->mimeData();
    QVERIFY(clip);
    // The customer receives the file's own name, with the stored copy's bytes, from outside DB/.
    const QString named = clipboardFile(clip);
    QCOMPARE(QFileInfo(named).fileName(), kSampleRows[row].section(QLatin1Char('='), 0, 0));
    QCOMPARE(readBytes(named), readBytes(stored));
    QVERIFY(!named.startsWith(kb.folder()));
    const QByteArray url = QUrl::fromLocalFile(named).toEncoded();
    QCOMPARE(clip->data(QStringLiteral("x-special/gnome-copied-files")), "copy\n" + url);
    // Offered as a file, never as its path in text.
    QVERIFY(!clip->formats().contains(QStringLiteral("text/plain")));
    QCOMPARE(QGuiApplication::clipboard()->text(), QString());
    QVERIFY(openedUrls.isEmpty());
}

void TestAttachments::missingStoredFileIsReportedAndNothingCopied_data()
{
    QTest::addColumn<Action>("action");
    QTest::newRow("查看/修改") << Action::Open;
    QTest::newRow("double click") << Action::DoubleClick;
    QTest::newRow("复制文件") << Action::CopyFile;
}

void TestAttachments::missingStoredFileIsReportedAndNothingCopied()
{
    QFETCH(Action, action);
    KnowledgeBaseFixture kb;
    addSample(kb);
    QVERIFY(QFile::remove(kb.dataFile(QStringLiteral("20240101080001.png"))));
    Program program(kb);
    TfrmMainFAQ &w = program.w();
    clickRow(w, 1);
    const QString hintBefore = w.PanelHint->text();

    act(program, action);
    QCOMPARE(program.dialogs.shown, QStringList{QStringLiteral("message:附件文件不存在：产品图.png")});
    QCOMPARE(QGuiApplication::clipboard()->text(), kEarlierClipboard);
    QVERIFY(openedUrls.isEmpty());
    QCOMPARE(w.PanelHint->text(), hintBefore);
    QCOMPARE(listed(w), kSampleRows);
}

void TestAttachments::craftedFileNamesReachNothing_data()
{
    QTest::addColumn<QString>("fileName");
    QTest::addColumn<QString>("decoy");   // relative to the application folder
    QTest::addColumn<Action>("action");
    const QList<QPair<QString, QString>> names{
        {QStringLiteral("../victim1.txt"), QStringLiteral("victim1.txt")},
        {QStringLiteral("<absolute>"), QStringLiteral("absolute victim.txt")},
        {QStringLiteral("C:\\victim.txt"), QStringLiteral("DB/C:\\victim.txt")},
        {QStringLiteral("ZYDBFAQ.dat"), QStringLiteral("DB/ZYDBFAQ.dat")},
        {QStringLiteral("0001.rtf"), QStringLiteral("DB/0001.rtf")},
        {QStringLiteral("a\nb.txt"), QStringLiteral("DB/a\nb.txt")},
    };
    for (const auto &[name, decoy] : names) {
        for (const auto &[label, action] : {std::pair{"open", Action::Open}, std::pair{"copy", Action::CopyFile},
                                            std::pair{"delete", Action::Delete}}) {
            QTest::addRow("%s %s", label, qPrintable(QString(name).replace(QLatin1Char('\n'), QStringLiteral("\\n"))))
                << name << decoy << action;
        }
    }
}

void TestAttachments::craftedFileNamesReachNothing()
{
    QFETCH(QString, fileName);
    QFETCH(QString, decoy);
    QFETCH(Action, action);
    KnowledgeBaseFixture kb;
    kb.addCategory(QStringLiteral("0001"), QStringLiteral("售前咨询"), QString(), 0);
    if (fileName == QLatin1String("<absolute>"))
        fileName = kb.folder() + decoy;
    // The database is its own decoy: it must still be there, working.
    const bool database = decoy == QLatin1String("DB/ZYDBFAQ.dat");
    if (!database)
        kb.writeFile(decoy, "must survive");
    kb.addAttachment(QStringLiteral("0001"), QStringLiteral("诱饵.txt"), QStringLiteral("txt"), fileName);
    Program program(kb);
    TfrmMainFAQ &w = program.w();
    QCOMPARE(w.dsFJ->rowCount(), 1);

    act(program, action);
    QCOMPARE(program.dialogs.messages, QStringList{AttachmentPanel::kNameRefused.arg(QStringLiteral("诱饵.txt"), fileName)});
    if (database)
        QVERIFY(QFileInfo(kb.databaseFile()).size() > 0);
    else
        QCOMPARE(readBytes(kb.folder() + decoy), QByteArray("must survive"));
    QVERIFY(openedUrls.isEmpty());
    QCOMPARE(QGuiApplication::clipboard()->text(), kEarlierClipboard);
    // Deleting takes the row away, and only the row.
    QCOMPARE(w.dsFJ->rowCount(), action == Action::Delete ? 0 : 1);
}

void TestAttachments::sameNamesGetFoldersOfTheirOwn()
{
    KnowledgeBaseFixture kb;
    kb.addCategory(QStringLiteral("0001"), QStringLiteral("售前咨询"), QString(), 0);
    kb.addAttachment(QStringLiteral("0001"), QStringLiteral("价格表 2024.xlsx"), QStringLiteral("xlsx"), QStringLiteral("1.xlsx"));
    kb.addAttachment(QStringLiteral("0001"), QStringLiteral("价格表 2024.xlsx"), QStringLiteral("xlsx"), QStringLiteral("2.xlsx"));
    kb.writeFile(QStringLiteral("DB/1.xlsx"), "first");
    kb.writeFile(QStringLiteral("DB/2.xlsx"), "second");
    Program program(kb);
    TfrmMainFAQ &w = program.w();
    QStringList placed;
    for (int row : {0, 1}) {
        clickRow(w, row);
        act(program, Action::CopyFile);
        placed << clipboardFile(QGuiApplication::clipboard()->mimeData());
    }
    QCOMPARE(QFileInfo(placed[0]).fileName(), QStringLiteral("价格表 2024.xlsx"));
    QCOMPARE(QFileInfo(placed[1]).fileName(), QStringLiteral("价格表 2024.xlsx"));
    QVERIFY(placed[0] != placed[1]);
    QCOMPARE(readBytes(placed[0]), QByteArray("first"));
    QCOMPARE(readBytes(placed[1]), QByteArray("second"));
}

void TestAttachments::droppedFolderIsImported()
{
    KnowledgeBaseFixture kb;
    addSample(kb);
    Program program(kb);
    writeBytes(m_source.filePath(QStringLiteral("b 报价.xls")), "b");
    writeBytes(m_source.filePath(QStringLiteral("a.doc")), "a");
    act(program, Action::Drop, m_source.path());
    QCOMPARE(program.dialogs.shown, QStringList());
    const QStringList rows = listed(program.w());
    QCOMPARE(rows.size(), kSampleRows.size() + 2);
    QCOMPARE(rows[3].section(QLatin1Char('='), 0, 0), QStringLiteral("a.doc"));
    QCOMPARE(rows[4].section(QLatin1Char('='), 0, 0), QStringLiteral("b 报价.xls"));
}

void TestAttachments::dropAttachesEachFile()
{
    KnowledgeBaseFixture kb;
    addSample(kb);
    Program program(kb);
    TfrmMainFAQ &w = program.w();
    const QString a = m_source.filePath(QStringLiteral("报价 一.xls"));
    const QString b = m_source.filePath(QStringLiteral("报价 二.xls"));
    writeBytes(a, "one");
    writeBytes(b, "two");
    QVERIFY(QDir(m_source.path()).mkdir(QStringLiteral("文件夹")));

    sendDrop(w, {a, m_source.filePath(QStringLiteral("文件夹")), b});
    QCOMPARE(program.dialogs.shown, QStringList());
    QCOMPARE(listed(w).mid(3), (QStringList{"报价 一.xls=20240315093007.xls", "报价 二.xls=20240315093007_1.xls"}));
    QCOMPARE(rowsInDatabase(program.dm, QStringLiteral("0001")), listed(w));
    QCOMPARE(readBytes(kb.dataFile(QStringLiteral("20240315093007_1.xls"))), QByteArray("two"));
    QCOMPARE(currentRow(w), 4);
}

QTEST_MAIN(TestAttachments)
#include "tst_attachments.moc"
