#pragma once

#include "answers/AnswerHistory.h"

#include <QDialog>

#include <functional>

class QLabel;
class QPushButton;
class QTableWidget;
class QTextEdit;

// "历史版本": the kept versions of the shown category's answer (time, size, first line), a
// formatted preview of the selected one, and "恢复此版本", which hands it back to be put into
// the editor as a change of the user's.
class AnswerHistoryDialog : public QDialog
{
    Q_OBJECT
public:
    static const QString kTitle;
    static const QString kRestore;
    static const QString kNoVersions;

    // content gives a version's document; it may throw FaqError.
    using ContentSource = std::function<QByteArray(qint64 id)>;

    AnswerHistoryDialog(const QString &categoryName, const QList<answerhistory::Version> &versions,
                        ContentSource content, QWidget *parent = nullptr);

    QLabel *Caption = nullptr;
    QTableWidget *VersionList = nullptr;
    QTextEdit *VersionPreview = nullptr;
    QPushButton *RestoreVersion = nullptr;
    QPushButton *CloseButton = nullptr;

signals:
    void restoreRequested(const QByteArray &document);

private:
    void showSelected();
    void restoreSelected();

    QList<answerhistory::Version> m_versions;
    QList<QByteArray> m_documents;   // read once, as the list is filled
};
