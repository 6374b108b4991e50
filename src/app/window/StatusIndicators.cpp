#include "app/window/StatusIndicators.h"

#include "app/window/AccessibleNames.h"
#include "app/window/StatusStrip.h"
#include "views/DbMeter.h"

#include <QAbstractButton>
#include <QLabel>

namespace moravel {

namespace {

QColor fromBgr(std::uint32_t bgr) { return QColor(bgr & 0xFF, (bgr >> 8) & 0xFF, (bgr >> 16) & 0xFF); }

// Lit: the text in black on yellow; unlit: in silver on the palette's dark
// colour. Both states show the same text.
void showLight(QLabel* indicator, bool lit, const QString& text) {
    QPalette colours = indicator->palette();
    colours.setColor(QPalette::Window, lit ? fromBgr(0x00FFFF) : colours.color(QPalette::Dark));
    colours.setColor(QPalette::WindowText, lit ? QColor(Qt::black) : fromBgr(0xC0C0C0));
    indicator->setPalette(colours);
    indicator->setText(text);
}

}  // namespace

StatusIndicators::StatusIndicators(Parts parts) : parts_(std::move(parts)), cpu_(parts_.cpuStatFile) {}

void StatusIndicators::Tick() {
    if (updateCpuMeter()) updateLights();
}

bool StatusIndicators::updateCpuMeter() {
    DbMeter& meter = *parts_.strip.cpuMeter;
    try {
        cpu_.CollectCpuSample();
        meter.SetPosition(CpuMeterPosition(cpu_.GetCpuUsage(0), meter.Position()));
        lastCpuError_.clear();
        return true;
    } catch (const std::exception& e) {
        const QString message = QString::fromUtf8(e.what());
        if (message != lastCpuError_) {
            lastCpuError_ = message;
            parts_.showError(e);
        }
        return false;
    }
}

void StatusIndicators::updateLights() {
    const bool recordDown = parts_.record.isChecked();
    const LightState recording = lights_.RecordingLight(recordDown, parts_.pause.isChecked());
    showLight(parts_.strip.recordingLight, recording.lit, recording.text);
    // Screen readers hear whether a light is active, not each blink.
    SetLightName(parts_.strip.recordingLight, recording.text, recordDown);
    const LightState error = lights_.BufferErrorLight(parts_.bufferError);
    showLight(parts_.strip.bufferErrorLight, error.lit, error.text);
    SetLightName(parts_.strip.bufferErrorLight, error.text, error.lit || parts_.bufferError);
}

}  // namespace moravel
