#pragma once

#include "storage/TextValues.h"

// Tasten.txt beside the program: the captions of the twelve quick-entry
// buttons, in button order.
class QuickKeyFile : public ValueFile
{
public:
    static constexpr qsizetype ValueCount = 12;
    explicit QuickKeyFile(const QString &programFolder);
};
