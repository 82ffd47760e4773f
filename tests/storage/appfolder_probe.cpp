#include "storage/uDM.h"

#include <QCoreApplication>
#include <QSqlQuery>

#include <cstdio>

// Prints the application folder it found, whether the knowledge base opened, and the number
// of categories, one per line.
int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    int categories = -1;
    bool opened = false;
    {
        TDM dm;
        opened = dm.DataModuleCreate(QCoreApplication::applicationFilePath());
        if (opened) {
            QSqlQuery query = dm.exec(QStringLiteral("select count(*) from TFAQClass"));
            if (query.next())
                categories = query.value(0).toInt();
        }
        std::printf("%s\n%d\n%d\n", dm.applicationFolder().toUtf8().constData(), opened ? 1 : 0, categories);
    }
    return 0;
}
