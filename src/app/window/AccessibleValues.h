// Values that speak: the accessible interfaces the window gives its track
// bars and level meters, installed as a factory in Qt's accessibility.
//
// A track bar set up with SpeakSliderValue reports its value as the page
// shows it ("1000 Hz" from its read-out, "40 %" from its unit) as its
// accessible value text; its description starts with that text, so that the
// Linux accessibility bus, which carries only numbers as values, also hears
// the unit (a description change is announced for the focused control).
// A level meter (DbMeter) is a progress bar whose value is its position and
// whose value text is the position in percent of the meter's full scale.
//
// GUI thread only.
#pragma once

#include <QSlider>
#include <QString>

class QLabel;

namespace moravel {

class DbMeter;

/// The pages' track bar: a QSlider of a class of its own, because Qt asks
/// its own factory first for a plain QSlider and would never reach ours.
class TrackBar : public QSlider {
    Q_OBJECT
public:
    explicit TrackBar(Qt::Orientation orientation) : QSlider(orientation) {}
};

/// Installs the factory (once per process; later calls do nothing). Must run
/// before the widgets' accessible interfaces are first asked for. Only
/// TrackBar track bars can speak their value.
void InstallAccessibleValues();

/// `slider` speaks its value as `readout`'s text when `readout` is given,
/// else as its position followed by `unit`. After each value change (and
/// after the handlers connected before this call) it announces the new
/// description.
void SpeakSliderValue(QSlider* slider, QLabel* readout, const QString& unit);

/// The value text of `slider`: as set up by SpeakSliderValue, else its
/// position.
QString SliderValueText(const QSlider& slider);

/// The value text of `meter`: its position in percent of its full scale (the
/// zones' maxima, a green or yellow zone without segments not counted, as
/// the meter draws it), rounded ("23 %"); the bare position when that is 0.
QString MeterValueText(const DbMeter& meter);

}  // namespace moravel
