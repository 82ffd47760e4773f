#include "RunningProgram.h"
#include "KnowledgeBaseFixture.h"
#include "TestFiles.h"
#include "app/Startup.h"
#include "app/uMain.h"
#include "attachments/AttachmentList.h"
#include "storage/uDM.h"
#include "tree/TreeView.h"

#include <QCoreApplication>
#include <QFile>
#include <QFrame>
#include <QPushButton>
#include <QRegularExpression>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QSqlRecord>
#include <QTest>
#include <QTextEdit>
#include <QToolButton>
#include <QTreeWidget>
#include <QUuid>

#include <memory>

namespace {

// The exact texts the user sees, written out here so that a changed constant is noticed.
const QString kAddRootBox = QStringLiteral("输入FAQ主分类名称");
const QString kAddSonBox = QStringLiteral("输入商品二级分类名称");
const QString kRenameBox = QStringLiteral("输入新的供应商分类名称");
const QString kReadError = QStringLiteral("读取数据出现错误。");
const QString kTooDeep = QStringLiteral("选择根分类或一级分类再添加下级");
const QString kHasChildren = QStringLiteral("指定分类下有子分类，不能直接删除！请先删除子分类！");
const QString kDeleteQuestion = QStringLiteral("您确认删除吗？") + QChar(u'\r') + QStringLiteral("节点对应的文档与附件资料都将一并删除！");
const QString kDeleteError = QStringLiteral("删除数据发生错误，可能该分类已经被使用。");

// A started program over a fixture, switched to maintenance mode where the buttons are.
struct Program : RunningProgram<>
{
    explicit Program(const KnowledgeBaseFixture &kb)
        : RunningProgram(kb)
    {
        QTest::mouseClick(window->findChild<QToolButton *>(QStringLiteral("ToolButton3")), Qt::LeftButton);
    }

    QToolButton *button(const char *name) const { return window->findChild<QToolButton *>(QLatin1String(name)); }
    void click(const char *name) const
    {
        QToolButton *b = button(name);
        QVERIFY2(b && b->isVisible(), name);
        QTest::mouseClick(b, Qt::LeftButton);
    }
    QTreeWidget *tree() const { return window->findChild<QTreeWidget *>(QStringLiteral("Tree")); }
    QTreeWidgetItem *node(const QString &code) const { return treeview::findByCode(tree(), code); }
    void select(const QString &code) const { tree()->setCurrentItem(node(code)); }
    void clickNode(const QString &code) const
    {
        QTreeWidgetItem *item = node(code);
        tree()->scrollToItem(item);
        QTest::mouseClick(tree()->viewport(), Qt::LeftButton, {}, tree()->visualItemRect(item).center());
        QCoreApplication::processEvents();
    }
};

// Rows read through a connection of the test's own, each row's values joined by '|'.
QStringList rows(const KnowledgeBaseFixture &kb, const QString &sql, const QVariantList &values = {})
{
    QStringList result;
    const QString name = QUuid::createUuid().toString();
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), name);
        db.setDatabaseName(kb.databaseFile());
        if (db.open()) {
            QSqlQuery query(db);
            query.prepare(sql);
            for (const QVariant &value : values)
                query.addBindValue(value);
            if (query.exec()) {
                while (query.next()) {
                    QStringList row;
                    for (int i = 0; i < query.record().count(); ++i)
                        row << (query.value(i).isNull() ? QStringLiteral("<null>") : query.value(i).toString());
                    result << row.join(QLatin1Char('|'));
                }
            }
        }
        db.close();
    }
    QSqlDatabase::removeDatabase(name);
    return result;
}

QStringList categories(const KnowledgeBaseFixture &kb)
{
    return rows(kb, QStringLiteral("select TypeCode, TypeName, ParTypeCode, nLeveal, TypePYCode from TFAQClass order by TypeCode"));
}

QString category(const KnowledgeBaseFixture &kb, const QString &code)
{
    return rows(kb, QStringLiteral("select TypeCode, TypeName, ParTypeCode, nLeveal, TypePYCode from TFAQClass where TypeCode=?"),
                {code})
        .value(0);
}

// Every node as "code|text|depth", depth first.
QStringList nodes(QTreeWidget *tree)
{
    QStringList result;
    for (QTreeWidgetItemIterator it(tree); *it; ++it) {
        int depth = 0;
        for (QTreeWidgetItem *walk = (*it)->parent(); walk; walk = walk->parent())
            ++depth;
        result << QStringLiteral("%1|%2|%3").arg(treeview::recordOf(*it).TypeCode, (*it)->text(0)).arg(depth);
    }
    return result;
}

void addSampleTree(KnowledgeBaseFixture &kb)
{
    kb.addCategory(QStringLiteral("0001"), QStringLiteral("售前咨询"), QString(), 0);
    kb.addCategory(QStringLiteral("00010001"), QStringLiteral("产品价格"), QStringLiteral("0001"), 1);
    kb.addCategory(QStringLiteral("000100010001"), QStringLiteral("批量优惠"), QStringLiteral("00010001"), 2);
    kb.addCategory(QStringLiteral("0002"), QStringLiteral("售后服务"), QString(), 0);
}

