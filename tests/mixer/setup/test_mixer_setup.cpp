// The soundcard configuration dialog driven through its controls by object
// name, on simulated cards, with its settings file checked byte by byte.
#include "common/SoundcardSetup.h"
#include "mixer/setup/MixerDeviceChoice.h"
#include "mixer/setup/MixerSetupDialog.h"
#include "mixer/setup/MixerSummary.h"
#include "ServerOnlyCard.h"
#include "mixer/simulated/SimulatedMixerService.h"
#include "common/SoundcardLayout.h"
#include "mixer/simulated/TypicalSoundcard.h"

#include "../../app/TempFolder.h"

#include <QApplication>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QMessageBox>
#include <QPushButton>
#include <QTest>
#include <QTimer>

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

namespace moravel::testing {
namespace {

using Items = std::vector<std::string>;

Items ItemsOf(const QComboBox* list) {
    Items items;
    for (int i = 0; i < list->count(); ++i) items.push_back(list->itemText(i).toStdString());
    return items;
}

class MixerSetupTest : public ::testing::Test {
protected:
    // Opened with the file's setup and storing OK's choice in it, as the window does.
    std::unique_ptr<MixerSetupDialog> Open() {
        auto dialog = std::make_unique<MixerSetupDialog>(
            service, ReadSoundcardSetup(IniFile(path)),
            [this](const SoundcardSetup& chosen) {
                IniFile file(path);
                WriteSoundcardSetup(file, chosen);
            },
            [this](const QString& topic) { topics.push_back(topic.toStdString()); });
        dialog->show();
        return dialog;
    }
    static QComboBox* List(MixerSetupDialog& dialog, const char* name) {
        auto* list = dialog.findChild<QComboBox*>(QString::fromLatin1(name));
        EXPECT_NE(list, nullptr) << name;
        return list;
    }
    static void Click(MixerSetupDialog& dialog, const char* button) {
        auto* found = dialog.findChild<QPushButton*>(QString::fromLatin1(button));
        ASSERT_NE(found, nullptr) << button;
        found->click();
    }

