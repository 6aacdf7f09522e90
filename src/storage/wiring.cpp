#include "storage/wiring.h"

#include "lib/numbers.h"

#include <atomic>

namespace ses {

namespace {

std::atomic<double> g_minimumSection{4};

} // namespace

double stringCableSection(const std::vector<WireRating>& wires, double current, double minimum) {
    const WireRating* best = nullptr;
    for (const WireRating& w : wires)
        if (atLeast(w.current, current) && (!best || w.section < best->section))
            best = &w;
    return best && best->section >= minimum ? best->section : minimum;
}

QString connectorFor(const std::vector<ConnectorRating>& rows, double current) {
    const ConnectorRating* best = nullptr;
    for (const ConnectorRating& r : rows)
        if (atLeast(r.current, current) && (!best || r.current < best->current))
            best = &r;
    return best ? best->type : QString();
}

double minimumStringSection() {
    return g_minimumSection.load();
}

void setMinimumStringSection(double section) {
    g_minimumSection.store(section);
}

const std::vector<double>& offeredSections() {
    static const std::vector<double> sections = {1,  1.5, 2.5, 4,  6,   10,  16,  25,
                                                 35, 50,  70,  95, 120, 150, 185, 240};
    return sections;
}

} // namespace ses
