#pragma once

#include "appinfo.h"

#include <cstdint>
#include <span>

// Every number of the main window lives here: positions and sizes in twips as the layout was
// drawn, fonts in points, colours, tab order, the order of creation and what a screen reader
// calls each control. The Qt window and the web page only walk this table.

namespace layout {

// 15 twips make one logical pixel (96 dots per inch, a CSS pixel); the platform's own scaling
// does the rest.
inline constexpr int kTwipsPerPixel = 15;

inline constexpr int kClientWidthTwips = 4128;
inline constexpr int kClientHeightTwips = 4692;
inline constexpr const char *kWindowTitle = appinfo::kDisplayName;

struct Colour
{
    std::uint8_t red, green, blue;
};

inline constexpr Colour kWindowColour{192, 192, 255};

// The face every text is drawn in, then its metric-compatible stand-in, which a device without
// Times New Roman still shows at the same widths.
inline constexpr const char *kFontFamilies[] = {"Times New Roman", "Liberation Serif"};
inline constexpr int kNormalWeight = 400;
inline constexpr int kBoldWeight = 700;

// Twips to logical pixels, rounded to the nearest pixel.
[[nodiscard]] constexpr int pixels(int twips)
{
    return (twips + kTwipsPerPixel / 2) / kTwipsPerPixel;
}

struct Rect
{
    int left, top, width, height; // logical pixels

    friend constexpr bool operator==(const Rect &, const Rect &) = default;
};

// Both edges are rounded, not the size, so that controls which meet or overlap by a few twips
// in the drawing still meet or overlap on screen.
[[nodiscard]] constexpr Rect pixelRect(int left, int top, int width, int height)
{
    return {pixels(left), pixels(top), pixels(left + width) - pixels(left), pixels(top + height) - pixels(top)};
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
    const char *name; // objectName or element id, and the name the handlers use
    Kind kind;
    int tabIndex;
    const char *text; // initial text, UTF-8
    int left, top, width, height; // twips, within the client area
    double points;
    bool bold;
    Fill fill;
    Colour rgb; // used when fill is Rgb
    const char *accessibleName; // what a screen reader calls the control; null for labels

    [[nodiscard]] constexpr Rect pixelRect() const { return layout::pixelRect(left, top, width, height); }
    [[nodiscard]] constexpr bool takesFocus() const { return kind != Kind::Label; }
};

// In the order the controls are created.
[[nodiscard]] std::span<const Control> controls();

} // namespace layout
