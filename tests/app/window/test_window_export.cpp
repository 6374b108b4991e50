// Image export through the window's menus on the virtual card: the save
// handlers with a scripted save dialog (the display paused while it is open
// and put back without its click handler, the dialog's setup, extensions in
// either case, a name without extension, an unknown extension, cancel, a
// write error), the zoomed spectrogram, the dialog's name shared with the
// recorder, the clipboard and printing to a PDF file.
#include "MetafileReaders.h"
#include "app/window/WindowPanels.h"
#include "app/window/PlotDisplays.h"
#include "app/window/PlotPanes.h"
#include "views/Chart.h"
#include "WindowFixture.h"

#include <QAction>
#include <QClipboard>
#include <QGuiApplication>
#include <QImage>
#include <QMenu>
#include <QMimeData>
#include <QPrinterInfo>
#include <QRegularExpression>
#include <QSignalSpy>
#include <QTabBar>
#include <QTabWidget>
#include <QToolButton>
#include <QtTest>

#include <filesystem>
#include <functional>
#include <utility>

using namespace moravel::testing;

namespace {

const QString kImageFilter = QStringLiteral(
    "Bitmap (*.bmp);;Metafile (*.wmf);;Enhanced metafile (*.emf);;PNG image (*.png);;SVG drawing (*.svg);;"
    "All image files (*.bmp *.wmf *.emf *.png *.svg)");

void settle() {
    for (int i = 0; i < 5; ++i) QCoreApplication::processEvents();
}

// What the display looked like while the save dialog was open.
struct DuringDialog {
    bool spectrumOn = false;
    bool spectrogramOn = false;
    bool spectrumStill = false;     // the bars did not change over 500 ms of sampling
    bool spectrogramStill = false;  // no column was written over 500 ms
};

// A shown window, sampling, with both displays on, whose save dialog runs
// the card on while it is "open" and then answers from a script.
class ExportWindow {
public:
    ExportWindow()
        : f(std::string(kConfiguredMixer) +
                "[SETTINGS]\nWindowWidth=900\nWindowHeight=700\nSplitterTop=250\nSpectrumOn=1\nSpectrogram=1\n",
            {}, {}, 4096, [this](moravel::MainFormOptions& options) {
                options.chooseFile = [this](QWidget*, const moravel::FileDialogRequest& request) {
                    return answer(request);
                };
            }) {
        f.Form().show();
        settle();
        f.Start();
        RunPainted(1500);
    }

    void RunPainted(int ms) {
        for (int done = 0; done < ms; done += 100) {
            f.Run(100);
            SpectrumChart()->replot();
            SpectrogramChart()->replot();
        }
    }

    /// The next dialog returns `name` ("" as cancelled).
    void Answer(const QString& name) { answers_ << name; }
    /// Runs `action` while the next dialog is open.
    void WhileOpen(std::function<void()> action) { whileOpen_ = std::move(action); }
    void Trigger(const char* item) { f.Find<QAction>(item)->trigger(); }
    QToolButton* Button(const char* name) { return f.Find<QToolButton>(name); }
    moravel::Chart* SpectrumChart() { return f.Form().Panels().Spectrum().chart; }
    moravel::Chart* SpectrogramChart() { return f.Form().Panels().Spectrogram().chart; }
    bool Highlighted(const char* sheet) {
        auto* tabs = f.Find<QTabWidget>("Tab1");
        return tabs->tabBar()->tabTextColor(tabs->indexOf(f.Find<QWidget>(sheet))) == QColor(Qt::red);
    }

    const std::vector<moravel::FileDialogRequest>& Dialogs() const { return dialogs_; }
    const DuringDialog& During() const { return during_; }
    QString File(const char* name) const { return QString::fromStdString(folder.File(name)); }

