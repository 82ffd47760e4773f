#include "common/TextCodec.h"
#include "tree/yPY.h"

#include <QCryptographicHash>
#include <QRegularExpression>
#include <QTest>

namespace {

QByteArray gbk(const char16_t *text)
{
    return textcodec::toGbk(QString::fromUtf16(text));
}

QByteArray hex(const char *digits)
{
    return QByteArray::fromHex(digits);
}

struct Boundary
{
    char letter;
    unsigned first;
    unsigned last;
};

// The boundary table once more, written out here so the test does not share the code's data.
const Boundary kBoundaries[] = {
    {'A', 0xB0A1, 0xB0C4}, {'B', 0xB0C5, 0xB2C0}, {'C', 0xB2C1, 0xB4ED}, {'D', 0xB4EE, 0xB6E9},
    {'E', 0xB6EA, 0xB7A1}, {'F', 0xB7A2, 0xB8C0}, {'G', 0xB8C1, 0xB9FD}, {'H', 0xB9FE, 0xBBF6},
    {'J', 0xBBF7, 0xBFA5}, {'K', 0xBFA6, 0xC0AB}, {'L', 0xC0AC, 0xC2E7}, {'M', 0xC2E8, 0xC4C2},
    {'N', 0xC4C3, 0xC5B5}, {'O', 0xC5B6, 0xC5BD}, {'P', 0xC5BE, 0xC6D9}, {'Q', 0xC6DA, 0xC8BA},
    {'R', 0xC8BB, 0xC8F5}, {'S', 0xC8F6, 0xCBF9}, {'T', 0xCBFA, 0xCDD9}, {'W', 0xCDDA, 0xCEF3},
    {'X', 0xCEF4, 0xD1B8}, {'Y', 0xD1B9, 0xD4D0}, {'Z', 0xD4D1, 0xD7FE},
};

// Lead bytes whose whole row belongs to one letter, as listed beside the table.
const QByteArray kWholeRowLeads = QByteArray::fromHex("B1B3B5BABCBDBEC1C3C7C9CACCCFD0D2D3D5D6D7");

} // namespace

class TestPinyin : public QObject
{
    Q_OBJECT
private slots:
    void init() { QTest::failOnWarning(QRegularExpression(QStringLiteral("."))); }
    void getPYCode_data();
    void getPYCode();
    void firstLevelMatchesBoundaries();
    void wholeRowsTakeAnyTrail();
    void secondLevel_data();
    void secondLevel();
    void secondLevelTableWhole();
    void leadsOutsideSectionsYieldNothing();
};

