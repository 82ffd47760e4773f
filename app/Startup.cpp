#include "app/Startup.h"

#include "app/uMain.h"
#include "common/Dialogs.h"
#include "storage/uDM.h"

std::unique_ptr<TfrmMainFAQ> startUp(Dialogs &dialogs, TDM &dm, const QString &executableFilePath)
{
    auto window = std::make_unique<TfrmMainFAQ>(dialogs, dm);
    if (!dm.DataModuleCreate(executableFilePath))
        dialogs.showMessage(TDM::kOpenFailedMessage);
    window->show();
    return window;
}