void refuse(KnowledgeBaseFixture &kb, const QString &statement, const QString &table)
{
    kb.exec(QStringLiteral("CREATE TRIGGER refuse_%1_%2 BEFORE %1 ON %2 BEGIN SELECT RAISE(ABORT, 'refused'); END")
                .arg(statement, table));
}

QString inputRecord(const QString &caption, const QString &preset = QString())
{
    return caption + QLatin1Char('|') + caption + QLatin1Char('|') + preset;
}

} // namespace

class TestCategoryEditing : public QObject
{
    Q_OBJECT
private slots:
    void init();
    void buttonsSitInPanel4_data();
    void buttonsSitInPanel4();
    void firstTopLevelCategoryIsSelectedAndShown();
    void addBelow_data();
    void addBelow();
    void addingBelowLevelTwoIsRefused();
    void nameIsCutTo30Bytes_data();
    void nameIsCutTo30Bytes();
    void cancelOrEmptyNameChangesNothing_data();
    void cancelOrEmptyNameChangesNothing();
    void cancelledRenameWritesTheNameAndItsInitialsAgain();
    void renameKeepsCodeDocumentAndAttachments();
    void failedRenameKeepsTheOldName();
    void nothingSelectedDoesNothing_data();
    void nothingSelectedDoesNothing();
    void categoryWithChildrenIsDeletedLeafFirst();
    void deletionRemovesRowsFilesAndDocument();
    void deletingTheShownCategoryShowsItsNeighbour_data();
    void deletingTheShownCategoryShowsItsNeighbour();
    void deletingTheLastCategoryShowsNothing();
    void failedDeletionChangesNothing_data();
    void failedDeletionChangesNothing();
    void deletedGreatestSerialComesBackEmpty();
    void namesAreStoredVerbatim_data();
    void namesAreStoredVerbatim();
    void failedInsertRemovesItsNode_data();
    void failedInsertRemovesItsNode();
};

void TestCategoryEditing::init()
{
    // Any warning fails, apart from the offscreen platform's note about size hints.
    QTest::failOnWarning(QRegularExpression(QStringLiteral("^(?!This plugin does not support propagateSizeHints)")));
}

void TestCategoryEditing::buttonsSitInPanel4_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("caption");
    QTest::addColumn<QString>("hint");
    QTest::addColumn<int>("left");
    QTest::addColumn<int>("width");
    QTest::newRow("cmdAddRoot") << "cmdAddRoot" << QStringLiteral("添加一级") << QStringLiteral("添加根分组") << 5 << 56;
    QTest::newRow("cndAddSon") << "cndAddSon" << QStringLiteral("添加下级") << QStringLiteral("添加下级分组") << 63 << 56;
    QTest::newRow("cmdEdit") << "cmdEdit" << QStringLiteral("修改") << QStringLiteral("修改分组名称") << 121 << 36;
    QTest::newRow("cmdDelete") << "cmdDelete" << QStringLiteral("删除") << QStringLiteral("删除选定分组") << 159 << 36;
}

void TestCategoryEditing::buttonsSitInPanel4()
{
    QFETCH(QString, name);
    QFETCH(QString, caption);
    QFETCH(QString, hint);
    QFETCH(int, left);
    QFETCH(int, width);
    KnowledgeBaseFixture kb;
    addSampleTree(kb);
    Program program(kb);
    TfrmMainFAQ &w = *program.window;

    auto *panel = w.findChild<QFrame *>(QStringLiteral("Panel4"));
    QVERIFY(panel);
    QCOMPARE(panel->height(), 41);
    QCOMPARE(panel->frameShadow(), QFrame::Sunken);
    QVERIFY(w.Tree->geometry().bottom() < panel->geometry().top());
    auto *button = panel->findChild<QToolButton *>(name);
    QVERIFY(button);
    QCOMPARE(button->parentWidget(), panel);
    QCOMPARE(button->text(), caption);
    QCOMPARE(button->toolTip(), hint);
    QCOMPARE(button->x(), left);
    QCOMPARE(button->width(), width);
    QCOMPARE(button->height(), 22);
    QVERIFY(button->geometry().bottom() < panel->height());
    QVERIFY(button->autoRaise());
    QCOMPARE(button->focusPolicy(), Qt::NoFocus);
    QVERIFY(button->isVisible());

    // Clicking keeps the focus in the answer editor, so no save point is passed.
    QVERIFY(QTest::qWaitForWindowActive(&w));
    w.RichEdit->setFocus();
    QVERIFY(QTest::qWaitFor([&] { return w.RichEdit->hasFocus(); }));
    QTest::mouseClick(button, Qt::LeftButton);
    QVERIFY(w.RichEdit->hasFocus());

    // In query mode the tree leaves them behind.
    QTest::mouseClick(w.ToolButton2, Qt::LeftButton);
    QVERIFY(!button->isVisible());
}

