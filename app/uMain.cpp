#include "app/uMain.h"

#include "answers/AnswerHistory.h"
#include "answers/AnswerHistoryDialog.h"
#include "answers/AnswerSession.h"
#include "answers/QuickCopy.h"
#include "app/AppIcon.h"
#include "app/Browser.h"
#include "app/TrayIcon.h"
#include "app/UserLocale.h"
#include "app/WindowGeometry.h"
#include "attachments/AttachmentPanel.h"
#include "common/Dialogs.h"
#include "common/FaqError.h"
#include "storage/AppFolder.h"
#include "storage/uDM.h"
#include "tree/CategoryEditor.h"
#include "tree/CategoryRows.h"
#include "tree/NodePictures.h"
#include "tree/TreeMessages.h"
#include "tree/TreeNavigation.h"
#include "tree/TreeView.h"

#include <QAction>
#include <QApplication>
#include <QButtonGroup>
#include <QCloseEvent>
#include <QComboBox>
#include <QCoreApplication>
#include <QEvent>
#include <QFileInfo>
#include <QFontDatabase>
#include <QGroupBox>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QMenu>
#include <QPushButton>
#include <QScreen>
#include <QSessionManager>
#include <QWindow>
#include <QSplitter>
#include <QStyle>
#include <QTabBar>
#include <QTabWidget>
#include <QTableView>
#include <QToolBar>
#include <QToolButton>
#include <QTreeWidget>
#include <QVBoxLayout>

const QString TfrmMainFAQ::kCloseCaption = QStringLiteral("警告");
const QString TfrmMainFAQ::kCloseWithoutSaving =
    QStringLiteral("分类[%1]的应答修改无法保存。\n不保存就退出吗？这些修改将会丢失！");

namespace {

// The tree's width at start on the query page and on the maintenance page; the user may widen
// it with the splitter for the rest of the session.
constexpr int kQueryTreeWidth = 157;
constexpr int kMaintenanceTreeWidth = 201;

template <typename T>
T *named(T *object, const char *name)
{
    object->setObjectName(QLatin1String(name));
    return object;
}

QFrame *panel(const char *name, QFrame::Shadow shadow = QFrame::Plain)
{
    auto *frame = named(new QFrame, name);
    frame->setFrameShape(shadow == QFrame::Plain ? QFrame::NoFrame : QFrame::Panel);
    frame->setFrameShadow(shadow);
    return frame;
}

QVBoxLayout *fillLayout(QWidget *owner)
{
    auto *layout = new QVBoxLayout(owner);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    return layout;
}

// A page split into the tree's side, at its starting width, and the answer's side, which takes
// what the window gains.
QSplitter *splitPage(QWidget *page, QWidget *treeSide, int treeWidth, QWidget *answerSide)
{
    auto *layout = fillLayout(page);
    auto *splitter = new QSplitter(Qt::Horizontal);
    splitter->setChildrenCollapsible(false);
    splitter->setHandleWidth(4);
    splitter->addWidget(treeSide);
    splitter->addWidget(answerSide);
    splitter->setStretchFactor(0, 0);
    splitter->setStretchFactor(1, 1);
    treeSide->setMinimumWidth(treeWidth);
    splitter->setSizes({treeWidth, 10 * treeWidth});
    layout->addWidget(splitter);
    return splitter;
}

} // namespace

TfrmMainFAQ::TfrmMainFAQ(Dialogs &dialogs, TDM &dm, QWidget *parent)
    : QWidget(parent), m_dialogs(dialogs), m_dm(dm)
{
    setObjectName(QStringLiteral("frmMainFAQ"));
    setWindowTitle(QStringLiteral("TarkelFAQvuviri"));
    setWindowIcon(appicon::icon());
    QFont font(QStringLiteral("宋体"));
    font.setPixelSize(12);
    setFont(font);

    auto *root = fillLayout(this);
    buildToolBar(root);
    buildAnswerGroup();
    buildTree();
    buildPages(root);
    buildStatusBar(root);
    buildMenus();
    m_tray = new TrayIcon(appicon::icon(), this);
    mnuPop = m_tray->mnuPop;
    mnuFormStu = m_tray->mnuFormStu;
    MenuItem8 = m_tray->MenuItem8;
    wire();
    FormCreate();
}

