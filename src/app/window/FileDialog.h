// The program's file dialogs: the shared save dialog (the recorder's
// Browse; image export uses it too) and the player's open dialog. Each keeps
// the last name chosen in it. The dialog itself is a FileChooser, so tests
// answer it without showing anything.
//
// Threads: GUI thread only.
#pragma once

#include <QString>

#include <functional>

class QWidget;

namespace moravel {

/// What a file dialog is asked to show.
struct FileDialogRequest {
    enum class Kind { Open, Save, Folder };  // Folder: picks an existing folder
    Kind kind = Kind::Open;
    QString title;  // the dialog's caption
    // One name filter, e.g. "Wave format (*.wav)", or several separated by
    // ";;" ("Bitmap (*.bmp);;PNG image (*.png)").
    QString filter;
    QString fileName;       // the name the dialog starts with; may be empty
    QString defaultSuffix;  // added to a name typed without extension ("bmp"); may be empty
    int filterIndex = 0;    // the filter selected at the start, 0 for the first
};

/// The name filter of the recorder's and the player's wave file dialogs.
inline const QString kWaveFileFilter = QStringLiteral("Wave format (*.wav)");

/// Shows a file dialog over `parent` and returns the name the user chose,
/// or an empty string when the dialog was cancelled.
using FileChooser = std::function<QString(QWidget* parent, const FileDialogRequest& request)>;

/// The system's file dialog: resizable; a save dialog asks before it picks an
/// existing file, an open dialog picks existing files only.
QString ChooseFileWithDialog(QWidget* parent, const FileDialogRequest& request);

/// One dialog of the program with the name it last gave.
class FileDialog {
public:
    /// `chooser` empty: ChooseFileWithDialog. `parent` must outlive the dialog.
    FileDialog(FileDialogRequest::Kind kind, FileChooser chooser, QWidget* parent);

    /// Shows the dialog with `title` and `filter`. It starts at the last name
    /// it gave, whoever asked for it, or at `startName` before it gave one.
    /// Returns the chosen name, or "" when cancelled (FileName() then stays
    /// as it was).
    QString Execute(const QString& title, const QString& filter, const QString& startName = {});
    /// The same with the whole setup: `setup.fileName` is the start name as
    /// above, `setup.kind` is ignored (the dialog's own kind counts). A name
    /// chosen without extension gets `setup.defaultSuffix`, also from a
    /// chooser that does not add it itself.
    QString Execute(FileDialogRequest setup);

    /// The last name chosen; "" until one was.
    const QString& FileName() const { return fileName_; }

private:
    FileDialogRequest::Kind kind_;
    FileChooser chooser_;
    QWidget* parent_;
    QString fileName_;
};

}  // namespace moravel
