#include "app/window/ExportController.h"

#include "views/export/AtomicFileWrite.h"
#include "views/export/ChartExporter.h"
#include "views/export/ChartPrinter.h"
#include "app/window/FileDialog.h"
#include "views/export/ImageFormat.h"
#include "views/Chart.h"

#include <QAbstractButton>
#include <QGuiApplication>

namespace moravel {

namespace {

// Holds a display still while a save runs: its "On" button is released and,
// when the save ends in any way, put back as it was. Setting the button does
// not run its click handler; the display simply goes on at the next refresh.
// (An error also puts it back: a failed save must not leave the display
// stopped behind a tab that is still marked as running.) The controller's
// `held` and `wasOn` say meanwhile which button is released and how the user
// had it, for the settings of a window closed while the dialog is open.
class PausedDisplay {
public:
    PausedDisplay(QAbstractButton& on, QAbstractButton*& held, bool& wasOn) : on_(on), held_(held), wasOn_(wasOn) {
        wasOn_ = on_.isChecked();
        held_ = &on_;
        on_.setChecked(false);
    }
    ~PausedDisplay() {
        held_ = nullptr;
        on_.setChecked(wasOn_);
    }
    PausedDisplay(const PausedDisplay&) = delete;
    PausedDisplay& operator=(const PausedDisplay&) = delete;

private:
    QAbstractButton& on_;
    QAbstractButton*& held_;
    bool& wasOn_;
};

// The printout's margins in percent of the page; the charts have none of
// their own, so the same on every side.
constexpr PrintMargins kPrintMargins{};

FileDialogRequest imageDialog(const QString& title) {
    FileDialogRequest setup;
    setup.title = title;
    setup.filter = ImageFileFilters().join(QStringLiteral(";;"));
    setup.defaultSuffix = QStringLiteral("bmp");
    setup.filterIndex = 0;
    return setup;
}

FileDialogRequest pdfDialog(const QString& title) {
    FileDialogRequest setup;
    setup.title = title;
    setup.filter = QStringLiteral("PDF document (*.pdf)");
    setup.defaultSuffix = QStringLiteral("pdf");
    return setup;
}

}  // namespace

ExportController::ExportController(const Parts& parts) : parts_(parts) {}

bool ExportController::DisplayChosenOn(const QAbstractButton& on) const {
    return &on == held_ ? heldWasOn_ : on.isChecked();
}

void ExportController::SaveSpectrum() {
    saveChart(parts_.spectrumChart, parts_.spectrumOn, QStringLiteral("Save spectrum to file"));
}

void ExportController::SaveSpectrogram() {
    saveChart(parts_.spectrogramChart, parts_.spectrogramOn, QStringLiteral("Save spectrogram to file"));
}

void ExportController::CopySpectrum() {
    ChartExporter(parts_.spectrumChart).CopyToClipboard(*QGuiApplication::clipboard());
}

void ExportController::CopySpectrogram() {
    ChartExporter(parts_.spectrogramChart).CopyToClipboard(*QGuiApplication::clipboard());
}

// A cancelled dialog gives no name and nothing is written.
void ExportController::saveChart(Chart& chart, QAbstractButton& displayOn, const QString& title) {
    const PausedDisplay paused(displayOn, held_, heldWasOn_);
    const QString fileName = parts_.saveDialog.Execute(imageDialog(title));
    if (fileName.isEmpty()) return;
    ChartExporter(chart).SaveToFile(fileName);
}

void ExportController::PrintSpectrum() {
    printChart(parts_.spectrumChart, parts_.spectrumOn, QStringLiteral("Print spectrum to PDF file"));
}

void ExportController::PrintSpectrogram() {
    printChart(parts_.spectrogramChart, parts_.spectrogramOn, QStringLiteral("Print spectrogram to PDF file"));
}

void ExportController::printChart(Chart& chart, QAbstractButton& displayOn, const QString& pdfTitle) {
    const PausedDisplay paused(displayOn, held_, heldWasOn_);
    if (PrinterInstalled()) {
        PrintChartOnDefaultPrinter(chart, kPrintMargins);
        return;
    }
    const QString fileName = parts_.saveDialog.Execute(pdfDialog(pdfTitle));
    if (fileName.isEmpty()) return;
    WriteFileAtomically(fileName, PrintChartToPdf(chart, kPrintMargins));
}

}  // namespace moravel
