#include "RunningProgram.h"
#include "KnowledgeBaseFixture.h"
#include "app/Startup.h"
#include "app/Translations.h"
#include "app/WindowGeometry.h"
#include "app/uMain.h"
#include "attachments/AttachmentList.h"
#include "storage/uDM.h"
#include "tree/TreeMessages.h"
#include "tree/TreeView.h"

#include <QAction>
#include <QDialogButtonBox>
#include <QFileDialog>
#include <QPushButton>
#include <QComboBox>
#include <QCoreApplication>
#include <QDesktopServices>
#include <QDir>
#include <QUrl>
#include <QFile>
#include <QFontDatabase>
#include <QGroupBox>
#include <QLabel>
#include <QMenu>
#include <QPushButton>
#include <QScopeGuard>
#include <QScreen>
#include <QScrollBar>
#include <QSplitter>
#include <QToolTip>
#include <QHelpEvent>
#include <QTabBar>
#include <QTabWidget>
#include <QTableView>
#include <QTest>
#include <QTextEdit>
#include <QToolBar>
#include <QToolButton>
#include <QTreeWidget>

#include <memory>

namespace {

using Program = RunningProgram<>;

QTreeWidgetItem *findNode(QTreeWidget *tree, const QString &code)
{
    for (QTreeWidgetItemIterator it(tree); *it; ++it) {
        if (treeview::recordOf(*it).TypeCode == code)
            return *it;
    }
    return nullptr;
}

void clickNode(QTreeWidget *tree, QTreeWidgetItem *item)
{
    tree->scrollToItem(item);
    QTest::mouseClick(tree->viewport(), Qt::LeftButton, {}, tree->visualItemRect(item).center());
    // Branches fold right after the release.
    QCoreApplication::processEvents();
}

QStringList attachmentNames(const TfrmMainFAQ &window)
{
    QStringList names;
    for (const AttachmentRow &row : window.dsFJ->rows())
        names << row.FJName;
    return names;
}

void addSampleTree(KnowledgeBaseFixture &kb)
{
    kb.addCategory(QStringLiteral("0001"), QStringLiteral("售前咨询"), QString(), 0);
    kb.addCategory(QStringLiteral("00010001"), QStringLiteral("产品价格"), QStringLiteral("0001"), 1);
    kb.addCategory(QStringLiteral("000100010001"), QStringLiteral("批量优惠"), QStringLiteral("00010001"), 2);
    kb.addCategory(QStringLiteral("0002"), QStringLiteral("售后服务"), QString(), 0);
    kb.addCategory(QStringLiteral("00020001"), QStringLiteral("退换货"), QStringLiteral("0002"), 1);
    // Added out of name order: the list follows the order of adding.
    kb.addAttachment(QStringLiteral("0001"), QStringLiteral("价目表.xls"), QStringLiteral("xls"), QStringLiteral("20240315093007.xls"));
    kb.addAttachment(QStringLiteral("0002"), QStringLiteral("保修卡.doc"), QStringLiteral("doc"), QStringLiteral("20240315093008.doc"));
    kb.addAttachment(QStringLiteral("0001"), QStringLiteral("产品图.png"), QStringLiteral("png"), QStringLiteral("20240315093009.png"));
}

} // namespace

// Stands in for the browser: records every address the program hands over.
class UrlRecorder : public QObject
{
    Q_OBJECT
public:
    QList<QUrl> opened;
public slots:
    void open(const QUrl &url) { opened << url; }
};

