// The spectrum plot and the spectrogram through the real window on the
// virtual card (stepping clock, display timer driven by the test).
#include "dsp/Engine.h"
#include "app/window/WindowPanels.h"
#include "app/window/GuardedConnect.h"
#include "views/core/PlotMath.h"
#include "app/window/PlotDisplays.h"
#include "app/window/PlotPanes.h"
#include "views/SpectrogramImage.h"
#include "views/Chart.h"
#include "ShownWindow.h"
#include "WindowFixture.h"

#include <QLabel>
#include <QScrollBar>
#include <QSlider>
#include <QToolButton>
#include <QtTest>

#include <cmath>
#include <memory>
#include <numbers>
#include <stdexcept>

using moravel::testing::Settle;
using moravel::testing::WindowFixture;

namespace {

// A sine whose frequency the test can change while the card runs; 0 Hz is silence.
struct ToneControl {
    double hz = 1000;
    double amplitude = 8000;
};

class ToneSource final : public moravel::SampleSource {
public:
    ToneSource(std::int32_t rate, std::shared_ptr<ToneControl> control) : rate_(rate), control_(std::move(control)) {}
    void Fill(std::int16_t* dest, std::size_t count) override {
        for (std::size_t i = 0; i < count; ++i) {
            phase_ += 2 * std::numbers::pi * control_->hz / rate_;
            dest[i] = control_->hz == 0 ? 0 : static_cast<std::int16_t>(control_->amplitude * std::sin(phase_));
        }
    }

private:
    double rate_;
    std::shared_ptr<ToneControl> control_;
    double phase_ = 0;
};

// White noise through a one-pole low pass: a noise floor falling with frequency.
class RedNoise final : public moravel::SampleSource {
public:
    void Fill(std::int16_t* dest, std::size_t count) override {
        for (std::size_t i = 0; i < count; ++i) {
            state_ = state_ * 6364136223846793005ULL + 1442695040888963407ULL;
            const double white = static_cast<double>(static_cast<std::int32_t>(state_ >> 32)) / 2147483648.0;
            level_ = 0.9 * level_ + white * 1500;
            dest[i] = static_cast<std::int16_t>(level_);
        }
    }

private:
    std::uint64_t state_ = 12345;
    double level_ = 0;
};

moravel::SourceFactory toneFactory(std::shared_ptr<ToneControl> control) {
    return [control](std::int32_t rate) { return std::make_unique<ToneSource>(rate, control); };
}

std::string settings(const std::string& extra = {}) {
    return std::string(moravel::testing::kConfiguredMixer) +
           "[SETTINGS]\nWindowWidth=900\nWindowHeight=700\nSplitterTop=250\nAGC_enabled=0\n" + extra;
}

// A window shown and laid out, sampling.
struct Shown : moravel::testing::ShownWindow {
    explicit Shown(const std::string& extra = {}, std::shared_ptr<ToneControl> tone = {}, int columns = 4096)
        : ShownWindow(settings(extra), tone ? toneFactory(tone) : moravel::SourceFactory{}, columns) {}
    /// Runs with the window painting after every display tick, as it does
    /// in the program (painting renews the spectrogram's pixel scale).
    void RunPainted(int ms) {
        for (int done = 0; done < ms; done += 100) {
            f.Run(100);
            SpectrogramChart()->replot();
        }
    }
    /// The image column at the left edge of the spectrogram's plot.
    std::int64_t FirstColumnShown() {
        return std::llrint(moravel::Chart::PixelsFor(SpectrogramChart()->xAxis, 1000) / 1000 * SpectrogramChart()->xAxis->range().lower);
    }
    /// Runs `ms` of card time, lets the window catch up and draws the
    /// spectrogram once: its chart.
    moravel::Chart* RunAndReplotSpectrogram(int ms) {
        f.Run(ms);
        Settle();
        SpectrogramChart()->replot();
        return SpectrogramChart();
    }
};

}  // namespace

