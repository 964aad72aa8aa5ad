#pragma once

#include <QString>

// The thousands separator of the user's regional settings, as money and counts are grouped with.
// It is read from the system locale the first time it is asked for, unless it was set before.
QString ThousandSeparator();

// Takes a separator as the system reports it: one character is used as it is, an empty one
// means no separator at all, and anything longer falls back to ",".
void ApplyThousandSeparator(const QString& raw);

// Reads the separator of the system locale again (at start and whenever the system announces a
// change of the regional settings) and applies the rules above.
void ReadThousandSeparatorFromLocale();