    std::shared_ptr<mixer::MixerService> service = std::make_shared<mixer::SimulatedMixerService>();
    TempFolder folder;
    std::string path = folder.File("moravel.ini");
    std::vector<std::string> topics;
};

TEST_F(MixerSetupTest, ShowsItsTextsAndTheCardsLinesInEachList) {
    auto dialog = Open();
    EXPECT_EQ(dialog->windowTitle(), "Soundcard Configuration");
    EXPECT_EQ(dialog->size(), QSize(453, 240));
    EXPECT_EQ(dialog->minimumSize(), dialog->maximumSize());  // fixed border
    const auto* text = dialog->findChild<QLabel*>("Label1");
    ASSERT_NE(text, nullptr);
    EXPECT_TRUE(text->text().startsWith("Moravel needs to know the configuration of your soundcard.  To do this,"));
    EXPECT_TRUE(text->text().endsWith("as asked by Moravel. For more information, press F1."));
    EXPECT_EQ(dialog->findChild<QGroupBox*>("GroupBox1")->title(), "Audio In  ");
    EXPECT_EQ(dialog->findChild<QGroupBox*>("GroupBox2")->title(), "Audio Out  ");

    const Items playback{"Wave", "Microphone", "Line In", "CD Audio"};
    const Items recording{"Microphone", "Line In", "Stereo Mix", "CD Audio", "[Not available]"};
    EXPECT_EQ(ItemsOf(List(*dialog, "ComboBox5")), playback);  // wave out: a real line only
    Items withNotAvailable = playback;
    withNotAvailable.push_back("[Not available]");
    EXPECT_EQ(ItemsOf(List(*dialog, "ComboBox3")), withNotAvailable);
    EXPECT_EQ(ItemsOf(List(*dialog, "ComboBox4")), withNotAvailable);
    for (const char* name : {"ComboBox2", "ComboBox6", "ComboBox7"}) EXPECT_EQ(ItemsOf(List(*dialog, name)), recording);
    EXPECT_FALSE(List(*dialog, "ComboBox2")->isEditable());
}

TEST_F(MixerSetupTest, FirstRunPreselectsByNameAndOkWritesTheKeysInOrder) {
    auto dialog = Open();
    EXPECT_EQ(List(*dialog, "ComboBox3")->currentText(), "Microphone");
    EXPECT_EQ(List(*dialog, "ComboBox4")->currentText(), "Line In");
    EXPECT_EQ(List(*dialog, "ComboBox5")->currentText(), "Wave");
    EXPECT_EQ(List(*dialog, "ComboBox2")->currentText(), "Microphone");
    EXPECT_EQ(List(*dialog, "ComboBox6")->currentText(), "Line In");
    EXPECT_EQ(List(*dialog, "ComboBox7")->currentIndex(), -1);
    Click(*dialog, "ButtonOK");
    EXPECT_EQ(dialog->result(), QDialog::Accepted);
    EXPECT_EQ(ReadText(path),
              "[MIXER]\nMicrophone_Out=1\nLine_Out=2\nWave_Out=0\nMicrophone_In=0\nLine_In=1\nWave_In=-1\n"
              "Mixer_Device=simulated:0\n");
}

TEST_F(MixerSetupTest, ShowsTheStoredLinesNotThePreselection) {
    WriteText(path, "[MIXER]\nMicrophone_Out=-1\nLine_Out=3\nWave_Out=1\nMicrophone_In=2\nLine_In=9\n");
    auto dialog = Open();
    EXPECT_EQ(List(*dialog, "ComboBox3")->currentIndex(), -1);
    EXPECT_EQ(List(*dialog, "ComboBox4")->currentText(), "CD Audio");
    EXPECT_EQ(List(*dialog, "ComboBox5")->currentText(), "Microphone");
    EXPECT_EQ(List(*dialog, "ComboBox2")->currentText(), "Stereo Mix");
    EXPECT_EQ(List(*dialog, "ComboBox6")->currentIndex(), -1);  // 9: no such line
    EXPECT_EQ(List(*dialog, "ComboBox7")->currentIndex(), -1);  // missing key
}

TEST_F(MixerSetupTest, NotAvailableStoresMinusOneAndReopensWithoutSelection) {
    auto dialog = Open();
    List(*dialog, "ComboBox2")->setCurrentText("[Not available]");
    List(*dialog, "ComboBox6")->setCurrentText("[Not available]");
    Click(*dialog, "ButtonOK");
    EXPECT_EQ(ReadText(path),
              "[MIXER]\nMicrophone_Out=1\nLine_Out=2\nWave_Out=0\nMicrophone_In=-1\nLine_In=-1\nWave_In=-1\n"
              "Mixer_Device=simulated:0\n");
    EXPECT_EQ(List(*dialog, "ComboBox2")->currentIndex(), -1);  // OK cleared the shown selection

    const LineAssignment stored = ReadLineAssignment(IniFile(path));
    EXPECT_FALSE(IsSoundcardConfigured(stored, SoundcardLayoutOf(dialog->mixer)));
    auto again = Open();
    EXPECT_EQ(List(*again, "ComboBox2")->currentIndex(), -1);
    EXPECT_EQ(List(*again, "ComboBox6")->currentIndex(), -1);
    EXPECT_EQ(List(*again, "ComboBox3")->currentText(), "Microphone");
}

// OK whose settings file cannot be written (its folder is gone): the error
// is shown over the dialog, which stays open for another try.
TEST_F(MixerSetupTest, FailingWriteIsShownAndKeepsTheDialogOpen) {
    path = folder.File("gone/moravel.ini");
    auto dialog = Open();
    QString shown;
    QTimer::singleShot(0, [&shown] {
        if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
            shown = box->text();
            box->reject();
        }
    });
    Click(*dialog, "ButtonOK");
    EXPECT_FALSE(shown.isEmpty());
    EXPECT_TRUE(dialog->isVisible());
    EXPECT_NE(dialog->result(), QDialog::Accepted);
}

TEST_F(MixerSetupTest, CancelAndEscapeLeaveTheFileByteIdentical) {
    const std::string original = "; mine\r\n[MIXER]\r\nWave_Out=3\r\n\r\n[SETTINGS]\r\nFilterOn=1\r\n";
    WriteText(path, original);
    auto dialog = Open();
    List(*dialog, "ComboBox5")->setCurrentIndex(0);
    List(*dialog, "ComboBox2")->setCurrentIndex(1);
    Click(*dialog, "ButtonCancel");
    EXPECT_EQ(dialog->result(), QDialog::Rejected);
    EXPECT_EQ(ReadText(path), original);

    auto escaped = Open();
    escaped->activateWindow();
    List(*escaped, "ComboBox3")->setCurrentIndex(0);
    QTest::keyClick(escaped.get(), Qt::Key_Escape);
    EXPECT_EQ(escaped->result(), QDialog::Rejected);
    EXPECT_FALSE(escaped->isVisible());
    EXPECT_EQ(ReadText(path), original);
}

TEST_F(MixerSetupTest, F1AsksForTheSoundcardSettingsTopicAndStaysOpen) {
    auto dialog = Open();
    QComboBox* list = List(*dialog, "ComboBox6");
    list->setFocus();
    QTest::keyClick(list, Qt::Key_F1);
    EXPECT_EQ(topics, (std::vector<std::string>{"Soundcard_Settings"}));
    EXPECT_TRUE(dialog->isVisible());
    EXPECT_FALSE(std::filesystem::exists(path));
}

// A machine whose only mixer is a sound server's: the destinations' own
// controls stand in, so one OK completes the setup.
TEST_F(MixerSetupTest, ServerOnlyCardOffersItsOwnControlsAndCompletesWithOneOk) {
    service = std::make_shared<mixer::SimulatedMixerService>(
        std::vector<std::shared_ptr<mixer::SimulatedCard>>{MakeServerOnlyCard()});
    auto dialog = Open();
    EXPECT_EQ(ItemsOf(List(*dialog, "ComboBox5")), (Items{"Master"}));
    EXPECT_EQ(ItemsOf(List(*dialog, "ComboBox3")), (Items{"[Not available]"}));
    EXPECT_EQ(ItemsOf(List(*dialog, "ComboBox2")), (Items{"Capture", "[Not available]"}));
    EXPECT_EQ(ItemsOf(List(*dialog, "ComboBox7")), (Items{"[Not available]"}));
    EXPECT_EQ(List(*dialog, "ComboBox5")->currentText(), "Master");
    EXPECT_EQ(List(*dialog, "ComboBox2")->currentText(), "Capture");
    Click(*dialog, "ButtonOK");
    EXPECT_EQ(ReadText(path),
              "[MIXER]\nMicrophone_Out=-1\nLine_Out=-1\nWave_Out=0\nMicrophone_In=0\nLine_In=-1\nWave_In=-1\n"
              "Mixer_Device=simulated:0\n");
    EXPECT_TRUE(IsSoundcardConfigured(ReadLineAssignment(IniFile(path)), SoundcardLayoutOf(dialog->mixer)));
}

// A desktop whose first mixer is a card's while the sound goes through the
// server's: the dialog shows the server's (also for a file from before
// there was a choice), offers both, and stores the one chosen.
TEST_F(MixerSetupTest, ShowsTheMixerTheSoundGoesThroughAndStoresTheChosenOne) {
    service = std::make_shared<mixer::SimulatedMixerService>(
        std::vector<std::shared_ptr<mixer::SimulatedCard>>{mixer::MakeTypicalSoundcard(mixer::TypicalSoundcardCaps()),
                                                           MakeServerOnlyCard()},
        1);
    const std::string older = "[MIXER]\nMicrophone_Out=-1\nLine_Out=-1\nWave_Out=0\nMicrophone_In=0\n";
    WriteText(path, older);
    auto dialog = Open();
    QComboBox* devices = List(*dialog, "ComboBox1");
    EXPECT_EQ(ItemsOf(devices), (Items{"Moravel Virtual Soundcard", "PulseAudio"}));
    EXPECT_EQ(devices->currentIndex(), 1);
    EXPECT_EQ(dialog->mixer.MixerId(), 1);
    EXPECT_EQ(List(*dialog, "ComboBox2")->currentText(), "Capture");  // stored

    devices->setCurrentIndex(0);  // the card: its lines, pre-selected
    EXPECT_EQ(dialog->mixer.MixerId(), 0);
    EXPECT_EQ(List(*dialog, "ComboBox5")->currentText(), "Wave");
    EXPECT_EQ(List(*dialog, "ComboBox2")->currentText(), "Microphone");
    Click(*dialog, "ButtonCancel");
    EXPECT_EQ(ReadText(path), older);

    auto again = Open();
    List(*again, "ComboBox1")->setCurrentIndex(0);
    Click(*again, "ButtonOK");
    EXPECT_EQ(ReadText(path),
              "[MIXER]\nMicrophone_Out=1\nLine_Out=2\nWave_Out=0\nMicrophone_In=0\nLine_In=1\nWave_In=-1\n"
              "Mixer_Device=simulated:0\n");
    auto stored = Open();
    EXPECT_EQ(stored->mixer.MixerId(), 0);
    EXPECT_EQ(List(*stored, "ComboBox1")->currentText(), "Moravel Virtual Soundcard");
    EXPECT_EQ(List(*stored, "ComboBox4")->currentText(), "Line In");
}

// A stored mixer the computer no longer has (a USB soundcard unplugged)
// gives way to the one the sound goes through.
TEST_F(MixerSetupTest, StoredMixerIsChosenWhileItIsThere) {
    auto two = std::make_shared<mixer::SimulatedMixerService>(2);
    WriteText(path, "[MIXER]\nMixer_Device=simulated:1\n");
    EXPECT_EQ(ChosenMixerDevice(*two, ReadMixerDevice(IniFile(path))), 1);
    WriteText(path, "[MIXER]\nMixer_Device=hw:7\n");
    EXPECT_EQ(ChosenMixerDevice(*two, ReadMixerDevice(IniFile(path))), 0);
}

// No mixer at all, or one with a single destination: empty lists, and OK
// still works (it stores "not available" everywhere).
TEST_F(MixerSetupTest, MissingOrHalfMixerGivesEmptyLists) {
    auto playbackOnly = std::make_shared<mixer::SimulatedCard>(mixer::MixerCaps{});
    playbackOnly->AddDestination("Master", 2);
    for (auto cards : {std::vector<std::shared_ptr<mixer::SimulatedCard>>{},
                       std::vector<std::shared_ptr<mixer::SimulatedCard>>{playbackOnly}}) {
        service = std::make_shared<mixer::SimulatedMixerService>(cards);
        auto dialog = Open();
        for (const char* name : {"ComboBox2", "ComboBox3", "ComboBox4", "ComboBox5", "ComboBox6", "ComboBox7"})
            EXPECT_EQ(List(*dialog, name)->count(), 0) << name;
        Click(*dialog, "ButtonOK");
        EXPECT_EQ(dialog->result(), QDialog::Accepted);
        EXPECT_EQ(ReadLineAssignment(IniFile(path)).Wave_Out, kNoLine);
    }
}

}  // namespace
}  // namespace moravel::testing