class DisplayTest : public QObject {
    Q_OBJECT

private slots:
    void toneShowsAsTheStrongestBarAndThePeakAfterFiveStableBlocks() {
        auto tone = std::make_shared<ToneControl>();
        Shown s("", tone);
        s.f.Run(400);  // three blocks: not yet stable
        QCOMPARE(s.f.Find<QLabel>("Label1")->text(), QStringLiteral("?"));
        s.f.Run(1600);
        const auto& engine = s.f.Form().Engine();
        QVERIFY(std::abs(engine.BinToFrequency(engine.PeakIndex + 1) - 1000) <= engine.BinToFrequency(1));
        const int peak = s.f.Find<QLabel>("Label1")->text().remove(" Hz").remove(',').trimmed().toInt();
        QVERIFY2(std::abs(peak - 1000) <= 40, qPrintable(s.f.Find<QLabel>("Label1")->text()));
        // A jump of more than 20 Hz: "?" until the new peak has been stable.
        tone->hz = 1500;
        s.f.Run(300);
        QCOMPARE(s.f.Find<QLabel>("Label1")->text(), QStringLiteral("?"));
        s.f.Run(1500);
        QVERIFY(s.f.Find<QLabel>("Label1")->text() != QStringLiteral("?"));
    }

    void peakHoldRisesWithABurstAndResetBringsItBack() {
        auto tone = std::make_shared<ToneControl>();
        tone->amplitude = 2000;
        Shown s("", tone);
        s.f.Run(1000);
        const double quiet = s.SpectrumChart()->yAxis->range().upper;
        tone->amplitude = 20000;
        s.f.Run(1500);
        tone->amplitude = 2000;
        s.f.Run(300);
        const double held = s.SpectrumChart()->yAxis->range().upper;
        QVERIFY(held > 5 * quiet);
        s.f.Run(1500);
        QCOMPARE(s.SpectrumChart()->yAxis->range().upper, held);  // stays after the burst
        s.f.Click("ButtonRefreshSpectrumScale");
        QCOMPARE(s.SpectrumChart()->yAxis->range().upper, 1.0);
        s.f.Run(200);
        const double again = s.SpectrumChart()->yAxis->range().upper;
        QVERIFY(again > 1 && again < held / 5);
        QCOMPARE(again, s.f.Form().Engine().PeakValue);
    }

    void scaleModes() {
        Shown s;
        s.f.Run(500);
        s.f.Choose("ComboSpectrumScale", 2);  // manual
        QVERIFY(s.f.Find<QSlider>("TrackSpectrumMax")->isEnabled());
        QVERIFY(!s.f.Find<QPushButton>("ButtonRefreshSpectrumScale")->isEnabled());
        s.f.Find<QSlider>("TrackSpectrumMax")->setValue(345);
        QCOMPARE(s.SpectrumChart()->yAxis->range().upper, 345.0);
        QCOMPARE(s.f.Find<QLabel>("Label14")->text(), QStringLiteral("345"));
        s.f.Run(300);
        QCOMPARE(s.SpectrumChart()->yAxis->range().upper, 345.0);
        s.f.Choose("ComboSpectrumScale", 1);  // auto: fits the data
        QVERIFY(!s.f.Find<QSlider>("TrackSpectrumMax")->isEnabled());
        s.f.Run(300);
        double highest = 0;
        for (auto it = s.f.Form().Panels().Spectrum().bars->data()->constBegin();
             it != s.f.Form().Panels().Spectrum().bars->data()->constEnd(); ++it) {
            highest = std::max(highest, it->value);
        }
        QVERIFY(std::abs(s.SpectrumChart()->yAxis->range().upper - highest) <= highest * 0.01 + 1);
        s.f.Choose("ComboSpectrumScale", 0);  // peak hold starts again at 1
        QCOMPARE(s.SpectrumChart()->yAxis->range().upper, 1.0);
        QVERIFY(s.f.Find<QPushButton>("ButtonRefreshSpectrumScale")->isEnabled());
        s.f.Find<QCheckBox>("CheckSpectrumLogarithmic")->setChecked(true);
        QCOMPARE(s.SpectrumChart()->yAxis->label(), QStringLiteral("Log  Power"));
        QCOMPARE(s.SpectrumChart()->yAxis->scaleType(), QCPAxis::stLogarithmic);
    }

