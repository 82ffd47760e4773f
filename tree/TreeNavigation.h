#pragma once

#include <QObject>
#include <QString>

#include <functional>

class QTreeWidget;
class SingleExpand;
class QTreeWidgetItem;

// Keeps the tree's selected node and the shown category in step. Whatever moves the selection
// (a click, the keyboard, the program) asks to show the selected node's category; when that is
// refused (the shown answer could not be written) the selection goes back to the category that
// is still shown. A click on the node already shown shows it again, read anew from its file.
class TreeNavigation : public QObject
{
    Q_OBJECT
public:
    struct Hooks
    {
        // Shows the category; false when refused, with nothing changed.
        std::function<bool(const QString &code)> show;
        // The category shown now; empty when none.
        std::function<QString()> shownCode;
        // The shown category is gone: its unsaved text goes with it and nothing is shown.
        std::function<void()> forgetShown;
    };

    // expansion is the tree's single-expand, told of every move of the selection that stands.
    TreeNavigation(QTreeWidget *tree, SingleExpand *expansion, Hooks hooks);

    // Selection changes made while a scope is alive (filling the tree) ask for nothing.
    class Quiet
    {
    public:
        explicit Quiet(TreeNavigation &navigation) : m_navigation(navigation), m_was(navigation.m_quiet)
        {
            navigation.m_quiet = true;
        }
        ~Quiet() { m_navigation.m_quiet = m_was; }
        Quiet(const Quiet &) = delete;
        Quiet &operator=(const Quiet &) = delete;

    private:
        TreeNavigation &m_navigation;
        bool m_was;
    };

    // Shows the selected node's category; false when nothing is selected or it was refused.
    bool showSelected();
    // Shows the node's category and selects the node; false (selection unchanged) when refused.
    bool showNode(QTreeWidgetItem *node);
    // The same for the node carrying the code; false when no node carries it.
    bool showCode(const QString &code);
    // Deletes a node. When it held the shown category, that category is forgotten and the
    // neighbour taking its place is shown: the next sibling, else the previous one, else the
    // parent; nothing when the tree is left empty.
    void removeNode(QTreeWidgetItem *node);
    // The node of the shown category, or null (the current node when it is that one).
    QTreeWidgetItem *shownNode() const;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void onCurrentChanged(QTreeWidgetItem *current, QTreeWidgetItem *previous);
    void onClicked(QTreeWidgetItem *item);
    bool request(QTreeWidgetItem *node);
    void selectQuietly(QTreeWidgetItem *node);
    void returnToShown();

    QTreeWidget *m_tree;
    SingleExpand *m_expansion;
    Hooks m_hooks;
    bool m_quiet = false;
    // The last press landed on the node already shown: its click shows it again.
    bool m_pressedOnShown = false;
};
