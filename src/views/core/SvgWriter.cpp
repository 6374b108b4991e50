#include "views/core/SvgWriter.h"

#include <charconv>
#include <cmath>
#include <cstdio>

#include "views/core/ImageCrop.h"
#include "views/core/PngEncoder.h"
#include "views/core/TextCodec.h"

namespace moravel::vec {
namespace {

// Numbers with at most two decimals and a point whatever the C locale says.
std::string Num(double v) {
    if (!std::isfinite(v)) return "0";  // "nan" or "inf" would break the document
    char buf[64];
    auto [end, ec] = std::to_chars(buf, buf + sizeof buf, v, std::chars_format::fixed, 2);
    std::string s(buf, ec == std::errc() ? end : buf);
    while (!s.empty() && s.back() == '0') s.pop_back();
    if (!s.empty() && s.back() == '.') s.pop_back();
    return s == "-0" || s.empty() ? "0" : s;
}

std::string Hex(Color c) {
    char buf[8];
    std::snprintf(buf, sizeof buf, "#%02x%02x%02x", c.r, c.g, c.b);
    return buf;
}

std::string Base64(const std::vector<std::uint8_t>& data) {
    static constexpr char kDigits[] = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789+/";
    std::string out;
    out.reserve((data.size() + 2) / 3 * 4);
    for (std::size_t i = 0; i < data.size(); i += 3) {
        const std::uint32_t n =
            data[i] << 16 | (i + 1 < data.size() ? data[i + 1] << 8 : 0) | (i + 2 < data.size() ? data[i + 2] : 0);
        out += kDigits[n >> 18 & 63];
        out += kDigits[n >> 12 & 63];
        out += i + 1 < data.size() ? kDigits[n >> 6 & 63] : '=';
        out += i + 2 < data.size() ? kDigits[n & 63] : '=';
    }
    return out;
}

std::string DashArray(PenStyle style, double width) {
    const double w = width > 1 ? width : 1;
    switch (style) {
        case PenStyle::Dash:
            return Num(4 * w) + "," + Num(2 * w);
        case PenStyle::Dot:
            return Num(w) + "," + Num(2 * w);
        case PenStyle::DashDot:
            return Num(4 * w) + "," + Num(2 * w) + "," + Num(w) + "," + Num(2 * w);
        case PenStyle::DashDotDot:
            return Num(4 * w) + "," + Num(2 * w) + "," + Num(w) + "," + Num(2 * w) + "," + Num(w) + "," + Num(2 * w);
        default:
            return {};
    }
}

std::string Stroke(const Pen& pen) {
    if (pen.style == PenStyle::None) return " stroke=\"none\"";
    std::string s = " stroke=\"" + Hex(pen.color) + "\" stroke-width=\"" + Num(pen.width > 0 ? pen.width : 1) + "\"";
    const std::string dashes = DashArray(pen.style, pen.width);
    if (!dashes.empty()) s += " stroke-dasharray=\"" + dashes + "\"";
    return s;
}

std::string Fill(const Brush& brush) { return " fill=\"" + (brush.solid ? Hex(brush.color) : "none") + "\""; }

std::string Points(const std::vector<Point>& points) {
    std::string s;
    for (const Point& p : points) s += (s.empty() ? "" : " ") + Num(p.x) + "," + Num(p.y);
    return s;
}

class SvgBuilder {
public:
    explicit SvgBuilder(const VectorDrawing& d) {
        const std::string w = std::to_string(d.width), h = std::to_string(d.height);
        out_ =
            "<?xml version=\"1.0\" encoding=\"UTF-8\" standalone=\"no\"?>\n"
            "<svg xmlns=\"http://www.w3.org/2000/svg\" xmlns:xlink=\"http://www.w3.org/1999/xlink\" "
            "version=\"1.1\" width=\"" +
            w + "\" height=\"" + h + "\" viewBox=\"0 0 " + w + " " + h + "\">\n";
    }

    std::string Finish() {
        CloseClip();
        return out_ + "</svg>\n";
    }

    void Add(const Polyline& p) {
        out_ += "<polyline points=\"" + Points(p.points) + "\" fill=\"none\"" + Stroke(p.pen) + "/>\n";
    }

    void Add(const Polygon& p) {
        out_ += "<polygon points=\"" + Points(p.points) + "\"" + Fill(p.brush) + Stroke(p.pen) + "/>\n";
    }

    void Add(const Rectangle& r) { out_ += "<rect " + Box(r.rect) + Fill(r.brush) + Stroke(r.pen) + "/>\n"; }

    void Add(const Text& t) {
        const std::string x = Num(t.origin.x), y = Num(t.origin.y);
        out_ += "<text x=\"" + x + "\" y=\"" + y + "\" font-family=\"" + EscapeXml(t.font.family) + "\" font-size=\"" +
                Num(t.font.pixelSize) + "\" font-weight=\"" + std::to_string(t.font.weight) + "\" font-style=\"" +
                (t.font.italic ? "italic" : "normal") + "\" fill=\"" + Hex(t.color) + "\"";
        if (t.rotation != 0) out_ += " transform=\"rotate(" + Num(-t.rotation) + " " + x + " " + y + ")\"";
        out_ += " xml:space=\"preserve\">" + EscapeXml(Utf16ToUtf8(t.text)) + "</text>\n";
    }

    void Add(const Image& image) {
        const Image shown = CropToSource(image);
        if (shown.pixels.empty()) return;
        out_ += "<image " + Box(shown.target) + " preserveAspectRatio=\"none\" xlink:href=\"data:image/png;base64," +
                Base64(EncodePng(shown.width, shown.height, shown.pixels)) + "\"/>\n";
    }

    void Add(const Clip& clip) {
        CloseClip();
        if (!clip.enabled) return;
        const std::string id = "clip" + std::to_string(++clipCount_);
        out_ += "<clipPath id=\"" + id + "\"><rect " + Box(clip.rect) + "/></clipPath>\n<g clip-path=\"url(#" + id +
                ")\">\n";
        clipOpen_ = true;
    }

private:
    static std::string Box(const Rect& r) {
        return "x=\"" + Num(r.x) + "\" y=\"" + Num(r.y) + "\" width=\"" + Num(r.width) + "\" height=\"" +
               Num(r.height) + "\"";
    }

    void CloseClip() {
        if (clipOpen_) out_ += "</g>\n";
        clipOpen_ = false;
    }

    std::string out_;
    int clipCount_ = 0;
    bool clipOpen_ = false;
};

}  // namespace

std::string EscapeXml(const std::string& text) {
    std::string out;
    out.reserve(text.size());
    for (char c : text) {
        switch (c) {
            case '&':
                out += "&amp;";
                break;
            case '<':
                out += "&lt;";
                break;
            case '>':
                out += "&gt;";
                break;
            case '"':
                out += "&quot;";
                break;
            case '\'':
                out += "&apos;";
                break;
            default:
                if (static_cast<unsigned char>(c) >= 0x20 || c == '\t' || c == '\n' || c == '\r') out += c;
        }
    }
    return out;
}

std::vector<std::uint8_t> WriteSvg(const VectorDrawing& drawing) {
    SvgBuilder builder(drawing);
    for (const Item& item : drawing.items) std::visit([&](const auto& i) { builder.Add(i); }, item);
    const std::string text = builder.Finish();
    return {text.begin(), text.end()};
}

}  // namespace moravel::vec
