// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// What the user chose and Numra keeps between runs, in one place: an INI file
// in the user's configuration folder (~/.config/numra/numra.conf, following
// XDG_CONFIG_HOME). A missing file, or a value that is missing or cannot be
// read, gives that value's default.

#include <QSettings>

namespace numra {

class Settings {
public:
    // The user's settings file.
    Settings();
    // Another file (tests).
    explicit Settings(const QString& fileName);
    Settings(const Settings&) = delete;
    Settings& operator=(const Settings&) = delete;

    // "Rechenstreifen behalten": the tape is kept between runs. Default off.
    bool keepTape() const;
    void setKeepTape(bool keep);

private:
    QSettings store_;
};

} // namespace numra
