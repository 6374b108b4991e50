#include "app/window/FileDialog.h"

#include <QComboBox>
#include <QFileDialog>
#include <QFileInfo>
#include <QLabel>

#include <utility>

namespace moravel {

namespace {

// Qt's own file dialog (where the desktop offers none) leaves its "Look in"
// and "Files of type" lists without a label of theirs; a screen reader on
// Linux, which names a list by its labels, would hear only the folder or the
// filter shown. Their captions become their labels.
void LabelLists(QFileDialog& dialog) {
    for (const QString list : {QStringLiteral("lookIn"), QStringLiteral("fileType")}) {
        auto* caption = dialog.findChild<QLabel*>(list + QStringLiteral("Label"));
        auto* combo = dialog.findChild<QComboBox*>(list + QStringLiteral("Combo"));
        if (caption != nullptr && combo != nullptr) caption->setBuddy(combo);
    }
}

}  // namespace

QString ChooseFileWithDialog(QWidget* parent, const FileDialogRequest& request) {
    QFileDialog dialog(parent, request.title, QString(), request.filter);
    LabelLists(dialog);
    const bool save = request.kind == FileDialogRequest::Kind::Save;
    const bool folder = request.kind == FileDialogRequest::Kind::Folder;
    dialog.setAcceptMode(save ? QFileDialog::AcceptSave : QFileDialog::AcceptOpen);
    dialog.setFileMode(save ? QFileDialog::AnyFile : folder ? QFileDialog::Directory : QFileDialog::ExistingFile);
    dialog.setOption(QFileDialog::ShowDirsOnly, folder);
    dialog.setSizeGripEnabled(true);
    dialog.setDefaultSuffix(request.defaultSuffix);
    const QStringList filters = dialog.nameFilters();
    if (request.filterIndex > 0 && request.filterIndex < filters.size()) {
        dialog.selectNameFilter(filters[request.filterIndex]);
    }
    if (!request.fileName.isEmpty()) dialog.selectFile(request.fileName);
    if (dialog.exec() != QDialog::Accepted) return {};
    return dialog.selectedFiles().value(0);
}

FileDialog::FileDialog(FileDialogRequest::Kind kind, FileChooser chooser, QWidget* parent)
    : kind_(kind), chooser_(chooser ? std::move(chooser) : FileChooser(ChooseFileWithDialog)), parent_(parent) {}

QString FileDialog::Execute(const QString& title, const QString& filter, const QString& startName) {
    FileDialogRequest setup;
    setup.title = title;
    setup.filter = filter;
    setup.fileName = startName;
    return Execute(std::move(setup));
}

// The dialog is shared (the recorder and image export use the same one), so
// the last name it gave wins over the caller's own idea of where to start.
QString FileDialog::Execute(FileDialogRequest setup) {
    setup.kind = kind_;
    if (!fileName_.isEmpty()) setup.fileName = fileName_;
    QString chosen = chooser_(parent_, setup);
    if (chosen.isEmpty()) return chosen;
    if (!setup.defaultSuffix.isEmpty() && QFileInfo(chosen).suffix().isEmpty()) chosen += '.' + setup.defaultSuffix;
    fileName_ = chosen;
    return chosen;
}

}  // namespace moravel