    void resolutionSetsTheWindowAtEachRange() {
        // The frequency window's width in Hz for "Low", "Medium", "High" at
        // the "2 KHz", "4 KHz", "8 KHz" and "16 KHz" ranges, and the engine's
        // decimation factor for each resolution.
        constexpr int kWidths[3][4] = {{2000, 4000, 4000, 4000}, {1000, 3000, 3000, 3000}, {1000, 1000, 1000, 1000}};
        constexpr int kFactors[3] = {10, 5, 1};
        Shown s;
        for (int range = 0; range < 4; ++range) {
            s.f.Run(400);
            s.f.Choose("ComboAudioRange", range);
            for (int resolution = 0; resolution < 3; ++resolution) {
                s.f.Choose("ComboSpectrumResolution", resolution);
                s.f.Run(400);
                const QString where = QStringLiteral("resolution %1 range %2").arg(resolution).arg(range);
                QVERIFY2(s.SpectrumChart()->xAxis->range().lower == 0.0, qPrintable(where));
                QVERIFY2(s.SpectrumChart()->xAxis->range().upper == kWidths[resolution][range], qPrintable(where));
                QVERIFY2(s.f.Form().Engine().Resolution == kFactors[resolution], qPrintable(where));
            }
        }
    }

    // With the bars frozen ("Spectrum On" up), moving the frequency window
    // still fits "Auto scale" to the bars now in view.
    void autoScaleFitsTheWindowShownAtEveryPaint() {
        auto tone = std::make_shared<ToneControl>();
        tone->hz = 500;
        tone->amplitude = 16000;
        Shown s("SpectrumResolution=1\n", tone);  // "Medium": a 1000 Hz window at 2 KHz
        s.f.Choose("ComboSpectrumScale", 1);
        s.f.Run(1500);
        s.f.Click("sb_Spectrum_on");
        s.f.Run(300);
        const auto highestIn = [&](double from, double to) {
            double highest = 0;
            const auto bars = s.f.Form().Panels().Spectrum().bars->data();
            for (auto it = bars->constBegin(); it != bars->constEnd(); ++it) {
                if (it->key >= from && it->key <= to) highest = std::max(highest, it->value);
            }
            return highest;
        };
        moravel::Chart* chart = s.SpectrumChart();
        chart->replot();
        const double tonePeak = highestIn(0, 1000);
        QVERIFY(std::abs(chart->yAxis->range().upper - tonePeak) <= tonePeak * 0.01);
        s.f.Find<QScrollBar>("ScrollSpectrum")->setValue(1200);  // 1200 .. 2200 Hz: no tone
        chart->replot();
        const double floor = highestIn(1150, 2250);
        QVERIFY(floor > 0 && floor < tonePeak / 10);
        QVERIFY2(std::abs(chart->yAxis->range().upper - floor) <= floor * 0.05,
                 qPrintable(QStringLiteral("%1 against %2").arg(chart->yAxis->range().upper).arg(floor)));
        // The read-out follows at the next refresh.
        s.f.Run(200);
        QCOMPARE(s.f.Find<QLabel>("Label14")->text().remove(',').trimmed().toDouble(),
                 std::nearbyint(chart->yAxis->range().upper));
    }

    void normalizeFlattensTheNoiseFloor() {
        WindowFixture f(settings(), {}, [](std::int32_t) { return std::make_unique<RedNoise>(); });
        f.Start();
        f.Run(2000);
        // Low-frequency bins against high-frequency bins of the display.
        const auto balance = [&] {
            const auto& e = f.Form().Engine();
            const int third = (e.DisplayCount - 1) / 3;
            double low = 0, high = 0;
            for (int i = 1; i <= third; ++i) low += e.DisplaySpectrum[i];
            for (int i = e.DisplayCount - third; i < e.DisplayCount; ++i) high += e.DisplaySpectrum[i];
            return low / high;
        };
        const double raw = balance();
        QVERIFY2(raw > 4, qPrintable(QString::number(raw)));
        f.Click("sp_spectrum_normalize");
        f.Run(3000);
        QVERIFY2(balance() > 0.5 && balance() < 2, qPrintable(QString::number(balance())));
        f.Click("sp_spectrum_normalize");
        f.Run(3000);
        QVERIFY(balance() > 4);
    }

