#pragma once

#include <QIcon>
#include <QList>
#include <QObject>
#include <QString>

class Dialogs;
class QFrame;
class QToolButton;
class QTreeWidget;
class QTreeWidgetItem;
class TDM;
class TreeNavigation;

// The category buttons under the tree in maintenance mode. Each asks the user, runs one change
// through categoryediting and then changes the one node it concerns; the tree is never
// reloaded. A deleted shown category hands over to its neighbour through the navigation.
class CategoryEditor : public QObject
{
    Q_OBJECT
public:
    CategoryEditor(QTreeWidget *tree, TreeNavigation &navigation, const QList<QIcon> &images, Dialogs &dialogs,
                   TDM &dm, QObject *parent = nullptr);

    // The strip of the four buttons, 41 pixels high, placed by the window below the tree.
    QFrame *Panel4 = nullptr;
    QToolButton *cmdAddRoot = nullptr;
    QToolButton *cndAddSon = nullptr;
    QToolButton *cmdEdit = nullptr;
    QToolButton *cmdDelete = nullptr;

    // The next free code under a parent, or empty (the message has been shown) when the
    // database cannot be read or the parent holds the greatest serial already.
    QString nextCode(const QString &parentCode);

    void addTopLevel();
    void addBelow();
    void renameSelected();
    void deleteSelected();

private:
    void buildButtons();
    // Writes the row of a node just added from its record; a failure removes the node again.
    bool addRow(QTreeWidgetItem *node);

    QTreeWidget *m_tree;
    TreeNavigation &m_navigation;
    QList<QIcon> m_images;
    Dialogs &m_dialogs;
    TDM &m_dm;
};
