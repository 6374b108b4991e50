#include "AccessiblePlotKeys.h"

#include <QKeyEvent>
#include <QScrollBar>
#include <QSlider>
#include <QWidget>

#include <cmath>
#include <utility>

namespace moravel {

namespace {

// Moves `slider` by one of its own steps, as its arrow and page keys would.
void Step(QAbstractSlider* slider, QAbstractSlider::SliderAction action) {
    if (slider != nullptr && slider->isEnabled()) slider->triggerAction(action);
}

// Keys pass unhandled when a modifier other than the keypad's is held.
bool Plain(const QKeyEvent& key) { return (key.modifiers() & ~Qt::KeypadModifier) == Qt::NoModifier; }

// An event filter whose keys run `handle`; true from `handle` eats the key.
class KeyFilter : public QObject {
public:
    KeyFilter(QWidget* chart, std::function<bool(const QKeyEvent&)> handle)
        : QObject(chart), handle_(std::move(handle)) {
        chart->installEventFilter(this);
    }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() != QEvent::KeyPress) return QObject::eventFilter(watched, event);
        const auto& key = static_cast<const QKeyEvent&>(*event);
        return Plain(key) && handle_(key);
    }

private:
    std::function<bool(const QKeyEvent&)> handle_;
};

bool SpectrumKey(const SpectrumPlotKeyActions& actions, const QKeyEvent& key) {
    switch (key.key()) {
        case Qt::Key_Left:
            Step(actions.filterCenter, QAbstractSlider::SliderSingleStepSub);
            break;
        case Qt::Key_Right:
            Step(actions.filterCenter, QAbstractSlider::SliderSingleStepAdd);
            break;
        case Qt::Key_PageDown:
            Step(actions.filterCenter, QAbstractSlider::SliderPageStepSub);
            break;
        case Qt::Key_PageUp:
            Step(actions.filterCenter, QAbstractSlider::SliderPageStepAdd);
            break;
        case Qt::Key_Home: {
            const double peak = actions.peakFrequency ? actions.peakFrequency() : 0.0;
            if (peak <= 0 || actions.filterCenter == nullptr) return true;
            actions.filterCenter->setValue(static_cast<int>(std::lround(peak)));
            break;
        }
        case Qt::Key_Space:
            if (actions.toggleFilter) actions.toggleFilter();
            break;
        default:
            return false;
    }
    if (actions.changed) actions.changed();
    return true;
}

bool SpectrogramKey(QScrollBar* time, QScrollBar* frequency, const QKeyEvent& key) {
    switch (key.key()) {
        case Qt::Key_Left:
            Step(time, QAbstractSlider::SliderSingleStepSub);
            return true;
        case Qt::Key_Right:
            Step(time, QAbstractSlider::SliderSingleStepAdd);
            return true;
        case Qt::Key_Up:
            Step(frequency, QAbstractSlider::SliderSingleStepAdd);
            return true;
        case Qt::Key_Down:
            Step(frequency, QAbstractSlider::SliderSingleStepSub);
            return true;
        case Qt::Key_PageUp:
            Step(frequency, QAbstractSlider::SliderPageStepAdd);
            return true;
        case Qt::Key_PageDown:
            Step(frequency, QAbstractSlider::SliderPageStepSub);
            return true;
        default:
            return false;
    }
}

}  // namespace

void InstallSpectrumPlotKeys(QWidget* chart, SpectrumPlotKeyActions actions) {
    new KeyFilter(chart, [actions = std::move(actions)](const QKeyEvent& key) { return SpectrumKey(actions, key); });
}

void InstallSpectrogramPlotKeys(QWidget* chart, QScrollBar* time, QScrollBar* frequency) {
    new KeyFilter(chart, [time, frequency](const QKeyEvent& key) { return SpectrogramKey(time, frequency, key); });
}

}  // namespace moravel
