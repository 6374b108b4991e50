// The gradient editor through the real window: "Edit" opens it modally over
// the window's palette, its edits reach the running spectrogram, the strip
// and the settings written at close, and presets and the stored palette
// place its sliders. The colour dialog is answered by the test.
#include "views/gradient/GradientEditorDialog.h"
#include "app/window/PlotDisplays.h"
#include "views/SpectrogramImage.h"
#include "WindowFixture.h"

#include <QComboBox>
#include <QContextMenuEvent>
#include <QLabel>
#include <QLocale>
#include <QMouseEvent>
#include <QPushButton>
#include <QRadioButton>
#include <QTimer>
#include <QtTest>

#include <deque>
#include <functional>
#include <optional>
#include <vector>

using moravel::TColor;
using moravel::GradientEditorDialog;
using moravel::testing::WindowFixture;

namespace {

class Silence final : public moravel::SampleSource {
public:
    void Fill(std::int16_t* dest, std::size_t count) override { std::fill(dest, dest + count, std::int16_t{0}); }
};

// Offset 1000 and gain 1 colour every silent bin from palette index 1000.
const std::string kSilentSettings = std::string(moravel::testing::kConfiguredMixer) +
                                    "[SETTINGS]\nAGC_enabled=0\nTrackSpectrogramGain=1\nTrackSpectrogramOffset=1000\n";
constexpr int kSilentIndex = 1000;

// Soft Green: between green (800) and yellow (2400), red 255 x 200/1600.
constexpr TColor kSoftGreenAt1000 = 0x00FF1F;
// Point 2 dragged to 67/237 sits at trunc(4000 x 67/237) = 1130: index 1000
// is 1000/1130 of the way from black to green, 225.7.
constexpr TColor kDraggedAt1000 = 0x00E100;

// The colour dialog's answers and what it was preset with.
struct ScriptedColours {
    std::deque<std::optional<TColor>> answers;
    std::vector<TColor> offered;
};

struct Window {
    explicit Window(const std::string& settings = kSilentSettings, const std::string& file = {})
        : colours(std::make_shared<ScriptedColours>()),
          f(
              settings, file, [](std::int32_t) { return std::make_unique<Silence>(); }, 4096,
              [this](moravel::MainFormOptions& options) {
                  auto script = colours;
                  options.chooseColor = [script](QWidget*, TColor initial) {
                      script->offered.push_back(initial);
                      const std::optional<TColor> answer =
                          script->answers.empty() ? std::nullopt : script->answers.front();
                      if (!script->answers.empty()) script->answers.pop_front();
                      return answer;
                  };
              }) {
        f.Start();
    }

    GradientEditorDialog& Editor() { return *f.Find<GradientEditorDialog>("Form2"); }
    QPushButton* Slider(int index) { return Editor().sliders[static_cast<std::size_t>(index)]; }

    // "Edit", then `drive` inside the modal editor, which "&Close" ends.
    // Returns whether the editor was shown modally and closed.
    bool Edit(const std::function<void(GradientEditorDialog&)>& drive) {
        bool ran = false;
        QTimer::singleShot(0, [&] {
            GradientEditorDialog& editor = Editor();
            if (!editor.isVisible() || !editor.isModal()) return;
            drive(editor);
            ran = true;
            editor.closeButton->click();
        });
        f.Click("Button2");
        return ran && !Editor().isVisible();
    }

