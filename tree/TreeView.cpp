#include "tree/TreeView.h"

#include <QEvent>
#include <QGuiApplication>
#include <QHeaderView>
#include <QHelpEvent>
#include <QToolTip>
#include <QTimer>
#include <QPalette>
#include <QTreeWidget>
#include <QTreeWidgetItemIterator>

namespace treeview {

void configure(QTreeWidget *tree)
{
    tree->setColumnCount(1);
    tree->header()->hide();
    tree->setIndentation(19);
    tree->setIconSize(QSize(16, 16));
    tree->setEditTriggers(QAbstractItemView::NoEditTriggers);
    tree->setSortingEnabled(false);
    tree->setSelectionMode(QAbstractItemView::SingleSelection);
    tree->setUniformRowHeights(true);
    // Whole names: the column is as wide as the widest name shown, and the tree scrolls
    // sideways rather than cutting names short with "…".
    tree->setTextElideMode(Qt::ElideNone);
    tree->header()->setStretchLastSection(false);
    tree->header()->setSectionResizeMode(0, QHeaderView::ResizeToContents);
    tree->setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    tree->setHorizontalScrollMode(QAbstractItemView::ScrollPerPixel);
    new NameToolTips(tree);
    // The selected node stays highlighted while the tree has no focus.
    QPalette palette = tree->palette();
    palette.setColor(QPalette::Inactive, QPalette::Highlight, palette.color(QPalette::Active, QPalette::Highlight));
    palette.setColor(QPalette::Inactive, QPalette::HighlightedText, palette.color(QPalette::Active, QPalette::HighlightedText));
    tree->setPalette(palette);
}

void fill(QTreeWidget *tree, const QList<GoodsClass> &rows, const QList<categoryrows::Placement> &placements,
          const QList<QIcon> &images)
{
    tree->clear();
    QList<QTreeWidgetItem *> items;
    items.reserve(placements.size());
    QList<QTreeWidgetItem *> topLevel;
    for (const categoryrows::Placement &placement : placements) {
        const GoodsClass &row = rows[placement.row];
        auto *item = placement.parent < 0 ? new QTreeWidgetItem : new QTreeWidgetItem(items[placement.parent]);
        item->setText(0, row.TypeName);
        item->setIcon(0, images.value(placement.picture));
        setRecord(item, row);
        items.append(item);
        if (placement.parent < 0)
            topLevel.append(item);
    }
    // Added in one call: inserting top-level nodes one by one costs a view update each.
    tree->addTopLevelItems(topLevel);
}

GoodsClass recordOf(const QTreeWidgetItem *item)
{
    return item ? item->data(0, Qt::UserRole).value<GoodsClass>() : GoodsClass{};
}

void setRecord(QTreeWidgetItem *item, const GoodsClass &record)
{
    item->setData(0, Qt::UserRole, QVariant::fromValue(record));
}

QTreeWidgetItem *findByCode(QTreeWidget *tree, const QString &code)
{
    for (QTreeWidgetItemIterator it(tree); *it; ++it) {
        if (recordOf(*it).TypeCode == code)
            return *it;
    }
    return nullptr;
}

} // namespace treeview

NameToolTips::NameToolTips(QTreeWidget *tree)
    : QObject(tree), m_tree(tree)
{
    tree->viewport()->installEventFilter(this);
}

bool NameToolTips::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() != QEvent::ToolTip)
        return QObject::eventFilter(watched, event);
    const auto *help = static_cast<QHelpEvent *>(event);
    if (const QTreeWidgetItem *item = m_tree->itemAt(help->pos()))
        QToolTip::showText(help->globalPos(), item->text(0), m_tree->viewport(), m_tree->visualItemRect(item));
    else
        QToolTip::hideText();
    return true;
}

SingleExpand::SingleExpand(QTreeWidget *tree)
    : QObject(tree), m_tree(tree)
{
    connect(tree, &QTreeWidget::itemClicked, this, &SingleExpand::onClicked);
    tree->viewport()->installEventFilter(this);
}

bool SingleExpand::eventFilter(QObject *watched, QEvent *event)
{
    // Runs after the tree has handled the release (and sent its click).
    if (m_pending && event->type() == QEvent::MouseButtonRelease)
        QTimer::singleShot(0, this, &SingleExpand::applyPending);
    return QObject::eventFilter(watched, event);
}

void SingleExpand::selectionMoved(QTreeWidgetItem *current, QTreeWidgetItem *previous)
{
    if (m_suspended)
        return;
    if (QGuiApplication::mouseButtons() != Qt::NoButton) {
        if (!m_pending)
            m_pendingPrevious = previous ? m_tree->indexFromItem(previous) : QModelIndex();
        m_pendingCurrent = current ? m_tree->indexFromItem(current) : QModelIndex();
        m_pending = true;
        return;
    }
    fold(current, previous);
}

void SingleExpand::onClicked(QTreeWidgetItem *item)
{
    if (!m_suspended && item == m_tree->currentItem() && item->childCount() > 0)
        item->setExpanded(true);
}

void SingleExpand::applyPending()
{
    if (!m_pending)
        return;
    m_pending = false;
    // The selection moved on since the press (it was put back): that move folded nothing.
    if (m_tree->currentItem() != m_tree->itemFromIndex(m_pendingCurrent))
        return;
    fold(m_tree->currentItem(), m_pendingPrevious.isValid() ? m_tree->itemFromIndex(m_pendingPrevious) : nullptr);
}

void SingleExpand::fold(QTreeWidgetItem *current, QTreeWidgetItem *previous)
{
    auto isAncestorOrSelf = [](const QTreeWidgetItem *node, const QTreeWidgetItem *of) {
        for (const QTreeWidgetItem *walk = of; walk; walk = walk->parent()) {
            if (walk == node)
                return true;
        }
        return false;
    };
    for (QTreeWidgetItem *walk = previous; walk; walk = walk->parent()) {
        if (!isAncestorOrSelf(walk, current))
            walk->setExpanded(false);
    }
    if (current)
        current->setExpanded(true);
}
