#pragma once

#include <QTextEdit>

// The answer editor: rich text, its copy carries RTF beside HTML and plain text, and RTF
// pasted from other programs is read with our codec.
class AnswerEditor : public QTextEdit
{
    Q_OBJECT
public:
    explicit AnswerEditor(QWidget *parent = nullptr);

protected:
    QMimeData *createMimeDataFromSelection() const override;
    bool canInsertFromMimeData(const QMimeData *source) const override;
    void insertFromMimeData(const QMimeData *source) override;
};