void TestCategoryEditing::firstTopLevelCategoryIsSelectedAndShown()
{
    KnowledgeBaseFixture kb;
    // Left behind by a clearing: an answer and an attachment under the code 0001.
    kb.writeFile(QStringLiteral("DB/0001.rtf"), "{\\rtf1\\ansi old answer}");
    kb.addAttachment(QStringLiteral("0001"), QStringLiteral("旧.doc"), QStringLiteral("doc"), QStringLiteral("1.doc"));
    kb.writeFile(QStringLiteral("DB/1.doc"), "old");
    kb.writeFile(QStringLiteral("DB/0002.rtf"), "{\\rtf1\\ansi other answer}");
    Program program(kb);
    TfrmMainFAQ &w = *program.window;
    QVERIFY(w.RichEdit->isReadOnly());
    program.dialogs.inputAnswers.append({QStringLiteral("售后服务"), QStringLiteral("退货")});

    program.click("cmdAddRoot");
    QCOMPARE(program.dialogs.inputs, QStringList{inputRecord(kAddRootBox)});
    QCOMPARE(categories(kb), QStringList{QStringLiteral("0001|售后服务||0|SHFW")});
    QCOMPARE(nodes(w.Tree), QStringList{QStringLiteral("0001|售后服务|0")});
    QTreeWidgetItem *first = w.Tree->topLevelItem(0);
    QCOMPARE(first->icon(0).cacheKey(), w.ImageList1.at(0).cacheKey());
    QCOMPARE(treeview::recordOf(first), (GoodsClass{QStringLiteral("0001"), QString(), QStringLiteral("售后服务"), 0}));
    // Selected and shown: a new, empty answer that can be written at once. What the code held
    // from before is gone, so the new category inherits nothing.
    QCOMPARE(w.Tree->currentItem(), first);
    QCOMPARE(w.CurrTypeCode(), QStringLiteral("0001"));
    QVERIFY(w.RichEdit->toPlainText().isEmpty());
    QVERIFY(!w.RichEdit->isReadOnly());
    QCOMPARE(w.dsFJ->rowCount(), 0);
    QVERIFY(!QFile::exists(kb.dataFile(QStringLiteral("0001.rtf"))));
    QVERIFY(!QFile::exists(kb.dataFile(QStringLiteral("1.doc"))));
    QVERIFY(rows(kb, QStringLiteral("select FileName from TDKFJ")).isEmpty());

    // A second one goes to the end; the selection stays. Its leftover answer goes too.
    program.click("cmdAddRoot");
    QCOMPARE(nodes(w.Tree), (QStringList{QStringLiteral("0001|售后服务|0"), QStringLiteral("0002|退货|0")}));
    QCOMPARE(category(kb, QStringLiteral("0002")), QStringLiteral("0002|退货||0|TH"));
    QCOMPARE(w.Tree->currentItem(), first);
    QVERIFY(!QFile::exists(kb.dataFile(QStringLiteral("0002.rtf"))));
    QVERIFY(program.dialogs.messages.isEmpty());
}

void TestCategoryEditing::addBelow_data()
{
    QTest::addColumn<QString>("parent");
    QTest::addColumn<QString>("code");
    QTest::addColumn<int>("level");
    QTest::newRow("top level with two children") << "0001" << "00010003" << 1;
    QTest::newRow("top level without children") << "0002" << "00020001" << 1;
    QTest::newRow("level 1 with a child") << "00010001" << "000100010002" << 2;
    QTest::newRow("level 1 without children") << "00010002" << "000100020001" << 2;
}

void TestCategoryEditing::addBelow()
{
    QFETCH(QString, parent);
    QFETCH(QString, code);
    QFETCH(int, level);
    KnowledgeBaseFixture kb;
    addSampleTree(kb);
    kb.addCategory(QStringLiteral("00010002"), QStringLiteral("发货时间"), QStringLiteral("0001"), 1);
    Program program(kb);
    TfrmMainFAQ &w = *program.window;
    program.clickNode(QStringLiteral("0001"));
    program.clickNode(parent);
    QTreeWidgetItem *parentNode = program.node(parent);
    const int children = parentNode->childCount();
    program.dialogs.inputAnswers.append({QStringLiteral("退货")});

    program.click("cndAddSon");
    QCOMPARE(program.dialogs.inputs, QStringList{inputRecord(kAddSonBox)});
    QVERIFY(program.dialogs.messages.isEmpty());
    QCOMPARE(category(kb, code), QStringLiteral("%1|退货|%2|%3|TH").arg(code, parent).arg(level));
    QCOMPARE(parentNode->childCount(), children + 1);
    QTreeWidgetItem *added = parentNode->child(children);
    QCOMPARE(added->text(0), QStringLiteral("退货"));
    QCOMPARE(added->icon(0).cacheKey(), w.ImageList1.at(1).cacheKey());
    QCOMPARE(treeview::recordOf(added).TypeCode, code);
    QCOMPARE(treeview::recordOf(added).ParTypeCode, parent);
    QVERIFY(parentNode->isExpanded());
    QCOMPARE(w.Tree->currentItem(), parentNode);
    QCOMPARE(w.CurrTypeCode(), parent);
}

