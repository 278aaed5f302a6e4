// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/desktopshortcuts.h"

#include <QProcess>
#include <array>

namespace numra::platform {

namespace {

const QString kMediaKeys = QStringLiteral("org.gnome.settings-daemon.plugins.media-keys");
const QString kCustomShortcut = QStringLiteral("org.gnome.settings-daemon.plugins.media-keys.custom-keybinding");
const QString kCustomList = QStringLiteral("custom-keybindings");
const QString kCustomFolder = QStringLiteral("/org/gnome/settings-daemon/plugins/media-keys/custom-keybindings/");
constexpr int kPatienceMs = 5000; // for each call of gsettings

struct KeyName {
    Qt::Key key;
    bool keypad; // a key of the numeric keypad
    const char* gnome;
    const char* shown;
};

// The keys a shortcut may use besides letters, digits and F1 to F24.
constexpr std::array kKeyNames{
    KeyName{Qt::Key_NumLock, false, "Num_Lock", "Num"},
    KeyName{Qt::Key_NumLock, true, "Num_Lock", "Num"},
    KeyName{Qt::Key_Print, false, "Print", "Druck"},
    KeyName{Qt::Key_Pause, false, "Pause", "Pause"},
    KeyName{Qt::Key_ScrollLock, false, "Scroll_Lock", "Rollen"},
    KeyName{Qt::Key_Insert, false, "Insert", "Einfg"},
    KeyName{Qt::Key_Delete, false, "Delete", "Entf"},
    KeyName{Qt::Key_Home, false, "Home", "Pos1"},
    KeyName{Qt::Key_End, false, "End", "Ende"},
    KeyName{Qt::Key_PageUp, false, "Page_Up", "Bild auf"},
    KeyName{Qt::Key_PageDown, false, "Page_Down", "Bild ab"},
    KeyName{Qt::Key_Left, false, "Left", "Links"},
    KeyName{Qt::Key_Right, false, "Right", "Rechts"},
    KeyName{Qt::Key_Up, false, "Up", "Hoch"},
    KeyName{Qt::Key_Down, false, "Down", "Runter"},
    KeyName{Qt::Key_Space, false, "space", "Leertaste"},
    KeyName{Qt::Key_Return, false, "Return", "Eingabe"},
    KeyName{Qt::Key_Enter, true, "KP_Enter", "Enter (Ziffernblock)"},
    KeyName{Qt::Key_Plus, true, "KP_Add", "+ (Ziffernblock)"},
    KeyName{Qt::Key_Minus, true, "KP_Subtract", "- (Ziffernblock)"},
    KeyName{Qt::Key_Asterisk, true, "KP_Multiply", "* (Ziffernblock)"},
    KeyName{Qt::Key_Slash, true, "KP_Divide", "/ (Ziffernblock)"},
    KeyName{Qt::Key_Calculator, false, "XF86Calculator", "Rechner"},
};

struct ModifierName {
    Qt::KeyboardModifier modifier;
    const char* gnome;
    const char* shown;
};

// In the order the user reads them: "Super+Umschalt+Num".
constexpr std::array kModifierNames{
    ModifierName{Qt::MetaModifier, "<Super>", "Super"},
    ModifierName{Qt::ControlModifier, "<Primary>", "Strg"},
    ModifierName{Qt::AltModifier, "<Alt>", "Alt"},
    ModifierName{Qt::ShiftModifier, "<Shift>", "Umschalt"},
};

std::optional<std::pair<QString, QString>> keyName(Qt::Key key, bool keypad)
{
    for (const KeyName& name : kKeyNames)
        if (name.key == key && name.keypad == keypad)
            return std::pair{QString::fromLatin1(name.gnome), QString::fromLatin1(name.shown)};
    if (key >= Qt::Key_A && key <= Qt::Key_Z && !keypad) {
        const QChar letter(char16_t(u'a' + (key - Qt::Key_A)));
        return std::pair{QString(letter), QString(letter.toUpper())};
    }
    if (key >= Qt::Key_0 && key <= Qt::Key_9) {
        const QString digit(QChar(char16_t(u'0' + (key - Qt::Key_0))));
        if (keypad)
            return std::pair{QStringLiteral("KP_") + digit, digit + QStringLiteral(" (Ziffernblock)")};
        return std::pair{digit, digit};
    }
    if (key >= Qt::Key_F1 && key <= Qt::Key_F24 && !keypad) {
        const QString function = QStringLiteral("F%1").arg(key - Qt::Key_F1 + 1);
        return std::pair{function, function};
    }
    return std::nullopt;
}

} // namespace

std::optional<DesktopKey> desktopKey(QKeyCombination keys)
{
    const Qt::KeyboardModifiers modifiers = keys.keyboardModifiers();
    const std::optional<std::pair<QString, QString>> name =
        keyName(keys.key(), modifiers.testFlag(Qt::KeypadModifier));
    if (!name)
        return std::nullopt;
    DesktopKey key;
    for (const ModifierName& modifier : kModifierNames) {
        if (modifiers.testFlag(modifier.modifier)) {
            key.gnome += QLatin1StringView(modifier.gnome);
            key.shown += QLatin1StringView(modifier.shown) + u'+';
        }
    }
    key.gnome += name->first;
    key.shown += name->second;
    return key;
}

std::optional<QStringList> readStringList(const QString& text)
{
    QStringView rest = QStringView(text).trimmed();
    if (rest.startsWith(u"@as"))
        rest = rest.sliced(3).trimmed();
    if (!rest.startsWith(u'[') || !rest.endsWith(u']'))
        return std::nullopt;
    rest = rest.sliced(1, rest.size() - 2).trimmed();
    QStringList list;
    while (!rest.isEmpty()) {
        const QChar quote = rest.front();
        if (quote != u'\'' && quote != u'"')
            return std::nullopt;
        QString item;
        qsizetype i = 1;
        for (; i < rest.size() && rest[i] != quote; ++i) {
            if (rest[i] == u'\\' && i + 1 < rest.size())
                ++i;
            item += rest[i];
        }
        if (i >= rest.size())
            return std::nullopt; // no closing quote
        list << item;
        rest = rest.sliced(i + 1).trimmed();
        if (rest.startsWith(u','))
            rest = rest.sliced(1).trimmed();
        else if (!rest.isEmpty())
            return std::nullopt;
    }
    return list;
}

QString quotedString(const QString& text)
{
    QString quoted = text;
    quoted.replace(u'\\', QStringLiteral("\\\\")).replace(u'\'', QStringLiteral("\\'"));
    return u'\'' + quoted + u'\'';
}

QString writtenStringList(const QStringList& list)
{
    QStringList quoted;
    for (const QString& item : list)
        quoted << quotedString(item);
    return u'[' + quoted.join(QStringLiteral(", ")) + u']';
}

QString customShortcutPath(const QString& id)
{
    return kCustomFolder + id + u'/';
}

GnomeShortcuts::GnomeShortcuts(QString program) : program_(std::move(program)) {}

GnomeShortcuts::Run GnomeShortcuts::run(const QStringList& arguments) const
{
    QProcess process;
    process.start(program_, arguments);
    if (!process.waitForStarted(kPatienceMs))
        return {false, QStringLiteral("gsettings lässt sich nicht starten.")};
    if (!process.waitForFinished(kPatienceMs)) {
        process.kill();
        process.waitForFinished();
        return {false, QStringLiteral("gsettings antwortet nicht.")};
    }
    if (process.exitStatus() != QProcess::NormalExit || process.exitCode() != 0) {
        const QString error = QString::fromLocal8Bit(process.readAllStandardError()).trimmed();
        return {false, error.isEmpty() ? QStringLiteral("gsettings meldet einen Fehler.") : error};
    }
    return {true, QString::fromUtf8(process.readAllStandardOutput()).trimmed()};
}

bool GnomeShortcuts::available() const
{
    const Run writable = run({QStringLiteral("writable"), kMediaKeys, kCustomList});
    return writable.ok && writable.output == u"true";
}

std::optional<QString> GnomeShortcuts::install(const std::vector<CustomShortcut>& shortcuts) const
{
    const Run listed = run({QStringLiteral("get"), kMediaKeys, kCustomList});
    if (!listed.ok)
        return listed.output;
    std::optional<QStringList> list = readStringList(listed.output);
    if (!list)
        return QStringLiteral("Die Liste der eigenen Tastenkombinationen lässt sich nicht lesen: %1").arg(listed.output);
    for (const CustomShortcut& shortcut : shortcuts) {
        const QString path = customShortcutPath(shortcut.id);
        const QString schema = kCustomShortcut + u':' + path;
        const std::array<std::pair<QString, QString>, 3> values{{{QStringLiteral("name"), shortcut.name},
                                                                 {QStringLiteral("command"), shortcut.command},
                                                                 {QStringLiteral("binding"), shortcut.binding}}};
        for (const auto& [key, value] : values)
            if (const Run set = run({QStringLiteral("set"), schema, key, quotedString(value)}); !set.ok)
                return set.output;
        if (!list->contains(path))
            list->append(path);
    }
    if (const Run set = run({QStringLiteral("set"), kMediaKeys, kCustomList, writtenStringList(*list)}); !set.ok)
        return set.output;
    return std::nullopt;
}

} // namespace numra::platform
