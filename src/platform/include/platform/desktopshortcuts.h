// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The desktop's own keyboard shortcuts, which run a command from any
// program: a program cannot take a key for itself under Wayland, so Numra
// offers its commands and helps to bind them. GNOME keeps its custom
// shortcuts ("Eigene Tastenkombinationen") in GSettings, which the program
// gsettings reads and writes; other desktops are set up by the user.

#include <QKeyCombination>
#include <QString>
#include <QStringList>
#include <optional>
#include <vector>

namespace numra::platform {

// A key combination as GNOME writes it ("<Super>Num_Lock") and as the user
// reads it ("Super+Num"); nothing for a key that GNOME has no name for here,
// or a combination without a key.
struct DesktopKey {
    QString gnome;
    QString shown;
    bool operator==(const DesktopKey&) const = default;
};
std::optional<DesktopKey> desktopKey(QKeyCombination keys);

struct CustomShortcut {
    QString id;      // the last part of its GSettings path: "numra-zeigen"
    QString name;    // as GNOME's settings list it
    QString command; // "numra --zeigen"
    QString binding; // "<Super>Num_Lock"
};

// GSettings' text of a list of strings ("@as []", "['/a/', '/b/']") and
// back; nothing for a text that is not such a list.
std::optional<QStringList> readStringList(const QString& text);
QString writtenStringList(const QStringList& list);
// A string as GSettings reads it, in single quotes.
QString quotedString(const QString& text);

// The path of a custom shortcut in GNOME's list.
QString customShortcutPath(const QString& id);

class GnomeShortcuts {
public:
    // `program`: gsettings, found on the PATH.
    explicit GnomeShortcuts(QString program = QStringLiteral("gsettings"));

    // GNOME's custom shortcuts can be written here.
    bool available() const;
    // Each shortcut gets its entry (one of the same id is written again)
    // and a place in GNOME's list; the user's other shortcuts stay. Nothing
    // on success, else why not, in German.
    std::optional<QString> install(const std::vector<CustomShortcut>& shortcuts) const;

private:
    struct Run {
        bool ok = false;
        QString output; // standard output, or the error's text
    };
    Run run(const QStringList& arguments) const;

    QString program_;
};

} // namespace numra::platform
