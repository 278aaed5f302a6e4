// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/settings.h"

#include "files/datafolder.h"

#include <QStringList>

namespace numra {

namespace {

const QString kKeepTape = QStringLiteral("tape/keep");
const QString kVatRate = QStringLiteral("vat/rate");
const QString kOwnVatRate = QStringLiteral("vat/ownRate");
const QString kExactArithmetic = QStringLiteral("arithmetic/exact");
const QString kAlwaysOnTop = QStringLiteral("window/alwaysOnTop");
const QString kWindowLeft = QStringLiteral("window/left");
const QString kWindowTop = QStringLiteral("window/top");

// Far beyond any screen, and small enough that no sum of coordinates
// overflows.
constexpr int kCoordinateLimit = 1'000'000;

} // namespace

Settings::Settings() : Settings(settingsFile()) {}

Settings::Settings(const QString& fileName) : store_(fileName, QSettings::IniFormat) {}

// An unquoted comma makes a list of the value; a rate typed by hand as
// "16,5" is meant as one text.
QString Settings::text(const QString& key) const
{
    const QVariant value = store_.value(key);
    if (value.typeId() == QMetaType::QStringList)
        return value.toStringList().join(u',');
    return value.toString();
}

// Only "true" and "1" read as on; anything else a hand or a broken disk left
// there is the default.
bool Settings::flag(const QString& key) const
{
    const QString value = text(key);
    return value == u"true" || value == u"1";
}

std::optional<int> Settings::number(const QString& key) const
{
    bool ok = false;
    const int value = text(key).trimmed().toInt(&ok);
    if (!ok || value <= -kCoordinateLimit || value >= kCoordinateLimit)
        return std::nullopt;
    return value;
}

std::optional<int> Settings::vatRate(const QString& key) const { return parseVatRate(text(key)); }

void Settings::write(const QString& key, const QVariant& value)
{
    store_.setValue(key, value);
    store_.sync();
}

bool Settings::keepTape() const { return flag(kKeepTape); }

void Settings::setKeepTape(bool keep) { write(kKeepTape, keep); }

VatRates Settings::vatRates() const { return consistentVatRates(vatRate(kVatRate), vatRate(kOwnVatRate)); }

// With a point, which an INI file does not take for a list separator.
void Settings::setVatRates(const VatRates& rates)
{
    store_.setValue(kVatRate, vatRateNumber(rates.chosen, u'.'));
    if (rates.own)
        store_.setValue(kOwnVatRate, vatRateNumber(*rates.own, u'.'));
    else
        store_.remove(kOwnVatRate);
    store_.sync();
}

bool Settings::exactArithmetic() const { return flag(kExactArithmetic); }

void Settings::setExactArithmetic(bool exact) { write(kExactArithmetic, exact); }

bool Settings::alwaysOnTop() const { return flag(kAlwaysOnTop); }

void Settings::setAlwaysOnTop(bool onTop) { write(kAlwaysOnTop, onTop); }

std::optional<QPoint> Settings::windowPosition() const
{
    const std::optional<int> left = number(kWindowLeft);
    const std::optional<int> top = number(kWindowTop);
    if (!left || !top)
        return std::nullopt;
    return QPoint(*left, *top);
}

void Settings::setWindowPosition(QPoint position)
{
    store_.setValue(kWindowLeft, position.x());
    store_.setValue(kWindowTop, position.y());
    store_.sync();
}

} // namespace numra
