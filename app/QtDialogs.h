#pragma once

#include "common/Dialogs.h"

#include <memory>

class QMessageBox;

// The real modal boxes, with the program's conventions: OK-only messages without an icon under
// the application title; warnings with Yes as default and Esc for No; input boxes whose Cancel
// gives back the preset.
class QtDialogs : public Dialogs
{
public:
    explicit QtDialogs(QWidget *parent = nullptr) : m_parent(parent) {}
    void setParent(QWidget *parent) { m_parent = parent; }

    void showMessage(const QString &text) override;
    void showDetailedMessage(const QString &text, const QString &details) override;
    // The box that showDetailedMessage shows, built but not shown.
    static std::unique_ptr<QMessageBox> detailedMessageBox(const QString &text, const QString &details, QWidget *parent);
    void showError(const QString &text) override;
    bool confirm(const QString &caption, const QString &text) override;
    bool confirmLoss(const QString &caption, const QString &text) override;
    QString inputBox(const QString &caption, const QString &prompt, const QString &preset) override;
    QString openFileName(const QString &caption, const QString &filter) override;
    QString saveFileName(const QString &caption, const QString &filter, const QString &suggested) override;
    QString selectFolder(const QString &caption, const QString &start) override;
    bool chooseFont(QFont &font) override;
    bool chooseColor(QColor &color) override;

private:
    QWidget *m_parent;
};
