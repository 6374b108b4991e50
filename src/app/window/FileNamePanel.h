// The recorder's and the player's file-name panels: the name without its
// folder, with the full path as the panel's hint. GUI thread only.
#pragma once

#include <QFileInfo>
#include <QLabel>

#include <string>

namespace moravel {

/// Shows `path` (any form the user gave; may be relative) in `panel`.
inline void ShowFileName(QLabel* panel, const std::string& path) {
    const QString full = QString::fromStdString(path);
    panel->setText(QFileInfo(full).fileName());
    panel->setToolTip(full);
}

}  // namespace moravel
