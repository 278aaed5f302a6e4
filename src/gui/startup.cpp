// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/startup.h"

namespace numra {

NumraWindows::NumraWindows(platform::WarningBeep& beep, QChar decimalSeparator)
    : rech(beep, decimalSeparator),
      about(&rech),
      summe(&rech, decimalSeparator),
      help(&rech),
      saveRech(&rech),
      select(&rech)
{
    rech.attach({&about, &summe, &help, &saveRech, &select});
}

} // namespace numra
