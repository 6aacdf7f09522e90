#include "reports/array_scheme.h"
#include "reports/battery_assembly.h"
#include "reports/drawing.h"
#include "reports/solar_scheme_view.h"
#include "reports/structural_scheme.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <tuple>

namespace ses {
namespace {

// Every character one 6 x 12 box, so positions follow from the texts alone.
QSizeF boxMeasure(const QString& text, const DrawFont&) {
    return QSizeF(6.0 * text.size(), 12);
}

template <typename T> std::vector<T> itemsOf(const Drawing& drawing) {
    std::vector<T> result;
    for (const Primitive& item : drawing.items)
        if (const T* typed = std::get_if<T>(&item))
            result.push_back(*typed);
    return result;
}

bool hasLine(const Drawing& drawing, QPointF from, QPointF to) {
    for (const DrawLine& l : itemsOf<DrawLine>(drawing))
        if ((l.from == from && l.to == to) || (l.from == to && l.to == from))
            return true;
    return false;
}

// The box of the last label reading text; an empty box when there is none.
QRectF labelBox(const Drawing& drawing, const QString& text) {
    QRectF box;
    for (const DrawText& t : itemsOf<DrawText>(drawing))
        if (t.text == text)
            box = textBox(t, boxMeasure);
    return box;
}

std::vector<QRectF> labelBoxes(const Drawing& drawing, const QString& text) {
    std::vector<QRectF> boxes;
    for (const DrawText& t : itemsOf<DrawText>(drawing))
        if (t.text == text)
            boxes.push_back(textBox(t, boxMeasure));
    return boxes;
}

int countLabels(const Drawing& drawing, const QString& text) {
    const auto labels = itemsOf<DrawText>(drawing);
    return int(std::count_if(labels.begin(), labels.end(),
                             [&](const DrawText& t) { return t.text == text; }));
}

std::vector<QPointF> dotCentres(const Drawing& drawing) {
    std::vector<QPointF> result;
    for (const DrawEllipse& e : itemsOf<DrawEllipse>(drawing))
        if (e.brush == QColor(Qt::black))
            result.push_back(e.rect.center());
    return result;
}

void expectEverythingInside(const Drawing& drawing, const std::string& trace) {
    const QRectF canvas(QPointF(0, 0), QSizeF(drawing.size));
    for (const DrawText& t : itemsOf<DrawText>(drawing)) {
        EXPECT_TRUE(canvas.contains(textBox(t, boxMeasure)))
            << trace << ": " << t.text.toStdString();
    }
    for (const DrawLine& l : itemsOf<DrawLine>(drawing)) {
        EXPECT_TRUE(canvas.contains(l.from) && canvas.contains(l.to)) << trace;
    }
}

// Three strings of two batteries of 165 x 335 mm at 100 px/m: 16.5 and 33.5 pixels go to the
// even neighbours, 16 x 34; the leads a quarter of the width in (4 px).
BatteryAssemblyInput smallBank() {
    BatteryAssemblyInput in;
    in.scale = 100;
    in.parallel = 3;
    in.series = 2;
    in.capacity = QStringLiteral("300");
    in.count = QStringLiteral("6");
    in.nominalCapacity = QStringLiteral("100");
    in.nominalVoltage = QStringLiteral("12");
    in.model = QStringLiteral("А-100");
    in.voltage = QStringLiteral("24");
    in.widthMm = 165;
    in.lengthMm = 335;
    return in;
}

TEST(BatteryAssembly, SmallBankCellsBusesTerminalsAndTexts) {
    const BatteryAssemblyLayout layout = batteryAssembly(smallBank(), boxMeasure);
    const Drawing& d = layout.drawing;
    // "300 А*ч" is 42 px wide: 42 + 3 x (16 + 20) + 50 wide; 12 + 2 x (34 + 20) + 40 high.
    EXPECT_EQ(d.size, QSize(200, 160));

    std::vector<QRectF> cells;
    for (const DrawRect& r : itemsOf<DrawRect>(d))
        if (r.brush == QColor(Qt::black))
            cells.push_back(r.rect);
    const std::vector<QRectF> expectedCells = {QRectF(20, 20, 16, 34), QRectF(20, 74, 16, 34),
                                               QRectF(56, 20, 16, 34), QRectF(56, 74, 16, 34),
                                               QRectF(92, 20, 16, 34), QRectF(92, 74, 16, 34)};
    EXPECT_EQ(cells, expectedCells);

    // Buses from the first string's lead to x = 3 x 36 + 20, terminals 2 px further.
    EXPECT_TRUE(hasLine(d, QPointF(24, 10), QPointF(128, 10)));
    EXPECT_TRUE(hasLine(d, QPointF(24, 118), QPointF(128, 118)));
    EXPECT_EQ(layout.plus, QPointF(130, 10));
    EXPECT_EQ(layout.minus, QPointF(130, 118));
    // The series joint: the lower battery's top lead runs up to the upper one's bottom.
    EXPECT_TRUE(hasLine(d, QPointF(24, 54), QPointF(24, 64)));
    EXPECT_TRUE(hasLine(d, QPointF(24, 74), QPointF(24, 54)));
    EXPECT_TRUE(hasLine(d, QPointF(60, 108), QPointF(60, 118)));
    // The later strings join the buses at dots.
    EXPECT_EQ(dotCentres(d), (std::vector<QPointF>{QPointF(60, 10), QPointF(60, 118),
                                                   QPointF(96, 10), QPointF(96, 118)}));

    // Capacity right of the buses with its bottom half-way down, the voltage (Cyrillic "В")
    // centred under it, the caption under the assembly.
    EXPECT_EQ(labelBox(d, QStringLiteral("300 А*ч")), QRectF(143, 52, 42, 12));
    EXPECT_EQ(labelBox(d, QStringLiteral("24 В")), QRectF(152, 66, 24, 12));
    const QString caption = QStringLiteral("А-100 (100 А*ч; 12 B; 6 шт.)");
    EXPECT_EQ(labelBox(d, caption), QRectF(100 - 3 * caption.size(), 128, 6 * caption.size(), 12));
    // A polarity mark beside every battery and one at each terminal.
    EXPECT_EQ(countLabels(d, QStringLiteral("+")), 7);
    EXPECT_EQ(countLabels(d, QStringLiteral("-")), 7);
    expectEverythingInside(d, "small bank");
}

TEST(BatteryAssembly, LongCaptionWidensTheCanvas) {
    BatteryAssemblyInput in = smallBank();
    in.model = QString(40, QLatin1Char('M'));
    const Drawing d = batteryAssembly(in, boxMeasure).drawing;
    const QString caption = in.model + QStringLiteral(" (100 А*ч; 12 B; 6 шт.)");
    EXPECT_EQ(d.size.width(), 6 * caption.size() + 10);
    EXPECT_EQ(labelBox(d, caption).left(), 5);
    expectEverythingInside(d, "long caption");
}

TEST(BatteryAssembly, PolarityMarksStayOffTheBatteries) {
    // From narrow to wide batteries the marks keep out of the black bodies.
    for (const int scale : {30, 70, 250}) {
        BatteryAssemblyInput in = smallBank();
        in.scale = scale;
        const Drawing d = batteryAssembly(in, boxMeasure).drawing;
        for (const DrawText& t : itemsOf<DrawText>(d)) {
            for (const DrawRect& r : itemsOf<DrawRect>(d)) {
                if (r.brush == QColor(Qt::black)) {
                    EXPECT_FALSE(textBox(t, boxMeasure).intersects(r.rect.adjusted(-1, -1, 1, 1)))
                        << scale << " " << t.text.toStdString();
                }
            }
        }
        expectEverythingInside(d, "scale " + std::to_string(scale));
    }
}

// ---- The connection schemes with a device on every string -----------------------------------

ArraySchemeInput guardedInput(StringDeviceKind kind, const QString& type) {
    ArraySchemeInput in;
    in.panelType = QStringLiteral("П-100");
    in.strings = 3;
    in.panelsPerString = 1;
    in.panelCount = 3;
    in.arrayPower = QStringLiteral("300");
    in.arrayVoltage = QStringLiteral("12");
    in.panelPower = QStringLiteral("100");
    in.panelVoltage = QStringLiteral("12");
    in.panelWidthMm = 1000;
    in.panelHeightMm = 1600;
    in.scale = 30; // panels of 30 x 48 px; the plus lead rises 35 px right of a string's left edge
    in.device = {kind, type, QStringLiteral("10")};
    return in;
}

std::vector<QRectF> panels(const Drawing& d) {
    std::vector<QRectF> result;
    for (const DrawRect& r : itemsOf<DrawRect>(d))
        if (r.brush == panelFaceColour)
            result.push_back(r.rect);
    return result;
}

TEST(StringDevices, TheBreakerWinsAndOnlyPastTheThreshold) {
    struct Case {
        int strings, threshold;
        const char *breaker, *fuse;
        StringDeviceKind expected;
    };
    const Case cases[] = {
        {5, 4, "ВА-10", "ПР-6", StringDeviceKind::Breaker},
        {5, 4, "", "ПР-6", StringDeviceKind::Fuse},
        {4, 4, "ВА-10", "ПР-6", StringDeviceKind::None}, // exactly the threshold: plain
        {5, 4, "", "", StringDeviceKind::None},
    };
    for (const Case& c : cases) {
        const StringDevice d =
            stringDeviceFor(c.strings, c.threshold, c.breaker, "10", c.fuse, "6");
        EXPECT_EQ(d.kind, c.expected) << c.strings << c.breaker << c.fuse;
        if (c.expected == StringDeviceKind::Breaker) {
            EXPECT_EQ(d.type, "ВА-10");
        }
        if (c.expected == StringDeviceKind::Fuse) {
            EXPECT_EQ(d.current, "6");
        }
    }
}

TEST(StringDevices, GapFromTheTypeWidthAndPanelsShiftedDown) {
    struct Case {
        StringDeviceKind kind;
        QString type;
        int pitch; // between the strings' left edges
    };
    const Case cases[] = {
        // "ВА47-29 C10" is 66 px wide: a breaker's strings stand 66 + 25 apart, a fuse's
        // 66 + 30, so the labels keep 20 px from the next lead.
        {StringDeviceKind::Breaker, QStringLiteral("ВА47-29 C10"), 91},
        {StringDeviceKind::Fuse, QStringLiteral("ВА47-29 C10"), 96},
        // A short type keeps the plain spacing of 20 px between panels.
        {StringDeviceKind::Breaker, QStringLiteral("A1"), 50},
        {StringDeviceKind::None, QString(), 50},
    };
    for (const Case& c : cases) {
        const ArraySchemeLayout layout = arrayScheme(guardedInput(c.kind, c.type), boxMeasure);
        const std::vector<QRectF> p = panels(layout.drawing);
        ASSERT_EQ(p.size(), 3u);
        const double top = c.kind == StringDeviceKind::None ? 20 : 55;
        for (int i = 0; i < 3; ++i)
            EXPECT_EQ(p[i], QRectF(20 + i * c.pitch, top, 30, 48)) << c.type.toStdString();
        expectEverythingInside(layout.drawing, c.type.toStdString());
        if (c.kind == StringDeviceKind::None)
            continue;
        // Every string carries the device on its lead (x = left + 35) under the plus bus, the
        // type right of it with its bottom at 31 and the current centred under the type.
        const double offset = c.kind == StringDeviceKind::Breaker ? 5 : 10;
        for (int i = 0; i < 3; ++i) {
            const double lead = 20 + i * c.pitch + 35;
            if (c.kind == StringDeviceKind::Breaker) {
                EXPECT_TRUE(hasLine(layout.drawing, QPointF(lead, 10), QPointF(lead, 25)));
                EXPECT_TRUE(hasLine(layout.drawing, QPointF(lead - 7, 25), QPointF(lead, 40)));
            } else {
                const auto rects = itemsOf<DrawRect>(layout.drawing);
                EXPECT_NE(std::find_if(rects.begin(), rects.end(),
                                       [&](const DrawRect& r) {
                                           return r.rect == QRectF(lead - 4, 22, 9, 20);
                                       }),
                          rects.end());
                EXPECT_TRUE(hasLine(layout.drawing, QPointF(lead, 10), QPointF(lead, 45)));
            }
        }
        const std::vector<QRectF> types = labelBoxes(layout.drawing, c.type);
        ASSERT_EQ(types.size(), 3u);
        const QRectF type = types[0];
        EXPECT_EQ(type.bottomLeft(), QPointF(20 + 35 + offset, 31));
        const QRectF current = labelBoxes(layout.drawing, QStringLiteral("10 A"))[0];
        EXPECT_EQ(current.top(), 33);
        EXPECT_EQ(current.center().x(), std::floor(type.center().x()));
        // The labels stay clear of the next string's lead.
        EXPECT_LE(type.right() + 20, 20 + c.pitch + 35);
    }
}

TEST(StringDevices, PaddedMinusTerminalAt110) {
    for (const bool guarded : {false, true}) {
        ArraySchemeInput in = guardedInput(
            guarded ? StringDeviceKind::Breaker : StringDeviceKind::None, QStringLiteral("B"));
        in.scale = 10; // a small panel: the minus bus lies above 100 unpadded
        in.padTop = true;
        const ArraySchemeLayout layout = arrayScheme(in, boxMeasure);
        EXPECT_EQ(layout.minus.y(), guarded ? 110 : 100);
        in.padTop = false;
        EXPECT_LT(arrayScheme(in, boxMeasure).minus.y(), 100);
    }
}

// ---- The structural scheme ---------------------------------------------------------------------

// A small station: arrays of two strings of one 1000 x 1600 mm panel at 10 px/m (so short that
// each is padded to its minus terminal at 100), controllers, a battery of two in series, and
// inverters and DC consumers as asked. Devices and cables are left empty.
SchemeVariant station(int arrays, int inverters, bool dc) {
    SchemeVariant v;
    v.panelType = QStringLiteral("П-100");
    v.panelPower = QStringLiteral("100");
    v.panelVoltage = QStringLiteral("12");
    v.panelWidthMm = 1000;
    v.panelHeightMm = 1600;
    v.systemVoltage = QStringLiteral("24");
    v.maxUnprotectedStrings = 2;
    v.batteryStrings = 1;
    v.batterySeries = 2;
    v.batteryLengthMm = 330;
    v.batteryWidthMm = 170;
    v.batteryModel = QStringLiteral("А-100");
    v.batteryVoltage = QStringLiteral("12");
    v.batteryCapacity = QStringLiteral("100");
    v.batteryCount = QStringLiteral("2");
    v.batteryActualCapacity = QStringLiteral("100");
    v.chargeCurrent = QStringLiteral("30");
    v.hasDcConsumers = dc;
    v.dcNominal = QStringLiteral("50");
    v.dcMaximum = QStringLiteral("60");
    v.dcPeak = QStringLiteral("70");
    for (int k = 1; k <= arrays; ++k) {
        SchemeArray a;
        a.name = QStringLiteral("Массив %1").arg(k);
        a.strings = 2;
        a.series = 1;
        a.panelCount = 2;
        a.power = QStringLiteral("200");
        a.current = QStringLiteral("11,8");
        a.controllerType = QStringLiteral("К-20");
        a.controllerVoltage = QStringLiteral("24");
        a.controllerCurrent = QStringLiteral("20");
        a.controllerOutput = QStringLiteral("9,5");
        v.arrays.push_back(a);
    }
    for (int i = 1; i <= inverters; ++i) {
        SchemeInverter inv;
        inv.name = QStringLiteral("И-%1").arg(i);
        inv.nominal = QStringLiteral("300");
        inv.maximum = QStringLiteral("600");
        inv.peak = QStringLiteral("900");
        inv.inputVoltage = QStringLiteral("24");
        inv.outputVoltage = QStringLiteral("230");
        inv.loadNominal = QStringLiteral("100");
        inv.loadMaximum = QStringLiteral("200");
        inv.loadPeak = QStringLiteral("300");
        v.inverters.push_back(inv);
    }
    return v;
}

const SchemeOptions smallScales{10, 70, false};

// What the scheme is built from: the arrays' own drawings and the battery assembly.
struct Parts {
    int arraysWidth = 0;
    std::vector<QPointF> plus, minus; // array terminals in picture pixels
    BatteryAssemblyLayout battery;
};

Parts partsOf(const SchemeVariant& v, const SchemeOptions& o) {
    Parts p;
    int height = 0;
    for (const SchemeArray& a : v.arrays) {
        ArraySchemeInput in;
        in.arrayName = v.arrays.size() >= 2 ? a.name : QString();
        in.panelType = v.panelType;
        in.strings = a.strings;
        in.panelsPerString = a.series;
        in.panelCount = a.panelCount;
        in.arrayPower = a.power;
        in.arrayVoltage = v.systemVoltage;
        in.panelPower = v.panelPower;
        in.panelVoltage = v.panelVoltage;
        in.panelWidthMm = v.panelWidthMm;
        in.panelHeightMm = v.panelHeightMm;
        in.scale = o.panelScale;
        in.device = stringDeviceFor(a.strings, v.maxUnprotectedStrings, v.stringBreakerType,
                                    v.stringBreakerCurrent, v.stringFuseType, v.stringFuseCurrent);
        in.padTop = true;
        const ArraySchemeLayout l = arrayScheme(in, boxMeasure);
        p.plus.push_back(l.plus + QPointF(0, height));
        p.minus.push_back(l.minus + QPointF(0, height));
        height += l.drawing.size.height();
        p.arraysWidth = std::max(p.arraysWidth, l.drawing.size.width());
    }
    BatteryAssemblyInput b;
    b.scale = o.batteryScale;
    b.parallel = v.batteryStrings;
    b.series = v.batterySeries;
    b.capacity = v.batteryActualCapacity;
    b.count = v.batteryCount;
    b.nominalCapacity = v.batteryCapacity;
    b.nominalVoltage = v.batteryVoltage;
    b.model = v.batteryModel;
    b.voltage = v.systemVoltage;
    b.widthMm = v.batteryWidthMm;
    b.lengthMm = v.batteryLengthMm;
    p.battery = batteryAssembly(b, boxMeasure);
    return p;
}

// Whether collinear lines (with hops over crossings) run all the way from a to b.
bool runs(const Drawing& d, QPointF a, QPointF b) {
    const bool horizontal = a.y() == b.y();
    const double level = horizontal ? a.y() : a.x();
    std::vector<std::pair<double, double>> spans;
    for (const DrawLine& l : itemsOf<DrawLine>(d)) {
        if (horizontal && l.from.y() == level && l.to.y() == level)
            spans.push_back(std::minmax(l.from.x(), l.to.x()));
        if (!horizontal && l.from.x() == level && l.to.x() == level)
            spans.push_back(std::minmax(l.from.y(), l.to.y()));
    }
    for (const DrawArc& arc : itemsOf<DrawArc>(d)) {
        const QPointF at = arc.rect.topLeft() + QPointF(3, 3);
        if (horizontal && at.y() == level)
            spans.push_back({at.x() - 3, at.x() + 4});
        if (!horizontal && at.x() == level)
            spans.push_back({at.y() - 3, at.y() + 4});
    }
    std::sort(spans.begin(), spans.end());
    double reached = horizontal ? std::min(a.x(), b.x()) : std::min(a.y(), b.y());
    const double end = horizontal ? std::max(a.x(), b.x()) : std::max(a.y(), b.y());
    for (const auto& [from, to] : spans)
        if (from <= reached && to > reached)
            reached = to;
    return reached >= end;
}

// Crossing points of the hops.
std::vector<QPointF> hops(const Drawing& d) {
    std::vector<QPointF> result;
    for (const DrawArc& arc : itemsOf<DrawArc>(d))
        result.push_back(arc.rect.topLeft() + QPointF(3, 3));
    std::sort(result.begin(), result.end(), [](QPointF p, QPointF q) {
        return std::pair(p.x(), p.y()) < std::pair(q.x(), q.y());
    });
    return result;
}

bool hasDot(const Drawing& d, QPointF at) {
    const std::vector<QPointF> dots = dotCentres(d);
    return std::find(dots.begin(), dots.end(), at) != dots.end();
}

QStringList texts(const Drawing& d) {
    QStringList result;
    for (const DrawText& t : itemsOf<DrawText>(d))
        result << t.text;
    return result;
}

QStringList rotatedTexts(const Drawing& d) {
    QStringList result;
    for (const DrawRotatedText& t : itemsOf<DrawRotatedText>(d))
        result << t.text;
    return result;
}

std::vector<QRectF> inverterBoxes(const Drawing& d) {
    std::vector<QRectF> result;
    for (const DrawRoundedRect& r : itemsOf<DrawRoundedRect>(d))
        if (r.brush)
            result.push_back(r.rect);
    return result;
}

// The column widths of the fixture: no device or cable labels (45 each), controller labels of
// "(24 B; 20 A)" (72 px), so o4 = W1 + 45 + 30 + 45 + 90.
constexpr int kColumnsToO4 = 210;

TEST(StructuralScheme, OneArrayDropsStraightToTheBattery) {
    const SchemeVariant v = station(1, 0, false);
    const SchemeLayout l = structuralScheme(v, smallScales, boxMeasure);
    const Parts p = partsOf(v, smallScales);
    const Drawing& d = l.drawing;
    const double o4 = p.arraysWidth + kColumnsToO4;
    const double qy = p.minus[0].y();
    EXPECT_EQ(qy, 100);
    // No name before the caption, no collector bars.
    EXPECT_TRUE(texts(d).contains(QStringLiteral("П-100 (100 Вт; 12 B; 2 шт.)")));
    for (const DrawLine& line : itemsOf<DrawLine>(d))
        EXPECT_EQ(line.pen.width, 1);
    // The assembly hangs 40 px under the arrays, flush with the picture's right edge at o4.
    const double assemblyLeft = o4 - p.battery.drawing.size.width();
    const double s = p.plus.size() ? 142 + 40 + 10 : 0;
    EXPECT_EQ(l.batteryPlus, QPointF(assemblyLeft + p.battery.plus.x(), s));
    const double q = s + p.battery.minus.y() - p.battery.plus.y();
    EXPECT_EQ(l.batteryMinus.y(), q);
    // Plus at o4 + 10 down to s and left into the terminal; minus at o4 + 40 down to q.
    EXPECT_EQ(l.plusFeed, o4 + 10);
    EXPECT_EQ(l.minusFeed, o4 + 40);
    EXPECT_TRUE(runs(d, QPointF(o4, qy), QPointF(o4 + 10, qy)));
    EXPECT_TRUE(runs(d, QPointF(o4 + 10, qy), QPointF(o4 + 10, s)));
    EXPECT_TRUE(runs(d, QPointF(o4 + 10, s), QPointF(l.batteryPlus.x() + 2, s)));
    EXPECT_TRUE(runs(d, QPointF(o4, qy - 15), QPointF(o4 + 40, qy - 15)));
    EXPECT_TRUE(runs(d, QPointF(o4 + 40, qy - 15), QPointF(o4 + 40, q)));
    EXPECT_TRUE(runs(d, QPointF(o4 + 40, q), QPointF(l.batteryMinus.x() + 2, q)));
    EXPECT_TRUE(hops(d).empty());
    // The picture ends 20 N + 50 past o4.
    EXPECT_EQ(d.size.width(), o4 + 70);
    expectEverythingInside(d, "one array");
}

TEST(StructuralScheme, ThreeArraysHopAndMeetOnBars) {
    const SchemeVariant v = station(3, 0, false);
    const SchemeLayout l = structuralScheme(v, smallScales, boxMeasure);
    const Parts p = partsOf(v, smallScales);
    const Drawing& d = l.drawing;
    const double o4 = p.arraysWidth + kColumnsToO4;
    const double s = l.batteryPlus.y();
    EXPECT_TRUE(texts(d).contains(QStringLiteral("Массив 2. П-100 (100 Вт; 12 B; 2 шт.)")));
    // Array k (j = 4 - k): plus bus at o4 + 10 j, minus at o4 + 50 + 10 j; a minus line hops over
    // the plus buses of the arrays above it.
    std::vector<QPointF> expectedHops;
    for (int k = 0; k < 3; ++k) {
        const int j = 3 - k;
        const double qy = p.minus[k].y();
        EXPECT_TRUE(runs(d, QPointF(o4, qy), QPointF(o4 + 10 * j, qy))) << k;
        EXPECT_TRUE(runs(d, QPointF(o4 + 10 * j, qy), QPointF(o4 + 10 * j, s - 40))) << k;
        EXPECT_TRUE(runs(d, QPointF(o4, qy - 15), QPointF(o4 + 50 + 10 * j, qy - 15))) << k;
        EXPECT_TRUE(runs(d, QPointF(o4 + 50 + 10 * j, qy - 15), QPointF(o4 + 50 + 10 * j, s - 40)));
        for (int i = j + 1; i <= 3; ++i)
            expectedHops.push_back(QPointF(o4 + 10 * i, qy - 15));
    }
    std::sort(expectedHops.begin(), expectedHops.end(), [](QPointF a, QPointF b) {
        return std::pair(a.x(), a.y()) < std::pair(b.x(), b.y());
    });
    EXPECT_EQ(hops(d), expectedHops);
    // Bars of width 2 at s - 40; the feeds leave their middles.
    std::vector<std::pair<QPointF, QPointF>> bars;
    for (const DrawLine& line : itemsOf<DrawLine>(d))
        if (line.pen.width == 2)
            bars.push_back({line.from, line.to});
    EXPECT_EQ(bars, (std::vector<std::pair<QPointF, QPointF>>{
                        {QPointF(o4, s - 40), QPointF(o4 + 40, s - 40)},
                        {QPointF(o4 + 50, s - 40), QPointF(o4 + 90, s - 40)}}));
    EXPECT_EQ(l.plusFeed, o4 + 20);
    EXPECT_EQ(l.minusFeed, o4 + 70);
    EXPECT_TRUE(runs(d, QPointF(o4 + 20, s - 40), QPointF(o4 + 20, s)));
    EXPECT_TRUE(runs(d, QPointF(o4 + 70, s - 40), QPointF(o4 + 70, l.batteryMinus.y())));
    // Buses meet the bars without dots; the feeds turn into the battery without one.
    EXPECT_FALSE(hasDot(d, QPointF(o4 + 20, s)));
    EXPECT_FALSE(hasDot(d, QPointF(o4 + 10, s - 40)));
    expectEverythingInside(d, "three arrays");
}

TEST(StructuralScheme, AWideBatteryWidensThePictureAndTheLinesReachIt) {
    SchemeVariant v = station(1, 0, false);
    v.batteryStrings = 12; // 42 + 12 x 32 + 50 = 476 px
    const SchemeLayout l = structuralScheme(v, smallScales, boxMeasure);
    const Parts p = partsOf(v, smallScales);
    ASSERT_GT(p.battery.drawing.size.width(), p.arraysWidth + kColumnsToO4 - 20);
    const double o4 = p.battery.drawing.size.width() + 20;
    const double qy = p.minus[0].y();
    EXPECT_EQ(l.batteryPlus.x(), 20 + p.battery.plus.x());
    // From the controller's output (x1 + 80 = W1 + 75 + 80) to the assembly's right edge.
    EXPECT_TRUE(runs(l.drawing, QPointF(p.arraysWidth + 155, qy), QPointF(o4, qy)));
    EXPECT_TRUE(runs(l.drawing, QPointF(p.arraysWidth + 155, qy - 15), QPointF(o4, qy - 15)));
    EXPECT_EQ(l.plusFeed, o4 + 10);
    EXPECT_EQ(l.drawing.size.width(), o4 + 70);
}

TEST(StructuralScheme, InvertersWithoutDcAreCentredOnThePicture) {
    for (const int m : {1, 2, 3}) {
        const SchemeVariant v = station(1, m, false);
        const SchemeLayout l = structuralScheme(v, smallScales, boxMeasure);
        const std::vector<QRectF> boxes = inverterBoxes(l.drawing);
        ASSERT_EQ(int(boxes.size()), m);
        // The picture is at least 190 M + 10 high and the boxes' tops follow its middle.
        const int ht = l.drawing.size.height();
        EXPECT_GE(ht, 190 * m + 10);
        const double y1 = m % 2 ? ht / 2 - (m / 2) * 190 - 50 : ht / 2 - (m / 2) * 190 + 45;
        for (int i = 0; i < m; ++i)
            EXPECT_EQ(boxes[i].top(), y1 + 190 * i) << m;
        // The feed: from H along s, hopping over the minus drop at I, to X+ (60 + 20 px left of
        // the boxes' plus leads); every inverter's plus line from X+, hopping over X- after the
        // first, and its minus line into X-.
        const double xR = boxes[0].right();
        const double xPlus = xR - 45 - 100;
        const double xMinus = xPlus + 10;
        const double s = l.batteryPlus.y();
        const double q = l.batteryMinus.y();
        EXPECT_TRUE(runs(l.drawing, QPointF(l.plusFeed, s), QPointF(xPlus, s)));
        EXPECT_TRUE(runs(l.drawing, QPointF(l.minusFeed, q), QPointF(xMinus, q)));
        std::vector<QPointF> expectedHops = {QPointF(l.minusFeed, s)};
        for (int i = 0; i < m; ++i) {
            const double u = y1 + 190 * i + 90;
            EXPECT_TRUE(runs(l.drawing, QPointF(xPlus, u), QPointF(xR - 50, u)));
            EXPECT_TRUE(runs(l.drawing, QPointF(xMinus, u + 15), QPointF(xR - 40, u + 15)));
            if (u > std::min(q, y1 + 105) && u < std::max(q, y1 + 190 * (m - 1) + 105))
                expectedHops.push_back(QPointF(xMinus, u));
        }
        // The plus bus hops over the minus line from the battery where it passes it.
        const double plusTop = std::min(s, y1 + 90);
        const double plusBottom = std::max(s, y1 + 190 * (m - 1) + 90);
        if (q > plusTop && q < plusBottom)
            expectedHops.push_back(QPointF(xPlus, q));
        std::sort(expectedHops.begin(), expectedHops.end(), [](QPointF a, QPointF b) {
            return std::pair(a.x(), a.y()) < std::pair(b.x(), b.y());
        });
        EXPECT_EQ(hops(l.drawing), expectedHops) << m;
        EXPECT_TRUE(hasDot(l.drawing, QPointF(l.plusFeed, s)));
        EXPECT_TRUE(hasDot(l.drawing, QPointF(l.minusFeed, q)));
        // Output: the load and the inverter's own output voltage between the AC terminals.
        EXPECT_EQ(countLabels(l.drawing, QStringLiteral("100/200/300 Вт")), m);
        EXPECT_EQ(countLabels(l.drawing, QStringLiteral("230 В")), m);
        EXPECT_EQ(countLabels(l.drawing, QStringLiteral("220 В")), 0);
        EXPECT_EQ(labelBox(l.drawing, QStringLiteral("(300/600/900 Вт; 24/230 В)")).bottom(),
                  boxes.back().top() - 2);
        expectEverythingInside(l.drawing, "inverters " + std::to_string(m));
    }
}

TEST(StructuralScheme, DcConsumersWithoutInvertersLeaveTheFeedPoints) {
    SchemeVariant v = station(1, 0, true);
    v.dcCircuit.breakerType = QStringLiteral("ВА-16");
    v.dcCircuit.breakerCurrent = QStringLiteral("16");
    const SchemeLayout l = structuralScheme(v, smallScales, boxMeasure);
    const Parts p = partsOf(v, smallScales);
    const double o4 = p.arraysWidth + kColumnsToO4;
    const double s = l.batteryPlus.y();
    const double q = l.batteryMinus.y();
    // The branch starts 10 px inside the width after the buses (o4 + 70); its column is as wide
    // as "ВА-16" (30 px), the terminals 30 px past it.
    const double a = o4 + 60;
    const double terminalX = a + 30 + 30;
    EXPECT_TRUE(runs(l.drawing, QPointF(l.plusFeed, s), QPointF(a + 15 + 15 - 7, s)));
    EXPECT_TRUE(runs(l.drawing, QPointF(l.minusFeed, q), QPointF(terminalX - 2, q)));
    EXPECT_EQ(hops(l.drawing), (std::vector<QPointF>{QPointF(l.minusFeed, s)}));
    EXPECT_TRUE(hasDot(l.drawing, QPointF(l.plusFeed, s)));
    EXPECT_TRUE(hasDot(l.drawing, QPointF(l.minusFeed, q)));
    // The breaker on the plus line, its labels above it.
    EXPECT_TRUE(hasLine(l.drawing, QPointF(a + 30 - 7, s + 7), QPointF(a + 30 + 8, s)));
    EXPECT_EQ(labelBox(l.drawing, QStringLiteral("ВА-16")), QRectF(a + 15, s - 28, 30, 12));
    EXPECT_EQ(labelBox(l.drawing, QStringLiteral("16 A")).top(), s - 14);
    // The load between the terminals: its figures above the middle, the voltage under it.
    const double middle = std::floor((s + q) / 2);
    EXPECT_EQ(labelBox(l.drawing, QStringLiteral("50/60/70 Вт")).bottom(), middle - 2);
    EXPECT_EQ(labelBox(l.drawing, QStringLiteral("24 В")).top(), middle + 2);
    expectEverythingInside(l.drawing, "dc only");
}

TEST(StructuralScheme, DcConsumersWithInvertersInBothBranches) {
    struct Case {
        const char* name;
        int series;   // panels per string: taller arrays put the battery lower
        bool lowered; // the branch leaves from below the inverters
    };
    // One inverter: its box at y1 = 50 while s < 240, the group ending at 230. A one-panel array
    // puts s at 192 (the branch drops to 230); three panels put it at 237 (the branch runs
    // along s).
    const Case cases[] = {{"battery above the group's end", 1, true},
                          {"battery below the group's end", 3, false}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        SchemeVariant v = station(1, 1, true);
        v.arrays[0].series = c.series;
        v.arrays[0].panelCount = 2 * c.series;
        const SchemeLayout l = structuralScheme(v, smallScales, boxMeasure);
        const double s = l.batteryPlus.y();
        const double q = l.batteryMinus.y();
        const std::vector<QRectF> boxes = inverterBoxes(l.drawing);
        ASSERT_EQ(boxes.size(), 1u);
        const double y1 = boxes[0].top();
        const double xPlus = boxes[0].right() - 145;
        const double xMinus = xPlus + 10;
        double sd = s;
        double qd = q;
        if (c.lowered) {
            EXPECT_LT(s, 230);
            EXPECT_EQ(y1, 50);
            sd = 230;
            qd = q - sd < 50 ? sd + 50 : q;
            EXPECT_TRUE(runs(l.drawing, QPointF(xPlus, y1 + 90), QPointF(xPlus, sd)));
            EXPECT_TRUE(hasDot(l.drawing, QPointF(xPlus, s)));
        } else {
            EXPECT_GE(s, y1 + 180);
            EXPECT_TRUE(hasDot(l.drawing, QPointF(xPlus, s)));
        }
        const double terminalX = xMinus + 5 + 30;
        EXPECT_TRUE(runs(l.drawing, QPointF(xPlus, sd), QPointF(terminalX - 2, sd)));
        EXPECT_TRUE(runs(l.drawing, QPointF(xMinus, qd), QPointF(terminalX - 2, qd)));
        EXPECT_TRUE(runs(l.drawing, QPointF(xMinus, y1 + 105), QPointF(xMinus, qd)));
        EXPECT_TRUE(hasDot(l.drawing, QPointF(xMinus, q)));
        // The branch's plus line hops over the minus bus.
        const std::vector<QPointF> h = hops(l.drawing);
        EXPECT_NE(std::find(h.begin(), h.end(), QPointF(xMinus, sd)), h.end());
        expectEverythingInside(l.drawing, c.name);
    }
}

TEST(StructuralScheme, ThePictureNeverShrinksUnderTheBattery) {
    // One inverter with DC consumers and the battery plus at s = 192 < 240: the boxes start at
    // 50, and with q = 289 < 290 the picture is made at least 190 + 140 = 330 high. The battery,
    // one of 1100 mm (77 px) long, already reaches q + 42 = 331: that height stays.
    SchemeVariant v = station(1, 1, true);
    v.batterySeries = 1;
    v.batteryLengthMm = 1100;
    const SchemeLayout l = structuralScheme(v, smallScales, boxMeasure);
    ASSERT_EQ(l.batteryPlus.y(), 192);
    ASSERT_EQ(l.batteryMinus.y(), 289);
    EXPECT_EQ(l.drawing.size.height(), 331);
    expectEverythingInside(l.drawing, "battery at the bottom");
}

TEST(StructuralScheme, MissingDevicesAndCablesLeavePlainUnlabelledLines) {
    SchemeVariant v = station(1, 1, false);
    const SchemeLayout bare = structuralScheme(v, smallScales, boxMeasure);
    const Parts p = partsOf(v, smallScales);
    const double w1 = p.arraysWidth;
    const double qy = p.minus[0].y();
    EXPECT_TRUE(hasLine(bare.drawing, QPointF(w1, qy - 15), QPointF(w1 + 75, qy - 15)));
    for (const QString& t : texts(bare.drawing))
        EXPECT_FALSE(t.contains(QStringLiteral("мм2")) || t.startsWith(QStringLiteral(" A")))
            << t.toStdString();
    EXPECT_TRUE(itemsOf<DrawPolygon>(bare.drawing).size() == 1); // the inverter's grey strip

    // The same lines with a fuse to the controller and a labelled cable: the fuse's body on the
    // line, its labels 4 px higher than a breaker's, the cable under the minus line.
    v.arrays[0].toController.fuseType = QStringLiteral("ПН2-100");
    v.arrays[0].toController.fuseCurrent = QStringLiteral("80");
    v.arrays[0].toController.section = QStringLiteral("6");
    v.arrays[0].toController.length = QStringLiteral("15");
    const SchemeLayout fused = structuralScheme(v, smallScales, boxMeasure);
    const double c2 = 45; // "ПН2-100" is 42 px
    const double cx = w1 + 15 + c2 / 2 - 0.5;
    const auto rects = itemsOf<DrawRect>(fused.drawing);
    EXPECT_NE(std::find_if(
                  rects.begin(), rects.end(),
                  [&](const DrawRect& r) { return r.rect == QRectF(cx - 10, qy - 15 - 4, 20, 9); }),
              rects.end());
    EXPECT_EQ(labelBox(fused.drawing, QStringLiteral("ПН2-100")).top(), qy - 15 - 24 - 8);
    EXPECT_EQ(labelBox(fused.drawing, QStringLiteral("80 A")).top(), qy - 15 - 12 - 6);
    EXPECT_EQ(labelBox(fused.drawing, QStringLiteral("2x6 мм2")).top(), qy + 3);
    EXPECT_EQ(labelBox(fused.drawing, QStringLiteral("15 м")).top(), qy + 12 + 5);
}

TEST(StructuralScheme, CurrentsOptionAddsRotatedLabelsAndCableFigures) {
    SchemeVariant v = station(2, 1, false);
    for (SchemeArray& a : v.arrays) {
        a.toBattery.section = QStringLiteral("10");
        a.toBattery.length = QStringLiteral("15");
        a.toBattery.current = QStringLiteral("12,5");
        a.toBattery.drop = QStringLiteral("1,2");
    }
    const SchemeLayout plain = structuralScheme(v, smallScales, boxMeasure);
    EXPECT_TRUE(rotatedTexts(plain.drawing).isEmpty());
    EXPECT_EQ(countLabels(plain.drawing, QStringLiteral("15 м")), 2);
    EXPECT_FALSE(texts(plain.drawing).contains(QStringLiteral("30 A")));

    SchemeOptions withCurrents = smallScales;
    withCurrents.currents = true;
    const SchemeLayout l = structuralScheme(v, withCurrents, boxMeasure);
    EXPECT_EQ(countLabels(l.drawing, QStringLiteral("15 м; 12,5 A; 1,2 %")), 2);
    EXPECT_EQ(rotatedTexts(l.drawing), QStringList({"11,8 A", "11,8 A", "9,5 A", "9,5 A"}));
    // The array current reads upward beside the plus line where it turns down; the controller
    // current ends 2 px left of its minus bus.
    const Parts p = partsOf(v, withCurrents);
    const auto rotated = itemsOf<DrawRotatedText>(l.drawing);
    EXPECT_EQ(rotated[0].topLeft, QPointF(p.arraysWidth + 2, p.plus[0].y() + 2));
    EXPECT_EQ(textBox(rotated[0], boxMeasure).size(), QSizeF(14, 38));
    // The second cable line, "15 м; 12,5 A; 1,2 %" (114 px), widens column 4 from 45.
    const double o4 = p.arraysWidth + 75 + 114 + 90;
    EXPECT_EQ(textBox(rotated[2], boxMeasure),
              QRectF(o4 + 20 + 20 + 20 - 2 - 14, p.minus[0].y() - 10, 14, 32));
    // The battery's charge current right-aligned 2 px inside the edge over the plus line.
    const QRectF charge = labelBox(l.drawing, QStringLiteral("30 A"));
    EXPECT_EQ(charge.bottom(), l.batteryPlus.y() - 2);
    expectEverythingInside(l.drawing, "currents");
}

TEST(StructuralScheme, InverterFedBySeveralCables) {
    struct Case {
        const char* count;
        const char* expected;
    };
    const Case cases[] = {{"2", "2x(2x10) мм2"}, {"1", "2x10 мм2"}, {"", "2x10 мм2"}};
    for (const Case& c : cases) {
        SchemeVariant v = station(1, 1, false);
        v.inverters[0].feed.section = QStringLiteral("10");
        v.inverters[0].feed.cableCount = QString::fromUtf8(c.count);
        v.inverters[0].feed.length = QStringLiteral("3");
        const SchemeLayout l = structuralScheme(v, smallScales, boxMeasure);
        const QRectF box = inverterBoxes(l.drawing)[0];
        const QRectF cable = labelBox(l.drawing, QString::fromUtf8(c.expected));
        EXPECT_EQ(cable.top(), box.top() + 109) << c.count;
        EXPECT_EQ(labelBox(l.drawing, QStringLiteral("3 м")).top(), box.top() + 111 + 12);
    }
}

TEST(StructuralScheme, ARefusedScaleNamesTheScaleToLower) {
    const SchemeVariant v = station(1, 1, false);
    EXPECT_FALSE(schemeSizeRefusal(v, smallScales, boxMeasure));
    SchemeOptions hugePanels = smallScales;
    hugePanels.panelScale = 30000;
    const std::optional<QString> panels = schemeSizeRefusal(v, hugePanels, boxMeasure);
    ASSERT_TRUE(panels);
    EXPECT_TRUE(panels->contains(QStringLiteral("\"Масштаб СП, пиксель/м:\" (сейчас 30000)")))
        << panels->toStdString();
    SchemeOptions hugeBattery = smallScales;
    hugeBattery.batteryScale = 90000;
    const std::optional<QString> battery = schemeSizeRefusal(v, hugeBattery, boxMeasure);
    ASSERT_TRUE(battery);
    EXPECT_TRUE(battery->contains(QStringLiteral("Масштаб АБ, пиксель/м:")));
    // The painter itself never allocates such a picture.
    Drawing big;
    big.size = QSize(kLargestPictureSide + 1, 10);
    EXPECT_TRUE(render(big).isNull());
    big.size = QSize(15000, 15000); // within a side, past the pixel count
    EXPECT_TRUE(render(big).isNull());
}

TEST(Painter, RotatedTextReadsUpwardAndRoundedBoxCutsItsCorners) {
    Drawing d;
    d.size = QSize(120, 120);
    d.background = Qt::white;
    d.items.push_back(DrawRotatedText{QPointF(10, 10), QStringLiteral("ШШШШШШ"), DrawFont{},
                                      Qt::black, QColor(Qt::yellow)});
    d.items.push_back(
        DrawRoundedRect{QRectF(50, 20, 60, 80), 10, DrawPen{Qt::black, 1}, QColor(Qt::gray)});
    const QImage image = render(d);
    const QRectF patch = textBox(itemsOf<DrawRotatedText>(d)[0], fontTextMeasure());
    // The patch is taller than wide; its ink lies in it and nowhere beside it.
    EXPECT_GT(patch.height(), patch.width());
    int inkInPatch = 0, inkOutside = 0;
    for (int y = 0; y < 120; ++y)
        for (int x = 0; x < 48; ++x) {
            const QColor c = image.pixelColor(x, y);
            const bool ink = c.red() < 128 && c.green() < 128;
            (patch.contains(QPointF(x + 0.5, y + 0.5)) ? inkInPatch : inkOutside) += ink;
        }
    EXPECT_GT(inkInPatch, 20);
    EXPECT_EQ(inkOutside, 0);
    EXPECT_EQ(image.pixelColor(int(patch.left()) + 1, int(patch.top()) + 1), QColor(Qt::yellow));
    // The box's corner pixel is outside the rounding; the middle of its edges is outline.
    EXPECT_EQ(image.pixelColor(50, 20), QColor(Qt::white));
    EXPECT_EQ(image.pixelColor(80, 60), QColor(Qt::gray));
    EXPECT_LT(image.pixelColor(80, 20).lightness(), 100);
    EXPECT_LT(image.pixelColor(50, 60).lightness(), 100);
}

// ---------------------------------------------------------------- the scheme view

// Panels of 1 x 2 m at 40 px/m (40 x 80 pixels, t = 13), one panel a string unless told: every
// figure of the wider gap follows from the 40 pixels.
ArraySchemeInput viewInput(int strings, int series, SchemeAnnotations notes) {
    ArraySchemeInput in;
    in.arrayName = QStringLiteral("М");
    in.panelType = QStringLiteral("П");
    in.strings = strings;
    in.panelsPerString = series;
    in.panelCount = strings * series;
    in.arrayPower = QStringLiteral("300");
    in.arrayVoltage = QStringLiteral("24");
    in.panelPower = QStringLiteral("100");
    in.panelVoltage = QStringLiteral("12");
    in.panelWidthMm = 1000;
    in.panelHeightMm = 2000;
    in.scale = 40;
    in.gap = kSchemeViewGap;
    in.annotations = std::move(notes);
    return in;
}

SchemeAnnotations currents(double i) {
    SchemeAnnotations a;
    a.kind = SchemeAnnotation::Currents;
    a.current = i;
    a.label = [](double c) { return currentLabel(c); };
    return a;
}

std::vector<QRectF> panelFaces(const Drawing& d) {
    std::vector<QRectF> faces;
    for (const DrawRect& r : itemsOf<DrawRect>(d))
        if (r.brush == panelFaceColour)
            faces.push_back(r.rect);
    return faces;
}

TEST(SchemeView, GeometryOfOneTwoAndFourStrings) {
    for (int n : {1, 2, 4}) {
        SCOPED_TRACE(n);
        const ArraySchemeLayout l = arrayScheme(viewInput(n, 1, currents(8.5)), boxMeasure);
        const double x = 80.0 * n + 80; // the buses' right end: n strings of w + 40, and 80 more
        // Strings at 40 + i (w + 40), the panel at 80; the plus bus at 40, the minus one below
        // the panel and the gap.
        const auto faces = panelFaces(l.drawing);
        ASSERT_EQ(faces.size(), std::size_t(n));
        for (int i = 0; i < n; ++i)
            EXPECT_EQ(faces[i], QRectF(40 + 80 * i, 80, 40, 80));
        EXPECT_TRUE(hasLine(l.drawing, QPointF(85, 40), QPointF(x, 40)));
        EXPECT_TRUE(hasLine(l.drawing, QPointF(53, 200), QPointF(x, 200)));
        EXPECT_EQ(l.plus, QPointF(x + 3, 40));
        EXPECT_EQ(l.minus, QPointF(x + 3, 200));
        // The bottom panel's minus lead reaches the bus 40 pixels down.
        EXPECT_TRUE(hasLine(l.drawing, QPointF(53, 160), QPointF(53, 200)));
        // "300 Вт" (36 pixels) past the buses and the gap; the caption at 240.
        EXPECT_EQ(l.drawing.size, QSize(int(x) + 36 + 40, 12 + 200 + 60));
        EXPECT_EQ(labelBox(l.drawing, "М. П (100 Вт; 12 B; " + QString::number(n) + " шт.)").top(),
                  240);
        expectEverythingInside(l.drawing, "strings " + std::to_string(n));
    }
    // A caption wider than the scheme widens the canvas to its width and 20 pixels.
    ArraySchemeInput wide = viewInput(1, 1, currents(8.5));
    wide.arrayName = QString(60, u'Ж');
    const ArraySchemeLayout l = arrayScheme(wide, boxMeasure);
    const QString caption = wide.arrayName + ". П (100 Вт; 12 B; 1 шт.)";
    EXPECT_EQ(l.drawing.size.width(), 6 * caption.size() + 20);
    EXPECT_EQ(labelBox(l.drawing, caption).center().x(), l.drawing.size.width() / 2.0);
}

// Three strings of two panels at 8,5 A: the string's current between the panels and beside the
// later strings' bus leads, the carried current along each bus after each string.
TEST(SchemeView, CurrentLabelsAlongLeadsAndBuses) {
    const ArraySchemeLayout l = arrayScheme(viewInput(3, 2, currents(8.5)), boxMeasure);
    // Between the panels of each string, and beside the leads of strings 2 and 3 at both buses.
    EXPECT_EQ(countLabels(l.drawing, "8,5 A"), 3 + 2 * 2 + 2);
    EXPECT_EQ(countLabels(l.drawing, "17 A"), 2);
    EXPECT_EQ(countLabels(l.drawing, "25,5 A"), 2);
    // Along the plus bus the label of string i is centred half a pitch past its lead, bottom 2
    // pixels above the bus; along the minus bus half a pitch past its minus lead, top 2 below.
    const auto boxes17 = labelBoxes(l.drawing, "17 A");
    EXPECT_EQ(boxes17[0].center().x(), 40 + 80 + 45 + 40);
    EXPECT_EQ(boxes17[0].bottom(), 38);
    EXPECT_EQ(boxes17[1].center().x(), 40 + 80 + 13 + 40);
    EXPECT_EQ(boxes17[1].top(), l.minus.y() + 2);
    // The labels between panels start 3 pixels right of the minus lead and keep below the plus
    // lead's turn and above the joint with the next panel.
    const QRectF between = labelBoxes(l.drawing, "8,5 A").front();
    EXPECT_EQ(between.left(), 40 + 13 + 3);
    EXPECT_GT(between.top(), 80 + 80 + 1 + 12 + 2);
    EXPECT_LT(between.bottom(), panelFaces(l.drawing)[1].top() - 10);

    // A multiple of the current with binary noise prints in 15 digits: 3 x 0,1 is 0,3.
    const ArraySchemeLayout tenth = arrayScheme(viewInput(3, 1, currents(0.1)), boxMeasure);
    EXPECT_EQ(countLabels(tenth.drawing, "0,3 A"), 2);
    EXPECT_EQ(countLabels(tenth.drawing, "0,30000000000000004 A"), 0);
}

TEST(SchemeView, SectionLabelsComeFromTheLabelOfEachCurrent) {
    SchemeAnnotations a;
    a.kind = SchemeAnnotation::Sections;
    a.current = 8.5;
    // 1,5 for the string, 4 for more than one string, the minimum 4 past the catalog's 30 A.
    a.label = [](double c) {
        return QString(c <= 8.5 ? "1,5" : c <= 30 ? "4" : "4") + QStringLiteral(" мм2");
    };
    const ArraySchemeLayout l = arrayScheme(viewInput(4, 2, a), boxMeasure);
    EXPECT_EQ(countLabels(l.drawing, "1,5 мм2"), 4 + 3 * 2 + 2);
    EXPECT_EQ(countLabels(l.drawing, "4 мм2"), 3 * 2);
}

TEST(SchemeView, ConnectorsAndSplittersForOneTwoAndFourStrings) {
    SchemeAnnotations a;
    a.kind = SchemeAnnotation::Connectors;
    a.current = 10;
    a.connector = [](double c) { return QStringLiteral("C%1").arg(c); };
    a.splitter = [](double c) { return QStringLiteral("S%1").arg(c); };
    const auto bars = [](const Drawing& d, double width) {
        int count = 0;
        for (const DrawRect& r : itemsOf<DrawRect>(d))
            count += r.brush == QColor(Qt::black) && r.rect.width() == width;
        return count;
    };
    struct Case {
        int strings;
        int connectors, splitters;
        QStringList labels;
    };
    const Case cases[] = {
        {1, 2, 0, {"C10"}},
        {2, 2, 2, {"S20+C20"}},
        {4, 2 + 2 * 4, 2 * 3, {"S20+C20", "S30+2C30", "S40+2C40"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.strings);
        const ArraySchemeLayout l = arrayScheme(viewInput(c.strings, 1, a), boxMeasure);
        EXPECT_EQ(bars(l.drawing, 8), c.connectors);
        EXPECT_EQ(bars(l.drawing, 16), c.splitters);
        EXPECT_EQ(bars(l.drawing, 3), c.splitters); // a stem each
        for (const QString& label : c.labels)
            EXPECT_EQ(countLabels(l.drawing, label), 2) << label.toStdString();
        expectEverythingInside(l.drawing, "connectors " + std::to_string(c.strings));
    }
    // One string: a connector 10 pixels past its lead on the plus bus, the label's bottom 3
    // pixels above the bus; on the minus bus 10 pixels past the minus lead, the label under it.
    const ArraySchemeLayout one = arrayScheme(viewInput(1, 1, a), boxMeasure);
    const auto labels = labelBoxes(one.drawing, "C10");
    EXPECT_EQ(labels[0].center().x(), 40 + 45 + 10);
    EXPECT_EQ(labels[0].bottom(), 37);
    EXPECT_EQ(labels[1].center().x(), 40 + 13 + 10);
    EXPECT_EQ(labels[1].top(), one.minus.y() + 3);
    // Labels wider than the gap move the strings apart so that neighbours never touch.
    a.splitter = [](double c) { return QStringLiteral("РАЗВЕТВИТЕЛЬ-%1").arg(c); };
    const ArraySchemeLayout four = arrayScheme(viewInput(4, 1, a), boxMeasure);
    const auto faces = panelFaces(four.drawing);
    const double pitch = faces[1].left() - faces[0].left();
    EXPECT_GE(pitch, 6 * QString("РАЗВЕТВИТЕЛЬ-40+2C40").size() + 10);
}

TEST(SchemeView, SixTitles) {
    EXPECT_EQ(schemeViewTitle(SchemeAnnotation::Currents, false),
              "Распределение токов рабочей точки панелей.");
    EXPECT_EQ(schemeViewTitle(SchemeAnnotation::Currents, true),
              "Распределение токов короткого замыкания панелей.");
    EXPECT_EQ(schemeViewTitle(SchemeAnnotation::Sections, false),
              "Рекомендуемые сечения кабелей (проводов) при токах рабочей точки панелей.");
    EXPECT_EQ(schemeViewTitle(SchemeAnnotation::Sections, true),
              "Рекомендуемые сечения кабелей (проводов) при токах короткого замыкания панелей.");
    EXPECT_EQ(schemeViewTitle(SchemeAnnotation::Connectors, false),
              "Рекомендуемые типы коннекторов при токах рабочей точки панелей.");
    EXPECT_EQ(schemeViewTitle(SchemeAnnotation::Connectors, true),
              "Рекомендуемые типы коннекторов при токах короткого замыкания панелей.");
}

// The checked arrays one under another, left-aligned; none checked, no picture.
TEST(SchemeView, StacksTheCheckedArraysOnly) {
    SchemeVariant v;
    v.panelType = QStringLiteral("П");
    v.panelPower = QStringLiteral("100");
    v.panelVoltage = QStringLiteral("12");
    v.panelWidthMm = 1000;
    v.panelHeightMm = 2000;
    v.mppt = true;
    v.mpptVoltage = QStringLiteral("48");
    v.systemVoltage = QStringLiteral("24");
    for (const auto& [name, strings, power] :
         {std::tuple{"A1", 2, "200"}, std::tuple{"A2", 1, "100"}, std::tuple{"A3", 3, "300"}}) {
        SchemeArray a;
        a.name = QString::fromUtf8(name);
        a.strings = strings;
        a.series = 1;
        a.panelCount = strings;
        a.power = QString::fromUtf8(power);
        v.arrays.push_back(a);
    }
    SolarSchemeViewInput in;
    in.variant = &v;
    in.annotations = currents(5);
    in.checked = {true, false, true};
    const Drawing d = solarSchemeView(in, boxMeasure);
    const ArraySchemeLayout first =
        arrayScheme(viewInput(2, 1, currents(5)), boxMeasure); // the same size as A1
    EXPECT_EQ(countLabels(d, "A2. П (100 Вт; 12 B; 1 шт.)"), 0);
    const QRectF a3 = labelBox(d, "A3. П (100 Вт; 12 B; 3 шт.)");
    EXPECT_EQ(a3.top(), first.drawing.size.height() + 240);
    EXPECT_EQ(panelFaces(d)[2].topLeft(), QPointF(40, first.drawing.size.height() + 80));
    EXPECT_EQ(countLabels(d, "48 B"), 2); // the MPPT voltage
    in.checked = {false, false, false};
    EXPECT_TRUE(solarSchemeView(in, boxMeasure).items.empty());
    EXPECT_EQ(solarSchemeView(in, boxMeasure).size, QSize(0, 0));
}

} // namespace
} // namespace ses
