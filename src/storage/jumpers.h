#pragma once
// The charge currents in the conductors of a storage battery and the battery jumpers they need:
// every series jumper of a string carries the string current Is, the bus segment after string k
// carries k x Is, and a jumper is the smallest catalog section rated for the current (two in
// parallel when no single one is). The labels of the battery scheme view come from here.
// Plain values in and out.

#include <QString>
#include <QStringList>

#include <optional>
#include <vector>

namespace ses {

// A row of the jumper catalog: section (mm2) and permissible current (A).
struct JumperRating {
    double section = 0;
    double current = 0;
};

// The jumper for a current: `count` jumpers of `section` in parallel; count 0 when the catalog
// has none rated for even half of the current.
struct JumperChoice {
    double section = 0;
    int count = 0;
    bool found() const { return count > 0; }
};

// The smallest section whose permissible current is at least I (6 decimals), as one jumper; else
// the smallest rated for I / 2, as two.
JumperChoice jumperFor(double current, const std::vector<JumperRating>& catalog);
// "10 мм2", "2x10 мм2", or "?" when none fits.
QString jumperText(const JumperChoice& j);

enum class CurrentBasis { Minimum, Maximum, Calculated };
enum class SchemeShows { Current, Section };

// What the scheme view reads of the variant's stored battery.
struct StoredBattery {
    int ns = 0, np = 0;
    double lengthMm = 0, widthMm = 0;
    std::optional<double> izarMin, izarMax;     // one battery's passport charge currents, A
    std::optional<double> sizar;                // SIzar_AKB, A
    QString cfakt, kol, cnom, unom, name, uses; // as stored, for the captions
};

// The string current by the basis; nullopt with `error` set when it cannot be had (an empty
// current, or the calculated current over no strings).
std::optional<double> stringCurrent(const StoredBattery& b, CurrentBasis basis, QString* error);

// The labels of every place: one text for all series jumpers and for every string link, one per
// bus segment (k = 1..np, the same on both buses).
struct SchemeLabels {
    QString series;
    QString link;           // empty in the section view: links carry no label there
    QStringList bus;        // bus[k - 1]
    QString missingSection; // a line naming the smallest current no jumper fits; empty otherwise
};

SchemeLabels schemeLabels(double is, int np, CurrentBasis basis, SchemeShows shows,
                          const std::vector<JumperRating>& catalog);

// The heading above the drawing.
QString schemeHeading(SchemeShows shows, CurrentBasis basis);

} // namespace ses
