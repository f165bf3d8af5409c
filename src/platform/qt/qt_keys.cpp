#include <QKeyEvent>

#include "platform/qt/qt_dialog.h"

// Qt's keys in the window system's terms (KeyCode and KeyModifiers).

namespace glyphsmith {

int keyCodeFor(int qtKey)
{
    if ((qtKey >= Qt::Key_A && qtKey <= Qt::Key_Z) || (qtKey >= Qt::Key_0 && qtKey <= Qt::Key_9))
        return qtKey; // Qt's codes for these are their ASCII capitals and digits
    switch (qtKey) {
    case Qt::Key_Tab:
    case Qt::Key_Backtab:
    case Qt::Key_Return:
    case Qt::Key_Enter:
        return -1;
    case Qt::Key_Escape:
        return KeyEscape;
    case Qt::Key_Delete:
        return KeyDelete;
    case Qt::Key_PageUp:
        return KeyPageUp;
    case Qt::Key_PageDown:
        return KeyPageDown;
    case Qt::Key_Left:
        return KeyLeft;
    case Qt::Key_Right:
        return KeyRight;
    case Qt::Key_Up:
        return KeyUp;
    case Qt::Key_Down:
        return KeyDown;
    case Qt::Key_Home:
        return KeyHome;
    case Qt::Key_End:
        return KeyEnd;
    case Qt::Key_F1:
        return KeyF1;
    default:
        return KeyOther;
    }
}

unsigned keyModifiersFor(Qt::KeyboardModifiers modifiers)
{
    return (modifiers & Qt::ShiftModifier ? KeyShift : 0u) | (modifiers & Qt::ControlModifier ? KeyControl : 0u)
        | (modifiers & Qt::AltModifier ? KeyAlt : 0u);
}

} // namespace glyphsmith
