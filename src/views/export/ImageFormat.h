// The image formats a chart is saved in, told apart by the file name's
// extension whatever its case, and the save dialog's filters for them.
// GUI-free.
#pragma once

#include <QString>
#include <QStringList>

#include <optional>

namespace moravel {

enum class ImageFormat { Bmp, Wmf, Emf, Png, Svg };

/// The format that the extension of `fileName` stands for (".bmp", ".BMP",
/// ".Png", ...), or none for any other extension or none at all.
std::optional<ImageFormat> ImageFormatOfFile(const QString& fileName);

/// The extensions for a message: ".bmp, .wmf, .emf, .png or .svg".
QString ImageExtensionList();

/// The save dialog's name filters: one per format, the first the bitmap,
/// then "All image files" with every extension.
QStringList ImageFileFilters();

}  // namespace moravel
