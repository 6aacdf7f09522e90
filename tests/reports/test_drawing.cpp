#include "reports/array_scheme.h"
#include "reports/drawing.h"

#include <QRegularExpression>
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>

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

// The boxes the painter strokes: half the pen either side of a line or an outline.
QRectF strokeBox(const DrawLine& line) {
    const double half = line.pen.width / 2.0;
    return QRectF(line.from, line.to).normalized().adjusted(-half, -half, half, half);
}

QRectF strokeBox(const DrawRect& rect) {
    const double half = rect.pen.width / 2.0;
    return rect.rect.adjusted(-half, -half, half, half);
}

double gapBetween(const QRectF& a, const QRectF& b) {
    const double dx = std::max({0.0, a.left() - b.right(), b.left() - a.right()});
    const double dy = std::max({0.0, a.top() - b.bottom(), b.top() - a.bottom()});
    return std::hypot(dx, dy);
}

// WCAG contrast ratio of two colours, 1 (the same) to 21 (black on white).
double contrast(const QColor& a, const QColor& b) {
    const auto luminance = [](const QColor& c) {
        const auto linear = [](double v) {
            return v <= 0.03928 ? v / 12.92 : std::pow((v + 0.055) / 1.055, 2.4);
        };
        return 0.2126 * linear(c.redF()) + 0.7152 * linear(c.greenF()) + 0.0722 * linear(c.blueF());
    };
    const double la = luminance(a);
    const double lb = luminance(b);
    return (std::max(la, lb) + 0.05) / (std::min(la, lb) + 0.05);
}

TEST(Painter, DrawsLineOnItsPixelsAndBackgroundElsewhere) {
    Drawing drawing;
    drawing.size = QSize(40, 30);
    drawing.items.push_back(DrawLine{QPointF(5, 10), QPointF(30, 10), DrawPen{}});
    drawing.items.push_back(
        DrawRect{QRectF(10, 18, 10, 8), DrawPen{panelGridColour, 1}, panelFaceColour});
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

TEST(Drawing, FittingScaleIsTheLargestThatFitsTheRoom) {
    // 10 by 5 pixels a metre and a 40-pixel margin.
    const auto sizeAt = [](int scale) { return QSize(10 * scale + 40, 5 * scale + 40); };
    struct Case {
        QSize room;
        int lowest, highest, expected;
    };
    const Case cases[] = {
        {QSize(440, 1000), 1, 1000, 40},      // the width decides, exactly filled
        {QSize(439, 1000), 1, 1000, 39},      // one pixel short
        {QSize(1000, 240), 1, 1000, 40},      // the height decides
        {QSize(20, 20), 10, 1000, 10},        // nothing fits: the lowest, to be scrolled
        {QSize(100000, 100000), 1, 300, 300}, // no more than the highest
        {QSize(440, 240), 50, 50, 50},
    };
    for (const Case& c : cases)
        EXPECT_EQ(fittingScale(sizeAt, c.room, c.lowest, c.highest), c.expected)
            << c.room.width() << "x" << c.room.height();
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

// Under a panel of the scheme: its polarity marks (12 pixels of fake text high), then the plus
// lead's turn and the joint with the next panel: 29 pixels between panels of a string.
constexpr int kRowGap = 29;

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
                const QRectF expected(20 + i * (c.w + 20), 20 + j * (c.h + kRowGap), c.w, c.h);
                EXPECT_NE(std::find(panels.begin(), panels.end(), expected), panels.end())
                    << c.scale << " string " << i << " panel " << j;
            }
    }
}