    void filterBandFollowsTypeAndMouse() {
        Shown s;
        s.f.Run(400);
        s.f.Find<QSlider>("TrackFilterCenter")->setValue(1000);
        s.f.Find<QSlider>("TrackFilterBW")->setValue(400);
        const auto points = [&] {
            QList<QPointF> list;
            for (auto it = s.f.Form().Panels().Spectrum().filterBand->data()->constBegin();
                 it != s.f.Form().Panels().Spectrum().filterBand->data()->constEnd(); ++it) {
                list << QPointF(it->key, it->value);
            }
            return list;
        };
        QCOMPARE(points(), (QList<QPointF>{{800, 200}, {1200, 200}}));
        s.f.Choose("ComboFilterType", 0);
        QCOMPARE(points(), (QList<QPointF>{{0, 200}, {1000, 200}}));
        s.f.Choose("ComboFilterType", 3);
        QCOMPARE(points().size(), 6);
        s.f.Click("sb_filter_visible");
        QVERIFY(points().isEmpty());
        s.f.Click("sb_filter_visible");

        // Left button: the centre jumps to the frequency under the mouse.
        moravel::Chart* chart = s.SpectrumChart();
        chart->replot();
        const QRect plot = chart->PlotRect();
        const QPoint at(plot.left() + plot.width() / 4, plot.center().y());
        QTest::mousePress(chart, Qt::LeftButton, Qt::NoModifier, at);
        QTest::mouseRelease(chart, Qt::LeftButton, Qt::NoModifier, at);
        const int expected = static_cast<int>(std::nearbyint(chart->xAxis->pixelToCoord(at.x())));
        QVERIFY(std::abs(expected - 250) <= 2);  // a quarter of the 0..1000 Hz window
        QCOMPARE(s.f.Find<QSlider>("TrackFilterCenter")->value(), expected);
        QCOMPARE(s.f.Form().Engine().FilterCenter, expected);
        // Right button toggles the filter.
        const bool on = s.f.Find<QToolButton>("sb_filter_on")->isChecked();
        QTest::mousePress(chart, Qt::RightButton, Qt::NoModifier, at);
        QCOMPARE(s.f.Find<QToolButton>("sb_filter_on")->isChecked(), !on);
        // Moving without a button reads out the cursor.
        QMouseEvent move(QEvent::MouseMove, QPointF(at), chart->mapToGlobal(QPointF(at)), Qt::NoButton, Qt::NoButton,
                         Qt::NoModifier);
        QCoreApplication::sendEvent(chart, &move);
        QVERIFY(s.f.Find<QLabel>("Label39")->text().startsWith(QStringLiteral("(%1 Hz, ").arg(expected)));
    }

    void spectrogramColumnUsesThePaletteIndex() {
        auto tone = std::make_shared<ToneControl>();
        tone->hz = 0;  // silence: every display value is 0
        Shown s("TrackSpectrogramGain=1\nTrackSpectrogramOffset=1000\n", tone);
        s.f.Run(1000);
        const auto& image = s.f.Form().Displays().Spectrogram().Image();
        const std::int64_t column = s.f.Form().Displays().Spectrogram().ColumnWritten();
        QVERIFY(column >= 5);
        // Soft Green at index round(1000 / 4000 × 4000) = 1000: between green
        // (800) and yellow (2400), red = trunc(255 × 200 / 1600) = 31.
        QCOMPARE(moravel::SpectrogramColourIndex(0.0f, 1000, 1, 4000), 1000);
        const std::uint16_t expected = moravel::ToRgb16(0x00FF1F);
        const int x = static_cast<int>(column % image.Width());
        for (int bin : {1, 10, s.f.Form().Engine().DisplayCount - 1}) QCOMPARE(image.Pixel(x, bin), expected);
        // Column 0 stays black, the next column is not written yet.
        QCOMPARE(image.Pixel(0, 5), std::uint16_t{0});
        QCOMPARE(image.Pixel(x + 1, 5), std::uint16_t{0});
        // Gain at its maximum: range 1, every value ≥ 1 − offset is the top colour.
        s.f.Find<QSlider>("TrackSpectrogramGain")->setValue(4000);
        s.f.Run(200);
        const int next = static_cast<int>(s.f.Form().Displays().Spectrogram().ColumnWritten() % image.Width());
        QCOMPARE(image.Pixel(next, 3), s.f.Form().Displays().Spectrogram().Palette().Colours16()[4000]);
        QCOMPARE(s.f.Form().Displays().Spectrogram().Palette().Colours16()[4000], moravel::ToRgb16(0x0080FF));
    }

