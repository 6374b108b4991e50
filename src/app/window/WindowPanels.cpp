#include "app/window/WindowPanels.h"

#include "app/window/PlotPanes.h"
#include "app/window/PlotSplit.h"
#include "app/window/SettingsPages.h"
#include "app/window/StatusStrip.h"

#include <QHBoxLayout>
#include <QMainWindow>
#include <QSplitter>
#include <QVBoxLayout>

namespace moravel {

namespace {

constexpr int kSettingsPanelHeight = 126;
constexpr int kSplitterWidth = 4;

}  // namespace

WindowPanels::WindowPanels(QMainWindow& window, std::function<void()> layoutChanged, ErrorReport report) {
    auto* central = new QWidget(&window);
    auto* column = new QVBoxLayout(central);
    column->setContentsMargins(0, 0, 0, 0);
    column->setSpacing(0);

    column->addWidget(buildPlotArea(central, std::move(layoutChanged), std::move(report)), 1);

    auto* settingsPanel = new QWidget(central);
    settingsPanel->setObjectName(QStringLiteral("SettingsPanel"));
    settingsPanel->setFixedHeight(kSettingsPanelHeight);
    auto* row = new QHBoxLayout(settingsPanel);
    row->setContentsMargins(0, 0, 0, 0);
    row->setSpacing(0);
    pages_ = new SettingsPages(settingsPanel);
    row->addWidget(pages_, 1);
    status_ = new StatusStrip(settingsPanel);
    row->addWidget(status_);
    column->addWidget(settingsPanel);
    window.setCentralWidget(central);
}

WindowPanels::~WindowPanels() = default;

// The spectrogram pane above the spectrum pane in `PanelBack`, divided by a
// green splitter that keeps the spectrogram's share.
QWidget* WindowPanels::buildPlotArea(QWidget* parent, std::function<void()> layoutChanged, ErrorReport report) {
    auto* area = new QWidget(parent);
    area->setObjectName(QStringLiteral("PanelBack"));
    auto* areaLayout = new QVBoxLayout(area);
    areaLayout->setContentsMargins(0, 0, 0, 0);
    auto* splitter = new QSplitter(Qt::Vertical, area);
    splitter->setObjectName(QStringLiteral("PlotSplitter"));
    splitter->setHandleWidth(kSplitterWidth);
    splitter->setOpaqueResize(true);
    splitter->setChildrenCollapsible(false);
    spectrogram_ = new SpectrogramPane(splitter);
    spectrogram_->setObjectName(QStringLiteral("TopPanel"));
    spectrogram_->setMinimumHeight(1);
    spectrum_ = new SpectrumPane(splitter);
    spectrum_->setObjectName(QStringLiteral("BottomPanel"));
    spectrum_->setMinimumHeight(1);
    splitter->addWidget(spectrogram_);
    splitter->addWidget(spectrum_);
    QSplitterHandle* handle = splitter->handle(1);
    handle->setObjectName(QStringLiteral("Splitter"));
    handle->setToolTip(QStringLiteral("Drag the splitter up or down"));
    handle->setStyleSheet(QStringLiteral("background-color: green;"));
    splitter->setStretchFactor(1, 1);
    areaLayout->addWidget(splitter);
    split_ = std::make_unique<PlotSplit>(*splitter, *area, std::move(layoutChanged), std::move(report));
    return area;
}

}  // namespace moravel
