#pragma once

#include <QMetaType>
#include <QString>

// The record each tree node carries: every operation finds a node's category through TypeCode.
struct GoodsClass
{
    QString TypeCode;
    QString ParTypeCode;
    QString TypeName;
    qint32 nLeveal = 0;

    friend bool operator==(const GoodsClass &, const GoodsClass &) = default;
};
Q_DECLARE_METATYPE(GoodsClass)
