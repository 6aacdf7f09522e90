#pragma once
// Layout of a storage battery assembly: np parallel strings of ns batteries in series, drawn as
// columns between a plus bus on top and a minus bus below, with the total capacity and voltage
// beside the buses and the battery model under them. Plain values in (numbers as display texts,
// formatted by the caller), primitives and the two terminal positions out. The battery choice
// shows it on its own; the structural scheme hangs it under the arrays.

#include "reports/drawing.h"

namespace ses {

// Colours the equipment drawings share with the windows they sit in: the face of an equipment box
// (the button face of the desktop) and its grey details.
inline const QColor equipmentFaceColour{240, 240, 240};
inline const QColor equipmentDetailColour{128, 128, 128};

struct BatteryAssemblyInput {
    int scale = 70;          // px/m
    int parallel = 1;        // np: strings side by side
    int series = 1;          // ns: batteries in series in a string
    QString capacity;        // total capacity of the assembly, A*h
    QString count;           // batteries in the assembly
    QString nominalCapacity; // of one battery, A*h
    QString nominalVoltage;  // of one battery, V
    QString model;           // battery model name
    QString voltage;         // voltage of the assembly (the system voltage), V
    double widthMm = 0;      // S of one battery
    double lengthMm = 0;     // L of one battery
};

// Terminals are the centres of the terminal circles at the right ends of the buses.
struct BatteryAssemblyLayout {
    Drawing drawing;
    QPointF plus;
    QPointF minus;
};

BatteryAssemblyLayout batteryAssembly(const BatteryAssemblyInput& input,
                                      const TextMeasure& measure);

} // namespace ses
