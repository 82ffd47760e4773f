#include "attachments/AttachmentPanel.h"

#include "attachments/AttachmentList.h"
#include "attachments/AttachmentStore.h"
#include "attachments/ClipboardFolder.h"
#include "attachments/FileDrop.h"
#include "attachments/uPub.h"
#include "common/Dialogs.h"

#include <QDir>
#include <QFileInfo>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QProgressDialog>
#include <QPushButton>
#include <QTableView>
#include <QVBoxLayout>

const QString AttachmentPanel::kNoCategory = QStringLiteral("请先选择文件附件归属的FAQ分类结构！");
const QString AttachmentPanel::kCopyFailed = QStringLiteral("复制选定的文件失败！");
const QString AttachmentPanel::kPostFailed = QStringLiteral("保存附件记录失败，复制到数据目录的文件已删除！");
const QString AttachmentPanel::kPickFileCaption = QStringLiteral("选择附件文件");
// "*.*" as the label; the pattern "*" also takes names without a dot, which "*.*" matches on
// Windows but not elsewhere.
const QString AttachmentPanel::kPickFileFilter = QStringLiteral("*.* (*)");
const QString AttachmentPanel::kPickFolderCaption = QStringLiteral("选择要导入的目录：");
const QString AttachmentPanel::kDeleteAttachmentCaption = QStringLiteral("警告");
const QString AttachmentPanel::kDeleteAttachmentQuestion = QStringLiteral("您确认删除选定的附件吗？");
const QString AttachmentPanel::kFileCopiedAdvice =
    QStringLiteral("复制文件后，在QQ/旺旺等聊天窗口中，按Ctrl+V粘贴（或点鼠标右键粘贴），可自动发送文件给聊天对象！");
const QString AttachmentPanel::kImportFailed = QStringLiteral("以下文件没有导入：");
const QString AttachmentPanel::kImportFailedMore = QStringLiteral("……共 %1 个文件没有导入，全部文件名见详细信息。");
const QString AttachmentPanel::kNameRefused =
    QStringLiteral("附件[%1]记录的存储文件名“%2”不是数据目录中的文件名，程序不会打开、复制或删除它所指的文件。");
const QString AttachmentPanel::kFileMissing = QStringLiteral("附件文件不存在：");
const QString AttachmentPanel::kImportProgress = QStringLiteral("正在导入文件 %1 / %2 ……");

AttachmentPanel::AttachmentPanel(Dialogs &dialogs, TDM &dm, QWidget *window, QObject *parent)
    : QObject(parent), m_dialogs(dialogs), m_dm(dm), m_window(window)
{
    m_store = new AttachmentStore(m_dm, this);
    ClipboardFolder::removeStale(QDir::tempPath());
    m_clipboardFolder = std::make_unique<ClipboardFolder>();
    m_store->setObjectName(QStringLiteral("attachmentStore"));
    build();
}

