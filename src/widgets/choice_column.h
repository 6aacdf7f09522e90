#pragma once
// Grid columns with a drop-down list. A choice-only column takes its values from the list alone:
// a key that would type into the cell beeps, in the list and in the grid alike (which keys pass
// is lib's choiceKeyRefused). An open list offers its values but takes typed ones too.

#include "lib/choice_keys.h"

#include <QStringList>

namespace ses {

class BoundGrid;

void makeChoiceColumn(BoundGrid* grid, int column, const QStringList& values,
                      ChoiceKeys keys = ChoiceKeys::Strict);
void makeOpenListColumn(BoundGrid* grid, int column, const QStringList& values);

} // namespace ses