void TestCategoryEditing::addingBelowLevelTwoIsRefused()
{
    KnowledgeBaseFixture kb;
    addSampleTree(kb);
    Program program(kb);
    const QStringList before = categories(kb);
    program.select(QStringLiteral("000100010001"));
    program.dialogs.inputAnswers.append({QStringLiteral("太深")});

    program.click("cndAddSon");
    QCOMPARE(program.dialogs.shown, QStringList{QStringLiteral("message:") + kTooDeep});
    QCOMPARE(categories(kb), before);
    QCOMPARE(program.node(QStringLiteral("000100010001"))->childCount(), 0);
}

void TestCategoryEditing::nameIsCutTo30Bytes_data()
{
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("stored");
    QTest::addColumn<QString>("initials");
    const QString sixteen = QStringLiteral("售后服务退货退款发票开具维修保修咨询");
    QTest::newRow("31 ASCII bytes") << QString(31, QLatin1Char('a')) << QString(30, QLatin1Char('a')) << QString(30, QLatin1Char('a'));
    QTest::newRow("30 ASCII bytes stay") << QString(30, QLatin1Char('b')) << QString(30, QLatin1Char('b')) << QString(30, QLatin1Char('b'));
    QTest::newRow("16 Chinese characters") << sixteen.left(16) << sixteen.left(15) << QStringLiteral("SHFWTHTKFPKJWXB");
    QTest::newRow("15 Chinese characters stay") << sixteen.left(15) << sixteen.left(15) << QStringLiteral("SHFWTHTKFPKJWXB");
    // The cut would split the 15th character: it is dropped whole.
    QTest::newRow("half a character") << QStringLiteral("x") + sixteen.left(15) << QStringLiteral("x") + sixteen.left(14)
                                      << QStringLiteral("xSHFWTHTKFPKJWX");
    QTest::newRow("blanks are a name") << QStringLiteral("   ") << QStringLiteral("   ") << QStringLiteral("   ");
}

void TestCategoryEditing::nameIsCutTo30Bytes()
{
    QFETCH(QString, typed);
    QFETCH(QString, stored);
    QFETCH(QString, initials);
    KnowledgeBaseFixture kb;
    kb.addCategory(QStringLiteral("0001"), QStringLiteral("售前咨询"), QString(), 0);
    Program program(kb);
    program.dialogs.inputAnswers.append({typed, typed});

    program.click("cmdAddRoot");
    QCOMPARE(category(kb, QStringLiteral("0002")), QStringLiteral("0002|%1||0|%2").arg(stored, initials));
    QCOMPARE(program.node(QStringLiteral("0002"))->text(0), stored);

    program.select(QStringLiteral("0001"));
    program.click("cmdEdit");
    QCOMPARE(category(kb, QStringLiteral("0001")), QStringLiteral("0001|%1||0|%2").arg(stored, initials));
    QCOMPARE(program.node(QStringLiteral("0001"))->text(0), stored);
    QVERIFY(program.dialogs.messages.isEmpty());
}

void TestCategoryEditing::cancelOrEmptyNameChangesNothing_data()
{
    QTest::addColumn<QByteArray>("button");
    QTest::addColumn<QString>("selected");
    QTest::addColumn<QString>("answer");   // null: Cancel
    QTest::addColumn<QString>("box");
    QTest::newRow("add top level, Cancel") << QByteArray("cmdAddRoot") << "0002" << QString() << inputRecord(kAddRootBox);
    QTest::newRow("add top level, empty") << QByteArray("cmdAddRoot") << "0002" << QStringLiteral("") << inputRecord(kAddRootBox);
    QTest::newRow("add below, Cancel") << QByteArray("cndAddSon") << "0002" << QString() << inputRecord(kAddSonBox);
    QTest::newRow("add below, empty") << QByteArray("cndAddSon") << "0001" << QStringLiteral("") << inputRecord(kAddSonBox);
    QTest::newRow("rename, empty") << QByteArray("cmdEdit") << "0002" << QStringLiteral("")
                                   << inputRecord(kRenameBox, QStringLiteral("售后服务"));
}

void TestCategoryEditing::cancelOrEmptyNameChangesNothing()
{
    QFETCH(QByteArray, button);
    QFETCH(QString, selected);
    QFETCH(QString, answer);
    QFETCH(QString, box);
    KnowledgeBaseFixture kb;
    addSampleTree(kb);
    Program program(kb);
    program.select(selected);
    const QStringList before = categories(kb);
    const QStringList tree = nodes(program.tree());
    program.dialogs.inputAnswers.append({answer});

    program.click(button.constData());
    QCOMPARE(program.dialogs.inputs, QStringList{box});
    QCOMPARE(program.dialogs.shown.size(), 1);
    QCOMPARE(categories(kb), before);
    QCOMPARE(nodes(program.tree()), tree);
}

void TestCategoryEditing::cancelledRenameWritesTheNameAndItsInitialsAgain()
{
    KnowledgeBaseFixture kb;
    addSampleTree(kb);   // stored without initials
    Program program(kb);
    program.select(QStringLiteral("00010001"));
    program.dialogs.inputAnswers.append({QString()});

    program.click("cmdEdit");
    QCOMPARE(program.dialogs.inputs, QStringList{inputRecord(kRenameBox, QStringLiteral("产品价格"))});
    QCOMPARE(category(kb, QStringLiteral("00010001")), QStringLiteral("00010001|产品价格|0001|1|CPJG"));
    QCOMPARE(program.node(QStringLiteral("00010001"))->text(0), QStringLiteral("产品价格"));
}