void AttachmentPanel::build()
{
    GroupBox5 = new QGroupBox(QStringLiteral("其他文件附件"));
    GroupBox5->setObjectName(QStringLiteral("GroupBox5"));
    GroupBox5->setFixedHeight(150);
    auto *row = new QHBoxLayout(GroupBox5);
    row->setContentsMargins(2, 2, 2, 2);

    dsFJ = new AttachmentListModel(GroupBox5);
    dsFJ->setObjectName(QStringLiteral("dsFJ"));
    DBGridEh1 = new QTableView;
    DBGridEh1->setObjectName(QStringLiteral("DBGridEh1"));
    DBGridEh1->setModel(dsFJ);
    DBGridEh1->setEditTriggers(QAbstractItemView::NoEditTriggers);
    DBGridEh1->setSelectionBehavior(QAbstractItemView::SelectRows);
    DBGridEh1->setSelectionMode(QAbstractItemView::SingleSelection);
    DBGridEh1->setColumnHidden(AttachmentListModel::IdColumn, true);
    DBGridEh1->setColumnWidth(AttachmentListModel::NameColumn, 200);
    DBGridEh1->setColumnWidth(AttachmentListModel::TypeColumn, 84);
    // The grid shows a row indicator and has a current row whenever it holds rows, as the
    // dataset it stands for always has one.
    DBGridEh1->verticalHeader()->setDefaultSectionSize(DBGridEh1->fontMetrics().height() + 6);
    DBGridEh1->horizontalHeader()->setDefaultAlignment(Qt::AlignCenter);
    row->addWidget(DBGridEh1, 1);

    auto *buttons = new QVBoxLayout;
    buttons->setSpacing(2);
    auto button = [&](const char *name, const QString &caption) {
        auto *b = new QPushButton(caption);
        b->setObjectName(QLatin1String(name));
        buttons->addWidget(b);
        return b;
    };
    Button2 = button("Button2", QStringLiteral("新增文档"));
    Button7 = button("Button7", QStringLiteral("目录导入"));
    Button3 = button("Button3", QStringLiteral("查看/修改"));
    Button4 = button("Button4", QStringLiteral("删除(&D)"));
    Button8 = button("Button8", QStringLiteral("复制文件"));
    buttons->addStretch(1);
    row->addLayout(buttons);

    connect(dsFJ, &QAbstractItemModel::modelReset, this, [this] {
        if (dsFJ->rowCount() > 0)
            DBGridEh1->setCurrentIndex(dsFJ->index(0, AttachmentListModel::NameColumn));
    });
    auto *drops = new FileDropFilter(DBGridEh1);
    DBGridEh1->viewport()->setAcceptDrops(true);
    DBGridEh1->viewport()->installEventFilter(drops);
    connect(drops, &FileDropFilter::filesDropped, this, &AttachmentPanel::attachFiles);
    connect(drops, &FileDropFilter::folderDropped, this, &AttachmentPanel::importFrom);
}

void AttachmentPanel::showCategory(const QString &code)
{
    m_code = code;
    if (code.isEmpty())
        dsFJ->clear();
    else
        // A list that cannot be opened stays empty; the user sees no message for it.
        dsFJ->load(m_dm, code);
}

AttachmentPanel::~AttachmentPanel() = default;

int AttachmentPanel::currentRow() const
{
    const int count = dsFJ->rowCount();
    if (count == 0)
        return -1;
    const int row = DBGridEh1->currentIndex().row();
    return row >= 0 && row < count ? row : 0;
}

QString AttachmentPanel::currentPath()
{
    const int row = currentRow();
    if (row < 0)
        return QString();
    const AttachmentRow &attachment = dsFJ->rows()[row];
    const QString path = m_store->storedPath(attachment.FileName);
    if (path.isEmpty()) {
        m_dialogs.showMessage(kNameRefused.arg(attachment.FJName, attachment.FileName));
        return QString();
    }
    // Reported, not handed on: a chat program or file manager would fail on the paste.
    if (!QFileInfo(path).isFile()) {
        m_dialogs.showMessage(kFileMissing + attachment.FJName);
        return QString();
    }
    return path;
}

void AttachmentPanel::showNewRow(const AttachmentRow &row)
{
    dsFJ->appendRow(row);
    const QModelIndex last = dsFJ->index(dsFJ->rowCount() - 1, AttachmentListModel::NameColumn);
    DBGridEh1->setCurrentIndex(last);
    DBGridEh1->scrollTo(last);
}

void AttachmentPanel::attachOne(const QString &path)
{
    const AttachOutcome outcome = m_store->attachFile(m_code, path);
    switch (outcome.status) {
    case AttachStatus::Attached:
        showNewRow(outcome.row);
        break;
    case AttachStatus::CopyFailed:
        m_dialogs.showMessage(kCopyFailed);
        break;
    case AttachStatus::PostFailed:
        m_dialogs.showMessage(kPostFailed);
        break;
    }
}

void AttachmentPanel::addFile()
{
    if (m_code.isEmpty()) {
        m_dialogs.showMessage(kNoCategory);
        return;
    }
    const QString path = m_dialogs.openFileName(kPickFileCaption, kPickFileFilter);
    if (path.isEmpty())
        return;
    attachOne(path);
}

