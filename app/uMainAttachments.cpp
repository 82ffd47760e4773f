// The attachment panel of the main window: its five buttons, the double click and file drops.
// The work is AttachmentStore's; these handlers ask the user and show the outcome.
#include "app/uMain.h"

#include "attachments/AttachmentList.h"
#include "attachments/AttachmentStore.h"
#include "attachments/FileDrop.h"
#include "attachments/uPub.h"
#include "common/Dialogs.h"

#include <QDir>
#include <QHeaderView>
#include <QLabel>
#include <QProgressDialog>
#include <QPushButton>
#include <QTableView>

const QString TfrmMainFAQ::kNoCategory = QStringLiteral("请先选择文件附件归属的FAQ分类结构！");
const QString TfrmMainFAQ::kCopyFailed = QStringLiteral("复制选定的文件失败！");
const QString TfrmMainFAQ::kPostFailed = QStringLiteral("保存附件记录失败，复制到数据目录的文件已删除！");
const QString TfrmMainFAQ::kPickFileCaption = QStringLiteral("选择附件文件");
// "*.*" as the label; the pattern "*" also takes names without a dot, which "*.*" matches on
// Windows but not elsewhere.
const QString TfrmMainFAQ::kPickFileFilter = QStringLiteral("*.* (*)");
const QString TfrmMainFAQ::kPickFolderCaption = QStringLiteral("选择要导入的目录：");
const QString TfrmMainFAQ::kDeleteAttachmentCaption = QStringLiteral("警告");
const QString TfrmMainFAQ::kDeleteAttachmentQuestion = QStringLiteral("您确认删除选定的附件吗？");
const QString TfrmMainFAQ::kFileCopiedAdvice =
    QStringLiteral("复制文件后，在QQ/旺旺等聊天窗口中，按Ctrl+V粘贴（或点鼠标右键粘贴），可自动发送文件给聊天对象！");
const QString TfrmMainFAQ::kImportFailed = QStringLiteral("以下文件没有导入：");
const QString TfrmMainFAQ::kImportProgress = QStringLiteral("正在导入文件 %1 / %2 ……");

void TfrmMainFAQ::wireAttachmentButtons()
{
    m_attachmentStore = new AttachmentStore(m_dm, this);
    m_attachmentStore->setObjectName(QStringLiteral("attachmentStore"));

    connect(Button2, &QPushButton::clicked, this, &TfrmMainFAQ::Button2Click);
    connect(Button7, &QPushButton::clicked, this, &TfrmMainFAQ::Button7Click);
    connect(Button3, &QPushButton::clicked, this, &TfrmMainFAQ::Button3Click);
    connect(Button4, &QPushButton::clicked, this, &TfrmMainFAQ::Button4Click);
    connect(Button8, &QPushButton::clicked, this, &TfrmMainFAQ::Button8Click);
    connect(DBGridEh1, &QAbstractItemView::doubleClicked, this, &TfrmMainFAQ::DBGridEh1DblClick);

    // The grid shows a row indicator and has a current row whenever it holds rows, as the
    // dataset it stands for always has one.
    DBGridEh1->verticalHeader()->show();
    DBGridEh1->verticalHeader()->setDefaultSectionSize(DBGridEh1->fontMetrics().height() + 6);
    DBGridEh1->horizontalHeader()->setDefaultAlignment(Qt::AlignCenter);
    connect(dsFJ, &QAbstractItemModel::modelReset, this, [this] {
        if (dsFJ->rowCount() > 0)
            DBGridEh1->setCurrentIndex(dsFJ->index(0, AttachmentListModel::NameColumn));
    });

    auto *drops = new FileDropFilter(DBGridEh1);
    DBGridEh1->viewport()->setAcceptDrops(true);
    DBGridEh1->viewport()->installEventFilter(drops);
    connect(drops, &FileDropFilter::filesDropped, this, &TfrmMainFAQ::attachDroppedFiles);
}

