#pragma once

#include <QString>
#include <QStringList>

// A message that lists what is wrong, one line each, between a lead-in and
// a closing request. Past the first dozen lines it only counts the rest, so
// that the box still fits on the screen.
QString problemMessage(const QString &leadIn, const QStringList &problems, const QString &closing);
