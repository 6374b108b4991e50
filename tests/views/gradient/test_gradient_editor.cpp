// The gradient editor alone on the offscreen platform, driven through its
// controls by object name: sliders placed from the gradient, dragging within
// the allowed span, the colour dialog answered by the test, the curve
// choices, the sliders by keyboard, and the live update while the editor is
// shown.
#include "views/gradient/GradientEditorDialog.h"

#include <QApplication>
#include <QComboBox>
#include <QContextMenuEvent>
#include <QCoreApplication>
#include <QGroupBox>
#include <QLabel>
#include <QMouseEvent>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>

#include <gtest/gtest.h>

#include <deque>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace moravel {
namespace {

// Soft Green at the strip's width 237: point 2 (green) at trunc(47.4) = 47,
// point 3 (yellow) at trunc(142.2) = 142.
constexpr int kGreenIndex = 47;
constexpr int kYellowIndex = 142;

class Editor {
public:
    explicit Editor(int preset = kSoftGreenPreset) {
        if (preset >= 0) ApplyPreset(gradient, preset);
        const ColorChooser chooser = [this](QWidget*, TColor initial) {
            offered.push_back(initial);
            const std::optional<TColor> answer = answers.empty() ? std::nullopt : answers.front();
            if (!answers.empty()) answers.pop_front();
            return answer;
        };
        form = std::make_unique<GradientEditorDialog>(gradient, chooser, [this] { ++liveUpdates; });
        form->ShowGradient();
    }

    template <typename T>
    T* Find(const QString& name) {
        T* widget = form->findChild<T*>(name);
        if (widget == nullptr) throw std::runtime_error("no control named " + name.toStdString());
        return widget;
    }
    QPushButton* Slider(int index) { return Find<QPushButton>(QStringLiteral("ControlPoint%1").arg(index)); }
    QString Text(const char* label) { return Find<QLabel>(QString::fromLatin1(label))->text(); }

    // Mouse events as the slider receives them; x relative to the slider.
    void Mouse(QPushButton* slider, QEvent::Type type, int x, Qt::MouseButton button, Qt::MouseButtons held) {
        const QPointF at(x, 10);
        QMouseEvent event(type, at, slider->mapToGlobal(at), button, held, Qt::NoModifier);
        QCoreApplication::sendEvent(slider, &event);
    }
    void Press(QPushButton* slider, int x = 4) {
        Mouse(slider, QEvent::MouseButtonPress, x, Qt::LeftButton, Qt::LeftButton);
    }
    // The held mouse at editor x `editorX`.
    void MoveTo(QPushButton* slider, int editorX) {
        Mouse(slider, QEvent::MouseMove, editorX - slider->x(), Qt::NoButton, Qt::LeftButton);
    }
    void Release(QPushButton* slider) { Mouse(slider, QEvent::MouseButtonRelease, 4, Qt::LeftButton, Qt::NoButton); }
    void Select(int index) {
        Press(Slider(index));
        Release(Slider(index));
    }
    void RightClick(QPushButton* slider) {
        QContextMenuEvent event(QContextMenuEvent::Mouse, QPoint(4, 10), slider->mapToGlobal(QPoint(4, 10)));
        QCoreApplication::sendEvent(slider, &event);
    }
    void Choose(const char* list, int index) {
        auto* box = Find<QComboBox>(QString::fromLatin1(list));
        box->setCurrentIndex(index);
        emit box->activated(index);
    }
    // The editor shown and active, so that its sliders take the focus.
    void ShowActive() {
        form->show();
        form->activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(form.get()));
    }
    // Focuses slider `index` as Tab would, then sends `key` to it `times` times.
    void Key(int index, Qt::Key key, int times = 1) {
        if (QApplication::focusWidget() != Slider(index)) Slider(index)->setFocus(Qt::TabFocusReason);
        for (int i = 0; i < times; ++i) QTest::keyClick(Slider(index), key);
    }
    void Click(const char* button) { Find<QAbstractButton>(QString::fromLatin1(button))->click(); }

