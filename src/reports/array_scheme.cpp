#include "reports/array_scheme.h"

#include "lib/numbers.h"

#include <algorithm>
#include <cmath>

namespace ses {

namespace {

// round(x, n) of the project: halves to the even neighbour, on the 15-digit decimal value.
double roundEven(double x, int decimals) {
    return roundHalfEven(x, decimals);
}

const DrawPen blackPen{Qt::black, 1};

void addLine(Drawing& drawing, QPointF from, QPointF to) {
    drawing.items.push_back(DrawLine{from, to, blackPen});
}

// Polyline as separate segments so each one is a plain line primitive.
void addPath(Drawing& drawing, std::initializer_list<QPointF> points) {
    const QPointF* previous = nullptr;
    for (const QPointF& point : points) {
        if (previous)
            addLine(drawing, *previous, point);
        previous = &point;
    }
}

void addDot(Drawing& drawing, QPointF centre) {
    drawing.items.push_back(
        DrawEllipse{QRectF(centre - QPointF(2, 2), QSizeF(4, 4)), blackPen, QColor(Qt::black)});
}

void addTerminal(Drawing& drawing, QPointF centre) {
    drawing.items.push_back(
        DrawEllipse{QRectF(centre - QPointF(3, 3), QSizeF(6, 6)), blackPen, QColor(Qt::white)});
}

void addText(Drawing& drawing, QPointF anchor, const QString& text, Qt::Alignment alignment,
             QColor colour = Qt::black) {
    drawing.items.push_back(DrawText{anchor, text, DrawFont{}, alignment, colour});
}

// The string device on the plus lead at x between the plus bus (y = 10) and y = 45, where the
// riser of the string's top panel ends, with its type right of the lead (bottom at y = 31) and its
// rated current centred under the type; all of it dy lower with the scheme.
void addStringDevice(Drawing& drawing, const StringDevice& device, double lead, double dy,
                     double labelOffset, const QSizeF& typeSize, QColor background) {
    if (device.kind == StringDeviceKind::Breaker) {
        addLine(drawing, QPointF(lead, dy + 10), QPointF(lead, dy + 25));
        addLine(drawing, QPointF(lead - 7, dy + 25), QPointF(lead, dy + 40));
        addLine(drawing, QPointF(lead, dy + 40), QPointF(lead, dy + 45));
        QPolygonF latch;
        latch << QPointF(lead - 5, dy + 30) << QPointF(lead - 8, dy + 31)
              << QPointF(lead - 6, dy + 35) << QPointF(lead - 3, dy + 34);
        drawing.items.push_back(DrawPolygon{latch, blackPen, std::nullopt});
    } else {
        drawing.items.push_back(DrawRect{QRectF(lead - 4, dy + 22, 9, 20), blackPen, background});
        addLine(drawing, QPointF(lead, dy + 10), QPointF(lead, dy + 45));
    }
    const double typeLeft = lead + labelOffset;
    addText(drawing, QPointF(typeLeft, dy + 31), device.type, Qt::AlignLeft | Qt::AlignBottom);
    if (!device.current.isEmpty())
        addText(drawing, QPointF(typeLeft + std::floor(typeSize.width() / 2), dy + 33),
                device.current + QStringLiteral(" A"), Qt::AlignHCenter | Qt::AlignTop);
}

// A connector: a short black bar across the bus around (a, b).
void addConnector(Drawing& drawing, QPointF at) {
    drawing.items.push_back(DrawRect{QRectF(at.x() - 4, at.y() - 1, 8, 3), blackPen, Qt::black});
}

// A splitter: a longer bar with a stem towards the string (down from the plus bus, up from the
// minus bus).
void addSplitter(Drawing& drawing, QPointF at, bool stemDown) {
    drawing.items.push_back(DrawRect{QRectF(at.x() - 8, at.y() - 1, 16, 3), blackPen, Qt::black});
    const double stemTop = stemDown ? at.y() + 2 : at.y() - 9;
    drawing.items.push_back(DrawRect{QRectF(at.x() - 1, stemTop, 3, 8), blackPen, Qt::black});
}

// What the annotations write at the buses of string i: the current the bus carries after it, or
// the splitter and connector types joining it (empty for the first string of several).
QString busLabel(const SchemeAnnotations& a, int i, int strings) {
    const double carried = (i + 1) * a.current;
    if (a.kind != SchemeAnnotation::Connectors)
        return a.label ? a.label(carried) : QString();
    const auto connector = [&](double c) { return a.connector ? a.connector(c) : QString(); };
    const auto splitter = [&](double c) { return a.splitter ? a.splitter(c) : QString(); };
    if (strings == 1)
        return connector(a.current);
    if (i == 0)
        return {};
    return splitter(carried) + (i == 1 ? QStringLiteral("+") : QStringLiteral("+2")) +
           connector(carried);
}

} // namespace

QString schemeViewTitle(SchemeAnnotation kind, bool shortCircuit) {
    const QString basis = shortCircuit ? QStringLiteral("токах короткого замыкания панелей")
                                       : QStringLiteral("токах рабочей точки панелей");
    switch (kind) {
    case SchemeAnnotation::Sections:
        return QStringLiteral("Рекомендуемые сечения кабелей (проводов) при %1.").arg(basis);
    case SchemeAnnotation::Connectors:
        return QStringLiteral("Рекомендуемые типы коннекторов при %1.").arg(basis);
    case SchemeAnnotation::None:
    case SchemeAnnotation::Currents:
        break;
    }
    return shortCircuit ? QStringLiteral("Распределение токов короткого замыкания панелей.")
                        : QStringLiteral("Распределение токов рабочей точки панелей.");
}

QString currentLabel(double current) {
    // Latin "A", as the drawn labels write their units.
    return numberToText(current) + QStringLiteral(" A");
}

StringDevice stringDeviceFor(int strings, int maxUnprotected, const QString& breakerType,
                             const QString& breakerCurrent, const QString& fuseType,
                             const QString& fuseCurrent) {
    if (strings <= maxUnprotected)
        return {};
    if (!breakerType.isEmpty())
        return {StringDeviceKind::Breaker, breakerType, breakerCurrent};
    if (!fuseType.isEmpty())
        return {StringDeviceKind::Fuse, fuseType, fuseCurrent};
    return {};
}

int scaledSize(double millimetres, int scale) {
    return static_cast<int>(roundEven(millimetres / 1000.0 * scale, 0));
}

int cellPitch(int scale) {
    return std::max(5, scale / 6);
}

void addPanel(Drawing& drawing, QPointF topLeft, int width, int height, int cell) {
    cell = std::max(cell, 2);
    const QRectF face(topLeft, QSizeF(width, height));
    drawing.items.push_back(DrawRect{face, DrawPen{panelFaceColour, 1}, panelFaceColour});
    const DrawPen grid{panelGridColour, 1};
    const double left = topLeft.x();
    const double top = topLeft.y();
    // The grid stays inside the border, which is drawn over its ends.
    for (int dx = cell; dx < width; dx += cell)
        drawing.items.push_back(
            DrawLine{QPointF(left + dx, top + 1), QPointF(left + dx, top + height - 1), grid});
    for (int dy = cell; dy < height; dy += cell)
        drawing.items.push_back(
            DrawLine{QPointF(left + 1, top + dy), QPointF(left + width - 1, top + dy), grid});
    // Two pixels once the panel is large enough to spare them: one pixel is lost among the cells.
    const int border = std::min(width, height) >= 40 ? 2 : 1;
    drawing.items.push_back(DrawRect{face, DrawPen{panelBorderColour, border}, std::nullopt});
}

ArraySchemePlacement appendArrayScheme(Drawing& target, QPointF offset,
                                       const ArraySchemeInput& input, const TextMeasure& measure) {
    const int w = scaledSize(input.panelWidthMm, input.scale);
    const int h = scaledSize(input.panelHeightMm, input.scale);
    const int t = w / 3; // the minus lead leaves the panel at t, the plus lead at 2t
    const int strings = std::max(input.strings, 0);
    const int series = std::max(input.panelsPerString, 0);

    // Under each panel its polarity marks stand beside the leads, the minus mark left of the
    // minus lead and the plus mark right of the plus lead; below them the plus lead turns right
    // to the riser that takes it up past the panel, and the minus lead goes on to the joint with
    // the next panel's plus lead (or to the minus bus), 10 pixels above the next panel.
    const QSizeF plusSize = measure(QStringLiteral("+"), DrawFont{});
    const QSizeF minusSize = measure(QStringLiteral("-"), DrawFont{});
    const int markHeight =
        static_cast<int>(std::ceil(std::max(plusSize.height(), minusSize.height())));
    const int markWidth = static_cast<int>(std::ceil(plusSize.width()));
    const int markTop = 1; // below the lower edge of the panel
    const int plusTurn = markTop + markHeight + 2;

    // A gap wider than 20 pixels is room for annotations: the first string and the joints move
    // apart by the extra, the plus bus rises above the panels by 1.5 times it, and the minus bus
    // and the caption drop below the panels.
    const int extra = std::max(input.gap, 20) - 20;
    const SchemeAnnotations& notes = input.annotations;
    const bool labelled =
        notes.kind == SchemeAnnotation::Currents || notes.kind == SchemeAnnotation::Sections;
    const bool connectors = notes.kind == SchemeAnnotation::Connectors;
    const QString leadLabel = labelled && notes.label ? notes.label(notes.current) : QString();
    const QSizeF leadSize = measure(leadLabel, DrawFont{});
    // A lead's label between two panels stands between the plus lead's turn and the joint below
    // it; the joint drops when the label needs more room.
    int joint = std::max(plusTurn + 4, input.gap - 10);
    if (labelled && series > 1)
        joint = std::max(joint, plusTurn + static_cast<int>(std::ceil(leadSize.height())) + 4);
    const int rowPitch = h + joint + 10;
    // The riser keeps clear of the plus mark however narrow the panel is drawn.
    const int riser = std::max(w + 5, 2 * t + 3 + markWidth + 3);

    // A string device's labels stand right of the lead (5 pixels from a breaker's lead, 10 from a
    // fuse's wider body) and keep 20 pixels from the next string's lead.
    const StringDevice& device = input.device;
    const bool guarded = device.kind != StringDeviceKind::None;
    const int labelOffset = device.kind == StringDeviceKind::Fuse ? 10 : 5;
    const QSizeF typeSize = measure(device.type, DrawFont{});
    const double currentWidth =
        device.current.isEmpty()
            ? 0
            : measure(device.current + QStringLiteral(" A"), DrawFont{}).width();
    const int labelReach = static_cast<int>(
        std::ceil(labelOffset + std::max(typeSize.width(), (typeSize.width() + currentWidth) / 2)));
    // The labels at the buses, a string's centred on its lead: strings stand far enough apart
    // for neighbouring labels to keep 10 pixels between them.
    std::vector<QString> busLabels;
    std::vector<double> busWidths;
    double widestBusLabel = 0;
    if (labelled || connectors)
        for (int i = 0; i < strings; ++i) {
            busLabels.push_back(busLabel(notes, i, strings));
            busWidths.push_back(measure(busLabels.back(), DrawFont{}).width());
            widestBusLabel = std::max(widestBusLabel, busWidths.back());
        }
    const int columnPitch =
        std::max((guarded ? std::max(riser + 15, labelReach + 20) : riser + 15) + extra,
                 static_cast<int>(std::ceil(widestBusLabel)) + 10);
    // With a device every level under the plus bus is 35 pixels lower.
    const int top = (guarded ? 55 : 20) + 3 * extra;
    const int left = 20 + extra;

    const QString powerText = input.arrayPower + QStringLiteral(" Вт");
    // Latin "B": drawn labels keep the unit letters of the original pictures.
    const QString voltageText = input.arrayVoltage + QStringLiteral(" B");
    const QSizeF powerSize = measure(powerText, DrawFont{});

    ArraySchemePlacement placed;
    Drawing& drawing = target;
    const std::size_t first = target.items.size();
    QSize& size = placed.size;
    // Each panel brings its face, border and grid lines, and its marks and leads.
    const int cell = std::max(cellPitch(input.scale), 2);
    drawing.items.reserve(first + std::size_t(strings) * series * (w / cell + h / cell + 10) +
                          4 * strings + 20);
    const double plusBusY = 10 + 3 * extra / 2;
    const double minusBusY = top + series * rowPitch - 10 + extra / 2;
    // The last string's labels end 20 pixels before where a next lead would be; the terminals
    // stand 15 pixels past that (past the wider gap twice over, and clear of the last string's
    // bus labels).
    double busEnd = guarded ? left + (strings - 1) * columnPitch + riser + columnPitch - 5
                            : left + strings * columnPitch;
    busEnd += 2 * extra;
    const auto busLabelCentre = [&](int i, bool plus) {
        const double x = left + i * columnPitch;
        if (labelled)
            return plus ? x + riser + columnPitch / 2.0 : x + t + columnPitch / 2.0;
        if (strings == 1)
            return plus ? x + riser + 10 : x + t + 10;
        return plus ? x + riser : double(x + t);
    };
    if (!busLabels.empty() && strings > 0)
        busEnd = std::max(busEnd,
                          std::ceil(busLabelCentre(strings - 1, true) + busWidths.back() / 2 + 10));
    size = QSize(static_cast<int>(std::ceil(powerSize.width() + busEnd)) + 30 + extra / 2,
                 static_cast<int>(std::ceil(powerSize.height() + minusBusY)) + 30 + 3 * extra / 2);
    // Where the scheme goes in target, padded down when asked. The panels, which are most of
    // the primitives, are drawn in place; the few after them are moved there at the end.
    const double lowestMinus = guarded ? 110 : 100;
    const double pad = input.padTop && minusBusY < lowestMinus ? lowestMinus - minusBusY : 0;
    const QPointF shift = offset + QPointF(0, pad);

    for (int i = 0; i < strings; ++i) {
        const double x = shift.x() + left + i * columnPitch;
        for (int j = 0; j < series; ++j) {
            const double y = shift.y() + top + j * rowPitch;
            const double bottom = y + h;
            addPanel(drawing, QPointF(x, y), w, h, cellPitch(input.scale));
            addText(drawing, QPointF(x + t - 2, bottom + markTop), QStringLiteral("-"),
                    Qt::AlignRight | Qt::AlignTop);
            addText(drawing, QPointF(x + 2 * t + 3, bottom + markTop), QStringLiteral("+"),
                    Qt::AlignLeft | Qt::AlignTop);
            // Minus lead; the last one reaches the minus bus, the others meet the next panel.
            addLine(drawing, QPointF(x + t, bottom),
                    QPointF(x + t, j + 1 < series ? bottom + joint : shift.y() + minusBusY));
            // Plus lead round the right side of the panel up to the joint above it.
            addPath(drawing, {QPointF(x + 2 * t, bottom), QPointF(x + 2 * t, bottom + plusTurn),
                              QPointF(x + riser, bottom + plusTurn), QPointF(x + riser, y - 10)});
            if (j > 0)
                addLine(drawing, QPointF(x + riser, y - 10), QPointF(x + t - 1, y - 10));
        }
        if (guarded && series > 0)
            addStringDevice(drawing, device, x + riser, shift.y(), labelOffset, typeSize,
                            drawing.background);
        if (i > 0 && series > 0) {
            addDot(drawing, QPointF(x + riser, shift.y() + plusBusY));
            addDot(drawing, QPointF(x + t, shift.y() + minusBusY));
        }
    }
    const std::size_t afterPanels = drawing.items.size();

    placed.plus = QPointF(busEnd + 3, plusBusY);
    placed.minus = QPointF(busEnd + 3, minusBusY);
    addLine(drawing, QPointF(left + riser, plusBusY), QPointF(busEnd, plusBusY));
    addLine(drawing, QPointF(t + left, minusBusY), QPointF(busEnd, minusBusY));

    // The annotations, in the scheme's own pixels like everything after the panels.
    const double leadMiddle = std::round((plusTurn + joint) / 2.0);
    for (int i = 0; i < strings && series > 0 && (labelled || connectors); ++i) {
        const double x = left + i * columnPitch;
        const double lastBottom = top + (series - 1) * rowPitch + h;
        if (labelled) {
            // Each lead between panels carries the string's current, and so do the leads of the
            // second and later strings into the buses.
            for (int j = 0; j + 1 < series; ++j)
                addText(drawing, QPointF(x + t + 3, top + j * rowPitch + h + leadMiddle), leadLabel,
                        Qt::AlignLeft | Qt::AlignVCenter);
            if (i > 0) {
                addText(drawing, QPointF(x + t + 3, lastBottom + leadMiddle), leadLabel,
                        Qt::AlignLeft | Qt::AlignVCenter);
                addText(drawing, QPointF(x + riser + 3, top - 20), leadLabel,
                        Qt::AlignLeft | Qt::AlignVCenter);
            }
            addText(drawing, QPointF(busLabelCentre(i, true), plusBusY - 2), busLabels[i],
                    Qt::AlignHCenter | Qt::AlignBottom);
            addText(drawing, QPointF(busLabelCentre(i, false), minusBusY + 2), busLabels[i],
                    Qt::AlignHCenter | Qt::AlignTop);
            continue;
        }
        if (strings == 1) {
            addConnector(drawing, QPointF(x + riser + 10, plusBusY));
            addConnector(drawing, QPointF(x + t + 10, minusBusY));
        } else if (i > 0) {
            addSplitter(drawing, QPointF(x + riser, plusBusY), true);
            addSplitter(drawing, QPointF(x + t, minusBusY), false);
            addConnector(drawing, QPointF(x + riser + 14, plusBusY));
            addConnector(drawing, QPointF(x + t + 14, minusBusY));
            if (i > 1) {
                addConnector(drawing, QPointF(x + riser - 14, plusBusY));
                addConnector(drawing, QPointF(x + t - 14, minusBusY));
            }
        }
        if (!busLabels[i].isEmpty()) {
            addText(drawing, QPointF(busLabelCentre(i, true), plusBusY - 3), busLabels[i],
                    Qt::AlignHCenter | Qt::AlignBottom);
            addText(drawing, QPointF(busLabelCentre(i, false), minusBusY + 3), busLabels[i],
                    Qt::AlignHCenter | Qt::AlignTop);
        }
    }
    addTerminal(drawing, placed.plus);
    addTerminal(drawing, placed.minus);
    // The terminals' marks: below the plus terminal and above the minus one, off the buses.
    addText(drawing, placed.plus + QPointF(0, 4), QStringLiteral("+"),
            Qt::AlignHCenter | Qt::AlignTop);
    addText(drawing, placed.minus - QPointF(0, 4), QStringLiteral("-"),
            Qt::AlignHCenter | Qt::AlignBottom);

    const double middle = std::round((plusBusY + minusBusY) / 2);
    const double labelLeft = busEnd + 15;
    addText(drawing, QPointF(labelLeft, middle), powerText, Qt::AlignLeft | Qt::AlignBottom);
    addText(drawing, QPointF(labelLeft + std::round(powerSize.width() / 2), middle), voltageText,
            Qt::AlignHCenter | Qt::AlignTop);

    QString caption = QStringLiteral("%1 (%2 Вт; %3 B; %4 шт.)")
                          .arg(input.panelType, input.panelPower, input.panelVoltage)
                          .arg(input.panelCount);
    if (!input.arrayName.isEmpty())
        caption = input.arrayName + QStringLiteral(". ") + caption;
    const int captionWidth = static_cast<int>(std::ceil(measure(caption, DrawFont{}).width()));
    if (captionWidth + 10 + extra / 2 > size.width())
        size.setWidth(captionWidth + 10 + extra / 2);
    addText(drawing, QPointF(size.width() / 2, minusBusY + 10 + 3 * extra / 2), caption,
            Qt::AlignHCenter | Qt::AlignTop);

    size.rheight() += static_cast<int>(pad);
    translate(drawing, shift, afterPanels);
    placed.plus += shift;
    placed.minus += shift;
    return placed;
}

ArraySchemeLayout arrayScheme(const ArraySchemeInput& input, const TextMeasure& measure) {
    ArraySchemeLayout layout;
    const ArraySchemePlacement placed = appendArrayScheme(layout.drawing, {}, input, measure);
    layout.drawing.size = placed.size;
    layout.plus = placed.plus;
    layout.minus = placed.minus;
    return layout;
}

namespace {

double alignedStart(HorizontalPlacement placement, double left, double room, double used) {
    switch (placement) {
    case HorizontalPlacement::Left:
        return left;
    case HorizontalPlacement::Centre:
        return left + (room - used) / 2;
    case HorizontalPlacement::Right:
        return left + room - used;
    }
    return left;
}

// origin: the top-left corner of the site in pixels.
void placeRectangle(const SitePlacementInput& input, QPointF origin, int w, int h,
                    SitePlacementLayout& layout) {
    const double panelWidth = input.panelWidthMm / 1000;
    const double panelHeight = input.panelHeightMm / 1000;
    const int lengthPx = static_cast<int>(roundEven(input.scale * input.length, 0));
    const int heightPx = static_cast<int>(roundEven(input.scale * input.height, 0));
    const int perRow = std::min(static_cast<int>(input.length / panelWidth), input.panels);
    if (perRow <= 0)
        return;
    int rows = input.panels / perRow + (input.panels % perRow != 0 ? 1 : 0);
    rows = std::min(rows, static_cast<int>(input.height / panelHeight));

    for (int r = 0; r < rows && layout.placed < input.panels; ++r) {
        const int inRow = std::min(perRow, input.panels - layout.placed);
        double y = r * h;
        if (input.vertical == VerticalPlacement::Centre)
            y = std::floor((heightPx - rows * h) / 2.0) + r * h;
        else if (input.vertical == VerticalPlacement::Bottom)
            y = heightPx - (r + 1) * h;
        for (int c = 0; c < inRow; ++c) {
            const double x =
                std::floor(alignedStart(input.horizontal, 0, lengthPx, inRow * w)) + c * w;
            addPanel(layout.drawing, origin + QPointF(x, y), w, h, cellPitch(input.scale));
            ++layout.placed;
        }
    }
}

// Trapezoid and triangle: rows counted at their narrower edge, the shorter base centred over
// the longer one.
void placeSloped(const SitePlacementInput& input, QPointF origin, double upper, double lower, int w,
                 int h, SitePlacementLayout& layout) {
    const double panelWidth = input.panelWidthMm / 1000;
    const double panelHeight = input.panelHeightMm / 1000;
    const double rowHeight = roundEven(panelHeight, 3);
    const double height = input.height;
    const double longer = std::max(upper, lower);
    const int rows = static_cast<int>(roundEven(height / panelHeight, 3));

    auto widthAt = [&](double depth) {
        if (upper > lower)
            return upper - depth * (upper - lower) / height;
        return upper + depth * (lower - upper) / height;
    };

    for (int r = 0; r < rows && layout.placed < input.panels; ++r) {
        double depth = r * rowHeight;
        if (input.vertical == VerticalPlacement::Centre)
            depth = roundEven((height - rows * panelHeight) / 2, 3) + r * rowHeight;
        else if (input.vertical == VerticalPlacement::Bottom)
            depth = height - (r + 1) * rowHeight;
        const double narrowDepth = upper > lower ? depth + rowHeight : depth;
        const double room = widthAt(narrowDepth);
        const int fits = static_cast<int>(roundEven(room / panelWidth, 3));
        const int inRow = std::min(fits, input.panels - layout.placed);
        if (inRow <= 0)
            continue;
        const double roomLeft = (longer - room) / 2;
        const double startMetres =
            alignedStart(input.horizontal, roomLeft, room, inRow * panelWidth);
        const double x = roundEven(input.scale * startMetres, 0);
        const double y = roundEven(input.scale * depth, 0);
        for (int c = 0; c < inRow; ++c) {
            addPanel(layout.drawing, origin + QPointF(x + c * w, y), w, h, cellPitch(input.scale));
            ++layout.placed;
        }
    }
}

// Dimension lines: 12 pixels off the site, their extension lines starting 3 pixels off it and
// running 4 pixels past the dimension line, arrowheads 8 pixels long at both ends.
constexpr double kDimensionOffset = 12;
constexpr double kExtensionGap = 3;
constexpr double kExtensionOverrun = 4;
constexpr double kArrowLength = 8;
constexpr double kArrowHalfWidth = 3;
constexpr double kLabelGap = 3;

QString metres(double value) {
    return numberToText(value) + QStringLiteral(" м");
}

void addArrowHead(Drawing& drawing, QPointF tip, QPointF direction) {
    const QPointF across(-direction.y(), direction.x());
    QPolygonF head;
    head << tip << tip - direction * kArrowLength + across * kArrowHalfWidth
         << tip - direction * kArrowLength - across * kArrowHalfWidth;
    drawing.items.push_back(DrawPolygon{head, blackPen, QColor(Qt::black)});
}

// The dimension line between from and to with an arrowhead at each end pointing outwards;
// arrowheads are left off a line too short to hold both.
void addDimensionLine(Drawing& drawing, QPointF from, QPointF to) {
    addLine(drawing, from, to);
    const QPointF span = to - from;
    const double length = std::hypot(span.x(), span.y());
    if (length < 2 * kArrowLength + 2)
        return;
    const QPointF direction = span / length;
    addArrowHead(drawing, to, direction);
    addArrowHead(drawing, from, -direction);
}

// A width from left to right of an edge at edgeY, measured above the edge (above) or below it.
void addWidthDimension(Drawing& drawing, double left, double right, double edgeY, bool above,
                       double value) {
    const double side = above ? -1 : 1;
    const double lineY = edgeY + side * kDimensionOffset;
    for (double x : {left, right})
        addLine(drawing, QPointF(x, edgeY + side * kExtensionGap),
                QPointF(x, lineY + side * kExtensionOverrun));
    addDimensionLine(drawing, QPointF(left, lineY), QPointF(right, lineY));
    addText(drawing, QPointF((left + right) / 2, lineY + side * kLabelGap), metres(value),
            Qt::AlignHCenter | (above ? Qt::AlignBottom : Qt::AlignTop));
}

// The height from top to bottom measured left of the site; the extension lines start at the
// left ends of the upper and lower edges (topX, bottomX) and the dimension line stands at lineX.
void addHeightDimension(Drawing& drawing, double top, double bottom, double topX, double bottomX,
                        double lineX, double value) {
    addLine(drawing, QPointF(topX - kExtensionGap, top), QPointF(lineX - kExtensionOverrun, top));
    addLine(drawing, QPointF(bottomX - kExtensionGap, bottom),
            QPointF(lineX - kExtensionOverrun, bottom));
    addDimensionLine(drawing, QPointF(lineX, top), QPointF(lineX, bottom));
    addText(drawing, QPointF(lineX - kExtensionOverrun - kLabelGap, (top + bottom) / 2),
            metres(value), Qt::AlignRight | Qt::AlignVCenter);
}

} // namespace

SitePlacementLayout sitePlacement(const SitePlacementInput& input, const TextMeasure& measure) {
    SitePlacementLayout layout;
    Drawing& drawing = layout.drawing;
    const int k = input.scale;
    const int w = scaledSize(input.panelWidthMm, k);
    const int h = scaledSize(input.panelHeightMm, k);
    const bool triangle = input.shape == PlacementShape::Triangle;
    const bool trapezoid = input.shape == PlacementShape::Trapezoid;
    const double upper = triangle ? 0 : input.length;
    const double lower = trapezoid ? input.lowerBase : input.length;
    const int widthPx = static_cast<int>(roundEven(k * std::max(upper, lower), 0));
    const int heightPx = static_cast<int>(roundEven(k * input.height, 0));

    // Room for the dimensions: the height's label on the left, the upper edge's above the site
    // (none over a triangle's apex) and the lower base's below a trapezoid or triangle.
    const QSizeF heightLabel = measure(metres(input.height), DrawFont{});
    const double labelHeight = std::ceil(heightLabel.height());
    const bool upperDimension = !triangle;
    const bool lowerDimension = trapezoid || triangle;
    const double left =
        10 + std::ceil(heightLabel.width()) + kLabelGap + kExtensionOverrun + kDimensionOffset;
    const double top = upperDimension ? 6 + labelHeight + kLabelGap + kDimensionOffset : 20;
    const QPointF origin(left, top);
    layout.site = QRectF(origin, QSizeF(widthPx, heightPx));
    const double bottom = top + heightPx;
    const double below = lowerDimension ? kDimensionOffset + kLabelGap + labelHeight + 6 : 20;
    drawing.size = QSize(static_cast<int>(left) + widthPx + 20, static_cast<int>(bottom + below));

    const DrawPen outline{Qt::black, 2};
    if (input.shape == PlacementShape::Rectangle) {
        // One pixel outside the site so the 2-pixel frame does not cover the edge panels.
        drawing.items.push_back(
            DrawRect{layout.site.adjusted(-1, -1, 1, 1), outline, std::nullopt});
        addWidthDimension(drawing, left, left + widthPx, top, true, input.length);
        addHeightDimension(drawing, top, bottom, left, left, left - kDimensionOffset, input.height);
    } else {
        const double upperPx = roundEven(k * upper, 0);
        const double lowerPx = roundEven(k * lower, 0);
        const double upperLeft = left + std::floor((widthPx - upperPx) / 2);
        const double upperRight = left + std::floor((widthPx + upperPx) / 2);
        const double lowerLeft = left + std::floor((widthPx - lowerPx) / 2);
        const double lowerRight = left + std::floor((widthPx + lowerPx) / 2);
        QPolygonF points;
        points << QPointF(upperLeft, top);
        if (upperPx > 0)
            points << QPointF(upperRight, top);
        points << QPointF(lowerRight, bottom) << QPointF(lowerLeft, bottom);
        drawing.items.push_back(DrawPolygon{points, outline, std::nullopt});
        if (upperDimension)
            addWidthDimension(drawing, upperLeft, upperRight, top, true, input.length);
        addWidthDimension(drawing, lowerLeft, lowerRight, bottom, false,
                          trapezoid ? input.lowerBase : input.length);
        addHeightDimension(drawing, top, bottom, upperLeft, lowerLeft, left - kDimensionOffset,
                           input.height);
    }

    // A label longer than its edge may reach past the site's margin: the canvas takes it in.
    for (const Primitive& item : drawing.items)
        if (const auto* label = std::get_if<DrawText>(&item)) {
            const QRectF box = textBox(*label, measure);
            drawing.size =
                drawing.size.expandedTo(QSize(static_cast<int>(std::ceil(box.right())) + 6,
                                              static_cast<int>(std::ceil(box.bottom())) + 6));
        }

    if (input.panelWidthMm <= 0 || input.panelHeightMm <= 0 || input.height <= 0 ||
        input.panels <= 0)
        return layout;
    if (input.shape == PlacementShape::Rectangle)
        placeRectangle(input, origin, w, h, layout);
    else
        placeSloped(input, origin, upper, lower, w, h, layout);
    return layout;
}

} // namespace ses
