// What the Soundcard page does: its seven pairs (check box and track bar)
// follow the assigned mixer lines. The page is enabled from the line
// assignment, refreshed from the mixer (ReadMixer, ReadLine), writes every
// change of a pair straight to its line (WriteLine), puts every line into the
// program's defaults ("Auto set audio"), shows the card's name, and
// refreshes itself when the mixer reports a change (by this program or any
// other), so a source the recording multiplexer deselected shows off. After
// each write the check box shows what the card then reports, so a source
// the card will not deselect (an enumerated input selector always has one)
// stays checked. A line without a volume control has its track bar disabled.
//
// The page's controls and the mixer's change notice are connected to this
// class while it lives (the window makes a new one for each mixer it opens).
// Refreshing never writes: the controls are set with their signals blocked.
// The pairs' lines and the arithmetic come from MixerPairs.h.
//
// Threads: GUI thread only.
#pragma once

#include "app/core/MixerPairs.h"
#include "app/window/GuardedConnect.h"
#include "common/LineAssignment.h"
#include "common/SoundcardLayout.h"

#include <QObject>

class QCheckBox;
class QSlider;

namespace moravel {

class SoundcardPage;
class AudioMixer;

class SoundcardMixerPage {
public:
    /// `page` and `mixer` must outlive this object. Disables the pairs and
    /// the "Auto set audio" button until Enable, and connects them and the
    /// mixer's change notice; a handler's exception goes to `reportError`.
    SoundcardMixerPage(SoundcardPage& page, AudioMixer& mixer, ErrorReport reportError);

    SoundcardMixerPage(const SoundcardMixerPage&) = delete;
    SoundcardMixerPage& operator=(const SoundcardMixerPage&) = delete;

    /// The card name label := the card's own name (the mixer's product
    /// name), or "No soundcard found" when no mixer opened.
    void ShowCardName();

    /// The enabling rule: each pair is enabled while the mixer is usable and
    /// its line is assigned (the master always with a usable mixer), its
    /// track bar only when the line has a volume to move; the "Auto set
    /// audio" button with a usable mixer. Remembers `lines` for the other
    /// operations.
    void Enable(const LineAssignment& lines);

    /// Refreshes the enabled pairs from the mixer in the order master, wave
    /// out, wave in, microphone out, microphone in, line out, line in.
    void ReadMixer();
    /// Refreshes the pair of destination `destination` (0, 1) and stored
    /// connection `connection` (-1: the destination itself, the master);
    /// nothing when no enabled pair has that line.
    void ReadLine(int destination, int connection);
    /// Writes one line: volume Round(position x 655.35) on both channels and
    /// the mute (or selection) the check box stands for. `connection` is the
    /// mixer's (-1: the destination itself). Returns SetVolume's result.
    bool WriteLine(int destination, int connection, bool checked, int position);

    /// What the open mixer offers (SoundcardLayout.h).
    SoundcardLayout Layout() const;

private:
    struct Pair {
        QCheckBox* check;
        QSlider* track;
    };
    // What the mixer reports of a line: -1 for what it cannot read.
    struct Reading {
        int left = -1;
        int mute = -1;
        bool muteIsSelection = false;
    };
    void connectControls(const ErrorReport& reportError);
    /// A pair's check box or track bar changed: writes its line, then shows
    /// the line's on/off state as the card reports it.
    void pairChanged(MixerPair pair);
    /// "Auto set audio": each enabled pair in turn gets its default state
    /// and is written (MixerPairs.h, kAutoSetSteps).
    void autoSetClicked();
    /// The mixer reported a control change: refreshes the page once it
    /// shows the mixer's state (after the first ReadMixer).
    void mixerChanged();
    Pair controlsOf(MixerPair pair) const;
    Reading readingOf(const MixerLineRef& line) const;
    void refresh(MixerPair pair);
    void showChecked(MixerPair pair, const Reading& reading);
    void show(MixerPair pair, bool checked, int position);

    SoundcardPage& page_;
    AudioMixer& mixer_;
    LineAssignment lines_;
    bool shown_ = false;
    // Every connection's receiver: they end with this object.
    QObject receiver_;
};

}  // namespace moravel
