// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/shortcutsdialog.h"

#include "gui/announcement.h"
#include "gui/messagebox.h"

#include <QApplication>
#include <QClipboard>
#include <QFileInfo>
#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>
#include <QRegularExpression>
#include <QStandardPaths>

namespace numra {

namespace {

struct Command {
    const char* option;
    const char* caption;   // above its field
    const char* keyLabel;  // beside its key
    const char* gnomeName; // in GNOME's list of shortcuts
    const char* copyName;  // the copy button, for a screen reader
    QKeyCombination proposed;
};

// The two commands, in the order the dialog shows them.
const std::array<Command, 2> kCommands{{
    {"--zeigen", "Numra zeigen oder verbergen:", "Zeigen oder verbergen:", "Numra zeigen oder verbergen",
     "Befehl zum Zeigen kopieren", QKeyCombination(Qt::MetaModifier, Qt::Key_NumLock)},
    {"--zwischenablage", "Zwischenablage ausrechnen:", "Zwischenablage:", "Numra: Zwischenablage ausrechnen",
     "Befehl für die Zwischenablage kopieren", QKeyCombination(Qt::MetaModifier | Qt::ShiftModifier, Qt::Key_NumLock)},
}};
const std::array<QString, 2> kGnomeIds{QStringLiteral("numra-zeigen"), QStringLiteral("numra-zwischenablage")};

const QString kWhere = QStringLiteral(
    "GNOME: Einstellungen \u203A Tastatur \u203A Tastenkombinationen \u203A Eigene Tastenkombinationen\n"
    "KDE: Systemeinstellungen \u203A Kurzbefehle");

QLabel* label(const QString& text, QRect geometry, QWidget* parent)
{
    auto* shown = new QLabel(text, parent);
    shown->setGeometry(geometry);
    shown->setWordWrap(true);
    shown->setTextFormat(Qt::PlainText);
    shown->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    return shown;
}

} // namespace

ShortcutKeyField::ShortcutKeyField(const platform::DesktopKey& key, QWidget* parent) : QLineEdit(parent)
{
    setReadOnly(true);
    setKey(key);
}

void ShortcutKeyField::setKey(const platform::DesktopKey& key)
{
    key_ = key;
    setText(key.shown);
}

void ShortcutKeyField::keyPressEvent(QKeyEvent* event)
{
    const Qt::Key key = Qt::Key(event->key());
    const bool navigation = (key == Qt::Key_Tab || key == Qt::Key_Backtab || key == Qt::Key_Escape)
        && !(event->modifiers() & (Qt::MetaModifier | Qt::ControlModifier | Qt::AltModifier));
    const bool modifierAlone = key == Qt::Key_Shift || key == Qt::Key_Control || key == Qt::Key_Meta
        || key == Qt::Key_Alt || key == Qt::Key_AltGr || key == Qt::Key_Super_L || key == Qt::Key_Super_R;
    if (navigation || modifierAlone || key == Qt::Key_unknown) {
        QLineEdit::keyPressEvent(event);
        return;
    }
    event->accept();
    if (const std::optional<platform::DesktopKey> taken = platform::desktopKey(event->keyCombination())) {
        setKey(*taken);
        if (refused)
            refused(QString());
    } else if (refused) {
        refused(QStringLiteral("Diese Taste kann Numra GNOME nicht nennen; bitte eine andere wählen."));
    }
}

ShortcutsDialog::ShortcutsDialog(QWidget* owner, const QString& program, platform::GnomeShortcuts gnome)
    : FixedDialog(owner, QStringLiteral("shortcutsDialog"), QSize(460, 336)), program_(program), gnome_(std::move(gnome))
{
    setAccessibleName(QStringLiteral("Tastenkürzel einrichten"));
    label(QStringLiteral("Numra belegt selbst keine Tasten. Legen Sie im Desktop eine eigene Tastenkombination "
                         "auf einen dieser Befehle, dann holt sie Numra aus jedem Programm:"),
          {10, 8, 440, 44}, this);
    for (int i = 0; i < 2; ++i) {
        const Command& command = kCommands[std::size_t(i)];
        const int top = 56 + i * 48;
        QLabel* caption = label(QString::fromUtf8(command.caption), {10, top, 320, 17}, this);
        auto* field = new QLineEdit(this->commandText(i), this);
        field->setGeometry(10, top + 18, 320, 22);
        field->setReadOnly(true);
        field->setAccessibleName(QString::fromUtf8(command.caption).chopped(1));
        caption->setBuddy(field);
        commandFields_[std::size_t(i)] = field;
        QPushButton* copy = addButton(QStringLiteral("Befehl kopieren"), QRect(336, top + 18, 114, 22));
        copy->setAccessibleName(QString::fromUtf8(command.copyName));
        connect(copy, &QPushButton::clicked, this, [this, i] { copyCommand(i); });
        copyButtons_[std::size_t(i)] = copy;
    }
    label(kWhere, {10, 156, 440, 34}, this)->setAccessibleName(QStringLiteral("Wo der Desktop die Befehle nimmt"));

    gnomeTitle_ = label(QStringLiteral("In GNOME einrichten (zum Ändern in ein Feld klicken und die Tasten drücken):"),
                        {10, 198, 440, 17}, this);
    for (int i = 0; i < 2; ++i) {
        const Command& command = kCommands[std::size_t(i)];
        const int top = 220 + i * 26;
        keyLabels_[std::size_t(i)] = label(QString::fromUtf8(command.keyLabel), {10, top + 3, 140, 17}, this);
        auto* field = new ShortcutKeyField(*platform::desktopKey(command.proposed), this);
        field->setGeometry(150, top, 170, 22);
        field->setAccessibleName(QStringLiteral("Tastenkombination: ") + QString::fromUtf8(command.keyLabel).chopped(1));
        field->refused = [this](const QString& why) { status_->setText(why); };
        keyLabels_[std::size_t(i)]->setBuddy(field);
        keyFields_[std::size_t(i)] = field;
    }
    gnomeButton_ = addButton(QStringLiteral("In GNOME einrichten …"), QRect(326, 246, 124, 22));
    connect(gnomeButton_, &QPushButton::clicked, this, &ShortcutsDialog::setUpGnome);

    status_ = label(QString(), {10, 276, 440, 30}, this);
    status_->setAccessibleName(QStringLiteral("Meldung"));
    QPushButton* close = addButton(QStringLiteral("Schliessen"), QRect(170, 306, 120, 22));
    close->setAccessibleName(close->text());
    connect(close, &QPushButton::clicked, this, &QDialog::reject);
}

QString ShortcutsDialog::commandText(int which) const
{
    return program_ + u' ' + QString::fromLatin1(kCommands[std::size_t(which)].option);
}

void ShortcutsDialog::openDialog()
{
    bool gnome = false;
    {
        QApplication::setOverrideCursor(Qt::WaitCursor);
        gnome = gnome_.available();
        QApplication::restoreOverrideCursor();
    }
    gnomeTitle_->setVisible(gnome);
    gnomeButton_->setVisible(gnome);
    for (std::size_t i = 0; i < 2; ++i) {
        keyLabels_[i]->setVisible(gnome);
        keyFields_[i]->setVisible(gnome);
    }
    copyButtons_[0]->setFocus();
    exec();
}

void ShortcutsDialog::copyCommand(int which)
{
    QGuiApplication::clipboard()->setText(commandText(which));
    status_->setText(QStringLiteral("Kopiert: ") + commandText(which));
    announce(*copyButtons_[std::size_t(which)], status_->text());
}

void ShortcutsDialog::setUpGnome()
{
    const platform::DesktopKey& show = keyFields_[0]->key();
    const platform::DesktopKey& clipboard = keyFields_[1]->key();
    if (show == clipboard) {
        showMessageBox(this, MessageKind::Error, QStringLiteral("Die beiden Befehle brauchen verschiedene Tasten."));
        return;
    }
    const QString question =
        QStringLiteral("Numra richtet in GNOME zwei eigene Tastenkombinationen ein:\n\n%1: %2\n%3: %4\n\n"
                       "Sie stehen danach in den Einstellungen unter Tastatur \u203A Tastenkombinationen "
                       "\u203A Eigene Tastenkombinationen. Einrichten?")
            .arg(show.shown, commandText(0), clipboard.shown, commandText(1));
    if (!askToConfirm(this, question, QStringLiteral("Einrichten")))
        return;
    std::vector<platform::CustomShortcut> shortcuts;
    for (std::size_t i = 0; i < 2; ++i)
        shortcuts.push_back({kGnomeIds[i], QString::fromUtf8(kCommands[i].gnomeName), commandText(int(i)),
                             keyFields_[i]->key().gnome});
    QApplication::setOverrideCursor(Qt::WaitCursor);
    const std::optional<QString> failed = gnome_.install(shortcuts);
    QApplication::restoreOverrideCursor();
    if (failed) {
        showMessageBox(this, MessageKind::Error,
                       QStringLiteral("Die Tastenkombinationen ließen sich nicht einrichten: ") + *failed);
        return;
    }
    status_->setText(QStringLiteral("Eingerichtet: %1 und %2.").arg(show.shown, clipboard.shown));
    announce(*gnomeButton_, status_->text());
}

// A path with blanks or quotes is quoted as a shell reads it, which is how
// the desktops split a command.
QString programForDesktop()
{
    const QString running = QCoreApplication::applicationFilePath();
    const QString found = QStandardPaths::findExecutable(QStringLiteral("numra"));
    if (!found.isEmpty() && QFileInfo(found).canonicalFilePath() == QFileInfo(running).canonicalFilePath())
        return QStringLiteral("numra");
    static const QRegularExpression plain(QStringLiteral("^[A-Za-z0-9/._+-]+$"));
    if (plain.match(running).hasMatch())
        return running;
    QString quoted = running;
    return u'\'' + quoted.replace(u'\'', QStringLiteral("'\\''")) + u'\'';
}

} // namespace numra