void TestCategoryEditing::renameKeepsCodeDocumentAndAttachments()
{
    KnowledgeBaseFixture kb;
    addSampleTree(kb);
    kb.writeFile(QStringLiteral("DB/00010001.rtf"), "{\\rtf1\\ansi price list}");
    kb.addAttachment(QStringLiteral("00010001"), QStringLiteral("价目表.xls"), QStringLiteral("xls"), QStringLiteral("1.xls"));
    kb.writeFile(QStringLiteral("DB/1.xls"), "xls");
    Program program(kb);
    TfrmMainFAQ &w = *program.window;
    program.clickNode(QStringLiteral("0001"));
    program.clickNode(QStringLiteral("00010001"));
    program.dialogs.inputAnswers.append({QStringLiteral("价格'表")});

    program.click("cmdEdit");
    QCOMPARE(category(kb, QStringLiteral("00010001")), QStringLiteral("00010001|价格'表|0001|1|JG'B"));
    QTreeWidgetItem *node = program.node(QStringLiteral("00010001"));
    QVERIFY(node);
    QCOMPARE(node->text(0), QStringLiteral("价格'表"));
    QCOMPARE(treeview::recordOf(node),
             (GoodsClass{QStringLiteral("00010001"), QStringLiteral("0001"), QStringLiteral("价格'表"), 1}));
    QCOMPARE(node->parent(), program.node(QStringLiteral("0001")));
    QCOMPARE(node->parent()->indexOfChild(node), 0);
    QCOMPARE(w.Tree->currentItem(), node);
    QCOMPARE(nodes(w.Tree).size(), 4);

    QVERIFY(QFile::exists(kb.dataFile(QStringLiteral("00010001.rtf"))));
    program.clickNode(QStringLiteral("0002"));
    program.clickNode(QStringLiteral("0001"));
    program.clickNode(QStringLiteral("00010001"));
    QCOMPARE(w.CurrTypeCode(), QStringLiteral("00010001"));
    QCOMPARE(w.RichEdit->toPlainText(), QStringLiteral("price list"));
    QCOMPARE(w.dsFJ->rowCount(), 1);
    QVERIFY(program.dialogs.messages.isEmpty());
}

void TestCategoryEditing::failedRenameKeepsTheOldName()
{
    KnowledgeBaseFixture kb;
    addSampleTree(kb);
    Program program(kb);
    refuse(kb, QStringLiteral("UPDATE"), QStringLiteral("TFAQClass"));
    const QStringList before = categories(kb);
    program.select(QStringLiteral("0002"));
    program.dialogs.inputAnswers.append({QStringLiteral("新名称")});

    program.click("cmdEdit");
    QCOMPARE(program.dialogs.messages, QStringList{kReadError});
    QCOMPARE(categories(kb), before);
    QCOMPARE(program.node(QStringLiteral("0002"))->text(0), QStringLiteral("售后服务"));
    QCOMPARE(treeview::recordOf(program.node(QStringLiteral("0002"))).TypeName, QStringLiteral("售后服务"));
}

void TestCategoryEditing::nothingSelectedDoesNothing_data()
{
    QTest::addColumn<QByteArray>("button");
    QTest::newRow("add below") << QByteArray("cndAddSon");
    QTest::newRow("rename") << QByteArray("cmdEdit");
    QTest::newRow("delete") << QByteArray("cmdDelete");
}

void TestCategoryEditing::nothingSelectedDoesNothing()
{
    QFETCH(QByteArray, button);
    KnowledgeBaseFixture kb;
    Program program(kb);
    program.dialogs.inputAnswers.append({QStringLiteral("名称")});
    program.dialogs.confirmAnswers.append({true});
    program.click(button.constData());
    QVERIFY(program.dialogs.shown.isEmpty());
    QVERIFY(categories(kb).isEmpty());
    QCOMPARE(program.tree()->topLevelItemCount(), 0);
}

void TestCategoryEditing::categoryWithChildrenIsDeletedLeafFirst()
{
    KnowledgeBaseFixture kb;
    addSampleTree(kb);
    Program program(kb);
    program.dialogs.confirmAnswers.append({true, true, true});

    for (const QString &code : {QStringLiteral("0001"), QStringLiteral("00010001")}) {
        program.select(code);
        program.dialogs.messages.clear();
        program.click("cmdDelete");
        QCOMPARE(program.dialogs.messages, QStringList{kHasChildren});
        QVERIFY(program.dialogs.confirmations.isEmpty());
        QVERIFY(!category(kb, code).isEmpty());
    }

    for (const QString &code : {QStringLiteral("000100010001"), QStringLiteral("00010001"), QStringLiteral("0001")}) {
        program.select(code);
        program.click("cmdDelete");
        QVERIFY2(category(kb, code).isEmpty(), qPrintable(code));
        QVERIFY(!program.node(code));
    }
    QCOMPARE(program.dialogs.confirmations.size(), 3);
    QCOMPARE(categories(kb), QStringList{QStringLiteral("0002|售后服务||0|")});
    QCOMPARE(nodes(program.tree()), QStringList{QStringLiteral("0002|售后服务|0")});
}

