#pragma once

class QCoreApplication;

// Qt's own Chinese translations (Debian's qt6-translations-l10n), so that the standard dialogs
// (file, font, colour, message boxes) and the editor's standard actions speak the interface's
// language whatever the user's locale. False when they are not installed; the program then
// goes on in Qt's English.
bool installChineseTranslations(QCoreApplication &app);