TfrmMainFAQ::~TfrmMainFAQ()
{
    // Destroying the children moves the focus; by then no answer may be written any more.
    m_session->stopWatchingFocus();
}

void TfrmMainFAQ::buildToolBar(QVBoxLayout *root)
{
    ToolBar = named(new QToolBar, "ToolBar");
    ToolBar->setToolButtonStyle(Qt::ToolButtonTextOnly);
    ToolBar->setMovable(false);
    ToolBar->setFloatable(false);
    auto *frame = panel("ToolBarFrame", QFrame::Sunken);
    frame->setFrameShape(QFrame::HLine);
    auto button = [this](const char *name, const QString &caption, bool checkable) {
        auto *b = named(new QToolButton, name);
        b->setText(caption);
        b->setCheckable(checkable);
        b->setAutoRaise(true);
        b->setFixedHeight(20);
        b->setFocusPolicy(Qt::NoFocus);
        ToolBar->addWidget(b);
        return b;
    };
    ToolButton2 = button("ToolButton2", QStringLiteral("FAQ查询应答"), true);
    ToolButton3 = button("ToolButton3", QStringLiteral("FAQ应答信息维护"), true);
    TBDatabase = button("TBDatabase", QStringLiteral("FAQ数据维护"), false);
    ToolBar->addSeparator();
    TBHelp = button("TBHelp", QStringLiteral("帮助"), false);
    TBHelp->setToolTip(QStringLiteral("帮助"));
    ToolButton7 = button("ToolButton7", QStringLiteral("始终最前"), true);
    ToolBar->addSeparator();
    tbClose = button("tbClose", QStringLiteral("退出"), false);

    // The two mode buttons behave as radio buttons: one of them is always down.
    auto *modes = new QButtonGroup(this);
    modes->setExclusive(true);
    modes->addButton(ToolButton2);
    modes->addButton(ToolButton3);
    ToolButton2->setChecked(true);

    connect(ToolButton2, &QToolButton::clicked, this, &TfrmMainFAQ::ToolButton2Click);
    connect(ToolButton3, &QToolButton::clicked, this, &TfrmMainFAQ::ToolButton3Click);
    connect(TBDatabase, &QToolButton::clicked, this, &TfrmMainFAQ::TBDatabaseClick);
    connect(tbClose, &QToolButton::clicked, this, &TfrmMainFAQ::tbCloseClick);
    connect(TBHelp, &QToolButton::clicked, this, &TfrmMainFAQ::TBHelpClick);
    connect(ToolButton7, &QToolButton::clicked, this, &TfrmMainFAQ::ToolButton7Click);

    root->addWidget(frame);
    root->addWidget(ToolBar);
    auto *below = panel("ToolBarLine", QFrame::Sunken);
    below->setFrameShape(QFrame::HLine);
    root->addWidget(below);
}

