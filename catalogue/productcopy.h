// Copying a product and moving it to another category: built on the
// catalogue's own commands, so that everything held beside a product (its
// marks, sizes, cards and whether it is offered) goes with it.
#pragma once

class Catalogue;

// Puts a copy of product row of category cat directly below it: the same
// texts, price, order number and marks. Returns the copy's row, or -1 when
// there is no such product or memory ran out (nothing changed then).
int CopyProduct(Catalogue &cat, int category, int row);

// Moves product row of category `from` to the end of category `to`, with
// its marks. Returns its row in `to`, or -1 when nothing was moved (no such
// product or category, the same category, or memory ran out).
int MoveProductToCategory(Catalogue &cat, int from, int row, int to);
