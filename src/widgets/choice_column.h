#pragma once
// A grid column whose values are picked from a drop-down list and never typed: any key that
// would type into a cell beeps, in the list and in the grid alike.

#include <QStringList>

namespace ses {

class BoundGrid;

void makeChoiceColumn(BoundGrid* grid, int column, const QStringList& values);

} // namespace ses
