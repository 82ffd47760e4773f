// The window's state and its ends: the tray icon and its menu, the show/hide toggle, always on
// top, the ways the window closes and the end of the desktop session.
#include "AnswerFiles.h"
#include "RunningProgram.h"
#include "KnowledgeBaseFixture.h"
#include "TestFiles.h"
#include "answers/RtfCodec.h"
#include "app/TrayIcon.h"
#include "app/WindowGeometry.h"
#include "app/uMain.h"
#include "tree/TreeView.h"

#include <QAction>
#include <QDir>
#include <QGuiApplication>
#include <QMenu>
#include <QPushButton>
#include <QScreen>
#include <QSignalSpy>
#include <QTest>
#include <QTextDocument>
#include <QToolButton>
#include <QTreeWidget>

#include <functional>

namespace {

// Lets a test look at the window while an error box is up.
class WatchingDialogs : public FakeDialogs
{
public:
    std::function<void()> whileErrorShown;
    void showError(const QString &text) override
    {
        if (whileErrorShown)
            whileErrorShown();
        FakeDialogs::showError(text);
    }
};

struct Program : RunningProgram<WatchingDialogs>
{
    explicit Program(const KnowledgeBaseFixture &kb)
        : RunningProgram(kb)
    {
        if (!QTest::qWaitForWindowActive(window.get()))
            qWarning("the main window did not become active");
    }
};



void addSample(KnowledgeBaseFixture &kb)
{
    kb.addCategory(QStringLiteral("0001"), QStringLiteral("售前咨询"), QString(), 0);
    kb.addCategory(QStringLiteral("0002"), QStringLiteral("退货流程"), QString(), 0);
    kb.writeFile(QStringLiteral("DB/0001.rtf"), rtfOf(QStringLiteral("一号答案")));
}

void type(TfrmMainFAQ &w, const QString &text)
{
    w.RichEdit->setFocus();
    QTest::keyClick(w.RichEdit, Qt::Key_End, Qt::ControlModifier);
    w.RichEdit->textCursor().insertText(text);
}


// The offscreen desktop has no tray: the tests that need one pretend it has.
void giveTray(TfrmMainFAQ &w)
{
    w.trayIcon().setAvailable(true);
    w.trayIcon().AddIcon();
}

QRect startPlace(const TfrmMainFAQ &w)
{
    const QScreen *screen = QGuiApplication::primaryScreen();
    return windowgeometry::startPlacement(screen->geometry(), screen->availableGeometry(),
                                          w.windowHandle() ? w.windowHandle()->frameMargins() : QMargins());
}

} // namespace

class TestWindowState : public QObject
{
    Q_OBJECT
private slots:
    void startPlacementFitsTheWorkArea_data();
    void startPlacementFitsTheWorkArea();
    void trayMenuAndIcon();
    void toggleHidesToTheTrayAndComesBackAtTheStartPlace();
    void toggleWithoutATrayMinimises();
    void alwaysOnTopKeepsEverySavePoint();
    void everyClosePathWritesTheChangedAnswer_data();
    void everyClosePathWritesTheChangedAnswer();
    void failedSaveAtClosingOffersToCloseWithoutSaving_data();
    void failedSaveAtClosingOffersToCloseWithoutSaving();
    void exitFromTheHiddenWindowShowsItWithTheError();
    void endOfSessionWritesTheAnswerAndRefusesWhenItCannot();
};

void TestWindowState::startPlacementFitsTheWorkArea_data()
{
    QTest::addColumn<QRect>("screen");
    QTest::addColumn<QRect>("available");
    QTest::addColumn<QMargins>("frame");
    QTest::addColumn<QRect>("expected");
    QTest::newRow("nothing reserved, no window manager") << QRect(0, 0, 1366, 768) << QRect(0, 0, 1366, 768) << QMargins()
                                                         << QRect(0, 0, 683, 738);
    QTest::newRow("nothing reserved, framed") << QRect(0, 0, 1366, 768) << QRect(0, 0, 1366, 768) << QMargins(1, 25, 1, 1)
                                              << QRect(0, 0, 683, 738);
    // openbox with a 30-pixel tint2 panel at the bottom: the frame ends on the panel's edge.
    QTest::newRow("bottom panel") << QRect(0, 0, 1366, 768) << QRect(0, 0, 1366, 738) << QMargins(1, 20, 1, 5)
                                  << QRect(0, 0, 681, 713);
    QTest::newRow("panel on the left") << QRect(0, 0, 1920, 1080) << QRect(64, 0, 1856, 1080) << QMargins(2, 24, 2, 2)
                                       << QRect(64, 0, 924, 1054);
    QTest::newRow("second screen's origin") << QRect(1366, 0, 1920, 1080) << QRect(1366, 0, 1920, 1080) << QMargins()
                                            << QRect(1366, 0, 960, 1050);
}

