// The main window's category editing: the four buttons under the tree in maintenance mode.
// Each handler asks the user, runs one change through categoryediting and then changes the one
// node it concerns; the tree is never reloaded.
#include "app/uMain.h"

#include "answers/AnswerEditor.h"
#include "attachments/AttachmentList.h"
#include "common/Dialogs.h"
#include "common/FaqError.h"
#include "storage/uDM.h"
#include "tree/CategoryEditing.h"
#include "tree/TreeView.h"

#include <QFrame>
#include <QToolButton>
#include <QTreeWidget>

const QString TfrmMainFAQ::kAddRootCaption = QStringLiteral("输入FAQ主分类名称");
const QString TfrmMainFAQ::kAddSonCaption = QStringLiteral("输入商品二级分类名称");
const QString TfrmMainFAQ::kRenameCaption = QStringLiteral("输入新的供应商分类名称");
const QString TfrmMainFAQ::kTooDeep = QStringLiteral("选择根分类或一级分类再添加下级");
const QString TfrmMainFAQ::kHasChildren = QStringLiteral("指定分类下有子分类，不能直接删除！请先删除子分类！");
const QString TfrmMainFAQ::kDeleteCaption = QStringLiteral("警告");
// The two lines are parted by a carriage return alone.
const QString TfrmMainFAQ::kDeleteQuestion = QStringLiteral("您确认删除吗？\r节点对应的文档与附件资料都将一并删除！");
const QString TfrmMainFAQ::kDeleteError = QStringLiteral("删除数据发生错误，可能该分类已经被使用。");

namespace {

constexpr int kPictureFolder = 0;
constexpr int kPictureBook = 1;
constexpr int kButtonTop = 9;
constexpr int kButtonHeight = 22;

int depthOf(const QTreeWidgetItem *node)
{
    int depth = 0;
    for (const QTreeWidgetItem *walk = node->parent(); walk; walk = walk->parent())
        ++depth;
    return depth;
}

} // namespace

void TfrmMainFAQ::buildCategoryButtons()
{
    auto button = [this](const char *name, const QString &caption, const QString &hint, int left, int width) {
        auto *b = new QToolButton(Panel4);
        b->setObjectName(QLatin1String(name));
        b->setText(caption);
        b->setToolTip(hint);
        b->setAutoRaise(true);
        b->setToolButtonStyle(Qt::ToolButtonTextOnly);
        // The editor keeps the focus: these buttons are no save point of the answer.
        b->setFocusPolicy(Qt::NoFocus);
        b->setGeometry(left, kButtonTop, width, kButtonHeight);
        return b;
    };
    cmdAddRoot = button("cmdAddRoot", QStringLiteral("添加一级"), QStringLiteral("添加根分组"), 5, 56);
    cndAddSon = button("cndAddSon", QStringLiteral("添加下级"), QStringLiteral("添加下级分组"), 63, 56);
    cmdEdit = button("cmdEdit", QStringLiteral("修改"), QStringLiteral("修改分组名称"), 121, 36);
    cmdDelete = button("cmdDelete", QStringLiteral("删除"), QStringLiteral("删除选定分组"), 159, 36);
    connect(cmdAddRoot, &QToolButton::clicked, this, &TfrmMainFAQ::cmdAddRootClick);
    connect(cndAddSon, &QToolButton::clicked, this, &TfrmMainFAQ::cndAddSonClick);
    connect(cmdEdit, &QToolButton::clicked, this, &TfrmMainFAQ::cmdEditClick);
    connect(cmdDelete, &QToolButton::clicked, this, &TfrmMainFAQ::cmdDeleteClick);
}

void TfrmMainFAQ::cmdAddRootClick()
{
    const QString typed = m_dialogs.inputBox(kAddRootCaption, kAddRootCaption, QString());
    if (typed.isEmpty())
        return;
    const QString name = categoryediting::storedName(typed);
    const QString code = GetMaxNum(QString());
    if (code.isEmpty())
        return;
    const bool hadSelection = Tree->currentItem() != nullptr;
    auto *node = new QTreeWidgetItem;
    node->setText(0, name);
    node->setIcon(0, ImageList1.value(kPictureFolder));
    treeview::setRecord(node, GoodsClass{code, QString(), name, 0});
    Tree->addTopLevelItem(node);
    if (!addCategoryRow(node))
        return;
    // The first category becomes the selected one without its answer being loaded.
    if (!hadSelection)
        Tree->setCurrentItem(Tree->topLevelItem(0));
}

void TfrmMainFAQ::cndAddSonClick()
{
    QTreeWidgetItem *parent = Tree->currentItem();
    if (!parent)
        return;
    const int level = depthOf(parent) + 1;
    if (level > 2) {
        m_dialogs.showMessage(kTooDeep);
        return;
    }
    const QString typed = m_dialogs.inputBox(kAddSonCaption, kAddSonCaption, QString());
    if (typed.isEmpty())
        return;
    const QString name = categoryediting::storedName(typed);
    const QString parentCode = treeview::recordOf(parent).TypeCode;
    const QString code = GetMaxNum(parentCode);
    if (code.isEmpty())
        return;
    auto *node = new QTreeWidgetItem(parent);
    node->setText(0, name);
    node->setIcon(0, ImageList1.value(kPictureBook));
    treeview::setRecord(node, GoodsClass{code, parentCode, name, level});
    if (!addCategoryRow(node))
        return;
    parent->setExpanded(true);
}

bool TfrmMainFAQ::addCategoryRow(QTreeWidgetItem *node)
{
    const GoodsClass record = treeview::recordOf(node);
    try {
        categoryediting::insert(m_dm, {record.TypeCode, record.TypeName, record.ParTypeCode, record.nLeveal});
    } catch (const FaqError &) {
        // The tree shows no category that the database does not have.
        delete node;
        m_dialogs.showMessage(kReadError);
        return false;
    }
    return true;
}

void TfrmMainFAQ::cmdEditClick()
{
    QTreeWidgetItem *node = Tree->currentItem();
    if (!node)
        return;
    // Cancel brings back the current name, which is then written again.
    const QString typed = m_dialogs.inputBox(kRenameCaption, kRenameCaption, node->text(0));
    if (typed.isEmpty())
        return;
    const QString name = categoryediting::storedName(typed);
    GoodsClass record = treeview::recordOf(node);
    try {
        categoryediting::rename(m_dm, record.TypeCode, name);
    } catch (const FaqError &) {
        m_dialogs.showMessage(kReadError);
        return;
    }
    node->setText(0, name);
    record.TypeName = name;
    treeview::setRecord(node, record);
}

void TfrmMainFAQ::cmdDeleteClick()
{
    QTreeWidgetItem *node = Tree->currentItem();
    if (!node)
        return;
    if (node->childCount() > 0) {
        m_dialogs.showMessage(kHasChildren);
        return;
    }
    if (!m_dialogs.confirm(kDeleteCaption, kDeleteQuestion))
        return;
    const QString code = treeview::recordOf(node).TypeCode;
    try {
        categoryediting::remove(m_dm, code);
    } catch (const FaqError &) {
        m_dialogs.showMessage(kDeleteError);
        return;
    }
    if (code == CurrTypeCode)
        forgetShownCategory();
    delete node;
}

void TfrmMainFAQ::forgetShownCategory()
{
    // Nothing typed or attached afterwards may land under the code the next category receives;
    // the unsaved answer went with its category, as the user confirmed.
    RichEdit->clear();
    RichEdit->document()->clearUndoRedoStacks();
    CurrTypeCode.clear();
    DocModified = false;
    m_exitSaveFailed = false;
    dsFJ->clear();
}