void TestPinyin::getPYCode_data()
{
    QTest::addColumn<QByteArray>("name");
    QTest::addColumn<QByteArray>("expected");

    QTest::newRow("产品介绍") << gbk(u"产品介绍") << QByteArray("CPJS");
    QTest::newRow("售后服务") << gbk(u"售后服务") << QByteArray("SHFW");
    QTest::newRow("常见问题解答") << gbk(u"常见问题解答") << QByteArray("CJWTJD");
    QTest::newRow("FAQ常见问题") << gbk(u"FAQ常见问题") << QByteArray("FAQCJWT");
    QTest::newRow("vip客户 keeps case") << gbk(u"vip客户") << QByteArray("vipKH");
    QTest::newRow("价格 2024 keeps blank") << gbk(u"价格 2024") << QByteArray("JG 2024");
    QTest::newRow("参数设置") << gbk(u"参数设置") << QByteArray("SSSZ");
    QTest::newRow("人参") << gbk(u"人参") << QByteArray("RS");
    QTest::newRow("full-width parentheses") << gbk(u"（全角）") << QByteArray("QJ");
    QTest::newRow("鑫源 second level") << gbk(u"鑫源") << QByteArray("XY");
    QTest::newRow("empty") << QByteArray() << QByteArray();

    QTest::newRow("one ascii byte") << QByteArray("a") << QByteArray("a");
    QTest::newRow("one high byte") << hex("B0") << hex("B0");
    QTest::newRow("one A0 byte") << hex("A0") << hex("A0");
    QTest::newRow("trailing lead byte") << gbk(u"产品") + hex("BD") << QByteArray("CP") + hex("BD");
    QTest::newRow("ascii then lone lead") << QByteArray("x") + hex("FF") << QByteArray("x") + hex("FF");
    QTest::newRow("A0 pair eats ascii") << hex("A041") + "bc" << QByteArray("bc");
    QTest::newRow("A0 pair eats lead") << hex("A0B0A1") << hex("A1");
    QTest::newRow("A0 A0 pair") << hex("A0A0") << QByteArray();
    QTest::newRow("81 lead copied") << gbk(u"丂") << hex("81") + "@";
    QTest::newRow("9F lead copied") << hex("9F7E") << hex("9F7E");
    QTest::newRow("9F lead then first level") << hex("9FB0A1") << hex("9F") + "A";
    QTest::newRow("81 trail 5C copied") << gbk(u"乗") << hex("815C");
    QTest::newRow("control and punctuation") << QByteArray("\t-1;\x7f") << QByteArray("\t-1;\x7f");
    QTest::newRow("B1 trail 5C") << gbk(u"盶") << QByteArray("B");
    QTest::newRow("B1 trail 40") << gbk(u"盄") << QByteArray("B");
    QTest::newRow("B0 trail 40") << hex("B040") << QByteArray();
    QTest::newRow("B0 trail FF") << hex("B0FF") << QByteArray();
    QTest::newRow("D7FA unassigned") << hex("D7FA") << QByteArray("Z");
    QTest::newRow("full-width letters and digits") << gbk(u"ＡＢ１２") << QByteArray();
    QTest::newRow("full-width between words") << gbk(u"产品Ａ介绍") << QByteArray("CPJS");
    QTest::newRow("second level blank") << gbk(u"饣字") << QByteArray(" Z");
    QTest::newRow("second level extension") << gbk(u"豛") << QByteArray();
    QTest::newRow("lead F8 and above") << hex("F8A1FEFE") << QByteArray();
    QTest::newRow("symbol rows") << gbk(u"、★") << QByteArray();
}

void TestPinyin::getPYCode()
{
    QFETCH(QByteArray, name);
    QFETCH(QByteArray, expected);
    QCOMPARE(GetPYCode(name), expected);
    QVERIFY(GetPYCode(name).size() <= name.size());
}

void TestPinyin::firstLevelMatchesBoundaries()
{
    // Walk the codes B0A1..D7FE in order, moving to the next letter at each first code.
    std::size_t current = 0;
    int checked = 0;
    for (unsigned lead = 0xB0; lead <= 0xD7; ++lead) {
        const bool wholeRow = kWholeRowLeads.contains(char(lead));
        for (unsigned trail = 0x00; trail <= 0xFF; ++trail) {
            const unsigned code = lead * 256 + trail;
            char expected = 0;
            if (trail >= 0xA1 && trail <= 0xFE) {
                while (current + 1 < std::size(kBoundaries) && code >= kBoundaries[current + 1].first)
                    ++current;
                QVERIFY(code >= kBoundaries[current].first && code <= kBoundaries[current].last);
                expected = kBoundaries[current].letter;
                if (code == 0xB2CE)
                    expected = 'S';
            } else if (wholeRow) {
                continue; // checked in wholeRowsTakeAnyTrail
            }
            const char actual = GetPYInitial(static_cast<unsigned char>(lead), static_cast<unsigned char>(trail));
            if (actual != expected)
                QFAIL(qPrintable(QStringLiteral("code %1: got %2, expected %3")
                                     .arg(code, 4, 16).arg(int(actual)).arg(int(expected))));
            ++checked;
        }
    }
    QCOMPARE(current, std::size(kBoundaries) - 1);
    QCOMPARE(checked, 40 * 94 + (40 - int(kWholeRowLeads.size())) * (256 - 94));
}

