#include "tools/faqkb/DemoKnowledgeBase.h"

#include "common/FaqError.h"
#include "common/TextCodec.h"
#include "storage/AppFolder.h"
#include "tree/yPY.h"

#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QUuid>

namespace demo {

namespace {
const Category kCategories[] = {
    {"0001", "售前咨询"},
    {"00010001", "产品价格"},
    {"000100010001", "批量采购优惠"},
    {"00010002", "发货时间"},
    {"0002", "售后服务"},
    {"00020001", "退换货政策"},
    {"000200010001", "七天无理由退货"},
    {"00020002", "维修与保修"},
    {"0003", "支付与发票"},
    {"00030001", "开具发票"},
};
} // namespace

const Category *categories(int *count)
{
    *count = int(std::size(kCategories));
    return kCategories;
}

void fill(const QString &applicationFolder)
{
    const QString connection = QStringLiteral("faq-demo-") + QUuid::createUuid().toString(QUuid::WithoutBraces);
    QString error;
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), connection);
        db.setDatabaseName(applicationFolder + QLatin1String(appfolder::kDatabaseFile));
        if (!db.open()) {
            error = db.lastError().text();
        } else {
            db.transaction();
            QSqlQuery query(db);
            query.prepare(QStringLiteral("Insert into TFAQClass (TypeCode,TypeName,ParTypeCode,nLeveal,TypePYCode) "
                                         "Values(?,?,?,?,?)"));
            for (const Category &category : kCategories) {
                const QString code = QString::fromLatin1(category.code);
                const int level = int(code.size()) / 4 - 1;
                query.addBindValue(code);
                const QString name = QString::fromUtf8(category.name);
                query.addBindValue(name);
                query.addBindValue(code.left(level * 4));
                query.addBindValue(level);
                // The sample names are GB2312 text, whose initials are plain letters.
                query.addBindValue(QString::fromLatin1(GetPYCode(textcodec::toGbk(name))));
                if (!query.exec()) {
                    error = query.lastError().text();
                    break;
                }
            }
            if (error.isEmpty())
                db.commit();
            else
                db.rollback();
            db.close();
        }
    }
    QSqlDatabase::removeDatabase(connection);
    if (!error.isEmpty())
        throw FaqError(QStringLiteral("无法写入示例数据：%1").arg(error));
}

} // namespace demo
