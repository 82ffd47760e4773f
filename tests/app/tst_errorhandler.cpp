#include "FakeDialogs.h"
#include "app/FaqApplication.h"
#include "common/FaqError.h"

#include <QPushButton>
#include <QTest>

class TestErrorHandler : public QObject
{
    Q_OBJECT
public:
    FakeDialogs *dialogs = nullptr;

private slots:
    void exceptionInAHandlerIsShownAndTheProgramGoesOn();
};

void TestErrorHandler::exceptionInAHandlerIsShownAndTheProgramGoesOn()
{
    QPushButton button;
    int clicks = 0;
    QObject::connect(&button, &QPushButton::clicked, [&] {
        ++clicks;
        if (clicks == 1)
            throw FaqError(QStringLiteral("无法写入文件：磁盘已满"));
    });
    button.show();
    QVERIFY(QTest::qWaitForWindowExposed(&button));

    QTest::mouseClick(&button, Qt::LeftButton);
    QCOMPARE(dialogs->errors, QStringList{QStringLiteral("无法写入文件：磁盘已满")});

    // The failed event was abandoned; the next one is handled as usual.
    QTest::mouseClick(&button, Qt::LeftButton);
    QCOMPARE(clicks, 2);
    QCOMPARE(dialogs->errors.size(), 1);
    QCOMPARE(QApplication::applicationName(), FaqApplication::kTitle);
}

int main(int argc, char *argv[])
{
    FaqApplication app(argc, argv);
    FakeDialogs dialogs;
    app.setDialogs(&dialogs);
    TestErrorHandler test;
    test.dialogs = &dialogs;
    return QTest::qExec(&test, argc, argv);
}
#include "tst_errorhandler.moc"
