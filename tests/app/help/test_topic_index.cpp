#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include "app/help/HelpResources.h"
#include "app/help/TopicIndex.h"

namespace moravel {
namespace {

TopicIndex ManualIndex() {
    InitHelpResources();
    return TopicIndex(ManualResourceDir());
}

TEST(TopicIndex, MatchesNamesWithoutRegardToCaseOrExtension) {
    const TopicIndex index = ManualIndex();
    const QString expected = QStringLiteral(":/manual/Soundcard_settings.htm");
    EXPECT_EQ(index.PathFor(QStringLiteral("Soundcard_settings")), expected);
    EXPECT_EQ(index.PathFor(QStringLiteral("Soundcard_Settings")), expected);
    EXPECT_EQ(index.PathFor(QStringLiteral("SOUNDCARD_SETTINGS.HTM")), expected);
    EXPECT_EQ(index.PathFor(QStringLiteral(" soundcard_settings.htm ")), expected);
    EXPECT_EQ(index.PageFor(QStringLiteral("the_spectrum_plot")), QStringLiteral("The_Spectrum_plot.htm"));
}

TEST(TopicIndex, UnknownOrUnsafeTopicsAreNotFound) {
    const TopicIndex index = ManualIndex();
    for (const char* topic : {"", "No_such_topic", "manual", "manual.css", "../manual/index", ":/manual/index",
                              "index.htm/../index", "Soundcard settings"}) {
        EXPECT_TRUE(index.PathFor(QString::fromLatin1(topic)).isEmpty()) << topic;
    }
}

TEST(TopicIndex, OnlyPagesOfItsOwnFolderAreListed) {
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    for (const char* name : {"Alpha.htm", "beta.htm", "notes.txt", "style.css"}) {
        QFile file(dir.filePath(QString::fromLatin1(name)));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    }
    ASSERT_TRUE(QDir(dir.path()).mkdir(QStringLiteral("sub.htm")));  // a folder, not a page
    const TopicIndex index(dir.path());
    EXPECT_EQ(index.Names(), (QStringList{QStringLiteral("Alpha"), QStringLiteral("beta")}));
    EXPECT_EQ(index.PathFor(QStringLiteral("BETA")), dir.path() + QStringLiteral("/beta.htm"));
    EXPECT_TRUE(index.PathFor(QStringLiteral("notes")).isEmpty());
    EXPECT_TRUE(index.PathFor(QStringLiteral("sub")).isEmpty());
}

}  // namespace
}  // namespace moravel