void TestWindowState::startPlacementFitsTheWorkArea()
{
    QFETCH(QRect, screen);
    QFETCH(QRect, available);
    QFETCH(QMargins, frame);
    QFETCH(QRect, expected);
    QCOMPARE(windowgeometry::startPlacement(screen, available, frame), expected);
}

void TestWindowState::trayMenuAndIcon()
{
    QCOMPARE(TrayIcon::menuPoint(QSize(1366, 768)), QPoint(1326, 748));
    KnowledgeBaseFixture kb;
    Program program(kb);
    TfrmMainFAQ &w = *program.window;
    QVERIFY(w.mnuPop);
    const QList<QAction *> items = w.mnuPop->actions();
    QCOMPARE(items.size(), 3);
    QCOMPARE(items[0], w.mnuFormStu);
    QCOMPARE(w.mnuFormStu->text(), QStringLiteral("显示/隐藏(&H)"));
    QVERIFY(items[1]->isSeparator());
    QCOMPARE(items[2], w.MenuItem8);
    QCOMPARE(w.MenuItem8->text(), QStringLiteral("退出 TarkelFAQvuviri"));
    QCOMPARE(TrayIcon::kTip, QStringLiteral("TarkelFAQvuviri"));
    QVERIFY(!w.windowIcon().isNull());
    QVERIFY(!w.windowIcon().pixmap(16, 16).isNull());

    // A double click on the icon toggles; the menu's first item does the same.
    giveTray(w);
    w.trayIcon().MyNotify(QSystemTrayIcon::DoubleClick);
    QVERIFY(w.WindowHidden);
    QVERIFY(!w.isVisible());
    w.mnuFormStu->trigger();
    QVERIFY(!w.WindowHidden);
    QVERIFY(w.isVisible());
    // Other clicks on it do nothing.
    w.trayIcon().MyNotify(QSystemTrayIcon::Trigger);
    QVERIFY(w.isVisible());
}

void TestWindowState::toggleHidesToTheTrayAndComesBackAtTheStartPlace()
{
    KnowledgeBaseFixture kb;
    addSample(kb);
    Program program(kb);
    TfrmMainFAQ &w = *program.window;
    giveTray(w);
    QTest::mouseClick(w.ToolButton3, Qt::LeftButton);
    type(w, QStringLiteral("+草稿"));
    const QRect start = startPlace(w);
    w.move(200, 100);
    w.resize(500, 400);

    w.mnuFormStuClick();
    QVERIFY(w.WindowHidden);
    QVERIFY(!w.isVisible());
    // Hiding is no save point, and the tray icon stays.
    QCOMPARE(textOfFile(kb.dataFile(QStringLiteral("0001.rtf"))), QStringLiteral("一号答案"));
    QVERIFY(w.trayIcon().isShown());

    w.mnuFormStuClick();
    QVERIFY(!w.WindowHidden);
    QVERIFY(w.isVisible());
    QCOMPARE(w.pos(), start.topLeft());
    QCOMPARE(w.size(), start.size());
    // Nothing reloaded, the mode kept.
    QVERIFY(w.ToolButton3->isChecked());
    QCOMPARE(w.RichEdit->toPlainText(), QStringLiteral("一号答案+草稿"));

    // A minimise leaves the toggle's state alone: its next use hides.
    w.showMinimized();
    QVERIFY(!w.WindowHidden);
    w.mnuFormStuClick();
    QVERIFY(w.WindowHidden);
    QVERIFY(!w.isVisible());
}

