#include "reports/interval_picture.h"

#include <algorithm>
#include <cmath>

namespace ses {

namespace {

constexpr int kLargestWidth = 8000;
constexpr int kRightMargin = 20; // room for the half of the label "24"
constexpr int kBandHeight = 52;
const DrawFont kCaptionFont{12, true};
const DrawFont kNameFont{11, false};
const DrawFont kScaleFont{10, false};

double xAt(double t, int scale) {
    return pixelAtTime(std::clamp(t, 0.0, 24.0), scale);
}

int dayWidth(int scale) {
    return kPictureMargin + 288 * scale + kRightMargin;
}

// One consumer's band with its top at y: dark periods, name, bars, hour scale.
void addBand(Drawing& d, const Consumer& c, const std::vector<Period>& dark, double y, int scale) {
    const double barTop = y + 16, barHeight = 10, axis = y + 30;
    for (const auto& [a, b] : dark)
        if (b > a)
            d.items.push_back(
                DrawRect{QRectF(QPointF(xAt(a, scale), y + 14), QPointF(xAt(b, scale), axis)),
                         DrawPen{darkPeriodColour, 1}, darkPeriodColour});
    d.items.push_back(DrawText{{double(kPictureMargin), y}, c.name, kNameFont});
    for (const ConsumerPeriod& p : c.periods)
        d.items.push_back(DrawRect{QRectF(QPointF(xAt(p.t1, scale), barTop),
                                          QPointF(xAt(p.t2, scale), barTop + barHeight)),
                                   DrawPen{intervalBarColour, 1}, intervalBarColour});
    d.items.push_back(DrawLine{{xAt(0, scale), axis}, {xAt(24, scale), axis}, DrawPen{}});
    for (int minutes = 0; minutes <= 24 * 60; minutes += 10) {
        const double x = xAt(minutes / 60.0, scale);
        const bool hour = minutes % 60 == 0;
        d.items.push_back(DrawLine{{x, axis}, {x, axis + (hour ? 5 : 2)}, DrawPen{}});
        if (hour && (minutes / 60) % 2 == 0)
            d.items.push_back(DrawText{{x, axis + 6},
                                       QString::number(minutes / 60),
                                       kScaleFont,
                                       Qt::AlignHCenter | Qt::AlignTop});
    }
}

} // namespace

int largestIntervalScale() {
    return (kLargestWidth - kPictureMargin - kRightMargin) / 288;
}

std::optional<QString> intervalScaleRefusal(int scale) {
    if (scale >= kLowestIntervalScale && scale <= largestIntervalScale())
        return std::nullopt;
    return QStringLiteral("Значение масштаба должно быть от %1 до %2 пикс./5 мин.")
        .arg(kLowestIntervalScale)
        .arg(largestIntervalScale());
}

Drawing intervalPicture(const std::vector<TotalsSchedule>& sources, const DaylightRow* daylight,
                        int scale, const TextMeasure& measure) {
    Drawing d;
    std::vector<Period> dark;
    if (daylight)
        dark = {{0, daylight->sunrise}, {daylight->sunset, 24}};
    double y = 6;
    double width = dayWidth(scale);
    for (const TotalsSchedule& s : sources) {
        if (s.consumers.empty())
            continue;
        const DrawText caption{{double(kPictureMargin), y},
                               QStringLiteral(" ") + s.load + QStringLiteral(". ") + s.name +
                                   QStringLiteral(" "),
                               kCaptionFont};
        d.items.push_back(caption);
        width = std::max(width, textBox(caption, measure).right() + kRightMargin);
        y += measure(caption.text, kCaptionFont).height() + 6;
        for (const Consumer& c : s.consumers) {
            addBand(d, c, dark, y, scale);
            width = std::max(width, kPictureMargin + measure(c.name, kNameFont).width() + 4);
            y += kBandHeight;
        }
    }
    const DrawText axisCaption{{xAt(12, scale), y},
                               QStringLiteral("Время суток, час."),
                               kCaptionFont,
                               Qt::AlignHCenter | Qt::AlignTop};
    d.items.push_back(axisCaption);
    y += measure(axisCaption.text, kCaptionFont).height() + 10;
    // The legend: a sample of each fill and what it means.
    const std::pair<QColor, QString> legend[] = {
        {intervalBarColour, QStringLiteral("Временной интервал работы электроприемника")},
        {darkPeriodColour, QStringLiteral("Период темного времени суток (\"часов без солнца\")")},
    };
    for (const auto& [colour, text] : legend) {
        d.items.push_back(
            DrawRect{QRectF(kPictureMargin, y + 2, 30, 10), DrawPen{colour, 1}, colour});
        const DrawText label{{kPictureMargin + 38.0, y}, text, kNameFont};
        d.items.push_back(label);
        width = std::max(width, textBox(label, measure).right() + kRightMargin);
        y += std::max(14.0, measure(text, kNameFont).height()) + 4;
    }
    d.size = QSize(int(std::ceil(width)), int(std::ceil(y + 6)));
    return d;
}

void addTimeLine(Drawing& picture, double t, int scale) {
    const double x = xAt(t, scale);
    picture.items.push_back(
        DrawLine{{x, 0}, {x, double(picture.size.height())}, DrawPen{Qt::red, 1}});
}

} // namespace ses