class TestMainWindow : public QObject
{
    Q_OBJECT
private slots:
    void helpAndVendorLinksGoToTheBrowser();
    void alwaysOnTopKeepsTheWindowAndItsState();
    void controlsExistUnderTheirNames_data();
    void controlsExistUnderTheirNames();
    void firstShowLoadsTheTreeInQueryMode();
    void laterShowsNeitherReloadNorChangeMode();
    void emptyKnowledgeBaseShowsAnEmptyTree();
    void missingDatabaseReportsTwiceAndKeepsRunning();
    void databaseWithoutParaTableStillLoads();
    void clickAndKeyboardBothShowTheCategory();
    void clickOnTheSelectedCollapsedNodeExpandsIt();
    void longNamesCanBeReadWhole();
    void selectingANodeCollapsesTheBranchThatLostIt();
    void placement_data();
    void placement();
    void windowTakesTheLeftHalfOfTheScreen();
    void siblingProductHidesBackupAndRestore_data();
    void siblingProductHidesBackupAndRestore();
    void modeSwitchesKeepTreeAndEditorState();
    void maintenanceMenuOpensUnderItsButton();
    void getMaxNumReportsReadErrorsAndFullParents();
    void fontList_data();
    void fontList();
    void standardDialogsSpeakChinese();
};

void TestMainWindow::helpAndVendorLinksGoToTheBrowser()
{
    KnowledgeBaseFixture kb;
    // The help picture is handed over even when it is missing; the browser says so, not we.
    QVERIFY(!QFile::exists(kb.folder() + QStringLiteral("Help/FAQ.JPG")));
    Program program(kb);
    UrlRecorder browser;
    QDesktopServices::setUrlHandler(QStringLiteral("file"), &browser, "open");
    QDesktopServices::setUrlHandler(QStringLiteral("http"), &browser, "open");
    const auto unset = qScopeGuard([] {
        QDesktopServices::unsetUrlHandler(QStringLiteral("file"));
        QDesktopServices::unsetUrlHandler(QStringLiteral("http"));
    });

    QTest::mouseClick(program.window->TBHelp, Qt::LeftButton);
    QTest::mouseClick(program.window->TBHelp, Qt::LeftButton);
    QTest::mouseClick(program.window->Panel10, Qt::LeftButton);
    const QUrl help = QUrl::fromLocalFile(kb.folder() + QStringLiteral("Help/FAQ.JPG"));
    QCOMPARE(browser.opened, (QList<QUrl>{help, help, QUrl(QStringLiteral("http://www.tarkel.cn/"))}));
    QCOMPARE(help.toLocalFile(), kb.folder() + QStringLiteral("Help/FAQ.JPG"));
    QVERIFY(program.dialogs.shown.isEmpty());
}

void TestMainWindow::alwaysOnTopKeepsTheWindowAndItsState()
{
    KnowledgeBaseFixture kb;
    addSampleTree(kb);
    Program program(kb);
    TfrmMainFAQ &w = *program.window;
    QTest::mouseClick(w.ToolButton3, Qt::LeftButton);
    kb.addCategory(QStringLiteral("0009"), QStringLiteral("后来的"), QString(), 0);

    QTest::mouseClick(w.ToolButton7, Qt::LeftButton);
    QVERIFY(w.windowFlags() & Qt::WindowStaysOnTopHint);
    QVERIFY(w.isVisible());
    QTest::mouseClick(w.ToolButton7, Qt::LeftButton);
    QVERIFY(!(w.windowFlags() & Qt::WindowStaysOnTopHint));
    QVERIFY(w.isVisible());
    // Shown again without a reload or a change of mode.
    QCOMPARE(w.Tree->topLevelItemCount(), 2);
    QVERIFY(w.ToolButton3->isChecked());
}

