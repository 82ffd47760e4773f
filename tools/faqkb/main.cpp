#include "common/FaqError.h"
#include "tools/faqkb/HistoryCommand.h"
#include "tools/faqkb/KnowledgeBaseInit.h"

#include <QDir>
#include <QGuiApplication>
#include <QStringList>

#include <cstdio>

namespace {

const char kUsage[] =
    "用法: faqkb <命令> [选项]\n"
    "\n"
    "TarkelFAQvuviri 快速应答知识库的命令行工具。\n"
    "\n"
    "命令:\n"
    "  init [--demo] FOLDER   在应用目录 FOLDER 下建立新的知识库：\n"
    "                         FOLDER/DB/ZYDBFAQ.dat（分类表 TFAQClass、附件表 TDKFJ、参数表 TPara），\n"
    "                         以及 FOLDER/Bak/ 和带帮助图片的 FOLDER/Help/FAQ.JPG。\n"
    "                         已有知识库时拒绝执行，不做任何修改（退出码 1）。\n"
    "      --demo             同时写入一套示例分类。\n"
    "  history FOLDER CODE    列出分类 CODE 应答的历史版本（每次保存时被替换的内容），新的在前。\n"
    "      --restore N        把第 N 个历史版本写回为该分类的应答文档；被替换的内容同样保留为历史版本。\n"
    "  --help                 显示本说明。\n"
    "\n"
    "程序 TarkelFAQvuviri 在其可执行文件所在目录中寻找 DB/ZYDBFAQ.dat。\n";

void print(FILE *stream, const QString &text)
{
    std::fputs(text.toLocal8Bit().constData(), stream);
}

int usageError(const QString &why)
{
    print(stderr, QStringLiteral("faqkb: %1\n请运行 faqkb --help 查看用法。\n").arg(why));
    return 2;
}

int history(QStringList args)
{
    int restore = 0;
    const int at = int(args.indexOf(QStringLiteral("--restore")));
    if (at >= 0) {
        bool ok = false;
        restore = args.value(at + 1).toInt(&ok);
        if (!ok || restore < 1)
            return usageError(QStringLiteral("--restore 需要一个版本号 N（1 为最新）。"));
        args.remove(at, 2);
    }
    if (args.size() != 2)
        return usageError(QStringLiteral("history 需要应用目录 FOLDER 和分类代码 CODE。"));
    try {
        if (restore > 0) {
            kbhistory::restore(args[0], args[1], restore);
            print(stdout, QStringLiteral("已恢复分类 %1 的第 %2 个历史版本。\n").arg(args[1]).arg(restore));
            return 0;
        }
        const QStringList lines = kbhistory::list(args[0], args[1]);
        if (lines.isEmpty())
            print(stdout, QStringLiteral("分类 %1 没有历史版本。\n").arg(args[1]));
        for (const QString &line : lines)
            print(stdout, line + QLatin1Char('\n'));
    } catch (const FaqError &error) {
        print(stderr, QStringLiteral("faqkb: %1\n").arg(error.message()));
        return 1;
    }
    return 0;
}

} // namespace

int main(int argc, char *argv[])
{
    // Drawing the help picture needs fonts but no screen.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    QStringList args = app.arguments();
    args.removeFirst();

    if (args.isEmpty())
        return usageError(QStringLiteral("缺少命令。"));
    if (args.first() == QLatin1String("--help") || args.first() == QLatin1String("-h") || args.first() == QLatin1String("help")) {
        print(stdout, QString::fromUtf8(kUsage));
        return 0;
    }
    if (args.first() == QLatin1String("history"))
        return history(args.mid(1));
    if (args.first() != QLatin1String("init"))
        return usageError(QStringLiteral("未知命令“%1”。").arg(args.first()));

    args.removeFirst();
    const bool withDemo = args.removeAll(QStringLiteral("--demo")) > 0;
    if (args.size() != 1 || args.first().startsWith(QLatin1Char('-')))
        return usageError(QStringLiteral("init 需要且只需要一个应用目录 FOLDER。"));

    try {
        kbinit::initKnowledgeBase(args.first(), withDemo);
    } catch (const FaqError &error) {
        print(stderr, QStringLiteral("faqkb: %1\n").arg(error.message()));
        return 1;
    }
    print(stdout, QStringLiteral("已建立知识库：%1\n").arg(QDir::toNativeSeparators(QDir(args.first()).absoluteFilePath(QStringLiteral("DB/ZYDBFAQ.dat")))));
    return 0;
}
