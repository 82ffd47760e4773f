#include "tree/CategoryEditor.h"

#include "common/Dialogs.h"
#include "common/FaqError.h"
#include "tree/CategoryCodes.h"
#include "tree/CategoryEditing.h"
#include "tree/TreeMessages.h"
#include "tree/TreeNavigation.h"
#include "tree/TreeView.h"

#include <QFrame>
#include <QToolButton>
#include <QTreeWidget>

using namespace treemessages;

namespace {

constexpr int kPictureFolder = 0;
constexpr int kPictureBook = 1;
constexpr int kButtonTop = 9;
constexpr int kButtonHeight = 22;
constexpr int kPanelHeight = 41;

int depthOf(const QTreeWidgetItem *node)
{
    int depth = 0;
    for (const QTreeWidgetItem *walk = node->parent(); walk; walk = walk->parent())
        ++depth;
    return depth;
}

} // namespace

CategoryEditor::CategoryEditor(QTreeWidget *tree, TreeNavigation &navigation, const QList<QIcon> &images,
                               Dialogs &dialogs, TDM &dm, QObject *parent)
    : QObject(parent), m_tree(tree), m_navigation(navigation), m_images(images), m_dialogs(dialogs), m_dm(dm)
{
    buildButtons();
}

void CategoryEditor::buildButtons()
{
    Panel4 = new QFrame;
    Panel4->setObjectName(QStringLiteral("Panel4"));
    Panel4->setFrameShape(QFrame::Panel);
    Panel4->setFrameShadow(QFrame::Sunken);
    Panel4->setFixedHeight(kPanelHeight);
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
}

QString CategoryEditor::nextCode(const QString &parentCode)
{
    const categorycodes::NextCode next = categorycodes::nextFreeCode(m_dm, parentCode);
    switch (next.status) {
    case categorycodes::NextCodeStatus::Ok:
        return next.code;
    case categorycodes::NextCodeStatus::ReadError:
        m_dialogs.showMessage(kReadError);
        return {};
    case categorycodes::NextCodeStatus::Full:
        m_dialogs.showMessage(kCodesFull);
        return {};
    }
    return {};
}

void CategoryEditor::addTopLevel()
{
    const QString typed = m_dialogs.inputBox(kAddRootCaption, kAddRootCaption, QString());
    if (typed.isEmpty())
        return;
    const QString name = categoryediting::storedName(typed);
    const QString code = nextCode(QString());
    if (code.isEmpty())
        return;
    const bool hadSelection = m_tree->currentItem() != nullptr;
    auto *node = new QTreeWidgetItem;
    node->setText(0, name);
    node->setIcon(0, m_images.value(kPictureFolder));
    treeview::setRecord(node, GoodsClass{code, QString(), name, 0});
    m_tree->addTopLevelItem(node);
    if (!addRow(node))
        return;
    // The first category of an empty tree is selected and shown, so that its answer can be
    // written at once.
    if (!hadSelection)
        m_navigation.showNode(m_tree->topLevelItem(0));
}

void CategoryEditor::addBelow()
{
    QTreeWidgetItem *parent = m_tree->currentItem();
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
    const QString code = nextCode(parentCode);
    if (code.isEmpty())
        return;
    auto *node = new QTreeWidgetItem(parent);
    node->setText(0, name);
    node->setIcon(0, m_images.value(kPictureBook));
    treeview::setRecord(node, GoodsClass{code, parentCode, name, level});
    if (!addRow(node))
        return;
    parent->setExpanded(true);
}

bool CategoryEditor::addRow(QTreeWidgetItem *node)
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

void CategoryEditor::renameSelected()
{
    QTreeWidgetItem *node = m_tree->currentItem();
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

void CategoryEditor::deleteSelected()
{
    QTreeWidgetItem *node = m_tree->currentItem();
    if (!node)
        return;
    if (node->childCount() > 0) {
        m_dialogs.showMessage(kHasChildren);
        return;
    }
    if (!m_dialogs.confirm(kDeleteCaption, kDeleteQuestion))
        return;
    try {
        categoryediting::remove(m_dm, treeview::recordOf(node).TypeCode);
    } catch (const FaqError &) {
        m_dialogs.showMessage(kDeleteError);
        return;
    }
    // The unsaved answer of a deleted category goes with it, as the user confirmed.
    m_navigation.removeNode(node);
}
