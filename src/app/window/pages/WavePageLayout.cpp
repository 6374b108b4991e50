#include "app/window/pages/WavePageLayout.h"

#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QToolButton>

#include "app/window/pages/PageControls.h"

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
    QHBoxLayout* row = MakeRowLayout(sheet);
    row->addWidget(MakeSwitchColumn({run, pause}, help));
    WavePageGrids grids{AddGroup(row, QStringLiteral("File")), AddGroup(row, QString())};
    row->addStretch(1);
    grids.file->addWidget(browse, 0, 0);
    grids.file->addWidget(fileName, 0, 1);
    return grids;
}

}  // namespace moravel
