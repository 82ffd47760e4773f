#include "tools/faqkb/HistoryCommand.h"

#include "answers/AnswerHistory.h"
#include "common/FaqError.h"
#include "storage/uDM.h"

#include <QDir>
#include <QRegularExpression>
#include <QSqlQuery>

namespace kbhistory {

namespace {

// The data module finds the knowledge base beside the program it is given.
void open(TDM &dm, const QString &appFolder, const QString &code)
{
    static const QRegularExpression wellFormed(QStringLiteral("^(\\d{4}){1,3}$"));
    if (!wellFormed.match(code).hasMatch())
        throw FaqError(QStringLiteral("分类代码“%1”无效：应为 4、8 或 12 位数字。").arg(code));
    if (!dm.DataModuleCreate(QDir(appFolder).absoluteFilePath(QStringLiteral("TarkelFAQvuviri"))))
        throw FaqError(QStringLiteral("无法打开知识库：%1").arg(QDir::toNativeSeparators(dm.databaseFile())));
    QSqlQuery row = dm.exec(QStringLiteral("Select count(*) from TFAQClass Where TypeCode=?"), {code});
    if (!row.next() || row.value(0).toInt() == 0)
        throw FaqError(QStringLiteral("分类 %1 不存在。").arg(code));
}

} // namespace

QStringList list(const QString &appFolder, const QString &code)
{
    TDM dm;
    open(dm, appFolder, code);
    QStringList lines;
    const QList<answerhistory::Version> versions = answerhistory::versions(dm, code);
    for (int i = 0; i < versions.size(); ++i) {
        const answerhistory::Version &version = versions[i];
        lines << QStringLiteral("%1  %2  %3 字节  %4")
                     .arg(i + 1, 2)
                     .arg(version.savedAt.toString(QStringLiteral("yyyy-MM-dd HH:mm:ss")))
                     .arg(version.size, 8)
                     .arg(answerhistory::firstLine(answerhistory::content(dm, version.id)));
    }
    return lines;
}

void restore(const QString &appFolder, const QString &code, int n)
{
    TDM dm;
    open(dm, appFolder, code);
    const QList<answerhistory::Version> versions = answerhistory::versions(dm, code);
    if (n < 1 || n > versions.size())
        throw FaqError(QStringLiteral("分类 %1 没有第 %2 个历史版本（共 %3 个）。").arg(code).arg(n).arg(versions.size()));
    answerhistory::writeDocument(dm, code, answerhistory::content(dm, versions[n - 1].id));
}

} // namespace kbhistory
