#include "app/uMain.h"

#include "app/Browser.h"
#include "app/UserLocale.h"
#include "app/WindowGeometry.h"
#include "answers/AnswerEditor.h"
#include "attachments/AttachmentList.h"
#include "common/Dialogs.h"
#include "common/FaqError.h"
#include "storage/AppFolder.h"
#include "storage/uDM.h"
#include "tree/CategoryRows.h"
#include "tree/NodePictures.h"
#include "tree/TreeView.h"

#include <QAction>
#include <QApplication>
#include <QButtonGroup>
#include <QComboBox>
#include <QCoreApplication>
#include <QEvent>
#include <QFileInfo>
#include <QFontDatabase>
#include <QGuiApplication>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QMenu>
#include <QPushButton>
#include <QScreen>
#include <QStyle>
#include <QTabBar>
#include <QTabWidget>
#include <QTableView>
#include <QTextEdit>
#include <QToolBar>
#include <QToolButton>
#include <QTreeWidget>
#include <QVBoxLayout>

const QString TfrmMainFAQ::kReadError = QStringLiteral("读取数据出现错误。");
const QString TfrmMainFAQ::kCodesFull = QStringLiteral("该分类下的子分类已达到9999个，不能再添加。");

namespace {

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

} // namespace

TfrmMainFAQ::TfrmMainFAQ(Dialogs &dialogs, TDM &dm, QWidget *parent)
    : QWidget(parent), m_dialogs(dialogs), m_dm(dm)
{
    setObjectName(QStringLiteral("frmMainFAQ"));
    setWindowTitle(QStringLiteral("TarkelFAQvuviri"));
    QFont font(QStringLiteral("宋体"));
    font.setPixelSize(12);
    setFont(font);

    auto *root = fillLayout(this);
    buildToolBar(root);
    buildPages(root);
    buildStatusBar(root);
    buildMenus();
    connect(qApp, &QApplication::focusChanged, this, &TfrmMainFAQ::onFocusChanged);
    FormCreate();
}