    void Mouse(QPushButton* slider, QEvent::Type type, int x, Qt::MouseButton button, Qt::MouseButtons held) {
        const QPointF at(x, 10);
        QMouseEvent event(type, at, slider->mapToGlobal(at), button, held, Qt::NoModifier);
        QCoreApplication::sendEvent(slider, &event);
    }
    // A left-button drag of `slider` from 4 pixels into it to editor x `editorX`.
    void Drag(QPushButton* slider, int editorX) {
        Mouse(slider, QEvent::MouseButtonPress, 4, Qt::LeftButton, Qt::LeftButton);
        Mouse(slider, QEvent::MouseMove, editorX - slider->x(), Qt::NoButton, Qt::LeftButton);
        Mouse(slider, QEvent::MouseButtonRelease, 4, Qt::LeftButton, Qt::NoButton);
    }
    // A press and release without moving: the point becomes current.
    void Select(QPushButton* slider) {
        Mouse(slider, QEvent::MouseButtonPress, 4, Qt::LeftButton, Qt::LeftButton);
        Mouse(slider, QEvent::MouseButtonRelease, 4, Qt::LeftButton, Qt::NoButton);
    }
    void RightClick(QPushButton* slider) {
        QContextMenuEvent event(QContextMenuEvent::Mouse, QPoint(4, 10), slider->mapToGlobal(QPoint(4, 10)));
        QCoreApplication::sendEvent(slider, &event);
    }

    std::uint16_t PaletteAt(int index) {
        return f.Form().Displays().Spectrogram().Palette().Colours16()[static_cast<std::size_t>(index)];
    }
    std::uint16_t NewestPixel(int bin) {
        const auto& image = f.Form().Displays().Spectrogram().Image();
        return image.Pixel(static_cast<int>(f.Form().Displays().Spectrogram().ColumnWritten() % image.Width()), bin);
    }
    QRgb StripPixel(int x) { return f.Find<QLabel>("BitmapPalette")->pixmap().toImage().pixel(x, 8); }

    std::shared_ptr<ScriptedColours> colours;
    WindowFixture f;
};

}  // namespace

class GradientWindowTest : public QObject {
    Q_OBJECT

private slots:
    void draggingPointTwoRecoloursTheNextSpectrogramColumnsAndIsKeptAtClose() {
        moravel::testing::TempFolder folder;
        const std::string path = folder.File("moravel.ini");
        {
            Window w(kSilentSettings, path);
            QVERIFY(w.f.Find<QPushButton>("Button2")->isEnabled());
            w.f.Run(1000);
            const std::int64_t before = w.f.Form().Displays().Spectrogram().ColumnWritten();
            QVERIFY(before >= 5);
            QCOMPARE(w.NewestPixel(5), moravel::ToRgb16(kSoftGreenAt1000));
            QCOMPARE(w.StripPixel(19), qRgb(0, 0xFF, 0));  // trunc(99 x 0.2)

            QString location;
            std::uint16_t whileOpen = 0;
            QVERIFY(w.Edit([&](GradientEditorDialog& editor) {
                QPushButton* slider = w.Slider(2);
                QCOMPARE(slider->x(), 58);
                w.Drag(slider, 82);  // grabbed at 62: 20 pixels right
                location = editor.locationLabel->text();
                QTest::qWait(250);  // the live update runs while the editor is open
                whileOpen = w.PaletteAt(kSilentIndex);
            }));
            QCOMPARE(location, QStringLiteral("0.28").replace('.', QLocale().decimalPoint()));
            QCOMPARE(whileOpen, moravel::ToRgb16(kDraggedAt1000));
            QCOMPARE(w.Slider(2)->x(), 78);
            QCOMPARE(w.StripPixel(27), qRgb(0, 0xFF, 0));  // trunc(99 x 67/237)

            w.f.Run(300);
            const auto& image = w.f.Form().Displays().Spectrogram().Image();
            for (int bin : {1, 5, w.f.Form().Engine().DisplayCount - 1}) {
                QCOMPARE(w.NewestPixel(bin), moravel::ToRgb16(kDraggedAt1000));
            }
            // Columns written before the edit keep their colours.
            QCOMPARE(image.Pixel(static_cast<int>(before % image.Width()), 5), moravel::ToRgb16(kSoftGreenAt1000));
            w.f.Form().close();
        }
        // The next run starts with the dragged palette.
        Window again("", path);
        QCOMPARE(again.PaletteAt(kSilentIndex), moravel::ToRgb16(kDraggedAt1000));
        QCOMPARE(again.Slider(2)->x(), 78);
    }