void TfrmMainFAQ::buildAnswerGroup()
{
    GroupBoxEdit = named(new QGroupBox(QStringLiteral("FAQ应答详细内容")), "GroupBoxEdit");
    auto *layout = new QVBoxLayout(GroupBoxEdit);
    layout->setContentsMargins(2, 2, 2, 2);
    layout->setSpacing(2);

    ToolBarEdit = named(new QToolBar, "ToolBarEdit");
    ToolBarEdit->setIconSize(QSize(16, 16));
    ToolBarEdit->setMovable(false);
    cmbFont = named(new QComboBox, "cmbFont");
    cmbFont->setEditable(true);
    cmbFont->setMaxVisibleItems(10);
    cmbFont->setFixedWidth(102);
    // Filled at creation; it applies fonts once the editing tools are wired to the editor.
    cmbFont->setEnabled(false);
    ToolBarEdit->addWidget(cmbFont);
    ToolBarEdit->addSeparator();
    ToolButton26 = named(new QToolButton, "ToolButton26");
    ToolButton26->setIcon(style()->standardIcon(QStyle::SP_DialogSaveButton));
    ToolButton26->setToolTip(QStringLiteral("保存"));
    ToolButton26->setAutoRaise(true);
    // Tool buttons leave the focus in the editor; the save is their own.
    ToolButton26->setFocusPolicy(Qt::NoFocus);
    ToolBarEdit->addWidget(ToolButton26);
    layout->addWidget(ToolBarEdit);

    auto *editorRow = new QHBoxLayout;
    editorRow->setSpacing(2);
    RichEdit = named(new AnswerEditor, "RichEdit");
    editorRow->addWidget(RichEdit, 1);
    buildCopyPanel();
    editorRow->addWidget(Panel6);
    layout->addLayout(editorRow, 1);

    m_session = new AnswerSession(RichEdit, [this] { return m_dm.applicationFolder(); }, this);
    // Every save keeps the document it replaces in the knowledge base's answer history.
    m_session->setDocumentWriter([this](const QString &code, const QByteArray &rtf) {
        answerhistory::writeDocument(m_dm, code, rtf);
    });
    m_attachments = new AttachmentPanel(m_dialogs, m_dm, this, this);
    GroupBox5 = m_attachments->GroupBox5;
    DBGridEh1 = m_attachments->DBGridEh1;
    dsFJ = m_attachments->dsFJ;
    Button2 = m_attachments->Button2;
    Button7 = m_attachments->Button7;
    Button3 = m_attachments->Button3;
    Button4 = m_attachments->Button4;
    Button8 = m_attachments->Button8;
    layout->addWidget(GroupBox5);
}

void TfrmMainFAQ::buildCopyPanel()
{
    Panel6 = panel("Panel6", QFrame::Sunken);
    Panel6->setFixedWidth(90);
    auto *layout = new QVBoxLayout(Panel6);
    layout->setContentsMargins(5, 8, 5, 8);
    layout->setSpacing(8);
    Button5 = named(new QPushButton(QStringLiteral("复制")), "Button5");
    Button6 = named(new QPushButton(QStringLiteral("全选复制")), "Button6");
    for (QPushButton *button : {Button5, Button6}) {
        button->setFixedSize(80, 22);
        layout->addWidget(button);
    }
    layout->addStretch(1);
    Panel6->hide();
}

void TfrmMainFAQ::buildTree()
{
    Tree = named(new QTreeWidget, "Tree");
    treeview::configure(Tree);
    ImageList1 = nodepictures::imageList();
    m_singleExpand = new SingleExpand(Tree);
    m_navigation = new TreeNavigation(Tree, m_singleExpand, {
        [this](const QString &code) { return m_session->select(code); },
        [this] { return m_session->currentCode(); },
        [this] { m_session->showNothing(); },
    });
    m_categoryEditor = new CategoryEditor(Tree, *m_navigation, ImageList1, m_dialogs, m_dm, this);
    Panel4 = m_categoryEditor->Panel4;
    cmdAddRoot = m_categoryEditor->cmdAddRoot;
    cndAddSon = m_categoryEditor->cndAddSon;
    cmdEdit = m_categoryEditor->cmdEdit;
    cmdDelete = m_categoryEditor->cmdDelete;
}

