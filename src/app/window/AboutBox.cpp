#include "app/window/AboutBox.h"

#include "app/window/AccessibleNames.h"
#include "MoravelVersion.h"

#include <QApplication>
#include <QDialogButtonBox>
#include <QGridLayout>
#include <QLabel>
#include <QPushButton>
#include <QStyle>

namespace moravel {

AboutBox::AboutBox(const MemoryStatus& memory, const QString& thousands, QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("AboutBox"));
    setWindowTitle(QStringLiteral("About"));
    setModal(true);
    auto* grid = new QGridLayout(this);

    auto* icon = new QLabel(this);
    icon->setPixmap(QApplication::windowIcon().isNull()
                        ? style()->standardIcon(QStyle::SP_MediaVolume).pixmap(48, 48)
                        : QApplication::windowIcon().pixmap(48, 48));
    grid->addWidget(icon, 0, 0, 2, 1, Qt::AlignTop);
    auto* name = new QLabel(QStringLiteral("<b>Moravel Ver %1</b>").arg(QLatin1String(kVersionShort)), this);
    name->setObjectName(QStringLiteral("ProductName"));
    grid->addWidget(name, 0, 1, 1, 2);
    grid->addWidget(new QLabel(QStringLiteral("Real-time audio processing and analysis for receivers."), this), 1, 1,
                    1, 2);

    grid->addWidget(new QLabel(QStringLiteral("Physical Memory free:"), this), 2, 1);
    auto* free = new QLabel(QString::fromStdString(FormatKilobytes(memory.availableKb, thousands.toStdString())), this);
    free->setObjectName(QStringLiteral("PhysMem"));
    grid->addWidget(free, 2, 2, Qt::AlignRight);
    grid->addWidget(new QLabel(QStringLiteral("Memory in Use:"), this), 3, 1);
    auto* load = new QLabel(QStringLiteral("%1 %").arg(memory.loadPercent), this);
    load->setObjectName(QStringLiteral("MemoryLoad"));
    grid->addWidget(load, 3, 2, Qt::AlignRight);

    auto* links = new QLabel(
        QStringLiteral("<a href=\"homepage\">About Moravel</a> &nbsp; <a href=\"feature_request\">Suggest a feature</a>"),
        this);
    links->setObjectName(QStringLiteral("Links"));
    // Tab reaches each link and Enter opens it, as a click does.
    links->setTextInteractionFlags(Qt::TextBrowserInteraction);
    connect(links, &QLabel::linkActivated, this, &AboutBox::linkOpened);
    grid->addWidget(links, 4, 1, 1, 2);

    // The full version says whether this is a release build or one with
    // later changes; the notice is the one GPL-3.0-or-later asks a program
    // to show.
    auto* licence = new QLabel(QStringLiteral("Version %1. Copyright 2026 The Moravel developers.\n"
                                              "Moravel is free software: you may pass it on and change it under "
                                              "the terms of the GNU General Public License, version 3 or (at your "
                                              "option) any later version. It comes with ABSOLUTELY NO WARRANTY.")
                                   .arg(QLatin1String(kVersion)),
                               this);
    licence->setObjectName(QStringLiteral("Licence"));
    licence->setWordWrap(true);
    grid->addWidget(licence, 5, 1, 1, 2);

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok, this);
    buttons->button(QDialogButtonBox::Ok)->setObjectName(QStringLiteral("ButtonOK"));
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    grid->addWidget(buttons, 6, 0, 1, 3);
    ApplyAccessibleTexts(this);
}

}  // namespace moravel
