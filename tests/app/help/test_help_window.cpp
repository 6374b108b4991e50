#include <gtest/gtest.h>

#include <QTextBrowser>
#include <QToolButton>

#include "app/help/HelpResources.h"
#include "app/help/HelpWindow.h"

namespace moravel {
namespace {

const QUrl kContents(QStringLiteral("qrc:/manual/index.htm"));
const QUrl kFilter(QStringLiteral("qrc:/manual/Filter_function.htm"));

class HelpWindowTest : public ::testing::Test {
protected:
    void SetUp() override {
        InitHelpResources();
        window.SetContentsUrl(kContents);
        window.SetExternalOpener([this](const QUrl& url) {
            opened.append(url);
            return true;
        });
        window.ShowPage(kContents);
    }
    QTextBrowser* Browser() { return window.Browser(); }
    void Click(const char* href) { emit Browser()->anchorClicked(QUrl(QString::fromLatin1(href))); }
    QToolButton* Button(const char* name) { return window.findChild<QToolButton*>(QString::fromLatin1(name)); }

    HelpWindow window;
    QList<QUrl> opened;
};

TEST_F(HelpWindowTest, HasTheNamedBrowserAndTitle) {
    EXPECT_EQ(window.windowTitle(), QStringLiteral("Moravel Help"));
    EXPECT_EQ(window.findChild<QTextBrowser*>(QStringLiteral("HelpBrowser")), Browser());
    EXPECT_TRUE(window.isWindow());
}

TEST_F(HelpWindowTest, RelativeLinksOpenInTheWindowWithHistory) {
    Click("Filter_function.htm");
    EXPECT_EQ(Browser()->source(), kFilter);
    EXPECT_TRUE(opened.isEmpty());
    ASSERT_NE(Button("HelpBack"), nullptr);
    EXPECT_TRUE(Button("HelpBack")->isEnabled());
    EXPECT_FALSE(Button("HelpForward")->isEnabled());

    Button("HelpBack")->click();
    EXPECT_EQ(Browser()->source(), kContents);
    EXPECT_TRUE(Button("HelpForward")->isEnabled());
    Button("HelpForward")->click();
    EXPECT_EQ(Browser()->source(), kFilter);

    Button("HelpContents")->click();
    EXPECT_EQ(Browser()->source(), kContents);
}

TEST_F(HelpWindowTest, WebAndMailLinksGoOutsideAndKeepThePage) {
    Click("https://example.org/moravel");
    Click("HTTP://example.org/");
    Click("mailto:someone@example.org");
    ASSERT_EQ(opened.size(), 3);
    EXPECT_EQ(opened[0], QUrl(QStringLiteral("https://example.org/moravel")));
    EXPECT_EQ(opened[2].scheme(), QStringLiteral("mailto"));
    EXPECT_EQ(Browser()->source(), kContents);
}

TEST_F(HelpWindowTest, OtherSchemesAreIgnored) {
    Click("file:///etc/passwd");
    Click("javascript:alert(1)");
    EXPECT_TRUE(opened.isEmpty());
    EXPECT_EQ(Browser()->source(), kContents);
}

TEST_F(HelpWindowTest, NoticeLastsUntilTheNextPage) {
    window.SetNotice(QStringLiteral("Help topic \"X\" was not found."));
    EXPECT_EQ(window.Notice(), QStringLiteral("Help topic \"X\" was not found."));
    Click("Audio_settings.htm");
    EXPECT_TRUE(window.Notice().isEmpty());
}

TEST_F(HelpWindowTest, StyleSheetOfTheManualIsApplied) {
    // manual.css colours the headings; QTextBrowser loads it through the page's <link>.
    const QString html = Browser()->toHtml();
    EXPECT_TRUE(html.contains(QStringLiteral("#1b5e20"), Qt::CaseInsensitive)) << html.left(2000).toStdString();
}

}  // namespace
}  // namespace moravel
