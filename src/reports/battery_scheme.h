#pragma once
// The battery scheme view's drawing: the cells of a storage battery as a grid, strings side by
// side between a positive bus on top and a negative bus below, every conductor labelled with the
// charge current it carries or with the jumper section that current needs. The labels arrive as
// texts (storage/jumpers.h makes them); sizes in millimetres, the scale in pixels per metre.

#include "reports/drawing.h"

#include <QStringList>

namespace ses {

struct BatterySchemeInput {
    int ns = 1, np = 1;            // cells in series in a string, parallel strings
    double lengthMm = 0;           // a cell's length (drawn as its height)
    double widthMm = 0;            // a cell's width
    int scale = 100;               // px/m
    QString seriesLabel;           // beside every series jumper
    QString linkLabel;             // beside the leads joining strings 2.. to the buses; empty: none
    QStringList busLabels;         // bus segment after string k (k = 1..np), on both buses
    QString capacity, voltage;     // Cfakt_AKB, Uses as stored
    QString name, cnom, unom, kol; // the caption under the assembly
};

// The gap between cells, strings and buses, pixels.
inline constexpr int kBatterySchemeGap = 40;

Drawing batteryScheme(const BatterySchemeInput& in, const TextMeasure& measure);

} // namespace ses
