// Another process's view of the clipboard: under a private Xvfb, xclip must see the copied
// file as a file (URI list and the GNOME marker), not as a path in text.
#include "XvfbServer.h"
#include "attachments/uPub.h"

#include <QClipboard>
#include <QDir>
#include <QFile>
#include <QGuiApplication>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QRegularExpression>
#include <QTest>
#include <QUrl>


class TestClipboardSeenByXclip : public QObject
{
    Q_OBJECT
public:
    explicit TestClipboardSeenByXclip(const QString &skipReason) : m_skipReason(skipReason) {}

private slots:
    void init() { QTest::failOnWarning(QRegularExpression(QStringLiteral("."))); }
    void initTestCase();
    void targets();
    void contents_data();
    void contents();
    void noTextPath_data();
    void noTextPath();

private:
    QString m_skipReason;
    QTemporaryDir m_dir;
    QString m_path;
};

void TestClipboardSeenByXclip::initTestCase()
{
    if (!m_skipReason.isEmpty())
        QSKIP(qPrintable(m_skipReason));
    QVERIFY(m_dir.isValid());
    QVERIFY(QDir(m_dir.path()).mkdir(QStringLiteral("价目 表")));
    m_path = m_dir.filePath(QStringLiteral("价目 表/报价单 2024.xls"));
    QFile file(m_path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write("price list");
    file.close();

    QGuiApplication::clipboard()->setText(QStringLiteral("earlier answer"));
    QByteArray text;
    QVERIFY(runXclip({QStringLiteral("-t"), QStringLiteral("UTF8_STRING"), QStringLiteral("-o")}, text));
    QCOMPARE(text, QByteArray("earlier answer"));

    CopyFileToClipboard(m_path);
}

void TestClipboardSeenByXclip::targets()
{
    QByteArray output;
    QVERIFY(runXclip({QStringLiteral("-t"), QStringLiteral("TARGETS"), QStringLiteral("-o")}, output));
    const QList<QByteArray> targets = output.split('\n');
    QVERIFY2(targets.contains("text/uri-list"), output.constData());
    QVERIFY2(targets.contains("x-special/gnome-copied-files"), output.constData());
    QVERIFY2(targets.contains("application/x-kde-cutselection"), output.constData());
    QVERIFY2(!targets.contains("text/html"), output.constData());
}

void TestClipboardSeenByXclip::contents_data()
{
    QTest::addColumn<QString>("target");
    QTest::addColumn<QByteArray>("prefix");
    QTest::addColumn<QByteArray>("suffix");
    QTest::newRow("uri list") << QStringLiteral("text/uri-list") << QByteArray() << QByteArray("\r\n");
    QTest::newRow("gnome") << QStringLiteral("x-special/gnome-copied-files") << QByteArray("copy\n") << QByteArray();
}

void TestClipboardSeenByXclip::contents()
{
    QFETCH(QString, target);
    QFETCH(QByteArray, prefix);
    QFETCH(QByteArray, suffix);
    QByteArray output;
    QVERIFY(runXclip({QStringLiteral("-t"), target, QStringLiteral("-o")}, output));
    QCOMPARE(output, prefix + QUrl::fromLocalFile(m_path).toEncoded() + suffix);
    QVERIFY(output.contains("%20"));
}

void TestClipboardSeenByXclip::noTextPath_data()
{
    QTest::addColumn<QString>("target");
    // Qt's X11 clipboard lists text/plain beside a URI list; asked for text it must give no path.
    for (const char *target : {"UTF8_STRING", "STRING", "TEXT", "text/plain", "text/plain;charset=utf-8"})
        QTest::newRow(target) << QString::fromLatin1(target);
}

void TestClipboardSeenByXclip::noTextPath()
{
    QFETCH(QString, target);
    QByteArray output;
    runXclip({QStringLiteral("-t"), target, QStringLiteral("-o")}, output);
    QCOMPARE(output, QByteArray());
}

int main(int argc, char **argv)
{
    XvfbServer server({QStringLiteral("xclip")});
    server.selectPlatform();
    QGuiApplication app(argc, argv);
    TestClipboardSeenByXclip test(server.problem());
    return QTest::qExec(&test, argc, argv);
}

#include "tst_pub_xclip.moc"