    TempFolder folder;
    WindowFixture f;

private:
    QString answer(const moravel::FileDialogRequest& request) {
        dialogs_.push_back(request);
        during_.spectrumOn = Button("sb_Spectrum_on")->isChecked();
        during_.spectrogramOn = Button("sb_spectrogram_on")->isChecked();
        const auto bars = barValues();
        const std::int64_t column = f.Form().Displays().Spectrogram().ColumnWritten();
        RunPainted(500);
        during_.spectrumStill = barValues() == bars;
        during_.spectrogramStill = f.Form().Displays().Spectrogram().ColumnWritten() == column;
        if (whileOpen_) std::exchange(whileOpen_, {})();
        return answers_.isEmpty() ? QString() : answers_.takeFirst();
    }
    std::vector<double> barValues() {
        std::vector<double> values;
        for (const auto& bar : *f.Form().Panels().Spectrum().bars->data()) values.push_back(bar.value);
        return values;
    }

    QStringList answers_;
    std::function<void()> whileOpen_;
    std::vector<moravel::FileDialogRequest> dialogs_;
    DuringDialog during_;
};

bool isEmfData(const QByteArray& bytes) { return bytes.size() > 44 && bytes.mid(40, 4) == " EMF"; }

QByteArray head(const QString& file, int bytes) {
    QFile in(file);
    return in.open(QIODevice::ReadOnly) ? in.read(bytes) : QByteArray();
}

bool isBmp(const QString& file) { return head(file, 2) == "BM"; }
bool isPng(const QString& file) { return head(file, 4) == "\x89PNG"; }
bool isWmf(const QString& file) { return head(file, 4) == QByteArray("\xD7\xCD\xC6\x9A", 4); }
bool isEmf(const QString& file) { return head(file, 44).mid(40) == " EMF"; }

// A vector file read back by its independent reader (or parsed, for SVG).
moravel::test::SvgContents readVector(const QString& file) {
    QFile in(file);
    if (!in.open(QIODevice::ReadOnly)) return {};
    const QByteArray bytes = in.readAll();
    const QString suffix = '.' + QFileInfo(file).suffix().toLower();
    if (suffix == ".svg") return moravel::test::ParseSvg(bytes);
    return moravel::test::ParseSvg(
        moravel::test::ConvertWithReader(std::vector<std::uint8_t>(bytes.begin(), bytes.end()), suffix));
}

}  // namespace

class ExportWindowTest : public QObject {
    Q_OBJECT

private slots:
    void theMenuItemsAreThereAndPrintIsHidden() {
        ExportWindow w;
        for (const char* item :
             {"SpectrumSaveToFile", "SpectrumCopyToClipboard", "SpectrogramSaveToFile", "SpectrogramCopyToClipboard"}) {
            QVERIFY2(w.f.Find<QAction>(item)->isEnabled(), item);
            QVERIFY2(w.f.Find<QAction>(item)->isVisible(), item);
        }
        QVERIFY(!w.f.Find<QAction>("SpectrogramPrintPreview")->isVisible());
    }

    void savingTheSpectrumPausesItAndPutsTheButtonBackWithoutItsHandler() {
        ExportWindow w;
        QSignalSpy clicked(w.Button("sb_Spectrum_on"), &QToolButton::clicked);
        w.Answer(w.File("spectrum.bmp"));
        w.Trigger("SpectrumSaveToFile");
        QVERIFY(w.During().spectrumStill);
        QVERIFY(!w.During().spectrumOn);
        QVERIFY(w.During().spectrogramOn);  // the other display runs on
        QVERIFY(w.Button("sb_Spectrum_on")->isChecked());
        QCOMPARE(clicked.count(), 0);
        QVERIFY(w.Highlighted("TabSpectrum"));
        QVERIFY(w.f.Messages().isEmpty());

        const moravel::FileDialogRequest& asked = w.Dialogs().back();
        QVERIFY(asked.kind == moravel::FileDialogRequest::Kind::Save);
        QCOMPARE(asked.title, QStringLiteral("Save spectrum to file"));
        QCOMPARE(asked.filter, kImageFilter);
        QCOMPARE(asked.defaultSuffix, QStringLiteral("bmp"));
        QCOMPARE(asked.filterIndex, 0);
        const QImage saved(w.File("spectrum.bmp"));
        QCOMPARE(saved.size(), w.SpectrumChart()->size());
    }