void TestMainWindow::controlsExistUnderTheirNames_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("kind");
    const QList<QPair<const char *, const char *>> controls = {
        {"ToolBar", "QToolBar"}, {"ToolButton2", "QToolButton"}, {"ToolButton3", "QToolButton"},
        {"TBDatabase", "QToolButton"}, {"TBHelp", "QToolButton"}, {"ToolButton7", "QToolButton"},
        {"tbClose", "QToolButton"}, {"PageControl1", "QTabWidget"}, {"TabSheet1", "QWidget"},
        {"TabSheet2", "QWidget"}, {"Panel1", "QFrame"}, {"Panel2", "QFrame"}, {"GroupBox2", "QGroupBox"},
        {"Panel4", "QFrame"}, {"Panel3", "QFrame"}, {"Tree", "QTreeWidget"}, {"GroupBoxEdit", "QGroupBox"},
        {"ToolBarEdit", "QToolBar"}, {"cmbFont", "QComboBox"}, {"RichEdit", "QTextEdit"}, {"Panel6", "QFrame"},
        {"GroupBox5", "QGroupBox"}, {"DBGridEh1", "QTableView"}, {"Button2", "QPushButton"},
        {"Button7", "QPushButton"}, {"Button3", "QPushButton"}, {"Button4", "QPushButton"},
        {"Button8", "QPushButton"}, {"Panel7", "QFrame"}, {"Panel8", "QLabel"}, {"PanelHint", "QLabel"},
        {"Panel10", "QLabel"}, {"PopupMenu2", "QMenu"}, {"MenuItem1", "QAction"}, {"MenuItem2", "QAction"},
        {"N1", "QAction"}, {"N2", "QAction"}, {"dsFJ", "QAbstractItemModel"},
    };
    for (const auto &[name, kind] : controls)
        QTest::newRow(name) << QString::fromLatin1(name) << QString::fromLatin1(kind);
}

void TestMainWindow::controlsExistUnderTheirNames()
{
    QFETCH(QString, name);
    QFETCH(QString, kind);
    FakeDialogs dialogs;
    TDM dm;
    TfrmMainFAQ window(dialogs, dm);
    QObject *control = window.findChild<QObject *>(name);
    QVERIFY2(control, qPrintable(name));
    QVERIFY2(control->inherits(kind.toLatin1()), control->metaObject()->className());
}

void TestMainWindow::firstShowLoadsTheTreeInQueryMode()
{
    KnowledgeBaseFixture kb;
    addSampleTree(kb);
    Program program(kb);
    TfrmMainFAQ &w = *program.window;

    QVERIFY(program.dialogs.shown.isEmpty());
    QCOMPARE(w.windowTitle(), QStringLiteral("TarkelFAQvuviri"));
    QCOMPARE(w.Tree->topLevelItemCount(), 2);
    QCOMPARE(w.Tree->topLevelItem(0)->text(0), QStringLiteral("售前咨询"));
    QCOMPARE(w.Tree->topLevelItem(0)->child(0)->child(0)->text(0), QStringLiteral("批量优惠"));
    QCOMPARE(treeview::recordOf(w.Tree->topLevelItem(0)->child(0)),
             (GoodsClass{QStringLiteral("00010001"), QStringLiteral("0001"), QStringLiteral("产品价格"), 1}));
    QCOMPARE(w.Tree->currentItem(), w.Tree->topLevelItem(0));
    QCOMPARE(w.CurrTypeCode(), QStringLiteral("0001"));
    QVERIFY(!w.RichEdit->isReadOnly());
    QVERIFY(w.RichEdit->placeholderText().isEmpty());
    // The load itself expands nothing.
    for (QTreeWidgetItemIterator it(w.Tree); *it; ++it)
        QVERIFY(!(*it)->isExpanded());

    QCOMPARE(attachmentNames(w), (QStringList{QStringLiteral("价目表.xls"), QStringLiteral("产品图.png")}));
    QVERIFY(w.DBGridEh1->isColumnHidden(AttachmentListModel::IdColumn));
    QCOMPARE(w.dsFJ->headerData(AttachmentListModel::NameColumn, Qt::Horizontal, Qt::DisplayRole).toString(), QStringLiteral("附件名称"));
    QCOMPARE(w.dsFJ->headerData(AttachmentListModel::TypeColumn, Qt::Horizontal, Qt::DisplayRole).toString(), QStringLiteral("附件类型"));
    QCOMPARE(w.DBGridEh1->columnWidth(AttachmentListModel::NameColumn), 200);
    QCOMPARE(w.DBGridEh1->columnWidth(AttachmentListModel::TypeColumn), 84);

    QVERIFY(w.ToolButton2->isChecked());
    QVERIFY(!w.ToolButton3->isChecked());
    QCOMPARE(w.PageControl1->currentIndex(), 0);
    QVERIFY(!w.PageControl1->tabBar()->isVisible());
    QCOMPARE(w.Tree->parentWidget(), w.Panel1);
    QCOMPARE(w.GroupBoxEdit->parentWidget(), w.Panel2);
    QVERIFY(w.Panel6->isVisible());
    QVERIFY(!w.ToolBarEdit->isVisible());
    QCOMPARE(w.PanelHint->text(), QStringLiteral("提示："));
    QCOMPARE(w.Panel8->text(), QStringLiteral(" TarkelFAQ"));
}