    // The editor's strip as drawn, at column x.
    TColor StripPixel(int x) {
        const QImage strip = form->gradientStrip->pixmap().toImage();
        const QRgb pixel = strip.pixel(x, GradientEditorDialog::kStripHeight / 2);
        return static_cast<TColor>(qRed(pixel) | qGreen(pixel) << 8 | qBlue(pixel) << 16);
    }

    FunkyGradient gradient;
    std::vector<TColor> offered;
    std::deque<std::optional<TColor>> answers;
    int liveUpdates = 0;
    std::unique_ptr<GradientEditorDialog> form;
};

QRgb GlyphPixel(QPushButton* slider, int x, int y) {
    return slider->icon().pixmap(slider->iconSize()).toImage().pixel(x, y);
}

TEST(GradientEditor, CreatedWithTheEndsAtTheStripEdgesAndTheMiddleSlidersHidden) {
    Editor e(-1);
    EXPECT_EQ(e.form->objectName(), QStringLiteral("Form2"));
    EXPECT_EQ(e.form->windowTitle(), QStringLiteral("Spectrogram Color Gradient"));
    EXPECT_EQ(e.Slider(0)->pos(), QPoint(11, 48));   // centre on the strip's left edge, x = 16
    EXPECT_EQ(e.Slider(1)->pos(), QPoint(248, 48));  // centre on its right edge, x = 253
    EXPECT_EQ(e.Slider(0)->size(), QSize(10, 20));
    EXPECT_EQ(e.Slider(0)->iconSize(), QSize(7, 17));
    for (int i = 2; i < kControlPointCount; ++i) EXPECT_TRUE(e.Slider(i)->isHidden()) << i;
    EXPECT_EQ(e.Find<QLabel>(QStringLiteral("grImage"))->geometry(), QRect(16, 72, 237, 17));
    EXPECT_EQ(e.Find<QPushButton>(QStringLiteral("btnClose"))->text(), QStringLiteral("&Close"));
    // The read-outs and the interpolation group fit inside the dialog.
    auto* group = e.Find<QGroupBox>(QStringLiteral("GroupInterpolation"));
    EXPECT_EQ(group->title(), QStringLiteral(" Gradient Interpolation Function "));
    EXPECT_LE(group->geometry().bottom(), e.form->height());
    EXPECT_GE(e.Find<QLabel>(QStringLiteral("acpColor"))->y(), 132);

    auto* powers = e.Find<QComboBox>(QStringLiteral("acpPolyPower"));
    QStringList powerTexts;
    for (int i = 0; i < powers->count(); ++i) powerTexts << powers->itemText(i);
    EXPECT_EQ(powerTexts, QStringList({"5", "4", "3", "2", "1", "-2", "-3", "-4", "-5"}));
    EXPECT_EQ(powers->currentText(), QStringLiteral("1"));
    auto* shapes = e.Find<QComboBox>(QStringLiteral("acpSinusShape"));
    EXPECT_EQ(shapes->count(), 2);
    EXPECT_EQ(shapes->itemText(1), QStringLiteral("-1"));
    EXPECT_EQ(shapes->currentIndex(), 0);
    EXPECT_TRUE(e.Find<QRadioButton>(QStringLiteral("rbPolynomial"))->isChecked());
    EXPECT_EQ(e.Find<QRadioButton>(QStringLiteral("rbSinusoidal"))->text(), QStringLiteral("Sinusoidal Shape"));
}

