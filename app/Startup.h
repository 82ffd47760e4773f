#pragma once

#include <memory>

class Dialogs;
class QString;
class TDM;
class TfrmMainFAQ;

// The program's start in its fixed order: the main window is created (its creation handler
// runs), then the data module opens the knowledge base beside the executable and reports a
// failure before anything is visible, then the window is shown, which loads the tree.
std::unique_ptr<TfrmMainFAQ> startUp(Dialogs &dialogs, TDM &dm, const QString &executableFilePath);