    void autoScrollStartsPastThePlotWidthAndPausesInZoomMode() {
        Shown s;
        QScrollBar* time = s.f.Find<QScrollBar>("ScrollSpectrogram");
        s.RunPainted(2000);
        const int width = s.SpectrogramChart()->PlotRect().width();
        QCOMPARE(time->value(), 0);
        const double secondsToFill = width / s.f.Form().Engine().BinWidth;
        s.RunPainted(static_cast<int>(secondsToFill * 1000) - 4000);
        QCOMPARE(time->value(), 0);  // not yet past the plot's width
        s.RunPainted(8000);
        QVERIFY(time->value() > 0);
        // The newest column sits at the right edge of the plot.
        QVERIFY(std::abs(s.FirstColumnShown() + width - s.f.Form().Displays().Spectrogram().ColumnWritten()) <= 8);
        s.f.Click("sb_zoom_spectrogram");
        const int paused = time->value();
        s.RunPainted(3000);
        QCOMPARE(time->value(), paused);
        s.f.Click("sb_zoom_spectrogram");
        s.RunPainted(1000);
        QVERIFY(time->value() > paused);
        // "Spectrogram On" up: no column is written and the picture stays
        // where the user scrolls it, "Auto Scroll" down or not.
        s.f.Click("sb_spectrogram_on");
        const std::int64_t stopped = s.f.Form().Displays().Spectrogram().ColumnWritten();
        time->setValue(0);
        s.RunPainted(1000);
        QCOMPARE(time->value(), 0);
        QCOMPARE(s.f.Form().Displays().Spectrogram().ColumnWritten(), stopped);
        // Down again: columns follow on and the newest is brought back in view.
        s.f.Click("sb_spectrogram_on");
        s.RunPainted(1000);
        QVERIFY(s.f.Form().Displays().Spectrogram().ColumnWritten() > stopped);
        QVERIFY(std::abs(s.FirstColumnShown() + width - s.f.Form().Displays().Spectrogram().ColumnWritten()) <= 8);
    }

    void spectrogramKeepsRunningPastItsHistoryWidth() {
        Shown s({}, {}, 1000);
        const int ring = s.f.Form().Displays().Spectrogram().Image().Width();
        QCOMPARE(ring, 1000);
        s.RunPainted(static_cast<int>((ring + 100) / 7.7 * 1000));
        QVERIFY(s.f.Form().Displays().Spectrogram().ColumnWritten() > ring);
        QScrollBar* time = s.f.Find<QScrollBar>("ScrollSpectrogram");
        QCOMPARE(time->maximum(), static_cast<int>(std::nearbyint(s.f.Form().Displays().Spectrogram().ColumnWritten() /
                                                                  s.f.Form().Engine().BinWidth)));
        const int width = s.SpectrogramChart()->PlotRect().width();
        QVERIFY2(std::abs(s.FirstColumnShown() + width - s.f.Form().Displays().Spectrogram().ColumnWritten()) <= 8,
                 qPrintable(QString("first %1 width %2 written %3 pos %4 max %5 min %6").arg(s.FirstColumnShown()).arg(width).arg(s.f.Form().Displays().Spectrogram().ColumnWritten()).arg(time->value()).arg(time->maximum()).arg(time->minimum())));
        // What the plot shows is the image: the newest column at the right edge.
        const QImage shown = s.SpectrogramChart()->toPixmap().toImage();
        const std::int64_t newest = s.f.Form().Displays().Spectrogram().ColumnWritten();
        const QRect plot = s.SpectrogramChart()->PlotRect();
        // The newest column lands within a few pixels of the right edge (the
        // scroll position is in whole seconds); two pixels inside the edge
        // is a recent column either way.
        const int xNewest = plot.left() + static_cast<int>(newest - s.FirstColumnShown());
        const int x = std::min(xNewest, plot.right()) - 2;
        QVERIFY(shown.rect().contains(x, plot.bottom()));
        int lit = 0;
        for (int y = plot.top(); y < plot.bottom(); ++y) lit += shown.pixelColor(x, y) != QColor(Qt::black);
        QVERIFY2(lit > 10, qPrintable(QString::number(lit)));
    }

