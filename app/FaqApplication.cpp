#include "app/FaqApplication.h"

#include "common/Dialogs.h"
#include "common/FaqError.h"

#include <QMessageBox>

const QString FaqApplication::kTitle = QStringLiteral("TarkelFAQvuviri");

FaqApplication::FaqApplication(int &argc, char **argv)
    : QApplication(argc, argv)
{
    setApplicationName(kTitle);
    setApplicationDisplayName(kTitle);
}

bool FaqApplication::notify(QObject *receiver, QEvent *event)
{
    QString text;
    try {
        return QApplication::notify(receiver, event);
    } catch (const FaqError &error) {
        text = error.message();
    } catch (const std::exception &error) {
        text = QString::fromLocal8Bit(error.what());
    }
    if (m_dialogs)
        m_dialogs->showError(text);
    else
        QMessageBox::critical(nullptr, kTitle, text);
    return false;
}