void TfrmMainFAQ::buildPages(QVBoxLayout *root)
{
    PageControl1 = named(new QTabWidget, "PageControl1");
    TabSheet1 = named(new QWidget, "TabSheet1");
    TabSheet2 = named(new QWidget, "TabSheet2");
    PageControl1->addTab(TabSheet1, QStringLiteral("FAQ查询应答"));
    PageControl1->addTab(TabSheet2, QStringLiteral("FAQ应答信息维护"));
    PageControl1->setDocumentMode(true);
    root->addWidget(PageControl1, 1);

    // Query page: the tree on the left, the answer filling the rest.
    Panel1 = panel("Panel1");
    fillLayout(Panel1);
    Panel2 = panel("Panel2");
    fillLayout(Panel2);
    splitPage(TabSheet1, Panel1, kQueryTreeWidth, Panel2);

    // Maintenance page: the tree with its editing strip on the left, the answer beside it.
    GroupBox2 = named(new QGroupBox(QStringLiteral("FAQ分类结构")), "GroupBox2");
    fillLayout(GroupBox2)->addWidget(Panel4);
    Panel3 = panel("Panel3");
    fillLayout(Panel3);
    splitPage(TabSheet2, GroupBox2, kMaintenanceTreeWidth, Panel3);

    // Both start on the query page, so the window owns them from its creation on.
    moveInto(Tree, Panel1);
    moveInto(GroupBoxEdit, Panel2);
}

void TfrmMainFAQ::buildStatusBar(QVBoxLayout *root)
{
    Panel7 = panel("Panel7", QFrame::Sunken);
    Panel7->setFixedHeight(20);
    auto *layout = new QHBoxLayout(Panel7);
    layout->setContentsMargins(1, 1, 1, 1);
    layout->setSpacing(2);
    Panel8 = named(new QLabel(QStringLiteral(" TarkelFAQ")), "Panel8");
    Panel8->setFixedWidth(72);
    PanelHint = named(new QLabel(QStringLiteral("提示：")), "PanelHint");
    PanelHint->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    // The hint must never widen the window, and on a narrow window it is worth more than the
    // banner: the banner gives up its width first so the hint can be read whole.
    PanelHint->setSizePolicy(QSizePolicy::Preferred, QSizePolicy::Preferred);
    PanelHint->setMinimumWidth(0);
    PanelHint->setStyleSheet(QStringLiteral("color: red;"));
    Panel10 = named(new QLabel(QStringLiteral("www.tarkel.cn  塔克尔软件：快速应答知识库 · Halvern 客户关系管理 · 网店订单助手")),
                    "Panel10");
    Panel10->setMaximumWidth(514);
    Panel10->setMinimumWidth(0);
    Panel10->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Preferred);
    Panel10->setStyleSheet(QStringLiteral("color: blue;"));
    Panel10->setCursor(Qt::PointingHandCursor);
    Panel10->installEventFilter(this);
    for (QLabel *label : {Panel8, PanelHint, Panel10}) {
        label->setFrameShape(QFrame::Panel);
        label->setFrameShadow(QFrame::Sunken);
        layout->addWidget(label, label == Panel10 ? 1 : 0);
    }
    root->addWidget(Panel7);
}

void TfrmMainFAQ::buildMenus()
{
    PopupMenu2 = named(new QMenu(this), "PopupMenu2");
    MenuItem1 = named(PopupMenu2->addAction(QStringLiteral("备份")), "MenuItem1");
    MenuItem2 = named(PopupMenu2->addAction(QStringLiteral("还原")), "MenuItem2");
    N1 = named(PopupMenu2->addSeparator(), "N1");
    N2 = named(PopupMenu2->addAction(QStringLiteral("数据清除")), "N2");
    // Backup, restore and clearing are wired by the data-maintenance commands as they arrive.
    for (QAction *action : {MenuItem1, MenuItem2, N2})
        action->setEnabled(false);
}