void TestMainWindow::laterShowsNeitherReloadNorChangeMode()
{
    KnowledgeBaseFixture kb;
    addSampleTree(kb);
    Program program(kb);
    TfrmMainFAQ &w = *program.window;
    QVERIFY(QTest::qWaitForWindowActive(&w));
    QVERIFY(!w.FirstShow);

    QTest::mouseClick(w.ToolButton3, Qt::LeftButton);
    kb.addCategory(QStringLiteral("0003"), QStringLiteral("新分类"), QString(), 0);
    w.hide();
    w.show();
    QVERIFY(QTest::qWaitForWindowExposed(&w));
    QCOMPARE(w.Tree->topLevelItemCount(), 2);
    QVERIFY(w.ToolButton3->isChecked());
    QCOMPARE(w.PageControl1->currentIndex(), 1);
}

void TestMainWindow::emptyKnowledgeBaseShowsAnEmptyTree()
{
    KnowledgeBaseFixture kb;
    Program program(kb);
    TfrmMainFAQ &w = *program.window;
    QVERIFY(program.dialogs.shown.isEmpty());
    QCOMPARE(w.Tree->topLevelItemCount(), 0);
    QVERIFY(w.CurrTypeCode().isEmpty());
    QVERIFY(w.ToolButton2->isChecked());
    QCOMPARE(w.PageControl1->currentIndex(), 0);

    // Nothing is shown: the editor says so and takes no typing that could not be kept.
    QVERIFY(w.RichEdit->isReadOnly());
    QCOMPARE(w.RichEdit->placeholderText(), QStringLiteral("请先选择或新建一个分类"));
    w.RichEdit->setFocus();
    QTest::keyClicks(w.RichEdit, "lost?");
    QVERIFY(w.RichEdit->toPlainText().isEmpty());
    QVERIFY(!w.DocModified());

    // With nothing selected a click on the tree changes nothing.
    QTest::mouseClick(w.Tree->viewport(), Qt::LeftButton, {}, QPoint(20, 10));
    QVERIFY(w.CurrTypeCode().isEmpty());
    QCOMPARE(w.dsFJ->rowCount(), 0);
    QVERIFY(program.dialogs.shown.isEmpty());
}

void TestMainWindow::missingDatabaseReportsTwiceAndKeepsRunning()
{
    KnowledgeBaseFixture kb(false);
    Program program(kb);
    QCOMPARE(program.dialogs.shown, (QStringList{QStringLiteral("message:") + TDM::kOpenFailedMessage,
                                                 QStringLiteral("message:") + treemessages::kReadError}));
    QVERIFY(program.window->isVisible());
    QCOMPARE(program.window->Tree->topLevelItemCount(), 0);
    QVERIFY(program.window->ToolButton2->isChecked());
}

void TestMainWindow::databaseWithoutParaTableStillLoads()
{
    KnowledgeBaseFixture kb;
    addSampleTree(kb);
    kb.dropTable(QStringLiteral("TPara"));
    Program program(kb);
    QCOMPARE(program.dialogs.shown, QStringList{QStringLiteral("message:") + TDM::kOpenFailedMessage});
    QCOMPARE(program.window->Tree->topLevelItemCount(), 2);
    QCOMPARE(attachmentNames(*program.window).size(), 2);
}

