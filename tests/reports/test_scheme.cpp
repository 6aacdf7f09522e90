#include "reports/array_scheme.h"
#include "reports/battery_assembly.h"
#include "reports/drawing.h"

#include <gtest/gtest.h>

#include <algorithm>

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

} // namespace
} // namespace ses