void TfrmMainFAQ::wire()
{
    connect(ToolButton26, &QToolButton::clicked, this, &TfrmMainFAQ::ToolButton26Click);
    connect(Button5, &QPushButton::clicked, this, &TfrmMainFAQ::Button5Click);
    connect(Button6, &QPushButton::clicked, this, &TfrmMainFAQ::Button6Click);
    connect(cmdAddRoot, &QToolButton::clicked, this, &TfrmMainFAQ::cmdAddRootClick);
    connect(cndAddSon, &QToolButton::clicked, this, &TfrmMainFAQ::cndAddSonClick);
    connect(cmdEdit, &QToolButton::clicked, this, &TfrmMainFAQ::cmdEditClick);
    connect(cmdDelete, &QToolButton::clicked, this, &TfrmMainFAQ::cmdDeleteClick);
    connect(Button2, &QPushButton::clicked, this, &TfrmMainFAQ::Button2Click);
    connect(Button7, &QPushButton::clicked, this, &TfrmMainFAQ::Button7Click);
    connect(Button3, &QPushButton::clicked, this, &TfrmMainFAQ::Button3Click);
    connect(Button4, &QPushButton::clicked, this, &TfrmMainFAQ::Button4Click);
    connect(Button8, &QPushButton::clicked, this, &TfrmMainFAQ::Button8Click);
    connect(DBGridEh1, &QAbstractItemView::doubleClicked, this, &TfrmMainFAQ::DBGridEh1DblClick);

    connect(m_session, &AnswerSession::categoryShown, m_attachments, &AttachmentPanel::showCategory);
    connect(m_session, &AnswerSession::categoryShown, RichEdit,
            [this](const QString &code) { RichEdit->setHistoryAvailable(!code.isEmpty()); });
    connect(RichEdit, &AnswerEditor::historyRequested, this, &TfrmMainFAQ::showAnswerHistory);
    connect(m_session, &AnswerSession::saveFailed, this, [this](const QString &message) {
        // A window hidden in the tray comes back with the error, so the user can put it right.
        if (WindowHidden)
            mnuFormStuClick();
        m_dialogs.showError(message);
    });
    connect(m_tray, &TrayIcon::toggleRequested, this, &TfrmMainFAQ::mnuFormStuClick);
    connect(m_tray, &TrayIcon::exitRequested, this, &TfrmMainFAQ::MenuItem8Click);
    connect(qApp, &QGuiApplication::commitDataRequest, this, [this](QSessionManager &manager) {
        if (!QueryEndSession())
            manager.cancel();
    });
    connect(m_attachments, &AttachmentPanel::hint, PanelHint, &QLabel::setText);
}

void TfrmMainFAQ::FormCreate()
{
    writeUserDateTimeFormats();
    PageControl1->setCurrentIndex(0);
    PageControl1->tabBar()->hide();
    FirstShow = true;

    cmbFont->addItems(windowgeometry::fontNameList(QFontDatabase::families()));

    placeAtStart();

    // The sibling product lives beside the executable; the data module has not fixed the
    // application folder yet, so the executable's own folder is asked directly.
    const QString sibling = appfolder::folderOf(QCoreApplication::applicationFilePath()) + QLatin1String(appfolder::kSiblingProduct);
    if (QFileInfo::exists(sibling)) {
        MenuItem1->setVisible(false);
        MenuItem2->setVisible(false);
        N1->setVisible(false);
    }
}

void TfrmMainFAQ::showEvent(QShowEvent *event)
{
    QWidget::showEvent(event);
    FormShow();
}

bool TfrmMainFAQ::event(QEvent *event)
{
    const bool handled = QWidget::event(event);
    if (event->type() == QEvent::WindowActivate)
        FormActivate();
    return handled;
}

bool TfrmMainFAQ::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == Panel10 && event->type() == QEvent::MouseButtonRelease) {
        Panel10Click();
        return true;
    }
    return QWidget::eventFilter(watched, event);
}

void TfrmMainFAQ::TBHelpClick()
{
    OpenWithBrowser(m_dm.path(QLatin1String(appfolder::kHelpPicture)));
}

void TfrmMainFAQ::Panel10Click()
{
    OpenWithBrowser(QLatin1String(kVendorSite));
}

