#include "attachments/AttachmentList.h"

#include "common/FaqError.h"
#include "storage/uDM.h"

#include <QSqlQuery>
#include <QSqlRecord>

bool AttachmentListModel::load(TDM &dm, const QString &categoryCode)
{
    QList<AttachmentRow> rows;
    bool ok = true;
    try {
        QSqlQuery query = dm.exec(QStringLiteral("Select * from TDKFJ where billid=? Order by SortNO"), {TDM::text(categoryCode)});
        const QSqlRecord record = query.record();
        const int id = record.indexOf(QStringLiteral("ID"));
        const int bill = record.indexOf(QStringLiteral("BillID"));
        const int name = record.indexOf(QStringLiteral("FJName"));
        const int type = record.indexOf(QStringLiteral("ExdName"));
        const int file = record.indexOf(QStringLiteral("FileName"));
        while (query.next()) {
            rows.append({query.value(id).toLongLong(), query.value(bill).toString(), query.value(name).toString(),
                         query.value(type).toString(), query.value(file).toString()});
        }
    } catch (const FaqError &) {
        rows.clear();
        ok = false;
    }
    beginResetModel();
    m_rows = std::move(rows);
    endResetModel();
    return ok;
}

void AttachmentListModel::clear()
{
    beginResetModel();
    m_rows.clear();
    endResetModel();
}

void AttachmentListModel::appendRow(const AttachmentRow &row)
{
    const int at = int(m_rows.size());
    beginInsertRows({}, at, at);
    m_rows.append(row);
    endInsertRows();
}

void AttachmentListModel::removeRowAt(int row)
{
    if (row < 0 || row >= m_rows.size())
        return;
    beginRemoveRows({}, row, row);
    m_rows.removeAt(row);
    endRemoveRows();
}

int AttachmentListModel::rowCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : int(m_rows.size());
}

int AttachmentListModel::columnCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : ColumnCount;
}

QVariant AttachmentListModel::data(const QModelIndex &index, int role) const
{
    if (!index.isValid() || index.row() >= m_rows.size() || (role != Qt::DisplayRole && role != Qt::ToolTipRole))
        return {};
    const AttachmentRow &row = m_rows[index.row()];
    switch (index.column()) {
    case IdColumn: return row.ID;
    case NameColumn: return row.FJName;
    case TypeColumn: return row.ExdName;
    default: return {};
    }
}

QVariant AttachmentListModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole)
        return QAbstractTableModel::headerData(section, orientation, role);
    switch (section) {
    case IdColumn: return QStringLiteral("ID");
    case NameColumn: return QStringLiteral("附件名称");
    case TypeColumn: return QStringLiteral("附件类型");
    default: return {};
    }
}
