#include "reports/array_scheme.h"
#include "reports/drawing.h"

#include <QRegularExpression>
#include <gtest/gtest.h>

#include <algorithm>

namespace ses {
namespace {

// Fixed-width text so the geometry does not depend on the installed fonts.
QSizeF fakeMeasure(const QString& text, const DrawFont&) {
    return QSizeF(6.0 * text.size(), 12);
}

template <typename T> std::vector<T> itemsOf(const Drawing& drawing) {
    std::vector<T> result;
    for (const Primitive& item : drawing.items)
        if (const T* typed = std::get_if<T>(&item))
            result.push_back(*typed);
    return result;
}

std::vector<QRectF> panelRects(const Drawing& drawing) {
    std::vector<QRectF> result;
    for (const DrawRect& rect : itemsOf<DrawRect>(drawing))
        if (rect.brush == panelFaceColour)
            result.push_back(rect.rect);
    return result;
}

QStringList texts(const Drawing& drawing) {
    QStringList result;
    for (const DrawText& text : itemsOf<DrawText>(drawing))
        result << text.text;
    return result;
}

TEST(Painter, DrawsLineOnItsPixelsAndBackgroundElsewhere) {
    Drawing drawing;
    drawing.size = QSize(40, 30);
    drawing.items.push_back(DrawLine{QPointF(5, 10), QPointF(30, 10), DrawPen{}});
    drawing.items.push_back(
        DrawRect{QRectF(10, 18, 10, 8), DrawPen{panelFrameColour, 1}, panelFaceColour});
    const QImage image = render(drawing);
    ASSERT_EQ(image.size(), QSize(40, 30));
    EXPECT_EQ(image.format(), QImage::Format_RGB32);
    EXPECT_EQ(image.pixelColor(15, 10), QColor(Qt::black));
    EXPECT_EQ(image.pixelColor(15, 5), QColor(Qt::white));
    EXPECT_EQ(image.pixelColor(15, 22), panelFaceColour);
    EXPECT_EQ(image.pixelColor(35, 22), QColor(Qt::white));
}

TEST(Painter, ClearedPictureIsFiftySquareOfBackground) {
    const QColor windowColour(240, 240, 240);
    const Drawing cleared = clearedPicture(windowColour);
    EXPECT_EQ(cleared.size, QSize(50, 50));
    EXPECT_TRUE(cleared.items.empty());
    const QImage image = render(cleared);
    EXPECT_EQ(image.size(), QSize(50, 50));
    EXPECT_EQ(image.pixelColor(0, 0), windowColour);
    EXPECT_EQ(image.pixelColor(49, 49), windowColour);
}

TEST(Drawing, TextBoxFollowsAlignment) {
    struct Case {
        Qt::Alignment alignment;
        QRectF box;
    };
    const Case cases[] = {
        {Qt::AlignLeft | Qt::AlignTop, QRectF(100, 50, 24, 12)},
        {Qt::AlignRight | Qt::AlignBottom, QRectF(76, 38, 24, 12)},
        {Qt::AlignHCenter | Qt::AlignTop, QRectF(88, 50, 24, 12)},
        {Qt::AlignHCenter | Qt::AlignVCenter, QRectF(88, 44, 24, 12)},
    };
    for (const Case& c : cases) {
        const DrawText text{QPointF(100, 50), QStringLiteral("24 B"), DrawFont{}, c.alignment};
        EXPECT_EQ(textBox(text, fakeMeasure), c.box) << int(c.alignment);
    }
}

ArraySchemeInput schemeInput(int strings, int series, int scale) {
    ArraySchemeInput input;
    input.arrayName = QStringLiteral("Массив 1");
    input.panelType = QStringLiteral("СП-М-200-12");
    input.strings = strings;
    input.panelsPerString = series;
    input.panelCount = strings * series;
    input.arrayPower = QString::number(200 * strings * series);
    input.arrayVoltage = QStringLiteral("24");
    input.panelPower = QStringLiteral("200");
    input.panelVoltage = QStringLiteral("12");
    input.panelWidthMm = 1000;
    input.panelHeightMm = 1600;
    input.scale = scale;
    return input;
}

TEST(ArrayScheme, PanelsAreColumnsOfScaledRectangles) {
    struct Case {
        int strings, series, scale;
        double widthMm, heightMm;
        int w, h; // pixels
    };
    const Case cases[] = {
        {3, 4, 30, 1000, 1600, 30, 48},
        {3, 4, 60, 1000, 1600, 60, 96},
        {1, 2, 30, 1650, 1550, 50, 46}, // 49.5 and 46.5 round to the even neighbour
        {2, 1, 40, 808, 1580, 32, 63},
    };
    for (const Case& c : cases) {
        ArraySchemeInput input = schemeInput(c.strings, c.series, c.scale);
        input.panelWidthMm = c.widthMm;
        input.panelHeightMm = c.heightMm;
        const ArraySchemeLayout layout = arrayScheme(input, fakeMeasure);
        const std::vector<QRectF> panels = panelRects(layout.drawing);
        ASSERT_EQ(int(panels.size()), c.strings * c.series) << c.scale;
        for (int i = 0; i < c.strings; ++i)
            for (int j = 0; j < c.series; ++j) {
                const QRectF expected(20 + i * (c.w + 20), 20 + j * (c.h + 20), c.w, c.h);
                EXPECT_NE(std::find(panels.begin(), panels.end(), expected), panels.end())
                    << c.scale << " string " << i << " panel " << j;
            }
    }
}

TEST(ArrayScheme, CanvasAndTerminalsOnTheRight) {
    // 3 strings of 4 panels at 30 px/m: w = 30, h = 48; power text "2400 Вт" is 42 px wide.
    ArraySchemeInput input = schemeInput(3, 4, 30);
    input.arrayName.clear(); // keeps the caption narrower than the scheme
    const ArraySchemeLayout layout = arrayScheme(input, fakeMeasure);
    EXPECT_EQ(layout.drawing.size, QSize(42 + 3 * 50 + 50, 12 + 4 * 68 + 40));
    EXPECT_EQ(layout.plus, QPointF(3 * 50 + 23, 10));
    EXPECT_EQ(layout.minus, QPointF(3 * 50 + 23, 4 * 68 + 10));
    for (const QRectF& panel : panelRects(layout.drawing))
        EXPECT_LT(panel.right(), layout.plus.x());
    EXPECT_LT(layout.plus.x(), layout.drawing.size.width());

    // Buses run from the first string to the terminals; later strings meet them at dots.
    const std::vector<DrawLine> lines = itemsOf<DrawLine>(layout.drawing);
    const auto hasLine = [&](QPointF from, QPointF to) {
        return std::any_of(lines.begin(), lines.end(),
                           [&](const DrawLine& l) { return l.from == from && l.to == to; });
    };
    EXPECT_TRUE(hasLine(QPointF(55, 10), QPointF(170, 10)));
    EXPECT_TRUE(hasLine(QPointF(30, 282), QPointF(170, 282)));
    // The plus lead of the second panel of a string reaches the minus lead of the first.
    EXPECT_TRUE(hasLine(QPointF(55, 78), QPointF(29, 78)));
    const auto dots = std::count_if(layout.drawing.items.begin(), layout.drawing.items.end(),
                                    [](const Primitive& item) {
                                        const auto* e = std::get_if<DrawEllipse>(&item);
                                        return e && e->brush == QColor(Qt::black);
                                    });
    EXPECT_EQ(dots, 2 * (3 - 1));
}

TEST(ArrayScheme, LabelsUseLatinUnitLetters) {
    const ArraySchemeLayout layout = arrayScheme(schemeInput(3, 4, 30), fakeMeasure);
    const QStringList labels = texts(layout.drawing);
    EXPECT_TRUE(labels.contains(QStringLiteral("2400 Вт")));
    EXPECT_TRUE(labels.contains(QStringLiteral("24 B")));
    EXPECT_TRUE(labels.contains(QStringLiteral("Массив 1. СП-М-200-12 (200 Вт; 12 B; 12 шт.)")));
    // A Cyrillic "В" after a number is only allowed as the start of "Вт".
    const QRegularExpression cyrillicVolts(QStringLiteral("\\d В(?!т)"));
    for (const QString& label : labels)
        EXPECT_FALSE(label.contains(cyrillicVolts)) << label.toStdString();

    ArraySchemeInput unnamed = schemeInput(1, 1, 30);
    unnamed.arrayName.clear();
    EXPECT_TRUE(texts(arrayScheme(unnamed, fakeMeasure).drawing)
                    .contains(QStringLiteral("СП-М-200-12 (200 Вт; 12 B; 1 шт.)")));
}

TEST(ArrayScheme, LongCaptionWidensCanvas) {
    ArraySchemeInput input = schemeInput(1, 1, 30);
    input.panelType = QString(60, QLatin1Char('X'));
    const ArraySchemeLayout layout = arrayScheme(input, fakeMeasure);
    const QString caption = texts(layout.drawing).last();
    EXPECT_EQ(layout.drawing.size.width(), 6 * caption.size() + 10);
}

TEST(ArrayScheme, MinusTerminalMovedDownToHundredWhenAsked) {
    struct Case {
        int series;
        bool asked;
        double minusY;
        int height;
    };
    // One panel at 30 px/m: minus bus at 68 + 10 = 78, canvas 12 + 68 + 40 = 120 high.
    const Case cases[] = {
        {1, false, 78, 120},
        {1, true, 100, 142},
        {2, true, 146, 188}, // already below 100: unchanged
    };
    for (const Case& c : cases) {
        ArraySchemeInput input = schemeInput(1, c.series, 30);
        input.minusAtLeast100 = c.asked;
        const ArraySchemeLayout layout = arrayScheme(input, fakeMeasure);
        EXPECT_EQ(layout.minus.y(), c.minusY) << c.series << c.asked;
        EXPECT_EQ(layout.plus.y(), c.minusY - c.series * 68) << c.series << c.asked;
        EXPECT_EQ(layout.drawing.size.height(), c.height) << c.series << c.asked;
        EXPECT_EQ(panelRects(layout.drawing).front().top(), c.minusY - c.series * 68 + 10);
    }
}

TEST(ArrayScheme, RenderedPanelIsBlueAndBusIsBlack) {
    const ArraySchemeLayout layout = arrayScheme(schemeInput(3, 4, 30), fontTextMeasure());
    const QImage image = render(layout.drawing);
    EXPECT_EQ(image.pixelColor(23, 23), panelFaceColour);
    EXPECT_EQ(image.pixelColor(100, 10), QColor(Qt::black));
    EXPECT_EQ(image.pixelColor(100, 5), QColor(Qt::white));
}

TEST(SitePlacement, PanelsPlacedOnTheSite) {
    struct Case {
        const char* name;
        PlacementShape shape;
        double length, lowerBase, height, widthMm, heightMm;
        int panels;
        HorizontalPlacement horizontal;
        VerticalPlacement vertical;
        QSize canvas;
        std::vector<QRectF> expected; // a sample of the panels
        int placed;
    };
    using H = HorizontalPlacement;
    using V = VerticalPlacement;
    const Case cases[] = {
        {"rectangle 5x5, 1x1.6 m, top left",
         PlacementShape::Rectangle,
         5,
         0,
         5,
         1000,
         1600,
         15,
         H::Left,
         V::Top,
         QSize(190, 190),
         {{20, 20, 30, 48}, {140, 116, 30, 48}},
         15},
        {"rectangle holds 15 of 20",
         PlacementShape::Rectangle,
         5,
         0,
         5,
         1000,
         1600,
         20,
         H::Left,
         V::Top,
         QSize(190, 190),
         {{140, 116, 30, 48}},
         15},
        {"last short row centred",
         PlacementShape::Rectangle,
         5,
         0,
         5,
         1000,
         1600,
         7,
         H::Centre,
         V::Top,
         QSize(190, 190),
         {{20, 20, 30, 48}, {65, 68, 30, 48}},
         7},
        {"right and bottom",
         PlacementShape::Rectangle,
         5,
         0,
         5,
         1000,
         1600,
         6,
         H::Right,
         V::Bottom,
         QSize(190, 190),
         {{140, 122, 30, 48}, {140, 74, 30, 48}, {20, 122, 30, 48}},
         6},
        {"triangle 6x3, 1x1 m rows of 0, 2, 4",
         PlacementShape::Triangle,
         6,
         0,
         3,
         1000,
         1000,
         6,
         H::Centre,
         V::Top,
         QSize(220, 130),
         {{80, 50, 30, 30}, {50, 80, 30, 30}},
         6},
        {"trapezoid 6 over 2, rows at lower edge",
         PlacementShape::Trapezoid,
         6,
         2,
         2,
         1000,
         1000,
         9,
         H::Left,
         V::Top,
         QSize(220, 100),
         {{50, 20, 30, 30}, {80, 50, 30, 30}},
         6},
    };
    for (const Case& c : cases) {
        SitePlacementInput input;
        input.shape = c.shape;
        input.length = c.length;
        input.lowerBase = c.lowerBase;
        input.height = c.height;
        input.panelWidthMm = c.widthMm;
        input.panelHeightMm = c.heightMm;
        input.panels = c.panels;
        input.horizontal = c.horizontal;
        input.vertical = c.vertical;
        const SitePlacementLayout layout = sitePlacement(input);
        EXPECT_EQ(layout.drawing.size, c.canvas) << c.name;
        EXPECT_EQ(layout.placed, c.placed) << c.name;
        const std::vector<QRectF> panels = panelRects(layout.drawing);
        EXPECT_EQ(int(panels.size()), c.placed) << c.name;
        for (const QRectF& rect : c.expected)
            EXPECT_NE(std::find(panels.begin(), panels.end(), rect), panels.end())
                << c.name << " " << rect.x() << "," << rect.y();
    }
}

TEST(SitePlacement, RectangleOutlineOnePixelOutsideTheSite) {
    SitePlacementInput input;
    input.length = 5;
    input.height = 4;
    input.scale = 30;
    const std::vector<DrawRect> rects = itemsOf<DrawRect>(sitePlacement(input).drawing);
    ASSERT_EQ(rects.size(), 1u);
    EXPECT_EQ(rects.front().rect, QRectF(QPointF(19, 19), QPointF(171, 141)));
    EXPECT_EQ(rects.front().pen.width, 2);
}

} // namespace
} // namespace ses
