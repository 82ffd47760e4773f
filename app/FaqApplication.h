#pragma once

#include <QApplication>

class Dialogs;

// The application object with the general error handler: an exception that escapes an event
// handler is shown in an error box and that event is abandoned; the program goes on.
class FaqApplication : public QApplication
{
    Q_OBJECT
public:
    static const QString kTitle;

    FaqApplication(int &argc, char **argv);
    void setDialogs(Dialogs *dialogs) { m_dialogs = dialogs; }
    bool notify(QObject *receiver, QEvent *event) override;

private:
    Dialogs *m_dialogs = nullptr;
};