TEST(GradientEditor, SlidersSitAtTheGradientsPositionsWithTheirColours) {
    Editor e;
    EXPECT_FALSE(e.Slider(2)->isHidden());
    EXPECT_FALSE(e.Slider(3)->isHidden());
    EXPECT_TRUE(e.Slider(4)->isHidden());
    EXPECT_EQ(e.Slider(2)->x(), 58);   // 16 + round(237 x 0.2) - 5
    EXPECT_EQ(e.Slider(3)->x(), 153);  // 16 + round(237 x 0.6) - 5
    EXPECT_EQ(GlyphPixel(e.Slider(2), 3, 8), qRgb(0, 0xFF, 0));
    EXPECT_EQ(GlyphPixel(e.Slider(2), 0, 0), qRgb(0, 0, 0));  // the outline
    EXPECT_EQ(GlyphPixel(e.Slider(1), 3, 8), qRgb(0xFF, 0x80, 0));
    EXPECT_EQ(e.StripPixel(kGreenIndex), 0x00FF00u);
    EXPECT_EQ(e.StripPixel(kYellowIndex), 0x00FFFFu);

    // A stored 0.95 puts the slider 17 pixels short of the strip's right end.
    e.gradient.SetGradient(0x000000, 0x00FF00, 0x00FFFF, 0x0080FF, 0.95, 0.3);
    e.form->ShowGradient();
    EXPECT_EQ(e.Slider(2)->x(), 236);  // 16 + round(225.15) - 5
    EXPECT_EQ(e.Slider(3)->x(), 82);   // 16 + round(71.1) - 5
    EXPECT_EQ(e.StripPixel(225), 0x00FF00u);
}

TEST(GradientEditor, DraggingPointTwoMovesItByThePixelsDraggedAndTheLiveUpdateCarriesIt) {
    Editor e;
    QPushButton* slider = e.Slider(2);
    e.Press(slider);                     // 4 pixels into the button at x = 58
    EXPECT_EQ(e.gradient.Current(), 2);  // before any move
    EXPECT_EQ(e.Text("acpAlpha"), QStringLiteral("0.20"));
    EXPECT_EQ(e.Text("acpColor"), QStringLiteral("00ff00"));
    EXPECT_EQ(slider->cursor().shape(), Qt::SplitHCursor);
    e.MoveTo(slider, 82);  // 20 pixels right of the grab point at 62
    e.Release(slider);
    EXPECT_EQ(slider->cursor().shape(), Qt::PointingHandCursor);
    EXPECT_EQ(slider->x(), 78);
    // (78 + 5 - 16) / 237
    EXPECT_DOUBLE_EQ(e.gradient.Point(2).Position, 67.0 / 237);
    EXPECT_EQ(e.Text("acpAlpha"), QStringLiteral("0.28"));

    // The palette follows at the next tick: green moves from 47 to 67.
    EXPECT_EQ(e.StripPixel(67), 0x00FF35u);  // 255 x 20/95 of the way to yellow, as before
    const int updates = e.liveUpdates;
    e.form->LiveUpdateTick();
    EXPECT_EQ(e.liveUpdates, updates + 1);
    EXPECT_EQ(e.StripPixel(67), 0x00FF00u);
    EXPECT_EQ(e.form->EditorPalette()[67], 0x00FF00u);
    EXPECT_EQ(e.form->EditorPalette()[kGreenIndex], 0x00B200u);  // black to green, 255 x 47/67 = 178.9
}

TEST(GradientEditor, DragsBeyondTheSpanAreIgnoredAndTheEndsDoNotDrag) {
    Editor e;
    QPushButton* yellow = e.Slider(3);
    e.Press(yellow);        // grabbed at 157
    e.MoveTo(yellow, 400);  // left 396: past the strip
    EXPECT_EQ(yellow->x(), 153);
    e.MoveTo(yellow, 241);  // left 237, the highest allowed
    EXPECT_EQ(yellow->x(), 237);
    e.MoveTo(yellow, 242);  // left 238
    EXPECT_EQ(yellow->x(), 237);
    e.Release(yellow);
    EXPECT_DOUBLE_EQ(e.gradient.Point(3).Position, 226.0 / 237);

    QPushButton* green = e.Slider(2);
    e.Press(green);       // grabbed at 62
    e.MoveTo(green, 18);  // left 14
    EXPECT_EQ(green->x(), 58);
    e.MoveTo(green, 19);  // left 15, the lowest allowed
    e.Release(green);
    EXPECT_EQ(green->x(), 15);
    EXPECT_DOUBLE_EQ(e.gradient.Point(2).Position, 4.0 / 237);
    e.MoveTo(green, 40);  // released: no drag
    EXPECT_EQ(green->x(), 15);

    QPushButton* end = e.Slider(1);
    e.Press(end);
    EXPECT_EQ(e.gradient.Current(), 1);
    e.MoveTo(end, 200);
    e.MoveTo(end, 190);
    e.Release(end);
    EXPECT_EQ(end->x(), 248);
    EXPECT_EQ(e.gradient.Point(1).Position, 1.0);
    EXPECT_EQ(e.Text("acpAlpha"), QStringLiteral("1.00"));
}

