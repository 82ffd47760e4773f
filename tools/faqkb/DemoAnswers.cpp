#include "tools/faqkb/DemoAnswers.h"

#include "answers/AnswerDocument.h"
#include "tools/faqkb/DemoKnowledgeBase.h"

#include <QTextCursor>
#include <QTextDocument>
#include <QTextList>

namespace demoanswers {

namespace {

struct Answer
{
    const char *code;
    const char *greeting;   // the opening line, in bold
    const char *body;       // one plain paragraph
    const char *notice;     // a line in red
    const char *bullets[3]; // a bullet list; empty strings are left out
};

const Answer kAnswers[] = {
    {"0001", "亲，您好！欢迎光临本店～", "请问有什么可以帮您？您可以直接告诉我想了解的商品。",
     "温馨提示：本店所有商品均为正品行货。", {"工作时间：每天 9:00-22:00", "节假日正常发货", ""}},
    {"00010001", "亲，感谢您的关注！", "本店商品的价格以页面标价为准，活动期间以活动价为准。",
     "拍下后请勿修改价格，系统会自动核对。", {"单件包邮（偏远地区除外）", "满 199 元减 20 元", "会员再享 95 折"}},
    {"000100010001", "亲，批量采购可以享受优惠哦！", "一次采购 50 件以上请联系客服报价。",
     "企业采购可开具增值税专用发票。", {"50-99 件：9 折", "100-499 件：85 折", "500 件以上：另议"}},
    {"00010002", "亲，付款后 48 小时内发货。", "默认发中通快递，如需顺丰请补运费差价。",
     "大促期间发货可能延迟 1-3 天，敬请谅解。", {"江浙沪：次日达", "其他地区：2-4 天", "偏远地区：5-7 天"}},
    {"0002", "亲，很抱歉给您带来不便！", "请把订单号和问题描述发给我，我们马上为您处理。",
     "请保留商品原包装，方便后续处理。", {"质量问题：运费由本店承担", "非质量问题：运费由买家承担", ""}},
    {"00020001", "亲，本店支持退换货服务。", "签收后 7 天内可申请退换，请在订单页面点击“申请售后”。",
     "退回时请在包裹内附上订单号纸条。", {"商品及配件齐全", "吊牌、包装完好", "不影响二次销售"}},
    {"000200010001", "亲，本商品支持七天无理由退货。", "请在签收后 7 天内提交申请，审核通过后寄回即可。",
     "定制类、贴身类商品不适用七天无理由退货。", {"收到退货后 48 小时内退款", "退款原路返回", ""}},
    {"00020002", "亲，本店商品享受一年保修。", "保修期内非人为损坏可免费维修或更换。",
     "人为损坏、进水等情况不在保修范围内。", {"寄修前请先联系客服登记", "请附上保修卡或订单截图", ""}},
    {"0003", "亲，本店支持多种支付方式。", "支付宝、微信、银行卡均可付款。",
     "请勿相信任何私下转账的要求！", {"支持花呗分期", "支持货到付款（部分地区）", ""}},
    {"00030001", "亲，本店可以开具发票。", "请在下单时备注发票抬头和税号，电子发票发货后 3 天内发送。",
     "纸质发票随货寄出。", {"个人：抬头填写姓名", "企业：抬头和税号", ""}},
};

} // namespace

bool build(const QString &categoryCode, QTextDocument *doc)
{
    for (const Answer &answer : kAnswers) {
        if (categoryCode != QLatin1String(answer.code))
            continue;
        doc->clear();
        doc->setDefaultFont(answerdocument::defaultFont());
        QTextCursor cursor(doc);
        QTextCharFormat plain;
        QTextCharFormat bold;
        bold.setFontWeight(QFont::Bold);
        QTextCharFormat red;
        red.setForeground(QColor(0xc0, 0x00, 0x00));

        cursor.insertText(QString::fromUtf8(answer.greeting), bold);
        cursor.insertBlock();
        cursor.insertText(QString::fromUtf8(answer.body), plain);
        cursor.insertBlock();
        cursor.insertText(QString::fromUtf8(answer.notice), red);
        QTextListFormat list;
        list.setStyle(QTextListFormat::ListDisc);
        bool listStarted = false;
        for (const char *bullet : answer.bullets) {
            if (!*bullet)
                continue;
            // Later items take the block format of the one before, which keeps them in the list.
            cursor.insertBlock(listStarted ? cursor.blockFormat() : QTextBlockFormat(), plain);
            if (!listStarted) {
                cursor.createList(list);
                listStarted = true;
            }
            cursor.insertText(QString::fromUtf8(bullet), plain);
        }
        return true;
    }
    return false;
}

void write(const QString &applicationFolder)
{
    int count = 0;
    const demo::Category *categories = demo::categories(&count);
    for (int i = 0; i < count; ++i) {
        const QString code = QString::fromLatin1(categories[i].code);
        QTextDocument doc;
        if (build(code, &doc))
            answerdocument::save(answerdocument::path(applicationFolder, code), doc);
    }
}

} // namespace demoanswers
