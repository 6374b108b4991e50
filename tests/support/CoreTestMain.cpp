// The main of the test programs whose code posts Qt events (the mixer, the
// wave components, the virtual card): an application object gives the
// current thread its event queue.
#include <QCoreApplication>

#include <gtest/gtest.h>

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
