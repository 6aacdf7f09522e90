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

} // namespace

int scaledSize(double millimetres, int scale) {
    return static_cast<int>(roundEven(millimetres / 1000.0 * scale, 0));
}

void addPanel(Drawing& drawing, QPointF topLeft, int width, int height) {
    const DrawPen frame{panelFrameColour, 2};
    const DrawPen grid{panelFrameColour, 1};
    drawing.items.push_back(
        DrawRect{QRectF(topLeft, QSizeF(width, height)), frame, panelFaceColour});
    const double left = topLeft.x();
    const double top = topLeft.y();
    for (int dx = 5; dx < width; dx += 5)
        drawing.items.push_back(
            DrawLine{QPointF(left + dx, top), QPointF(left + dx, top + height), grid});
    for (int dy = 5; dy < height; dy += 5)
        drawing.items.push_back(
            DrawLine{QPointF(left, top + dy), QPointF(left + width, top + dy), grid});
}

ArraySchemeLayout arrayScheme(const ArraySchemeInput& input, const TextMeasure& measure) {
    const int w = scaledSize(input.panelWidthMm, input.scale);
    const int h = scaledSize(input.panelHeightMm, input.scale);
    const int t = w / 3;
    const int strings = std::max(input.strings, 0);
    const int series = std::max(input.panelsPerString, 0);

    const QString powerText = input.arrayPower + QStringLiteral(" Вт");
    // Latin "B": drawn labels keep the unit letters of the original pictures.
    const QString voltageText = input.arrayVoltage + QStringLiteral(" B");
    const QSizeF powerSize = measure(powerText, DrawFont{});

    ArraySchemeLayout layout;
    Drawing& drawing = layout.drawing;
    const double plusBusY = 10;
    const double minusBusY = series * (h + 20) + 10;
    const double busEnd = strings * (w + 20) + 20;
    drawing.size = QSize(static_cast<int>(std::ceil(powerSize.width())) + strings * (w + 20) + 50,
                         static_cast<int>(std::ceil(powerSize.height())) + series * (h + 20) + 40);

    for (int i = 0; i < strings; ++i) {
        const double x = 20 + i * (w + 20);
        for (int j = 0; j < series; ++j) {
            const double y = 20 + j * (h + 20);
            addPanel(drawing, QPointF(x, y), w, h);
            // Polarity marks beside the leads (clear of the lead lines), their boxes starting 5
            // pixels above the edge.
            addText(drawing, QPointF(x + t - 1, y + h - 5), QStringLiteral("-"),
                    Qt::AlignRight | Qt::AlignTop);
            addText(drawing, QPointF(x + 2 * t + 2, y + h - 5), QStringLiteral("+"),
                    Qt::AlignLeft | Qt::AlignTop);
            // Minus lead; the last one reaches the minus bus, the others meet the next panel.
            addLine(drawing, QPointF(x + t, y + h), QPointF(x + t, y + h + 10));
            // Plus lead round the right side of the panel up to the gap above it.
            addPath(drawing, {QPointF(x + 2 * t, y + h), QPointF(x + 2 * t, y + h + 6),
                              QPointF(x + w + 5, y + h + 6), QPointF(x + w + 5, y - 10)});
            if (j > 0)
                addLine(drawing, QPointF(x + w + 5, y - 10), QPointF(x + t - 1, y - 10));
        }
        if (i > 0 && series > 0) {
            addDot(drawing, QPointF(x + w + 5, plusBusY));
            addDot(drawing, QPointF(x + t, minusBusY));
        }
    }

    layout.plus = QPointF(busEnd + 3, plusBusY);
    layout.minus = QPointF(busEnd + 3, minusBusY);
    addLine(drawing, QPointF(w + 25, plusBusY), QPointF(busEnd, plusBusY));
    addLine(drawing, QPointF(t + 20, minusBusY), QPointF(busEnd, minusBusY));
    addTerminal(drawing, layout.plus);
    addTerminal(drawing, layout.minus);
    addText(drawing, layout.plus + QPointF(0, 4), QStringLiteral("+"),
            Qt::AlignHCenter | Qt::AlignTop);
    addText(drawing, layout.minus - QPointF(0, 4), QStringLiteral("-"),
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
    if (captionWidth + 10 > drawing.size.width())
        drawing.size.setWidth(captionWidth + 10);
    addText(drawing, QPointF(drawing.size.width() / 2, minusBusY + 10), caption,
            Qt::AlignHCenter | Qt::AlignTop);

    if (input.minusAtLeast100 && layout.minus.y() < 100) {
        const QPointF shift(0, 100 - layout.minus.y());
        translate(drawing, shift);
        drawing.size.rheight() += static_cast<int>(shift.y());
        layout.plus += shift;
        layout.minus += shift;
    }
    return layout;
}

namespace {

// Panels of one row: their count and the x of the first one, in pixels.
struct PlacedRow {
    int count = 0;
    double left = 0;
};

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

void placeRectangle(const SitePlacementInput& input, int w, int h, SitePlacementLayout& layout) {
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
        double y = 20 + r * h;
        if (input.vertical == VerticalPlacement::Centre)
            y = 20 + std::floor((heightPx - rows * h) / 2.0) + r * h;
        else if (input.vertical == VerticalPlacement::Bottom)
            y = 20 + heightPx - (r + 1) * h;
        for (int c = 0; c < inRow; ++c) {
            const double x =
                std::floor(alignedStart(input.horizontal, 20, lengthPx, inRow * w)) + c * w;
            addPanel(layout.drawing, QPointF(x, y), w, h);
            ++layout.placed;
        }
    }
}

// Trapezoid and triangle: rows counted at their narrower edge, the shorter base centred over
// the longer one.
void placeSloped(const SitePlacementInput& input, double upper, double lower, int w, int h,
                 SitePlacementLayout& layout) {
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
        const double x = 20 + roundEven(input.scale * startMetres, 0);
        const double y = 20 + roundEven(input.scale * depth, 0);
        for (int c = 0; c < inRow; ++c) {
            addPanel(layout.drawing, QPointF(x + c * w, y), w, h);
            ++layout.placed;
        }
    }
}

} // namespace

