// The answer session alone, on a bare editor over a data folder of its own: what select() writes
// and refuses, and what a load leaves behind.
#include "TestFiles.h"
#include "answers/AnswerSession.h"
#include "answers/RtfCodec.h"
#include "common/FaqError.h"

#include <QDir>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextEdit>

namespace {

// A data folder on a path with Chinese characters and blanks, with two answers in it.
struct Folder
{
    QTemporaryDir root{QDir::tempPath() + QStringLiteral("/应答 会话 XXXXXX")};
    QString app() const { return root.path() + QLatin1Char('/'); }
    QString document(const QString &code) const { return app() + QStringLiteral("DB/") + code + QStringLiteral(".rtf"); }

    Folder()
    {
        writeAnswer(QStringLiteral("0001"), QStringLiteral("一号答案"));
        writeAnswer(QStringLiteral("0002"), QStringLiteral("二号答案"));
    }
    void writeAnswer(const QString &code, const QString &text) const
    {
        QTextDocument doc;
        doc.setPlainText(text);
        writeBytes(document(code), writeRtf(doc));
    }
    QString answer(const QString &code) const
    {
        QTextDocument doc;
        return readRtf(readBytes(document(code)), &doc) ? doc.toPlainText() : QStringLiteral("<not rtf>");
    }
    // A folder where the document should be: it can be neither read nor replaced, even by root.
    void block(const QString &code) const
    {
        QFile::remove(document(code));
        QDir().mkpath(document(code) + QStringLiteral("/blocker"));
    }
    void unblock(const QString &code) const { QDir(document(code)).removeRecursively(); }
};

struct Session
{
    QTextEdit editor;
    AnswerSession session;
    QSignalSpy failures{&session, &AnswerSession::saveFailed};
    QSignalSpy shown{&session, &AnswerSession::categoryShown};

    explicit Session(const Folder &folder)
        : session(&editor, [app = folder.app()] { return app; })
    {
    }
    void type(const QString &text)
    {
        QTextCursor cursor(editor.document());
        cursor.movePosition(QTextCursor::End);
        cursor.insertText(text);
    }
};

} // namespace

class TestAnswerSession : public QObject
{
    Q_OBJECT
private slots:
    void startsShowingNothing();
    void selectWritesTheChangedAnswerFirst();
    void failedWriteRefusesAndKeepsTheCategory();
    void explicitSavePointsAlwaysTryAgain();
    void loadLeavesTheDocumentUnchanged();
    void undoCannotReachThePreviousCategory();
    void undoBackToTheWrittenTextNeedsNoWrite();
    void unreadableDocumentIsShownReadOnly();
    void showNothingDropsTheTextAndReleaseWritesIt();
};

void TestAnswerSession::startsShowingNothing()
{
    Folder folder;
    Session s(folder);
    QVERIFY(s.session.currentCode().isEmpty());
    QVERIFY(s.editor.isReadOnly());
    QCOMPARE(s.editor.placeholderText(), AnswerSession::kNothingShownHint);
    // Text put in by the program while nothing is shown has nowhere to go and is never written.
    s.type(QStringLiteral("无处可存"));
    QVERIFY(s.session.saveReporting());
    QVERIFY(s.session.select(QStringLiteral("0001")));
    QCOMPARE(s.editor.toPlainText(), QStringLiteral("一号答案"));
    QVERIFY(!s.editor.isReadOnly());
    QVERIFY(s.editor.placeholderText().isEmpty());
    QCOMPARE(s.shown.size(), 1);
    QCOMPARE(s.shown.at(0).at(0).toString(), QStringLiteral("0001"));
}

