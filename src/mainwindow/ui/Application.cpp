#include "mainwindow/ui/Application.h"

#include "mainwindow/ui/Form1.h"
#include "platform/QtGerman.h"
#include "platform/ui/BooksSession.h"
#include "platform/ui/Fonts.h"

#include <QApplication>
#include <QEvent>
#include <QStyleFactory>
#include <QTimer>

namespace {
// Reports the first paint of a widget once the event loop has drawn it.
class FirstPaintWatcher : public QObject
{
public:
    explicit FirstPaintWatcher(std::function<void()> callback) : m_callback(std::move(callback)) {}

protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (event->type() == QEvent::Paint && m_callback) {
            auto callback = std::move(m_callback);
            m_callback = {};
            QTimer::singleShot(0, watched, callback);
        }
        return false;
    }

private:
    std::function<void()> m_callback;
};
} // namespace

int runBarlog(QApplication &app, const std::function<void()> &firstPaint)
{
    QApplication::setApplicationName(QStringLiteral("Barlog"));
    // Fusion honours the design's button colours on every desktop.
    QApplication::setStyle(QStyleFactory::create(QStringLiteral("Fusion")));
    Fonts::installSubstitutions();

    QGuiApplication::setDesktopFileName(QStringLiteral(BARLOG_APP_ID));
    // Qt's own dialogs speak German like the rest of the program.
    QtGerman::install(app);

    BooksSession books;
    if (!books.open())
        return 1;
    Form1 form(books.folder());
    FirstPaintWatcher watcher(firstPaint);
    if (firstPaint)
        form.installEventFilter(&watcher);
    form.Form_Load();
    return QApplication::exec();
}