    void rightClickColoursThePaletteAndACancelledDialogChangesNothing() {
        Window w;
        w.colours->answers = {TColor{0xFF0000}, std::nullopt};
        QVERIFY(w.Edit([&](GradientEditorDialog&) {
            w.RightClick(w.Slider(1));  // orange end becomes blue
            w.RightClick(w.Slider(0));  // cancelled
        }));
        QCOMPARE(w.colours->offered, (std::vector<TColor>{0x0080FF, 0x000000}));
        QCOMPARE(w.PaletteAt(4000), moravel::ToRgb16(0xFF0000));
        QCOMPARE(w.PaletteAt(0), moravel::ToRgb16(0x000000));
        // The strip's last column, 39/40 of the way from yellow (59) to blue (99).
        QCOMPARE(w.StripPixel(98), qRgb(7, 7, 248));
    }

    // Soft Green from 800 to 2400: index 1120 is t = 0.2, red 255 x s(0.2).
    void curveChoicesRebuildThePaletteAndLastUntilTheNextOpening() {
        Window w;
        QCOMPARE(w.PaletteAt(1120), moravel::ToRgb16(0x00FF33));  // linear: 51
        QVERIFY(w.Edit([&](GradientEditorDialog& editor) {
            w.Select(w.Slider(2));
            editor.sinusoidalButton->click();
        }));
        QCOMPARE(w.PaletteAt(1120), moravel::ToRgb16(0x00FF4E));  // sin(0.1 pi): 78.8

        bool sinusoidalShown = false;
        QVERIFY(w.Edit([&](GradientEditorDialog& editor) {
            w.Select(w.Slider(3));
            w.Select(w.Slider(2));
            sinusoidalShown = editor.sinusoidalButton->isChecked();
            editor.polynomialButton->click();
            editor.polyPowerCombo->setCurrentIndex(3);
            emit editor.polyPowerCombo->activated(3);
        }));
        QVERIFY(sinusoidalShown);
        QCOMPARE(w.PaletteAt(1120), moravel::ToRgb16(0x00FF0A));  // power 2: 0.04, 10.2

        // A preset moves the sliders and keeps the curves.
        w.f.Choose("ComboPalettePresets", 1);  // Hard Blue, 0.1 and 0.4
        QCOMPARE(w.Slider(2)->x(), 35);        // 16 + round(23.7) - 5
        QCOMPARE(w.Slider(3)->x(), 106);       // 16 + round(94.8) - 5
        QCOMPARE(w.Editor().EditorPalette()[23], TColor{0xFFFFFF});
        // White (23) to yellow (94) with point 2's power 2: blue 255 x (36/71)^2 = 65.6 down.
        QCOMPARE(w.Editor().EditorPalette()[59], TColor{0xBEFFFF});
    }

    void aStoredPaletteAtNinetyFivePercentPutsItsSliderNearTheRightEnd() {
        Window w(kSilentSettings +
                 "PaletteColor1=0\nPaletteColor2=65280\nPaletteColor3=65535\nPaletteColor4=33023\n"
                 "PaletteAlpha1=0.95\nPaletteAlpha2=0.6\n");
        QCOMPARE(w.Slider(2)->x(), 236);  // 16 + round(225.15) - 5, the strip ends at 253
        QVERIFY(!w.Slider(2)->isHidden());
        QVERIFY(w.Slider(4)->isHidden());
        int shownAt = 0;
        QVERIFY(w.Edit([&](GradientEditorDialog&) { shownAt = w.Slider(2)->x(); }));
        QCOMPARE(shownAt, 236);
        QCOMPARE(w.PaletteAt(3800), moravel::ToRgb16(0x00FF00));  // trunc(4000 x 0.95)
    }
};

QTEST_MAIN(GradientWindowTest)
#include "test_window_gradient.moc"