int TfrmMainFAQ::currentAttachment() const
{
    const int count = dsFJ->rowCount();
    if (count == 0)
        return -1;
    const int row = DBGridEh1->currentIndex().row();
    return row >= 0 && row < count ? row : 0;
}

QString TfrmMainFAQ::currentAttachmentPath() const
{
    const int row = currentAttachment();
    return row < 0 ? QString() : m_attachmentStore->storedPath(dsFJ->rows()[row].FileName);
}

void TfrmMainFAQ::showNewAttachment(const AttachmentRow &row)
{
    dsFJ->appendRow(row);
    const QModelIndex last = dsFJ->index(dsFJ->rowCount() - 1, AttachmentListModel::NameColumn);
    DBGridEh1->setCurrentIndex(last);
    DBGridEh1->scrollTo(last);
}

void TfrmMainFAQ::attachOneFile(const QString &path)
{
    const AttachOutcome outcome = m_attachmentStore->attachFile(CurrTypeCode, path);
    switch (outcome.status) {
    case AttachStatus::Attached:
        showNewAttachment(outcome.row);
        break;
    case AttachStatus::CopyFailed:
        m_dialogs.showMessage(kCopyFailed);
        break;
    case AttachStatus::PostFailed:
        m_dialogs.showMessage(kPostFailed);
        break;
    }
}

void TfrmMainFAQ::Button2Click()
{
    if (CurrTypeCode.isEmpty()) {
        m_dialogs.showMessage(kNoCategory);
        return;
    }
    const QString path = m_dialogs.openFileName(kPickFileCaption, kPickFileFilter);
    if (path.isEmpty())
        return;
    attachOneFile(path);
}

void TfrmMainFAQ::attachDroppedFiles(const QStringList &paths)
{
    if (paths.isEmpty())
        return;
    if (CurrTypeCode.isEmpty()) {
        m_dialogs.showMessage(kNoCategory);
        return;
    }
    for (const QString &path : paths)
        attachOneFile(path);
}

void TfrmMainFAQ::Button7Click()
{
    if (CurrTypeCode.isEmpty()) {
        m_dialogs.showMessage(kNoCategory);
        return;
    }
    QString folder;
    if (!SelectFolder(m_dialogs, kPickFolderCaption, folder))
        return;

    // Shown only when the import takes longer than half a second; Cancel stops between files.
    QProgressDialog progress(this);
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
    const ImportReport report = m_attachmentStore->importFolder(
        CurrTypeCode, folder, proceed, [this](const AttachmentRow &row) { showNewAttachment(row); });
    progress.close();

    if (!report.failed.isEmpty())
        m_dialogs.showMessage(kImportFailed + QLatin1Char('\n') + report.failed.join(QLatin1Char('\n')));
}

void TfrmMainFAQ::Button3Click()
{
    const QString path = currentAttachmentPath();
    if (path.isEmpty())
        return;
    CopyFileToClipboard(path);
    ShellOpenFile(path);
}

void TfrmMainFAQ::DBGridEh1DblClick()
{
    Button3Click();
}

void TfrmMainFAQ::Button4Click()
{
    const int row = currentAttachment();
    if (row < 0)
        return;
    if (!m_dialogs.confirm(kDeleteAttachmentCaption, kDeleteAttachmentQuestion))
        return;
    if (!m_attachmentStore->remove(dsFJ->rows()[row]))
        return;
    dsFJ->removeRowAt(row);
    const int count = dsFJ->rowCount();
    if (count > 0)
        DBGridEh1->setCurrentIndex(dsFJ->index(qMin(row, count - 1), AttachmentListModel::NameColumn));
}

void TfrmMainFAQ::Button8Click()
{
    const QString path = currentAttachmentPath();
    if (path.isEmpty())
        return;
    CopyFileToClipboard(path);
    m_dialogs.showMessage(kFileCopiedAdvice);
    PanelHint->setText(QStringLiteral("文件 ") + QDir::toNativeSeparators(path) + QStringLiteral("已经复制到剪贴板！"));
}
