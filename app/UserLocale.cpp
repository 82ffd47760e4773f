#include "app/UserLocale.h"

#ifdef Q_OS_WIN
#include <windows.h>
#endif

void writeUserDateTimeFormats()
{
#ifdef Q_OS_WIN
    // The results are not tested: a refused write leaves the user's own format in place.
    SetLocaleInfoA(LOCALE_USER_DEFAULT, LOCALE_SSHORTDATE, "yyyy-MM-dd");
    SetLocaleInfoA(LOCALE_USER_DEFAULT, LOCALE_SLONGDATE, "yyyy'\xc4\xea'MM'\xd4\xc2'dd'\xc8\xd5'");
    SetLocaleInfoA(LOCALE_USER_DEFAULT, LOCALE_STIMEFORMAT, "HH:mm:ss");
    DWORD_PTR result = 0;
    SendMessageTimeoutA(HWND_BROADCAST, WM_WININICHANGE, 0, 0, SMTO_ABORTIFHUNG, 10, &result);
#endif
}
