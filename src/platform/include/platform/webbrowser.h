// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Opens a web address in the user's default browser. A failure to start one
// passes silently.

class QString;

namespace numra::platform {

void openWebAddress(const QString& address);

} // namespace numra::platform