// Keys move the focused slider as a drag does: Soft Green's point 2 sits at
// left 58 (centre 63, 47 pixels into the strip).
TEST(GradientEditor, ArrowAndPageKeysMoveAFocusedMiddleSliderWithinTheDragSpan) {
    Editor e;
    e.ShowActive();
    QPushButton* green = e.Slider(2);
    e.Key(2, Qt::Key_Right);
    EXPECT_EQ(e.gradient.Current(), 2);  // the focus selected it
    EXPECT_EQ(green->x(), 59);
    EXPECT_DOUBLE_EQ(e.gradient.Point(2).Position, 48.0 / 237);
    e.Key(2, Qt::Key_PageUp, 2);                            // 79
    EXPECT_EQ(e.Text("acpAlpha"), QStringLiteral("0.29"));  // 68 / 237 = 0.2869
    e.Key(2, Qt::Key_Left);                                 // 78, where the drag test puts it
    EXPECT_DOUBLE_EQ(e.gradient.Point(2).Position, 67.0 / 237);
    EXPECT_EQ(e.Text("acpAlpha"), QStringLiteral("0.28"));
    const int updates = e.liveUpdates;
    e.form->LiveUpdateTick();
    EXPECT_GT(e.liveUpdates, updates);
    EXPECT_EQ(e.StripPixel(67), 0x00FF00u);

    // The span's ends stop the keys: left 15 and 237, as for a drag.
    e.Key(2, Qt::Key_PageDown, 7);  // 78 - 70 = 8, held at 15
    EXPECT_EQ(green->x(), 15);
    EXPECT_DOUBLE_EQ(e.gradient.Point(2).Position, 4.0 / 237);
    e.Key(2, Qt::Key_PageUp, 23);  // 15 + 230 = 245, held at 237
    EXPECT_EQ(green->x(), 237);
    EXPECT_DOUBLE_EQ(e.gradient.Point(2).Position, 226.0 / 237);

    // The ends never move.
    e.Key(1, Qt::Key_Left);
    e.Key(1, Qt::Key_PageDown);
    EXPECT_EQ(e.gradient.Current(), 1);
    EXPECT_EQ(e.Slider(1)->x(), 248);
    EXPECT_EQ(e.gradient.Point(1).Position, 1.0);
    e.form->close();
}

TEST(GradientEditor, EnterAndSpaceOnAFocusedSliderOpenTheColourDialogAndCloseNothing) {
    Editor e;
    e.ShowActive();
    e.answers = {TColor{0xFF0000}, std::nullopt};
    e.Key(3, Qt::Key_Return);
    ASSERT_EQ(e.offered.size(), 1u);
    EXPECT_EQ(e.offered[0], 0x00FFFFu);
    EXPECT_EQ(e.gradient.Point(3).Color, 0xFF0000u);
    EXPECT_EQ(e.Text("acpColor"), QStringLiteral("ff0000"));
    EXPECT_TRUE(e.form->isVisible());  // Enter did not press the default "&Close"
    e.Key(3, Qt::Key_Space);           // cancelled: nothing changes
    ASSERT_EQ(e.offered.size(), 2u);
    EXPECT_EQ(e.offered[1], 0xFF0000u);
    EXPECT_EQ(e.gradient.Point(3).Color, 0xFF0000u);
    EXPECT_EQ(e.offered.size(), 2u);  // the key's release clicked nothing
    e.form->close();
}

