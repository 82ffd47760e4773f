#include "tools/faqkb/HelpPicture.h"

#include "common/FaqError.h"

#include <QDir>
#include <QFileInfo>
#include <QPainter>
#include <QSaveFile>

namespace helppicture {

namespace {

const QColor kFrame(0x40, 0x40, 0x40);
const QColor kPanel(0xf4, 0xf4, 0xf4);
const QColor kAccent(0xc0, 0x20, 0x20);

QFont uiFont(int pixels, bool bold = false)
{
    QFont font(QStringLiteral("WenQuanYi Micro Hei"));
    font.setPixelSize(pixels);
    font.setBold(bold);
    return font;
}

void button(QPainter &p, const QRect &rect, const QString &caption, bool down = false)
{
    p.setPen(kFrame);
    p.setBrush(down ? QColor(0xc8, 0xd8, 0xf0) : QColor(0xe8, 0xe8, 0xe8));
    p.drawRect(rect);
    p.setFont(uiFont(12));
    p.drawText(rect, Qt::AlignCenter, caption);
}

void callout(QPainter &p, const QPoint &from, const QPoint &to, const QString &text)
{
    // The line leaves from above the label so it never runs through the text.
    p.setPen(QPen(kAccent, 2));
    p.drawLine(QPoint(from.x(), from.y() - 24), to);
    p.setBrush(kAccent);
    p.drawEllipse(to, 3, 3);
    p.setFont(uiFont(13, true));
    p.drawText(QRect(from.x() - 150, from.y() - 22, 300, 20), Qt::AlignCenter, text);
}

// One schematic window: toolbar, tree, answer area and either the copy buttons (query mode)
// or the tree-editing strip and the editing toolbar (maintenance mode).
void modeWindow(QPainter &p, const QRect &area, bool query)
{
    p.setPen(kFrame);
    p.setBrush(Qt::white);
    p.drawRect(area);
    const int x = area.left() + 6;
    int y = area.top() + 6;
    button(p, QRect(x, y, 92, 20), QStringLiteral("FAQ查询应答"), query);
    button(p, QRect(x + 96, y, 110, 20), QStringLiteral("FAQ应答信息维护"), !query);
    button(p, QRect(x + 210, y, 86, 20), QStringLiteral("FAQ数据维护"));
    y += 28;

    const int treeWidth = query ? 120 : 176;
    const QRect tree(x, y, treeWidth, area.bottom() - y - 8 - (query ? 0 : 34));
    p.setBrush(kPanel);
    p.drawRect(tree);
    p.setFont(uiFont(12));
    const QStringList nodes = {QStringLiteral("▼ 售前咨询"), QStringLiteral("    产品价格"), QStringLiteral("    发货时间"),
                               QStringLiteral("▶ 售后服务"), QStringLiteral("▶ 支付与发票")};
    for (int i = 0; i < nodes.size(); ++i) {
        const QRect line(tree.left() + 4, tree.top() + 6 + i * 20, tree.width() - 8, 18);
        if (i == 1) {
            p.fillRect(line, QColor(0x30, 0x60, 0xc0));
            p.setPen(Qt::white);
        } else {
            p.setPen(kFrame);
        }
        p.drawText(line, Qt::AlignLeft | Qt::AlignVCenter, nodes[i]);
    }
    p.setPen(kFrame);
    if (!query) {
        const QStringList edits = {QStringLiteral("添加一级"), QStringLiteral("添加下级"), QStringLiteral("修改"), QStringLiteral("删除")};
        const int w = (treeWidth - 6) / 4;
        for (int i = 0; i < edits.size(); ++i) {
            button(p, QRect(x + i * (w + 2), tree.bottom() + 8, w, 22), QString());
            p.setFont(uiFont(10));
            p.drawText(QRect(x + i * (w + 2), tree.bottom() + 8, w, 22), Qt::AlignCenter, edits[i]);
        }
    }

    const int answerLeft = x + treeWidth + 6;
    const int answerRight = area.right() - 6 - (query ? 90 : 0);
    int answerTop = y;
    if (!query) {
        p.setBrush(kPanel);
        p.drawRect(QRect(answerLeft, answerTop, answerRight - answerLeft, 22));
        p.setFont(uiFont(12, true));
        p.drawText(QRect(answerLeft + 6, answerTop, answerRight - answerLeft, 22), Qt::AlignLeft | Qt::AlignVCenter,
                   QStringLiteral("B  I  U   字体   字号   颜色   保存"));
        answerTop += 28;
    }
    const QRect answer(answerLeft, answerTop, answerRight - answerLeft, area.bottom() - answerTop - 70);
    p.setBrush(Qt::white);
    p.drawRect(answer);
    p.setFont(uiFont(13));
    p.drawText(answer.adjusted(8, 6, -8, -6), Qt::AlignLeft | Qt::AlignTop | Qt::TextWordWrap,
               QStringLiteral("您好！本店商品均为现货，付款后48小时内发货。\n• 江浙沪次日达\n• 偏远地区3-5天"));
    const QRect attachments(answerLeft, answer.bottom() + 6, answerRight - answerLeft, 58);
    p.setBrush(kPanel);
    p.drawRect(attachments);
    p.setFont(uiFont(12));
    p.drawText(attachments.adjusted(6, 4, -6, -4), Qt::AlignLeft | Qt::AlignTop,
               QStringLiteral("其他文件附件：价目表.xls    售后登记表.doc"));
    if (query) {
        button(p, QRect(answerRight + 6, answerTop + 6, 80, 22), QStringLiteral("复制"));
        button(p, QRect(answerRight + 6, answerTop + 34, 80, 22), QStringLiteral("全选复制"));
    }
}

} // namespace

QImage draw()
{
    QImage image(960, 700, QImage::Format_RGB32);
    image.fill(QColor(0xfd, 0xfb, 0xf2));
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    p.setRenderHint(QPainter::TextAntialiasing);

    p.setPen(kFrame);
    p.setFont(uiFont(26, true));
    p.drawText(QRect(0, 14, image.width(), 40), Qt::AlignCenter, QStringLiteral("TarkelFAQ 快速应答知识库 使用帮助"));

    p.setFont(uiFont(17, true));
    p.drawText(QRect(30, 70, 440, 24), Qt::AlignLeft, QStringLiteral("一、查询应答模式（与客户聊天时使用）"));
    p.drawText(QRect(500, 70, 440, 24), Qt::AlignLeft, QStringLiteral("二、应答信息维护模式（整理知识库时使用）"));

    modeWindow(p, QRect(30, 104, 440, 360), true);
    modeWindow(p, QRect(500, 104, 430, 360), false);

    callout(p, QPoint(250, 500), QPoint(418, 166), QStringLiteral("“复制”：复制选中的文字"));
    callout(p, QPoint(420, 530), QPoint(440, 194), QStringLiteral("“全选复制”：复制整条应答"));
    callout(p, QPoint(640, 510), QPoint(560, 432), QStringLiteral("在此添加、修改、删除分类"));

    p.setPen(kFrame);
    p.setFont(uiFont(15));
    const QStringList steps = {
        QStringLiteral("1. 点击左侧分类，右侧显示该分类的应答内容和附件。"),
        QStringLiteral("2. 点“全选复制”或选中部分文字后点“复制”，再到聊天窗口粘贴。"),
        QStringLiteral("3. 选中附件后点“复制文件”，即可把文件本身粘贴给客户。"),
        QStringLiteral("4. 在“FAQ应答信息维护”中编辑分类和应答，离开编辑区时自动保存。"),
        QStringLiteral("5. “FAQ数据维护”菜单提供备份、还原和数据清除。"),
    };
    for (int i = 0; i < steps.size(); ++i)
        p.drawText(QRect(40, 560 + i * 26, 880, 24), Qt::AlignLeft | Qt::AlignVCenter, steps[i]);
    return image;
}

void write(const QString &path)
{
    QDir().mkpath(QFileInfo(path).absolutePath());
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly) || !draw().save(&file, "JPG", 90) || !file.commit())
        throw FaqError(QStringLiteral("无法写入帮助图片：%1").arg(QDir::toNativeSeparators(path)));
}

} // namespace helppicture
