#include "views/export/ImageFormat.h"

#include <QFileInfo>

#include <array>

namespace moravel {

namespace {

struct FormatEntry {
    ImageFormat format;
    const char* extension;  // without the dot, lower case
    const char* filterName;
};

// Dialog order: the bitmap first (it is the dialog's default extension).
constexpr std::array kFormats{
    FormatEntry{ImageFormat::Bmp, "bmp", "Bitmap"},
    FormatEntry{ImageFormat::Wmf, "wmf", "Metafile"},
    FormatEntry{ImageFormat::Emf, "emf", "Enhanced metafile"},
    FormatEntry{ImageFormat::Png, "png", "PNG image"},
    FormatEntry{ImageFormat::Svg, "svg", "SVG drawing"},
};

QString pattern(const FormatEntry& entry) { return QStringLiteral("*.") + QLatin1String(entry.extension); }

}  // namespace

std::optional<ImageFormat> ImageFormatOfFile(const QString& fileName) {
    const QString suffix = QFileInfo(fileName).suffix();
    for (const FormatEntry& entry : kFormats) {
        if (suffix.compare(QLatin1String(entry.extension), Qt::CaseInsensitive) == 0) return entry.format;
    }
    return std::nullopt;
}

QString ImageExtensionList() {
    QString list;
    for (std::size_t i = 0; i < kFormats.size(); ++i) {
        if (i > 0) list += i + 1 == kFormats.size() ? QStringLiteral(" or ") : QStringLiteral(", ");
        list += '.' + QLatin1String(kFormats[i].extension);
    }
    return list;
}

QStringList ImageFileFilters() {
    QStringList filters;
    QStringList all;
    for (const FormatEntry& entry : kFormats) {
        filters << QStringLiteral("%1 (%2)").arg(QLatin1String(entry.filterName), pattern(entry));
        all << pattern(entry);
    }
    filters << QStringLiteral("All image files (%1)").arg(all.join(' '));
    return filters;
}

}  // namespace moravel
