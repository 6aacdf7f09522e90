// The interval picture of the consumers: bars, shaded dark periods, the hour scale, the bound of
// the scale.

#include "reports/interval_picture.h"

#include <QRegularExpression>
#include <gtest/gtest.h>

namespace ses {
namespace {

QSizeF fixedMeasure(const QString& text, const DrawFont&) {
    return QSizeF(6.0 * text.size(), 12);
}

template <typename T> std::vector<T> itemsOf(const Drawing& drawing) {
    std::vector<T> result;
    for (const Primitive& item : drawing.items)
        if (const T* typed = std::get_if<T>(&item))
            result.push_back(*typed);
    return result;
}

std::vector<QRectF> filled(const Drawing& d, const QColor& colour) {
    std::vector<QRectF> out;
    for (const DrawRect& r : itemsOf<DrawRect>(d))
        if (r.brush == colour)
            out.push_back(r.rect);
    return out;
}

std::vector<TotalsSchedule> pump() {
    TotalsSchedule s;
    s.load = "Дом";
    s.name = "Зима";
    Consumer c;
    c.name = "Насос";
    c.periods = {{"8", "10", 8, 10}, {"18", "19,5", 18, 19.5}};
    s.consumers = {c};
    TotalsSchedule typed; // no consumers: no caption, no band
    typed.load = kDcLoadName;
    typed.name = "Типовой";
    return {s, typed};
}

TEST(LoadTotalsPicture, BarsAndDarkPeriodsOnTheHourScale) {
    const DaylightRow day{"январь", 7, 17, std::nullopt};
    const Drawing d = intervalPicture(pump(), &day, 2, fixedMeasure);
    // An hour is 24 pixels at scale 2, after the 10-pixel margin.
    const std::vector<QRectF> bars = filled(d, intervalBarColour);
    ASSERT_EQ(bars.size(), 3u); // two periods and the legend sample
    EXPECT_EQ(bars[0].left(), 10 + 8 * 24);
    EXPECT_EQ(bars[0].right(), 10 + 10 * 24);
    EXPECT_EQ(bars[1].right(), 10 + 19.5 * 24);
    const std::vector<QRectF> dark = filled(d, darkPeriodColour);
    ASSERT_EQ(dark.size(), 3u);
    EXPECT_EQ(dark[0].right(), 10 + 7 * 24);
    EXPECT_EQ(dark[1].left(), 10 + 17 * 24);
    EXPECT_EQ(dark[1].right(), 10 + 24 * 24);
    // Every part of the picture lies inside it.
    for (const QRectF& r : bars)
        EXPECT_LE(r.right(), d.size.width());
    QStringList texts;
    for (const DrawText& t : itemsOf<DrawText>(d))
        texts << t.text;
    EXPECT_TRUE(texts.contains(" Дом. Зима "));
    EXPECT_FALSE(texts.join("|").contains("Типовой"));
    EXPECT_EQ(texts.filter(QRegularExpression("^\\d+$")).size(), 13); // 0, 2, ..., 24
    EXPECT_TRUE(texts.contains("Время суток, час."));
    EXPECT_TRUE(texts.contains("Период темного времени суток (\"часов без солнца\")"));
    // Without a day-light row nothing is shaded but the legend sample.
    EXPECT_EQ(filled(intervalPicture(pump(), nullptr, 2, fixedMeasure), darkPeriodColour).size(),
              1u);
}

TEST(LoadTotalsPicture, TheScaleIsBoundedByASafeWidth) {
    const int largest = largestIntervalScale();
    EXPECT_LE(intervalPicture(pump(), nullptr, largest, fixedMeasure).size.width(), 8000);
    EXPECT_FALSE(intervalScaleRefusal(2));
    EXPECT_FALSE(intervalScaleRefusal(largest));
    for (int bad : {1, largest + 1, 1000000}) {
        const std::optional<QString> refusal = intervalScaleRefusal(bad);
        ASSERT_TRUE(refusal) << bad;
        EXPECT_TRUE(refusal->contains(QString::number(largest)));
    }
    Drawing d = intervalPicture(pump(), nullptr, 6, fixedMeasure);
    addTimeLine(d, 7.25, 6);
    const DrawLine line = itemsOf<DrawLine>(d).back();
    EXPECT_EQ(line.from.x(), 10 + 7.25 * 72);
    EXPECT_EQ(line.to.y(), d.size.height());
}

} // namespace
} // namespace ses
