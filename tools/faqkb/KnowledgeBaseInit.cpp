#include "tools/faqkb/KnowledgeBaseInit.h"

#include "common/FaqError.h"
#include "storage/AppFolder.h"
#include "storage/Schema.h"
#include "tools/faqkb/DemoAnswers.h"
#include "tools/faqkb/DemoKnowledgeBase.h"
#include "tools/faqkb/HelpPicture.h"

#include <QDir>
#include <QFileInfo>

namespace kbinit {

void initKnowledgeBase(const QString &folder, bool withDemo)
{
    const QString root = appfolder::folderOf(QDir(folder).absolutePath() + QStringLiteral("/x"));
    schema::createKnowledgeBase(root);
    if (withDemo) {
        demo::fill(root);
        demoanswers::write(root);
    }
    // A help picture that is already there (perhaps the user's own) is kept.
    const QString help = root + QLatin1String(appfolder::kHelpPicture);
    if (!QFileInfo::exists(help))
        helppicture::write(help);
}

} // namespace kbinit