void TestAnswerSession::selectWritesTheChangedAnswerFirst()
{
    Folder folder;
    Session s(folder);
    QVERIFY(s.session.select(QStringLiteral("0001")));
    s.type(QStringLiteral("+包邮"));
    QVERIFY(s.session.isModified());

    QVERIFY(s.session.select(QStringLiteral("0002")));
    QCOMPARE(folder.answer(QStringLiteral("0001")), QStringLiteral("一号答案+包邮"));
    QCOMPARE(folder.answer(QStringLiteral("0002")), QStringLiteral("二号答案"));
    QCOMPARE(s.editor.toPlainText(), QStringLiteral("二号答案"));
    QCOMPARE(s.session.currentCode(), QStringLiteral("0002"));
    QVERIFY(!s.session.isModified());

    // The shown category again: read anew from its file, after its change was written.
    s.type(QStringLiteral("+再"));
    QVERIFY(s.session.select(QStringLiteral("0002")));
    QCOMPARE(s.editor.toPlainText(), QStringLiteral("二号答案+再"));
    QCOMPARE(folder.answer(QStringLiteral("0002")), QStringLiteral("二号答案+再"));
    // A category without a file shows an empty answer and gets no file from being shown.
    QVERIFY(s.session.select(QStringLiteral("0003")));
    QVERIFY(s.editor.toPlainText().isEmpty());
    QVERIFY(!QFile::exists(folder.document(QStringLiteral("0003"))));
    QVERIFY(s.failures.isEmpty());
}

void TestAnswerSession::failedWriteRefusesAndKeepsTheCategory()
{
    Folder folder;
    Session s(folder);
    QVERIFY(s.session.select(QStringLiteral("0001")));
    s.type(QStringLiteral("+重要"));
    folder.block(QStringLiteral("0001"));

    QVERIFY(!s.session.select(QStringLiteral("0002")));
    QCOMPARE(s.failures.size(), 1);
    QVERIFY(s.failures.at(0).at(0).toString().contains(QStringLiteral("0001.rtf")));
    QCOMPARE(s.session.currentCode(), QStringLiteral("0001"));
    QCOMPARE(s.editor.toPlainText(), QStringLiteral("一号答案+重要"));
    QVERIFY(s.session.isModified());
    QCOMPARE(s.shown.size(), 1);

    // The other save points of the same event share that one report.
    s.session.editorExit();
    QVERIFY(!s.session.select(QStringLiteral("0002")));
    QCOMPARE(s.failures.size(), 1);

    // The next event tries again and reports again.
    QCoreApplication::processEvents();
    QVERIFY(!s.session.select(QStringLiteral("0002")));
    QCOMPARE(s.failures.size(), 2);

    folder.unblock(QStringLiteral("0001"));
    QCoreApplication::processEvents();
    QVERIFY(s.session.select(QStringLiteral("0002")));
    QCOMPARE(folder.answer(QStringLiteral("0001")), QStringLiteral("一号答案+重要"));
    QCOMPARE(s.editor.toPlainText(), QStringLiteral("二号答案"));
}

void TestAnswerSession::explicitSavePointsAlwaysTryAgain()
{
    Folder folder;
    Session s(folder);
    QVERIFY(s.session.select(QStringLiteral("0001")));
    s.type(QStringLiteral("+关闭"));
    folder.block(QStringLiteral("0001"));
    QVERIFY(!s.session.closeQuery());
    QCOMPARE(s.failures.size(), 1);
    QVERIFY_THROWS_EXCEPTION(FaqError, s.session.save());

    // Without waiting for another event: the user's own save and close are never held back.
    folder.unblock(QStringLiteral("0001"));
    QVERIFY(s.session.closeQuery());
    QCOMPARE(folder.answer(QStringLiteral("0001")), QStringLiteral("一号答案+关闭"));
    QVERIFY(!s.session.isModified());
}

