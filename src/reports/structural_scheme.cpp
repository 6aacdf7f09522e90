#include "reports/structural_scheme.h"

#include "reports/array_scheme.h"
#include "reports/battery_assembly.h"

#include <algorithm>
#include <cmath>
#include <iterator>
#include <numbers>

namespace ses {

namespace {

const DrawPen blackPen{Qt::black, 1};
const DrawPen greyPen{equipmentDetailColour, 1};
// The polarity signs at the leads of the controllers and inverters are set smaller than the
// labels: they stand in the few pixels between a box and the lines under it.
const DrawFont signFont{10, false};

QString withUnit(const QString& value, const QString& unit) {
    return value.isEmpty() ? QString() : value + unit;
}

enum class DeviceKind { None, Breaker, Fuse };

struct Device {
    DeviceKind kind = DeviceKind::None;
    QString type;
    QString current; // with its unit
};

Device deviceOf(const SchemeCircuit& c) {
    if (!c.breakerType.isEmpty())
        return {DeviceKind::Breaker, c.breakerType,
                withUnit(c.breakerCurrent, QStringLiteral(" A"))};
    if (!c.fuseType.isEmpty())
        return {DeviceKind::Fuse, c.fuseType, withUnit(c.fuseCurrent, QStringLiteral(" A"))};
    return {};
}

struct CableLines {
    QString first, second;
};

// "2x" + section + " мм2" (or count + "x(2x" + section + ") мм2" for parallel cables) over the
// length, with the currents option followed by the current and the voltage drop.
CableLines cableLines(const SchemeCircuit& c, bool currents) {
    if (c.section.isEmpty())
        return {};
    CableLines lines;
    if (c.cableCount.isEmpty() || c.cableCount == QStringLiteral("1"))
        lines.first = QStringLiteral("2x") + c.section + QStringLiteral(" мм2");
    else
        lines.first = c.cableCount + QStringLiteral("x(2x") + c.section + QStringLiteral(") мм2");
    QStringList parts;
    if (!c.length.isEmpty())
        parts << c.length + QStringLiteral(" м");
    if (currents) {
        if (!c.current.isEmpty())
            parts << c.current + QStringLiteral(" A");
        if (!c.drop.isEmpty())
            parts << c.drop + QStringLiteral(" %");
    }
    lines.second = parts.join(QStringLiteral("; "));
    return lines;
}

// A straight line of the bus network. Where a horizontal and a vertical line cross without
// joining, one of them hops over the other: the horizontal one, unless the vertical one is marked
// to hop. A line may carry a breaker or fuse centred at deviceX.
struct Wire {
    QPointF a, b;
    int width = 1;
    bool bar = false;          // a collector bar: lines meeting it get no junction dot
    bool verticalHops = false; // this vertical line hops over the horizontals it crosses
    Device device;
    double deviceX = 0;
    std::vector<double> hops; // where it hops, along its own axis

    bool horizontal() const { return a.y() == b.y() && a.x() != b.x(); }
    bool vertical() const { return a.x() == b.x() && a.y() != b.y(); }
};

bool strictlyBetween(double v, double p, double q) {
    return v > std::min(p, q) + 0.5 && v < std::max(p, q) - 0.5;
}

bool onWire(const Wire& w, QPointF p) {
    if (w.horizontal())
        return p.y() == w.a.y() && p.x() >= std::min(w.a.x(), w.b.x()) &&
               p.x() <= std::max(w.a.x(), w.b.x());
    if (w.vertical())
        return p.x() == w.a.x() && p.y() >= std::min(w.a.y(), w.b.y()) &&
               p.y() <= std::max(w.a.y(), w.b.y());
    return false;
}

class Builder {
public:
    Builder(const TextMeasure& measure, QColor window) : m_measure(measure), m_window(window) {
        th = static_cast<int>(std::ceil(measure(QStringLiteral("Ag"), DrawFont{}).height()));
        drawing.background = window;
    }

    int tw(const QString& text) const {
        return text.isEmpty() ? 0
                              : static_cast<int>(std::ceil(m_measure(text, DrawFont{}).width()));
    }

    // The width a column needs for a circuit's device and cable labels.
    int circuitWidth(const SchemeCircuit& c, bool currents) const {
        const Device d = deviceOf(c);
        const CableLines cable = cableLines(c, currents);
        return std::max({tw(d.type), tw(d.current), tw(cable.first), tw(cable.second)});
    }

    void add(Primitive item) { drawing.items.push_back(std::move(item)); }

    void append(Drawing part, QPointF offset) {
        translate(part, offset);
        drawing.items.insert(drawing.items.end(), std::make_move_iterator(part.items.begin()),
                             std::make_move_iterator(part.items.end()));
    }

