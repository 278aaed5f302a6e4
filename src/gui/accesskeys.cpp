// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/accesskeys.h"

#include <QAction>
#include <QMenu>
#include <QSet>

namespace numra {

QChar accessKeyOf(const QString& caption)
{
    for (qsizetype i = 0; i + 1 < caption.size(); ++i) {
        if (caption[i] != u'&')
            continue;
        if (caption[i + 1] != u'&')
            return caption[i + 1].toLower();
        ++i;
    }
    return {};
}

void giveAccessKeys(QMenu& menu)
{
    QSet<QChar> taken;
    for (const QAction* item : menu.actions())
        if (const QChar key = accessKeyOf(item->text()); !key.isNull() && item->isVisible())
            taken.insert(key);
    for (QAction* item : menu.actions()) {
        const QString caption = item->text();
        if (item->isSeparator() || !item->isVisible() || !accessKeyOf(caption).isNull())
            continue;
        for (qsizetype i = 0; i < caption.size(); ++i) {
            const QChar key = caption[i].toLower();
            if (key.isLetterOrNumber() && !taken.contains(key)) {
                taken.insert(key);
                QString marked = caption;
                item->setText(marked.insert(i, u'&'));
                break;
            }
        }
    }
}

void keepAccessKeys(QMenu& menu)
{
    QObject::connect(&menu, &QMenu::aboutToShow, &menu, [&menu] { giveAccessKeys(menu); });
    for (QAction* item : menu.actions())
        if (QMenu* submenu = item->menu())
            keepAccessKeys(*submenu);
}

} // namespace numra