    void savingTheSpectrogramPausesItAndAReleasedButtonStaysReleased() {
        ExportWindow w;
        QSignalSpy clicked(w.Button("sb_spectrogram_on"), &QToolButton::clicked);
        w.Answer(w.File("spectrogram.png"));
        w.Trigger("SpectrogramSaveToFile");
        QCOMPARE(w.Dialogs().back().title, QStringLiteral("Save spectrogram to file"));
        QVERIFY(w.During().spectrogramStill);
        QVERIFY(!w.During().spectrogramOn);
        QVERIFY(w.During().spectrumOn);
        QVERIFY(w.Button("sb_spectrogram_on")->isChecked());
        QCOMPARE(QImage(w.File("spectrogram.png")).size(), w.SpectrogramChart()->size());

        w.f.Click("sb_spectrogram_on");  // up by the user
        w.Answer(w.File("again.png"));
        w.Trigger("SpectrogramSaveToFile");
        QVERIFY(!w.Button("sb_spectrogram_on")->isChecked());
        QCOMPARE(clicked.count(), 1);  // the user's click only
    }

    // The window closed (by SIGTERM, say) while a save holds a display still
    // stores the display as the user had it, not as paused for the save.
    void closingDuringASaveStoresTheDisplaysAsChosen() {
        for (const char* item : {"SpectrumSaveToFile", "SpectrogramSaveToFile"}) {
            ExportWindow w;
            w.WhileOpen([&w] { w.f.Form().close(); });
            w.Trigger(item);
            const std::string settings = ReadText(w.f.SettingsPath());
            QVERIFY2(settings.find("\nSpectrumOn=1\n") != std::string::npos, item);
            QVERIFY2(settings.find("\nSpectrogram=1\n") != std::string::npos, item);
        }
    }

    void extensionsInEitherCaseAndANameWithoutOne() {
        ExportWindow w;
        const char* names[] = {"a.BMP", "b.bmp", "c.PNG", "d.png", "e.EMF", "f.emf", "g.Wmf", "plain"};
        for (const char* name : names) {
            w.Answer(w.File(name));
            w.Trigger("SpectrumSaveToFile");
        }
        QVERIFY(isBmp(w.File("a.BMP")));
        QVERIFY(isBmp(w.File("b.bmp")));
        QVERIFY(isPng(w.File("c.PNG")));
        QVERIFY(isPng(w.File("d.png")));
        QVERIFY(isEmf(w.File("e.EMF")));
        QVERIFY(isEmf(w.File("f.emf")));
        QVERIFY(isWmf(w.File("g.Wmf")));
        QVERIFY(isBmp(w.File("plain.bmp")));  // the dialog's default extension
        QVERIFY(!QFile::exists(w.File("plain")));
        QVERIFY(w.f.Messages().isEmpty());
    }

    // The running spectrogram in every format, each opened by a program of
    // its own: the bitmaps at the chart's size, the vector files with the
    // title, both axis titles and the spectrogram's image.
    void theSpectrogramInEveryFormatOpensInAnIndependentReader() {
        ExportWindow w;
        for (const char* name : {"s.bmp", "s.png", "s.wmf", "s.emf", "s.svg"}) {
            w.Answer(w.File(name));
            w.Trigger("SpectrogramSaveToFile");
        }
        QVERIFY(w.f.Messages().isEmpty());
        QCOMPARE(QImage(w.File("s.bmp")).size(), w.SpectrogramChart()->size());
        QCOMPARE(QImage(w.File("s.png")).size(), w.SpectrogramChart()->size());
        for (const char* name : {"s.wmf", "s.emf", "s.svg"}) {
            const moravel::test::SvgContents read = readVector(w.File(name));
            QVERIFY2(read.wellFormed, name);
            QVERIFY2(read.texts.contains(QStringLiteral("Spectrogram plot")), qPrintable(read.texts.join(" | ")));
            QVERIFY2(read.texts.contains(QStringLiteral("Frequency [Hz]")), name);
            QVERIFY2(read.texts.contains(w.SpectrogramChart()->xAxis->label()), name);
            QCOMPARE(read.images, 1);
        }
    }

