#include "app/FaqApplication.h"
#include "app/QtDialogs.h"
#include "app/Startup.h"
#include "app/uMain.h"
#include "storage/uDM.h"

int main(int argc, char *argv[])
{
    FaqApplication app(argc, argv);
    QtDialogs dialogs;
    app.setDialogs(&dialogs);
    TDM dm;
    const auto window = startUp(dialogs, dm, QCoreApplication::applicationFilePath());
    dialogs.setParent(window.get());
    return app.exec();
}