    void reserve(std::size_t count) { drawing.items.reserve(count); }

    Wire& wire(QPointF a, QPointF b) {
        Wire w;
        w.a = a;
        w.b = b;
        wires.push_back(w);
        return wires.back();
    }

    void deviceWire(QPointF a, QPointF b, const Device& device, double cx) {
        Wire& w = wire(a, b);
        w.device = device;
        w.deviceX = cx;
    }

    void text(QPointF anchor, const QString& text, Qt::Alignment alignment,
              DrawFont font = DrawFont{}) {
        if (!text.isEmpty())
            add(DrawText{anchor, text, font, alignment, Qt::black});
    }

    void centred(double cx, double top, const QString& s) {
        text(QPointF(cx, top), s, Qt::AlignHCenter | Qt::AlignTop);
    }

    void rotated(QPointF topLeft, const QString& s) {
        if (!s.isEmpty())
            add(DrawRotatedText{topLeft, s, DrawFont{}, Qt::black, m_window});
    }

    // A device's labels over the line at y0 (type above its current); a fuse's stand 4 pixels
    // higher, clear of its body.
    void deviceLabelsAbove(const Device& d, double cx, double y0) {
        const int lift = d.kind == DeviceKind::Fuse ? 4 : 0;
        centred(cx, y0 - 2 * th - 4 - lift, d.type);
        centred(cx, y0 - th - 2 - lift, d.current);
    }

    void deviceLabelsBelow(const Device& d, double cx, double y0) {
        const int drop = d.kind == DeviceKind::Fuse ? 0 : 3;
        centred(cx, y0 + 8 + drop, d.type);
        centred(cx, y0 + th + 10 + drop, d.current);
    }

    void cableLabels(const CableLines& lines, double cx, double firstTop, double secondTop) {
        centred(cx, firstTop, lines.first);
        centred(cx, secondTop, lines.second);
    }

    void terminal(QPointF centre) {
        add(DrawEllipse{QRectF(centre - QPointF(2, 2), QSizeF(4, 4)), blackPen, m_window});
    }

    // Lines, hops, devices and junction dots, drawn over the boxes and under nothing.
    void finishWires() {
        // Vertical lines by their x, so that each horizontal one looks only at those within its
        // span.
        std::vector<Wire*> verticals;
        for (Wire& w : wires)
            if (w.vertical())
                verticals.push_back(&w);
        std::sort(verticals.begin(), verticals.end(),
                  [](const Wire* p, const Wire* q) { return p->a.x() < q->a.x(); });
        for (Wire& h : wires) {
            if (!h.horizontal())
                continue;
            const double left = std::min(h.a.x(), h.b.x());
            const double right = std::max(h.a.x(), h.b.x());
            const double y = h.a.y();
            auto it = std::lower_bound(verticals.begin(), verticals.end(), left,
                                       [](const Wire* w, double x) { return w->a.x() < x; });
            for (; it != verticals.end() && (*it)->a.x() <= right; ++it) {
                Wire& v = **it;
                const double x = v.a.x();
                if (!strictlyBetween(x, left, right) || !strictlyBetween(y, v.a.y(), v.b.y()))
                    continue;
                if (v.verticalHops)
                    v.hops.push_back(y);
                else
                    h.hops.push_back(x);
            }
        }
        for (const Wire& w : wires)
            drawWire(w);
        for (const QPointF& p : junctions())
            add(DrawEllipse{QRectF(p - QPointF(2, 2), QSizeF(4, 4)), blackPen, QColor(Qt::black)});
    }

    // Grows the picture over everything drawn, so that no label is ever cut off.
    // The arrays come inside their own canvases, which the picture already holds; only what was
    // drawn after them (from index first on) is looked at.
    void coverEverything(std::size_t first, int margin) {
        double right = size.width();
        double bottom = size.height();
        const auto reach = [&](double x, double y) {
            right = std::max(right, x + margin);
            bottom = std::max(bottom, y + margin);
        };
        for (std::size_t i = first; i < drawing.items.size(); ++i) {
            const Primitive& item = drawing.items[i];
            if (const auto* t = std::get_if<DrawText>(&item)) {
                const QRectF box = textBox(*t, m_measure);
                reach(box.right(), box.bottom());
            } else if (const auto* r = std::get_if<DrawRotatedText>(&item)) {
                const QRectF box = textBox(*r, m_measure);
                reach(box.right(), box.bottom());
            } else if (const auto* l = std::get_if<DrawLine>(&item)) {
                reach(std::max(l->from.x(), l->to.x()), std::max(l->from.y(), l->to.y()));
            }
        }
        size = size.expandedTo(
            QSize(static_cast<int>(std::ceil(right)), static_cast<int>(std::ceil(bottom))));
    }

