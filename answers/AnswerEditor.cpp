#include "answers/AnswerEditor.h"

#include "answers/AnswerClipboard.h"
#include "answers/AnswerDocument.h"
#include "answers/RtfCodec.h"

#include <QAction>
#include <QContextMenuEvent>
#include <QMenu>
#include <QMimeData>
#include <QPalette>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextDocumentFragment>

#include <memory>

const QString AnswerEditor::kHistoryAction = QStringLiteral("历史版本...");

AnswerEditor::AnswerEditor(QWidget *parent)
    : QTextEdit(parent)
{
    setAcceptRichText(true);
    setLineWrapMode(QTextEdit::WidgetWidth);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    // Tab types a tab; the editor is left out when tabbing between controls.
    setTabChangesFocus(false);
    setFocusPolicy(Qt::StrongFocus);
    document()->setDefaultFont(answerdocument::defaultFont());
    setFont(answerdocument::defaultFont());
    // The selection shows only while the editor has the focus, as in the copy buttons' use:
    // they give the focus back to show what was copied.
    QPalette colours = palette();
    colours.setColor(QPalette::Inactive, QPalette::Highlight, colours.color(QPalette::Inactive, QPalette::Base));
    colours.setColor(QPalette::Inactive, QPalette::HighlightedText, colours.color(QPalette::Inactive, QPalette::Text));
    setPalette(colours);
}

QMenu *AnswerEditor::createContextMenu(const QPoint &position)
{
    QMenu *menu = createStandardContextMenu(position);
    menu->addSeparator();
    QAction *history = menu->addAction(kHistoryAction);
    history->setObjectName(QStringLiteral("mnuHistory"));
    history->setEnabled(m_historyAvailable);
    connect(history, &QAction::triggered, this, &AnswerEditor::historyRequested);
    return menu;
}

void AnswerEditor::contextMenuEvent(QContextMenuEvent *event)
{
    const std::unique_ptr<QMenu> menu(createContextMenu(event->pos()));
    menu->exec(event->globalPos());
}

QMimeData *AnswerEditor::createMimeDataFromSelection() const
{
    return answerclipboard::answerMimeData(textCursor().selection());
}

bool AnswerEditor::canInsertFromMimeData(const QMimeData *source) const
{
    return source->hasFormat(QLatin1String(answerclipboard::kRtfFormat)) || QTextEdit::canInsertFromMimeData(source);
}

void AnswerEditor::insertFromMimeData(const QMimeData *source)
{
    // HTML keeps more of what Qt's own editors put there; RTF is what Windows programs offer.
    if (!source->hasHtml() && source->hasFormat(QLatin1String(answerclipboard::kRtfFormat))) {
        QTextDocument pasted;
        if (readRtf(source->data(QLatin1String(answerclipboard::kRtfFormat)), &pasted)) {
            textCursor().insertFragment(QTextDocumentFragment(&pasted));
            ensureCursorVisible();
            return;
        }
    }
    QTextEdit::insertFromMimeData(source);
}
