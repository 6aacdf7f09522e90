#include "reports/drawing.h"

#include <QFont>
#include <QFontMetricsF>
#include <QHash>
#include <QPaintDevice>
#include <QPainter>

#include <map>
#include <memory>

namespace ses {

namespace {

QPen toQPen(const DrawPen& pen) {
    QPen result(pen.colour);
    result.setWidth(pen.width);
    // Square caps and mitred joins keep the ends of leads and corners of outlines on the pixels
    // the layout names.
    result.setCapStyle(Qt::SquareCap);
    result.setJoinStyle(Qt::MiterJoin);
    return result;
}

void setBrush(QPainter& painter, const std::optional<QColor>& brush) {
    if (brush)
        painter.setBrush(*brush);
    else
        painter.setBrush(Qt::NoBrush);
}

struct PrimitivePainter {
    QPainter& painter;

    void operator()(const DrawLine& line) const {
        painter.setPen(toQPen(line.pen));
        painter.drawLine(line.from, line.to);
    }
    void operator()(const DrawRect& rect) const {
        painter.setPen(toQPen(rect.pen));
        setBrush(painter, rect.brush);
        painter.drawRect(rect.rect);
    }
    void operator()(const DrawEllipse& ellipse) const {
        painter.setPen(toQPen(ellipse.pen));
        setBrush(painter, ellipse.brush);
        painter.drawEllipse(ellipse.rect);
    }
    void operator()(const DrawArc& arc) const {
        painter.setPen(toQPen(arc.pen));
        painter.setBrush(Qt::NoBrush);
        // QPainter takes sixteenths of a degree.
        painter.drawArc(arc.rect, qRound(arc.startDegrees * 16), qRound(arc.spanDegrees * 16));
    }
    void operator()(const DrawPolygon& polygon) const {
        // Slanted edges and small arrowheads are smoothed; the other primitives stay on whole
        // pixels.
        painter.setRenderHint(QPainter::Antialiasing, true);
        painter.setPen(toQPen(polygon.pen));
        setBrush(painter, polygon.brush);
        painter.drawPolygon(polygon.points);
        painter.setRenderHint(QPainter::Antialiasing, false);
    }
    void operator()(const DrawText& text) const {
        painter.setFont(toQFont(text.font));
        painter.setPen(text.colour);
        const QRectF box = textBox(text, fontTextMeasure());
        painter.drawText(box, Qt::AlignLeft | Qt::AlignTop | Qt::TextDontClip, text.text);
    }
    void operator()(const DrawRotatedText& text) const {
        const QRectF patch = textBox(text, fontTextMeasure());
        painter.fillRect(patch, text.background);
        painter.save();
        painter.setRenderHint(QPainter::TextAntialiasing, true);
        painter.setFont(toQFont(text.font));
        painter.setPen(text.colour);
        // Turned a quarter counter-clockwise about the patch's bottom-left corner (less the one
        // pixel margin): the text's baseline runs upwards and its top faces left.
        painter.translate(patch.left() + 1, patch.bottom() - 1);
        painter.rotate(-90);
        const QSizeF size = fontTextMeasure()(text.text, text.font);
        painter.drawText(QRectF(QPointF(0, 0), size),
                         Qt::AlignLeft | Qt::AlignTop | Qt::TextDontClip, text.text);
        painter.restore();
    }
    void operator()(const DrawRoundedRect& rect) const {
        painter.setRenderHint(QPainter::Antialiasing, true);
        painter.setPen(toQPen(rect.pen));
        setBrush(painter, rect.brush);
        painter.drawRoundedRect(rect.rect, rect.radius, rect.radius);
        painter.setRenderHint(QPainter::Antialiasing, false);
    }
};

struct PrimitiveMover {
    QPointF offset;

