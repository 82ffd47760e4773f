#pragma once

#include <QColor>
#include <QFont>
#include <QString>
#include <QStringList>

class QWidget;

// Every modal box the program shows goes through this interface, so that tests can answer
// them with a scripted fake and the conventions of the boxes live in one place.
class Dialogs
{
public:
    virtual ~Dialogs() = default;

    // OK-only box, no icon, the application title as caption.
    virtual void showMessage(const QString &text) = 0;
    // The same box for a long report: the text stays short, the whole of it (details) is in an
    // area the user can open.
    virtual void showDetailedMessage(const QString &text, const QString &details) = 0;
    // Error box of the general error handler.
    virtual void showError(const QString &text) = 0;
    // Warning box with Yes (default) and No; Esc answers No. True only for Yes.
    virtual bool confirm(const QString &caption, const QString &text) = 0;
    // Warning box for a choice that loses the user's work: No is the default and Esc answers No.
    virtual bool confirmLoss(const QString &caption, const QString &text) = 0;
    // Input box: caption, prompt, one edit field with the preset; Cancel returns the preset.
    virtual QString inputBox(const QString &caption, const QString &prompt, const QString &preset) = 0;
    // File and folder pickers; an empty result means the user cancelled.
    virtual QString openFileName(const QString &caption, const QString &filter) = 0;
    virtual QString saveFileName(const QString &caption, const QString &filter, const QString &suggested) = 0;
    virtual QString selectFolder(const QString &caption, const QString &start) = 0;
    // Font and colour pickers; false when cancelled.
    virtual bool chooseFont(QFont &font) = 0;
    virtual bool chooseColor(QColor &color) = 0;
};
