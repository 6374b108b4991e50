// The image export behind the "Spectrum" and "Spectrogram" menus: saving a
// plot to an image file through the shared save dialog, copying it
// to the clipboard and printing it. The menu items are connected straight
// here; the drawing and the files are ChartExporter's and
// ChartPrinter's. Errors are thrown (ExportError) for the window's handler
// guard to show.
//
// Threads: GUI thread only.
#pragma once

#include <QString>

class QAbstractButton;

namespace moravel {

class FileDialog;
class Chart;

class ExportController {
public:
    /// What the export works on; everything must outlive the controller.
    struct Parts {
        Chart& spectrumChart;
        Chart& spectrogramChart;
        QAbstractButton& spectrumOn;     // "Spectrum On"
        QAbstractButton& spectrogramOn;  // "Spectrogram On"
        FileDialog& saveDialog;
    };

    explicit ExportController(const Parts& parts);

    /// "Spectrum, Save visible area to file": the spectrum plot to a file.
    void SaveSpectrum();
    /// "Spectrum, Copy visible area to clipboard": the plot to the clipboard.
    void CopySpectrum();
    /// "Spectrogram, Save visible area to file": the spectrogram to a file.
    void SaveSpectrogram();
    /// "Spectrogram, Copy visible area to clipboard": the same for the spectrogram.
    void CopySpectrogram();
    /// The spectrum plot on the default printer or, with no printer
    /// installed, into a PDF file chosen through the save dialog.
    void PrintSpectrum();
    /// The same for the spectrogram ("Print..." and the hidden "Print preview").
    void PrintSpectrogram();

    /// Whether the user has the display of `on` (Parts' spectrumOn or
    /// spectrogramOn) switched on: as the button shows, or, while a save or
    /// a print holds the display still, as it was before. The settings
    /// store this, also when the window closes with the dialog open.
    bool DisplayChosenOn(const QAbstractButton& on) const;

private:
    void saveChart(Chart& chart, QAbstractButton& displayOn, const QString& title);
    void printChart(Chart& chart, QAbstractButton& displayOn, const QString& pdfTitle);

    Parts parts_;
    QAbstractButton* held_ = nullptr;  // the "On" button released while a dialog is open
    bool heldWasOn_ = false;           // and how the user had it
};

}  // namespace moravel
