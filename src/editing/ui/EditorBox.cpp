#include "editing/ui/EditorBox.h"

#include "editing/KeyCodes.h"

#include <QKeyEvent>

EditorBox::EditorBox(QWidget *parent) : QLineEdit(parent) {}

bool EditorBox::event(QEvent *event)
{
    // Tab would move the focus before keyPressEvent sees it; here it moves
    // one cell to the right, Shift+Tab one to the left.
    if (event->type() == QEvent::KeyPress) {
        auto *key = static_cast<QKeyEvent *>(event);
        if (key->key() == Qt::Key_Tab || key->key() == Qt::Key_Backtab) {
            if (keyDown)
                keyDown(key->key() == Qt::Key_Tab ? KeyCode::Right : KeyCode::Left);
            event->accept();
            return true;
        }
    }
    return QLineEdit::event(event);
}

void EditorBox::keyPressEvent(QKeyEvent *event)
{
    const int code = KeyCode::fromQtKey(event->key());
    if (keyDown)
        keyDown(code);
    switch (code) {
    case KeyCode::Left:
    case KeyCode::Up:
    case KeyCode::Right:
    case KeyCode::Down:
    case KeyCode::Enter:
    case KeyCode::Delete:
        event->accept();
        return;
    default:
        break;
    }
    QLineEdit::keyPressEvent(event);
}

void EditorBox::focusOutEvent(QFocusEvent *event)
{
    QLineEdit::focusOutEvent(event);
    if (lostFocus)
        lostFocus();
}
