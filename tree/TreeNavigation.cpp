#include "tree/TreeNavigation.h"

#include "tree/TreeView.h"

#include <QEvent>
#include <QMouseEvent>
#include <QTimer>
#include <QTreeWidget>

namespace {

QString codeOf(const QTreeWidgetItem *node)
{
    return treeview::recordOf(node).TypeCode;
}

QTreeWidgetItem *neighbourOf(QTreeWidgetItem *node)
{
    QTreeWidgetItem *parent = node->parent();
    QTreeWidget *tree = node->treeWidget();
    const int index = parent ? parent->indexOfChild(node) : tree->indexOfTopLevelItem(node);
    const int count = parent ? parent->childCount() : tree->topLevelItemCount();
    auto sibling = [&](int at) { return parent ? parent->child(at) : tree->topLevelItem(at); };
    if (index + 1 < count)
        return sibling(index + 1);
    if (index > 0)
        return sibling(index - 1);
    return parent;
}

} // namespace

TreeNavigation::TreeNavigation(QTreeWidget *tree, SingleExpand *expansion, Hooks hooks)
    : QObject(tree), m_tree(tree), m_expansion(expansion), m_hooks(std::move(hooks))
{
    connect(tree, &QTreeWidget::currentItemChanged, this, &TreeNavigation::onCurrentChanged);
    connect(tree, &QTreeWidget::itemClicked, this, &TreeNavigation::onClicked);
    tree->viewport()->installEventFilter(this);
}

bool TreeNavigation::showSelected()
{
    QTreeWidgetItem *selected = m_tree->currentItem();
    return selected && request(selected);
}

bool TreeNavigation::showNode(QTreeWidgetItem *node)
{
    if (!node)
        return false;
    if (!m_hooks.show(codeOf(node))) {
        returnToShown();
        return false;
    }
    QTreeWidgetItem *previous = m_tree->currentItem();
    selectQuietly(node);
    if (previous != node)
        m_expansion->selectionMoved(node, previous);
    return true;
}

bool TreeNavigation::showCode(const QString &code)
{
    QTreeWidgetItem *current = m_tree->currentItem();
    return showNode(current && codeOf(current) == code ? current : treeview::findByCode(m_tree, code));
}

void TreeNavigation::removeNode(QTreeWidgetItem *node)
{
    const bool wasShown = codeOf(node) == m_hooks.shownCode();
    QTreeWidgetItem *neighbour = wasShown ? neighbourOf(node) : nullptr;
    if (wasShown)
        m_hooks.forgetShown();
    {
        // The tree moves its selection off a deleted node by itself; that move asks for nothing.
        Quiet quiet(*this);
        delete node;
    }
    if (neighbour)
        showNode(neighbour);
    else if (!wasShown)
        returnToShown();
}

QTreeWidgetItem *TreeNavigation::shownNode() const
{
    const QString shown = m_hooks.shownCode();
    if (shown.isEmpty())
        return nullptr;
    QTreeWidgetItem *current = m_tree->currentItem();
    return current && codeOf(current) == shown ? current : treeview::findByCode(m_tree, shown);
}

bool TreeNavigation::eventFilter(QObject *watched, QEvent *event)
{
    // Seen before the tree handles the press, so before the press moves the selection.
    if (event->type() == QEvent::MouseButtonPress) {
        const QTreeWidgetItem *at = m_tree->itemAt(static_cast<QMouseEvent *>(event)->position().toPoint());
        m_pressedOnShown = at && at == m_tree->currentItem() && codeOf(at) == m_hooks.shownCode();
    }
    return QObject::eventFilter(watched, event);
}

void TreeNavigation::onCurrentChanged(QTreeWidgetItem *current, QTreeWidgetItem *previous)
{
    if (m_quiet || !current)
        return;
    if (codeOf(current) != m_hooks.shownCode() && !request(current))
        return;
    m_expansion->selectionMoved(current, previous);
}

void TreeNavigation::onClicked(QTreeWidgetItem *item)
{
    // A click that moved the selection was shown at its press; one refused has moved it back.
    if (item != m_tree->currentItem() || !m_pressedOnShown)
        return;
    m_pressedOnShown = false;
    request(item);
}

bool TreeNavigation::request(QTreeWidgetItem *node)
{
    if (m_hooks.show(codeOf(node)))
        return true;
    // Put back once the tree has finished handling the event that moved it: done at once, a
    // press would go on to select the node it landed on.
    QTimer::singleShot(0, this, &TreeNavigation::returnToShown);
    return false;
}

void TreeNavigation::selectQuietly(QTreeWidgetItem *node)
{
    if (m_tree->currentItem() == node)
        return;
    Quiet quiet(*this);
    m_tree->setCurrentItem(node);
}

void TreeNavigation::returnToShown()
{
    // Going back opens and folds nothing: the rows stay where the user saw them, so the next
    // click lands where it is aimed.
    if (QTreeWidgetItem *shown = shownNode())
        selectQuietly(shown);
}