    void operator()(DrawLine& line) const {
        line.from += offset;
        line.to += offset;
    }
    void operator()(DrawRect& rect) const { rect.rect.translate(offset); }
    void operator()(DrawEllipse& ellipse) const { ellipse.rect.translate(offset); }
    void operator()(DrawArc& arc) const { arc.rect.translate(offset); }
    void operator()(DrawPolygon& polygon) const { polygon.points.translate(offset); }
    void operator()(DrawText& text) const { text.anchor += offset; }
    void operator()(DrawRotatedText& text) const { text.topLeft += offset; }
    void operator()(DrawRoundedRect& rect) const { rect.rect.translate(offset); }
};

} // namespace

QFont toQFont(const DrawFont& font) {
    QFont result;
    result.setPixelSize(font.pixelSize);
    result.setBold(font.bold);
    return result;
}

TextMeasure fontTextMeasure() {
    // The metrics of each font are made once for the measure's life: making them is most of the
    // cost of measuring a short label.
    auto fonts = std::make_shared<std::map<int, QFontMetricsF>>();
    return [fonts](const QString& text, const DrawFont& font) {
        const int key = font.pixelSize * 2 + (font.bold ? 1 : 0);
        auto it = fonts->find(key);
        if (it == fonts->end())
            it = fonts->emplace(key, QFontMetricsF(toQFont(font))).first;
        return QSizeF(it->second.horizontalAdvance(text), it->second.height());
    };
}

TextMeasure cachedTextMeasure(TextMeasure measure) {
    // One table a font (its size and weight), each looked up by the text itself.
    auto sizes = std::make_shared<std::map<int, QHash<QString, QSizeF>>>();
    return [measure = std::move(measure), sizes](const QString& text, const DrawFont& font) {
        QHash<QString, QSizeF>& ofFont = (*sizes)[font.pixelSize * 2 + (font.bold ? 1 : 0)];
        const auto found = ofFont.constFind(text);
        if (found != ofFont.cend())
            return *found;
        const QSizeF size = measure(text, font);
        ofFont.insert(text, size);
        return size;
    };
}

QRectF textBox(const DrawText& text, const TextMeasure& measure) {
    const QSizeF size = measure(text.text, text.font);
    double left = text.anchor.x();
    if (text.alignment & Qt::AlignHCenter)
        left -= size.width() / 2;
    else if (text.alignment & Qt::AlignRight)
        left -= size.width();
    double top = text.anchor.y();
    if (text.alignment & Qt::AlignVCenter)
        top -= size.height() / 2;
    else if (text.alignment & Qt::AlignBottom)
        top -= size.height();
    return QRectF(QPointF(left, top), size);
}

QRectF textBox(const DrawRotatedText& text, const TextMeasure& measure) {
    const QSizeF size = measure(text.text, text.font);
    return QRectF(text.topLeft, QSizeF(size.height() + 2, size.width() + 2));
}

void translate(Drawing& drawing, QPointF offset, std::size_t first) {
    if (offset.isNull())
        return;
    for (std::size_t i = first; i < drawing.items.size(); ++i)
        std::visit(PrimitiveMover{offset}, drawing.items[i]);
}

void paint(const Drawing& drawing, QPaintDevice& device) {
    QPainter painter(&device);
    painter.setRenderHint(QPainter::Antialiasing, false);
    painter.setRenderHint(QPainter::TextAntialiasing, true);
    painter.fillRect(QRect(0, 0, device.width(), device.height()), drawing.background);
    for (const Primitive& item : drawing.items)
        std::visit(PrimitivePainter{painter}, item);
}

bool fitsPainter(QSize size) {
    return size.width() <= kLargestPictureSide && size.height() <= kLargestPictureSide &&
           qint64(size.width()) * size.height() <= kLargestPicturePixels;
}

QString tooLargeText(QSize size) {
    return QStringLiteral("Рисунок размером %1 x %2 пикселей слишком велик: допускается не более "
                          "%3 пикселей по стороне и не более %4 млн пикселей всего.")
        .arg(size.width())
        .arg(size.height())
        .arg(kLargestPictureSide)
        .arg(kLargestPicturePixels / 1'000'000);
}

QImage render(const Drawing& drawing) {
    if (!fitsPainter(drawing.size))
        return QImage();
    QImage image(drawing.size.expandedTo(QSize(1, 1)), QImage::Format_RGB32);
    paint(drawing, image);
    return image;
}

Drawing clearedPicture(QColor background) {
    Drawing drawing;
    drawing.size = QSize(50, 50);
    drawing.background = background;
    return drawing;
}

int fittingScale(const std::function<QSize(int)>& sizeAt, QSize room, int lowest, int highest) {
    const auto fits = [&](int scale) {
        const QSize size = sizeAt(scale);
        return size.width() <= room.width() && size.height() <= room.height();
    };
    if (highest <= lowest || !fits(lowest))
        return lowest;
    // low fits; no scale above high does, or it lies past highest.
    int low = lowest;
    int high = highest;
    while (low < high) {
        const int middle = low + (high - low + 1) / 2;
        if (fits(middle))
            low = middle;
        else
            high = middle - 1;
    }
    return low;
}

} // namespace ses