void TestWindowState::toggleWithoutATrayMinimises()
{
    KnowledgeBaseFixture kb;
    Program program(kb);
    TfrmMainFAQ &w = *program.window;
    // The offscreen desktop has no tray.
    QVERIFY(!w.trayIcon().isAvailable());
    QVERIFY(!w.trayIcon().isShown());

    w.mnuFormStuClick();
    QVERIFY(w.WindowHidden);
    QVERIFY(w.isVisible());
    QVERIFY(w.isMinimized());
    w.mnuFormStuClick();
    QVERIFY(!w.WindowHidden);
    QVERIFY(!w.isMinimized());
    QCOMPARE(w.pos(), startPlace(w).topLeft());

    // And closing still ends the program.
    QSignalSpy closed(program.window.get(), &TfrmMainFAQ::closed);
    QVERIFY(w.close());
    QCOMPARE(closed.size(), 1);
}

void TestWindowState::alwaysOnTopKeepsEverySavePoint()
{
    KnowledgeBaseFixture kb;
    addSample(kb);
    Program program(kb);
    TfrmMainFAQ &w = *program.window;
    giveTray(w);
    for (int round = 0; round < 2; ++round) {
        QTest::mouseClick(w.ToolButton7, Qt::LeftButton);
        QVERIFY(w.windowFlags() & Qt::WindowStaysOnTopHint);
        QVERIFY(w.windowHandle()->flags() & Qt::WindowStaysOnTopHint);
        QTest::mouseClick(w.ToolButton7, Qt::LeftButton);
        QVERIFY(!(w.windowFlags() & Qt::WindowStaysOnTopHint));
        QVERIFY(!(w.windowHandle()->flags() & Qt::WindowStaysOnTopHint));
    }
    QVERIFY(w.isVisible());
    QVERIFY(QTest::qWaitForWindowActive(&w));

    // The copy button is a save point still: the edited answer is written before it is copied.
    type(w, QStringLiteral("+置顶后"));
    QTest::mouseClick(w.Button6, Qt::LeftButton);
    QCOMPARE(textOfFile(kb.dataFile(QStringLiteral("0001.rtf"))), QStringLiteral("一号答案+置顶后"));
    // So is a click on the tree, and the toggle and the exit still work.
    type(w, QStringLiteral("+再改"));
    QTest::mouseClick(w.Tree->viewport(), Qt::LeftButton, {},
                      w.Tree->visualItemRect(treeview::findByCode(w.Tree, QStringLiteral("0002"))).center());
    QCOMPARE(textOfFile(kb.dataFile(QStringLiteral("0001.rtf"))), QStringLiteral("一号答案+置顶后+再改"));
    w.mnuFormStuClick();
    QVERIFY(!w.isVisible());
    w.mnuFormStuClick();
    QVERIFY(w.isVisible());
    QSignalSpy closed(program.window.get(), &TfrmMainFAQ::closed);
    w.MenuItem8->trigger();
    QCOMPARE(closed.size(), 1);
    QVERIFY(!w.trayIcon().isShown());
}

void TestWindowState::everyClosePathWritesTheChangedAnswer_data()
{
    QTest::addColumn<QString>("path");
    QTest::newRow("toolbar 退出") << "tbClose";
    QTest::newRow("tray menu exit") << "MenuItem8";
    QTest::newRow("close box") << "close";
}

void TestWindowState::everyClosePathWritesTheChangedAnswer()
{
    QFETCH(QString, path);
    KnowledgeBaseFixture kb;
    addSample(kb);
    Program program(kb);
    TfrmMainFAQ &w = *program.window;
    giveTray(w);
    type(w, QStringLiteral("+关闭前"));
    QSignalSpy closed(program.window.get(), &TfrmMainFAQ::closed);

    if (path == QLatin1String("tbClose"))
        QTest::mouseClick(w.tbClose, Qt::LeftButton);
    else if (path == QLatin1String("MenuItem8"))
        w.MenuItem8->trigger();
    else
        QVERIFY(w.close());
    QCOMPARE(closed.size(), 1);
    QVERIFY(!w.isVisible());
    QVERIFY(!w.trayIcon().isShown());
    QCOMPARE(textOfFile(kb.dataFile(QStringLiteral("0001.rtf"))), QStringLiteral("一号答案+关闭前"));
    QVERIFY(program.dialogs.shown.isEmpty());
}

