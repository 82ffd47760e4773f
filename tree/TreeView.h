#pragma once

#include "tree/CategoryRows.h"
#include "tree/GoodsClass.h"

#include <QIcon>
#include <QList>
#include <QObject>
#include <QPersistentModelIndex>

class QTreeWidget;
class QTreeWidgetItem;

// The category tree control: its fixed settings, its filling from rows and the record that
// every node carries.
namespace treeview {

// Read-only labels, indent 19, no sorting, selection kept visible without focus, 16x16 icons.
// Names are never cut: the tree scrolls sideways, and a node's tooltip is its whole name.
void configure(QTreeWidget *tree);

// Empties the tree and adds a node for every placement, in order. Expands nothing.
void fill(QTreeWidget *tree, const QList<GoodsClass> &rows, const QList<categoryrows::Placement> &placements,
          const QList<QIcon> &images);

// The record of a node; an empty record for a null item.
GoodsClass recordOf(const QTreeWidgetItem *item);
void setRecord(QTreeWidgetItem *item, const GoodsClass &record);

// The node whose record carries the code, or null.
QTreeWidgetItem *findByCode(QTreeWidget *tree, const QString &code);

} // namespace treeview

// Shows a node's whole name as its tooltip. Asked of the node under the pointer when the
// tooltip is due, so a tree of many thousand nodes stores no second copy of every name.
class NameToolTips : public QObject
{
    Q_OBJECT
public:
    explicit NameToolTips(QTreeWidget *tree);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    QTreeWidget *m_tree;
};

// Single-expand style: selecting a node expands it and collapses the branch that lost the
// selection. Suspended while the program itself selects nodes (a reload expands nothing).
// A selection made with the mouse is folded only after the button is released: collapsing
// at the press would move the rows under the pointer, and the release would then land on
// another node, so the click would never reach the node the user pressed.
// A click on the selected node expands it too, so a collapsed selected node opens at a click.
class SingleExpand : public QObject
{
    Q_OBJECT
public:
    explicit SingleExpand(QTreeWidget *tree);
    void setSuspended(bool suspended) { m_suspended = suspended; }

    // The selection moved and the move stands. Told by the navigation rather than taken from
    // the tree: a move that is refused and put back must open and fold nothing.
    void selectionMoved(QTreeWidgetItem *current, QTreeWidgetItem *previous);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void onClicked(QTreeWidgetItem *item);
    void applyPending();
    void fold(QTreeWidgetItem *current, QTreeWidgetItem *previous);

    QTreeWidget *m_tree;
    bool m_suspended = false;
    bool m_pending = false;
    QPersistentModelIndex m_pendingPrevious;
    QPersistentModelIndex m_pendingCurrent;
};
