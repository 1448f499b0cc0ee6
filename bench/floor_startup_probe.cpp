// The floor of the start-up: a bare Qt window of the main window's size
// with a table of 10 columns and 300 rows, and nothing else. Prints the
// wall-clock time of its first paint in nanoseconds, as startup_probe does.
#include <QApplication>
#include <QEvent>
#include <QTableWidget>
#include <QTimer>
#include <QVBoxLayout>

#include <chrono>
#include <cstdio>

namespace {
constexpr int Columns = 10;
constexpr int Rows = 300;
// The main window's design size at the top left.
constexpr int Width = 1016;
constexpr int Height = 706;

class FirstPaint : public QObject
{
protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (event->type() == QEvent::Paint && !m_seen) {
            m_seen = true;
            QTimer::singleShot(0, watched, [] {
                const auto now = std::chrono::system_clock::now().time_since_epoch();
                std::printf("%lld\n",
                            static_cast<long long>(std::chrono::duration_cast<std::chrono::nanoseconds>(now).count()));
                std::fflush(stdout);
                QApplication::exit(0);
            });
        }
        return false;
    }

private:
    bool m_seen = false;
};
} // namespace

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    QWidget window;
    auto *layout = new QVBoxLayout(&window);
    layout->addWidget(new QTableWidget(Rows, Columns, &window));
    window.setGeometry(0, 0, Width, Height);
    FirstPaint watcher;
    window.installEventFilter(&watcher);
    window.show();
    return QApplication::exec();
}
