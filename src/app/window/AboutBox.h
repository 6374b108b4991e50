// The about box: the program's name and version, the free physical memory
// and the memory load at the moment the box was made, links to pages of the
// manual, and the full version with the licence notice.
#pragma once

#include "app/core/MemoryStatus.h"

#include <QDialog>

namespace moravel {

class AboutBox : public QDialog {
    Q_OBJECT

public:
    /// `memory`: the system's figures; `thousands`: the user's separator.
    AboutBox(const MemoryStatus& memory, const QString& thousands, QWidget* parent);

signals:
    /// A link was clicked: the manual topic to open.
    void linkOpened(const QString& topic);
};

}  // namespace moravel
