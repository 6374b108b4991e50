// A display list of what a chart painted, in device pixels, for the vector
// image writers (WMF, EMF, SVG). The origin is the page's top-left corner,
// x grows to the right and y downwards, one unit is one pixel at 96 dpi.
// Plain data; build it on one thread and hand it to a writer.
#pragma once

#include <cstdint>
#include <string>
#include <variant>
#include <vector>

namespace moravel::vec {

/// An opaque colour, 8 bits per channel.
struct Color {
    std::uint8_t r = 0;
    std::uint8_t g = 0;
    std::uint8_t b = 0;
    bool operator==(const Color&) const = default;
};

enum class PenStyle { None, Solid, Dash, Dot, DashDot, DashDotDot };

struct Pen {
    Color color;
    /// Line width in pixels; 0 is the thinnest line the device draws (one pixel).
    double width = 0;
    PenStyle style = PenStyle::Solid;
    bool operator==(const Pen&) const = default;
};

struct Brush {
    Color color;
    /// false: the shape is not filled.
    bool solid = false;
    bool operator==(const Brush&) const = default;
};

struct Point {
    double x = 0;
    double y = 0;
};

/// A rectangle from (x, y) spanning width x height pixels.
struct Rect {
    double x = 0;
    double y = 0;
    double width = 0;
    double height = 0;
};

/// An open line through the points, drawn with the pen.
struct Polyline {
    std::vector<Point> points;
    Pen pen;
};

/// A closed shape: filled with the brush, outlined with the pen.
struct Polygon {
    std::vector<Point> points;
    Pen pen;
    Brush brush;
};

/// An axis-aligned rectangle: filled with the brush, outlined with the pen.
struct Rectangle {
    Rect rect;
    Pen pen;
    Brush brush;
};

struct Font {
    std::string family;
    /// Em height in pixels.
    double pixelSize = 12;
    /// 100 (thin) to 900 (black); 400 is normal, 700 bold.
    int weight = 400;
    bool italic = false;
    bool operator==(const Font&) const = default;
};

/// One line of text.
struct Text {
    /// Start of the baseline (before rotation the left end of the text).
    Point origin;
    std::u16string text;
    /// Advance of each UTF-16 unit in pixels; may be empty (writers then
    /// let the reader lay the text out).
    std::vector<double> advances;
    Font font;
    Color color;
    /// Counter-clockwise rotation about `origin` in degrees as seen on the
    /// page (90: the text reads upwards).
    double rotation = 0;
};

/// A raster image drawn stretched from `source` (in image pixels) onto
/// `target` (in page pixels).
struct Image {
    int width = 0;
    int height = 0;
    /// width x height pixels as 0xAARRGGBB, rows top to bottom.
    std::vector<std::uint32_t> pixels;
    Rect source;
    Rect target;
};

/// Sets (enabled) or removes the clip rectangle for the items that follow.
struct Clip {
    bool enabled = false;
    Rect rect;
};

using Item = std::variant<Polyline, Polygon, Rectangle, Text, Image, Clip>;

struct VectorDrawing {
    /// Page size in pixels.
    int width = 0;
    int height = 0;
    /// Drawn in order, later items over earlier ones.
    std::vector<Item> items;
};

}  // namespace moravel::vec
