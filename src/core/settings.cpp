// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/settings.h"

#include "files/datafolder.h"
#include "files/wholefile.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>
#include <QSettings>
#include <QTemporaryFile>
#include <QStringList>

namespace numra {

namespace {

const QString kKeepTape = QStringLiteral("tape/keep");
const QString kVatRate = QStringLiteral("vat/rate");
const QString kOwnVatRate = QStringLiteral("vat/ownRate");
const QString kExactArithmetic = QStringLiteral("arithmetic/exact");
const QString kAlwaysOnTop = QStringLiteral("window/alwaysOnTop");
const QString kHighContrast = QStringLiteral("window/highContrast");
const QString kSingleWindow = QStringLiteral("window/single");
const QString kZoom = QStringLiteral("window/zoom");
const QString kDecimalPlaces = QStringLiteral("amounts/places");
const QString kRounding = QStringLiteral("amounts/rounding");
const QString kGrouping = QStringLiteral("amounts/grouping");
const QString kWindowLeft = QStringLiteral("window/left");
const QString kWindowTop = QStringLiteral("window/top");

// Far beyond any screen, and small enough that no sum of coordinates
// overflows.
constexpr int kCoordinateLimit = 1'000'000;

// Far more than Numra writes; a larger file is read as far as this.
constexpr qint64 kLargestFile = 1 << 20;

// A key of a section that the file may hold (those of Numra and any written
// by hand in the same form), and a value that needs no quotes.
bool isPlainKey(QStringView key)
{
    static const QRegularExpression plain(QStringLiteral("^[A-Za-z0-9_.-]+/[A-Za-z0-9_.-]+$"));
    return plain.match(key).hasMatch();
}

bool isPlainValue(QStringView value)
{
    static const QRegularExpression plain(QStringLiteral("^[A-Za-z0-9_.+-]*$"));
    return plain.match(value).hasMatch();
}

// In quotes, as Qt's INI reader takes them back.
QString quoted(const QString& value)
{
    QString text = QStringLiteral("\"");
    for (const QChar c : value) {
        switch (c.unicode()) {
        case u'\\': text += QStringLiteral("\\\\"); break;
        case u'"': text += QStringLiteral("\\\""); break;
        case u'\n': text += QStringLiteral("\\n"); break;
        case u'\r': text += QStringLiteral("\\r"); break;
        case u'\t': text += QStringLiteral("\\t"); break;
        default:
            if (c.unicode() < 0x20)
                text += QStringLiteral("\\x%1").arg(c.unicode(), 4, 16, QChar(u'0'));
            else
                text += c;
        }
    }
    return text + u'"';
}

} // namespace

Settings::Settings() : Settings(settingsFile()) {}

// An unquoted comma makes a list of the value; a rate typed by hand as
// "16,5" is meant as one text.
Settings::Settings(const QString& fileName) : fileName_(fileName)
{
    // Qt's reader keeps each file it has read and reads it again only when
    // its time or size changed: two writes of one size within a clock tick
    // would come back stale. It reads a private copy instead.
    QFile original(fileName);
    if (!original.open(QIODevice::ReadOnly))
        return;
    QTemporaryFile copy;
    if (!copy.open() || copy.write(original.read(kLargestFile)) < 0 || !copy.flush())
        return;
    const QSettings file(copy.fileName(), QSettings::IniFormat);
    for (const QString& key : file.allKeys()) {
        const QVariant value = file.value(key);
        values_[key] = value.typeId() == QMetaType::QStringList ? value.toStringList().join(u',') : value.toString();
    }
}

QString Settings::text(const QString& key) const
{
    const auto found = values_.find(key);
    return found == values_.end() ? QString() : found->second;
}

// Sections in order, their keys in order; what cannot be written back as
// it was read (a key of another form, which only a broken file has) is
// left out.
// Several owners in one program (the window, the tape keeping) and several
// Numra at once write the same file: what another owner wrote since is
// taken over, so that no setting is lost; this owner's own changes win.
void Settings::set(const QString& key, const std::optional<QString>& value)
{
    if (value)
        values_[key] = *value;
    else
        values_.erase(key);
    changed_.insert(key);
}

void Settings::writeFile()
{
    for (const auto& [key, value] : Settings(fileName_).values_)
        if (!changed_.contains(key))
            values_[key] = value;
    QString text;
    QString section;
    for (const auto& [key, value] : values_) {
        if (!isPlainKey(key))
            continue;
        const qsizetype slash = key.indexOf(u'/');
        if (key.first(slash) != section) {
            section = key.first(slash);
            text += (text.isEmpty() ? QString() : QStringLiteral("\n")) + u'[' + section + QStringLiteral("]\n");
        }
        text += key.sliced(slash + 1) + u'=' + (isPlainValue(value) ? value : quoted(value)) + u'\n';
    }
    QDir().mkpath(QFileInfo(fileName_).absolutePath());
    writeWholeFile(fileName_, text.toUtf8());
}

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

bool Settings::keepTape() const { return flag(kKeepTape); }

void Settings::setKeepTape(bool keep)
{
    set(kKeepTape, keep ? QStringLiteral("true") : QStringLiteral("false"));
    writeFile();
}

VatRates Settings::vatRates() const { return consistentVatRates(vatRate(kVatRate), vatRate(kOwnVatRate)); }

// With a point, which an INI file does not take for a list separator.
void Settings::setVatRates(const VatRates& rates)
{
    set(kVatRate, vatRateNumber(rates.chosen, u'.'));
    if (rates.own)
        set(kOwnVatRate, vatRateNumber(*rates.own, u'.'));
    else
        set(kOwnVatRate, std::nullopt);
    writeFile();
}

bool Settings::exactArithmetic() const { return flag(kExactArithmetic); }

void Settings::setExactArithmetic(bool exact)
{
    set(kExactArithmetic, exact ? QStringLiteral("true") : QStringLiteral("false"));
    writeFile();
}

AmountFormat Settings::amountFormat() const
{
    AmountFormat format;
    format.selector = decimalSelectorNamed(text(kDecimalPlaces)).value_or(format.selector);
    format.rounding = roundingModeNamed(text(kRounding)).value_or(format.rounding);
    const QString grouping = text(kGrouping);
    format.grouping = grouping != u"false" && grouping != u"0";
    return format;
}

void Settings::setAmountFormat(const AmountFormat& format)
{
    set(kDecimalPlaces, decimalSelectorName(format.selector).toString());
    set(kRounding, roundingModeName(format.rounding).toString());
    set(kGrouping, format.grouping ? QStringLiteral("true") : QStringLiteral("false"));
    writeFile();
}

bool Settings::alwaysOnTop() const { return flag(kAlwaysOnTop); }

void Settings::setAlwaysOnTop(bool onTop)
{
    set(kAlwaysOnTop, onTop ? QStringLiteral("true") : QStringLiteral("false"));
    writeFile();
}

bool Settings::singleWindow() const
{
    const QString single = text(kSingleWindow);
    return single != u"false" && single != u"0";
}

void Settings::setSingleWindow(bool single)
{
    set(kSingleWindow, single ? QStringLiteral("true") : QStringLiteral("false"));
    writeFile();
}

bool Settings::highContrast() const { return flag(kHighContrast); }

void Settings::setHighContrast(bool on)
{
    set(kHighContrast, on ? QStringLiteral("true") : QStringLiteral("false"));
    writeFile();
}

int Settings::zoom() const { return number(kZoom).value_or(100); }

void Settings::setZoom(int percent)
{
    set(kZoom, QString::number(percent));
    writeFile();
}

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
    set(kWindowLeft, QString::number(position.x()));
    set(kWindowTop, QString::number(position.y()));
    writeFile();
}

} // namespace numra
