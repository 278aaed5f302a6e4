// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/deadkeys.h"

#include <QByteArray>

namespace numra::platform {

namespace {
const char* const inputMethodVariable = "QT_IM_MODULE";
}

DeadKeysAsKeyPresses::DeadKeysAsKeyPresses()
{
    if (!qEnvironmentVariableIsEmpty(inputMethodVariable))
        return;
    qputenv(inputMethodVariable, QByteArrayLiteral("none"));
    chosenHere_ = true;
}

void DeadKeysAsKeyPresses::applicationCreated()
{
    if (chosenHere_)
        qunsetenv(inputMethodVariable);
}

} // namespace numra::platform
