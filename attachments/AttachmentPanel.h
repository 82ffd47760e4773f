#pragma once

#include <QObject>
#include <QString>
#include <QStringList>

#include <memory>

class AttachmentListModel;
class AttachmentStore;
class ClipboardFolder;
class Dialogs;
class QGroupBox;
class QPushButton;
class QTableView;
class QWidget;
class TDM;
struct AttachmentRow;

// The attachment group below the answer: the list of the shown category's attachments and its
// five buttons, with the double click and file drops. The work is AttachmentStore's; the panel
// asks the user, shows the outcome and reports copies through hint().
class AttachmentPanel : public QObject
{
    Q_OBJECT
public:
    static const QString kNoCategory;
    static const QString kCopyFailed;
    static const QString kPostFailed;
    static const QString kPickFileCaption;
    static const QString kPickFileFilter;
    static const QString kPickFolderCaption;
    static const QString kDeleteAttachmentCaption;
    static const QString kDeleteAttachmentQuestion;
    static const QString kFileCopiedAdvice;
    static const QString kImportFailed;
    static const QString kImportProgress;
    static const QString kFileMissing;
    static const QString kNameRefused;
    static const QString kImportFailedMore;
    // How many failed names the import's message lists before it points to its details.
    static constexpr int kFailuresListed = 5;

    // window parents the progress dialog of a folder import.
    AttachmentPanel(Dialogs &dialogs, TDM &dm, QWidget *window, QObject *parent = nullptr);
    ~AttachmentPanel() override;

    QGroupBox *GroupBox5 = nullptr;
    QTableView *DBGridEh1 = nullptr;
    AttachmentListModel *dsFJ = nullptr;
    QPushButton *Button2 = nullptr;
    QPushButton *Button7 = nullptr;
    QPushButton *Button3 = nullptr;
    QPushButton *Button4 = nullptr;
    QPushButton *Button8 = nullptr;

    // Copies files into the data folder and keeps their rows; tests fix its clock.
    AttachmentStore &store() const { return *m_store; }

    // The category whose attachments the list shows and to which new ones go (empty: none).
    void showCategory(const QString &code);

    void addFile();
    void importFolder();
    // The import of a chosen or dropped folder.
    void importFrom(const QString &folder);
    void openCurrent();
    void deleteCurrent();
    void copyCurrent();
    // Files dropped on the list are attached one after another, as by "新增文档".
    void attachFiles(const QStringList &paths);

signals:
    // A sentence for the status bar's hint panel.
    void hint(const QString &text);

private:
    void build();
    // The list's current row, or -1 when the list is empty.
    int currentRow() const;
    // The current row's stored copy; empty when the list is empty or the copy is missing (which
    // has then been reported).
    QString currentPath();
    void attachOne(const QString &path);
    void showNewRow(const AttachmentRow &row);
    // The current attachment on the clipboard as a file under its own name; false (reported)
    // when that file could not be made.
    bool putOnClipboard(const QString &storedCopy);

    Dialogs &m_dialogs;
    TDM &m_dm;
    QWidget *m_window;
    AttachmentStore *m_store = nullptr;
    std::unique_ptr<ClipboardFolder> m_clipboardFolder;
    QString m_code;
};
