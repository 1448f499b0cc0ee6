#include "editing/KeyCodes.h"

#include <Qt>

int KeyCode::fromQtKey(int qtKey)
{
    switch (qtKey) {
    case Qt::Key_Left:
        return Left;
    case Qt::Key_Up:
        return Up;
    case Qt::Key_Right:
        return Right;
    case Qt::Key_Down:
        return Down;
    case Qt::Key_Return:
    case Qt::Key_Enter:
        return Enter;
    case Qt::Key_Delete:
        return Delete;
    case Qt::Key_Tab:
        return Tab;
    default:
        break;
    }
    return Other;
}

bool KeyCode::leavesCell(int code)
{
    return code == Right || code == Up || code == Down || code == Enter || code == Left;
}
