// Starts Barlog as main() does and prints the wall-clock time of the first
// painted main window in nanoseconds, then quits. bench/startup.sh compares
// it with the time the process was started.
#include "mainwindow/ui/Application.h"

#include <QApplication>

#include <chrono>
#include <cstdio>

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    return runBarlog(app, [] {
        const auto now = std::chrono::system_clock::now().time_since_epoch();
        std::printf("%lld\n",
                    static_cast<long long>(std::chrono::duration_cast<std::chrono::nanoseconds>(now).count()));
        std::fflush(stdout);
        QApplication::exit(0);
    });
}
