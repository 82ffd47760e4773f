#include "tree/CategoryCodes.h"

#include "common/FaqError.h"
#include "storage/uDM.h"

#include <QSqlQuery>

namespace categorycodes {

QString ZeroPad(const QString &text, int width)
{
    if (text.size() >= width)
        return text;
    return QString(width - text.size(), QLatin1Char('0')) + text;
}

NextCode nextCodeAfter(const QString &parent, const QString &maxCode)
{
    if (maxCode.isEmpty())
        return {NextCodeStatus::Ok, parent + QStringLiteral("0001")};

    const QString serialText = maxCode.mid(parent.size());
    bool ok = false;
    const qlonglong serial = serialText.toLongLong(&ok, 10);
    if (!ok)
        throw FaqError(QStringLiteral("“%1”不是有效的整数值。").arg(serialText));
    // Five digits would order before 9999 as text, and the next call would hand out the same
    // code again: a parent holds at most 9999 children.
    if (serial >= kMaxSerial)
        return {NextCodeStatus::Full, {}};
    return {NextCodeStatus::Ok, parent + ZeroPad(QString::number(serial + 1), kSerialWidth)};
}

NextCode nextFreeCode(TDM &dm, const QString &parent)
{
    QString maxCode;
    try {
        QSqlQuery query = dm.exec(QStringLiteral("Select Max(TypeCode) from TFAQClass Where ParTypeCode=?"), {TDM::text(parent)});
        if (query.next())
            maxCode = query.value(0).toString();
    } catch (const FaqError &) {
        return {NextCodeStatus::ReadError, {}};
    }
    return nextCodeAfter(parent, maxCode);
}

} // namespace categorycodes
