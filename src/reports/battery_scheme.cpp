#include "reports/battery_scheme.h"

#include "lib/numbers.h"

#include <algorithm>
#include <cmath>

namespace ses {

namespace {

const DrawPen kBlack{Qt::black, 1};
const QColor kCellFill(64, 64, 64);
const QColor kCellBorder(128, 128, 128);
const QColor kTerminalFill(230, 230, 230);

void line(Drawing& d, QPointF a, QPointF b) {
    d.items.push_back(DrawLine{a, b, kBlack});
}

void text(Drawing& d, QPointF anchor, const QString& s, Qt::Alignment a) {
    d.items.push_back(DrawText{anchor, s, DrawFont{}, a, Qt::black});
}

void circle(Drawing& d, QPointF centre, double radius, QColor fill) {
    d.items.push_back(DrawEllipse{
        QRectF(centre - QPointF(radius, radius), QSizeF(2 * radius, 2 * radius)), kBlack, fill});
}

int pixels(double mm, int scale) {
    return int(roundHalfEven(mm / 1000.0 * scale, 0));
}

} // namespace

Drawing batteryScheme(const BatterySchemeInput& in, const TextMeasure& measure) {
    constexpr int M = kBatterySchemeGap;
    const int ns = std::max(in.ns, 0);
    const int np = std::max(in.np, 0);
    const int w = pixels(in.widthMm, in.scale);
    const int h = pixels(in.lengthMm, in.scale);
    const QString capacity = in.capacity + QStringLiteral(" А*ч");
    const QString caption = in.name + QStringLiteral(" (") + in.cnom + QStringLiteral(" А*ч; ") +
                            in.unom + QStringLiteral(" B; ") + in.kol + QStringLiteral(" шт.)");
    const QSizeF capacitySize = measure(capacity, DrawFont{});
    const QSizeF captionSize = measure(caption, DrawFont{});

    Drawing d;
    int width = int(std::ceil(capacitySize.width())) + w * np + M * (np + 2);
    const int height =
        int(std::ceil(measure(in.name, DrawFont{}).height())) + h * ns + M * (ns + 3) + M / 2;
    if (captionSize.width() > width - 20)
        width = int(std::ceil(captionSize.width())) + 20;
    d.size = QSize(width, height);

    const double plusY = M;
    const double minusY = h * ns + M * (ns + 2);
    const double busEnd = w * np + M * (np + 1);
    const double half = (w + M) / 2.0;

    for (int k = 1; k <= np; ++k) {
        const double x = M + (k - 1) * (w + M);
        const double cx = x + w / 2.0;
        for (int j = 1; j <= ns; ++j) {
            const double y = 2 * M + (j - 1) * (h + M);
            d.items.push_back(DrawRect{QRectF(x, y, w, h), DrawPen{kCellBorder, 2}, kCellFill});
            circle(d, QPointF(cx, y), 3, kTerminalFill);
            circle(d, QPointF(cx, y + h), 3, kTerminalFill);
            text(d, QPointF(cx - 5, y - 2), QStringLiteral("+"), Qt::AlignRight | Qt::AlignBottom);
            text(d, QPointF(cx - 5, y + h + 2), QStringLiteral("-"), Qt::AlignRight | Qt::AlignTop);
            if (j < ns) {
                // The series jumper down to the next cell, labelled at its middle.
                line(d, QPointF(cx, y + h + 3), QPointF(cx, y + h + M - 3));
                text(d, QPointF(cx + 5, y + h + M / 2.0), in.seriesLabel,
                     Qt::AlignLeft | Qt::AlignVCenter);
            }
        }
        // The string's leads to the buses.
        if (ns > 0) {
            line(d, QPointF(cx, plusY), QPointF(cx, 2 * M - 3));
            line(d, QPointF(cx, minusY - M + 3), QPointF(cx, minusY));
        } else {
            line(d, QPointF(cx, plusY), QPointF(cx, minusY));
        }
        if (k > 1) {
            circle(d, QPointF(cx, plusY), 2.5, Qt::black);
            circle(d, QPointF(cx, minusY), 2.5, Qt::black);
            if (!in.linkLabel.isEmpty()) {
                text(d, QPointF(cx + 5, plusY + M / 2.0), in.linkLabel,
                     Qt::AlignLeft | Qt::AlignVCenter);
                text(d, QPointF(cx + 5, minusY - M / 2.0), in.linkLabel,
                     Qt::AlignLeft | Qt::AlignVCenter);
            }
        }
        // The bus segment to the next string, or to the terminal, carries k strings' current.
        if (k - 1 < in.busLabels.size()) {
            text(d, QPointF(cx + half, plusY - 3), in.busLabels[k - 1],
                 Qt::AlignHCenter | Qt::AlignBottom);
            text(d, QPointF(cx + half, minusY + 3), in.busLabels[k - 1],
                 Qt::AlignHCenter | Qt::AlignTop);
        }
    }
    if (np > 0) {
        const double first = M + w / 2.0;
        line(d, QPointF(first, plusY), QPointF(busEnd, plusY));
        line(d, QPointF(first, minusY), QPointF(busEnd, minusY));
        circle(d, QPointF(busEnd + 3, plusY), 3, Qt::white);
        circle(d, QPointF(busEnd + 3, minusY), 3, Qt::white);
        text(d, QPointF(busEnd + 3, plusY + 5), QStringLiteral("+"),
             Qt::AlignHCenter | Qt::AlignTop);
        text(d, QPointF(busEnd + 3, minusY - 5), QStringLiteral("-"),
             Qt::AlignHCenter | Qt::AlignBottom);
    }
    const double middle = (plusY + minusY) / 2;
    text(d, QPointF(busEnd + 15, middle - 1), capacity, Qt::AlignLeft | Qt::AlignBottom);
    text(d, QPointF(busEnd + 15, middle + 1), in.voltage + QStringLiteral(" В"),
         Qt::AlignLeft | Qt::AlignTop);
    text(d, QPointF(width / 2.0, h * ns + M * (ns + 3)), caption, Qt::AlignHCenter | Qt::AlignTop);
    return d;
}

} // namespace ses