    Drawing drawing;
    std::vector<Wire> wires;
    QSize size;
    int th = 12;

private:
    void line(QPointF a, QPointF b, int width) { add(DrawLine{a, b, DrawPen{Qt::black, width}}); }

    void drawWire(const Wire& w) {
        const bool h = w.horizontal();
        const double from = h ? std::min(w.a.x(), w.b.x()) : std::min(w.a.y(), w.b.y());
        const double to = h ? std::max(w.a.x(), w.b.x()) : std::max(w.a.y(), w.b.y());
        const double level = h ? w.a.y() : w.a.x();
        const auto point = [&](double along) {
            return h ? QPointF(along, level) : QPointF(level, along);
        };
        std::vector<std::pair<double, double>> cuts;
        for (const double at : w.hops) {
            cuts.push_back({at - 3, at + 4});
            // A half-ellipse over the crossing: on the upper side of a horizontal line, on the
            // left of a vertical one.
            if (h)
                add(DrawArc{QRectF(at - 3, level - 3, 7, 6), 0, 180, blackPen});
            else
                add(DrawArc{QRectF(level - 3, at - 3, 6, 7), 90, 180, blackPen});
        }
        if (h && w.device.kind == DeviceKind::Breaker) {
            const double cx = w.deviceX;
            const double y0 = level;
            cuts.push_back({cx - 7, cx + 8});
            line(QPointF(cx - 7, y0 + 7), QPointF(cx + 8, y0), 1);
            QPolygonF latch;
            latch << QPointF(cx - 2, y0 + 5) << QPointF(cx - 1, y0 + 8) << QPointF(cx + 3, y0 + 6)
                  << QPointF(cx + 2, y0 + 3);
            add(DrawPolygon{latch, blackPen, std::nullopt});
        } else if (h && w.device.kind == DeviceKind::Fuse) {
            // The body first: the line is drawn through it.
            add(DrawRect{QRectF(w.deviceX - 10, level - 4, 20, 9), blackPen, m_window});
        }
        std::sort(cuts.begin(), cuts.end());
        double start = from;
        for (const auto& [cutFrom, cutTo] : cuts) {
            if (cutFrom > start)
                line(point(start), point(cutFrom), w.width);
            start = std::max(start, cutTo);
        }
        if (to > start)
            line(point(start), point(to), w.width);
    }

    // Points where three or more lines meet, other than on a collector bar: every end of a line
    // counts one arm, every line passing through two. Ends are sorted so that equal ones meet,
    // and lines are looked up by the level they run at.
    std::vector<QPointF> junctions() const {
        using Point = std::pair<double, double>;
        std::vector<Point> ends;
        ends.reserve(2 * wires.size());
        std::vector<std::pair<double, const Wire*>> rows, columns;
        for (const Wire& w : wires) {
            ends.push_back({w.a.x(), w.a.y()});
            ends.push_back({w.b.x(), w.b.y()});
            if (w.horizontal())
                rows.push_back({w.a.y(), &w});
            else if (w.vertical())
                columns.push_back({w.a.x(), &w});
        }
        const auto byLevel = [](const std::pair<double, const Wire*>& p,
                                const std::pair<double, const Wire*>& q) {
            return p.first < q.first;
        };
        std::sort(ends.begin(), ends.end());
        std::sort(rows.begin(), rows.end(), byLevel);
        std::sort(columns.begin(), columns.end(), byLevel);
        std::vector<QPointF> result;
        for (std::size_t i = 0; i < ends.size();) {
            std::size_t j = i;
            while (j < ends.size() && ends[j] == ends[i])
                ++j;
            const QPointF p(ends[i].first, ends[i].second);
            int arms = int(j - i);
            bool onBar = false;
            const auto through = [&](const std::vector<std::pair<double, const Wire*>>& lines,
                                     double level) {
                auto [from, to] =
                    std::equal_range(lines.begin(), lines.end(),
                                     std::pair<double, const Wire*>{level, nullptr}, byLevel);
                for (auto it = from; it != to; ++it) {
                    const Wire& w = *it->second;
                    if (!onWire(w, p))
                        continue;
                    onBar = onBar || w.bar;
                    if (p != w.a && p != w.b)
                        arms += 2;
                }
            };
            through(rows, p.y());
            through(columns, p.x());
            if (arms >= 3 && !onBar)
                result.push_back(p);
            i = j;
        }
        return result;
    }

