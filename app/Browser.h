#pragma once

#include <QString>

// Hands a file path or a web address to the user's browser (the desktop's handler for it).
// Nothing is reported: a missing browser or file leaves the program as it was.
void OpenWithBrowser(const QString &target);

// The maker's web site, opened from the banner of the status bar.
inline constexpr char kVendorSite[] = "http://www.tarkel.cn/";
