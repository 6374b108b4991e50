#include "audio/WaveDevice.h"

namespace moravel {

QEvent::Type WaveNotification::Type() {
    static const auto type = static_cast<QEvent::Type>(QEvent::registerEventType());
    return type;
}

}  // namespace moravel
