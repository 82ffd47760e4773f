#pragma once

#include "tree/CategoryCodes.h"
#include "tree/GoodsClass.h"

#include <QIcon>
#include <QList>
#include <QWidget>

class AttachmentListModel;
class Dialogs;
class QAction;
class QButtonGroup;
class QComboBox;
class QFrame;
class QGroupBox;
class QLabel;
class QMenu;
class QPushButton;
class QTabWidget;
class QTableView;
class QTextEdit;
class QToolBar;
class QToolButton;
class QTreeWidget;
class QVBoxLayout;
class SingleExpand;
class TDM;

// The one working window. It holds the controls under their names and the named handlers;
// each handler wires a control to the logic of its subsystem.
class TfrmMainFAQ : public QWidget
{
    Q_OBJECT
public:
    static const QString kReadError;
    static const QString kCodesFull;

    // Runs the creation handler. The data module may not be opened yet: nothing here touches
    // the database before the window is first shown.
    TfrmMainFAQ(Dialogs &dialogs, TDM &dm, QWidget *parent = nullptr);
    ~TfrmMainFAQ() override;

    // Toolbar
    QToolBar *ToolBar = nullptr;
    QToolButton *ToolButton2 = nullptr;
    QToolButton *ToolButton3 = nullptr;
    QToolButton *TBDatabase = nullptr;
    QToolButton *TBHelp = nullptr;
    QToolButton *ToolButton7 = nullptr;
    QToolButton *tbClose = nullptr;
    // Pages
    QTabWidget *PageControl1 = nullptr;
    QWidget *TabSheet1 = nullptr;
    QWidget *TabSheet2 = nullptr;
    QFrame *Panel1 = nullptr;
    QFrame *Panel2 = nullptr;
    QGroupBox *GroupBox2 = nullptr;
    QFrame *Panel4 = nullptr;
    QFrame *Panel3 = nullptr;
    // The tree and the answer group, which move between the pages
    QTreeWidget *Tree = nullptr;
    QGroupBox *GroupBoxEdit = nullptr;
    QToolBar *ToolBarEdit = nullptr;
    QComboBox *cmbFont = nullptr;
    QTextEdit *RichEdit = nullptr;
    QFrame *Panel6 = nullptr;
    QGroupBox *GroupBox5 = nullptr;
    QTableView *DBGridEh1 = nullptr;
    QPushButton *Button2 = nullptr;
    QPushButton *Button7 = nullptr;
    QPushButton *Button3 = nullptr;
    QPushButton *Button4 = nullptr;
    QPushButton *Button8 = nullptr;
    // Status bar
    QFrame *Panel7 = nullptr;
    QLabel *Panel8 = nullptr;
    QLabel *PanelHint = nullptr;
    QLabel *Panel10 = nullptr;
    // Data-maintenance menu
    QMenu *PopupMenu2 = nullptr;
    QAction *MenuItem1 = nullptr;
    QAction *MenuItem2 = nullptr;
    QAction *N1 = nullptr;
    QAction *N2 = nullptr;

    QList<QIcon> ImageList1;
    AttachmentListModel *dsFJ = nullptr;

    bool FirstShow = false;
    // The category whose answer the editor shows and to which new attachments go.
    QString CurrTypeCode;
    // The editor's content changed since it was last written.
    bool DocModified = false;

    // The next free code under a parent, or empty (the message has been shown) when the
    // database cannot be read or the parent holds the greatest serial already.
    QString GetMaxNum(const QString &parentCode);

public slots:
    void FormCreate();
    void FormShow();
    void FormActivate();
    void ReadyData();
    void TreeClick();
    void ToolButton2Click();
    void ToolButton3Click();
    void TBDatabaseClick();

protected:
    void showEvent(QShowEvent *event) override;
    bool event(QEvent *event) override;

private:
    void buildToolBar(QVBoxLayout *root);
    void buildPages(QVBoxLayout *root);
    void buildAnswerGroup();
    void buildStatusBar(QVBoxLayout *root);
    void buildMenus();
    void moveInto(QWidget *control, QWidget *container, int index = -1);

    Dialogs &m_dialogs;
    TDM &m_dm;
    SingleExpand *m_singleExpand = nullptr;
};