void AttachmentPanel::attachFiles(const QStringList &paths)
{
    if (paths.isEmpty())
        return;
    if (m_code.isEmpty()) {
        m_dialogs.showMessage(kNoCategory);
        return;
    }
    for (const QString &path : paths)
        attachOne(path);
}

void AttachmentPanel::importFolder()
{
    if (m_code.isEmpty()) {
        m_dialogs.showMessage(kNoCategory);
        return;
    }
    QString folder;
    if (!SelectFolder(m_dialogs, kPickFolderCaption, folder))
        return;
    importFrom(folder);
}

void AttachmentPanel::importFrom(const QString &folder)
{
    if (m_code.isEmpty()) {
        m_dialogs.showMessage(kNoCategory);
        return;
    }
    // Shown only when the import takes longer than half a second; Cancel stops between files.
    QProgressDialog progress(m_window);
    progress.setObjectName(QStringLiteral("ImportProgress"));
    progress.setWindowTitle(Button7->text());
    progress.setCancelButtonText(QStringLiteral("取消"));
    progress.setWindowModality(Qt::WindowModal);
    progress.setMinimumDuration(500);
    progress.setAutoReset(false);
    const auto proceed = [&](int done, int total) {
        progress.setMaximum(total);
        progress.setLabelText(kImportProgress.arg(done + 1 > total ? total : done + 1).arg(total));
        progress.setValue(done);
        return !progress.wasCanceled();
    };
    const ImportReport report =
        m_store->importFolder(m_code, folder, proceed, [this](const AttachmentRow &row) { showNewRow(row); });
    progress.close();

    if (report.failed.isEmpty())
        return;
    // A few names in the box, every name in its details: a box of 300 lines would not fit a screen.
    const QStringList first = report.failed.mid(0, kFailuresListed);
    const QString text = kImportFailed + QLatin1Char('\n') + first.join(QLatin1Char('\n'));
    if (report.failed.size() <= kFailuresListed)
        m_dialogs.showMessage(text);
    else
        m_dialogs.showDetailedMessage(text + QLatin1Char('\n') + kImportFailedMore.arg(report.failed.size()),
                                      report.failed.join(QLatin1Char('\n')));
}

bool AttachmentPanel::putOnClipboard(const QString &storedCopy)
{
    const AttachmentRow &attachment = dsFJ->rows()[currentRow()];
    QString error;
    const QString named = m_clipboardFolder->place(storedCopy, ClipboardFolder::fileName(attachment.FJName, attachment.ExdName), &error);
    if (named.isEmpty()) {
        m_dialogs.showMessage(kCopyFailed + QLatin1Char('\n') + error);
        return false;
    }
    CopyFileToClipboard(named);
    return true;
}

void AttachmentPanel::openCurrent()
{
    const QString path = currentPath();
    if (path.isEmpty())
        return;
    putOnClipboard(path);
    ShellOpenFile(path);
}

void AttachmentPanel::deleteCurrent()
{
    const int row = currentRow();
    if (row < 0)
        return;
    if (!m_dialogs.confirm(kDeleteAttachmentCaption, kDeleteAttachmentQuestion))
        return;
    const AttachmentRow attachment = dsFJ->rows()[row];
    if (!m_store->remove(attachment))
        return;
    dsFJ->removeRowAt(row);
    // The row is gone; what its name pointed at was left alone.
    if (m_store->storedPath(attachment.FileName).isEmpty() && !attachment.FileName.isEmpty())
        m_dialogs.showMessage(kNameRefused.arg(attachment.FJName, attachment.FileName));
    const int count = dsFJ->rowCount();
    if (count > 0)
        DBGridEh1->setCurrentIndex(dsFJ->index(qMin(row, count - 1), AttachmentListModel::NameColumn));
}

void AttachmentPanel::copyCurrent()
{
    const QString path = currentPath();
    if (path.isEmpty() || !putOnClipboard(path))
        return;
    m_dialogs.showMessage(kFileCopiedAdvice);
    emit hint(QStringLiteral("文件 ") + QDir::toNativeSeparators(path) + QStringLiteral("已经复制到剪贴板！"));
}