void TfrmMainFAQ::ToolButton7Click()
{
    const Qt::WindowFlags flags = ToolButton7->isChecked() ? windowFlags() | Qt::WindowStaysOnTopHint
                                                           : windowFlags() & ~Qt::WindowStaysOnTopHint;
    if (QWindow *native = windowHandle()) {
        // Told to the window system in place. Setting the widget's flags would re-create the
        // native window, which loses its activation and with it the focus changes that are the
        // answer's save points.
        overrideWindowFlags(flags);
        native->setFlags(flags);
    } else {
        setWindowFlags(flags);
    }
}

void TfrmMainFAQ::placeAtStart()
{
    const QScreen *screen = QGuiApplication::primaryScreen();
    if (!screen)
        return;
    const QMargins frame = windowHandle() ? windowHandle()->frameMargins() : QMargins();
    const QRect place = windowgeometry::startPlacement(screen->geometry(), screen->availableGeometry(), frame);
    move(place.topLeft());
    resize(place.size());
}

void TfrmMainFAQ::mnuFormStuClick()
{
    if (WindowHidden) {
        placeAtStart();
        showNormal();
        raise();
        activateWindow();
    } else if (m_tray->isShown()) {
        hide();
    } else {
        // Without a tray icon nothing could bring a hidden window back.
        showMinimized();
    }
    WindowHidden = !WindowHidden;
}

void TfrmMainFAQ::MenuItem8Click()
{
    m_tray->RemoveIcon();
    if (close())
        return;
    // The close was stopped: the icon comes back, so the program can still be reached.
    m_tray->AddIcon();
}

void TfrmMainFAQ::tbCloseClick()
{
    close();
}

void TfrmMainFAQ::FormShow()
{
    if (!FirstShow)
        return;
    ReadyData();
    ToolButton2Click();
}

void TfrmMainFAQ::FormActivate()
{
    if (!FirstShow)
        return;
    FirstShow = false;
    m_tray->AddIcon();
    // Framed by now: the start place is fitted again with the frame's real margins.
    placeAtStart();
}

void TfrmMainFAQ::ReadyData()
{
    QList<GoodsClass> rows;
    {
        // Filling selects nothing that asks to be shown and expands nothing.
        TreeNavigation::Quiet quiet(*m_navigation);
        m_singleExpand->setSuspended(true);
        Tree->clear();
        try {
            rows = categoryrows::readAll(m_dm);
        } catch (const FaqError &) {
            m_singleExpand->setSuspended(false);
            m_dialogs.showMessage(treemessages::kReadError);
            return;
        }
        treeview::fill(Tree, rows, categoryrows::place(rows), ImageList1);
    }
    // The answer shown before is written first, as at any change of category.
    if (Tree->topLevelItemCount() > 0)
        m_navigation->showNode(Tree->topLevelItem(0));
    else
        m_session->release();
    m_singleExpand->setSuspended(false);
}

const QString &TfrmMainFAQ::CurrTypeCode() const
{
    return m_session->currentCode();
}

bool TfrmMainFAQ::DocModified() const
{
    return m_session->isModified();
}

bool TfrmMainFAQ::showCategory(const QString &code)
{
    return m_navigation->showCode(code);
}

QString TfrmMainFAQ::GetMaxNum(const QString &parentCode)
{
    return m_categoryEditor->nextCode(parentCode);
}

AttachmentStore &TfrmMainFAQ::attachmentStore() const
{
    return m_attachments->store();
}

void TfrmMainFAQ::TreeClick() { m_navigation->showSelected(); }
void TfrmMainFAQ::RichEditExit() { m_session->editorExit(); }
void TfrmMainFAQ::SaveDoc() { m_session->save(); }
void TfrmMainFAQ::ToolButton26Click() { m_session->saveReporting(); }
void TfrmMainFAQ::Button5Click() { PanelHint->setText(quickcopy::copySelection(RichEdit)); }

void TfrmMainFAQ::Button6Click()
{
    const QTreeWidgetItem *shown = m_navigation->shownNode();
    PanelHint->setText(quickcopy::copyWhole(RichEdit, shown ? shown->text(0) : QString()));
}