    const TextMeasure& m_measure;
    QColor m_window;
};

QString controllerRating(const SchemeArray& a) {
    if (a.controllerVoltage.isEmpty() && a.controllerCurrent.isEmpty())
        return {};
    return QStringLiteral("(") + a.controllerVoltage + QStringLiteral(" B; ") +
           a.controllerCurrent + QStringLiteral(" A)");
}

QString inverterRating(const SchemeInverter& i) {
    if (i.nominal.isEmpty() && i.maximum.isEmpty() && i.peak.isEmpty() &&
        i.inputVoltage.isEmpty() && i.outputVoltage.isEmpty())
        return {};
    return QStringLiteral("(") + i.nominal + QStringLiteral("/") + i.maximum + QStringLiteral("/") +
           i.peak + QStringLiteral(" Вт; ") + i.inputVoltage + QStringLiteral("/") +
           i.outputVoltage + QStringLiteral(" В)");
}

QString loadText(const QString& nominal, const QString& maximum, const QString& peak) {
    if (nominal.isEmpty() && maximum.isEmpty() && peak.isEmpty())
        return {};
    return nominal + QStringLiteral("/") + maximum + QStringLiteral("/") + peak +
           QStringLiteral(" Вт");
}

// The quarter-round corners of the grey strip at the bottom of an inverter box.
QPolygonF inverterStrip(double xL, double xR, double top, double bottom, double radius) {
    QPolygonF points;
    points << QPointF(xL, top) << QPointF(xR, top);
    const int steps = 8;
    for (int k = 0; k <= steps; ++k) {
        const double angle = std::numbers::pi / 2 * k / steps;
        points << QPointF(xR - radius + radius * std::cos(angle),
                          bottom - radius + radius * std::sin(angle));
    }
    for (int k = 0; k <= steps; ++k) {
        const double angle = std::numbers::pi / 2 + std::numbers::pi / 2 * k / steps;
        points << QPointF(xL + radius + radius * std::cos(angle),
                          bottom - radius + radius * std::sin(angle));
    }
    return points;
}

} // namespace

SchemeLayout structuralScheme(const SchemeVariant& v, const SchemeOptions& o,
                              const TextMeasure& givenMeasure) {
    const TextMeasure measure = cachedTextMeasure(givenMeasure);
    Builder b(measure, o.window);
    const int th = b.th;
    const int n = int(v.arrays.size());
    const bool currents = o.currents;
    int width = 0;
    int height = 0;

    // 1. The arrays one under another, left-aligned; their terminals in picture pixels.
    struct Terminals {
        QPointF plus, minus;
    };
    std::vector<Terminals> at;
    b.reserve(std::size_t(v.arrays.size()) * 600 + v.inverters.size() * 60 + 500);
    for (const SchemeArray& a : v.arrays) {
        ArraySchemeInput in;
        in.arrayName = n >= 2 ? a.name : QString();
        in.panelType = v.panelType;
        in.strings = a.strings;
        in.panelsPerString = a.series;
        in.panelCount = a.panelCount;
        in.arrayPower = a.power;
        in.arrayVoltage = v.mppt ? v.mpptVoltage : v.systemVoltage;
        in.panelPower = v.panelPower;
        in.panelVoltage = v.panelVoltage;
        in.panelWidthMm = v.panelWidthMm;
        in.panelHeightMm = v.panelHeightMm;
        in.scale = o.panelScale;
        in.device = stringDeviceFor(a.strings, v.maxUnprotectedStrings, v.stringBreakerType,
                                    v.stringBreakerCurrent, v.stringFuseType, v.stringFuseCurrent);
        in.padTop = true;
        const ArraySchemePlacement placed =
            appendArrayScheme(b.drawing, QPointF(0, height), in, measure);
        at.push_back({placed.plus, placed.minus});
        height += placed.size.height();
        width = std::max(width, placed.size.width());
    }
    const std::size_t ownItemsFrom = b.drawing.items.size();
    const int w1 = width;

    // 2. From each array to its controller: the plus line turns down beside the arrays to the
    // device's level, 15 pixels above the minus line.
    int c2 = 45;
    for (const SchemeArray& a : v.arrays)
        c2 = std::max(c2, b.circuitWidth(a.toController, currents));
    const int o2 = w1 + c2 + 30;
    width = o2;
    const double cx2 = w1 + 15 + c2 / 2;
    for (int k = 0; k < n; ++k) {
        const SchemeArray& a = v.arrays[k];
        const double py = at[k].plus.y();
        const double qy = at[k].minus.y();
        const Device device = deviceOf(a.toController);
        // Lines leave the terminal circles (radius 3) at their right edges.
        b.wire(at[k].plus + QPointF(3, 0), QPointF(w1, py));
        b.wire(QPointF(w1, py), QPointF(w1, qy - 15));
        b.deviceWire(QPointF(w1, qy - 15), QPointF(o2, qy - 15), device, cx2);
        b.deviceLabelsAbove(device, cx2, qy - 15);
        b.wire(at[k].minus + QPointF(3, 0), QPointF(o2, qy));
        const CableLines cable = cableLines(a.toController, currents);
        b.cableLabels(cable, cx2, qy + 3, qy + th + 5);
        if (currents)
            b.rotated(QPointF(w1 + 2, py + 2), withUnit(a.current, QStringLiteral(" A")));
    }

    // 3. The controllers: plus in on the upper line, out on the lower one.
    int cw = 60;
    for (const SchemeArray& a : v.arrays)
        cw = std::max({cw, b.tw(a.controllerType), b.tw(controllerRating(a))});
    const int w3 = o2 + (cw - 60) / 2 + 75;
    const int x1 = w3 - cw / 2 - 45;
    width = w3;
    for (int k = 0; k < n; ++k) {
        const SchemeArray& a = v.arrays[k];
        const double qy = at[k].minus.y();
        b.add(DrawRect{QRectF(x1, qy - 65, 60, 40), blackPen, equipmentFaceColour});
        b.add(DrawRect{QRectF(x1 + 15, qy - 55, 30, 10), greyPen, std::nullopt});
        for (const int dx : {20, 30, 40})
            b.add(DrawEllipse{QRectF(x1 + dx - 2, qy - 42, 4, 4), greyPen, std::nullopt});
        const double labelX = w3 - cw / 2 - 15;
        b.centred(labelX, qy - 65 - 2 * th - 4, a.controllerType);
        b.centred(labelX, qy - 65 - th - 2, controllerRating(a));
        b.wire(QPointF(o2, qy - 15), QPointF(x1 + 10, qy - 15));
        b.wire(QPointF(x1 + 10, qy - 15), QPointF(x1 + 10, qy - 25));
        b.wire(QPointF(o2, qy), QPointF(x1 + 20, qy));
        b.wire(QPointF(x1 + 20, qy), QPointF(x1 + 20, qy - 25));
        b.wire(QPointF(x1 + 40, qy - 25), QPointF(x1 + 40, qy));
        b.wire(QPointF(x1 + 40, qy), QPointF(x1 + 80, qy));
        b.wire(QPointF(x1 + 50, qy - 25), QPointF(x1 + 50, qy - 15));
        b.wire(QPointF(x1 + 50, qy - 15), QPointF(x1 + 80, qy - 15));
        const double signTop = qy - 27;
        const Qt::Alignment rightTop = Qt::AlignRight | Qt::AlignTop;
        const Qt::Alignment leftTop = Qt::AlignLeft | Qt::AlignTop;
        b.text(QPointF(x1 + 8, signTop), QStringLiteral("+"), rightTop, signFont);
        b.text(QPointF(x1 + 23, signTop), QStringLiteral("-"), leftTop, signFont);
        b.text(QPointF(x1 + 38, signTop), QStringLiteral("+"), rightTop, signFont);
        b.text(QPointF(x1 + 53, signTop), QStringLiteral("-"), leftTop, signFont);
    }

    // 5 (before 4, whose lines reach the assembly's right edge when it is the wider). The battery
    // assembly under everything, 40 pixels lower, aligned with the picture's right edge.
    int c4 = 45;
    for (const SchemeArray& a : v.arrays)
        c4 = std::max(c4, b.circuitWidth(a.toBattery, currents));
    int o4 = x1 + c4 + 90;
    width = o4;
    height += 40;
    BatteryAssemblyInput battery;
    battery.scale = o.batteryScale;
    battery.parallel = v.batteryStrings;
    battery.series = v.batterySeries;
    battery.capacity = v.batteryActualCapacity;
    battery.count = v.batteryCount;
    battery.nominalCapacity = v.batteryCapacity;
    battery.nominalVoltage = v.batteryVoltage;
    battery.model = v.batteryModel;
    battery.voltage = v.systemVoltage;
    battery.widthMm = v.batteryWidthMm;
    battery.lengthMm = v.batteryLengthMm;
    BatteryAssemblyLayout assembly = batteryAssembly(battery, measure);
    const int aw = assembly.drawing.size.width();
    if (aw > width - 20) {
        width = aw + 20;
        o4 = width;
    }
    const QPointF assemblyAt(width - aw, height);
    const double s = assemblyAt.y() + assembly.plus.y();
    const double q = assemblyAt.y() + assembly.minus.y();
    const double bpx = assemblyAt.x() + assembly.plus.x();
    const double bmx = assemblyAt.x() + assembly.minus.x();
    height += assembly.drawing.size.height();
    b.append(std::move(assembly.drawing), assemblyAt);
    if (currents)
        b.text(QPointF(width - 2, s - 2), withUnit(v.chargeCurrent, QStringLiteral(" A")),
               Qt::AlignRight | Qt::AlignBottom);

    // 4. From each controller towards the battery: minus on the upper line, plus (with its
    // device) on the lower one.
    const double cx4 = x1 + 75 + c4 / 2;
    for (int k = 0; k < n; ++k) {
        const SchemeArray& a = v.arrays[k];
        const double qy = at[k].minus.y();
        const Device device = deviceOf(a.toBattery);
        b.wire(QPointF(x1 + 80, qy - 15), QPointF(o4, qy - 15));
        b.deviceWire(QPointF(x1 + 80, qy), QPointF(o4, qy), device, cx4);
        b.deviceLabelsBelow(device, cx4, qy);
        const CableLines cable = cableLines(a.toBattery, currents);
        b.cableLabels(cable, cx4, qy - 2 * th - 19, qy - th - 17);
    }
    width += 20 * n + 50;

    // 6. The buses down to the battery: the k-th array's plus at o4 + 10 j and its minus at
    // o4 + 10 N + 20 + 10 j (j = N - k + 1), so the upper arrays' buses lie outside the lower
    // ones'.
    double feedPlus = o4 + 10;
    double feedMinus = o4 + 40;
    for (int k = 0; k < n; ++k) {
        const int j = n - k;
        const double qy = at[k].minus.y();
        const double xP = o4 + 10 * j;
        const double xM = o4 + 10 * n + 20 + 10 * j;
        // One array goes straight to the battery's levels, several to the collector bars.
        b.wire(QPointF(o4, qy), QPointF(xP, qy));
        b.wire(QPointF(xP, qy), QPointF(xP, n == 1 ? s : s - 40));
        b.wire(QPointF(o4, qy - 15), QPointF(xM, qy - 15));
        b.wire(QPointF(xM, qy - 15), QPointF(xM, n == 1 ? q : s - 40));
        if (currents) {
            const QString label = withUnit(v.arrays[k].controllerOutput, QStringLiteral(" A"));
            const double patchWidth = th + 2;
            b.rotated(QPointF(xM - 2 - patchWidth, qy - 10), label);
        }
    }
    if (n >= 2) {
        Wire& plusBar = b.wire(QPointF(o4, s - 40), QPointF(o4 + 10 * n + 10, s - 40));
        plusBar.width = 2;
        plusBar.bar = true;
        Wire& minusBar =
            b.wire(QPointF(o4 + 10 * n + 20, s - 40), QPointF(o4 + 20 * n + 30, s - 40));
        minusBar.width = 2;
        minusBar.bar = true;
        b.text(QPointF(o4 + 2, s - 37), QStringLiteral("+"), Qt::AlignLeft | Qt::AlignTop);
        b.text(QPointF(o4 + 20 * n + 28, s - 37), QStringLiteral("-"),
               Qt::AlignRight | Qt::AlignTop);
        feedPlus = o4 + (10 * n + 10) / 2;
        feedMinus = o4 + 10 * n + 20 + (10 * n + 10) / 2;
        b.wire(QPointF(feedPlus, s - 40), QPointF(feedPlus, s));
        b.wire(QPointF(feedMinus, s - 40), QPointF(feedMinus, q));
    }
    if (n >= 1) {
        // Into the assembly's terminal circles (radius 2) from the right.
        b.wire(QPointF(feedPlus, s), QPointF(bpx + 2, s));
        b.wire(QPointF(feedMinus, q), QPointF(bmx + 2, q));
    }

    // 7. The inverters, one box every 190 pixels, fed from H and I through the buses X+ and X-.
    const int m = int(v.inverters.size());
    double y1 = 0;
    double xPlus = 0;
    double xMinus = 0;
    double plusTop = 0, plusBottom = 0, minusTop = 0, minusBottom = 0;
    if (m > 0) {
        int c5 = 45;
        int bw = 60;
        for (const SchemeInverter& inv : v.inverters) {
            c5 = std::max(c5, b.circuitWidth(inv.feed, currents));
            bw = std::max({bw, b.tw(inv.name), b.tw(inverterRating(inv) + QStringLiteral("."))});
        }
        width += c5 + (bw - 60) / 2 + 120;
        const double xR = width - (bw - 60) / 2;
        const double xL = xR - 60;
        xPlus = xR - c5 - 100;
        xMinus = xPlus + 10;
        const double cx5 = xR - 75 - c5 / 2;

        if (!v.hasDcConsumers) {
            height = std::max(height, 190 * m + 10);
            y1 = m % 2 == 1 ? height / 2 - (m / 2) * 190 - 50 : height / 2 - (m / 2) * 190 + 45;
        } else if (s < 190 * m + 50) {
            y1 = 50;
            // The picture only grows: the battery's caption stays whole.
            if (q < 190 * m + 100)
                height = std::max(height, 190 * m + 140);
        } else {
            y1 = s - 190 * m + 10;
        }
        const double firstPlus = y1 + 90;
        const double lastPlus = y1 + 190 * (m - 1) + 90;
        const double firstMinus = y1 + 105;
        const double lastMinus = y1 + 190 * (m - 1) + 105;
        plusTop = std::min(s, firstPlus);
        plusBottom = std::max(s, lastPlus);
        minusTop = std::min(q, firstMinus);
        minusBottom = std::max(q, lastMinus);

        b.wire(QPointF(feedPlus, s), QPointF(xPlus, s));
        b.wire(QPointF(feedMinus, q), QPointF(xMinus, q));

        for (int i = 0; i < m; ++i) {
            const SchemeInverter& inv = v.inverters[i];
            const double r = y1 + 190 * i;
            const double u = r + 90;
            const double minusLevel = r + 105;
            b.add(DrawRoundedRect{QRectF(xL, r, 60, 80), 10, blackPen, equipmentFaceColour});
            b.add(DrawRect{QRectF(xR - 40, r + 10, 20, 20), greyPen, std::nullopt});
            for (const int dy : {40, 44, 48, 52, 56})
                b.add(DrawLine{QPointF(xR - 40, r + dy), QPointF(xR - 20, r + dy), greyPen});
            b.add(DrawPolygon{inverterStrip(xL, xR, r + 65, r + 80, 10), greyPen,
                              equipmentDetailColour});
            b.add(DrawRoundedRect{QRectF(xL, r, 60, 80), 10, blackPen, std::nullopt});
            b.add(DrawLine{QPointF(xL, r + 65), QPointF(xR, r + 65), blackPen});
            b.centred(xL + 30, r - 2 * th - 4, inv.name);
            b.centred(xL + 30, r - th - 2, inverterRating(inv));

            b.wire(QPointF(xR - 50, r + 79), QPointF(xR - 50, u));
            b.text(QPointF(xR - 52, r + 78), QStringLiteral("+"), Qt::AlignRight | Qt::AlignTop,
                   signFont);
            b.wire(QPointF(xR - 40, r + 79), QPointF(xR - 40, minusLevel));
            b.wire(QPointF(xR - 40, minusLevel), QPointF(xMinus, minusLevel));
            b.text(QPointF(xR - 37, r + 78), QStringLiteral("-"), Qt::AlignLeft | Qt::AlignTop,
                   signFont);

            const Device device = deviceOf(inv.feed);
            b.deviceWire(QPointF(xPlus, u), QPointF(xR - 50, u), device, cx5);
            b.deviceLabelsAbove(device, cx5, u);
            b.cableLabels(cableLines(inv.feed, currents), cx5, r + 109, r + 111 + th);

            // Output: the AC terminals at the right with the load and its voltage between them.
            b.wire(QPointF(xR - 20, r + 79), QPointF(xR - 20, r + 140));
            b.wire(QPointF(xR - 20, r + 140), QPointF(xR + 18, r + 140));
            b.terminal(QPointF(xR + 20, r + 140));
            b.wire(QPointF(xR - 10, r + 79), QPointF(xR - 10, r + 90));
            b.wire(QPointF(xR - 10, r + 90), QPointF(xR + 18, r + 90));
            b.terminal(QPointF(xR + 20, r + 90));
            const QString load = loadText(inv.loadNominal, inv.loadMaximum, inv.loadPeak);
            b.text(QPointF(xR + 20, r + 113), load, Qt::AlignLeft | Qt::AlignBottom);
            // The inverter's own output voltage, not a fixed 220.
            const QString volts = withUnit(inv.outputVoltage, QStringLiteral(" В"));
            const double voltsLeft = xR + 20 + b.tw(load) / 2 - b.tw(volts) / 2;
            b.text(QPointF(voltsLeft, r + 117), volts, Qt::AlignLeft | Qt::AlignTop);
            if (!volts.isEmpty()) {
                const double base = r + 116 + th / 2;
                const int rise[] = {2, 1, 0, 1, 2, 1, 0};
                for (int k = 0; k + 1 < 7; ++k)
                    b.add(DrawLine{QPointF(voltsLeft - 8 + k, base + rise[k]),
                                   QPointF(voltsLeft - 7 + k, base + rise[k + 1]), blackPen});
            }
            width = std::max(width, static_cast<int>(xR) + 20 + b.tw(load) + 20);
        }
    }

    // 8. The direct-current consumers: a branch with its device and cable to two terminals.
    if (v.hasDcConsumers) {
        const int c6 = b.circuitWidth(v.dcCircuit, currents);
        double a = 0;
        double sd = s;
        double qd = q;
        if (m > 0) {
            a = xMinus + 5;
            const double groupBottom = y1 + 190 * m - 10;
            if (s < groupBottom) {
                sd = groupBottom;
                if (sd > q - 4 && sd <= q + 7)
                    sd = q + 8;
                plusBottom = std::max(plusBottom, sd);
                if (q - sd < 50) {
                    qd = sd + 50;
                    minusBottom = std::max(minusBottom, qd);
                }
            }
            b.deviceWire(QPointF(xPlus, sd), QPointF(a + c6 + 28, sd), deviceOf(v.dcCircuit),
                         a + 15 + c6 / 2);
            b.wire(QPointF(xMinus, qd), QPointF(a + c6 + 28, qd));
        } else {
            const int w0 = width;
            width += c6 + 40;
            a = w0 - 10;
            b.deviceWire(QPointF(feedPlus, s), QPointF(a + c6 + 28, s), deviceOf(v.dcCircuit),
                         a + 15 + c6 / 2);
            b.wire(QPointF(feedMinus, q), QPointF(a + c6 + 28, q));
        }
        const double cx6 = a + 15 + c6 / 2;
        const double terminalX = a + c6 + 30;
        b.terminal(QPointF(terminalX, sd));
        b.terminal(QPointF(terminalX, qd));
        b.deviceLabelsAbove(deviceOf(v.dcCircuit), cx6, sd);
        b.cableLabels(cableLines(v.dcCircuit, currents), cx6, qd + 4, qd + th + 6);
        b.text(QPointF(terminalX, sd - 3), QStringLiteral("+"), Qt::AlignHCenter | Qt::AlignBottom);
        b.text(QPointF(terminalX, qd + 3), QStringLiteral("-"), Qt::AlignHCenter | Qt::AlignTop);
        const double middle = std::floor((sd + qd) / 2);
        const QString load = loadText(v.dcNominal, v.dcMaximum, v.dcPeak);
        const QString volts = withUnit(v.systemVoltage, QStringLiteral(" В"));
        b.text(QPointF(terminalX + 6, middle - 2), load, Qt::AlignLeft | Qt::AlignBottom);
        b.text(QPointF(terminalX + 6, middle + 2), volts, Qt::AlignLeft | Qt::AlignTop);
        width = std::max(width,
                         static_cast<int>(terminalX) + 6 + std::max(b.tw(load), b.tw(volts)) + 20);
    }

    if (m > 0) {
        Wire& plusBus = b.wire(QPointF(xPlus, plusTop), QPointF(xPlus, plusBottom));
        // The plus bus hops over the minus line from the battery where it passes it.
        plusBus.verticalHops = true;
        b.wire(QPointF(xMinus, minusTop), QPointF(xMinus, minusBottom));
    }

    b.size = QSize(width, height);
    b.finishWires();
    b.coverEverything(ownItemsFrom, 10);

    SchemeLayout layout;
    layout.drawing = std::move(b.drawing);
    layout.drawing.size = b.size;
    layout.batteryPlus = QPointF(bpx, s);
    layout.batteryMinus = QPointF(bmx, q);
    layout.plusFeed = feedPlus;
    layout.minusFeed = feedMinus;
    return layout;
}

QSize structuralSchemeSize(const SchemeVariant& variant, const SchemeOptions& options,
                           const TextMeasure& measure) {
    return structuralScheme(variant, options, measure).drawing.size;
}

std::optional<QString> schemeSizeRefusal(const SchemeVariant& variant, const SchemeOptions& options,
                                         const TextMeasure& measure) {
    const QSize size = structuralSchemeSize(variant, options, measure);
    if (fitsPainter(size))
        return std::nullopt;
    // The battery is to blame when the scheme fits with the battery drawn at the least scale.
    SchemeOptions smallBattery = options;
    smallBattery.batteryScale = std::min(options.batteryScale, 10);
    const bool battery = fitsPainter(structuralSchemeSize(variant, smallBattery, measure));
    const QString field = battery ? QStringLiteral("Масштаб АБ, пиксель/м:")
                                  : QStringLiteral("Масштаб СП, пиксель/м:");
    const int scale = battery ? options.batteryScale : options.panelScale;
    return tooLargeText(size) +
           QStringLiteral(" Уменьшите значение поля \"%1\" (сейчас %2).").arg(field).arg(scale);
}

} // namespace ses