TEST(GradientEditor, TabGoesThroughTheShownSlidersOnly) {
    Editor e;
    e.ShowActive();
    e.Slider(0)->setFocus(Qt::TabFocusReason);
    QList<QWidget*> reached;
    for (int i = 0; i < 20 && !reached.contains(QApplication::focusWidget()); ++i) {
        reached << QApplication::focusWidget();
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    }
    for (int index : {0, 1, 2, 3}) EXPECT_TRUE(reached.contains(e.Slider(index))) << index;
    EXPECT_FALSE(reached.contains(e.Slider(4)));
    EXPECT_TRUE(reached.contains(e.Find<QPushButton>(QStringLiteral("btnClose"))));
    e.form->close();
}

TEST(GradientEditor, RightClickChoosesTheColourAndACancelledDialogChangesNothing) {
    Editor e;
    e.answers = {TColor{0xFFFFFF}, std::nullopt};
    e.RightClick(e.Slider(3));
    ASSERT_EQ(e.offered.size(), 1u);
    EXPECT_EQ(e.offered[0], 0x00FFFFu);  // preset with the point's colour
    EXPECT_EQ(e.gradient.Point(3).Color, 0xFFFFFFu);
    EXPECT_EQ(GlyphPixel(e.Slider(3), 3, 8), qRgb(0xFE, 0xFF, 0xFF));  // white painted as 0xFFFFFE
    EXPECT_EQ(GlyphPixel(e.Slider(3), 6, 16), qRgb(0, 0, 0));
    EXPECT_EQ(e.Text("acpColor"), QStringLiteral("ffffff"));
    EXPECT_EQ(e.form->EditorPalette()[kYellowIndex], 0xFFFFFFu);  // rebuilt at once
    EXPECT_EQ(e.gradient.Current(), std::nullopt);                // a right click selects nothing

    const SpectrogramPalette before = e.form->EditorPalette();
    e.RightClick(e.Slider(2));
    ASSERT_EQ(e.offered.size(), 2u);
    EXPECT_EQ(e.offered[1], 0x00FF00u);
    EXPECT_EQ(e.gradient.Point(2).Color, 0x00FF00u);
    EXPECT_EQ(GlyphPixel(e.Slider(2), 3, 8), qRgb(0, 0xFF, 0));
    EXPECT_EQ(e.Text("acpColor"), QStringLiteral("ffffff"));
    EXPECT_EQ(e.form->EditorPalette(), before);

    e.answers = {TColor{0xFF0000}};
    e.RightClick(e.Slider(0));  // the ends take colours too
    EXPECT_EQ(e.gradient.Point(0).Color, 0xFF0000u);
    EXPECT_EQ(e.form->EditorPalette()[0], 0xFF0000u);
}