TEST(ArrayScheme, CanvasAndTerminalsOnTheRight) {
    // 3 strings of 4 panels at 30 px/m: w = 30, h = 48, a string every 50 px and a panel every
    // 77 px; power text "2400 Вт" is 42 px wide.
    ArraySchemeInput input = schemeInput(3, 4, 30);
    input.arrayName.clear(); // keeps the caption narrower than the scheme
    const ArraySchemeLayout layout = arrayScheme(input, fakeMeasure);
    EXPECT_EQ(layout.drawing.size, QSize(42 + 3 * 50 + 50, 12 + 4 * 77 + 40));
    EXPECT_EQ(layout.plus, QPointF(3 * 50 + 23, 10));
    EXPECT_EQ(layout.minus, QPointF(3 * 50 + 23, 4 * 77 + 10));
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
    EXPECT_TRUE(hasLine(QPointF(30, 318), QPointF(170, 318)));
    // The plus lead of the second panel of a string reaches the minus lead of the first.
    EXPECT_TRUE(hasLine(QPointF(55, 87), QPointF(29, 87)));
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

TEST(ArrayScheme, PolarityMarksStandBesideTheLeadsClearOfEveryLine) {
    struct Case {
        int strings, series, scale;
        double widthMm;
    };
    const Case cases[] = {
        {1, 1, 30, 1000}, {3, 2, 30, 992}, {2, 3, 10, 992},
        {2, 2, 90, 1000}, {2, 2, 30, 400}, // a panel narrower than its marks: the riser moves out
    };
    const std::pair<const char*, TextMeasure> measures[] = {{"fake", fakeMeasure},
                                                            {"font", fontTextMeasure()}};
    for (const auto& [measureName, measure] : measures)
        for (const Case& c : cases) {
            ArraySchemeInput input = schemeInput(c.strings, c.series, c.scale);
            input.panelWidthMm = c.widthMm;
            const Drawing drawing = arrayScheme(input, measure).drawing;
            std::vector<QRectF> lines;
            for (const DrawLine& line : itemsOf<DrawLine>(drawing))
                lines.push_back(strokeBox(line));
            std::vector<QRectF> obstacles = lines;
            for (const DrawRect& rect : itemsOf<DrawRect>(drawing))
                obstacles.push_back(strokeBox(rect));
            for (const DrawEllipse& ellipse : itemsOf<DrawEllipse>(drawing))
                obstacles.push_back(ellipse.rect);
            int marks = 0;
            for (const DrawText& text : itemsOf<DrawText>(drawing)) {
                if (text.text != QStringLiteral("+") && text.text != QStringLiteral("-"))
                    continue;
                ++marks;
                const QRectF box = textBox(text, measure);
                const auto trace = [&] {
                    return std::string(measureName) + " " + std::to_string(c.strings) + "x" +
                           std::to_string(c.series) + " at " + std::to_string(c.scale) + ": " +
                           text.text.toStdString() + " at " + std::to_string(box.x()) + "," +
                           std::to_string(box.y());
                };
                for (const QRectF& obstacle : obstacles)
                    EXPECT_FALSE(box.intersects(obstacle)) << trace();
                // Beside a lead, not off on its own.
                double nearest = 1e9;
                for (const QRectF& line : lines)
                    nearest = std::min(nearest, gapBetween(box, line));
                EXPECT_LE(nearest, 5) << trace();
            }
            EXPECT_EQ(marks, 2 * c.strings * c.series + 2) << measureName;
        }
}

TEST(ArrayScheme, MinusTerminalMovedDownToHundredWhenAsked) {
    struct Case {
        int series;
        bool asked;
        double minusY;
        int height;
    };
    // One panel at 30 px/m: minus bus at 77 + 10 = 87, canvas 12 + 77 + 40 = 129 high.
    const Case cases[] = {
        {1, false, 87, 129},
        {1, true, 100, 142},
        {2, true, 164, 206}, // already below 100: unchanged
    };
    for (const Case& c : cases) {
        ArraySchemeInput input = schemeInput(1, c.series, 30);
        input.padTop = c.asked;
        const ArraySchemeLayout layout = arrayScheme(input, fakeMeasure);
        EXPECT_EQ(layout.minus.y(), c.minusY) << c.series << c.asked;
        EXPECT_EQ(layout.plus.y(), c.minusY - c.series * 77) << c.series << c.asked;
        EXPECT_EQ(layout.drawing.size.height(), c.height) << c.series << c.asked;
        EXPECT_EQ(panelRects(layout.drawing).front().top(), c.minusY - c.series * 77 + 10);
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
        QSizeF site;
        std::vector<QRectF> expected; // a sample of the panels, from the site's corner
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
         QSizeF(150, 150),
         {{0, 0, 30, 48}, {120, 96, 30, 48}},
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
         QSizeF(150, 150),
         {{120, 96, 30, 48}},
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
         QSizeF(150, 150),
         {{0, 0, 30, 48}, {45, 48, 30, 48}},
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
         QSizeF(150, 150),
         {{120, 102, 30, 48}, {120, 54, 30, 48}, {0, 102, 30, 48}},
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
         QSizeF(180, 90),
         {{60, 30, 30, 30}, {30, 60, 30, 30}},
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
         QSizeF(180, 60),
         {{30, 0, 30, 30}, {60, 30, 30, 30}},
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
        const SitePlacementLayout layout = sitePlacement(input, fakeMeasure);
        EXPECT_EQ(layout.site.size(), c.site) << c.name;
        EXPECT_EQ(layout.placed, c.placed) << c.name;
        const std::vector<QRectF> panels = panelRects(layout.drawing);
        EXPECT_EQ(int(panels.size()), c.placed) << c.name;
        for (const QRectF& rect : c.expected)
            EXPECT_NE(
                std::find(panels.begin(), panels.end(), rect.translated(layout.site.topLeft())),
                panels.end())
                << c.name << " " << rect.x() << "," << rect.y();
    }
}

TEST(SitePlacement, RectangleOutlineOnePixelOutsideTheSite) {
    SitePlacementInput input;
    input.length = 5;
    input.height = 4;
    input.scale = 30;
    const SitePlacementLayout layout = sitePlacement(input, fakeMeasure);
    EXPECT_EQ(layout.site.size(), QSizeF(150, 120));
    const std::vector<DrawRect> rects = itemsOf<DrawRect>(layout.drawing);
    ASSERT_EQ(rects.size(), 1u);
    EXPECT_EQ(rects.front().rect, layout.site.adjusted(-1, -1, 1, 1));
    EXPECT_EQ(rects.front().pen.width, 2);
}

TEST(Panels, BorderStandsOutFromTheGridWherePanelsMeet) {
    EXPECT_GE(contrast(panelBorderColour, panelGridColour), 4.5);
    EXPECT_GE(contrast(panelBorderColour, QColor(Qt::white)), 4.5);
    for (const int scale : {30, 120}) {
        // Two 1 x 1 m panels side by side on a 2 x 1 m site.
        SitePlacementInput input;
        input.length = 2;
        input.height = 1;
        input.panelWidthMm = 1000;
        input.panelHeightMm = 1000;
        input.panels = 2;
        input.scale = scale;
        const SitePlacementLayout layout = sitePlacement(input, fakeMeasure);
        std::vector<QRectF> panels = panelRects(layout.drawing);
        ASSERT_EQ(panels.size(), 2u);
        std::sort(panels.begin(), panels.end(),
                  [](const QRectF& a, const QRectF& b) { return a.left() < b.left(); });
        ASSERT_EQ(panels[0].right(), panels[1].left());
        const QImage image = render(layout.drawing);
        const int cell = cellPitch(scale);
        // Half a cell down the second row of cells, off every grid line.
        const int y = int(panels[0].top()) + cell + cell / 2;
        const int seam = int(panels[0].right());
        EXPECT_EQ(image.pixelColor(seam, y), panelBorderColour) << scale;
        EXPECT_EQ(image.pixelColor(int(panels[0].left()) + cell, y), panelGridColour) << scale;
        EXPECT_EQ(image.pixelColor(int(panels[0].left()) + cell + cell / 2, y), panelFaceColour)
            << scale;
    }
}

TEST(SitePlacement, SiteDimensionsAreDrawnAndLabelledInMetres) {
    struct Case {
        const char* name;
        PlacementShape shape;
        double length, lowerBase, height;
        QStringList labels;
        std::vector<int> widths; // pixels of the dimension lines across, at 30 px/m
        int heightPx;
    };
    const Case cases[] = {
        {"rectangle", PlacementShape::Rectangle, 6, 0, 4, {"6 м", "4 м"}, {180}, 120},
        {"trapezoid", PlacementShape::Trapezoid, 6, 2.5, 2, {"6 м", "2,5 м", "2 м"}, {180, 75}, 60},
        {"triangle", PlacementShape::Triangle, 4.5, 0, 3, {"4,5 м", "3 м"}, {135}, 90},
        {"narrow rectangle",
         PlacementShape::Rectangle,
         0.4,
         0,
         12.25,
         {"0,4 м", "12,25 м"},
         {12},
         368},
    };
    for (const Case& c : cases) {
        SitePlacementInput input;
        input.shape = c.shape;
        input.length = c.length;
        input.lowerBase = c.lowerBase;
        input.height = c.height;
        input.scale = 30;
        const SitePlacementLayout layout = sitePlacement(input, fakeMeasure);
        const Drawing& drawing = layout.drawing;
        QStringList labels = texts(drawing);
        QStringList expected = c.labels;
        labels.sort();
        expected.sort();
        EXPECT_EQ(labels, expected) << c.name;
        // Each label on the canvas and off the site.
        const QRectF canvas(QPointF(0, 0), QSizeF(drawing.size));
        for (const DrawText& text : itemsOf<DrawText>(drawing)) {
            const QRectF box = textBox(text, fakeMeasure);
            EXPECT_TRUE(canvas.contains(box)) << c.name << " " << text.text.toStdString();
            EXPECT_FALSE(box.intersects(layout.site)) << c.name << " " << text.text.toStdString();
        }
        // The dimension lines outside the site span the scaled sizes.
        const std::vector<DrawLine> lines = itemsOf<DrawLine>(drawing);
        for (const int width : c.widths)
            EXPECT_TRUE(std::any_of(lines.begin(), lines.end(),
                                    [&](const DrawLine& l) {
                                        return l.from.y() == l.to.y() &&
                                               std::abs(l.to.x() - l.from.x()) == width &&
                                               (l.from.y() < layout.site.top() ||
                                                l.from.y() > layout.site.bottom());
                                    }))
                << c.name << " width " << width;
        EXPECT_TRUE(std::any_of(lines.begin(), lines.end(), [&](const DrawLine& l) {
            return l.from.x() == l.to.x() && std::abs(l.to.y() - l.from.y()) == c.heightPx &&
                   l.from.x() < layout.site.left();
        })) << c.name;
    }
}

} // namespace
} // namespace ses
