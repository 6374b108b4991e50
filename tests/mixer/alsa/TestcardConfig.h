// Makes the test card plugin (plugin/, built as MORAVEL_TESTCARD_PLUGIN)
// ALSA's "default" control device for this process: writes an ALSA
// configuration that says so and points ALSA_CONFIG_PATH at it. Call before
// anything touches ALSA; the variant is read from kTestcardVariantVariable
// at every open ("enum" when unset).
#pragma once

#include "TestcardVariant.h"

#include <QString>
#include <QTemporaryDir>

#include <cstdlib>
#include <fstream>

namespace moravel::testing {

/// False when the configuration cannot be written into `folder`.
inline bool UseTestcardAsDefaultControl(const QTemporaryDir& folder) {
    if (!folder.isValid()) return false;
    const QString path = folder.filePath("asound.conf");
    std::ofstream config(path.toStdString());
    config << "ctl.!default {\n"
              "    type moravel_testcard\n"
              "    variant { @func getenv vars [ "
           << kTestcardVariantVariable
           << " ] default \"enum\" }\n"
              "}\n"
              "ctl_type.moravel_testcard { lib \""
           << MORAVEL_TESTCARD_PLUGIN << "\" }\n";
    if (!config.good()) return false;
    setenv("ALSA_CONFIG_PATH", path.toLocal8Bit().constData(), 1);
    return true;
}

}  // namespace moravel::testing
