#pragma once

#include "answers/AnswerEditor.h"
#include "tree/CategoryCodes.h"
#include "tree/GoodsClass.h"

#include <QIcon>
#include <QList>
#include <QWidget>

class AnswerSession;
class AttachmentListModel;
class AttachmentPanel;
class AttachmentStore;
class CategoryEditor;
class Dialogs;
class QAction;
class QComboBox;
class QFrame;
class QGroupBox;
class QLabel;
class QMenu;
class QPushButton;
class QSplitter;
class QTabWidget;
class QTableView;
class QToolBar;
class QToolButton;
class QTreeWidget;
class QVBoxLayout;
class SingleExpand;
class TDM;
class TrayIcon;
class TreeNavigation;

// The one working window. It builds the layout, switches the workspace modes and wires the
// controls to their subsystems: the answer session shows categories and writes answers, the
// tree navigation keeps the selection and the shown category in step, and the category editor
// and the attachment panel handle their own buttons. The named handlers forward to them.
class TfrmMainFAQ : public QWidget
{
    Q_OBJECT
public:
    static const QString kCloseCaption;
    static const QString kCloseWithoutSaving;

    // Runs the creation handler. The data module may not be opened yet: nothing here touches
    // the database before the window is first shown.
    TfrmMainFAQ(Dialogs &dialogs, TDM &dm, QWidget *parent = nullptr);
    ~TfrmMainFAQ() override;

    // The controls under their names; those of the category editor and the attachment panel
    // point into those controllers.
    QToolBar *ToolBar = nullptr;
    QToolButton *ToolButton2 = nullptr;
    QToolButton *ToolButton3 = nullptr;
    QToolButton *TBDatabase = nullptr;
    QToolButton *TBHelp = nullptr;
    QToolButton *ToolButton7 = nullptr;
    QToolButton *tbClose = nullptr;
    QTabWidget *PageControl1 = nullptr;
    QWidget *TabSheet1 = nullptr;
    QWidget *TabSheet2 = nullptr;
    QFrame *Panel1 = nullptr;
    QFrame *Panel2 = nullptr;
    QGroupBox *GroupBox2 = nullptr;
    QFrame *Panel4 = nullptr;
    QFrame *Panel3 = nullptr;
    QToolButton *cmdAddRoot = nullptr;
    QToolButton *cndAddSon = nullptr;
    QToolButton *cmdEdit = nullptr;
    QToolButton *cmdDelete = nullptr;
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
    AttachmentListModel *dsFJ = nullptr;
    QPushButton *Button2 = nullptr;
    QPushButton *Button7 = nullptr;
    QPushButton *Button3 = nullptr;
    QPushButton *Button4 = nullptr;
    QPushButton *Button8 = nullptr;
    QFrame *Panel7 = nullptr;
    QLabel *Panel8 = nullptr;
    QLabel *PanelHint = nullptr;
    QLabel *Panel10 = nullptr;
    QMenu *PopupMenu2 = nullptr;
    QAction *MenuItem1 = nullptr;
    QAction *MenuItem2 = nullptr;
    QAction *N1 = nullptr;
    QAction *N2 = nullptr;
    QList<QIcon> ImageList1;
    // The tray's menu.
    QMenu *mnuPop = nullptr;
    QAction *mnuFormStu = nullptr;
    QAction *MenuItem8 = nullptr;

    bool FirstShow = false;
    // What the show/hide toggle did last (true: hid the window); a minimise leaves it alone.
    bool WindowHidden = false;
    // The category whose answer the editor shows and to which new attachments go (empty while
    // none is shown), and whether that answer changed since it was last written.
    const QString &CurrTypeCode() const;
    bool DocModified() const;

    // Shows a category from anywhere (a search result, the tray): its answer after the shown
    // one was written, its node selected. False when refused or when no node carries the code.
    bool showCategory(const QString &code);
    QString GetMaxNum(const QString &parentCode);
    AttachmentStore &attachmentStore() const;
    TrayIcon &trayIcon() const { return *m_tray; }
    // The desktop asks whether the session may end: a changed answer is written first; false
    // (the session should not end) when that fails. The window stays open either way.
    bool QueryEndSession();

signals:
    // The window has closed for good: the program ends.
    void closed();

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
    void mnuFormStuClick();
    void MenuItem8Click();
    void tbCloseClick();
    void RichEditExit();
    // Writes the shown answer when it changed; throws FaqError when it cannot be written.
    void SaveDoc();
    void ToolButton26Click();
    void Button5Click();
    void Button6Click();
    void cmdAddRootClick();
    void cndAddSonClick();
    void cmdEditClick();
    void cmdDeleteClick();
    void Button2Click();
    void Button7Click();
    void Button3Click();
    void Button4Click();
    void Button8Click();
    void DBGridEh1DblClick();
    // "历史版本..." of the editor's menu: the kept versions of the shown answer.
    void showAnswerHistory();

protected:
    void showEvent(QShowEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;
    void closeEvent(QCloseEvent *event) override;
    bool event(QEvent *event) override;

private:
    void buildToolBar(QVBoxLayout *root);
    void buildAnswerGroup();
    void buildCopyPanel();
    void buildTree();
    void buildPages(QVBoxLayout *root);
    void buildStatusBar(QVBoxLayout *root);
    void buildMenus();
    void wire();
    void moveInto(QWidget *control, QWidget *container, int index = -1);
    // True when the close may go on: a changed answer was written (or nothing changed), or,
    // when it could not be, the user chose to close without it after a warning naming it.
    bool FormCloseQuery();
    // The window closes: the tray icon goes, and the program ends.
    void FormClose();
    // The start place, fitted to the desktop's work area with the frame as now known.
    void placeAtStart();

    Dialogs &m_dialogs;
    TDM &m_dm;
    AnswerSession *m_session = nullptr;
    AttachmentPanel *m_attachments = nullptr;
    TreeNavigation *m_navigation = nullptr;
    SingleExpand *m_singleExpand = nullptr;
    CategoryEditor *m_categoryEditor = nullptr;
    TrayIcon *m_tray = nullptr;
};