    void anUnknownExtensionIsReportedAndWritesNothing() {
        ExportWindow w;
        w.Answer(w.File("chart.jpg"));
        w.Trigger("SpectrogramSaveToFile");
        QCOMPARE(w.f.Messages(),
                 QStringList{"Moravel: \"chart.jpg\" was not saved: images are saved as .bmp, .wmf, .emf, .png or .svg "
                             "files."});
        QCOMPARE(w.folder.EntryCount(), std::size_t{0});
        QVERIFY(w.Button("sb_spectrogram_on")->isChecked());
    }

    void aCancelledDialogWritesNothingAndKeepsTheLastName() {
        ExportWindow w;
        w.Answer(w.File("first.png"));
        w.Trigger("SpectrumSaveToFile");
        QFile::remove(w.File("first.png"));
        w.Answer(QString());
        w.Trigger("SpectrumSaveToFile");
        QCOMPARE(w.folder.EntryCount(), std::size_t{0});
        QVERIFY(w.f.Messages().isEmpty());
        QVERIFY(w.Button("sb_Spectrum_on")->isChecked());
        w.Trigger("SpectrogramSaveToFile");  // cancelled too
        QCOMPARE(w.Dialogs().back().fileName, w.File("first.png"));
    }

    // The display goes on after a failed save too: a stopped display behind a
    // tab still marked as running would tell the user the wrong thing.
    void aWriteErrorShowsItsMessageAndTheDisplayGoesOn() {
        ExportWindow w;
        const QString name = w.File("missing/chart.bmp");
        w.Answer(name);
        w.Trigger("SpectrumSaveToFile");
        QCOMPARE(w.f.Messages(), QStringList{"Moravel: Cannot save \"" + name + "\": No such file or directory."});
        QVERIFY(w.Button("sb_Spectrum_on")->isChecked());
        QVERIFY(w.Highlighted("TabSpectrum"));
    }

    void theSavedSpectrogramIsTheZoomedViewWhenZoomed() {
        ExportWindow w;
        moravel::Chart* chart = w.SpectrogramChart();
        w.f.Click("sb_spectrogram_on");  // still, so both files show the same history
        w.Answer(w.File("whole.png"));
        w.Trigger("SpectrogramSaveToFile");
        w.f.Click("sb_zoom_spectrogram");
        const QRect plot = chart->PlotRect();
        const QPoint from(plot.left() + 10, plot.top() + plot.height() / 2);
        const QPoint to(plot.left() + 60, plot.bottom() - 5);
        QTest::mousePress(chart, Qt::LeftButton, Qt::NoModifier, from);
        QTest::mouseMove(chart, to);
        QTest::mouseRelease(chart, Qt::LeftButton, Qt::NoModifier, to);
        QVERIFY(chart->IsZoomed());
        chart->replot();
        w.Answer(w.File("zoomed.png"));
        w.Trigger("SpectrogramSaveToFile");

        const QImage whole = QImage(w.File("whole.png")).convertToFormat(QImage::Format_RGB32);
        const QImage zoomed = QImage(w.File("zoomed.png")).convertToFormat(QImage::Format_RGB32);
        QCOMPARE(zoomed.size(), whole.size());
        QVERIFY(zoomed.copy(plot) != whole.copy(plot));
        // Inside the plot the file holds what the screen shows (the tick
        // labels are drawn from the screen's cached pixmaps, so their edges
        // may differ by a shade).
        const QImage screen = chart->grab().toImage().convertToFormat(QImage::Format_RGB32);
        QCOMPARE(zoomed.copy(plot), screen.copy(plot));
    }

    void theDialogKeepsTheLastNameForTheRecorderAndTheExportAlike() {
        ExportWindow w;
        w.Answer(w.File("take.wav"));
        w.f.Click("sb_browse_wave_recordfile");
        w.Trigger("SpectrumSaveToFile");  // cancelled
        QCOMPARE(w.Dialogs().back().fileName, w.File("take.wav"));
        w.Answer(w.File("chart.png"));
        w.Trigger("SpectrogramSaveToFile");
        w.f.Click("sb_browse_wave_recordfile");  // cancelled
        QCOMPARE(w.Dialogs().back().title, QStringLiteral("Save to wave file"));
        QCOMPARE(w.Dialogs().back().fileName, w.File("chart.png"));
    }

