#include "views/gradient/ColorChooser.h"

#include "views/BgrColor.h"

#include <QColorDialog>

namespace moravel {

std::optional<TColor> ChooseColorWithDialog(QWidget* parent, TColor initial) {
    const QColor chosen = QColorDialog::getColor(QColor(ToQRgb(initial)), parent);
    if (!chosen.isValid()) return std::nullopt;
    return ToBgr(chosen);
}

}  // namespace moravel
