// The main window's answer handlers: showing the clicked category's answer, the save points,
// and the two copy buttons.
#include "app/uMain.h"

#include "answers/AnswerDocument.h"
#include "answers/AnswerEditor.h"
#include "common/Dialogs.h"
#include "common/FaqError.h"
#include "storage/uDM.h"
#include "tree/TreeView.h"

#include <QCloseEvent>
#include <QFrame>
#include <QLabel>
#include <QPushButton>
#include <QTimer>
#include <QTreeWidget>
#include <QVBoxLayout>

namespace {
const QString kSelectionCopied = QStringLiteral("提示：选定内容已经复制到剪贴板！");
const QString kAllCopiedPrefix = QStringLiteral("提示：节点[");
const QString kAllCopiedSuffix = QStringLiteral("]的全部内容已经复制到剪贴板！");
const QString kAllCopiedNoNode = QStringLiteral("提示：全部内容已经复制到剪贴板！");
} // namespace

void TfrmMainFAQ::buildCopyPanel()
{
    Panel6 = new QFrame;
    Panel6->setObjectName(QStringLiteral("Panel6"));
    Panel6->setFrameShape(QFrame::Panel);
    Panel6->setFrameShadow(QFrame::Sunken);
    Panel6->setFixedWidth(90);
    auto *layout = new QVBoxLayout(Panel6);
    layout->setContentsMargins(5, 8, 5, 8);
    layout->setSpacing(8);
    Button5 = new QPushButton(QStringLiteral("复制"));
    Button5->setObjectName(QStringLiteral("Button5"));
    Button6 = new QPushButton(QStringLiteral("全选复制"));
    Button6->setObjectName(QStringLiteral("Button6"));
    for (QPushButton *button : {Button5, Button6}) {
        button->setFixedSize(80, 22);
        layout->addWidget(button);
    }
    layout->addStretch(1);
    Panel6->hide();
    connect(Button5, &QPushButton::clicked, this, &TfrmMainFAQ::Button5Click);
    connect(Button6, &QPushButton::clicked, this, &TfrmMainFAQ::Button6Click);

    // While a failed save holds the editor's category, the tree's selection stays on it.
    connect(Tree, &QTreeWidget::currentItemChanged, this, [this](QTreeWidgetItem *current) {
        if (m_exitSaveFailed && DocModified && current && treeview::recordOf(current).TypeCode != CurrTypeCode)
            QTimer::singleShot(0, this, [this] {
                if (m_exitSaveFailed && DocModified)
                    returnToEditedCategory();
            });
    });
}

void TfrmMainFAQ::onFocusChanged(QWidget *old, QWidget *now)
{
    if (now == RichEdit)
        m_exitSaveFailed = false;
    // Only a control of this window taking the focus is a save point; another program, a
    // dialog box or hiding the window is not.
    if (old == RichEdit && now && now->window() == this)
        RichEditExit();
}

void TfrmMainFAQ::RichEditChange()
{
    if (!m_loadingAnswer)
        DocModified = true;
}

void TfrmMainFAQ::RichEditExit()
{
    try {
        SaveDoc();
    } catch (const FaqError &error) {
        m_exitSaveFailed = true;
        m_dialogs.showError(error.message());
    }
}

void TfrmMainFAQ::SaveDoc()
{
    if (CurrTypeCode.isEmpty() || !DocModified)
        return;
    answerdocument::save(answerdocument::path(m_dm.applicationFolder(), CurrTypeCode), *RichEdit->document());
    DocModified = false;
}

void TfrmMainFAQ::ToolButton26Click()
{
    SaveDoc();
}

void TfrmMainFAQ::loadAnswer(const QString &code)
{
    m_loadingAnswer = true;
    answerdocument::load(answerdocument::path(m_dm.applicationFolder(), code), RichEdit->document());
    // Undo must not bring back the previous category's text under this code.
    RichEdit->document()->clearUndoRedoStacks();
    RichEdit->moveCursor(QTextCursor::Start);
    m_loadingAnswer = false;
}

bool TfrmMainFAQ::holdBackClick()
{
    if (!DocModified || CurrTypeCode.isEmpty()) {
        m_exitSaveFailed = false;
        return false;
    }
    // The editor may have lost the focus to nothing (a mode switch hides it for a moment), so
    // the unsaved answer is written here before another one replaces it.
    if (!m_exitSaveFailed) {
        try {
            SaveDoc();
            return false;
        } catch (const FaqError &error) {
            m_dialogs.showError(error.message());
        }
    }
    m_exitSaveFailed = false;
    // The answer could not be written: the click is held back.
    returnToEditedCategory();
    return true;
}

void TfrmMainFAQ::returnToEditedCategory()
{
    // The tree goes back to the category whose text the editor still holds.
    if (QTreeWidgetItem *editing = treeview::findByCode(Tree, CurrTypeCode)) {
        if (Tree->currentItem() != editing)
            Tree->setCurrentItem(editing);
    }
}

void TfrmMainFAQ::Button5Click()
{
    RichEdit->copy();
    RichEdit->setFocus();
    PanelHint->setText(kSelectionCopied);
}

void TfrmMainFAQ::Button6Click()
{
    RichEdit->selectAll();
    RichEdit->setFocus();
    RichEdit->copy();
    const QTreeWidgetItem *node = Tree->currentItem();
    PanelHint->setText(node ? kAllCopiedPrefix + node->text(0) + kAllCopiedSuffix : kAllCopiedNoNode);
}

bool TfrmMainFAQ::FormCloseQuery()
{
    try {
        SaveDoc();
    } catch (const FaqError &error) {
        m_dialogs.showError(error.message());
        return false;
    }
    return true;
}

void TfrmMainFAQ::closeEvent(QCloseEvent *event)
{
    if (FormCloseQuery())
        event->accept();
    else
        event->ignore();
}