void TestCategoryEditing::deletionRemovesRowsFilesAndDocument()
{
    KnowledgeBaseFixture kb;
    addSampleTree(kb);
    kb.addAttachment(QStringLiteral("0002"), QStringLiteral("保修卡.doc"), QStringLiteral("doc"), QStringLiteral("20240315093008.doc"));
    kb.addAttachment(QStringLiteral("0001"), QStringLiteral("价目表.xls"), QStringLiteral("xls"), QStringLiteral("20240315093007.xls"));
    kb.addAttachment(QStringLiteral("0002"), QStringLiteral("发票.png"), QStringLiteral("png"), QStringLiteral("20240315093009.png"));
    for (const char *file : {"DB/20240315093007.xls", "DB/20240315093008.doc", "DB/20240315093009.png"})
        kb.writeFile(QString::fromLatin1(file), "data");
    kb.writeFile(QStringLiteral("DB/0001.rtf"), "{\\rtf1\\ansi presale}");
    kb.writeFile(QStringLiteral("DB/0002.rtf"), "{\\rtf1\\ansi service}");
    Program program(kb);
    TfrmMainFAQ &w = *program.window;
    program.clickNode(QStringLiteral("0002"));
    QCOMPARE(w.dsFJ->rowCount(), 2);
    w.RichEdit->setFocus();
    w.RichEdit->textCursor().insertText(QStringLiteral("未保存的修改"));
    QVERIFY(w.DocModified());
    program.dialogs.confirmAnswers.append({false, true});

    // No: nothing happens.
    program.click("cmdDelete");
    QCOMPARE(program.dialogs.confirmations, QStringList{QStringLiteral("警告|") + kDeleteQuestion});
    QVERIFY(!program.dialogs.confirmations.first().contains(QLatin1Char('\n')));
    QVERIFY(!category(kb, QStringLiteral("0002")).isEmpty());
    QVERIFY(program.node(QStringLiteral("0002")));
    QCOMPARE(w.CurrTypeCode(), QStringLiteral("0002"));

    program.click("cmdDelete");
    QVERIFY(program.dialogs.messages.isEmpty());
    QVERIFY(category(kb, QStringLiteral("0002")).isEmpty());
    QCOMPARE(rows(kb, QStringLiteral("select BillID, FileName from TDKFJ")), QStringList{QStringLiteral("0001|20240315093007.xls")});
    QVERIFY(!QFile::exists(kb.dataFile(QStringLiteral("20240315093008.doc"))));
    QVERIFY(!QFile::exists(kb.dataFile(QStringLiteral("20240315093009.png"))));
    QVERIFY(!QFile::exists(kb.dataFile(QStringLiteral("0002.rtf"))));
    QVERIFY(QFile::exists(kb.dataFile(QStringLiteral("20240315093007.xls"))));
    QVERIFY(QFile::exists(kb.dataFile(QStringLiteral("0001.rtf"))));
    QVERIFY(!program.node(QStringLiteral("0002")));
    QCOMPARE(nodes(w.Tree).size(), 3);

    // The shown category went with its unsaved answer; its neighbour is shown and editable,
    // and nothing is written under the deleted code later.
    QCOMPARE(w.CurrTypeCode(), QStringLiteral("0001"));
    QCOMPARE(w.Tree->currentItem(), program.node(QStringLiteral("0001")));
    QCOMPARE(w.RichEdit->toPlainText(), QStringLiteral("presale"));
    QVERIFY(!w.DocModified());
    QCOMPARE(w.dsFJ->rowCount(), 1);
    w.RichEdit->setFocus();
    QTest::keyClick(w.RichEdit, Qt::Key_End, Qt::ControlModifier);
    QTest::keyClicks(w.RichEdit, " typed after");
    w.SaveDoc();
    QVERIFY(!QFile::exists(kb.dataFile(QStringLiteral("0002.rtf"))));
    QVERIFY(readBytes(kb.dataFile(QStringLiteral("0001.rtf"))).contains("presale typed after"));
}

void TestCategoryEditing::deletingTheShownCategoryShowsItsNeighbour_data()
{
    QTest::addColumn<QString>("deleted");
    QTest::addColumn<QString>("shown");
    QTest::newRow("the next sibling") << "00010002" << "00010003";
    QTest::newRow("else the previous one") << "00010003" << "00010002";
    QTest::newRow("else the parent") << "000100010001" << "00010001";
    QTest::newRow("the last top-level category") << "0003" << "0002";
}

