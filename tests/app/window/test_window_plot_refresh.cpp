// The display refresh draws only what changed: the spectrogram's newest
// column as a one-pixel strip, the spectrum's plot area without the axes'
// layout pass. What reaches the screen that way must be pixel for pixel what
// a full replot of the same state shows, through wrap-around of the
// spectrogram's history, a resize, a palette change, a scrolled-back window
// and a zoom; the real window runs on the virtual card with its event loop
// painting between ticks, as in the program.
#include "app/window/PlotDisplays.h"
#include "app/window/WindowPanels.h"
#include "app/window/PlotPanes.h"
#include "views/Chart.h"
#include "ShownWindow.h"

#include <QScrollBar>
#include <QSlider>
#include <QToolButton>
#include <QtTest>

using moravel::testing::Settle;

namespace {

std::string settings(int width) {
    std::string text = moravel::testing::kConfiguredMixer;
    text += "[SETTINGS]\nWindowWidth=";
    text += std::to_string(width);
    text += "\nWindowHeight=600\nSplitterTop=220\nAudioRange=3\n";
    return text;
}

QImage onScreen(moravel::Chart* chart) { return chart->grab().toImage().convertToFormat(QImage::Format_RGB32); }

// The picture a full replot of the chart's present state gives.
QImage fullyReplotted(moravel::Chart* chart) {
    chart->replot(QCustomPlot::rpImmediateRefresh);
    return onScreen(chart);
}

// What the chart shows now is what a full replot would show.
void expectFullPicture(moravel::Chart* chart) {
    const QImage shown = onScreen(chart);
    QCOMPARE(shown, fullyReplotted(chart));
}

struct Window : moravel::testing::ShownWindow {
    explicit Window(int width = 700, int columns = 4096) : ShownWindow(settings(width), {}, columns) {}
    /// `ms` of card time, the event loop running after each display tick.
    void Run(int ms) {
        for (int done = 0; done < ms; done += 100) {
            f.Run(100);
            Settle();
        }
    }
};

}  // namespace

class PlotRefreshTest : public QObject {
    Q_OBJECT

private slots:
    void spectrogramColumnsAreStripsOfTheFullPicture() {
        Window w;
        w.Run(4000);
        const int strips = w.SpectrogramChart()->RegionReplots();
        QVERIFY2(strips > 15, qPrintable(QString::number(strips)));
        expectFullPicture(w.SpectrogramChart());
        // Another palette colours the new columns only.
        w.f.Choose("ComboPalettePresets", 1);
        w.Run(1500);
        QVERIFY(w.SpectrogramChart()->RegionReplots() > strips);
        expectFullPicture(w.SpectrogramChart());
    }

    // A ring just wider than the plot: past the wrap the column it drops is
    // left of the window, so the refresh stays a strip.
    void spectrogramStripsPastTheRingsWrap() {
        Window w(700, 700);
        const int width = w.SpectrogramChart()->PlotRect().width();
        QVERIFY2(width < 700 && width > 500, qPrintable(QString::number(width)));
        w.Run(static_cast<int>(760 / 7.7 * 1000));
        QVERIFY(w.f.Form().Displays().Spectrogram().ColumnWritten() > 700);
        const int strips = w.SpectrogramChart()->RegionReplots();
        w.Run(1000);
        QVERIFY(w.SpectrogramChart()->RegionReplots() > strips);
        expectFullPicture(w.SpectrogramChart());
    }

    void aResizedWindowIsStillTheFullPicture() {
        Window w;
        w.Run(2000);
        w.f.Form().resize(820, 640);
        Settle();
        w.Run(2500);
        expectFullPicture(w.SpectrogramChart());
        expectFullPicture(w.SpectrumChart());
    }

    // Auto scroll off and the window moved back to the start once the
    // columns have passed its width: the new columns land right of it and
    // nothing is drawn for them.
    void columnsOutsideTheWindowDrawNothing() {
        Window w;
        w.Run(static_cast<int>((w.SpectrogramChart()->PlotRect().width() + 20) / 7.7 * 1000));
        w.f.Click("sb_spectrogram_autoscroll");
        w.f.Find<QScrollBar>("ScrollSpectrogram")->setValue(0);
        Settle();
        w.Run(300);
        const QImage before = onScreen(w.SpectrogramChart());
        const int strips = w.SpectrogramChart()->RegionReplots();
        w.Run(1500);
        QCOMPARE(w.SpectrogramChart()->RegionReplots(), strips);
        QCOMPARE(onScreen(w.SpectrogramChart()), before);
        QCOMPARE(before, fullyReplotted(w.SpectrogramChart()));
    }

    // Zoomed, an image column spans several screen columns: full replots.
    void aZoomedSpectrogramIsReplottedWhole() {
        Window w;
        w.Run(2000);
        w.f.Click("sb_zoom_spectrogram");
        const QRect plot = w.SpectrogramChart()->PlotRect();
        QVERIFY(w.SpectrogramChart()->ZoomTo(QRect(plot.left() + 10, plot.top() + 10, plot.width() / 2, plot.height() / 2)));
        Settle();
        const int strips = w.SpectrogramChart()->RegionReplots();
        w.Run(1000);
        QCOMPARE(w.SpectrogramChart()->RegionReplots(), strips);
        expectFullPicture(w.SpectrogramChart());
    }

    // Peak hold settles on the loudest bar; from then on the bars are drawn
    // over the plot area alone, the peak marker and the filter band with them.
    void spectrumBarsAreTheFullPicture() {
        Window w;
        w.Run(3000);
        w.f.Click("sb_filter_visible");
        w.f.Find<QSlider>("TrackFilterCenter")->setValue(1500);
        const int regions = w.SpectrumChart()->RegionReplots();
        w.Run(1500);
        QVERIFY2(w.SpectrumChart()->RegionReplots() > regions + 5, qPrintable(QString::number(w.SpectrumChart()->RegionReplots())));
        expectFullPicture(w.SpectrumChart());
    }
};

QTEST_MAIN(PlotRefreshTest)
#include "test_window_plot_refresh.moc"
