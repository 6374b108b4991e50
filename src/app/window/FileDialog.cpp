#include "FileDialog.h"

#include <QFileDialog>

#include <utility>

namespace moravel {

QString ChooseFileWithDialog(QWidget* parent, const FileDialogRequest& request) {
    QFileDialog dialog(parent, request.title, QString(), request.filter);
    const bool save = request.kind == FileDialogRequest::Kind::Save;
    dialog.setAcceptMode(save ? QFileDialog::AcceptSave : QFileDialog::AcceptOpen);
    dialog.setFileMode(save ? QFileDialog::AnyFile : QFileDialog::ExistingFile);
    dialog.setSizeGripEnabled(true);
    if (!request.fileName.isEmpty()) dialog.selectFile(request.fileName);
    if (dialog.exec() != QDialog::Accepted) return {};
    return dialog.selectedFiles().value(0);
}

FileDialog::FileDialog(FileDialogRequest::Kind kind, FileChooser chooser, QWidget* parent)
    : kind_(kind), chooser_(chooser ? std::move(chooser) : FileChooser(ChooseFileWithDialog)), parent_(parent) {}

QString FileDialog::Execute(const QString& title, const QString& filter, const QString& startName) {
    const QString chosen =
        chooser_(parent_, FileDialogRequest{kind_, title, filter, startName.isEmpty() ? fileName_ : startName});
    if (!chosen.isEmpty()) fileName_ = chosen;
    return chosen;
}

}  // namespace moravel
