// A paint device of a fixed size in pixels at 96 dpi that records what is
// painted on it into a display list (see RecordingPaintEngine). Its metrics
// are those of a 96 dpi screen, so widgets lay out on it as on screen.
// GUI thread only.
#pragma once

#include <QPaintDevice>
#include <QSize>

#include <memory>

#include "views/core/VectorDrawing.h"

namespace moravel {

class RecordingPaintEngine;

class RecordingPaintDevice : public QPaintDevice {
public:
    static constexpr int kDpi = 96;

    /// A device of `size` pixels (negative sizes count as 0).
    explicit RecordingPaintDevice(QSize size);
    ~RecordingPaintDevice() override;

    QPaintEngine* paintEngine() const override;

    /// What has been painted so far; complete once the painter has ended.
    const vec::VectorDrawing& Drawing() const { return drawing_; }

protected:
    int metric(PaintDeviceMetric metric) const override;

private:
    vec::VectorDrawing drawing_;
    std::unique_ptr<RecordingPaintEngine> engine_;
};

}  // namespace moravel
