#pragma once

#include <QIcon>
#include <QList>

// The two 16x16 node pictures: 0 an open yellow folder (top-level categories), 1 a closed book
// (levels 1 and 2). Drawn in code so the program carries no picture files of others.
namespace nodepictures {
QList<QIcon> imageList();
QPixmap openFolder();
QPixmap closedBook();
} // namespace nodepictures
