#include "storage/ui/battery_drawing.h"

#include "lib/numbers.h"
#include "reports/battery_assembly.h"

namespace ses {

Drawing batteryAssemblyDrawing(const BatteryModel& m, const AssemblyFigures& figures, double uses,
                               int scale) {
    BatteryAssemblyInput in;
    in.scale = scale;
    in.parallel = figures.np;
    in.series = figures.ns;
    in.capacity = numberToText(figures.cf);
    in.count = numberToText(double(figures.kol));
    in.nominalCapacity = numberToText(m.c);
    in.nominalVoltage = numberToText(double(wholeVolts(m.u)));
    in.model = m.name;
    in.voltage = numberToText(uses);
    in.widthMm = m.s;
    in.lengthMm = m.l;
    return batteryAssembly(in, fontTextMeasure()).drawing;
}

} // namespace ses
