// The spectrum plot as text, for those who cannot see it: the peak read-out,
// the filter band and the cursor read-out in one sentence, kept as the plot's
// accessible description so that a screen reader can follow the strongest
// frequency. GUI thread only.
#pragma once

#include <QString>

class QWidget;

namespace moravel {

/// The filter band as the plot draws it: "Filter on, Band pass 750 Hz to
/// 1250 Hz", "Filter off, Low pass below 3000 Hz". `type` is a FilterKind,
/// `center` and `halfWidth` in Hz (the band is center +/- halfWidth).
QString FilterBandText(bool on, int type, int center, int halfWidth);

/// "Peak <peak>. <band>. Cursor <cursor>": the read-outs' texts as shown;
/// parts whose text is empty are left out.
QString SpectrumPlotText(const QString& peak, const QString& band, const QString& cursor);

/// Sets `widget`'s accessible description when it differs (each change is
/// announced, so an unchanged text is not set again).
void SetDescriptionIfChanged(QWidget* widget, const QString& text);

}  // namespace moravel
