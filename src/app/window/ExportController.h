// The image export behind the "Spectrum" and "Spectrogram" menus: saving a
// plot to an image file through the shared save dialog `save1`, copying it
// to the clipboard and printing it. The window's menu handlers forward
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
class TChart;

class ExportController {
public:
    /// What the export works on; everything must outlive the controller.
    struct Parts {
        TChart& spectrumChart;           // Chart1
        TChart& spectrogramChart;        // Chart2
        QAbstractButton& spectrumOn;     // sb_Spectrum_on
        QAbstractButton& spectrogramOn;  // sb_spectrogram_on
        FileDialog& save1;
    };

    explicit ExportController(const Parts& parts);

    /// `Savevisibleareatofile1Click`: the spectrum plot to a file.
    void SaveSpectrum();
    /// `Copyvisibleareatoclipboard1Click`: the spectrum plot to the clipboard.
    void CopySpectrum();
    /// `SavetoFile1Click`: the spectrogram to a file.
    void SaveSpectrogram();
    /// `CopytoClipboard1Click`: the spectrogram to the clipboard.
    void CopySpectrogram();
    /// The spectrum plot on the default printer or, with no printer
    /// installed, into a PDF file chosen through `save1`.
    void PrintSpectrum();
    /// `PrintPreview1Click`: the same for the spectrogram.
    void PrintSpectrogram();

    /// Whether the user has the display of `on` (Parts' spectrumOn or
    /// spectrogramOn) switched on: as the button shows, or, while a save or
    /// a print holds the display still, as it was before. The settings
    /// store this, also when the window closes with the dialog open.
    bool DisplayChosenOn(const QAbstractButton& on) const;

private:
    void saveChart(TChart& chart, QAbstractButton& displayOn, const QString& title);
    void printChart(TChart& chart, QAbstractButton& displayOn, const QString& pdfTitle);

    Parts parts_;
    QAbstractButton* held_ = nullptr;  // the "On" button released while a dialog is open
    bool heldWasOn_ = false;           // and how the user had it
};

}  // namespace moravel
