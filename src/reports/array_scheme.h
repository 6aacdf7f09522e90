#pragma once
// Layouts of a panel array: its connection scheme (strings as columns between a plus bus on top
// and a minus bus below) and the placement of its panels on a site. Sizes in millimetres and
// metres, the scale in pixels per metre; numbers arrive as display texts, formatted by the caller.

#include "reports/drawing.h"

#include <functional>

namespace ses {

// Panel colours: a blue face with a light-blue grid of cells and a black border, which keeps
// panels laid edge to edge apart where the grid alone would run on from one into the next.
inline const QColor panelFaceColour{0, 0, 255};
inline const QColor panelGridColour{166, 202, 240};
inline const QColor panelBorderColour{0, 0, 0};

// A panel of w x h pixels with its top-left corner at topLeft: the face, grid lines every cell
// pixels and a border on the edges of the rectangle, one pixel wide on panels under 40 pixels
// and two on larger ones.
void addPanel(Drawing& drawing, QPointF topLeft, int width, int height, int cell = 5);

// Pixels of a catalog size in millimetres at scale pixels per metre.
int scaledSize(double millimetres, int scale);
// The grid pitch of panels drawn at scale pixels per metre: cells of about a sixth of a metre,
// never closer than 5 pixels.
int cellPitch(int scale);

// A protective device on every string of an array, on the string's plus lead under the plus bus.
enum class StringDeviceKind { None, Breaker, Fuse };
struct StringDevice {
    StringDeviceKind kind = StringDeviceKind::None;
    QString type;    // written beside the device
    QString current; // rated current, A; written under the type with a Latin "A"
};

// The device an array's strings carry: none unless a breaker or fuse type is given and the array
// has more strings than may be joined without protection (maxUnprotected); the breaker wins when
// both types are given.
StringDevice stringDeviceFor(int strings, int maxUnprotected, const QString& breakerType,
                             const QString& breakerCurrent, const QString& fuseType,
                             const QString& fuseCurrent);

// What the scheme view writes along the leads and buses of a scheme.
enum class SchemeAnnotation { None, Currents, Sections, Connectors };
struct SchemeAnnotations {
    SchemeAnnotation kind = SchemeAnnotation::None;
    double current = 0; // one string's current, A
    // The label of a current: the current itself or the cable section it needs.
    std::function<QString(double)> label;
    // The connector and the splitter types that carry a current; empty when none does.
    std::function<QString(double)> connector;
    std::function<QString(double)> splitter;
};

// The scheme view's title line for an annotation on working-point or short-circuit currents.
QString schemeViewTitle(SchemeAnnotation kind, bool shortCircuit);
// A current as the scheme writes it: its value and a Latin "A".
QString currentLabel(double current);

struct ArraySchemeInput {
    QString arrayName; // empty: the caption starts with the panel type
    QString panelType;
    int strings = 1;         // parallel strings
    int panelsPerString = 1; // panels in series in a string
    int panelCount = 0;      // as written in the caption
    QString arrayPower;      // W
    QString arrayVoltage;    // V: the MPPT input voltage or the system voltage
    QString panelPower;      // W
    QString panelVoltage;    // V
    double panelWidthMm = 0;
    double panelHeightMm = 0;
    int scale = 30; // px/m
    // With a device the strings start 35 pixels lower, leaving room for it between the plus bus
    // and the panels, and stand apart enough for its labels.
    StringDevice device;
    // The structural scheme hangs arrays one under another and wants their minus terminals at
    // y = 100 at least (110 with string devices); the scheme is then moved down with blank space
    // on top.
    bool padTop = false;
    // Pixels between strings and between panels: 20 on the connection scheme; the scheme view
    // takes 40, which leaves room for its annotations along the leads and above and below the
    // buses.
    int gap = 20;
    SchemeAnnotations annotations;
};

// Terminal positions are the centres of the small terminal circles, in drawing pixels.
struct ArraySchemeLayout {
    Drawing drawing;
    QPointF plus;
    QPointF minus;
};

ArraySchemeLayout arrayScheme(const ArraySchemeInput& input, const TextMeasure& measure);

// The same scheme drawn into target (after what it holds), moved by offset: a picture made of
// several schemes takes each one's primitives where they belong without copying them. Returns the
// scheme's own size and its terminals in target's pixels.
struct ArraySchemePlacement {
    QSize size;
    QPointF plus;
    QPointF minus;
};
ArraySchemePlacement appendArrayScheme(Drawing& target, QPointF offset,
                                       const ArraySchemeInput& input, const TextMeasure& measure);

enum class PlacementShape { Rectangle, Trapezoid, Triangle };
enum class HorizontalPlacement { Left, Centre, Right };
enum class VerticalPlacement { Top, Centre, Bottom };

struct SitePlacementInput {
    PlacementShape shape = PlacementShape::Rectangle;
    // Metres. Rectangle: length x height; trapezoid: upper base = length, lower base = lowerBase;
    // triangle: base (at the bottom) = length.
    double length = 0;
    double lowerBase = 0;
    double height = 0;
    double panelWidthMm = 0;
    double panelHeightMm = 0;
    int panels = 0;
    int scale = 30; // px/m
    HorizontalPlacement horizontal = HorizontalPlacement::Left;
    VerticalPlacement vertical = VerticalPlacement::Top;
};

struct SitePlacementLayout {
    Drawing drawing;
    int placed = 0; // panels drawn; fewer than asked when the site holds fewer
    QRectF site;    // the box of the site's outline, in drawing pixels
};

// The site's outline with its dimensions in metres (the length or upper base above it, the lower
// base or the triangle's base below it, the height on its left) and the panels placed on it.
SitePlacementLayout sitePlacement(const SitePlacementInput& input, const TextMeasure& measure);

} // namespace ses
