// The ALSA mixer service on the test card plugin: before anything touches
// ALSA, the process's ALSA configuration is replaced by one that makes the
// "default" control device the plugin, its variant taken from
// MORAVEL_TESTCARD_VARIANT at every open (TestcardVariant.h).
#include "TestcardVariant.h"

#include <QCoreApplication>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>

namespace {

// The plugin's path comes from the build (MORAVEL_TESTCARD_PLUGIN).
bool WriteAlsaConfig(const QString& path) {
    std::ofstream config(path.toStdString());
    config << "ctl.!default {\n"
              "    type moravel_testcard\n"
              "    variant { @func getenv vars [ "
           << moravel::testing::kTestcardVariantVariable
           << " ] default \"enum\" }\n"
              "}\n"
              "ctl_type.moravel_testcard { lib \""
           << MORAVEL_TESTCARD_PLUGIN << "\" }\n";
    return config.good();
}

}  // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    QTemporaryDir folder;
    const QString config = folder.filePath("asound.conf");
    if (!folder.isValid() || !WriteAlsaConfig(config)) return 1;
    setenv("ALSA_CONFIG_PATH", config.toLocal8Bit().constData(), 1);
    return RUN_ALL_TESTS();
}
