#include "views/DbMeter.h"

#include <QAccessible>
#include <QPainter>

#include "views/BgrColor.h"

namespace moravel {

DbMeter::DbMeter(QWidget* parent) : QWidget(parent) {
    // Every pixel is painted from the off-screen image: no background erase.
    setAttribute(Qt::WA_OpaquePaintEvent);
    resize(kDbMeterDefaultWidth, kDbMeterDefaultHeight);
}

QSize DbMeter::sizeHint() const { return {kDbMeterDefaultWidth, kDbMeterDefaultHeight}; }

template <typename T>
void DbMeter::Assign(T DbMeterProperties::*field, T value) {
    if (props_.*field == value) return;
    props_.*field = value;
    repaint();
}

void DbMeter::SetBevelStyle(BevelCut value) { Assign(&DbMeterProperties::BevelStyle, value); }
void DbMeter::SetBevelWidth(std::uint8_t value) {
    Assign(&DbMeterProperties::BevelWidth, NormalisedBevelWidth(value, width(), height()));
}
void DbMeter::SetGreens(std::int32_t value) { Assign(&DbMeterProperties::Greens, value); }
void DbMeter::SetYellows(std::int32_t value) { Assign(&DbMeterProperties::Yellows, value); }
void DbMeter::SetReds(std::int32_t value) { Assign(&DbMeterProperties::Reds, value); }
void DbMeter::SetGreenMax(std::int32_t value) { Assign(&DbMeterProperties::GreenMax, value); }
void DbMeter::SetYellowMax(std::int32_t value) { Assign(&DbMeterProperties::YellowMax, value); }
void DbMeter::SetRedMax(std::int32_t value) { Assign(&DbMeterProperties::RedMax, value); }
void DbMeter::SetGreenBack(TColor value) { Assign(&DbMeterProperties::GreenBack, value); }
void DbMeter::SetGreenColor(TColor value) { Assign(&DbMeterProperties::GreenColor, value); }
void DbMeter::SetYellowBack(TColor value) { Assign(&DbMeterProperties::YellowBack, value); }
void DbMeter::SetYellowColor(TColor value) { Assign(&DbMeterProperties::YellowColor, value); }
void DbMeter::SetRedBack(TColor value) { Assign(&DbMeterProperties::RedBack, value); }
void DbMeter::SetRedColor(TColor value) { Assign(&DbMeterProperties::RedColor, value); }
void DbMeter::SetShowJustOne(bool value) { Assign(&DbMeterProperties::ShowJustOne, value); }
void DbMeter::SetSepWidth(std::int32_t value) { Assign(&DbMeterProperties::SepWidth, value); }
void DbMeter::SetSepColor(TColor value) { Assign(&DbMeterProperties::SepColor, value); }
void DbMeter::SetStyle(DbMeterStyle value) { Assign(&DbMeterProperties::Style, value); }
void DbMeter::SetDirection(tdbmeterdirection value) { Assign(&DbMeterProperties::Direction, value); }
// A new position is announced to assistive technology, which reads it as the
// meter's value. The picture depends on the position only through the number
// of lit segments, so the meter is repainted only when that number changes:
// the level meters get a new position about ten times a second, and most of
// those fall on the same segment.
void DbMeter::SetPosition(std::int32_t value) {
    if (props_.Position == value) return;
    const std::int64_t shown = ShownSegments(props_);
    props_.Position = value;
    if (ShownSegments(props_) != shown) repaint();
    QAccessibleValueChangeEvent event(this, value);
    QAccessible::updateAccessibility(&event);
}

void DbMeter::paintEvent(QPaintEvent* /*event*/) {
    RenderOffscreen();
    QPainter painter(this);
    painter.drawImage(0, 0, image_);
}

void DbMeter::RenderOffscreen() {
    // Both buffers keep their memory while the size stays the same.
    raster_.Resize(width(), height());
    if (image_.size() != size()) image_ = QImage(size(), QImage::Format_RGB32);
    RenderDbMeter(props_, raster_);
    for (int y = 0; y < raster_.Height(); ++y) {
        const TColor* source = raster_.Row(y);
        auto* target = reinterpret_cast<QRgb*>(image_.scanLine(y));
        for (int x = 0; x < raster_.Width(); ++x) target[x] = ToQRgb(source[x]);
    }
}

}  // namespace moravel
