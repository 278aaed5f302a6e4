// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/filesizelimit.h"

#include <csignal>

namespace numra::platform {

void reportFileSizeLimitAsWriteError()
{
#ifdef SIGXFSZ
    std::signal(SIGXFSZ, SIG_IGN);
#endif
}

} // namespace numra::platform
