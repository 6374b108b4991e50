// The ALSA mixer service on the test card plugin: before anything touches
// ALSA, the process's ALSA configuration is replaced by one that makes the
// "default" control device the plugin (TestcardConfig.h).
#include "TestcardConfig.h"

#include <QCoreApplication>
#include <QTemporaryDir>

#include <gtest/gtest.h>

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    QTemporaryDir folder;
    if (!moravel::testing::UseTestcardAsDefaultControl(folder)) return 1;
    return RUN_ALL_TESTS();
}
