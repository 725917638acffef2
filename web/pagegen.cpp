// Writes the window's one description as JSON for the web page's build and its tests: every
// control with its place in CSS pixels, rounded as the Qt window rounds it, its font, colour,
// tab index and screen-reader name, in the order the controls are created.
// Usage: pagegen OUTPUT.json   (built by emscripten and run by node at build time)

#include "controltable.h"

#include <cstdio>
#include <fstream>
#include <string>

namespace {

std::string quoted(const char *text)
{
    if (!text)
        return "null";
    std::string out = "\"";
    for (const char *c = text; *c; ++c) {
        if (*c == '"' || *c == '\\')
            out += '\\';
        out += *c;
    }
    return out + "\"";
}

const char *kindName(layout::Kind kind)
{
    switch (kind) {
    case layout::Kind::Label: return "label";
    case layout::Kind::TextBox: return "textbox";
    case layout::Kind::Button: return "button";
    }
    return "";
}

const char *fillName(layout::Fill fill)
{
    switch (fill) {
    case layout::Fill::Window: return "window";
    case layout::Fill::SystemWindow: return "systemwindow";
    case layout::Fill::ButtonFace: return "buttonface";
    case layout::Fill::Rgb: return "rgb";
    }
    return "";
}

std::string rgb(layout::Colour colour)
{
    return "[" + std::to_string(colour.red) + ", " + std::to_string(colour.green) + ", " + std::to_string(colour.blue) + "]";
}

} // namespace

int main(int argc, char **argv)
{
    if (argc != 2) {
        std::fputs("usage: pagegen OUTPUT.json\n", stderr);
        return 2;
    }
    std::string json = "{\n  \"title\": " + quoted(layout::kWindowTitle) + ",\n";
    json += "  \"width\": " + std::to_string(layout::pixels(layout::kClientWidthTwips)) + ",\n";
    json += "  \"height\": " + std::to_string(layout::pixels(layout::kClientHeightTwips)) + ",\n";
    json += "  \"colour\": " + rgb(layout::kWindowColour) + ",\n  \"fonts\": [";
    for (const char *family : layout::kFontFamilies)
        json += std::string(family == layout::kFontFamilies[0] ? "" : ", ") + quoted(family);
    json += "],\n  \"controls\": [\n";
    bool first = true;
    for (const layout::Control &row : layout::controls()) {
        const layout::Rect rect = row.pixelRect();
        // 72 points to the inch of 96 CSS pixels.
        char fontSize[32];
        std::snprintf(fontSize, sizeof fontSize, "%.4g", row.points * 96.0 / 72.0);
        json += first ? "" : ",\n";
        first = false;
        json += "    {\"name\": " + quoted(row.name) + ", \"kind\": \"" + kindName(row.kind) + "\", \"tabIndex\": "
                + std::to_string(row.tabIndex) + ", \"text\": " + quoted(row.text) + ", \"left\": "
                + std::to_string(rect.left) + ", \"top\": " + std::to_string(rect.top) + ", \"width\": "
                + std::to_string(rect.width) + ", \"height\": " + std::to_string(rect.height) + ", \"fontSize\": "
                + fontSize + ", \"weight\": "
                + std::to_string(row.bold ? layout::kBoldWeight : layout::kNormalWeight) + ", \"fill\": \""
                + fillName(row.fill) + "\", \"rgb\": " + rgb(row.rgb) + ", \"accessibleName\": "
                + quoted(row.accessibleName) + "}";
    }
    json += "\n  ]\n}\n";
    std::ofstream out(argv[1], std::ios::binary);
    out << json;
    return out.flush() ? 0 : 1;
}
