#include "app/window/AccessiblePlotKeys.h"

#include "views/Chart.h"

#include <QKeyEvent>
#include <QScrollBar>
#include <QSlider>
#include <QWidget>

#include <algorithm>
#include <cmath>
#include <memory>
#include <utility>

namespace moravel {

namespace {

// Moves `slider` by one of its own steps, as its arrow and page keys would.
void Step(QAbstractSlider* slider, QAbstractSlider::SliderAction action) {
    if (slider != nullptr && slider->isEnabled()) slider->triggerAction(action);
}

// The modifiers held besides the keypad's.
Qt::KeyboardModifiers Held(const QKeyEvent& key) { return key.modifiers() & ~Qt::KeypadModifier; }

// Keys pass unhandled when a modifier other than the keypad's is held.
bool Plain(const QKeyEvent& key) { return Held(key) == Qt::NoModifier; }

// Pixels the spectrogram's keyboard cursor moves with Shift, and with
// Ctrl+Shift.
constexpr int kCursorStep = 1;
constexpr int kCursorFastStep = 10;

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
        return handle_(key);
    }

private:
    std::function<bool(const QKeyEvent&)> handle_;
};

bool SpectrumKey(const SpectrumPlotKeyActions& actions, const QKeyEvent& key) {
    if (!Plain(key)) return false;
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

// Plain arrows and page keys scroll; the vertical bar is inverted, so Up
// lowers its value to show higher frequencies.
bool SpectrogramScrollKey(const SpectrogramPlotKeyActions& actions, int key) {
    switch (key) {
        case Qt::Key_Left:
            Step(actions.time, QAbstractSlider::SliderSingleStepSub);
            return true;
        case Qt::Key_Right:
            Step(actions.time, QAbstractSlider::SliderSingleStepAdd);
            return true;
        case Qt::Key_Up:
            Step(actions.frequency, QAbstractSlider::SliderSingleStepSub);
            return true;
        case Qt::Key_Down:
            Step(actions.frequency, QAbstractSlider::SliderSingleStepAdd);
            return true;
        case Qt::Key_PageUp:
            Step(actions.frequency, QAbstractSlider::SliderPageStepSub);
            return true;
        case Qt::Key_PageDown:
            Step(actions.frequency, QAbstractSlider::SliderPageStepAdd);
            return true;
        default:
            return false;
    }
}

// The spectrogram's keys with the keyboard cursor they move and act at.
class SpectrogramKeys {
public:
    SpectrogramKeys(Chart* chart, SpectrogramPlotKeyActions actions) : chart_(chart), actions_(std::move(actions)) {}

    bool Handle(const QKeyEvent& key) {
        placeCursor();
        const bool handled = Held(key) == Qt::ShiftModifier || Held(key) == (Qt::ShiftModifier | Qt::ControlModifier)
                                 ? cursorKey(key)
                                 : commandKey(key);
        if (!handled) return false;
        if (actions_.cursorMoved) actions_.cursorMoved(cursor_);
        return true;
    }

private:
    // The cursor starts in the plot's middle and stays inside it.
    void placeCursor() {
        if (!chart_->StrictlyInsidePlot(cursor_)) cursor_ = MovedCursor(chart_->PlotRect(), cursor_, 0, 0);
    }

    bool cursorKey(const QKeyEvent& key) {
        const int step = Held(key).testFlag(Qt::ControlModifier) ? kCursorFastStep : kCursorStep;
        switch (key.key()) {
            case Qt::Key_Left:
                return moveCursor(-step, 0);
            case Qt::Key_Right:
                return moveCursor(step, 0);
            case Qt::Key_Up:
                return moveCursor(0, -step);
            case Qt::Key_Down:
                return moveCursor(0, step);
            case Qt::Key_Plus:  // + is a shifted key on many layouts
                return zoomIn();
            default:
                return false;
        }
    }

    bool moveCursor(int dx, int dy) {
        cursor_ = MovedCursor(chart_->PlotRect(), cursor_, dx, dy);
        return true;
    }

    bool commandKey(const QKeyEvent& key) {
        if (!Plain(key)) return false;
        switch (key.key()) {
            case Qt::Key_Return:
            case Qt::Key_Enter:
                if (actions_.activate) actions_.activate(cursor_);
                return true;
            case Qt::Key_Z:
            case Qt::Key_Plus:
                return zoomIn();
            case Qt::Key_Escape:
            case Qt::Key_Minus:
                if (actions_.zoomOut) actions_.zoomOut();
                return true;
            default:
                return SpectrogramScrollKey(actions_, key.key());
        }
    }

    bool zoomIn() {
        if (actions_.zoomIn) actions_.zoomIn(cursor_);
        return true;
    }

    Chart* chart_;
    SpectrogramPlotKeyActions actions_;
    QPoint cursor_{-1, -1};
};

}  // namespace

void InstallSpectrumPlotKeys(QWidget* chart, SpectrumPlotKeyActions actions) {
    new KeyFilter(chart, [actions = std::move(actions)](const QKeyEvent& key) { return SpectrumKey(actions, key); });
}

void InstallSpectrogramPlotKeys(Chart* chart, SpectrogramPlotKeyActions actions) {
    auto keys = std::make_shared<SpectrogramKeys>(chart, std::move(actions));
    new KeyFilter(chart, [keys](const QKeyEvent& key) { return keys->Handle(key); });
}

QRect KeyboardZoomRect(const QRect& plot, const QPoint& cursor) {
    const int width = std::max(plot.width() / 2, 1);
    const int height = std::max(plot.height() / 2, 1);
    const int left = std::clamp(cursor.x() - width / 2, plot.left(), plot.right() - width + 1);
    const int top = std::clamp(cursor.y() - height / 2, plot.top(), plot.bottom() - height + 1);
    return {left, top, width, height};
}

QPoint MovedCursor(const QRect& plot, const QPoint& cursor, int dx, int dy) {
    if (plot.width() < 3 || plot.height() < 3) return plot.center();
    if (!(cursor.x() > plot.left() && cursor.x() < plot.right() && cursor.y() > plot.top() &&
          cursor.y() < plot.bottom())) {
        return plot.center();
    }
    return {std::clamp(cursor.x() + dx, plot.left() + 1, plot.right() - 1),
            std::clamp(cursor.y() + dy, plot.top() + 1, plot.bottom() - 1)};
}

}  // namespace moravel
