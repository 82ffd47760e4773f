#pragma once

#include <QObject>
#include <QPoint>
#include <QSystemTrayIcon>

class QAction;
class QMenu;

// The program's icon in the desktop's tray, with its tip and its menu mnuPop. A double click
// asks for the show/hide toggle; a right click opens the menu near the screen's bottom-right
// corner where the platform lets the program place it (elsewhere the tray host places it). It
// knows whether the desktop has a tray at all, so the window never hides where it could not
// be brought back.
class TrayIcon : public QObject
{
    Q_OBJECT
public:
    static const QString kTip;

    TrayIcon(const QIcon &icon, QObject *parent = nullptr);
    ~TrayIcon() override;

    QMenu *mnuPop = nullptr;
    QAction *mnuFormStu = nullptr;
    QAction *MenuItem8 = nullptr;

    // Whether the desktop shows tray icons. Tests set it; the default asks the platform.
    bool isAvailable() const { return m_available; }
    void setAvailable(bool available) { m_available = available; }
    bool isShown() const;

    // Puts the icon in the tray (where there is one); removing an icon not there does nothing.
    void AddIcon();
    void RemoveIcon();
    // What the tray reports of the mouse.
    void MyNotify(QSystemTrayIcon::ActivationReason reason);

    // Where the menu's top-left corner goes: 40 and 20 pixels in from the bottom-right corner.
    static QPoint menuPoint(const QSize &screen);

signals:
    void toggleRequested();
    void exitRequested();

private:
    QSystemTrayIcon *m_icon;
    bool m_available;
};