    void zoomBelowTheBottomEdgeShowsFromZeroAndClearEndsIt() {
        Shown s;
        moravel::Chart* chart = s.RunAndReplotSpectrogram(2000);
        s.f.Click("sb_zoom_spectrogram");
        QVERIFY(chart->ZoomAllowed());
        const QRect plot = chart->PlotRect();
        const QPoint from(plot.left() + 20, plot.top() + 20);
        const QPoint to(plot.left() + 120, plot.bottom() + 30);  // below the plot
        QTest::mousePress(chart, Qt::LeftButton, Qt::NoModifier, from);
        QTest::mouseMove(chart, to);
        QTest::mouseRelease(chart, Qt::LeftButton, Qt::NoModifier, to);
        QVERIFY(chart->IsZoomed());
        QCOMPARE(chart->ZoomRect().bottom(), plot.bottom());
        QCOMPARE(chart->yAxis->range().lower, 0.0);
        chart->replot();
        QVERIFY(!chart->ZoomAllowed());  // one zoom level only
        s.f.Click("SpectrogramClear");
        QVERIFY(!chart->IsZoomed());
        QVERIFY(!s.f.Find<QToolButton>("sb_zoom_spectrogram")->isChecked());
        QCOMPARE(s.f.Find<QScrollBar>("ScrollSpectrogram")->value(), 0);
        QCOMPARE(chart->yAxis->range().lower, 0.0);
        QCOMPARE(s.f.Form().Displays().Spectrogram().ColumnWritten(), 0);
        QVERIFY(chart->xAxis->label().startsWith(QStringLiteral("Time from ")));
    }

    void panningIsVetoedBelowZeroAndMovesTheScrollBars() {
        Shown s;
        moravel::Chart* chart = s.RunAndReplotSpectrogram(1000);
        const QRect plot = chart->PlotRect();
        const QPoint middle = plot.center();
        // Dragging right would show time before 0: refused.
        QTest::mousePress(chart, Qt::LeftButton, Qt::NoModifier, middle);
        QTest::mouseMove(chart, middle + QPoint(100, 0));
        QTest::mouseRelease(chart, Qt::LeftButton, Qt::NoModifier, middle + QPoint(100, 0));
        QCOMPARE(chart->xAxis->range().lower, 0.0);
        // Dragging left moves the window on, and the scroll bar follows.
        QTest::mousePress(chart, Qt::LeftButton, Qt::NoModifier, middle);
        QTest::mouseMove(chart, middle - QPoint(100, 0));
        QTest::mouseRelease(chart, Qt::LeftButton, Qt::NoModifier, middle - QPoint(100, 0));
        QVERIFY(chart->xAxis->range().lower > 5);
        QCOMPARE(s.f.Find<QScrollBar>("ScrollSpectrogram")->value(),
                 static_cast<int>(std::nearbyint(chart->xAxis->range().lower)));
    }

    void timeLabelsAndCursorReadout() {
        Shown s;
        s.f.Run(1000);
        Settle();
        auto* ticker = s.f.Form().Panels().Spectrogram().timeTicker;
        QCOMPARE(ticker->Label(75), QStringLiteral("01:15"));
        QCOMPARE(ticker->Label(0), QStringLiteral("00:00"));
        QCOMPARE(QString::fromStdString(moravel::MinutesSeconds(3675)), QStringLiteral("01:15"));
        moravel::Chart* chart = s.SpectrogramChart();
        chart->replot();
        const QRect plot = chart->PlotRect();
        const QPoint at(plot.center());
        QMouseEvent move(QEvent::MouseMove, QPointF(at), chart->mapToGlobal(QPointF(at)), Qt::NoButton, Qt::NoButton,
                         Qt::NoModifier);
        QCoreApplication::sendEvent(chart, &move);
        const auto t = static_cast<std::int64_t>(std::nearbyint(chart->xAxis->pixelToCoord(at.x())));
        QVERIFY(s.f.Find<QLabel>("Label40")->text().startsWith(
            QStringLiteral("(%1, ").arg(QString::fromStdString(moravel::MinutesSeconds(t)))));
    }

    // The Debug page's two curves share the spectrogram's chart: one at a
    // time, each with the left axis fixed to the range of what it draws.
    void debugCurvesTakeTurnsOnTheSpectrogramChart() {
        Shown s;
        auto* spectral = s.f.Find<QToolButton>("sb_plot_spectral");
        auto* signal = s.f.Find<QToolButton>("sb_plot_signal");
        s.f.Click("sb_plot_spectral");
        QCOMPARE(s.SpectrogramChart()->yAxis->range(), QCPRange(-400000, 400000));
        s.f.Click("sb_plot_signal");
        QVERIFY(signal->isChecked() && !spectral->isChecked());
        QCOMPARE(s.SpectrogramChart()->yAxis->range(), QCPRange(-12000, 12000));
        s.f.Click("sb_plot_spectral");
        QVERIFY(spectral->isChecked() && !signal->isChecked());
        QCOMPARE(s.SpectrogramChart()->yAxis->range(), QCPRange(-400000, 400000));
        s.f.Run(300);
        QVERIFY(!s.f.Form().Panels().Spectrogram().debugCurve->data()->isEmpty());
    }

