#pragma once

#include <QString>

namespace moravel {

// Registers the manual's compiled-in resources. The resources live in a static
// library, whose initialiser the linker would otherwise drop; calling this once
// before the first look-up keeps them. Safe to call any number of times.
// GUI thread (or any single thread before the GUI starts).
void InitHelpResources();

// Resource folder of the manual pages: ":/manual".
QString ManualResourceDir();

}  // namespace moravel
