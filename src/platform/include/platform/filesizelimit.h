// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// A write beyond the file-size limit (ulimit -f) ends the process by SIGXFSZ
// unless the signal is ignored; ignored, the write fails with EFBIG like a
// write to a full disk, and the program reports it as the write error it is.
// Called once at start-up; silent where the platform has no such signal.

namespace numra::platform {

void reportFileSizeLimitAsWriteError();

} // namespace numra::platform
