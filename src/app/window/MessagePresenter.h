// How the window shows a message to the user: a message box in the
// program, a recorder in tests.
#pragma once

#include <QString>

#include <functional>

namespace moravel {

/// Shows a message to the user: caption, text. GUI thread only.
using MessagePresenter = std::function<void(const QString& caption, const QString& text)>;

/// The caption of the recorder's and the player's warnings.
inline const QString kWarningCaption = QStringLiteral("Warning");

}  // namespace moravel
