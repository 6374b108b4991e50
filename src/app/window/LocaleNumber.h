// Numbers on screen in the "%W.Dn" format with the user's thousands
// separator and decimal point, and the separator itself. GUI thread only
// (reads the default QLocale).
#pragma once

#include "common/NumberFormat.h"

#include <QLocale>
#include <QString>

namespace moravel {

/// The user's thousands separator (the read-outs' "1,500").
inline QString ThousandsSeparator() { return QLocale().groupSeparator(); }

/// `value` at least `width` characters wide with `decimals` decimals.
inline QString LocaleNumber(long double value, int width, int decimals) {
    const QLocale locale;
    return QString::fromStdString(FormatNumber(value, width, decimals, locale.groupSeparator().toStdString(),
                                               locale.decimalPoint().toStdString()));
}

}  // namespace moravel