void TestMainWindow::clickAndKeyboardBothShowTheCategory()
{
    KnowledgeBaseFixture kb;
    addSampleTree(kb);
    Program program(kb);
    TfrmMainFAQ &w = *program.window;

    clickNode(w.Tree, findNode(w.Tree, QStringLiteral("0002")));
    QCOMPARE(w.CurrTypeCode(), QStringLiteral("0002"));
    QCOMPARE(attachmentNames(w), QStringList{QStringLiteral("保修卡.doc")});

    // A keyboard move shows the category it lands on, as a click does.
    w.Tree->setFocus();
    QTest::keyClick(w.Tree, Qt::Key_Up);
    QCOMPARE(w.Tree->currentItem(), findNode(w.Tree, QStringLiteral("0001")));
    QCOMPARE(w.CurrTypeCode(), QStringLiteral("0001"));
    QCOMPARE(attachmentNames(w), (QStringList{QStringLiteral("价目表.xls"), QStringLiteral("产品图.png")}));

    // The attachment list follows the click even when it cannot be read.
    kb.dropTable(QStringLiteral("TDKFJ"));
    clickNode(w.Tree, findNode(w.Tree, QStringLiteral("0002")));
    QCOMPARE(w.CurrTypeCode(), QStringLiteral("0002"));
    QCOMPARE(w.dsFJ->rowCount(), 0);
    QVERIFY(program.dialogs.shown.isEmpty());
}

void TestMainWindow::clickOnTheSelectedCollapsedNodeExpandsIt()
{
    KnowledgeBaseFixture kb;
    addSampleTree(kb);
    Program program(kb);
    TfrmMainFAQ &w = *program.window;
    QTreeWidgetItem *first = findNode(w.Tree, QStringLiteral("0001"));
    // Selected at start, collapsed, since the load expands nothing.
    QCOMPARE(w.Tree->currentItem(), first);
    QVERIFY(!first->isExpanded());

    clickNode(w.Tree, first);
    QVERIFY(first->isExpanded());
    QCOMPARE(w.CurrTypeCode(), QStringLiteral("0001"));
    // A click on an expanded selected node leaves it open; a node without children stays as it is.
    clickNode(w.Tree, first);
    QVERIFY(first->isExpanded());
}

void TestMainWindow::longNamesCanBeReadWhole()
{
    const QString longName = QStringLiteral("退货运费由谁承担（质量问题）");
    const QString otherName = QStringLiteral("退货运费由谁承担（非质量问题）");
    KnowledgeBaseFixture kb;
    kb.addCategory(QStringLiteral("0001"), QStringLiteral("售后"), QString(), 0);
    kb.addCategory(QStringLiteral("00010001"), QStringLiteral("退货"), QStringLiteral("0001"), 1);
    kb.addCategory(QStringLiteral("000100010001"), longName, QStringLiteral("00010001"), 2);
    kb.addCategory(QStringLiteral("000100010002"), otherName, QStringLiteral("00010001"), 2);
    Program program(kb);
    TfrmMainFAQ &w = *program.window;
    clickNode(w.Tree, findNode(w.Tree, QStringLiteral("0001")));
    clickNode(w.Tree, findNode(w.Tree, QStringLiteral("00010001")));
    QTreeWidgetItem *item = findNode(w.Tree, QStringLiteral("000100010002"));
    QVERIFY(!w.Tree->visualItemRect(item).isEmpty());

    // Not cut short: the column holds the whole name, and the tree scrolls sideways to it.
    const int needed = w.Tree->visualItemRect(item).left() + w.Tree->fontMetrics().horizontalAdvance(otherName);
    QVERIFY2(w.Tree->columnWidth(0) >= needed, qPrintable(QStringLiteral("%1 < %2").arg(w.Tree->columnWidth(0)).arg(needed)));
    QVERIFY(w.Tree->viewport()->width() < needed);
    QVERIFY(w.Tree->horizontalScrollBar()->maximum() > 0);
    QCOMPARE(w.Tree->textElideMode(), Qt::ElideNone);

    // The tooltip names the node under the pointer in full.
    const QPoint at = w.Tree->visualItemRect(item).center();
    QHelpEvent help(QEvent::ToolTip, at, w.Tree->viewport()->mapToGlobal(at));
    QCoreApplication::sendEvent(w.Tree->viewport(), &help);
    QCOMPARE(QToolTip::text(), otherName);
    QToolTip::hideText();

    // The splitter widens the tree, and the width lasts through mode switches.
    auto *splitter = qobject_cast<QSplitter *>(w.Panel1->parentWidget());
    QVERIFY(splitter);
    const int total = splitter->sizes().value(0) + splitter->sizes().value(1);
    splitter->setSizes({200, total - 200});
    QCOMPARE(w.Panel1->width(), 200);
    QTest::mouseClick(w.ToolButton3, Qt::LeftButton);
    QVERIFY(w.GroupBox2->width() >= 201);
    QTest::mouseClick(w.ToolButton2, Qt::LeftButton);
    QCOMPARE(w.Panel1->width(), 200);
    // It cannot be made narrower than it starts.
    splitter->setSizes({50, total - 50});
    QCOMPARE(w.Panel1->width(), 157);
}

