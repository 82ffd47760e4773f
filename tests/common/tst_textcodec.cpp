#include "common/TextCodec.h"

#include <QTest>

class TestTextCodec : public QObject
{
    Q_OBJECT
private slots:
    void gbkRoundTrip();
    void truncateGbk_data();
    void truncateGbk();
};

void TestTextCodec::gbkRoundTrip()
{
    const QByteArray songti = textcodec::toGbk(QStringLiteral("宋体"));
    QCOMPARE(songti.toHex(), QByteArray("cbcecce5"));
    QCOMPARE(textcodec::fromGbk(songti), QStringLiteral("宋体"));
    QCOMPARE(textcodec::fromGbk("ab\xb0\xa1"), QStringLiteral("ab啊"));
}

void TestTextCodec::truncateGbk_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("maxBytes");
    QTest::addColumn<QString>("expected");
    QTest::newRow("fits") << QStringLiteral("售后服务") << 30 << QStringLiteral("售后服务");
    QTest::newRow("whole characters") << QStringLiteral("一二三四五六七八九十一二三四五六") << 30
                                      << QStringLiteral("一二三四五六七八九十一二三四五");
    QTest::newRow("half character dropped") << QStringLiteral("a一二三四五六七八九十一二三四五") << 30
                                            << QStringLiteral("a一二三四五六七八九十一二三四");
    QTest::newRow("ascii exact") << QString(31, QLatin1Char('x')) << 30 << QString(30, QLatin1Char('x'));
    QTest::newRow("zero") << QStringLiteral("名") << 0 << QString();
}

void TestTextCodec::truncateGbk()
{
    QFETCH(QString, text);
    QFETCH(int, maxBytes);
    QFETCH(QString, expected);
    const QByteArray cut = textcodec::truncateGbk(textcodec::toGbk(text), maxBytes);
    QVERIFY(cut.size() <= maxBytes);
    QCOMPARE(textcodec::fromGbk(cut), expected);
}

QTEST_APPLESS_MAIN(TestTextCodec)
#include "tst_textcodec.moc"
