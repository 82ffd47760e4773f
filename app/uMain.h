#pragma once

#include "answers/AnswerEditor.h"
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
    QToolButton *ToolButton26 = nullptr;
    AnswerEditor *RichEdit = nullptr;
    QFrame *Panel6 = nullptr;
    QPushButton *Button5 = nullptr;
    QPushButton *Button6 = nullptr;
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
    void TBHelpClick();
    void Panel10Click();
    void ToolButton7Click();

    // Answer documents and quick-answer copying
    void RichEditChange();
    void RichEditExit();
    // Writes the shown answer when it changed; throws FaqError when it cannot be written.
    void SaveDoc();
    void ToolButton26Click();
    void Button5Click();
    void Button6Click();

    // Category editing
    void cmdAddRootClick();
    void cndAddSonClick();
    void cmdEditClick();
    void cmdDeleteClick();
public:
    static const QString kAddRootCaption;
    static const QString kAddSonCaption;
    static const QString kRenameCaption;
    static const QString kTooDeep;
    static const QString kHasChildren;
    static const QString kDeleteCaption;
    static const QString kDeleteQuestion;
    static const QString kDeleteError;
    QToolButton *cmdAddRoot = nullptr;
    QToolButton *cndAddSon = nullptr;
    QToolButton *cmdEdit = nullptr;
    QToolButton *cmdDelete = nullptr;
private:
    void buildCategoryButtons();
    // Writes the row of a node just added from its record; a failure removes the node again.
    bool addCategoryRow(class QTreeWidgetItem *node);
    // The shown category was deleted: the editor, its code and the attachment list are emptied.
    void forgetShownCategory();

    // Attachments
public:
    static const QString kNoCategory;
    static const QString kCopyFailed;
    static const QString kPostFailed;
    static const QString kPickFileCaption;
    static const QString kPickFileFilter;
    static const QString kPickFolderCaption;
    static const QString kDeleteAttachmentCaption;
    static const QString kDeleteAttachmentQuestion;
    static const QString kFileCopiedAdvice;
    static const QString kImportFailed;
    static const QString kImportProgress;
    // Copies files into the data folder and keeps their rows; tests fix its clock.
    class AttachmentStore &attachmentStore() const { return *m_attachmentStore; }
public slots:
    void Button2Click();
    void Button7Click();
    void Button3Click();
    void Button4Click();
    void Button8Click();
    void DBGridEh1DblClick();
    // Files dropped on the list are attached one after another, as by "新增文档".
    void attachDroppedFiles(const QStringList &paths);
private:
    void wireAttachmentButtons();
    // The list's current row, or -1 when the list is empty.
    int currentAttachment() const;
    QString currentAttachmentPath() const;
    void attachOneFile(const QString &path);
    void showNewAttachment(const struct AttachmentRow &row);
    class AttachmentStore *m_attachmentStore = nullptr;

protected:
    void showEvent(QShowEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;
    void closeEvent(QCloseEvent *event) override;
    bool event(QEvent *event) override;

private:
    void buildToolBar(QVBoxLayout *root);
    void buildPages(QVBoxLayout *root);
    void buildAnswerGroup();
    void buildStatusBar(QVBoxLayout *root);
    void buildMenus();
    void moveInto(QWidget *control, QWidget *container, int index = -1);
    void buildCopyPanel();
    void onFocusChanged(QWidget *old, QWidget *now);
    void loadAnswer(const QString &code);
    bool holdBackClick();
    void returnToEditedCategory();
    // TreeClick without its save: shows the selected node's answer and attachments.
    void showSelectedCategory();
    // True when the close may go on: a changed answer was written (or nothing changed).
    bool FormCloseQuery();

    Dialogs &m_dialogs;
    TDM &m_dm;
    SingleExpand *m_singleExpand = nullptr;
    // The answer is being replaced by a load, which is no change of the user's.
    bool m_loadingAnswer = false;
    // The save at the editor's loss of focus failed and its error has been shown.
    bool m_exitSaveFailed = false;
};
