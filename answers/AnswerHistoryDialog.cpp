#include "answers/AnswerHistoryDialog.h"

#include "answers/AnswerDocument.h"
#include "common/FaqError.h"

#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLocale>
#include <QPushButton>
#include <QTableWidget>
#include <QTextEdit>
#include <QVBoxLayout>

const QString AnswerHistoryDialog::kTitle = QStringLiteral("历史版本");
const QString AnswerHistoryDialog::kRestore = QStringLiteral("恢复此版本");
const QString AnswerHistoryDialog::kNoVersions = QStringLiteral("该分类还没有被替换过的应答内容。");

namespace {

QString sizeText(qint64 bytes)
{
    return bytes < 1024 ? QStringLiteral("%1 字节").arg(bytes) : QStringLiteral("%1 KB").arg(QLocale::c().toString(bytes / 1024.0, 'f', 1));
}

} // namespace

AnswerHistoryDialog::AnswerHistoryDialog(const QString &categoryName, const QList<answerhistory::Version> &versions,
                                         ContentSource content, QWidget *parent)
    : QDialog(parent), m_versions(versions)
{
    setObjectName(QStringLiteral("AnswerHistoryDialog"));
    setWindowTitle(kTitle);
    resize(640, 480);
    auto *layout = new QVBoxLayout(this);

    Caption = new QLabel(versions.isEmpty() ? kNoVersions
                                            : QStringLiteral("分类[%1]：每次保存时被替换的内容，新的在前。").arg(categoryName));
    Caption->setObjectName(QStringLiteral("Caption"));
    layout->addWidget(Caption);

    VersionList = new QTableWidget(int(versions.size()), 3);
    VersionList->setObjectName(QStringLiteral("VersionList"));
    VersionList->setHorizontalHeaderLabels({QStringLiteral("保存时间"), QStringLiteral("大小"), QStringLiteral("内容")});
    VersionList->verticalHeader()->hide();
    VersionList->setEditTriggers(QAbstractItemView::NoEditTriggers);
    VersionList->setSelectionBehavior(QAbstractItemView::SelectRows);
    VersionList->setSelectionMode(QAbstractItemView::SingleSelection);
    VersionList->horizontalHeader()->setStretchLastSection(true);
    for (int row = 0; row < versions.size(); ++row) {
        QByteArray document;
        QString first;
        try {
            document = content(versions[row].id);
            first = answerhistory::firstLine(document);
        } catch (const FaqError &error) {
            first = QStringLiteral("（无法读取：%1）").arg(error.message());
        }
        m_documents << document;
        VersionList->setItem(row, 0, new QTableWidgetItem(versions[row].savedAt.toString(QStringLiteral("yyyy-MM-dd HH:mm:ss"))));
        VersionList->setItem(row, 1, new QTableWidgetItem(sizeText(versions[row].size)));
        VersionList->setItem(row, 2, new QTableWidgetItem(first));
    }
    VersionList->resizeColumnToContents(0);
    VersionList->resizeColumnToContents(1);
    layout->addWidget(VersionList, 1);

    VersionPreview = new QTextEdit;
    VersionPreview->setObjectName(QStringLiteral("VersionPreview"));
    VersionPreview->setReadOnly(true);
    VersionPreview->document()->setDefaultFont(answerdocument::defaultFont());
    layout->addWidget(VersionPreview, 2);

    auto *buttons = new QHBoxLayout;
    buttons->addStretch(1);
    RestoreVersion = new QPushButton(kRestore);
    RestoreVersion->setObjectName(QStringLiteral("RestoreVersion"));
    CloseButton = new QPushButton(QStringLiteral("关闭"));
    CloseButton->setObjectName(QStringLiteral("CloseButton"));
    buttons->addWidget(RestoreVersion);
    buttons->addWidget(CloseButton);
    layout->addLayout(buttons);

    connect(VersionList, &QTableWidget::itemSelectionChanged, this, &AnswerHistoryDialog::showSelected);
    connect(VersionList, &QTableWidget::cellDoubleClicked, this, &AnswerHistoryDialog::restoreSelected);
    connect(RestoreVersion, &QPushButton::clicked, this, &AnswerHistoryDialog::restoreSelected);
    connect(CloseButton, &QPushButton::clicked, this, &QDialog::reject);
    RestoreVersion->setEnabled(false);
    if (!versions.isEmpty())
        VersionList->selectRow(0);
}

void AnswerHistoryDialog::showSelected()
{
    const int row = VersionList->currentRow();
    const bool readable = row >= 0 && row < m_documents.size() && !m_documents[row].isEmpty();
    if (readable)
        answerdocument::read(m_documents[row], VersionPreview->document());
    else
        VersionPreview->clear();
    RestoreVersion->setEnabled(readable);
}

void AnswerHistoryDialog::restoreSelected()
{
    const int row = VersionList->currentRow();
    if (row < 0 || row >= m_documents.size() || m_documents[row].isEmpty())
        return;
    emit restoreRequested(m_documents[row]);
    accept();
}