void TestCategoryEditing::deletingTheShownCategoryShowsItsNeighbour()
{
    QFETCH(QString, deleted);
    QFETCH(QString, shown);
    KnowledgeBaseFixture kb;
    addSampleTree(kb);
    kb.addCategory(QStringLiteral("00010002"), QStringLiteral("发货"), QStringLiteral("0001"), 1);
    kb.addCategory(QStringLiteral("00010003"), QStringLiteral("包装"), QStringLiteral("0001"), 1);
    kb.addCategory(QStringLiteral("0003"), QStringLiteral("投诉"), QString(), 0);
    kb.writeFile(QStringLiteral("DB/") + shown + QStringLiteral(".rtf"), "{\\rtf1\\ansi neighbour}");
    kb.addAttachment(shown, QStringLiteral("附件.doc"), QStringLiteral("doc"), QStringLiteral("7.doc"));
    Program program(kb);
    TfrmMainFAQ &w = *program.window;
    program.clickNode(QStringLiteral("0001"));
    program.clickNode(QStringLiteral("00010001"));
    program.clickNode(deleted);
    QCOMPARE(w.CurrTypeCode(), deleted);
    program.dialogs.confirmAnswers.append({true});

    program.click("cmdDelete");
    QVERIFY(!program.node(deleted));
    QCOMPARE(w.Tree->currentItem(), program.node(shown));
    QCOMPARE(w.CurrTypeCode(), shown);
    QCOMPARE(w.RichEdit->toPlainText(), QStringLiteral("neighbour"));
    QVERIFY(!w.RichEdit->isReadOnly());
    QCOMPARE(w.dsFJ->rowCount(), 1);
    // "新增文档" knows where its file goes.
    program.dialogs.fileAnswers.append(QString());
    QTest::mouseClick(w.Button2, Qt::LeftButton);
    QVERIFY(program.dialogs.messages.isEmpty());
}

void TestCategoryEditing::deletingTheLastCategoryShowsNothing()
{
    KnowledgeBaseFixture kb;
    kb.addCategory(QStringLiteral("0001"), QStringLiteral("唯一"), QString(), 0);
    kb.writeFile(QStringLiteral("DB/0001.rtf"), "{\\rtf1\\ansi only}");
    Program program(kb);
    TfrmMainFAQ &w = *program.window;
    w.RichEdit->setFocus();
    QTest::keyClicks(w.RichEdit, "unsaved");
    program.dialogs.confirmAnswers.append({true});

    program.click("cmdDelete");
    QCOMPARE(w.Tree->topLevelItemCount(), 0);
    QVERIFY(w.CurrTypeCode().isEmpty());
    QVERIFY(w.RichEdit->toPlainText().isEmpty());
    QVERIFY(w.RichEdit->isReadOnly());
    QCOMPARE(w.RichEdit->placeholderText(), QStringLiteral("请先选择或新建一个分类"));
    QTest::keyClicks(w.RichEdit, "lost?");
    QVERIFY(w.RichEdit->toPlainText().isEmpty());
    QVERIFY(w.close());
    QVERIFY(!QFile::exists(kb.dataFile(QStringLiteral("0001.rtf"))));
    QCOMPARE(program.dialogs.shown, QStringList{QStringLiteral("confirm:") + kDeleteQuestion});
}

void TestCategoryEditing::failedDeletionChangesNothing_data()
{
    QTest::addColumn<QString>("table");
    QTest::newRow("category row refused") << "TFAQClass";
    // The rows go in one transaction: the category row comes back with its attachments.
    QTest::newRow("attachment rows refused") << "TDKFJ";
}

void TestCategoryEditing::failedDeletionChangesNothing()
{
    QFETCH(QString, table);
    KnowledgeBaseFixture kb;
    addSampleTree(kb);
    kb.addAttachment(QStringLiteral("0002"), QStringLiteral("保修卡.doc"), QStringLiteral("doc"), QStringLiteral("8.doc"));
    kb.writeFile(QStringLiteral("DB/8.doc"), "data");
    kb.writeFile(QStringLiteral("DB/0002.rtf"), "{\\rtf1\\ansi service}");
    Program program(kb);
    TfrmMainFAQ &w = *program.window;
    program.clickNode(QStringLiteral("0002"));
    refuse(kb, QStringLiteral("DELETE"), table);
    const QStringList before = categories(kb);
    program.dialogs.confirmAnswers.append({true});

    program.click("cmdDelete");
    QCOMPARE(program.dialogs.messages, QStringList{kDeleteError});
    QCOMPARE(categories(kb), before);
    QCOMPARE(rows(kb, QStringLiteral("select FileName from TDKFJ where BillID='0002'")), QStringList{QStringLiteral("8.doc")});
    QVERIFY(QFile::exists(kb.dataFile(QStringLiteral("8.doc"))));
    QVERIFY(QFile::exists(kb.dataFile(QStringLiteral("0002.rtf"))));
    QVERIFY(program.node(QStringLiteral("0002")));
    QCOMPARE(w.CurrTypeCode(), QStringLiteral("0002"));
    QCOMPARE(w.dsFJ->rowCount(), 1);
}

