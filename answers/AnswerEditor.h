#pragma once

#include <QTextEdit>

// The answer editor: rich text, its copy carries RTF beside HTML and plain text, and RTF
// pasted from other programs is read with our codec.
class AnswerEditor : public QTextEdit
{
    Q_OBJECT
public:
    static const QString kHistoryAction;

    explicit AnswerEditor(QWidget *parent = nullptr);

    // The context menu: the standard editing actions, then "历史版本...", which is enabled
    // while a category is shown. The caller owns the menu.
    QMenu *createContextMenu(const QPoint &position);
    void setHistoryAvailable(bool available) { m_historyAvailable = available; }

signals:
    void historyRequested();

protected:
    void contextMenuEvent(QContextMenuEvent *event) override;
    QMimeData *createMimeDataFromSelection() const override;
    bool canInsertFromMimeData(const QMimeData *source) const override;
    void insertFromMimeData(const QMimeData *source) override;

private:
    bool m_historyAvailable = false;
};
