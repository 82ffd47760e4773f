#include "app/FaqApplication.h"
#include "app/QtDialogs.h"
#include "app/Startup.h"
#include "app/Translations.h"
#include "app/uMain.h"
#include "storage/uDM.h"

int main(int argc, char *argv[])
{
    FaqApplication app(argc, argv);
    installChineseTranslations(app);
    QtDialogs dialogs;
    app.setDialogs(&dialogs);
    TDM dm;
    // The window hides in the tray and boxes may close while it is hidden: the program ends
    // when the window closes for good, not when the last visible window goes.
    app.setQuitOnLastWindowClosed(false);
    const auto window = startUp(dialogs, dm, QCoreApplication::applicationFilePath());
    QObject::connect(window.get(), &TfrmMainFAQ::closed, &app, &QCoreApplication::quit, Qt::QueuedConnection);
    dialogs.setParent(window.get());
    return app.exec();
}
