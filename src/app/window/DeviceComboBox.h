// A list of sound devices that is filled afresh each time it is opened,
// since devices come and go while the program runs (a USB adapter plugged
// in, a sound server's sink added). The entries carry the device's PCM name
// as their data; the selected one stays selected across a refill, and one
// the list does not hold (gone, or a PCM given on the command line) stays
// in it, marked as not listed.
//
// GUI thread only.
#pragma once

#include "audio/alsa/AudioDeviceList.h"

#include <QComboBox>

#include <functional>
#include <string>
#include <vector>

namespace moravel {

class DeviceComboBox : public QComboBox {
public:
    using Lister = std::function<std::vector<AudioDeviceEntry>()>;

    /// `lister` gives the devices there are now.
    DeviceComboBox(Lister lister, QWidget* parent = nullptr);

    /// Fills the list and selects `id` (empty: the default device).
    void Refill(const std::string& id);
    /// The selected device's PCM name; empty for the default device.
    std::string SelectedId() const;

    void showPopup() override;

private:
    Lister lister_;
};

}  // namespace moravel
