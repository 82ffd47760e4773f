#pragma once

#include "tree/GoodsClass.h"

#include <QList>

class TDM;

// Reading the category table and deciding where each row goes in the tree, apart from any
// widget, so the level rules can be tested on plain rows.
namespace categoryrows {

// All rows of TFAQClass in code order; throws FaqError when the table cannot be read.
QList<GoodsClass> readAll(TDM &dm);

enum Picture { OpenFolder = 0, ClosedBook = 1 };

struct Placement
{
    int row = 0;        // index into the rows
    int parent = -1;    // index of the placement that is the parent, -1 for the top level
    Picture picture = OpenFolder;
};

// Levels 0, 1 and 2 become nodes: a level-1 row goes under the last level-0 node, a level-2
// row under the last level-1 node (of whichever branch), each at the top level when that node
// does not exist yet. Rows of any other level are skipped. ParTypeCode is not consulted: the
// code order alone lists every category right after its parent.
QList<Placement> place(const QList<GoodsClass> &rows);

} // namespace categoryrows
