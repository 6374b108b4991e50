#include "MainFormCycleClient.h"

#include "EnhWave.h"
#include "MainForm.h"
#include "LocaleNumber.h"
#include "PlotPanes.h"
#include "RecordOnSignalController.h"
#include "RecorderController.h"
#include "TChart.h"
#include "dbm.h"
#include "pages/AudioPage.h"
#include "pages/DebugPage.h"

#include <qcustomplot.h>

#include <QLabel>

namespace moravel {

namespace {

// "%3.4n": seconds with four decimals, the user's separators.
QString formatSeconds(long double seconds) { return LocaleNumber(seconds, 3, 4); }

// The cycle's labels show each block's figures at once, not at the next
// paint, so they stay current while the cycle keeps the event loop busy.
void showNow(QLabel* label, const QString& text) {
    label->setText(text);
    label->repaint();
}

template <typename Sample>
void plotCurve(QCPGraph* series, const Sample* values, std::int32_t count) {
    QVector<double> x(count);
    QVector<double> y(count);
    for (std::int32_t i = 0; i < count; ++i) {
        x[i] = i;
        y[i] = values[i];
    }
    series->setData(x, y, true);
}

}  // namespace

MainFormCycleClient::MainFormCycleClient(TMainForm& form) : form_(form), output_(form.WaveOut()) {}

void MainFormCycleClient::ShowAvailable(long double seconds) { showNow(form_.debug->Label71, formatSeconds(seconds)); }

void MainFormCycleClient::ShowBufferCycle(long double seconds) {
    showNow(form_.debug->Label35, formatSeconds(seconds));
}

void MainFormCycleClient::ShowBuffersBehind(std::int32_t blocks) {
    showNow(form_.debug->Label47, QString::number(blocks));
}

void MainFormCycleClient::ShowProcessTime(long double seconds) {
    form_.debug->Label33->setText(formatSeconds(seconds));
}

void MainFormCycleClient::ReadPlayerBlock(std::int16_t* block, std::int32_t bytes) {
    form_.read_wave_file_buffer(block, bytes);
}

void MainFormCycleClient::ShowAgcMeter(std::int32_t position) { form_.audio->VUAgcLevel->SetPosition(position); }

void MainFormCycleClient::PlotSpectral(const float* spectrum, std::int32_t count) {
    plotCurve(form_.spectrogramPane->Series2, spectrum, count);
}

void MainFormCycleClient::PlotSignal(const std::int16_t* samples, std::int32_t count) {
    plotCurve(form_.spectrogramPane->Series2, samples, count);
}

// Every processed block also goes to the record-on-signal mode, which
// watches the audio whether or not Record is down.
void MainFormCycleClient::WriteOutput(const std::uint8_t* data, std::int32_t bytes) {
    const auto* samples = reinterpret_cast<const std::int16_t*>(data);
    output_.Write(samples, bytes / 2);
    form_.recordOnSignal_->Feed(samples, bytes / 2);
}

void MainFormCycleClient::WriteRecording(const std::int16_t* samples, std::int32_t bytes) {
    form_.recorderControl_->WriteBlock(samples, bytes);
}

}  // namespace moravel
