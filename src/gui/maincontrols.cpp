// SPDX-License-Identifier: GPL-3.0-or-later
// Building the calculator window: its controls from its layout table, its
// keys from the key table, and its popup menu.

#include "gui/mainwindow.h"

#include "gui/accesskeys.h"
#include "gui/fixeddialog.h"
#include "gui/nachtblau.h"
#include "gui/pendinglineview.h"
#include "gui/pictures.h"
#include "gui/plainfield.h"

#include <QCheckBox>
#include <QFrame>
#include <QLabel>
#include <QMenu>
#include <QToolButton>
#include <algorithm>
#include <utility>
#include <vector>

namespace numra {

namespace {

// Sets the frameless window off any desktop, grey ones too.
const QColor edgeColour(0x0b, 0x12, 0x30);
const QColor entryGrey(0xF0, 0xF0, 0xF0);
constexpr int pushButtonPictureMargin = 3;

QWidget* createEntry(QWidget* parent)
{
    auto* field = new PlainField(parent);
    field->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    field->setReadOnly(true);
    setFieldBackground(field, entryGrey);
    return field;
}

QWidget* createFlatButton(const ControlLayout& row, QWidget* parent)
{
    auto* button = new QToolButton(parent);
    button->setAutoRaise(true);
    button->setFocusPolicy(Qt::NoFocus);
    button->setIconSize(row.geometry.size());
    button->setIcon(pictureIcon(row.picture));
    return button;
}

QWidget* createTitleLabel(const ControlLayout& row, QWidget* parent)
{
    auto* label = new QLabel(row.caption.toString(), parent);
    label->setFont(layoutFont(LayoutFont::CenturyGothic, row.fontPixels));
    QPalette palette = label->palette();
    palette.setColor(QPalette::WindowText, Qt::white);
    label->setPalette(palette);
    return label;
}

QFrame* createFrame(QWidget* parent)
{
    auto* frame = new QFrame(parent);
    frame->setFrameStyle(QFrame::Box | QFrame::Plain);
    frame->setLineWidth(1);
    return frame;
}

// Lies over the whole window and lets every click through to what is below.
QWidget* createEdge(QWidget* parent)
{
    QFrame* edge = createFrame(parent);
    edge->setAttribute(Qt::WA_TransparentForMouseEvents);
    QPalette palette = edge->palette();
    palette.setColor(QPalette::WindowText, edgeColour);
    edge->setPalette(palette);
    return edge;
}

QWidget* createPicture(const ControlLayout& row, QWidget* parent)
{
    auto* image = new PictureView(row.picture, parent);
    image->hide();
    return image;
}

QWidget* createWidget(const ControlLayout& row, QWidget* parent)
{
    switch (row.kind) {
    case ControlKind::Entry:
        return createEntry(parent);
    case ControlKind::CheckBox:
        return new QCheckBox(row.caption.toString(), parent);
    case ControlKind::TitleStrip: {
        auto* strip = new QWidget(parent);
        setBackground(strip, nachtblau::colour(nachtblau::Colour::CalculatorGround)); // the strip has the window's colour
        return strip;
    }
    case ControlKind::FlatButton:
        return createFlatButton(row, parent);
    case ControlKind::Label:
        return createTitleLabel(row, parent);
    case ControlKind::Frame:
        return createFrame(parent);
    case ControlKind::Picture:
        return createPicture(row, parent);
    case ControlKind::PendingLine:
        return new PendingLineView(parent);
    case ControlKind::Edge:
        return createEdge(parent);
    }
    return nullptr;
}

} // namespace

// The keys come after the other controls, so that the clipboard key lies
// on top of the entry field's right end; the edge goes on top of all.
void MainWindow::buildControls()
{
    setFont(tahoma(11));
    setBackground(this, nachtblau::colour(nachtblau::Colour::CalculatorGround));
    for (const ControlLayout& row : windowControlLayout())
        controls_[static_cast<std::size_t>(row.id)] = createControl(row);
    for (const KeyInfo& key : keyTable())
        keyButtons_[static_cast<std::size_t>(key.key)] = createKeyButton(key);
    control(WindowControl::Edge)->raise();
    chainTabOrder();
}

QWidget* MainWindow::createControl(const ControlLayout& row)
{
    QWidget* parent = this;
    if (row.parent == ControlParent::TitleStrip)
        parent = control(WindowControl::TitleStrip);
    else if (row.parent == ControlParent::EditIndicatorFrame)
        parent = control(WindowControl::EditIndicatorFrame);
    QWidget* widget = createWidget(row, parent);
    widget->setGeometry(row.geometry);
    if (row.fontPixels > 0 && row.kind != ControlKind::Label)
        widget->setFont(tahoma(row.fontPixels));
    if (!row.hint.isEmpty())
        widget->setToolTip(row.hint.toString());
    widget->setAccessibleName(row.accessibleName.toString());
    return widget;
}

// Hints follow the language and are set when the state is rendered.
KeyButton* MainWindow::createKeyButton(const KeyInfo& key)
{
    auto* button = new KeyButton(key.picture.isEmpty() ? shownCaption(key, core_.decimalSeparator()) : QString(),
                                 this);
    button->setAutoDefault(false);
    button->setGeometry(key.geometry);
    if (key.fontPixels > 0)
        button->setFont(tahoma(key.fontPixels));
    if (!key.picture.isEmpty()) {
        const int side = std::min(key.geometry.width(), key.geometry.height()) - 2 * pushButtonPictureMargin;
        button->setIconSize(QSize(side, side));
        button->setIcon(pictureIcon(key.picture));
    }
    button->setAccessibleName(key.accessibleName.toString());
    return button;
}

void MainWindow::chainTabOrder()
{
    std::vector<std::pair<int, QWidget*>> chain;
    for (const ControlLayout& row : windowControlLayout())
        if (row.tabOrder >= 0)
            chain.emplace_back(row.tabOrder, control(row.id));
    for (const KeyInfo& key : keyTable())
        chain.emplace_back(key.tabOrder, keyButton(key.key));
    std::ranges::sort(chain, {}, &std::pair<int, QWidget*>::first);
    for (std::size_t i = 1; i < chain.size(); ++i)
        setTabOrder(chain[i - 1].second, chain[i].second);
}

QMenu* MainWindow::popupMenu()
{
    if (!menu_)
        buildMenu();
    return menu_;
}

QAction* MainWindow::menuItem(MenuItem item)
{
    popupMenu();
    return menuItems_[static_cast<std::size_t>(item)];
}

void MainWindow::buildMenu()
{
    menu_ = new QMenu(this);
    auto item = [this](QMenu* menu, MenuItem id, const QString& caption, const std::function<void()>& handler) {
        QAction* action = menu->addAction(caption);
        connect(action, &QAction::triggered, this, handler);
        menuItems_[static_cast<std::size_t>(id)] = action;
    };

    // Every start is German; English is a choice for the run.
    auto* languages = new QMenu(QStringLiteral("S&prache"), menu_);
    menuItems_[static_cast<std::size_t>(MenuItem::LanguageMenu)] = menu_->addMenu(languages);
    item(languages, MenuItem::German, QStringLiteral("&Deutsch"), [this] { render(core_.setLanguage(Language::German)); });
    item(languages, MenuItem::English, QStringLiteral("&Englisch"),
         [this] { render(core_.setLanguage(Language::English)); });
    menu_->addSeparator();
    item(menu_, MenuItem::Save, QStringLiteral("Berechnung &speichern"), [this] { render(core_.save()); });
    item(menu_, MenuItem::Load, QStringLiteral("Berechnung &laden"), [this] { render(core_.load()); });
    menu_->addSeparator();
    item(menu_, MenuItem::Tape, QStringLiteral("Re&chenstreifen"), [this] { toggleTapeWindow(); });
    item(menu_, MenuItem::KeepTape, QStringLiteral("Rechenstreifen beh&alten"),
         [this] { keepTape(menuItem(MenuItem::KeepTape)->isChecked()); });
    item(menu_, MenuItem::OpenTape, QStringLiteral("Rechenstreifen &öffnen…"), [this] { askAndOpenTape(); });
    item(menu_, MenuItem::SaveTape, QStringLiteral("Rechenstreifen sp&eichern…"), [this] { askAndSaveTape(); });
    menuItem(MenuItem::Tape)->setCheckable(true);
    menuItem(MenuItem::KeepTape)->setCheckable(true);
    connect(menu_, &QMenu::aboutToShow, this, &MainWindow::syncTapeMenuItems);
    menu_->addSeparator();
    buildSettingsMenu();
    menu_->addSeparator();
    item(menu_, MenuItem::Help, QStringLiteral("&Hilfe"), [this] { showHelp(); });
    item(menu_, MenuItem::About, QStringLiteral("&Info"), [this] { showAbout(); });
    menu_->addSeparator();
    item(menu_, MenuItem::Quit, QStringLiteral("&Beenden"), [this] { close(); });
    keepAccessKeys(*menu_);
    syncTapeMenuItems();
}

} // namespace numra