    void copyingPutsTheChartOnTheClipboardAndChangesNothingElse() {
        ExportWindow w;
        const struct {
            const char* item;
            moravel::Chart* chart;
        } copies[] = {{"SpectrumCopyToClipboard", w.SpectrumChart()}, {"SpectrogramCopyToClipboard", w.SpectrogramChart()}};
        for (const auto& copy : copies) {
            QGuiApplication::clipboard()->clear();
            w.Trigger(copy.item);
            const QMimeData* data = QGuiApplication::clipboard()->mimeData();
            QVERIFY(data->hasImage());
            QVERIFY(data->hasFormat(QStringLiteral("image/png")));
            QVERIFY(isEmfData(data->data(QStringLiteral("image/x-emf"))));
            const QImage png = QImage::fromData(data->data(QStringLiteral("image/png")), "PNG");
            QCOMPARE(png.size(), copy.chart->size());
        }
        QVERIFY(w.Dialogs().empty());
        QVERIFY(w.f.Messages().isEmpty());
        QVERIFY(w.Button("sb_Spectrum_on")->isChecked());
        QVERIFY(w.Button("sb_spectrogram_on")->isChecked());
    }

    void printingWithoutAPrinterWritesTheChosenPdf() {
        if (!QPrinterInfo::availablePrinterNames().isEmpty()) QSKIP("a printer is installed here");
        ExportWindow w;
        w.Answer(w.File("printout"));
        w.Trigger("SpectrogramPrintPreview");
        QCOMPARE(w.Dialogs().back().title, QStringLiteral("Print spectrogram to PDF file"));
        QFile pdf(w.File("printout.pdf"));
        QVERIFY(pdf.open(QIODevice::ReadOnly));
        const QString text = QString::fromLatin1(pdf.readAll());
        QVERIFY(text.startsWith(QStringLiteral("%PDF-")));
        QCOMPARE(text.count(QRegularExpression(QStringLiteral("/Type\\s*/Page(?![a-z])"))), 1);
        QVERIFY(w.Button("sb_spectrogram_on")->isChecked());
        QVERIFY(w.f.Messages().isEmpty());
    }

    // Each plot menu has a visible "Print..." that prints its own plot.
    void eachPlotMenuPrintsItsPlotToAPdf() {
        if (!QPrinterInfo::availablePrinterNames().isEmpty()) QSKIP("a printer is installed here");
        ExportWindow w;
        const struct {
            const char* item;
            const char* menu;
            const char* title;
        } prints[] = {{"SpectrumPrint", "Spectrum", "Print spectrum to PDF file"},
                      {"SpectrogramPrint", "Spectrogram", "Print spectrogram to PDF file"}};
        for (const auto& print : prints) {
            QAction* item = w.f.Find<QAction>(print.item);
            QVERIFY2(item->isVisible() && item->isEnabled(), print.item);
            QCOMPARE(item->text(), QStringLiteral("Print..."));
            QCOMPARE(qobject_cast<QMenu*>(item->parent())->title(), QString::fromLatin1(print.menu));
            const QString file = w.File(print.item) + QStringLiteral(".pdf");
            w.Answer(file);
            item->trigger();
            QCOMPARE(w.Dialogs().back().title, QString::fromLatin1(print.title));
            QFile pdf(file);
            QVERIFY2(pdf.open(QIODevice::ReadOnly), print.item);
            QVERIFY(pdf.readAll().startsWith("%PDF-"));
        }
        QVERIFY(!w.f.Find<QAction>("SpectrogramPrintPreview")->isVisible());
        QVERIFY(w.Button("sb_Spectrum_on")->isChecked());
        QVERIFY(w.Button("sb_spectrogram_on")->isChecked());
        QVERIFY(w.f.Messages().isEmpty());
    }
};

QTEST_MAIN(ExportWindowTest)
#include "test_window_export.moc"
