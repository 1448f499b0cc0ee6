#pragma once

#include <QByteArray>
#include <QString>

// Replaces the file at path by bytes in one step: they are written beside
// it and renamed over it, so a failure leaves the old file whole. Returns an
// empty text, or the German message to show.
QString writeWholeFile(const QString &path, const QByteArray &bytes);
