#include "app/window/AccessiblePlotText.h"

#include "common/FilterPresets.h"

#include <QStringList>
#include <QWidget>

namespace moravel {

QString FilterBandText(bool on, int type, int center, int halfWidth) {
    const QString state = on ? QStringLiteral("Filter on, ") : QStringLiteral("Filter off, ");
    switch (type) {
        case kLowPass:
            return state + QStringLiteral("Low pass below %1 Hz").arg(center);
        case kHighPass:
            return state + QStringLiteral("High pass above %1 Hz").arg(center);
        case kStopBand:
            return state + QStringLiteral("Stop band %1 Hz to %2 Hz").arg(center - halfWidth).arg(center + halfWidth);
        default:
            return state + QStringLiteral("Band pass %1 Hz to %2 Hz").arg(center - halfWidth).arg(center + halfWidth);
    }
}

QString SpectrumPlotText(const QString& peak, const QString& band, const QString& cursor) {
    QStringList parts;
    if (!peak.isEmpty()) parts << QStringLiteral("Peak ") + peak;
    if (!band.isEmpty()) parts << band;
    if (!cursor.isEmpty()) parts << QStringLiteral("Cursor ") + cursor;
    return parts.join(QStringLiteral(". "));
}

void SetDescriptionIfChanged(QWidget* widget, const QString& text) {
    if (widget->accessibleDescription() != text) widget->setAccessibleDescription(text);
}

}  // namespace moravel
