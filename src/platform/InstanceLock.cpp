#include "platform/InstanceLock.h"

InstanceLock::InstanceLock(const QString &booksFolder) : m_lock(booksFolder + QLatin1Char('/') + FileName)
{
    // Barlog holds its lock for hours; only a dead holder makes it stale,
    // never its age.
    m_lock.setStaleLockTime(0);
}

InstanceLock::Result InstanceLock::acquire()
{
    if (m_lock.tryLock())
        return Result::Acquired;
    return m_lock.error() == QLockFile::LockFailedError ? Result::HeldByOther : Result::Failed;
}