void TestAnswerSession::loadLeavesTheDocumentUnchanged()
{
    Folder folder;
    // A GBK text file, as Windows Notepad writes one, and an RTF answer.
    writeBytes(folder.document(QStringLiteral("0003")), QByteArray("\xc4\xfa\xba\xc3"));
    Session s(folder);
    for (const QString &code : {QStringLiteral("0001"), QStringLiteral("0003"), QStringLiteral("0009")}) {
        QVERIFY(s.session.select(code));
        QVERIFY2(!s.session.isModified(), qPrintable(code));
        QVERIFY(!s.editor.document()->isUndoAvailable());
        QCOMPARE(s.editor.textCursor().position(), 0);
    }
    QCOMPARE(QFileInfo(folder.document(QStringLiteral("0003"))).size(), 4);
    QVERIFY(!QFile::exists(folder.document(QStringLiteral("0009"))));
}

void TestAnswerSession::undoCannotReachThePreviousCategory()
{
    Folder folder;
    Session s(folder);
    QVERIFY(s.session.select(QStringLiteral("0001")));
    s.type(QStringLiteral("+x"));
    QVERIFY(s.session.select(QStringLiteral("0003")));
    s.editor.undo();
    s.editor.undo();
    QVERIFY(s.editor.toPlainText().isEmpty());
    QVERIFY(!s.session.isModified());
    QVERIFY(s.session.select(QStringLiteral("0001")));
    QVERIFY(!QFile::exists(folder.document(QStringLiteral("0003"))));
}

void TestAnswerSession::undoBackToTheWrittenTextNeedsNoWrite()
{
    Folder folder;
    Session s(folder);
    QVERIFY(s.session.select(QStringLiteral("0001")));
    s.type(QStringLiteral("+x"));
    QVERIFY(s.session.isModified());
    s.editor.undo();
    QVERIFY(!s.session.isModified());
    folder.block(QStringLiteral("0001"));
    // Nothing to write, so nothing fails.
    QVERIFY(s.session.select(QStringLiteral("0002")));
    QVERIFY(s.failures.isEmpty());
}

void TestAnswerSession::unreadableDocumentIsShownReadOnly()
{
    Folder folder;
    folder.block(QStringLiteral("0002"));
    Session s(folder);
    QVERIFY(s.session.select(QStringLiteral("0002")));
    QCOMPARE(s.session.currentCode(), QStringLiteral("0002"));
    QVERIFY(s.editor.toPlainText().isEmpty());
    QVERIFY(s.editor.isReadOnly());
    QCOMPARE(s.editor.placeholderText(), AnswerSession::kUnreadableHint);
    QVERIFY(s.session.closeQuery());
    QVERIFY(QFileInfo(folder.document(QStringLiteral("0002"))).isDir());

    // The next readable category is editable again.
    QVERIFY(s.session.select(QStringLiteral("0001")));
    QVERIFY(!s.editor.isReadOnly());
    QVERIFY(s.editor.placeholderText().isEmpty());
}

void TestAnswerSession::showNothingDropsTheTextAndReleaseWritesIt()
{
    Folder folder;
    Session s(folder);
    QVERIFY(s.session.select(QStringLiteral("0001")));
    s.type(QStringLiteral("+删除前"));
    s.session.showNothing();
    QVERIFY(s.session.currentCode().isEmpty());
    QVERIFY(s.editor.isReadOnly());
    QVERIFY(s.editor.toPlainText().isEmpty());
    QCOMPARE(folder.answer(QStringLiteral("0001")), QStringLiteral("一号答案"));
    QCOMPARE(s.shown.last().at(0).toString(), QString());

    QVERIFY(s.session.select(QStringLiteral("0002")));
    s.type(QStringLiteral("+保留"));
    folder.block(QStringLiteral("0002"));
    QVERIFY(!s.session.release());
    QCOMPARE(s.session.currentCode(), QStringLiteral("0002"));
    QCOMPARE(s.editor.toPlainText(), QStringLiteral("二号答案+保留"));
    folder.unblock(QStringLiteral("0002"));
    QCoreApplication::processEvents();
    QVERIFY(s.session.release());
    QCOMPARE(folder.answer(QStringLiteral("0002")), QStringLiteral("二号答案+保留"));
    QVERIFY(s.session.currentCode().isEmpty());
}

QTEST_MAIN(TestAnswerSession)
#include "tst_answersession.moc"