void TestCategoryEditing::deletedGreatestSerialComesBackEmpty()
{
    KnowledgeBaseFixture kb;
    addSampleTree(kb);
    kb.addCategory(QStringLiteral("00010002"), QStringLiteral("发货时间"), QStringLiteral("0001"), 1);
    kb.addAttachment(QStringLiteral("00010002"), QStringLiteral("物流.doc"), QStringLiteral("doc"), QStringLiteral("5.doc"));
    kb.addAttachment(QStringLiteral("00010002"), QStringLiteral("单号.txt"), QStringLiteral("txt"), QStringLiteral("6.txt"));
    kb.writeFile(QStringLiteral("DB/5.doc"), "data");
    kb.writeFile(QStringLiteral("DB/6.txt"), "data");
    kb.writeFile(QStringLiteral("DB/00010002.rtf"), "{\\rtf1\\ansi shipping}");
    Program program(kb);
    TfrmMainFAQ &w = *program.window;
    program.clickNode(QStringLiteral("0001"));
    program.clickNode(QStringLiteral("00010002"));
    program.dialogs.confirmAnswers.append({true});
    program.click("cmdDelete");

    program.clickNode(QStringLiteral("0001"));
    program.dialogs.inputAnswers.append({QStringLiteral("新的下级")});
    program.click("cndAddSon");
    QCOMPARE(category(kb, QStringLiteral("00010002")), QStringLiteral("00010002|新的下级|0001|1|XDXJ"));
    program.clickNode(QStringLiteral("00010002"));
    QCOMPARE(w.CurrTypeCode(), QStringLiteral("00010002"));
    QVERIFY(w.RichEdit->toPlainText().isEmpty());
    QCOMPARE(w.dsFJ->rowCount(), 0);
    QVERIFY(program.dialogs.messages.isEmpty());
}

void TestCategoryEditing::namesAreStoredVerbatim_data()
{
    QTest::addColumn<QString>("name");
    QTest::newRow("single quote") << QStringLiteral("客户's 问题");
    QTest::newRow("double quote") << QStringLiteral("\"包邮\"吗");
    QTest::newRow("statement end and comment") << QStringLiteral("a; -- b");
    QTest::newRow("closing the values") << QStringLiteral("x','',0,'');--");
    QTest::newRow("second statement") << QStringLiteral("'); Delete from TFAQClass; --");
    QTest::newRow("always true") << QStringLiteral("' or '1'='1");
}

void TestCategoryEditing::namesAreStoredVerbatim()
{
    QFETCH(QString, name);
    KnowledgeBaseFixture kb;
    addSampleTree(kb);
    Program program(kb);
    const QStringList before = categories(kb);
    program.dialogs.inputAnswers.append({name, name, name});

    program.click("cmdAddRoot");
    program.select(QStringLiteral("0002"));
    program.click("cndAddSon");
    program.select(QStringLiteral("00010001"));
    program.click("cmdEdit");
    QVERIFY(program.dialogs.messages.isEmpty());

    const QStringList after = categories(kb);
    QCOMPARE(after.size(), before.size() + 2);
    QCOMPARE(rows(kb, QStringLiteral("select TypeCode from TFAQClass where TypeName=? order by TypeCode"), {name}),
             (QStringList{QStringLiteral("00010001"), QStringLiteral("00020001"), QStringLiteral("0003")}));
    for (const QString &code : {QStringLiteral("0001"), QStringLiteral("000100010001"), QStringLiteral("0002")})
        QCOMPARE(category(kb, code), before.filter(QRegularExpression(QStringLiteral("^") + code + QStringLiteral("\\|"))).value(0));
    QCOMPARE(program.node(QStringLiteral("0003"))->text(0), name);
    QCOMPARE(program.node(QStringLiteral("00020001"))->text(0), name);
    QCOMPARE(program.node(QStringLiteral("00010001"))->text(0), name);
}

void TestCategoryEditing::failedInsertRemovesItsNode_data()
{
    QTest::addColumn<QByteArray>("button");
    QTest::addColumn<bool>("emptyTree");
    QTest::newRow("first top-level category") << QByteArray("cmdAddRoot") << true;
    QTest::newRow("another top-level category") << QByteArray("cmdAddRoot") << false;
    QTest::newRow("below the selected one") << QByteArray("cndAddSon") << false;
}

void TestCategoryEditing::failedInsertRemovesItsNode()
{
    QFETCH(QByteArray, button);
    QFETCH(bool, emptyTree);
    KnowledgeBaseFixture kb;
    if (!emptyTree)
        addSampleTree(kb);
    Program program(kb);
    refuse(kb, QStringLiteral("INSERT"), QStringLiteral("TFAQClass"));
    if (!emptyTree)
        program.clickNode(QStringLiteral("0002"));
    QTreeWidgetItem *selected = program.tree()->currentItem();
    const QStringList tree = nodes(program.tree());
    const QStringList before = categories(kb);
    program.dialogs.inputAnswers.append({QStringLiteral("新分类")});

    program.click(button.constData());
    QCOMPARE(program.dialogs.messages, QStringList{kReadError});
    QCOMPARE(categories(kb), before);
    QCOMPARE(nodes(program.tree()), tree);
    QCOMPARE(program.tree()->currentItem(), selected);
}

QTEST_MAIN(TestCategoryEditing)
#include "tst_categoryediting.moc"
