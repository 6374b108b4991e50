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
    on(page_.shiftSlider, &QSlider::valueChanged, &ShiftPageControls::showShift);
    on(page_.shiftRangeCombo, &QComboBox::activated, &ShiftPageControls::showShift);
    on(page_.shiftZeroButton, &QToolButton::clicked, &ShiftPageControls::zeroClicked);
    on(page_.shiftSwitch, &QToolButton::clicked, &ShiftPageControls::switchClicked);
}

void ShiftPageControls::showShift() {
    const int position = page_.shiftSlider->value();
    const int range = page_.shiftRangeCombo->currentIndex();
    page_.shiftLabel->setText(QString::fromStdString(ShiftLabel(position, range, ThousandsSeparator().toStdString())));
}

void ShiftPageControls::zeroClicked() {
    ProcessingPageContext::ResetTrackBars({{page_.shiftSlider, &controls::kTbFreqShift}});
}

void ShiftPageControls::switchClicked() { context_.HighlightTab(page_.sheet, page_.shiftSwitch->isChecked()); }

}  // namespace moravel
