#pragma once
// The battery assembly being chosen, drawn by the one assembly drawing of the structural scheme.

#include "reports/drawing.h"
#include "storage/battery.h"

namespace ses {

// ns x np batteries of the model, the capacity and count of `figures`, at `scale` px/m.
Drawing batteryAssemblyDrawing(const BatteryModel& m, const AssemblyFigures& figures, double uses,
                               int scale);

} // namespace ses