void TestPinyin::wholeRowsTakeAnyTrail()
{
    for (const char leadChar : kWholeRowLeads) {
        const auto lead = static_cast<unsigned char>(leadChar);
        // The row's letter by the table: the range holding its first character.
        char letter = 0;
        for (const Boundary &b : kBoundaries) {
            if (lead * 256u + 0xA1 >= b.first && lead * 256u + 0xFE <= b.last)
                letter = b.letter;
        }
        QVERIFY2(letter != 0, qPrintable(QString::number(lead, 16)));
        for (unsigned trail = 0x00; trail <= 0xFF; ++trail)
            QCOMPARE(GetPYInitial(lead, static_cast<unsigned char>(trail)), letter);
    }
}

void TestPinyin::secondLevel_data()
{
    QTest::addColumn<QByteArray>("character");
    QTest::addColumn<char>("expected");
    QTest::newRow("亍 D8A1 first of table") << gbk(u"亍") << 'C';
    QTest::newRow("齄 F7FE last of table") << gbk(u"齄") << 'Z';
    QTest::newRow("鑫 F6CE") << gbk(u"鑫") << 'X';
    QTest::newRow("饣 E2BB blank") << gbk(u"饣") << ' ';
    QTest::newRow("礻 ECEA blank") << gbk(u"礻") << ' ';
    QTest::newRow("虍 F2AE blank") << gbk(u"虍") << ' ';
    QTest::newRow("E2BA before blank") << hex("E2BA") << 'D';
    QTest::newRow("E2BC after blank") << hex("E2BC") << 'C';
    QTest::newRow("D8 trail 40") << hex("D840") << char(0);
    QTest::newRow("F7 trail A0") << hex("F7A0") << char(0);
    QTest::newRow("E0 trail FF") << hex("E0FF") << char(0);
}

void TestPinyin::secondLevel()
{
    QFETCH(QByteArray, character);
    QFETCH(char, expected);
    QCOMPARE(character.size(), 2);
    QCOMPARE(GetPYInitial(static_cast<unsigned char>(character[0]), static_cast<unsigned char>(character[1])), expected);
}

void TestPinyin::secondLevelTableWhole()
{
    // All 32 x 94 letters, read back through the function, against the digest of the
    // published rows: a single mistyped letter changes it.
    QByteArray letters;
    for (unsigned lead = 0xD8; lead <= 0xF7; ++lead) {
        for (unsigned trail = 0xA1; trail <= 0xFE; ++trail)
            letters.append(GetPYInitial(static_cast<unsigned char>(lead), static_cast<unsigned char>(trail)));
    }
    QCOMPARE(letters.size(), 32 * 94);
    QCOMPARE(letters.count(' '), 3);
    for (const char letter : letters)
        QVERIFY(letter == ' ' || (letter >= 'A' && letter <= 'Z' && letter != 'I' && letter != 'U' && letter != 'V'));
    QCOMPARE(QCryptographicHash::hash(letters, QCryptographicHash::Sha256).toHex(),
             QByteArray("826d0b673c21a6c54c644b85a1ddf2ffd79589aff3796f15481983a95b514751"));
}

void TestPinyin::leadsOutsideSectionsYieldNothing()
{
    for (unsigned lead = 0x00; lead <= 0xFF; ++lead) {
        if (lead >= 0xB0 && lead <= 0xF7)
            continue;
        for (unsigned trail = 0x00; trail <= 0xFF; ++trail)
            QCOMPARE(GetPYInitial(static_cast<unsigned char>(lead), static_cast<unsigned char>(trail)), char(0));
    }
}

QTEST_APPLESS_MAIN(TestPinyin)
#include "tst_pinyin.moc"
