#include "reports/battery_assembly.h"

#include "reports/array_scheme.h"

#include <algorithm>
#include <cmath>

namespace ses {

namespace {

const DrawPen blackPen{Qt::black, 1};

int ceilOf(double x) {
    return static_cast<int>(std::ceil(x));
}

void addLine(Drawing& drawing, QPointF from, QPointF to) {
    drawing.items.push_back(DrawLine{from, to, blackPen});
}

void addText(Drawing& drawing, QPointF anchor, const QString& text, Qt::Alignment alignment) {
    drawing.items.push_back(DrawText{anchor, text, DrawFont{}, alignment, Qt::black});
}

// A small circle in the 4 x 4 box around centre.
QRectF smallCircle(QPointF centre) {
    return QRectF(centre - QPointF(2, 2), QSizeF(4, 4));
}

} // namespace

BatteryAssemblyLayout batteryAssembly(const BatteryAssemblyInput& input,
                                      const TextMeasure& measure) {
    const int wb = scaledSize(input.widthMm, input.scale);
    const int lb = scaledSize(input.lengthMm, input.scale);
    const int t = wb / 4; // the leads and terminals lie a quarter of the width in
    const int np = std::max(input.parallel, 0);
    const int ns = std::max(input.series, 0);
    const int columnPitch = wb + 20;
    const int rowPitch = lb + 20;

    const QString capacityText = input.capacity + QStringLiteral(" А*ч");
    // The system voltage is written with the Cyrillic letter, as the battery texts are.
    const QString voltageText = input.voltage + QStringLiteral(" В");
    const QString caption = input.model + QStringLiteral(" (") + input.nominalCapacity +
                            QStringLiteral(" А*ч; ") + input.nominalVoltage +
                            QStringLiteral(" B; ") + input.count + QStringLiteral(" шт.)");
    const QSizeF capacitySize = measure(capacityText, DrawFont{});

    BatteryAssemblyLayout layout;
    Drawing& drawing = layout.drawing;
    drawing.size = QSize(ceilOf(capacitySize.width()) + np * columnPitch + 50,
                         ceilOf(measure(input.model, DrawFont{}).height()) + ns * rowPitch + 40);

    const double plusBusY = 10;
    const double minusBusY = ns * rowPitch + 10;
    const double busEnd = np * columnPitch + 20;

    for (int i = 0; i < np; ++i) {
        const double x = 20 + i * columnPitch;
        const double lead = x + t;
        for (int j = 0; j < ns; ++j) {
            const double y = 20 + j * rowPitch;
            drawing.items.push_back(DrawRect{QRectF(x, y, wb, lb),
                                             DrawPen{equipmentDetailColour, 2}, QColor(Qt::black)});
            drawing.items.push_back(DrawEllipse{smallCircle(QPointF(lead, y + 3)),
                                                DrawPen{equipmentDetailColour, 1},
                                                equipmentFaceColour});
            drawing.items.push_back(DrawEllipse{smallCircle(QPointF(lead, y + lb - 4)),
                                                DrawPen{equipmentDetailColour, 1},
                                                equipmentFaceColour});
            // The polarity marks stand in the gap left of the battery, clear of its black body
            // whatever its width: the plus by the top corner, the minus by the bottom one.
            addText(drawing, QPointF(x - 3, y + 1), QStringLiteral("+"),
                    Qt::AlignRight | Qt::AlignBottom);
            addText(drawing, QPointF(x - 3, y + lb - 5), QStringLiteral("-"),
                    Qt::AlignRight | Qt::AlignTop);
            // The bottom lead meets the next battery's top lead half-way (series connection);
            // the first and last reach the buses.
            addLine(drawing, QPointF(lead, y + lb), QPointF(lead, y + lb + 10));
            addLine(drawing, QPointF(lead, y), QPointF(lead, j > 0 ? y - 20 : y - 10));
        }
        if (i > 0 && ns > 0) {
            drawing.items.push_back(
                DrawEllipse{smallCircle(QPointF(lead, plusBusY)), blackPen, QColor(Qt::black)});
            drawing.items.push_back(
                DrawEllipse{smallCircle(QPointF(lead, minusBusY)), blackPen, QColor(Qt::black)});
        }
    }

    addLine(drawing, QPointF(t + 20, plusBusY), QPointF(busEnd, plusBusY));
    addLine(drawing, QPointF(t + 20, minusBusY), QPointF(busEnd, minusBusY));
    layout.plus = QPointF(busEnd + 2, plusBusY);
    layout.minus = QPointF(busEnd + 2, minusBusY);
    drawing.items.push_back(DrawEllipse{smallCircle(layout.plus), blackPen, std::nullopt});
    drawing.items.push_back(DrawEllipse{smallCircle(layout.minus), blackPen, std::nullopt});
    addText(drawing, QPointF(layout.plus.x(), 14), QStringLiteral("+"),
            Qt::AlignHCenter | Qt::AlignTop);
    addText(drawing, QPointF(layout.minus.x(), minusBusY - 4), QStringLiteral("-"),
            Qt::AlignHCenter | Qt::AlignBottom);

    const double middle = std::floor((plusBusY + minusBusY) / 2);
    const double labelLeft = np * columnPitch + 35;
    addText(drawing, QPointF(labelLeft, middle), capacityText, Qt::AlignLeft | Qt::AlignBottom);
    addText(drawing, QPointF(labelLeft + std::floor(capacitySize.width() / 2), middle + 2),
            voltageText, Qt::AlignHCenter | Qt::AlignTop);

    const int captionWidth = ceilOf(measure(caption, DrawFont{}).width());
    if (captionWidth + 10 > drawing.size.width())
        drawing.size.setWidth(captionWidth + 10);
    addText(drawing, QPointF(drawing.size.width() / 2, ns * rowPitch + 20), caption,
            Qt::AlignHCenter | Qt::AlignTop);
    return layout;
}

} // namespace ses
