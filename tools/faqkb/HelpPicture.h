#pragma once

#include <QImage>
#include <QString>

// The help picture shown by the help button: the two workspace modes and the copy buttons,
// drawn in code so the installation ships no picture of anyone else's.
namespace helppicture {
QImage draw();
// Writes the picture as JPEG; throws FaqError when it cannot be written.
void write(const QString &path);
}
