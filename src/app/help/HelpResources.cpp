#include "app/help/HelpResources.h"

#include <QtCore/qglobal.h>

// Q_INIT_RESOURCE declares the generated initialiser in the enclosing
// namespace, so it has to be called from the global namespace.
static void RegisterManualResources() { Q_INIT_RESOURCE(manual); }

namespace moravel {

void InitHelpResources() {
    static const bool registered = [] {
        RegisterManualResources();
        return true;
    }();
    (void)registered;
}

QString ManualResourceDir() { return QStringLiteral(":/manual"); }

}  // namespace moravel
