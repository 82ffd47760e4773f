#pragma once

#include <QString>

// Paths of the application folder. Every file of the knowledge base is the application folder
// (the executable's own folder, ending in a separator) followed by a relative path.
namespace appfolder {

// The folder part of an executable's full file name, with a trailing '/'.
QString folderOf(const QString &executableFilePath);

// Relative paths, as the installation lays them out.
inline constexpr char kDataFolder[] = "DB/";
inline constexpr char kDatabaseFile[] = "DB/ZYDBFAQ.dat";
inline constexpr char kBackupFolder[] = "Bak/";
inline constexpr char kHelpPicture[] = "Help/FAQ.JPG";
inline constexpr char kSiblingProduct[] = "Halvern.exe";

// Resolves a relative path written with backslashes ("db\ZYDBFAQ.dat") under a folder: each
// part takes the on-disk spelling when one exists that differs only in case, since the
// knowledge base's names are compared without regard to case.
QString resolveRelative(const QString &folder, const QString &relative);

} // namespace appfolder
