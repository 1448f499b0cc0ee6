#pragma once

#include "platform/InstanceLock.h"

#include <QString>

#include <memory>

// The books folder of this run, locked against a second Barlog on it for
// as long as the session lives. open() tells the user in German when the
// folder cannot be used or another Barlog works on it; the program ends then.
class BooksSession
{
public:
    bool open();
    const QString &folder() const { return m_folder; }

private:
    QString m_folder;
    std::unique_ptr<InstanceLock> m_lock;
};
