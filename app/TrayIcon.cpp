#include "app/TrayIcon.h"

#include <QAction>
#include <QGuiApplication>
#include <QMenu>
#include <QScreen>

const QString TrayIcon::kTip = QStringLiteral("TarkelFAQvuviri");

TrayIcon::TrayIcon(const QIcon &icon, QObject *parent)
    : QObject(parent), m_icon(new QSystemTrayIcon(icon, this)), m_available(QSystemTrayIcon::isSystemTrayAvailable())
{
    m_icon->setToolTip(kTip);
    mnuPop = new QMenu;
    mnuPop->setObjectName(QStringLiteral("mnuPop"));
    mnuFormStu = mnuPop->addAction(QStringLiteral("显示/隐藏(&H)"));
    mnuFormStu->setObjectName(QStringLiteral("mnuFormStu"));
    mnuPop->addSeparator();
    MenuItem8 = mnuPop->addAction(QStringLiteral("退出 TarkelFAQvuviri"));
    MenuItem8->setObjectName(QStringLiteral("MenuItem8"));
    connect(mnuFormStu, &QAction::triggered, this, &TrayIcon::toggleRequested);
    connect(MenuItem8, &QAction::triggered, this, &TrayIcon::exitRequested);
    connect(m_icon, &QSystemTrayIcon::activated, this, &TrayIcon::MyNotify);
#ifndef Q_OS_LINUX
    // Elsewhere the right click opens the menu through the platform itself.
    m_icon->setContextMenu(mnuPop);
#endif
}

TrayIcon::~TrayIcon()
{
    // A menu of the tray has no parent widget.
    delete mnuPop;
}

bool TrayIcon::isShown() const
{
    return m_icon->isVisible();
}

void TrayIcon::AddIcon()
{
    if (m_available)
        m_icon->show();
}

void TrayIcon::RemoveIcon()
{
    m_icon->hide();
}

void TrayIcon::MyNotify(QSystemTrayIcon::ActivationReason reason)
{
    switch (reason) {
    case QSystemTrayIcon::DoubleClick:
        emit toggleRequested();
        break;
    case QSystemTrayIcon::Context:
        if (const QScreen *screen = QGuiApplication::primaryScreen())
            mnuPop->popup(menuPoint(screen->size()));
        break;
    default:
        break;
    }
}

QPoint TrayIcon::menuPoint(const QSize &screen)
{
    return QPoint(screen.width() - 40, screen.height() - 20);
}