void TestMainWindow::selectingANodeCollapsesTheBranchThatLostIt()
{
    KnowledgeBaseFixture kb;
    addSampleTree(kb);
    Program program(kb);
    TfrmMainFAQ &w = *program.window;
    QTreeWidgetItem *presale = findNode(w.Tree, QStringLiteral("0001"));
    QTreeWidgetItem *price = findNode(w.Tree, QStringLiteral("00010001"));
    QTreeWidgetItem *service = findNode(w.Tree, QStringLiteral("0002"));

    clickNode(w.Tree, service);
    clickNode(w.Tree, presale);
    QVERIFY(presale->isExpanded());
    clickNode(w.Tree, price);
    QVERIFY(presale->isExpanded());
    QVERIFY(price->isExpanded());
    clickNode(w.Tree, service);
    QVERIFY(service->isExpanded());
    QVERIFY(!presale->isExpanded());
    QVERIFY(!price->isExpanded());
    // The branch above folded, yet the click reached the node that was pressed.
    QCOMPARE(w.CurrTypeCode(), QStringLiteral("0002"));
}

void TestMainWindow::placement_data()
{
    QTest::addColumn<QSize>("screen");
    QTest::addColumn<QRect>("expected");
    QTest::newRow("1366x768") << QSize(1366, 768) << QRect(0, 0, 683, 738);
    QTest::newRow("1365 wide") << QSize(1365, 768) << QRect(0, 0, 682, 738);
    QTest::newRow("1920x1080") << QSize(1920, 1080) << QRect(0, 0, 960, 1050);
}

void TestMainWindow::placement()
{
    QFETCH(QSize, screen);
    QFETCH(QRect, expected);
    QCOMPARE(windowgeometry::initialPlacement(screen), expected);
}

void TestMainWindow::windowTakesTheLeftHalfOfTheScreen()
{
    FakeDialogs dialogs;
    TDM dm;
    TfrmMainFAQ window(dialogs, dm);
    const QSize screen = QGuiApplication::primaryScreen()->size();
    QCOMPARE(window.pos(), QPoint(0, 0));
    QCOMPARE(window.size(), windowgeometry::initialPlacement(screen).size());
}

void TestMainWindow::siblingProductHidesBackupAndRestore_data()
{
    QTest::addColumn<bool>("besideExecutable");
    QTest::newRow("beside the executable") << true;
    QTest::newRow("only in the working directory") << false;
}