// Segment 47 .. 142 from green to yellow: index 66 is t = 19/95 = 0.2, where
// red is 255 x s(0.2).
TEST(GradientEditor, CurveAndListChoicesOfTheCurrentPointRebuildThePalette) {
    Editor e;
    e.Click("rbSinusoidal");  // no current point: nothing changes
    for (const ControlPoint& point : e.gradient.Points()) {
        EXPECT_EQ(point.Interpolation, InterpolationCurve::Polynomial) << point.Index;
    }
    EXPECT_EQ(e.form->EditorPalette()[66], 0x00FF33u);  // linear: 51

    e.Select(2);
    EXPECT_TRUE(e.Find<QRadioButton>(QStringLiteral("rbPolynomial"))->isChecked());
    e.Click("rbSinusoidal");
    EXPECT_EQ(e.gradient.Point(2).Interpolation, InterpolationCurve::Sinusoidal);
    EXPECT_EQ(e.form->EditorPalette()[66], 0x00FF4Eu);  // sin(0.1 pi) = 0.309: 78.8
    e.Choose("acpSinusShape", 1);
    EXPECT_EQ(e.gradient.Point(2).SinusShape, -1);
    EXPECT_EQ(e.gradient.Point(2).SinusShapeItem, 1);
    EXPECT_EQ(e.form->EditorPalette()[66], 0x00FF0Cu);  // 1 - cos(0.1 pi) = 0.049: 12.5
    e.Click("rbPolynomial");
    EXPECT_EQ(e.form->EditorPalette()[66], 0x00FF33u);
    e.Choose("acpPolyPower", 3);
    EXPECT_EQ(e.gradient.Point(2).PolyPower, 2);
    EXPECT_EQ(e.gradient.Point(2).PolyPowerItem, 3);
    EXPECT_EQ(e.form->EditorPalette()[66], 0x00FF0Au);  // 0.04: 10.2
    // The segment below point 2 keeps point 0's linear curve: 255 x 20/47.
    EXPECT_EQ(e.form->EditorPalette()[20], 0x006C00u);

    // Selecting another point shows its own curve; back on point 2 its choices return.
    e.Select(3);
    EXPECT_EQ(e.Find<QComboBox>(QStringLiteral("acpPolyPower"))->currentIndex(), 4);
    EXPECT_EQ(e.Find<QComboBox>(QStringLiteral("acpSinusShape"))->currentIndex(), 0);
    EXPECT_EQ(e.Text("acpAlpha"), QStringLiteral("0.60"));
    EXPECT_EQ(e.Text("acpColor"), QStringLiteral("00ffff"));
    e.Select(2);
    EXPECT_EQ(e.Find<QComboBox>(QStringLiteral("acpPolyPower"))->currentIndex(), 3);
    EXPECT_EQ(e.Find<QComboBox>(QStringLiteral("acpSinusShape"))->currentIndex(), 1);
    EXPECT_TRUE(e.Find<QRadioButton>(QStringLiteral("rbPolynomial"))->isChecked());
}

TEST(GradientEditor, LiveUpdateRunsWhileShownAndCarriesTheLastEditsAtClose) {
    Editor e;
    EXPECT_FALSE(e.form->liveUpdateTimer.isActive());
    e.form->show();
    EXPECT_TRUE(e.form->liveUpdateTimer.isActive());
    EXPECT_EQ(e.form->liveUpdateTimer.interval(), 100);
    QTest::qWait(250);
    EXPECT_GE(e.liveUpdates, 2);

    e.Select(2);
    e.Click("rbSinusoidal");
    const int updates = e.liveUpdates;
    e.Click("btnClose");
    EXPECT_FALSE(e.form->isVisible());
    EXPECT_FALSE(e.form->liveUpdateTimer.isActive());
    EXPECT_EQ(e.liveUpdates, updates + 1);
    QTest::qWait(150);
    EXPECT_EQ(e.liveUpdates, updates + 1);

    // Reopened, the curves are as they were left.
    e.form->show();
    e.Select(3);
    e.Select(2);
    EXPECT_TRUE(e.Find<QRadioButton>(QStringLiteral("rbSinusoidal"))->isChecked());
    EXPECT_EQ(e.gradient.Point(2).Interpolation, InterpolationCurve::Sinusoidal);
    e.form->close();
}

TEST(GradientEditor, RemovingTheCurrentPointHidesItsSliderAndAddingBringsItBack) {
    Editor e;
    e.Select(3);
    e.form->RemoveCurrentPoint();
    EXPECT_TRUE(e.Slider(3)->isHidden());
    EXPECT_EQ(e.gradient.ActiveCount(), 3);
    EXPECT_EQ(e.form->EditorPalette()[kYellowIndex], 0x00C07Fu);  // green to orange, half way: red 127, green 192
    e.form->AddPoint();
    EXPECT_FALSE(e.Slider(3)->isHidden());
    EXPECT_EQ(e.Slider(3)->x(), 153);
    EXPECT_EQ(e.form->EditorPalette()[kYellowIndex], 0x00FFFFu);
}

}  // namespace
}  // namespace moravel
