// DbMeter: the segmented level meter widget. It keeps a DbMeterProperties,
// repaints at once whenever a property change alters the picture, and paints
// by drawing the whole meter into its own off-screen image and copying that
// image to the screen in one step, so frequent position changes do not
// flicker.
// GUI thread only.
#pragma once

#include <QImage>
#include <QWidget>

#include "views/core/DbMeterModel.h"
#include "views/core/GdiRaster.h"

namespace moravel {

class DbMeter : public QWidget {
    Q_OBJECT

public:
    /// A meter with the default properties, 80 x 17 pixels.
    explicit DbMeter(QWidget* parent = nullptr);

    // Each setter stores a value that differs from the stored one and
    // repaints the meter immediately (a hidden meter is painted when shown).
    // Colours are 0xBBGGRR. Counts, ranges and Position are not checked.

    BevelCut BevelStyle() const { return props_.BevelStyle; }
    void SetBevelStyle(BevelCut value);
    /// Frame thickness in pixels. 0, or more than width/3 or height/3 of the
    /// meter's current size, is stored as 1.
    std::uint8_t BevelWidth() const { return props_.BevelWidth; }
    void SetBevelWidth(std::uint8_t value);

    std::int32_t Greens() const { return props_.Greens; }
    void SetGreens(std::int32_t value);
    std::int32_t Yellows() const { return props_.Yellows; }
    void SetYellows(std::int32_t value);
    std::int32_t Reds() const { return props_.Reds; }
    void SetReds(std::int32_t value);

    std::int32_t GreenMax() const { return props_.GreenMax; }
    void SetGreenMax(std::int32_t value);
    std::int32_t YellowMax() const { return props_.YellowMax; }
    void SetYellowMax(std::int32_t value);
    std::int32_t RedMax() const { return props_.RedMax; }
    void SetRedMax(std::int32_t value);

    TColor GreenBack() const { return props_.GreenBack; }
    void SetGreenBack(TColor value);
    TColor GreenColor() const { return props_.GreenColor; }
    void SetGreenColor(TColor value);
    TColor YellowBack() const { return props_.YellowBack; }
    void SetYellowBack(TColor value);
    TColor YellowColor() const { return props_.YellowColor; }
    void SetYellowColor(TColor value);
    TColor RedBack() const { return props_.RedBack; }
    void SetRedBack(TColor value);
    TColor RedColor() const { return props_.RedColor; }
    void SetRedColor(TColor value);

    bool ShowJustOne() const { return props_.ShowJustOne; }
    void SetShowJustOne(bool value);
    /// Separator width between segments, pixels.
    std::int32_t SepWidth() const { return props_.SepWidth; }
    void SetSepWidth(std::int32_t value);
    /// Separator and background colour.
    TColor SepColor() const { return props_.SepColor; }
    void SetSepColor(TColor value);
    DbMeterStyle Style() const { return props_.Style; }
    void SetStyle(DbMeterStyle value);
    tdbmeterdirection Direction() const { return props_.Direction; }
    void SetDirection(tdbmeterdirection value);
    /// The value shown, in the units of the zone ranges; not clamped. A
    /// change is also announced as the meter's accessible value; the meter
    /// is repainted only when the change lights or darkens a segment.
    std::int32_t Position() const { return props_.Position; }
    void SetPosition(std::int32_t value);

    /// All properties at once, for reading.
    const DbMeterProperties& Properties() const { return props_; }
    /// The off-screen image as of the last paint (null before the first one).
    const QImage& OffscreenImage() const { return image_; }

    QSize sizeHint() const override;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    template <typename T>
    void Assign(T DbMeterProperties::*field, T value);
    void RenderOffscreen();

    DbMeterProperties props_;
    GdiRaster raster_;
    QImage image_;
};

}  // namespace moravel
