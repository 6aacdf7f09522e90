#include "reports/solar_scheme_view.h"

#include <algorithm>

namespace ses {

Drawing solarSchemeView(const SolarSchemeViewInput& in, const TextMeasure& measure) {
    Drawing picture;
    if (!in.variant)
        return picture;
    const SchemeVariant& v = *in.variant;
    int width = 0, height = 0;
    for (std::size_t i = 0; i < v.arrays.size(); ++i) {
        if (i >= in.checked.size() || !in.checked[i])
            continue;
        const SchemeArray& a = v.arrays[i];
        ArraySchemeInput s;
        s.arrayName = a.name;
        s.panelType = v.panelType;
        s.strings = a.strings;
        s.panelsPerString = a.series;
        s.panelCount = a.panelCount;
        s.arrayPower = a.power;
        s.arrayVoltage = v.mppt ? v.mpptVoltage : v.systemVoltage;
        s.panelPower = v.panelPower;
        s.panelVoltage = v.panelVoltage;
        s.panelWidthMm = v.panelWidthMm;
        s.panelHeightMm = v.panelHeightMm;
        s.scale = in.scale;
        s.gap = kSchemeViewGap;
        s.annotations = in.annotations;
        const ArraySchemePlacement placed =
            appendArrayScheme(picture, QPointF(0, height), s, measure);
        height += placed.size.height();
        width = std::max(width, placed.size.width());
    }
    picture.size = QSize(width, height);
    return picture;
}

} // namespace ses
