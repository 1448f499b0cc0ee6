#pragma once

#include <QLockFile>
#include <QString>

// One Barlog per books folder: two programs on the same folder would save
// the same month over each other. The lock is a file in the books folder,
// held until the program ends; one left behind by a crash is taken over.
class InstanceLock
{
public:
    enum class Result { Acquired, HeldByOther, Failed };

    explicit InstanceLock(const QString &booksFolder);
    Result acquire();

    static constexpr QLatin1StringView FileName{"barlog.lock"};

private:
    QLockFile m_lock;
};
