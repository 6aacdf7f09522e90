#pragma once
// Layouts of a panel array: its connection scheme (strings as columns between a plus bus on top
// and a minus bus below) and the placement of its panels on a site. Sizes in millimetres and
// metres, the scale in pixels per metre; numbers arrive as display texts, formatted by the caller.

#include "reports/drawing.h"

namespace ses {

// Panel colours: blue face with a light-blue frame and grid.
inline const QColor panelFaceColour{0, 0, 255};
inline const QColor panelFrameColour{166, 202, 240};

// A panel of w x h pixels with its top-left corner at topLeft: the framed face and light-blue
// grid lines every 5 pixels.
void addPanel(Drawing& drawing, QPointF topLeft, int width, int height);

// Pixels of a catalog size in millimetres at scale pixels per metre.
int scaledSize(double millimetres, int scale);

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
    // The structural scheme hangs arrays side by side and wants their minus terminals at
    // y = 100 at least; the scheme is then moved down with blank space on top.
    bool minusAtLeast100 = false;
};

// Terminal positions are the centres of the small terminal circles, in drawing pixels.
struct ArraySchemeLayout {
    Drawing drawing;
    QPointF plus;
    QPointF minus;
};

ArraySchemeLayout arrayScheme(const ArraySchemeInput& input, const TextMeasure& measure);

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
};

SitePlacementLayout sitePlacement(const SitePlacementInput& input);

} // namespace ses
