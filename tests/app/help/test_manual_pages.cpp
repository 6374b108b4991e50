#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QImage>
#include <QTextBrowser>
#include <QTextDocument>
#include <QUrl>

#include "app/help/HelpRouter.h"
#include "app/help/HelpTopics.h"
#include "app/window/PageRegistry.h"
#include "ManualText.h"

namespace moravel {
namespace {

using help_test::AnchorNames;
using help_test::BodyWordCount;
using help_test::Hrefs;
using help_test::ImageSources;
using help_test::ManualPages;
using help_test::ReadManualFile;

bool IsExternal(const QUrl& url) {
    return url.scheme() == QLatin1String("http") || url.scheme() == QLatin1String("https") ||
           url.scheme() == QLatin1String("mailto");
}

TEST(ManualPages, EverySourcePageIsCompiledIn) {
    QStringList sources = QDir(QStringLiteral(MORAVEL_MANUAL_SOURCE_DIR)).entryList(QDir::Files);
    sources.sort();
    ASSERT_FALSE(sources.isEmpty());
    for (const QString& file : sources) {
        EXPECT_FALSE(ReadManualFile(file).isEmpty()) << "not in manual.qrc: " << file.toStdString();
    }
    for (const QString& page : ManualPages()) EXPECT_TRUE(sources.contains(page)) << page.toStdString();
}

TEST(ManualPages, EveryRelativeLinkReachesAnExistingFileAndAnchor) {
    const QStringList pages = ManualPages();
    ASSERT_GE(pages.size(), 17);
    for (const QString& page : pages) {
        const QUrl base(QStringLiteral("qrc:/manual/") + page);
        for (const QString& href : Hrefs(ReadManualFile(page))) {
            SCOPED_TRACE((page + QStringLiteral(" -> ") + href).toStdString());
            const QUrl link(href);
            ASSERT_TRUE(link.isValid());
            if (IsExternal(link)) continue;
            EXPECT_TRUE(link.isRelative());
            const QUrl target = base.resolved(link);
            ASSERT_EQ(target.scheme(), QStringLiteral("qrc"));
            const QString file = target.path().section(QLatin1Char('/'), -1);
            const QString text = ReadManualFile(file);
            EXPECT_FALSE(text.isEmpty()) << "missing " << target.toString().toStdString();
            if (target.hasFragment()) {
                EXPECT_TRUE(AnchorNames(text).contains(target.fragment()));
            }
        }
    }
}

TEST(ManualPages, ContentsLinksEveryTopicAndWebPage) {
    const QStringList links = Hrefs(ReadManualFile(QStringLiteral("index.htm")));
    QStringList wanted = HelpButtonTopics();
    wanted << QString::fromLatin1(kOnlineManualTopic) << QString::fromLatin1(kHomepageTopic)
           << QString::fromLatin1(kFeatureRequestTopic);
    for (const QString& topic : wanted) {
        EXPECT_TRUE(links.contains(topic + QStringLiteral(".htm"))) << topic.toStdString();
    }
    // And nothing in the manual is unreachable from the contents page.
    for (const QString& page : ManualPages()) {
        if (page != QStringLiteral("index.htm")) {
            EXPECT_TRUE(links.contains(page)) << page.toStdString();
        }
    }
}

TEST(ManualPages, TopicPagesAreRealPagesNotStubs) {
    for (const QString& topic : HelpButtonTopics()) {
        const QString html = ReadManualFile(topic + QStringLiteral(".htm"));
        SCOPED_TRACE(topic.toStdString());
        EXPECT_GE(BodyWordCount(html), 400);
        EXPECT_TRUE(html.contains(QStringLiteral("<title>")));
        EXPECT_TRUE(html.contains(QStringLiteral("<h1>")));
        EXPECT_TRUE(html.contains(QStringLiteral("href=\"index.htm\""))) << "no way back to the contents";
        EXPECT_TRUE(html.contains(QStringLiteral("href=\"manual.css\"")));
    }
    for (const char* page : {kContentsTopic, kOnlineManualTopic, kHomepageTopic, kFeatureRequestTopic}) {
        EXPECT_GE(BodyWordCount(ReadManualFile(QString::fromLatin1(page) + QStringLiteral(".htm"))), 250) << page;
    }
}

// The help window shows each page's pictures, not empty frames.
TEST(ManualPages, ScreenshotsShowInTheHelpWindow) {
    HelpRouter router;
    QStringList shown;
    for (const QString& page : ManualPages()) {
        const QStringList images = ImageSources(ReadManualFile(page));
        if (images.isEmpty()) continue;
        ASSERT_TRUE(router.ShowTopic(page));
        QTextDocument* document = router.Window()->Browser()->document();
        for (const QString& image : images) {
            SCOPED_TRACE((page + QStringLiteral(" -> ") + image).toStdString());
            const QVariant loaded = document->resource(QTextDocument::ImageResource, QUrl(image));
            EXPECT_FALSE(qvariant_cast<QImage>(loaded).isNull());
            shown << image;
        }
    }
    for (const char* image : {"screenshot-window.png", "screenshot-status-strip.png", "screenshot-soundcard-page.png"}) {
        EXPECT_TRUE(shown.contains(QLatin1String(image))) << image;
    }
}

// The contents page opens with the five steps from the cable to a working
// filter, and the troubleshooting entry it points to exists.
TEST(ManualPages, ContentsOpenWithTheQuickPath) {
    HelpRouter router;
    ASSERT_TRUE(router.ShowTopic(QString::fromLatin1(kContentsTopic)));
    const QString text = router.Window()->Browser()->toPlainText();
    const qsizetype quick = text.indexOf(QStringLiteral("Quick start in five steps"));
    ASSERT_GE(quick, 0);
    EXPECT_LT(quick, text.indexOf(QStringLiteral("The settings pages")));
    qsizetype at = quick;
    for (const char* step : {"Connect", "Start", "OK in the dialog", "Auto set audio", "Pick a preset"}) {
        at = text.indexOf(QLatin1String(step), at);
        EXPECT_GT(at, quick) << step;
    }
    EXPECT_TRUE(Hrefs(ReadManualFile(QStringLiteral("index.htm"))).contains(QStringLiteral("online_manual.htm#nothing")));
}

// The arithmetic a first reading does not need stands in the appendix only.
TEST(ManualPages, ArithmeticLivesInTheAppendix) {
    const QString appendix = ReadManualFile(QStringLiteral("Appendix_arithmetic.htm"));
    for (const char* detail : {"pieces of 401 samples", "1.89 and 2.08 Hz", "a hundredth of the span"}) {
        EXPECT_TRUE(appendix.contains(QLatin1String(detail))) << detail;
        for (const QString& page : ManualPages()) {
            if (page != QStringLiteral("Appendix_arithmetic.htm")) {
                EXPECT_FALSE(ReadManualFile(page).contains(QLatin1String(detail))) << detail << " in " << page.toStdString();
            }
        }
    }
}

TEST(ManualPages, WordCountIgnoresMarkup) {
    EXPECT_EQ(BodyWordCount(QStringLiteral("<html><head><title>Many words here</title></head>"
                                           "<body><p class=\"x\">One <b>two</b>&nbsp;three</p></body></html>")),
              3);
}

}  // namespace
}  // namespace moravel
