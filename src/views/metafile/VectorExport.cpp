#include "views/metafile/VectorExport.h"

#include "views/core/EmfWriter.h"
#include "views/metafile/RecordingPaintDevice.h"
#include "views/core/SvgWriter.h"
#include "views/core/WmfWriter.h"

namespace moravel {
namespace {

std::vector<std::uint8_t> Write(VectorFormat format, const vec::VectorDrawing& drawing) {
    switch (format) {
        case VectorFormat::Wmf:
            return vec::WriteWmf(drawing);
        case VectorFormat::Emf:
            return vec::WriteEmf(drawing);
        case VectorFormat::Svg:
            return vec::WriteSvg(drawing);
    }
    return {};
}

}  // namespace

std::vector<std::uint8_t> RenderVectorOnDevice(VectorFormat format, QSize size,
                                               const std::function<void(QPaintDevice&)>& paint) {
    RecordingPaintDevice device(size);
    paint(device);
    return Write(format, device.Drawing());
}

std::vector<std::uint8_t> RenderVector(VectorFormat format, QSize size, const std::function<void(QPainter&)>& paint) {
    return RenderVectorOnDevice(format, size, [&](QPaintDevice& device) {
        QPainter painter(&device);
        paint(painter);
    });
}

}  // namespace moravel
