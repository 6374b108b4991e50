#include "WavePageLayout.h"

#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QToolButton>

#include "PageControls.h"

namespace moravel {

namespace {

constexpr int kFreeRows = 3;

QGridLayout* AddGroup(QHBoxLayout* row, const QString& title) {
    QGroupBox* group = MakeGroup(title);
    QGridLayout* grid = MakeGridLayout(group);
    grid->setRowStretch(kFreeRows, 1);
    row->addWidget(group);
    return grid;
}

}  // namespace

WavePageGrids LayOutWavePage(QWidget* sheet, QToolButton* run, QToolButton* pause, QToolButton* help,
                             QToolButton* browse, QLabel* fileName) {
    QWidget* switches = new QWidget;
    QGridLayout* switchGrid = MakeGridLayout(switches);
    switchGrid->setContentsMargins(0, kMarginY, 0, kMarginY);
    switchGrid->addWidget(run, 0, 0);
    switchGrid->addWidget(pause, 1, 0);
    switchGrid->addWidget(help, 2, 0, Qt::AlignLeft);

    QHBoxLayout* row = MakeRowLayout(sheet);
    row->addWidget(switches);
    WavePageGrids grids{AddGroup(row, QStringLiteral("File")), AddGroup(row, QString())};
    row->addStretch(1);
    grids.file->addWidget(browse, 0, 0);
    grids.file->addWidget(fileName, 0, 1);
    return grids;
}

}  // namespace moravel