void TfrmMainFAQ::cmdAddRootClick() { m_categoryEditor->addTopLevel(); }
void TfrmMainFAQ::cndAddSonClick() { m_categoryEditor->addBelow(); }
void TfrmMainFAQ::cmdEditClick() { m_categoryEditor->renameSelected(); }
void TfrmMainFAQ::cmdDeleteClick() { m_categoryEditor->deleteSelected(); }
void TfrmMainFAQ::Button2Click() { m_attachments->addFile(); }
void TfrmMainFAQ::Button7Click() { m_attachments->importFolder(); }
void TfrmMainFAQ::Button3Click() { m_attachments->openCurrent(); }
void TfrmMainFAQ::DBGridEh1DblClick() { m_attachments->openCurrent(); }
void TfrmMainFAQ::Button4Click() { m_attachments->deleteCurrent(); }
void TfrmMainFAQ::Button8Click() { m_attachments->copyCurrent(); }

void TfrmMainFAQ::showAnswerHistory()
{
    const QString code = m_session->currentCode();
    if (code.isEmpty())
        return;
    QList<answerhistory::Version> versions;
    try {
        versions = answerhistory::versions(m_dm, code);
    } catch (const FaqError &error) {
        m_dialogs.showError(error.message());
        return;
    }
    const QTreeWidgetItem *shown = m_navigation->shownNode();
    auto *dialog = new AnswerHistoryDialog(shown ? shown->text(0) : code, versions,
                                           [this](qint64 id) { return answerhistory::content(m_dm, id); }, this);
    dialog->setAttribute(Qt::WA_DeleteOnClose);
    // Only into the category the dialog was opened for.
    connect(dialog, &AnswerHistoryDialog::restoreRequested, this, [this, code](const QByteArray &document) {
        if (m_session->currentCode() == code)
            m_session->replaceByUser(document);
    });
    dialog->open();
}

bool TfrmMainFAQ::FormCloseQuery()
{
    if (m_session->closeQuery())
        return true;
    // The error has been shown. A disk that stays full must not keep the user from quitting.
    const QTreeWidgetItem *shown = m_navigation->shownNode();
    const QString name = shown ? shown->text(0) : m_session->currentCode();
    return m_dialogs.confirmLoss(kCloseCaption, kCloseWithoutSaving.arg(name));
}

void TfrmMainFAQ::FormClose()
{
    m_tray->RemoveIcon();
    emit closed();
}

bool TfrmMainFAQ::QueryEndSession()
{
    return m_session->closeQuery();
}

void TfrmMainFAQ::closeEvent(QCloseEvent *event)
{
    if (!FormCloseQuery()) {
        event->ignore();
        return;
    }
    FormClose();
    event->accept();
}

void TfrmMainFAQ::moveInto(QWidget *control, QWidget *container, int index)
{
    if (control->parentWidget() == container)
        return;
    auto *layout = static_cast<QBoxLayout *>(container->layout());
    layout->insertWidget(index, control, 1);
    control->show();
}

void TfrmMainFAQ::ToolButton2Click()
{
    PageControl1->setCurrentIndex(0);
    moveInto(Tree, Panel1);
    moveInto(GroupBoxEdit, Panel2);
    ToolBarEdit->hide();
    Panel6->show();
    ToolButton2->setChecked(true);
}

void TfrmMainFAQ::ToolButton3Click()
{
    PageControl1->setCurrentIndex(1);
    moveInto(Tree, GroupBox2, 0);
    moveInto(GroupBoxEdit, Panel3);
    ToolBarEdit->show();
    Panel6->hide();
    ToolButton3->setChecked(true);
}

void TfrmMainFAQ::TBDatabaseClick()
{
    const QPoint at = windowgeometry::maintenanceMenuPoint(frameGeometry().topLeft(), TBDatabase->geometry());
    PopupMenu2->popup(at);
}
