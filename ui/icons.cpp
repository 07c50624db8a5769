// SPDX-FileCopyrightText: 2026 The Durnoval developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "ui/icons.h"

#include "ui/icons/question-32.xpm"
#include "ui/icons/smiley-16.xpm"
#include "ui/icons/smiley-32.xpm"

#include <QPixmap>

namespace durnoval {

QIcon smileyIcon() {
    QIcon icon;
    icon.addPixmap(QPixmap(smiley_32));
    icon.addPixmap(QPixmap(smiley_16));
    return icon;
}

QIcon questionIcon() {
    return QIcon(QPixmap(question_32));
}

} // namespace durnoval
