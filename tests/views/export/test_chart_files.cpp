// Chart files read back by independent readers (Qt's image readers), the
// refused extension and the write errors.
#include "views/export/ChartExporter.h"
#include "views/export/ExportError.h"
#include "ExportTestChart.h"
#include "FileSizeLimit.h"
#include "TempFolder.h"

#include <QImage>

#include <gtest/gtest.h>

#include <sys/wait.h>
#include <unistd.h>

#include <filesystem>

namespace moravel {
namespace {

using moravel::test::ExportTestChart;
using moravel::testing::ReadText;
using moravel::testing::TempFolder;
using moravel::testing::WriteText;

class ChartFiles : public ::testing::Test {
protected:
    QString file(const char* name) const { return QString::fromStdString(folder.File(name)); }
    // The message of the ExportError that saving to `name` throws ("" when it does not throw).
    QString saveError(const QString& name) {
        try {
            ChartExporter(chart.Plot()).SaveToFile(name);
        } catch (const ExportError& e) {
            return QString::fromUtf8(e.what());
        }
        return {};
    }
    // A bitmap file read back: the chart's size, black background, the bar
    // and the hook's rectangle where they were drawn.
    void expectChartPixels(const QString& name) {
        const QImage image(name);
        ASSERT_FALSE(image.isNull()) << name.toStdString();
        EXPECT_EQ(image.size(), QSize(ExportTestChart::kWidth, ExportTestChart::kHeight));
        EXPECT_EQ(image.pixelColor(1, 1), QColor(Qt::black));
        EXPECT_EQ(image.pixelColor(chart.InsideTallestBar()), ExportTestChart::kBarColour);
        EXPECT_EQ(image.pixelColor(chart.InsideHookArea()), ExportTestChart::kHookColour);
    }

    TempFolder folder;
    ExportTestChart chart;
};

TEST_F(ChartFiles, BmpAndPngHoldTheChartAtItsSize) {
    ChartExporter(chart.Plot()).SaveToFile(file("chart.bmp"));
    ChartExporter(chart.Plot()).SaveToFile(file("chart.png"));
    expectChartPixels(file("chart.bmp"));
    expectChartPixels(file("chart.png"));
    EXPECT_EQ(ReadText(folder.File("chart.bmp")).substr(0, 2), "BM");
    EXPECT_EQ(ReadText(folder.File("chart.png")).substr(1, 3), "PNG");
    EXPECT_EQ(QImage(file("chart.bmp")).convertToFormat(QImage::Format_RGB32),
              QImage(file("chart.png")).convertToFormat(QImage::Format_RGB32));
}

TEST_F(ChartFiles, UpperCaseExtensionsWriteTheSameFormats) {
    ChartExporter(chart.Plot()).SaveToFile(file("CHART.BMP"));
    ChartExporter(chart.Plot()).SaveToFile(file("Chart.Png"));
    EXPECT_EQ(ReadText(folder.File("CHART.BMP")).substr(0, 2), "BM");
    EXPECT_EQ(ReadText(folder.File("Chart.Png")).substr(1, 3), "PNG");
}

TEST_F(ChartFiles, AnUnknownExtensionIsRefusedWithTheFormatsAndWritesNothing) {
    EXPECT_EQ(saveError(file("chart.jpg")),
              QStringLiteral("\"chart.jpg\" was not saved: images are saved as .bmp, .wmf, .emf, .png or .svg files."));
    EXPECT_EQ(saveError(file("chart")),
              QStringLiteral("\"chart\" was not saved: images are saved as .bmp, .wmf, .emf, .png or .svg files."));
    EXPECT_EQ(folder.EntryCount(), 0u);
}

TEST_F(ChartFiles, AFolderThatDoesNotExistIsAnErrorNamingTheFile) {
    const QString name = file("missing/chart.bmp");
    EXPECT_EQ(saveError(name), QStringLiteral("Cannot save \"") + name + "\": No such file or directory.");
    EXPECT_EQ(folder.EntryCount(), 0u);
}

// Root writes into read-only folders, so as root the save runs in a child
// process that has given up its rights.
TEST_F(ChartFiles, AReadOnlyFolderIsAnErrorAndGetsNoFile) {
    namespace fs = std::filesystem;
    const fs::path locked = folder.Path() / "locked";
    fs::create_directory(locked);
    fs::permissions(folder.Path(), fs::perms::owner_all | fs::perms::others_read | fs::perms::others_exec);
    fs::permissions(locked,
                    fs::perms::owner_read | fs::perms::owner_exec | fs::perms::others_read | fs::perms::others_exec);
    const QString name = file("locked/chart.png");
    const QString expected = QStringLiteral("Cannot save \"") + name + "\": Permission denied.";
    if (::geteuid() != 0) {
        EXPECT_EQ(saveError(name), expected);
    } else {
        const pid_t child = ::fork();
        ASSERT_GE(child, 0);
        if (child == 0) {
            const bool dropped = ::setgid(65534) == 0 && ::setuid(65534) == 0;
            ::_exit(dropped && saveError(name) == expected ? 0 : 1);
        }
        int status = 0;
        ASSERT_EQ(::waitpid(child, &status, 0), child);
        EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << "the unprivileged save did not fail as expected";
    }
    EXPECT_TRUE(fs::is_empty(locked));
    fs::permissions(locked, fs::perms::owner_all);
}

// A full disk, made by the file size limit (which binds every user): the
// write fails half way and the good file from before stays as it was, with
// no temporary file left beside it.
TEST_F(ChartFiles, AWriteThatFailsHalfWayKeepsTheOldFile) {
    WriteText(folder.File("chart.bmp"), "the old picture");
    QString message;
    {
        const testing::FileSizeLimit limit(4096);
        message = saveError(file("chart.bmp"));
    }
    EXPECT_EQ(message, QStringLiteral("Cannot save \"") + file("chart.bmp") + "\": File too large.");
    EXPECT_EQ(ReadText(folder.File("chart.bmp")), "the old picture");
    EXPECT_EQ(folder.EntryCount(), 1u);
}

TEST_F(ChartFiles, AnExistingFileIsReplacedWhole) {
    WriteText(folder.File("chart.png"), std::string(1 << 20, 'x'));  // longer than the new file
    ChartExporter(chart.Plot()).SaveToFile(file("chart.png"));
    expectChartPixels(file("chart.png"));
    EXPECT_EQ(folder.EntryCount(), 1u);
}

TEST_F(ChartFiles, AChartWithoutAreaIsAnError) {
    chart.Plot().resize(0, 0);
    EXPECT_EQ(saveError(file("chart.bmp")), QStringLiteral("The chart has no area on screen to export."));
    EXPECT_EQ(folder.EntryCount(), 0u);
}

}  // namespace
}  // namespace moravel
