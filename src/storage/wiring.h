#pragma once
// The wiring of the panel strings: the cable section a string current needs and the connector or
// splitter type that carries a current, from the wire and connector catalogs. Plain values in and
// out; the scheme view, the fuse window and the equipment list all take them from here.

#include <QString>

#include <vector>

namespace ses {

struct WireRating {
    double section = 0; // Sech, mm2
    double current = 0; // Idop, A
};

// The smallest section whose permissible current is at least `current` (compared as design
// ratings are: both sides rounded to 6 decimals); `minimum` instead when that section is smaller
// or when no wire carries the current.
double stringCableSection(const std::vector<WireRating>& wires, double current, double minimum);

struct ConnectorRating {
    QString type;       // Tip
    double current = 0; // I, A
};

// The type of the row with the smallest rated current not below `current`, the first in key
// order among equals; empty when none carries it. Serves connectors (mc) and splitters (mc_y).
QString connectorFor(const std::vector<ConnectorRating>& rows, double current);

// The least string cable section the designer accepts, mm2: chosen in the scheme view and kept
// while the program runs, read wherever a string's cable is chosen. 4 until changed.
double minimumStringSection();
void setMinimumStringSection(double section);
// The sections the choice offers, smallest first.
const std::vector<double>& offeredSections();

} // namespace ses
