// Helper of history_kill_test.sh: saves one category's answer again and again through the answer
// history, and checks what a killed run left behind.
//   history_saver init FOLDER          a new knowledge base with the category 0001
//   history_saver save FOLDER COUNT    COUNT saves, each a new numbered version of the answer
//   history_saver check FOLDER         the answer is a whole numbered version, and the one
//                                      before it is kept in the history
#include "answers/AnswerHistory.h"
#include "common/FaqError.h"
#include "storage/Schema.h"
#include "storage/uDM.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QRegularExpression>

#include <cstdio>

namespace {

const QString kCode = QStringLiteral("0001");

QByteArray version(int n)
{
    // Some kilobytes, so a write takes long enough to be cut short.
    return "{\\rtf1\\ansi version " + QByteArray::number(n) + " " + QByteArray(8192, 'x') + "}";
}

// The number of the version the document holds; 0 without a document, -1 when it is no whole version.
int numberOf(const QByteArray &document)
{
    static const QRegularExpression pattern(QStringLiteral("^\\{\\\\rtf1\\\\ansi version (\\d+) "));
    const QRegularExpressionMatch match = pattern.match(QString::fromLatin1(document.left(64)));
    if (!match.hasMatch())
        return -1;
    const int n = match.captured(1).toInt();
    return document == version(n) ? n : -1;
}

int fail(const QString &why)
{
    std::fprintf(stderr, "history_saver: %s\n", why.toUtf8().constData());
    return 1;
}

} // namespace

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    const QStringList args = app.arguments();
    if (args.size() < 3)
        return fail(QStringLiteral("usage: history_saver init|save|check FOLDER [COUNT]"));
    const QString command = args[1];
    const QString folder = QDir(args[2]).absolutePath() + QLatin1Char('/');
    try {
        if (command == QLatin1String("init")) {
            schema::createKnowledgeBase(folder);
            TDM dm;
            if (!dm.DataModuleCreate(folder + QStringLiteral("TarkelFAQvuviri")))
                return fail(QStringLiteral("cannot open the new knowledge base"));
            dm.exec(QStringLiteral("Insert into TFAQClass (TypeCode,TypeName,ParTypeCode,nLeveal) Values(?,?,'',0)"),
                    {kCode, QStringLiteral("历史")});
            return 0;
        }
        TDM dm;
        if (!dm.DataModuleCreate(folder + QStringLiteral("TarkelFAQvuviri")))
            return fail(QStringLiteral("cannot open the knowledge base"));
        QFile file(folder + QStringLiteral("DB/") + kCode + QStringLiteral(".rtf"));
        const QByteArray document = file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
        const int current = file.exists() ? numberOf(document) : 0;
        if (current < 0)
            return fail(QStringLiteral("the answer is no whole version"));
        if (command == QLatin1String("save")) {
            const int count = args.value(3).toInt();
            for (int n = current + 1; n <= current + count; ++n)
                answerhistory::writeDocument(dm, kCode, version(n));
            return 0;
        }
        if (command == QLatin1String("check")) {
            if (current <= 1)
                return 0;
            for (const answerhistory::Version &kept : answerhistory::versions(dm, kCode)) {
                if (answerhistory::content(dm, kept.id) == version(current - 1)) {
                    std::printf("version %d, its predecessor kept\n", current);
                    return 0;
                }
            }
            return fail(QStringLiteral("version %1 is the answer, but version %2 is lost").arg(current).arg(current - 1));
        }
    } catch (const FaqError &error) {
        return fail(error.message());
    }
    return fail(QStringLiteral("unknown command ") + command);
}
