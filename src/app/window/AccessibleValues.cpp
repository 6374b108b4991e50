#include "app/window/AccessibleValues.h"

#include "views/DbMeter.h"

#include <QAccessible>
#include <QAccessibleWidget>
#include <QLabel>
#include <QPointer>
#include <QSlider>

#include <cmath>

namespace moravel {

namespace {

// Dynamic properties SpeakSliderValue leaves on a track bar.
constexpr char kReadoutProperty[] = "moravelValueReadout";
constexpr char kUnitProperty[] = "moravelValueUnit";

bool Speaks(const QObject& slider) {
    return slider.property(kReadoutProperty).isValid() || slider.property(kUnitProperty).isValid();
}

// What every value interface shares: the value text in front of the hint.
QString WithValue(const QString& value, const QString& hint) {
    return hint.isEmpty() ? value : value + QStringLiteral("; ") + hint;
}

class SpokenSlider : public QAccessibleWidget, public QAccessibleValueInterface {
public:
    explicit SpokenSlider(QSlider* slider) : QAccessibleWidget(slider, QAccessible::Slider) {}

    void* interface_cast(QAccessible::InterfaceType type) override {
        if (type == QAccessible::ValueInterface) return static_cast<QAccessibleValueInterface*>(this);
        return QAccessibleWidget::interface_cast(type);
    }

    QString text(QAccessible::Text kind) const override {
        if (kind == QAccessible::Value) return SliderValueText(*slider());
        if (kind == QAccessible::Description && Speaks(*slider())) return WithValue(SliderValueText(*slider()), hint());
        return QAccessibleWidget::text(kind);
    }

    QVariant currentValue() const override { return slider()->value(); }
    void setCurrentValue(const QVariant& value) override { slider()->setValue(value.toInt()); }
    QVariant maximumValue() const override { return slider()->maximum(); }
    QVariant minimumValue() const override { return slider()->minimum(); }
    QVariant minimumStepSize() const override { return slider()->singleStep(); }

private:
    QSlider* slider() const { return static_cast<QSlider*>(widget()); }
    QString hint() const {
        return slider()->accessibleDescription().isEmpty() ? slider()->toolTip() : slider()->accessibleDescription();
    }
};

class SpokenMeter : public QAccessibleWidget, public QAccessibleValueInterface {
public:
    explicit SpokenMeter(DbMeter* meter) : QAccessibleWidget(meter, QAccessible::ProgressBar) {}

    void* interface_cast(QAccessible::InterfaceType type) override {
        if (type == QAccessible::ValueInterface) return static_cast<QAccessibleValueInterface*>(this);
        return QAccessibleWidget::interface_cast(type);
    }

    QString text(QAccessible::Text kind) const override {
        if (kind == QAccessible::Value) return MeterValueText(*meter());
        return QAccessibleWidget::text(kind);
    }

    QVariant currentValue() const override { return meter()->Position(); }
    void setCurrentValue(const QVariant&) override {}  // a read-out, not a control
    QVariant maximumValue() const override { return FullScale(*meter()); }
    QVariant minimumValue() const override { return 0; }
    QVariant minimumStepSize() const override { return 1; }

    static int FullScale(const DbMeter& meter) {
        return (meter.Greens() == 0 ? 0 : meter.GreenMax()) + (meter.Yellows() == 0 ? 0 : meter.YellowMax()) +
               meter.RedMax();
    }

private:
    DbMeter* meter() const { return static_cast<DbMeter*>(widget()); }
};

QAccessibleInterface* Factory(const QString&, QObject* object) {
    // Every TrackBar, whether it speaks yet or not: its interface is made
    // (and kept) at its first value change, before the window sets it up.
    if (auto* slider = qobject_cast<TrackBar*>(object)) return new SpokenSlider(slider);
    if (auto* meter = qobject_cast<DbMeter*>(object)) return new SpokenMeter(meter);
    return nullptr;
}

}  // namespace

void InstallAccessibleValues() {
    static const bool installed = [] {
        QAccessible::installFactory(&Factory);
        return true;
    }();
    (void)installed;
}

void SpeakSliderValue(QSlider* slider, QLabel* readout, const QString& unit) {
    if (readout != nullptr) {
        slider->setProperty(kReadoutProperty, QVariant::fromValue(static_cast<QObject*>(readout)));
    } else {
        slider->setProperty(kUnitProperty, unit);
    }
    QObject::connect(slider, &QSlider::valueChanged, slider, [slider] {
        QAccessibleEvent event(slider, QAccessible::DescriptionChanged);
        QAccessible::updateAccessibility(&event);
    });
}

QString SliderValueText(const QSlider& slider) {
    const QVariant readout = slider.property(kReadoutProperty);
    if (const auto* label = qobject_cast<const QLabel*>(readout.value<QObject*>())) return label->text();
    return QString::number(slider.value()) + slider.property(kUnitProperty).toString();
}

QString MeterValueText(const DbMeter& meter) {
    const int scale = SpokenMeter::FullScale(meter);
    if (scale == 0) return QString::number(meter.Position());
    const long percent = std::lround(100.0 * meter.Position() / scale);
    return QStringLiteral("%1 %").arg(percent);
}

}  // namespace moravel
