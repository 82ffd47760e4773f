#pragma once

#include <QObject>
#include <QPointer>
#include <QString>

#include <functional>

class QTextEdit;
class QWidget;

// The one owner of the shown answer: which category the editor shows, whether its text changed
// since it was last written, and the points at which it is written. Everything that shows a
// category goes through select(), which writes a changed answer first and refuses when that
// write fails, so no text is replaced before it has reached its own file.
class AnswerSession : public QObject
{
    Q_OBJECT
public:
    // Grey hints in the empty, read-only editor.
    static const QString kNothingShownHint;
    static const QString kUnreadableHint;
    static const QString kBadCodeHint;

    using FolderSource = std::function<QString()>;
    // Writes a category's answer document; throws FaqError. The default writes the file alone.
    using DocumentWriter = std::function<void(const QString &code, const QByteArray &rtf)>;

    // applicationFolder gives the folder holding DB/, ending in '/'; it is asked at each load
    // and save, since the data module fixes it only after the window exists.
    AnswerSession(QTextEdit *editor, FolderSource applicationFolder, QObject *parent = nullptr);

    // The window writes through the answer history, which keeps the replaced document.
    void setDocumentWriter(DocumentWriter writer) { m_writer = std::move(writer); }

    // The category whose answer the editor shows; empty while none is shown.
    const QString &currentCode() const { return m_currentCode; }
    // The answer changed since it was loaded or last written (the document's own flag, so an
    // undo back to the written text makes it unchanged again).
    bool isModified() const;

    // Shows the category's answer (again, when it is the shown one). A changed answer of the
    // shown category is written first; when that fails, the failure is reported once through
    // saveFailed, nothing changes and false is returned.
    bool select(const QString &code);
    // Writes a changed answer, then shows nothing: the editor is emptied and read-only. False,
    // with nothing changed, when the write failed.
    bool release();
    // The shown category is gone: its unsaved text goes with it, and nothing is shown.
    void showNothing();

    // Writes the answer when it changed. Throws FaqError when it cannot be written.
    void save();
    // Puts a document (an earlier version) into the editor as a change of the user's: undo
    // takes it back, and the next save point writes it. Nothing while no category is shown.
    void replaceByUser(const QByteArray &document);
    // The save button: a failure is reported through saveFailed and false returned.
    bool saveReporting();
    // The close query: true when the window may close (nothing changed, or it was written).
    bool closeQuery() { return saveReporting(); }

    // The editor lost the focus to another control of its window: a save point. Losing it to
    // another window, a dialog or the tray is none.
    void editorExit();
    // Stops watching the focus; the window calls it before its controls are destroyed.
    void stopWatchingFocus();

signals:
    // A category was shown (its code), or nothing (an empty code).
    void categoryShown(const QString &code);
    // A changed answer could not be written; the text says why.
    void saveFailed(const QString &message);

private:
    // One click on the tree passes several save points on its way (the editor's loss of focus,
    // the new selection, the click itself). They are implicit: they share one report of a
    // failed write per event, and the next event tries again. The save button and the close
    // query are explicit: each always tries and reports.
    enum class SavePoint { Implicit, Explicit };
    bool write(SavePoint point);
    void onFocusChanged(QWidget *old, QWidget *now);
    void load(const QString &code);
    void showEmpty(const QString &hint);
    QString documentPath(const QString &code) const;

    QPointer<QTextEdit> m_editor;
    FolderSource m_applicationFolder;
    DocumentWriter m_writer;
    QString m_currentCode;
    // A failed write was reported during the event now being handled.
    bool m_failureReported = false;
};
