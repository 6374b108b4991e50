#include "views/metafile/RecordingPaintDevice.h"

#include <algorithm>
#include <cmath>

#include "views/metafile/RecordingPaintEngine.h"

namespace moravel {

RecordingPaintDevice::RecordingPaintDevice(QSize size)
    : engine_(std::make_unique<RecordingPaintEngine>(drawing_, kDpi)) {
    drawing_.width = std::max(0, size.width());
    drawing_.height = std::max(0, size.height());
}

RecordingPaintDevice::~RecordingPaintDevice() = default;

QPaintEngine* RecordingPaintDevice::paintEngine() const { return engine_.get(); }

int RecordingPaintDevice::metric(PaintDeviceMetric metric) const {
    const auto millimetres = [](int pixels) { return static_cast<int>(std::lround(pixels * 25.4 / kDpi)); };
    switch (metric) {
        case PdmWidth:
            return drawing_.width;
        case PdmHeight:
            return drawing_.height;
        case PdmWidthMM:
            return millimetres(drawing_.width);
        case PdmHeightMM:
            return millimetres(drawing_.height);
        case PdmNumColors:
            return 0x7fffffff;
        case PdmDepth:
            return 32;
        case PdmDpiX:
        case PdmDpiY:
        case PdmPhysicalDpiX:
        case PdmPhysicalDpiY:
            return kDpi;
        case PdmDevicePixelRatio:
            return 1;
        case PdmDevicePixelRatioScaled:
            return static_cast<int>(devicePixelRatioFScale());
        default:
            return QPaintDevice::metric(metric);
    }
}

}  // namespace moravel