TfrmMainFAQ::~TfrmMainFAQ()
{
    // Destroying the children moves the focus; by then this is no TfrmMainFAQ any more.
    disconnect(qApp, nullptr, this, nullptr);
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
    connect(tbClose, &QToolButton::clicked, this, &QWidget::close);
    connect(TBHelp, &QToolButton::clicked, this, &TfrmMainFAQ::TBHelpClick);
    connect(ToolButton7, &QToolButton::clicked, this, &TfrmMainFAQ::ToolButton7Click);

    root->addWidget(frame);
    root->addWidget(ToolBar);
    auto *below = panel("ToolBarLine", QFrame::Sunken);
    below->setFrameShape(QFrame::HLine);
    root->addWidget(below);
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
    auto *query = new QHBoxLayout(TabSheet1);
    query->setContentsMargins(0, 0, 0, 0);
    query->setSpacing(2);
    Panel1 = panel("Panel1");
    Panel1->setFixedWidth(157);
    fillLayout(Panel1);
    Panel2 = panel("Panel2");
    fillLayout(Panel2);
    query->addWidget(Panel1);
    query->addWidget(Panel2, 1);

    // Maintenance page: the tree with its editing strip on the left, the answer beside it.
    auto *maintenance = new QHBoxLayout(TabSheet2);
    maintenance->setContentsMargins(0, 0, 0, 0);
    maintenance->setSpacing(2);
    GroupBox2 = named(new QGroupBox(QStringLiteral("FAQ分类结构")), "GroupBox2");
    GroupBox2->setFixedWidth(201);
    auto *groupLayout = fillLayout(GroupBox2);
    Panel4 = panel("Panel4", QFrame::Sunken);
    Panel4->setFixedHeight(41);
    buildCategoryButtons();
    groupLayout->addWidget(Panel4);
    Panel3 = panel("Panel3");
    fillLayout(Panel3);
    maintenance->addWidget(GroupBox2);
    maintenance->addWidget(Panel3, 1);

    Tree = named(new QTreeWidget, "Tree");
    treeview::configure(Tree);
    m_singleExpand = new SingleExpand(Tree);
    ImageList1 = nodepictures::imageList();
    connect(Tree, &QTreeWidget::itemClicked, this, [this] { TreeClick(); });

    buildAnswerGroup();
    // Both start on the query page, so the window owns them from its creation on.
    moveInto(Tree, Panel1);
    moveInto(GroupBoxEdit, Panel2);
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
    connect(ToolButton26, &QToolButton::clicked, this, &TfrmMainFAQ::ToolButton26Click);
    ToolBarEdit->addWidget(ToolButton26);
    layout->addWidget(ToolBarEdit);

    auto *editorRow = new QHBoxLayout;
    editorRow->setSpacing(2);
    RichEdit = named(new AnswerEditor, "RichEdit");
    connect(RichEdit, &QTextEdit::textChanged, this, &TfrmMainFAQ::RichEditChange);
    editorRow->addWidget(RichEdit, 1);
    buildCopyPanel();
    editorRow->addWidget(Panel6);
    layout->addLayout(editorRow, 1);

    GroupBox5 = named(new QGroupBox(QStringLiteral("其他文件附件")), "GroupBox5");
    GroupBox5->setFixedHeight(150);
    auto *attachmentRow = new QHBoxLayout(GroupBox5);
    attachmentRow->setContentsMargins(2, 2, 2, 2);
    dsFJ = new AttachmentListModel(this);
    dsFJ->setObjectName(QStringLiteral("dsFJ"));
    DBGridEh1 = named(new QTableView, "DBGridEh1");
    DBGridEh1->setModel(dsFJ);
    DBGridEh1->setEditTriggers(QAbstractItemView::NoEditTriggers);
    DBGridEh1->setSelectionBehavior(QAbstractItemView::SelectRows);
    DBGridEh1->setSelectionMode(QAbstractItemView::SingleSelection);
    DBGridEh1->verticalHeader()->hide();
    DBGridEh1->setColumnHidden(AttachmentListModel::IdColumn, true);
    DBGridEh1->setColumnWidth(AttachmentListModel::NameColumn, 200);
    DBGridEh1->setColumnWidth(AttachmentListModel::TypeColumn, 84);
    attachmentRow->addWidget(DBGridEh1, 1);
    auto *buttons = new QVBoxLayout;
    buttons->setSpacing(2);
    auto button = [&](const char *name, const QString &caption) {
        auto *b = named(new QPushButton(caption), name);
        buttons->addWidget(b);
        return b;
    };
    Button2 = button("Button2", QStringLiteral("新增文档"));
    Button7 = button("Button7", QStringLiteral("目录导入"));
    Button3 = button("Button3", QStringLiteral("查看/修改"));
    Button4 = button("Button4", QStringLiteral("删除(&D)"));
    Button8 = button("Button8", QStringLiteral("复制文件"));
    buttons->addStretch(1);
    attachmentRow->addLayout(buttons);
    layout->addWidget(GroupBox5);
    wireAttachmentButtons();
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

void TfrmMainFAQ::FormCreate()
{
    writeUserDateTimeFormats();
    PageControl1->setCurrentIndex(0);
    PageControl1->tabBar()->hide();
    FirstShow = true;

    cmbFont->addItems(windowgeometry::fontNameList(QFontDatabase::families()));

    if (const QScreen *screen = QGuiApplication::primaryScreen()) {
        const QRect place = windowgeometry::initialPlacement(screen->size());
        move(place.topLeft());
        resize(place.size());
    }

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
    // Changing the flag hides the window; it is shown again at once, without a reload.
    setWindowFlag(Qt::WindowStaysOnTopHint, ToolButton7->isChecked());
    show();
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
}

void TfrmMainFAQ::ReadyData()
{
    // A reload shows the first category without saving or holding back for the one shown.
    m_exitSaveFailed = false;
    m_singleExpand->setSuspended(true);
    Tree->clear();
    QList<GoodsClass> rows;
    try {
        rows = categoryrows::readAll(m_dm);
    } catch (const FaqError &) {
        m_singleExpand->setSuspended(false);
        m_dialogs.showMessage(kReadError);
        return;
    }
    treeview::fill(Tree, rows, categoryrows::place(rows), ImageList1);
    if (Tree->topLevelItemCount() > 0) {
        Tree->setCurrentItem(Tree->topLevelItem(0));
        m_singleExpand->setSuspended(false);
        showSelectedCategory();
    }
    m_singleExpand->setSuspended(false);
}

void TfrmMainFAQ::TreeClick()
{
    QTreeWidgetItem *selected = Tree->currentItem();
    if (!selected)
        return;
    if (holdBackClick())
        return;
    showSelectedCategory();
}

void TfrmMainFAQ::showSelectedCategory()
{
    QTreeWidgetItem *selected = Tree->currentItem();
    if (!selected)
        return;
    const QString code = treeview::recordOf(selected).TypeCode;
    loadAnswer(code);
    CurrTypeCode = code;
    // A list that cannot be opened stays empty; the user sees no message for it.
    dsFJ->load(m_dm, CurrTypeCode);
}

QString TfrmMainFAQ::GetMaxNum(const QString &parentCode)
{
    const categorycodes::NextCode next = categorycodes::nextFreeCode(m_dm, parentCode);
    switch (next.status) {
    case categorycodes::NextCodeStatus::Ok:
        return next.code;
    case categorycodes::NextCodeStatus::ReadError:
        m_dialogs.showMessage(kReadError);
        return {};
    case categorycodes::NextCodeStatus::Full:
        m_dialogs.showMessage(kCodesFull);
        return {};
    }
    return {};
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
