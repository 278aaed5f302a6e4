#include "platform/deadkeys.h"

#include <QByteArray>

namespace numra::platform {

void deliverDeadKeysAsKeyPresses()
{
    if (qEnvironmentVariableIsEmpty("QT_IM_MODULE"))
        qputenv("QT_IM_MODULE", QByteArrayLiteral("none"));
}

} // namespace numra::platform