void TestMainWindow::siblingProductHidesBackupAndRestore()
{
    QFETCH(bool, besideExecutable);
    KnowledgeBaseFixture workingDirectory;
    const QString folder = besideExecutable ? QCoreApplication::applicationDirPath() + QLatin1Char('/') : workingDirectory.folder();
    const QString sibling = folder + QStringLiteral("Halvern.exe");
    QVERIFY(!QFile::exists(QCoreApplication::applicationDirPath() + QStringLiteral("/Halvern.exe")));
    {
        QFile file(sibling);
        QVERIFY(file.open(QIODevice::WriteOnly));
    }
    const auto removeSibling = qScopeGuard([&] { QFile::remove(sibling); });
    const QString previous = QDir::currentPath();
    QVERIFY(QDir::setCurrent(workingDirectory.folder()));
    const auto restoreDirectory = qScopeGuard([&] { QDir::setCurrent(previous); });

    FakeDialogs dialogs;
    TDM dm;
    TfrmMainFAQ window(dialogs, dm);
    QCOMPARE(window.MenuItem1->isVisible(), !besideExecutable);
    QCOMPARE(window.MenuItem2->isVisible(), !besideExecutable);
    QCOMPARE(window.N1->isVisible(), !besideExecutable);
    QVERIFY(window.N2->isVisible());
}

void TestMainWindow::modeSwitchesKeepTreeAndEditorState()
{
    KnowledgeBaseFixture kb;
    for (int i = 1; i <= 80; ++i) {
        const QString code = categorycodes::ZeroPad(QString::number(i), 4);
        kb.addCategory(code, QStringLiteral("分类%1").arg(i), QString(), 0);
        kb.addCategory(code + QStringLiteral("0001"), QStringLiteral("子类%1").arg(i), code, 1);
    }
    Program program(kb);
    TfrmMainFAQ &w = *program.window;
    QTreeWidgetItem *opened = findNode(w.Tree, QStringLiteral("0030"));
    clickNode(w.Tree, opened);
    w.Tree->setCurrentItem(opened->child(0));
    w.Tree->verticalScrollBar()->setValue(w.Tree->verticalScrollBar()->maximum() / 3);
    QTreeWidgetItem *top = w.Tree->itemAt(QPoint(5, 2));
    QVERIFY(top);
    w.RichEdit->setFocus();
    QTest::keyClicks(w.RichEdit, "Hello ");
    w.RichEdit->textCursor().insertText(QStringLiteral("正在输入的答复"));

    auto checkState = [&] {
        QCOMPARE(w.Tree->currentItem(), opened->child(0));
        QVERIFY(opened->isExpanded());
        QCOMPARE(w.Tree->itemAt(QPoint(5, 2)), top);
        QCOMPARE(w.RichEdit->toPlainText(), QStringLiteral("Hello 正在输入的答复"));
        QCOMPARE(w.CurrTypeCode(), QStringLiteral("00300001"));
        QCOMPARE(w.Tree->topLevelItemCount(), 80);
    };

    QTest::mouseClick(w.ToolButton3, Qt::LeftButton);
    QCOMPARE(w.PageControl1->currentIndex(), 1);
    QCOMPARE(w.Tree->parentWidget(), w.GroupBox2);
    QCOMPARE(w.GroupBoxEdit->parentWidget(), w.Panel3);
    QVERIFY(w.Tree->geometry().bottom() < w.Panel4->geometry().top());
    QVERIFY(w.ToolBarEdit->isVisible());
    QVERIFY(!w.Panel6->isVisible());
    QVERIFY(w.ToolButton3->isChecked());
    QVERIFY(!w.ToolButton2->isChecked());
    checkState();

    QTest::mouseClick(w.ToolButton2, Qt::LeftButton);
    QCOMPARE(w.PageControl1->currentIndex(), 0);
    QCOMPARE(w.Tree->parentWidget(), w.Panel1);
    QCOMPARE(w.GroupBoxEdit->parentWidget(), w.Panel2);
    QVERIFY(!w.ToolBarEdit->isVisible());
    QVERIFY(w.Panel6->isVisible());
    checkState();

    // The button that is down stays down when clicked again.
    QTest::mouseClick(w.ToolButton2, Qt::LeftButton);
    QVERIFY(w.ToolButton2->isChecked());
    QVERIFY(!w.ToolButton3->isChecked());
    checkState();
}