SitePlacementLayout sitePlacement(const SitePlacementInput& input) {
    SitePlacementLayout layout;
    Drawing& drawing = layout.drawing;
    const int k = input.scale;
    const int w = scaledSize(input.panelWidthMm, k);
    const int h = scaledSize(input.panelHeightMm, k);
    const double upper = input.shape == PlacementShape::Triangle ? 0 : input.length;
    const double lower = input.shape == PlacementShape::Rectangle  ? input.length
                         : input.shape == PlacementShape::Triangle ? input.length
                                                                   : input.lowerBase;
    const int widthPx = static_cast<int>(roundEven(k * std::max(upper, lower), 0));
    const int heightPx = static_cast<int>(roundEven(k * input.height, 0));
    drawing.size = QSize(widthPx + 40, heightPx + 40);

    const DrawPen outline{Qt::black, 2};
    if (input.shape == PlacementShape::Rectangle) {
        // One pixel outside the site so the 2-pixel frame does not cover the edge panels.
        drawing.items.push_back(DrawRect{
            QRectF(QPointF(19, 19), QPointF(widthPx + 21, heightPx + 21)), outline, std::nullopt});
    } else {
        const double upperPx = roundEven(k * upper, 0);
        const double lowerPx = roundEven(k * lower, 0);
        QPolygonF points;
        points << QPointF(20 + std::floor((widthPx - upperPx) / 2), 20);
        if (upperPx > 0)
            points << QPointF(20 + std::floor((widthPx + upperPx) / 2), 20);
        points << QPointF(20 + std::floor((widthPx + lowerPx) / 2), 20 + heightPx)
               << QPointF(20 + std::floor((widthPx - lowerPx) / 2), 20 + heightPx);
        drawing.items.push_back(DrawPolygon{points, outline, std::nullopt});
    }

    if (input.panelWidthMm <= 0 || input.panelHeightMm <= 0 || input.height <= 0 ||
        input.panels <= 0)
        return layout;
    if (input.shape == PlacementShape::Rectangle)
        placeRectangle(input, w, h, layout);
    else
        placeSloped(input, upper, lower, w, h, layout);
    return layout;
}

} // namespace ses
