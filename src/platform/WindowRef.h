#pragma once
// The program-wide reference of a window (frmUser, frmLogin, ...) is set here only, once the
// window is fully made: a window whose making failed (its list could not be read) is never
// referenced. The window clears the reference itself when it is destroyed.
class QWidget;

// The window behind `ref`, made on first use and owned by `owner`.
template <class Window>
Window& windowOf(Window*& ref, QWidget* owner)
{
    if (!ref) {
        auto* made = new Window(owner);
        ref = made;
    }
    return *ref;
}

// The window behind `ref`, made on first use, shown modally.
template <class Window>
void openModal(Window*& ref, QWidget* owner)
{
    windowOf(ref, owner).exec();
}
