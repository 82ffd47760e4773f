#include "tree/CategoryRows.h"

#include "storage/uDM.h"

#include <QSqlQuery>
#include <QSqlRecord>

namespace categoryrows {

QList<GoodsClass> readAll(TDM &dm)
{
    QSqlQuery query = dm.exec(QStringLiteral("Select * from TFAQClass order by TypeCode"));
    const QSqlRecord record = query.record();
    const int code = record.indexOf(QStringLiteral("TypeCode"));
    const int parent = record.indexOf(QStringLiteral("ParTypeCode"));
    const int name = record.indexOf(QStringLiteral("TypeName"));
    const int level = record.indexOf(QStringLiteral("nLeveal"));
    QList<GoodsClass> rows;
    while (query.next()) {
        // NULL reads as empty text and as level 0.
        rows.append(GoodsClass{query.value(code).toString(), query.value(parent).toString(),
                               query.value(name).toString(), query.value(level).toInt()});
    }
    return rows;
}

QList<Placement> place(const QList<GoodsClass> &rows)
{
    QList<Placement> placements;
    placements.reserve(rows.size());
    int lastLevel0 = -1;
    int lastLevel1 = -1;
    for (int i = 0; i < rows.size(); ++i) {
        switch (rows[i].nLeveal) {
        case 0:
            lastLevel0 = int(placements.size());
            placements.append({i, -1, OpenFolder});
            break;
        case 1:
            placements.append({i, lastLevel0, ClosedBook});
            lastLevel1 = int(placements.size()) - 1;
            break;
        case 2:
            placements.append({i, lastLevel1, ClosedBook});
            break;
        default:
            break;
        }
    }
    return placements;
}

} // namespace categoryrows
