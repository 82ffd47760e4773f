#pragma once

// Writes the user's short-date, long-date and time formats and announces the change to the
// other windows. Only Windows has such per-user settings; elsewhere this does nothing.
void writeUserDateTimeFormats();
