// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// What the user chose and Numra keeps between runs, in one place: an INI file
// in the user's configuration folder (~/.config/numra/numra.conf, following
// XDG_CONFIG_HOME). A missing file, or a value that is missing, cannot be
// read or lies out of range, gives that value's default; the other values
// are read all the same. Reading never writes: the file appears when the
// user first changes something.
//
// The file is read once, and each change writes it whole at once (beside it
// first, then in its place), so that a change that cannot be written throws
// Error naming the file and the reason and leaves the file as it was; the
// value holds for the run all the same. Qt's own writer is not used: it
// reports no full disk.

#include "core/amountformat.h"
#include "core/vatrates.h"

#include <QPoint>
#include <QString>
#include <map>
#include <optional>
#include <set>

namespace numra {

class Settings {
public:
    // The user's settings file.
    Settings();
    // Another file (tests).
    explicit Settings(const QString& fileName);
    Settings(const Settings&) = delete;
    Settings& operator=(const Settings&) = delete;

    // Every setter may throw Error ("Datei "%s" kann nicht erstellt werden.
    // %s"); the value is set for the run all the same.

    // "Rechenstreifen behalten": the tape is kept between runs. Default off.
    bool keepTape() const;
    void setKeepTape(bool keep);

    // The rate of the VAT keys and the user's own. Default 19 %, no own rate.
    VatRates vatRates() const;
    void setVatRates(const VatRates& rates);

    // "Genau rechnen (dezimal)". Default off.
    bool exactArithmetic() const;
    void setExactArithmetic(bool exact);

    // "Nachkommastellen", "Runden" and "Tausenderpunkte". Default F, 5/4,
    // and thousands points on (the German way of writing amounts).
    AmountFormat amountFormat() const;
    void setAmountFormat(const AmountFormat& format);

    // "Immer im Vordergrund". Default off.
    bool alwaysOnTop() const;
    void setAlwaysOnTop(bool onTop);

    // "Nur ein Fenster": a later start hands over to the Numra that runs.
    // Default on.
    bool singleWindow() const;
    void setSingleWindow(bool single);

    // "Hoher Kontrast". Default off.
    bool highContrast() const;
    void setHighContrast(bool on);

    // The zoom in percent; 100 by default. Whether it is one of the zoom's
    // steps is for the window to judge.
    int zoom() const;
    void setZoom(int percent);

    // Top left corner of the calculator window; nothing by default. Whether
    // it still lies on a screen is for the window to judge.
    std::optional<QPoint> windowPosition() const;
    void setWindowPosition(QPoint position);

    const QString& fileName() const { return fileName_; }

private:
    QString text(const QString& key) const;
    bool flag(const QString& key) const;
    std::optional<int> number(const QString& key) const;
    std::optional<int> vatRate(const QString& key) const;
    void set(const QString& key, const std::optional<QString>& value);
    void writeFile();

    QString fileName_;
    std::map<QString, QString> values_; // "section/key" and the value's text
    std::set<QString> changed_;         // the keys this owner has set
};

} // namespace numra
