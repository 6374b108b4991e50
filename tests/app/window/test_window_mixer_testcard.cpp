// The Soundcard page on ALSA's own simple mixer over the test card plugin
// (tests/mixer/alsa/plugin), made ALSA's "default" control by main. Its
// recording source is an "Input Source" enumeration, which always selects
// one item; the items CD and Mix are recording lines without a volume.
#include "mixer/alsa/AlsaMixerService.h"
#include "TestcardConfig.h"
#include "WindowFixture.h"

#include <QCheckBox>
#include <QSlider>
#include <QTemporaryDir>
#include <QtTest>

#include <memory>

using moravel::testing::WindowFixture;

namespace {

// Playback: PCM, Line, CD, Mic; recording: Line, Mic, CD (no volume), Mix.
const char* const kCardLines =
    "[MIXER]\nMicrophone_Out=3\nLine_Out=1\nWave_Out=0\nMicrophone_In=1\nLine_In=0\nWave_In=2\n";

struct TestcardWindow {
    TestcardWindow()
        : f(kCardLines, {}, {}, 4096, [](moravel::MainFormOptions& options) {
              options.mixerService = std::make_shared<moravel::mixer::AlsaMixerService>();
          }) {
        f.Start();
    }
    QCheckBox* Check(const char* name) { return f.Find<QCheckBox>(name); }

    WindowFixture f;
};

}  // namespace

class MixerTestcardWindowTest : public QObject {
    Q_OBJECT

private slots:
    void recordingLineWithoutVolumeHasNoTrackBarToMove() {
        TestcardWindow w;
        QVERIFY(w.f.Form().State().SamplingEnabled);
        QVERIFY(w.Check("CheckBox8")->isEnabled());  // wave in: CD, selectable
        QVERIFY(!w.f.Find<QSlider>("TrackBar8")->isEnabled());
        QVERIFY(w.f.Find<QSlider>("TrackBar2")->isEnabled());  // Mic has its capture volume
    }

    // The enumeration cannot select nothing: unchecking the selected source
    // changes nothing on the card, and the box shows it still selected.
    void uncheckingTheSelectedSourceShowsWhatTheCardRecords() {
        TestcardWindow w;
        QVERIFY(w.Check("CheckBox2")->isChecked());  // Mic, the enumeration's item 0
        w.Check("CheckBox2")->click();
        QVERIFY(w.Check("CheckBox2")->isChecked());
        w.Check("CheckBox3")->click();  // Line: selecting it deselects Mic
        QVERIFY(w.Check("CheckBox3")->isChecked());
        QVERIFY(QTest::qWaitFor([&] { return !w.Check("CheckBox2")->isChecked(); }, 2000));
    }
};

// The test card must be ALSA's "default" control before the first use of ALSA.
int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QTemporaryDir folder;
    if (!moravel::testing::UseTestcardAsDefaultControl(folder)) return 1;
    MixerTestcardWindowTest test;
    return QTest::qExec(&test, argc, argv);
}

#include "test_window_mixer_testcard.moc"
