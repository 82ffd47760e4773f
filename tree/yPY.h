#pragma once

#include <QByteArray>

// Pinyin initials of a category name, worked out on its GBK bytes. The result is only stored
// beside the name (column TypePYCode); nothing reads it back.

// Bytes below A0 are copied, each GB2312 character adds its upper-case initial (or nothing),
// and a last lone byte is copied whatever it is.
QByteArray GetPYCode(const QByteArray &gbkName);

// Initial letter of one double-byte character, a blank for the three second-level characters
// without a letter, or 0 when the character has no initial.
char GetPYInitial(unsigned char lead, unsigned char trail);
