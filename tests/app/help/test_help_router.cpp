#include <gtest/gtest.h>

#include <QApplication>
#include <QDialog>
#include <QTextBrowser>
#include <QTextDocument>

#include "app/help/HelpRouter.h"
#include "app/help/HelpTopics.h"
#include "app/window/PageRegistry.h"

namespace moravel {
namespace {

QString ShownPage(const HelpRouter& router) { return router.Window()->Browser()->source().fileName(); }

TEST(HelpRouter, EveryHelpButtonTopicOpensItsPage) {
    HelpRouter router;
    for (const QString& topic : HelpButtonTopics()) {
        SCOPED_TRACE(topic.toStdString());
        ASSERT_TRUE(router.ShowTopic(topic));
        QTextBrowser* browser = router.Window()->Browser();
        EXPECT_EQ(browser->source(), QUrl(QStringLiteral("qrc:/manual/") + topic + QStringLiteral(".htm")));
        EXPECT_FALSE(browser->documentTitle().trimmed().isEmpty());
        EXPECT_TRUE(browser->toHtml().contains(QStringLiteral("<h1")));
        EXPECT_GT(browser->document()->characterCount(), 1000);
        EXPECT_TRUE(router.Window()->Notice().isEmpty());
    }
}

TEST(HelpRouter, TopicsAreMatchedWithoutRegardToCase) {
    HelpRouter router;
    // The soundcard dialog and the Soundcard page's button spell the topic differently.
    EXPECT_EQ(router.TopicUrl(QStringLiteral("Soundcard_Settings")),
              router.TopicUrl(QStringLiteral("Soundcard_settings")));
    ASSERT_TRUE(router.ShowTopic(QStringLiteral("Soundcard_Settings")));
    EXPECT_EQ(ShownPage(router), QStringLiteral("Soundcard_settings.htm"));
    ASSERT_TRUE(router.ShowTopic(QStringLiteral("the_spectrogram_PLOT")));
    EXPECT_EQ(ShownPage(router), QStringLiteral("The_Spectrogram_plot.htm"));
}

TEST(HelpRouter, UnknownTopicShowsContentsWithNotice) {
    HelpRouter router;
    EXPECT_TRUE(router.TopicUrl(QStringLiteral("Debug_page")).isEmpty());
    EXPECT_FALSE(router.ShowTopic(QStringLiteral("Debug_page")));
    ASSERT_NE(router.Window(), nullptr);
    EXPECT_EQ(ShownPage(router), QStringLiteral("index.htm"));
    EXPECT_EQ(router.Window()->Notice(), QStringLiteral("Help topic \"Debug_page\" was not found."));
    EXPECT_TRUE(router.Window()->isVisible());

    // The notice belongs to that one request.
    ASSERT_TRUE(router.ShowTopic(QStringLiteral("Filter_function")));
    EXPECT_TRUE(router.Window()->Notice().isEmpty());
}

TEST(HelpRouter, NoticeStaysWhenContentsWasAlreadyShown) {
    HelpRouter router;
    router.ShowContents();
    EXPECT_FALSE(router.ShowTopic(QString()));
    EXPECT_EQ(ShownPage(router), QStringLiteral("index.htm"));
    EXPECT_EQ(router.Window()->Notice(), QStringLiteral("Help topic \"\" was not found."));
    router.ShowContents();
    EXPECT_TRUE(router.Window()->Notice().isEmpty());
}

TEST(HelpRouter, WindowIsCreatedOnFirstRequestAndReused) {
    HelpRouter router;
    EXPECT_EQ(router.Window(), nullptr);
    router.ShowContents();
    HelpWindow* window = router.Window();
    ASSERT_NE(window, nullptr);
    EXPECT_TRUE(window->isVisible());
    EXPECT_EQ(window->windowTitle(), QStringLiteral("Moravel Help"));
    EXPECT_EQ(ShownPage(router), QStringLiteral("index.htm"));

    window->hide();
    ASSERT_TRUE(router.ShowTopic(QStringLiteral("Sound_player")));
    EXPECT_EQ(router.Window(), window);
    EXPECT_TRUE(window->isVisible());
}

TEST(HelpRouter, WebMenuPagesAndContentsAreTopicsToo) {
    HelpRouter router;
    const QStringList topics = router.Topics();
    for (const QString& topic : HelpButtonTopics()) EXPECT_TRUE(topics.contains(topic)) << topic.toStdString();
    for (const char* page : {kContentsTopic, kOnlineManualTopic, kHomepageTopic, kFeatureRequestTopic}) {
        const QString topic = QString::fromLatin1(page);
        EXPECT_TRUE(topics.contains(topic)) << page;
        EXPECT_TRUE(router.ShowTopic(topic)) << page;
        EXPECT_EQ(ShownPage(router), topic + QStringLiteral(".htm"));
    }
    EXPECT_FALSE(topics.contains(QStringLiteral("manual")));  // the style sheet is not a topic
}

TEST(HelpRouter, HomepageCarriesTheVersion) {
    HelpRouter router;
    ASSERT_TRUE(router.ShowTopic(QString::fromLatin1(kHomepageTopic)));
    EXPECT_TRUE(router.Window()->Browser()->toPlainText().contains(QStringLiteral("Moravel Ver 3.0")));
}

TEST(HelpRouter, HelpAskedFromAModalDialogIsUsableAboveIt) {
    HelpRouter router;
    router.ShowContents();  // an ordinary window first
    EXPECT_EQ(router.Window()->windowModality(), Qt::NonModal);

    QDialog dialog;
    dialog.setWindowModality(Qt::ApplicationModal);
    dialog.show();
    ASSERT_EQ(QApplication::activeModalWidget(), &dialog);
    ASSERT_TRUE(router.ShowTopic(QStringLiteral("Soundcard_Settings")));
    EXPECT_TRUE(router.Window()->isVisible());
    EXPECT_EQ(QApplication::activeModalWidget(), router.Window());
    EXPECT_EQ(ShownPage(router), QStringLiteral("Soundcard_settings.htm"));

    router.Window()->close();
    dialog.close();
    router.ShowContents();
    EXPECT_EQ(router.Window()->windowModality(), Qt::NonModal);
    EXPECT_EQ(QApplication::activeModalWidget(), nullptr);
}

}  // namespace
}  // namespace moravel
