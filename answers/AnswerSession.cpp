#include "answers/AnswerSession.h"

#include "answers/AnswerDocument.h"
#include "answers/RtfCodec.h"
#include "common/FaqError.h"

#include <QApplication>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextDocumentFragment>
#include <QTextEdit>
#include <QTimer>

const QString AnswerSession::kNothingShownHint = QStringLiteral("请先选择或新建一个分类");
const QString AnswerSession::kBadCodeHint = QStringLiteral("该分类的代码无效（应为 4、8 或 12 位数字），其应答不能读取或保存");
const QString AnswerSession::kUnreadableHint = QStringLiteral("该分类的应答文档无法读取，不能在此修改");

AnswerSession::AnswerSession(QTextEdit *editor, FolderSource applicationFolder, QObject *parent)
    : QObject(parent), m_editor(editor), m_applicationFolder(std::move(applicationFolder))
{
    connect(qApp, &QApplication::focusChanged, this, &AnswerSession::onFocusChanged);
    showEmpty(kNothingShownHint);
}

bool AnswerSession::isModified() const
{
    return m_editor && m_editor->document()->isModified();
}

bool AnswerSession::select(const QString &code)
{
    if (code.isEmpty())
        return release();
    if (!write(SavePoint::Implicit))
        return false;
    load(code);
    return true;
}

bool AnswerSession::release()
{
    if (!write(SavePoint::Implicit))
        return false;
    showNothing();
    return true;
}

void AnswerSession::showNothing()
{
    m_currentCode.clear();
    showEmpty(kNothingShownHint);
    emit categoryShown(QString());
}

void AnswerSession::save()
{
    if (m_currentCode.isEmpty() || !isModified())
        return;
    const QByteArray rtf = writeRtf(*m_editor->document());
    if (m_writer)
        m_writer(m_currentCode, rtf);
    else
        answerdocument::writeFile(documentPath(m_currentCode), rtf);
    m_editor->document()->setModified(false);
}

void AnswerSession::replaceByUser(const QByteArray &document)
{
    if (m_currentCode.isEmpty() || m_editor->isReadOnly())
        return;
    QTextDocument version;
    version.setDefaultFont(m_editor->document()->defaultFont());
    answerdocument::read(document, &version);
    QTextCursor cursor(m_editor->document());
    cursor.beginEditBlock();
    cursor.select(QTextCursor::Document);
    cursor.removeSelectedText();
    cursor.insertFragment(QTextDocumentFragment(&version));
    cursor.endEditBlock();
    m_editor->moveCursor(QTextCursor::Start);
}

bool AnswerSession::saveReporting()
{
    return write(SavePoint::Explicit);
}

bool AnswerSession::write(SavePoint point)
{
    if (m_currentCode.isEmpty() || !isModified())
        return true;
    // Reported already while this event is handled: the same write would fail the same way.
    if (point == SavePoint::Implicit && m_failureReported)
        return false;
    try {
        save();
        return true;
    } catch (const FaqError &error) {
        emit saveFailed(error.message());
        // Set after the report: a message box runs its own event loop, which must not clear it.
        m_failureReported = true;
        QTimer::singleShot(0, this, [this] { m_failureReported = false; });
        return false;
    }
}

void AnswerSession::editorExit()
{
    write(SavePoint::Implicit);
}

void AnswerSession::stopWatchingFocus()
{
    disconnect(qApp, &QApplication::focusChanged, this, &AnswerSession::onFocusChanged);
}

void AnswerSession::onFocusChanged(QWidget *old, QWidget *now)
{
    if (m_editor && old == m_editor && now && now->window() == m_editor->window())
        editorExit();
}

void AnswerSession::load(const QString &code)
{
    if (documentPath(code).isEmpty()) {
        // A code written by something else than this program: shown, never read or written.
        m_currentCode = code;
        showEmpty(kBadCodeHint);
        emit categoryShown(code);
        return;
    }
    QTextDocument *doc = m_editor->document();
    const answerdocument::LoadResult result = answerdocument::load(documentPath(code), doc);
    // Undo must not bring the previous category's text into this one, and a load is no change.
    doc->clearUndoRedoStacks();
    doc->setModified(false);
    m_currentCode = code;
    // A document that exists but cannot be read is never overwritten from an empty editor.
    const bool readable = result != answerdocument::LoadResult::Unreadable;
    m_editor->setReadOnly(!readable);
    m_editor->setPlaceholderText(readable ? QString() : kUnreadableHint);
    m_editor->moveCursor(QTextCursor::Start);
    emit categoryShown(code);
}

void AnswerSession::showEmpty(const QString &hint)
{
    QTextDocument *doc = m_editor->document();
    doc->clear();
    doc->clearUndoRedoStacks();
    doc->setModified(false);
    // Nothing typed now could be kept anywhere, so nothing can be typed.
    m_editor->setReadOnly(true);
    m_editor->setPlaceholderText(hint);
}

QString AnswerSession::documentPath(const QString &code) const
{
    return answerdocument::path(m_applicationFolder(), code);
}
