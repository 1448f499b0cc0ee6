// Takes the books folder's lock for the lock test and holds it until its
// input closes, as a running Barlog holds it until it ends.
#include "platform/InstanceLock.h"

#include <QFile>

#include <cstdio>

int main(int argc, char **argv)
{
    if (argc != 2) {
        std::fprintf(stderr, "usage: %s <books folder>\n", argv[0]);
        return 2;
    }
    InstanceLock lock(QFile::decodeName(argv[1]));
    const bool locked = lock.acquire() == InstanceLock::Result::Acquired;
    std::fputs(locked ? "locked\n" : "refused\n", stdout);
    std::fflush(stdout);
    if (!locked)
        return 1;
    while (std::fgetc(stdin) != EOF) {
    }
    return 0;
}
