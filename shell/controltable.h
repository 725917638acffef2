#pragma once

#include "appinfo.h"

#include <QRect>
#include <QRgb>

#include <span>

// Every number of the main window lives here: positions and sizes in twips as the layout was
// drawn, fonts in points, colours, tab order and the order of creation. MainWindow only walks
// this table.

namespace layout {

// 15 twips make one logical pixel (96 dots per inch); Qt's high-DPI scaling does the rest.
inline constexpr int kTwipsPerPixel = 15;

inline constexpr int kClientWidthTwips = 4128;
inline constexpr int kClientHeightTwips = 4692;
inline constexpr QRgb kWindowColour = qRgb(192, 192, 255);
inline constexpr const char *kWindowTitle = appinfo::kDisplayName;

// Twips to logical pixels, rounded to the nearest pixel.
[[nodiscard]] constexpr int pixels(int twips)
{
    return (twips + kTwipsPerPixel / 2) / kTwipsPerPixel;
}

// Both edges are rounded, not the size, so that controls which meet or overlap by a few twips
// in the drawing still meet or overlap on screen.
[[nodiscard]] constexpr QRect pixelRect(int left, int top, int width, int height)
{
    return QRect(pixels(left), pixels(top), pixels(left + width) - pixels(left),
                 pixels(top + height) - pixels(top));
}

enum class Kind { Label, TextBox, Button };

enum class Fill {
    Window,       // the main window's own colour, so labels look transparent but are opaque
    SystemWindow, // the system's colour for text boxes
    ButtonFace,   // the system's colour for buttons
    Rgb,          // the row's own colour
};

struct Control
{
    const char *name; // objectName, and the name the handlers use
    Kind kind;
    int tabIndex;
    const char *text; // initial text, UTF-8
    int left, top, width, height; // twips, within the client area
    double points;
    bool bold;
    Fill fill;
    QRgb rgb; // used when fill is Rgb
    const char *accessibleName; // what a screen reader calls the control; null for labels
};

// In the order the controls are created.
[[nodiscard]] std::span<const Control> controls();

} // namespace layout