void TestWindowState::failedSaveAtClosingOffersToCloseWithoutSaving_data()
{
    QTest::addColumn<bool>("closeAnyway");
    QTest::newRow("No: the window stays") << false;
    QTest::newRow("Yes: closed without the change") << true;
}

void TestWindowState::failedSaveAtClosingOffersToCloseWithoutSaving()
{
    QFETCH(bool, closeAnyway);
    KnowledgeBaseFixture kb;
    addSample(kb);
    Program program(kb);
    TfrmMainFAQ &w = *program.window;
    giveTray(w);
    type(w, QStringLiteral("+满盘"));
    makeUnwritable(kb, QStringLiteral("0001"));
    // The exit item takes the icon away before it closes.
    bool iconWhileError = true;
    program.dialogs.whileErrorShown = [&] { iconWhileError = w.trayIcon().isShown(); };
    program.dialogs.confirmAnswers.append(closeAnyway);
    QSignalSpy closed(program.window.get(), &TfrmMainFAQ::closed);

    w.MenuItem8->trigger();
    QCOMPARE(program.dialogs.errors.size(), 1);
    QVERIFY(!iconWhileError);
    QCOMPARE(program.dialogs.confirmations,
             QStringList{QStringLiteral("警告|分类[售前咨询]的应答修改无法保存。\n不保存就退出吗？这些修改将会丢失！")});
    QCOMPARE(program.dialogs.shown.last().left(5), QStringLiteral("loss:"));
    QCOMPARE(closed.size(), closeAnyway ? 1 : 0);
    QCOMPARE(w.isVisible(), !closeAnyway);
    QCOMPARE(w.trayIcon().isShown(), !closeAnyway);
    if (!closeAnyway) {
        QCOMPARE(w.RichEdit->toPlainText(), QStringLiteral("一号答案+满盘"));
        QVERIFY(w.DocModified());
    }
    QVERIFY(QFileInfo(kb.dataFile(QStringLiteral("0001.rtf"))).isDir());
}

void TestWindowState::exitFromTheHiddenWindowShowsItWithTheError()
{
    KnowledgeBaseFixture kb;
    addSample(kb);
    Program program(kb);
    TfrmMainFAQ &w = *program.window;
    giveTray(w);
    type(w, QStringLiteral("+隐藏中"));
    w.mnuFormStuClick();
    QVERIFY(!w.isVisible());
    makeUnwritable(kb, QStringLiteral("0001"));
    bool visibleWithError = false;
    program.dialogs.whileErrorShown = [&] { visibleWithError = w.isVisible(); };

    w.MenuItem8->trigger();
    QVERIFY(visibleWithError);
    QVERIFY(w.isVisible());
    QVERIFY(!w.WindowHidden);
    QVERIFY(w.trayIcon().isShown());
    QCOMPARE(w.RichEdit->toPlainText(), QStringLiteral("一号答案+隐藏中"));
}

void TestWindowState::endOfSessionWritesTheAnswerAndRefusesWhenItCannot()
{
    KnowledgeBaseFixture kb;
    addSample(kb);
    Program program(kb);
    TfrmMainFAQ &w = *program.window;
    type(w, QStringLiteral("+注销"));
    QVERIFY(w.QueryEndSession());
    QCOMPARE(textOfFile(kb.dataFile(QStringLiteral("0001.rtf"))), QStringLiteral("一号答案+注销"));
    QVERIFY(w.isVisible());

    type(w, QStringLiteral("+再注销"));
    makeUnwritable(kb, QStringLiteral("0001"));
    QVERIFY(!w.QueryEndSession());
    QCOMPARE(program.dialogs.errors.size(), 1);
    // No offer to lose the change here: the session waits, the window stays as it was.
    QVERIFY(program.dialogs.confirmations.isEmpty());
    QVERIFY(w.isVisible());
    QVERIFY(w.DocModified());
}

QTEST_MAIN(TestWindowState)
#include "tst_windowstate.moc"
