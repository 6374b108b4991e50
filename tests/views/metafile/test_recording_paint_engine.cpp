// The recording paint device: what QPainter calls turn into in the display
// list, in device pixels with the painter's transform applied, and the
// device's 96 dpi metrics.
#include "views/metafile/RecordingPaintDevice.h"

#include <QImage>
#include <QPainter>

#include <gtest/gtest.h>

#include <functional>

namespace moravel {
namespace {

vec::VectorDrawing Record(QSize size, const std::function<void(QPainter&)>& paint) {
    RecordingPaintDevice device(size);
    {
        QPainter painter(&device);
        paint(painter);
    }
    return device.Drawing();
}

template <typename T>
std::vector<T> ItemsOf(const vec::VectorDrawing& d) {
    std::vector<T> out;
    for (const vec::Item& item : d.items)
        if (const T* t = std::get_if<T>(&item)) out.push_back(*t);
    return out;
}

TEST(RecordingPaintDevice, HasTheSizeAndA96DpiScreensMetrics) {
    RecordingPaintDevice device(QSize(480, 240));
    EXPECT_EQ(device.width(), 480);
    EXPECT_EQ(device.height(), 240);
    EXPECT_EQ(device.logicalDpiX(), 96);
    EXPECT_EQ(device.logicalDpiY(), 96);
    EXPECT_EQ(device.widthMM(), 127);  // 5 inches
    EXPECT_EQ(device.devicePixelRatio(), 1);
    EXPECT_EQ(device.Drawing().width, 480);
}

TEST(RecordingPaintDevice, FilledRectanglesAreTranslatedAndRotatedOnesBecomePolygons) {
    const vec::VectorDrawing d = Record({100, 100}, [](QPainter& p) {
        p.translate(10, 20);
        p.fillRect(QRect(1, 2, 30, 40), QColor(1, 2, 3));
        p.rotate(90);
        p.fillRect(QRectF(0, 0, 10, 5), Qt::red);
    });
    const auto rects = ItemsOf<vec::Rectangle>(d);
    ASSERT_EQ(rects.size(), 1u);
    EXPECT_DOUBLE_EQ(rects[0].rect.x, 11);
    EXPECT_DOUBLE_EQ(rects[0].rect.y, 22);
    EXPECT_DOUBLE_EQ(rects[0].rect.width, 30);
    EXPECT_DOUBLE_EQ(rects[0].rect.height, 40);
    EXPECT_EQ(rects[0].pen.style, vec::PenStyle::None);
    EXPECT_TRUE(rects[0].brush.solid);
    EXPECT_EQ(rects[0].brush.color, (vec::Color{1, 2, 3}));
    const auto polygons = ItemsOf<vec::Polygon>(d);
    ASSERT_EQ(polygons.size(), 1u);
    ASSERT_EQ(polygons[0].points.size(), 5u);  // closed
    // Turned a quarter clockwise about (10, 20): (10, 0) lands on (10, 30).
    EXPECT_NEAR(polygons[0].points[1].x, 10, 1e-9);
    EXPECT_NEAR(polygons[0].points[1].y, 30, 1e-9);
}

TEST(RecordingPaintDevice, LinesAndPolylinesKeepTheirPenAndInvisibleShapesAreLeftOut) {
    const vec::VectorDrawing d = Record({100, 100}, [](QPainter& p) {
        p.setPen(QPen(QColor(9, 8, 7), 3, Qt::DashLine));
        p.drawLine(QPointF(1, 1), QPointF(5, 6));
        const QPointF points[] = {{0, 0}, {4, 4}, {8, 0}};
        p.drawPolyline(points, 3);
        p.setPen(Qt::NoPen);
        p.setBrush(Qt::NoBrush);
        p.drawRect(QRectF(0, 0, 5, 5));
        p.setBrush(QColor(0, 0, 0, 0));
        p.drawPolygon(points, 3);
    });
    const auto lines = ItemsOf<vec::Polyline>(d);
    ASSERT_EQ(lines.size(), 2u);
    EXPECT_EQ(lines[0].points.size(), 2u);
    EXPECT_EQ(lines[1].points.size(), 3u);
    EXPECT_EQ(lines[0].pen, (vec::Pen{{9, 8, 7}, 3, vec::PenStyle::Dash}));
    EXPECT_TRUE(ItemsOf<vec::Rectangle>(d).empty());
    EXPECT_TRUE(ItemsOf<vec::Polygon>(d).empty());
}

TEST(RecordingPaintDevice, TextKeepsFontAndColourAndAQuarterTurnUpwardsIsNinetyDegrees) {
    const vec::VectorDrawing d = Record({200, 200}, [](QPainter& p) {
        QFont font("Sans");
        font.setPointSize(9);  // 12 pixels at 96 dpi
        font.setBold(true);
        p.setFont(font);
        p.setPen(QColor(200, 100, 50));
        p.drawText(QPointF(10, 30), "Hz");
        p.translate(16, 150);
        p.rotate(-90);
        p.drawText(QPointF(0, 0), "dB");
    });
    const auto texts = ItemsOf<vec::Text>(d);
    ASSERT_EQ(texts.size(), 2u);
    EXPECT_EQ(texts[0].text, u"Hz");
    EXPECT_DOUBLE_EQ(texts[0].origin.x, 10);
    EXPECT_DOUBLE_EQ(texts[0].origin.y, 30);
    EXPECT_DOUBLE_EQ(texts[0].font.pixelSize, 12);
    EXPECT_EQ(texts[0].font.weight, 700);
    EXPECT_EQ(texts[0].color, (vec::Color{200, 100, 50}));
    EXPECT_EQ(texts[0].rotation, 0);
    ASSERT_EQ(texts[0].advances.size(), 2u);
    EXPECT_GT(texts[0].advances[0], 0);
    EXPECT_NEAR(texts[1].rotation, 90, 1e-9);
    EXPECT_NEAR(texts[1].origin.x, 16, 1e-9);
    EXPECT_NEAR(texts[1].origin.y, 150, 1e-9);
}

TEST(RecordingPaintDevice, ImagesKeepSourceAndMappedTarget) {
    QImage image(4, 2, QImage::Format_RGB32);
    image.fill(qRgb(1, 2, 3));
    image.setPixel(3, 1, qRgb(250, 251, 252));
    const vec::VectorDrawing d = Record({100, 100}, [&](QPainter& p) {
        p.translate(5, 5);
        p.drawImage(QRectF(0, 0, 40, 20), image, QRectF(2, 0, 2, 2));
    });
    const auto images = ItemsOf<vec::Image>(d);
    ASSERT_EQ(images.size(), 1u);
    EXPECT_EQ(images[0].width, 4);
    EXPECT_EQ(images[0].height, 2);
    EXPECT_EQ(images[0].pixels[7], 0xFFFAFBFCu);
    EXPECT_DOUBLE_EQ(images[0].source.x, 2);
    EXPECT_DOUBLE_EQ(images[0].source.width, 2);
    EXPECT_DOUBLE_EQ(images[0].target.x, 5);
    EXPECT_DOUBLE_EQ(images[0].target.width, 40);
}

TEST(RecordingPaintDevice, ClipRectanglesAreRecordedInDevicePixelsOnlyWhereSomethingIsDrawn) {
    const vec::VectorDrawing d = Record({100, 100}, [](QPainter& p) {
        p.translate(10, 10);
        p.setClipRect(QRect(0, 0, 50, 40));
        p.fillRect(QRect(0, 0, 5, 5), Qt::red);
        p.setClipRect(QRect(20, 0, 50, 50), Qt::IntersectClip);
        p.fillRect(QRect(0, 0, 5, 5), Qt::red);
        p.setClipRect(QRect(0, 0, 1, 1));  // set and replaced before anything is drawn
        p.setClipping(false);
        p.fillRect(QRect(0, 0, 5, 5), Qt::red);
        p.setClipRect(QRect(0, 0, 1, 1));  // nothing drawn after it
    });
    const auto clips = ItemsOf<vec::Clip>(d);
    ASSERT_EQ(clips.size(), 3u);
    EXPECT_TRUE(clips[0].enabled);
    EXPECT_DOUBLE_EQ(clips[0].rect.x, 10);
    EXPECT_DOUBLE_EQ(clips[0].rect.height, 40);
    EXPECT_TRUE(clips[1].enabled);  // the overlap: x 30 to 60, y 10 to 50
    EXPECT_DOUBLE_EQ(clips[1].rect.x, 30);
    EXPECT_DOUBLE_EQ(clips[1].rect.width, 30);
    EXPECT_DOUBLE_EQ(clips[1].rect.height, 40);
    EXPECT_FALSE(clips[2].enabled);
    EXPECT_TRUE(std::holds_alternative<vec::Rectangle>(d.items.back()));
}

}  // namespace
}  // namespace moravel
