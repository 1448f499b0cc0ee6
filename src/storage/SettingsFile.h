#pragma once

#include "storage/TextValues.h"

// bl.dat beside the program: the three tax-rate texts under the income
// columns, in column order.
class SettingsFile : public ValueFile
{
public:
    static constexpr qsizetype ValueCount = 3;
    explicit SettingsFile(const QString &programFolder);
};
