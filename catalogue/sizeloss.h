// Prices that a change of sizes would drop. A category keeps one price per
// size; giving it fewer sizes, or moving a product into a category with
// fewer sizes, drops the prices of the sizes that go. The window asks before
// it does that; these count what would go.
#pragma once

#include <QStringList>

class Catalogue;

// The prices (not empty sizes) that giving category `cat` these headings
// would drop (Catalogue::setSizeHeadings: empty headings at the end do not
// count). The first size's price always stays, as the product's price.
int PricesDroppedByHeadings(const Catalogue &c, int cat, const QStringList &headings);

// The prices that moving product `row` of category `from` into category `to`
// would drop: those of sizes that `to` does not have.
int PricesDroppedByMove(const Catalogue &c, int from, int row, int to);
