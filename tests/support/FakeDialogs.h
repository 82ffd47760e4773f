#pragma once

#include "common/Dialogs.h"

#include <QQueue>
#include <QStringList>

// Answers the program's modal boxes from a script and records what was shown, so a test can
// check the exact messages in their order.
class FakeDialogs : public Dialogs
{
public:
    void showMessage(const QString &text) override { messages << text; shown << QStringLiteral("message:") + text; }
    void showError(const QString &text) override { errors << text; shown << QStringLiteral("error:") + text; }
    // Recorded as a message; its details are kept apart.
    void showDetailedMessage(const QString &text, const QString &details) override
    {
        showMessage(text);
        this->details << details;
    }
    bool confirm(const QString &caption, const QString &text) override;
    // Answered from confirmAnswers too; recorded with "loss:" before its text.
    bool confirmLoss(const QString &caption, const QString &text) override;
    QString inputBox(const QString &caption, const QString &prompt, const QString &preset) override;
    QString openFileName(const QString &caption, const QString &filter) override;
    QString saveFileName(const QString &caption, const QString &filter, const QString &suggested) override;
    QString selectFolder(const QString &caption, const QString &start) override;
    bool chooseFont(QFont &font) override;
    bool chooseColor(QColor &color) override;

    // Scripted answers, taken in order. An empty queue answers "cancel" / "No".
    QQueue<bool> confirmAnswers;
    QQueue<QString> inputAnswers;      // a null QString means Cancel (the preset comes back)
    QQueue<QString> fileAnswers;       // open and save file names
    QQueue<QString> folderAnswers;
    QQueue<QFont> fontAnswers;
    QQueue<QColor> colorAnswers;

    QStringList messages;
    QStringList details;               // of each detailed message
    QStringList errors;
    QStringList confirmations;         // caption + "|" + text of each warning box
    QStringList inputs;                // caption + "|" + prompt + "|" + preset of each input box
    QStringList shown;                 // every box in the order shown
};
