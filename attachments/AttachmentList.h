#pragma once

#include <QAbstractTableModel>
#include <QList>
#include <QString>

class TDM;

struct AttachmentRow
{
    qint64 ID = 0;
    QString BillID;
    QString FJName;
    QString ExdName;
    QString FileName;
};

// The attachment list of the current category (dsFJ): the rows of TDKFJ whose BillID is the
// category's code, in ascending SortNO, held in memory like a static cursor.
class AttachmentListModel : public QAbstractTableModel
{
    Q_OBJECT
public:
    enum Column { IdColumn = 0, NameColumn = 1, TypeColumn = 2, ColumnCount = 3 };

    using QAbstractTableModel::QAbstractTableModel;

    // Replaces the rows with those of the category. A failure leaves the list empty and
    // returns false; the caller decides whether that is worth a message.
    bool load(TDM &dm, const QString &categoryCode);
    void clear();
    // A row just added or deleted by the attachment commands; the list is not queried again,
    // so it keeps the order it shows until the next load.
    void appendRow(const AttachmentRow &row);
    void removeRowAt(int row);

    const QList<AttachmentRow> &rows() const { return m_rows; }
    int rowCount(const QModelIndex &parent = {}) const override;
    int columnCount(const QModelIndex &parent = {}) const override;
    QVariant data(const QModelIndex &index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

private:
    QList<AttachmentRow> m_rows;
};
