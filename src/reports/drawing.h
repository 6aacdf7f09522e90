#pragma once
// Raster drawings as plain data: a layout function produces primitives in pixel coordinates
// (x to the right, y downwards) and one painter draws them on any QPaintDevice. Layouts measure
// text through a TextMeasure, so their geometry can be checked without fonts.

#include <QColor>
#include <QImage>
#include <QPointF>
#include <QPolygonF>
#include <QRectF>
#include <QSize>
#include <QSizeF>
#include <QString>

#include <functional>
#include <optional>
#include <variant>
#include <vector>

class QFont;
class QPaintDevice;

namespace ses {

// Font of a drawn label; the size is in pixels so a picture looks the same on every device.
struct DrawFont {
    int pixelSize = 12;
    bool bold = false;
};

struct DrawPen {
    QColor colour = Qt::black;
    int width = 1;
};

struct DrawLine {
    QPointF from;
    QPointF to;
    DrawPen pen;
};

// Outline centred on the edges of rect, as QPainter strokes it; no brush leaves it unfilled.
struct DrawRect {
    QRectF rect;
    DrawPen pen;
    std::optional<QColor> brush;
};

struct DrawEllipse {
    QRectF rect;
    DrawPen pen;
    std::optional<QColor> brush;
};

// Angles in degrees, counter-clockwise from three o'clock.
struct DrawArc {
    QRectF rect;
    double startDegrees = 0;
    double spanDegrees = 360;
    DrawPen pen;
};

struct DrawPolygon {
    QPolygonF points;
    DrawPen pen;
    std::optional<QColor> brush;
};

// A one-line label; alignment tells which point of its box lies at anchor
// (AlignLeft | AlignTop: the top-left corner, AlignHCenter | AlignBottom: the bottom middle).
struct DrawText {
    QPointF anchor;
    QString text;
    DrawFont font;
    Qt::Alignment alignment = Qt::AlignLeft | Qt::AlignTop;
    QColor colour = Qt::black;
};

// A label turned 90 degrees counter-clockwise, reading upwards, on a patch of background one pixel
// wider than the text on every side: the patch is (text height + 2) wide and (text width + 2)
// high with its top-left corner at topLeft. Current labels stand this way beside vertical lines.
struct DrawRotatedText {
    QPointF topLeft;
    QString text;
    DrawFont font;
    QColor colour = Qt::black;
    QColor background = Qt::white;
};

// An outline with rounded corners of the given radius, centred on the edges of rect.
struct DrawRoundedRect {
    QRectF rect;
    double radius = 10;
    DrawPen pen;
    std::optional<QColor> brush;
};

using Primitive = std::variant<DrawLine, DrawRect, DrawEllipse, DrawArc, DrawPolygon, DrawText,
                               DrawRotatedText, DrawRoundedRect>;

struct Drawing {
    QSize size;
    std::vector<Primitive> items;
    QColor background = Qt::white;
};

using TextMeasure = std::function<QSizeF(const QString&, const DrawFont&)>;

QFont toQFont(const DrawFont& font);
// Measures with the font metrics of the painter's fonts; layouts for the screen use this one.
TextMeasure fontTextMeasure();
// The same measure remembering each text's size, for a layout that measures the same short texts
// (polarity marks, repeated labels) many times over.
TextMeasure cachedTextMeasure(TextMeasure measure);
// The box a label occupies when its size is measured by measure.
QRectF textBox(const DrawText& text, const TextMeasure& measure);
QRectF textBox(const DrawRotatedText& text, const TextMeasure& measure);

// Moves every primitive from index first on by (dx, dy); the drawing's size is left to the caller.
void translate(Drawing& drawing, QPointF offset, std::size_t first = 0);

// The largest picture the painter is asked to make. A drawing laid out at a scale typed by hand can
// ask for more memory than the machine has; every host checks the size first and refuses with a
// message naming the scale to lower, keeping the picture it shows.
inline constexpr int kLargestPictureSide = 20000;            // pixels
inline constexpr qint64 kLargestPicturePixels = 100'000'000; // 400 MB as 32-bit pixels
bool fitsPainter(QSize size);
// "Рисунок размером W x H пикселей слишком велик ..." for a size that does not fit the painter.
QString tooLargeText(QSize size);

// Fills the device with the drawing's background and draws the primitives in order; all but
// polygons and rounded corners without antialiasing, so one-pixel lines stay on whole pixels.
void paint(const Drawing& drawing, QPaintDevice& device);
// The drawing as a picture; a null image for a drawing that does not fit the painter, which is
// never allocated.
QImage render(const Drawing& drawing);

// The empty picture a drawing window shows before anything is calculated.
Drawing clearedPicture(QColor background);

// The largest scale in [lowest, highest] whose drawing, of sizeAt(scale), fits room in both
// directions; lowest when even that one does not fit. sizeAt must not shrink as the scale grows.
int fittingScale(const std::function<QSize(int)>& sizeAt, QSize room, int lowest, int highest);

} // namespace ses
