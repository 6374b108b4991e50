#include "app/window/ShiftPageControls.h"

#include "app/window/LocaleNumber.h"
#include "dsp/ShiftControl.h"
#include "app/window/pages/ShiftPage.h"

#include <QComboBox>
#include <QLabel>
#include <QSlider>
#include <QToolButton>

namespace moravel {

ShiftPageControls::ShiftPageControls(ShiftPage& page, const ProcessingPageContext& context)
    : page_(page), context_(context) {
    const auto on = context_.ConnectorFor(*this);
    on(page_.tbFreqShift, &QSlider::valueChanged, &ShiftPageControls::showShift);
    on(page_.ComboFreqShiftRange, &QComboBox::activated, &ShiftPageControls::showShift);
    on(page_.sbZeroFShift, &QToolButton::clicked, &ShiftPageControls::zeroClicked);
    on(page_.sb_shift_on, &QToolButton::clicked, &ShiftPageControls::switched);
}

void ShiftPageControls::showShift() {
    const int position = page_.tbFreqShift->value();
    const int range = page_.ComboFreqShiftRange->currentIndex();
    page_.lbl_freq_shift->setText(
        QString::fromStdString(ShiftLabel(position, range, ThousandsSeparator().toStdString())));
}

void ShiftPageControls::zeroClicked() {
    ProcessingPageContext::ResetTrackBars({{page_.tbFreqShift, &controls::kTbFreqShift}});
}

void ShiftPageControls::switched() { context_.HighlightTab(page_.sheet, page_.sb_shift_on->isChecked()); }

}  // namespace moravel
