#include "dbm.h"

#include <QAccessible>
#include <QPainter>

#include "BgrColor.h"

namespace moravel {

Tdbmeter::Tdbmeter(QWidget* parent) : QWidget(parent) {
    // Every pixel is painted from the off-screen image: no background erase.
    setAttribute(Qt::WA_OpaquePaintEvent);
    resize(kDbMeterDefaultWidth, kDbMeterDefaultHeight);
}

QSize Tdbmeter::sizeHint() const { return {kDbMeterDefaultWidth, kDbMeterDefaultHeight}; }

template <typename T>
void Tdbmeter::Assign(T DbMeterProperties::*field, T value) {
    if (props_.*field == value) return;
    props_.*field = value;
    repaint();
}

void Tdbmeter::SetBevelStyle(TBevelCut value) { Assign(&DbMeterProperties::BevelStyle, value); }
void Tdbmeter::SetBevelWidth(std::uint8_t value) {
    Assign(&DbMeterProperties::BevelWidth, NormalisedBevelWidth(value, width(), height()));
}
void Tdbmeter::SetGreens(std::int32_t value) { Assign(&DbMeterProperties::Greens, value); }
void Tdbmeter::SetYellows(std::int32_t value) { Assign(&DbMeterProperties::Yellows, value); }
void Tdbmeter::SetReds(std::int32_t value) { Assign(&DbMeterProperties::Reds, value); }
void Tdbmeter::SetGreenMax(std::int32_t value) { Assign(&DbMeterProperties::GreenMax, value); }
void Tdbmeter::SetYellowMax(std::int32_t value) { Assign(&DbMeterProperties::YellowMax, value); }
void Tdbmeter::SetRedMax(std::int32_t value) { Assign(&DbMeterProperties::RedMax, value); }
void Tdbmeter::SetGreenBack(TColor value) { Assign(&DbMeterProperties::GreenBack, value); }
void Tdbmeter::SetGreenColor(TColor value) { Assign(&DbMeterProperties::GreenColor, value); }
void Tdbmeter::SetYellowBack(TColor value) { Assign(&DbMeterProperties::YellowBack, value); }
void Tdbmeter::SetYellowColor(TColor value) { Assign(&DbMeterProperties::YellowColor, value); }
void Tdbmeter::SetRedBack(TColor value) { Assign(&DbMeterProperties::RedBack, value); }
void Tdbmeter::SetRedColor(TColor value) { Assign(&DbMeterProperties::RedColor, value); }
void Tdbmeter::SetShowJustOne(bool value) { Assign(&DbMeterProperties::ShowJustOne, value); }
void Tdbmeter::SetSepWidth(std::int32_t value) { Assign(&DbMeterProperties::SepWidth, value); }
void Tdbmeter::SetSepColor(TColor value) { Assign(&DbMeterProperties::SepColor, value); }
void Tdbmeter::SetStyle(Tdbmeterstyle value) { Assign(&DbMeterProperties::Style, value); }
void Tdbmeter::SetDirection(tdbmeterdirection value) { Assign(&DbMeterProperties::Direction, value); }
// A new position is announced to assistive technology, which reads it as the
// meter's value. The picture depends on the position only through the number
// of lit segments, so the meter is repainted only when that number changes:
// the level meters get a new position about ten times a second, and most of
// those fall on the same segment.
void Tdbmeter::SetPosition(std::int32_t value) {
    if (props_.Position == value) return;
    const std::int64_t shown = ShownSegments(props_);
    props_.Position = value;
    if (ShownSegments(props_) != shown) repaint();
    QAccessibleValueChangeEvent event(this, value);
    QAccessible::updateAccessibility(&event);
}

void Tdbmeter::paintEvent(QPaintEvent* /*event*/) {
    RenderOffscreen();
    QPainter painter(this);
    painter.drawImage(0, 0, image_);
}

void Tdbmeter::RenderOffscreen() {
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
