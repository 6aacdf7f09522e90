#pragma once
// The record bar over a catalog grid: insert, delete, edit, save and cancel, with their hints;
// deleting asks nothing. A window may show the moves to the first, prior, next and last row too.

#include "widgets/navigator.h"

namespace ses {

class BoundGrid;
class Prompter;

inline constexpr Navigator::Buttons kRecordButtons =
    Navigator::Insert | Navigator::Delete | Navigator::Edit | Navigator::Post | Navigator::Cancel;

Navigator* recordBar(BoundGrid* grid, Prompter& prompter, QWidget* parent,
                     Navigator::Buttons buttons = kRecordButtons);

} // namespace ses