    void doubleClickCentresTheSpectrumWindow() {
        Shown s("SpectrumResolution=0\n");  // "Low": a 2000 Hz window at 2 KHz
        moravel::Chart* chart = s.RunAndReplotSpectrogram(1000);
        const QRect plot = chart->PlotRect();
        // The top of the plot is far above the 2000 Hz scroll maximum.
        const QPoint top(plot.center().x(), plot.top() + 2);
        QTest::mouseDClick(chart, Qt::LeftButton, Qt::NoModifier, top);
        QScrollBar* frequency = s.f.Find<QScrollBar>("ScrollSpectrum");
        QCOMPARE(frequency->value(), moravel::CentredScrollPosition(chart->yAxis->pixelToCoord(top.y()), 2000, 2000));
        QCOMPARE(frequency->value(), 1000);
        QCOMPARE(moravel::CentredScrollPosition(700, 1000, 2000), 200);
    }

    // An exception in a chart hook (here the spectrogram's paint, whose image
    // copy is timed by a stopwatch whose clock fails) is shown through the
    // window's message display, and the next paint draws again.
    void anExceptionInTheSpectrogramPaintIsShownAndPaintingGoesOn() {
        moravel::testing::TempFolder folder;
        const std::string path = folder.File("moravel.ini");
        moravel::testing::WriteText(path, settings());
        moravel::VirtualCardOptions cardOptions;
        cardOptions.clock = moravel::ClockMode::Stepping;
        moravel::VirtualCard card(cardOptions);
        bool clockFails = false;
        QStringList messages;
        moravel::MainFormOptions options;
        options.backend = &card;
        options.settingsFile = path;
        options.showMessage = [&](const QString& caption, const QString& text) { messages << caption + ": " + text; };
        options.stopwatchCounter = [&] {
            if (clockFails) throw std::runtime_error("the stopwatch's clock stopped");
            return static_cast<std::int64_t>(card.Now().count());
        };
        options.cpuStatFile = folder.File("stat");
        moravel::MainForm form(options);
        form.show();
        Settle();
        form.FormActivate();
        for (int i = 0; i < 10; ++i) {
            card.RunFor(std::chrono::milliseconds(100));
            form.Devices().DisplayTick();
        }
        moravel::Chart* chart = form.Panels().Spectrogram().chart;
        chart->replot();
        QVERIFY(!form.State().LayoutChanged);
        auto* copyTime = form.findChild<QLabel*>("Label53");
        copyTime->clear();
        clockFails = true;
        chart->replot();
        QCOMPARE(messages, QStringList{QStringLiteral("Moravel: the stopwatch's clock stopped")});
        clockFails = false;
        chart->replot();
        QVERIFY(!copyTime->text().isEmpty());
        QCOMPARE(messages.size(), 1);
    }

    // The guard itself: a veto that throws refuses, and a handler without
    // parameters runs on a signal with one, its exception reported.
    void guardedHandlersReportAndRefuseOnError() {
        QStringList reports;
        const moravel::ErrorReport report = [&](const std::exception& e) { reports << QString::fromUtf8(e.what()); };
        auto veto = moravel::Guarded(report, [](QCPAxis*, double) -> bool { throw std::runtime_error("veto failed"); });
        QCOMPARE(veto(nullptr, 5.0), false);
        QSlider slider;
        QObject receiver;
        int runs = 0;
        moravel::GuardedConnect(&slider, &QSlider::valueChanged, &receiver, report, [&] {
            ++runs;
            throw std::runtime_error("handler failed");
        });
        slider.setValue(3);
        QCOMPARE(runs, 1);
        QCOMPARE(reports, (QStringList{QStringLiteral("veto failed"), QStringLiteral("handler failed")}));
    }
};

QTEST_MAIN(DisplayTest)
#include "test_window_display.moc"