void TestMainWindow::maintenanceMenuOpensUnderItsButton()
{
    QCOMPARE(windowgeometry::maintenanceMenuPoint(QPoint(0, 0), QRect(190, 2, 80, 20)), QPoint(195, 44));
    QCOMPARE(windowgeometry::maintenanceMenuPoint(QPoint(300, 120), QRect(190, 2, 80, 20)), QPoint(495, 164));

    KnowledgeBaseFixture kb;
    Program program(kb);
    TfrmMainFAQ &w = *program.window;
    QTest::mouseClick(w.TBDatabase, Qt::LeftButton);
    QVERIFY(QTest::qWaitFor([&] { return w.PopupMenu2->isVisible(); }));
    w.PopupMenu2->close();
}

void TestMainWindow::getMaxNumReportsReadErrorsAndFullParents()
{
    KnowledgeBaseFixture kb;
    kb.addCategory(QStringLiteral("0001"), QStringLiteral("售前"), QString(), 0);
    kb.addCategory(QStringLiteral("00019999"), QStringLiteral("满"), QStringLiteral("0001"), 1);
    Program program(kb);
    TfrmMainFAQ &w = *program.window;
    QCOMPARE(w.GetMaxNum(QString()), QStringLiteral("0002"));
    QVERIFY(w.GetMaxNum(QStringLiteral("0001")).isEmpty());
    QCOMPARE(program.dialogs.messages, QStringList{treemessages::kCodesFull});

    kb.dropTable(QStringLiteral("TFAQClass"));
    QVERIFY(w.GetMaxNum(QString()).isEmpty());
    QCOMPARE(program.dialogs.messages.value(1), treemessages::kReadError);
}

void TestMainWindow::fontList_data()
{
    QTest::addColumn<QStringList>("families");
    QTest::addColumn<QStringList>("expected");
    QTest::newRow("none") << QStringList{} << QStringList{"Default"};
    QTest::newRow("sorted without regard to case, each once")
        << QStringList{"宋体", "Noto Sans", "arial", "DejaVu Sans", "Noto Sans"}
        << QStringList{"Default", "arial", "DejaVu Sans", "Noto Sans", "宋体"};
}

void TestMainWindow::fontList()
{
    QFETCH(QStringList, families);
    QFETCH(QStringList, expected);
    QCOMPARE(windowgeometry::fontNameList(families), expected);

    FakeDialogs dialogs;
    TDM dm;
    TfrmMainFAQ window(dialogs, dm);
    QCOMPARE(window.cmbFont->itemText(0), QStringLiteral("Default"));
    QCOMPARE(window.cmbFont->count(), windowgeometry::fontNameList(QFontDatabase::families()).size());
}

void TestMainWindow::standardDialogsSpeakChinese()
{
    QVERIFY(installChineseTranslations(*qApp));
    QFileDialog files(nullptr, QStringLiteral("选择附件文件"));
    files.setOption(QFileDialog::DontUseNativeDialog);
    files.setAcceptMode(QFileDialog::AcceptOpen);
    const auto *buttons = files.findChild<QDialogButtonBox *>();
    QVERIFY(buttons);
    QStringList captions;
    for (const QAbstractButton *button : buttons->buttons())
        captions << button->text().remove(QLatin1Char('&'));
    QVERIFY2(captions.contains(QStringLiteral("打开(O)")) || captions.contains(QStringLiteral("打开")), qPrintable(captions.join(',')));
    QVERIFY2(captions.contains(QStringLiteral("取消")), qPrintable(captions.join(',')));

    // The editor's own actions too.
    FakeDialogs dialogs;
    TDM dm;
    TfrmMainFAQ window(dialogs, dm);
    const std::unique_ptr<QMenu> menu(window.RichEdit->createContextMenu(QPoint()));
    QStringList actions;
    for (const QAction *action : menu->actions())
        actions << action->text();
    QVERIFY2(actions.join(',').contains(QStringLiteral("全选")), qPrintable(actions.join(',')));
}

QTEST_MAIN(TestMainWindow)
#include "tst_mainwindow.moc"
