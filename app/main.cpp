#include "app/FaqApplication.h"
#include "app/QtDialogs.h"
#include "app/uMain.h"
#include "storage/uDM.h"

int main(int argc, char *argv[])
{
    FaqApplication app(argc, argv);
    QtDialogs dialogs;
    app.setDialogs(&dialogs);

    TDM dm;
    TfrmMainFAQ window(dialogs, dm);
    dialogs.setParent(&window);

    // The data module comes up after the window exists and before it is shown, so its message
    // appears before the window does.
    if (!dm.DataModuleCreate(QCoreApplication::applicationFilePath()))
        dialogs.showMessage(TDM::kOpenFailedMessage);

    window.show();
    return app.exec();
}
