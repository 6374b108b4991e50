// The soundcard watch's states: a loss closes the devices and schedules one
// attempt; failed attempts close again and schedule the next; a successful
// opening (an attempt or the user's own) ends the loss; closing the window
// ends it too. Hooks record what the watch asks for.
#include "app/pipeline/DeviceWatch.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace moravel {
namespace {

using State = DeviceWatch::State;

// The window's side: a card that is there or not, and a log of the hooks.
struct FakeWindow {
    FakeWindow()
        : watch({[this] { log.push_back("close"); },
                 [this] {
                     log.push_back("open");
                     watch.Opened(cardPresent);
                 },
                 [this](int ms) { log.push_back("retry in " + std::to_string(ms)); },
                 [this](State s) { shown.push_back(s); }}) {}

    bool cardPresent = true;
    std::vector<std::string> log;
    std::vector<State> shown;
    DeviceWatch watch;
};

TEST(DeviceWatch, ALossClosesSchedulesOneAttemptAndResumesWhenTheCardIsBack) {
    FakeWindow w;
    w.watch.Opened(true);
    EXPECT_EQ(w.watch.state(), State::Running);

    w.cardPresent = false;
    w.watch.DeviceLost();
    w.watch.DeviceLost();  // the other device's report of the same loss
    EXPECT_EQ(w.watch.state(), State::Lost);
    EXPECT_EQ(w.log, (std::vector<std::string>{"close", "retry in 750"}));
    EXPECT_EQ(w.watch.Losses(), 1);

    w.log.clear();
    w.watch.Retry();  // card still gone
    EXPECT_EQ(w.watch.state(), State::Retrying);
    EXPECT_EQ(w.log, (std::vector<std::string>{"open", "close", "retry in 750"}));

    w.log.clear();
    w.cardPresent = true;
    w.watch.Retry();
    EXPECT_EQ(w.watch.state(), State::Running);
    EXPECT_EQ(w.log, (std::vector<std::string>{"open"})) << "nothing scheduled once back";
    EXPECT_EQ(w.watch.Resumes(), 1);
    EXPECT_EQ(w.shown, (std::vector<State>{State::Running, State::Lost, State::Retrying, State::Running}));
}

TEST(DeviceWatch, StaleOrIdleEventsDoNothing) {
    FakeWindow w;
    w.watch.DeviceLost();  // never started: nothing to lose
    w.watch.Retry();       // no loss: a stale attempt
    EXPECT_EQ(w.watch.state(), State::Idle);
    EXPECT_TRUE(w.log.empty());

    EXPECT_TRUE(w.shown.empty());
}

TEST(DeviceWatch, ACardMissingAtStartIsTriedAgainUntilItComes) {
    FakeWindow w;
    w.cardPresent = false;
    w.watch.Opened(false);  // the first opening found no card
    EXPECT_EQ(w.watch.state(), State::Missing);
    EXPECT_EQ(w.log, (std::vector<std::string>{"close", "retry in 750"}));
    w.log.clear();
    w.watch.Retry();
    EXPECT_EQ(w.watch.state(), State::Missing) << "still missing, not lost";
    EXPECT_EQ(w.log, (std::vector<std::string>{"open", "close", "retry in 750"}));
    w.cardPresent = true;
    w.watch.Retry();
    EXPECT_EQ(w.watch.state(), State::Running);
    EXPECT_EQ(w.shown, (std::vector<State>{State::Missing, State::Running}));
}

TEST(DeviceWatch, TheUsersOwnOpeningEndsALossAndTheStaleAttemptIsIgnored) {
    FakeWindow w;
    w.watch.Opened(true);
    w.watch.DeviceLost();
    w.watch.Opened(false);  // a range change while the card is gone
    EXPECT_EQ(w.watch.state(), State::Lost) << "a failed opening keeps the loss";
    w.watch.Opened(true);
    EXPECT_EQ(w.watch.state(), State::Running);
    EXPECT_EQ(w.watch.Resumes(), 1);

    w.log.clear();
    w.watch.Retry();  // the attempt scheduled by the loss
    EXPECT_TRUE(w.log.empty());
    EXPECT_EQ(w.watch.state(), State::Running);
}

TEST(DeviceWatch, ALossRightAfterAReturnKeepsOneChainOfAttempts) {
    FakeWindow w;
    w.watch.Opened(true);
    w.watch.DeviceLost();  // schedules attempt 1
    w.watch.Opened(true);  // back before attempt 1 ran
    w.watch.DeviceLost();  // attempt 1 still pending: nothing more scheduled
    EXPECT_EQ(w.log, (std::vector<std::string>{"close", "retry in 750", "close"}));
    EXPECT_EQ(w.watch.Losses(), 2);
}

TEST(DeviceWatch, StoppingEndsALossAndItsAttempts) {
    FakeWindow w;
    w.watch.Opened(true);
    w.cardPresent = false;
    w.watch.DeviceLost();
    w.watch.Stopped();
    EXPECT_EQ(w.watch.state(), State::Idle);
    w.log.clear();
    w.watch.Retry();
    EXPECT_TRUE(w.log.empty());
}

}  // namespace
}  // namespace moravel
