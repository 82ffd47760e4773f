#pragma once

#include "tree/CategoryRows.h"
#include "tree/GoodsClass.h"

#include <QIcon>
#include <QList>
#include <QObject>

class QTreeWidget;
class QTreeWidgetItem;

// The category tree control: its fixed settings, its filling from rows and the record that
// every node carries.
namespace treeview {

// Read-only labels, indent 19, no sorting, selection kept visible without focus, 16x16 icons.
void configure(QTreeWidget *tree);

// Empties the tree and adds a node for every placement, in order. Expands nothing.
void fill(QTreeWidget *tree, const QList<GoodsClass> &rows, const QList<categoryrows::Placement> &placements,
          const QList<QIcon> &images);

// The record of a node; an empty record for a null item.
GoodsClass recordOf(const QTreeWidgetItem *item);
void setRecord(QTreeWidgetItem *item, const GoodsClass &record);

} // namespace treeview

// Single-expand style: selecting a node expands it and collapses the branch that lost the
// selection. Suspended while the program itself selects nodes (a reload expands nothing).
class SingleExpand : public QObject
{
    Q_OBJECT
public:
    explicit SingleExpand(QTreeWidget *tree);
    void setSuspended(bool suspended) { m_suspended = suspended; }

private:
    void onCurrentChanged(QTreeWidgetItem *current, QTreeWidgetItem *previous);

    QTreeWidget *m_tree;
    bool m_suspended = false;
};
