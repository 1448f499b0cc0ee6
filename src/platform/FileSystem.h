#pragma once

#include <QString>

// True for an existing path that is neither a folder nor anything but a file
// one can read the attributes of; every failure of the query gives false.
bool FileExists(const QString &fileName);
// True for an existing folder; every failure gives false.
bool DirExists(const QString &path);
