#include "platform/win32/win32_dialog.h"

#include <shellapi.h>

#include <string>
#include <vector>

#include "platform/win32/utf16.h"
#include "platform/win32/win32_text_preview.h"

namespace glyphsmith {

namespace {

// Posted after initDialog when a session is waiting; it runs once the window
// is up.
constexpr UINT RunSessionMessage = WM_APP + 1;

// Template texts are 8-bit: one character per byte, codes 0 to 255.
std::wstring fromLatin1(std::string_view text)
{
    return std::wstring(text.begin(), text.end());
}

DWORD dialogStyle(const DialogTemplate& dialogTemplate)
{
    // The controls are never drawn over: the font view is painted straight
    // into the client area, around them.
    DWORD style = WS_POPUP | WS_CLIPCHILDREN | DS_SETFONT;
    for (auto [name, bits] : { std::pair<const char*, DWORD> { "caption", WS_CAPTION }, { "sysmenu", WS_SYSMENU },
             { "minimizebox", WS_MINIMIZEBOX }, { "maximizebox", WS_MAXIMIZEBOX }, { "modalframe", DS_MODALFRAME } })
        if (dialogTemplate.hasStyle(name))
            style |= bits;
    return style;
}

DWORD dialogExtendedStyle(const DialogTemplate& dialogTemplate)
{
    return dialogTemplate.hasStyle("appwindow") ? WS_EX_APPWINDOW : 0;
}

DWORD controlStyle(const ControlTemplate& control)
{
    DWORD style = WS_CHILD | WS_VISIBLE;
    if (control.hasStyle("tabstop"))
        style |= WS_TABSTOP;
    if (control.hasStyle("group"))
        style |= WS_GROUP;
    if (control.hasStyle("disabled"))
        style |= WS_DISABLED;
    switch (control.kind) {
    case ControlKind::Edit:
        style |= control.hasStyle("centre") ? ES_CENTER : ES_LEFT;
        if (control.hasStyle("border"))
            style |= WS_BORDER;
        if (control.hasStyle("number"))
            style |= ES_NUMBER;
        if (control.hasStyle("autohscroll"))
            style |= ES_AUTOHSCROLL;
        break;
    case ControlKind::Button:
        style |= BS_PUSHBUTTON;
        if (control.hasStyle("flat"))
            style |= BS_FLAT;
        break;
    case ControlKind::Label:
        style |= control.hasStyle("right") ? SS_RIGHT : control.hasStyle("centre") ? SS_CENTER : SS_LEFT;
        break;
    case ControlKind::List:
        style |= CBS_DROPDOWNLIST | WS_VSCROLL;
        break;
    }
    return style;
}

// The predefined window classes, by the atoms a dialog template names them with.
WORD classAtom(ControlKind kind)
{
    switch (kind) {
    case ControlKind::Button: return 0x0080;
    case ControlKind::Edit: return 0x0081;
    case ControlKind::Label: return 0x0082;
    case ControlKind::List: return 0x0085;
    }
    return 0x0082;
}

// Writes a DLGTEMPLATE with its items: 16-bit words, strings as UTF-16 ended
// by a zero, each item starting on a 32-bit boundary.
class TemplateWriter {
public:
    void word(unsigned value) { words_.push_back(static_cast<WORD>(value)); }
    void dword(DWORD value)
    {
        word(value & 0xFFFF);
        word(value >> 16);
    }
    void text(const std::wstring& value)
    {
        for (wchar_t unit : value)
            word(static_cast<WORD>(unit));
        word(0);
    }
    void alignToDword()
    {
        if (words_.size() % 2)
            word(0);
    }
    std::vector<WORD> release() { return std::move(words_); }

private:
    std::vector<WORD> words_;
};

std::vector<WORD> buildTemplate(const DialogTemplate& dialogTemplate)
{
    TemplateWriter out;
    out.dword(dialogStyle(dialogTemplate));
    out.dword(dialogExtendedStyle(dialogTemplate));
    out.word(static_cast<WORD>(dialogTemplate.controls.size()));
    for (int value : { 0, 0, dialogTemplate.width, dialogTemplate.height })
        out.word(static_cast<WORD>(value));
    out.word(0); // no menu
    out.word(0); // the standard dialog class
    out.text(fromLatin1(dialogTemplate.caption));
    out.word(static_cast<WORD>(dialogTemplate.fontPoints));
    out.text(fromLatin1(dialogTemplate.fontName));
    for (const ControlTemplate& control : dialogTemplate.controls) {
        out.alignToDword();
        out.dword(controlStyle(control));
        out.dword(0);
        for (int value : { control.x, control.y, control.width, control.height })
            out.word(static_cast<WORD>(value));
        out.word(static_cast<WORD>(control.id)); // a label's -1 is 0xFFFF, the "no id" of Win32
        out.word(0xFFFF);
        out.word(classAtom(control.kind));
        out.text(fromLatin1(control.caption));
        out.word(0); // no creation data
    }
    return out.release();
}

std::wstring className(HWND window)
{
    wchar_t name[32] = {};
    ::GetClassNameW(window, name, 32);
    return name;
}

} // namespace

Win32Dialog::Win32Dialog(const DialogTemplate& dialogTemplate, DialogHandler& handler, std::function<HICON(Icon)> iconOf)
    : template_(dialogTemplate)
    , handler_(handler)
    , iconOf_(std::move(iconOf))
{
}

Win32Dialog::~Win32Dialog() = default;

int Win32Dialog::run()
{
    const std::vector<WORD> words = buildTemplate(template_);
    const Win32KeyHook keys(*this);
    const INT_PTR result = ::DialogBoxIndirectParamW(::GetModuleHandleW(nullptr),
        reinterpret_cast<const DLGTEMPLATE*>(words.data()), nullptr, &Win32Dialog::procedure,
        reinterpret_cast<LPARAM>(this));
    // The dialog's owned windows (the preview, the tips) went with it.
    preview_.reset();
    toolTips_ = nullptr;
    window_ = nullptr;
    return static_cast<int>(result);
}

INT_PTR CALLBACK Win32Dialog::procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_INITDIALOG) {
        ::SetWindowLongPtrW(window, DWLP_USER, lParam);
        reinterpret_cast<Win32Dialog*>(lParam)->window_ = window;
    }
    auto* dialog = reinterpret_cast<Win32Dialog*>(::GetWindowLongPtrW(window, DWLP_USER));
    return dialog ? dialog->handle(message, wParam, lParam) : FALSE;
}

INT_PTR Win32Dialog::handle(UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_INITDIALOG:
        placeControls();
        ::DragAcceptFiles(window_, TRUE);
        handler_.initDialog();
        if (session_ && !ended_)
            ::PostMessageW(window_, RunSessionMessage, 0, 0);
        // FALSE: no control takes the focus by itself.
        return FALSE;
    case RunSessionMessage:
        runSession();
        return TRUE;
    case WM_ACTIVATE:
        // The dialog manager would give the focus to the first tab stop on
        // activation; here it returns to where it was, or to the dialog
        // itself at first, so nothing has the focus until the user picks it.
        if (LOWORD(wParam) == WA_INACTIVE) {
            HWND focus = ::GetFocus();
            savedFocus_ = focus && ::IsChild(window_, focus) ? focus : nullptr;
        } else {
            ::SetFocus(savedFocus_ && ::IsWindow(savedFocus_) ? savedFocus_ : window_);
        }
        return TRUE;
    case WM_SETFOCUS:
        // The dialog manager would pass the focus on to a control; the
        // dialog keeps it until the user picks one.
        return TRUE;
    case WM_COMMAND:
        return onCommand(LOWORD(wParam), HIWORD(wParam), reinterpret_cast<HWND>(lParam)) ? TRUE : FALSE;
    case WM_PAINT: {
        // The window system's own painting (the background erase) first. The
        // kept picture forgets the erased part too, the editor paints, and the
        // part is shown again whole: what the editor left out is background.
        UniqueRegion erased(::CreateRectRgn(0, 0, 0, 0));
        if (erased && ::GetUpdateRgn(window_, erased.get(), FALSE) == ERROR)
            erased.reset();
        PAINTSTRUCT paint;
        ::BeginPaint(window_, &paint);
        ::EndPaint(window_, &paint);
        if (!erased)
            erased.reset(::CreateRectRgnIndirect(&paint.rcPaint));
        picture().erase(erased.get(), paint.rcPaint);
        deliverPaint();
        picture_.show(window_, erased.get(), paint.rcPaint);
        return TRUE;
    }
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
    case WM_RBUTTONDOWN:
    case WM_RBUTTONDBLCLK:
    case WM_MOUSEMOVE:
    case WM_LBUTTONUP:
    case WM_RBUTTONUP:
        deliverMouse(message, wParam, lParam);
        return FALSE;
    case WM_DROPFILES:
        deliverDrop(wParam);
        return TRUE;
    case WM_ENABLE:
        // The preview is as modal as the dialog: while a message box of the
        // dialog's is up, neither takes input.
        if (preview_ && preview_->window())
            ::EnableWindow(preview_->window(), static_cast<BOOL>(wParam));
        return FALSE;
    case WM_QUERYDRAGICON:
        // One of the few messages whose answer a dialog procedure returns directly.
        return ended_ ? 0 : reinterpret_cast<INT_PTR>(iconOf_(handler_.dragIcon()));
    default:
        return FALSE;
    }
}

void Win32Dialog::placeControls()
{
    // The dialog manager sizes everything from its font's metrics, which
    // differ between systems; every backend places the controls with the same
    // fixed base units instead, so the editor's pixel layout holds everywhere.
    HWND child = ::GetWindow(window_, GW_CHILD);
    for (const ControlTemplate& control : template_.controls) {
        if (!child)
            break;
        const PixelRect at = toPixels(control);
        // A drop-down list's height is that of the list it drops: ten lines.
        const int height = control.kind == ControlKind::List ? at.height() * 10 : at.height();
        ::SetWindowPos(child, nullptr, at.left, at.top, at.width(), height, SWP_NOZORDER | SWP_NOACTIVATE);
        child = ::GetWindow(child, GW_HWNDNEXT);
    }
    RECT outer { 0, 0, dialogUnitsToPixelsX(template_.width), dialogUnitsToPixelsY(template_.height) };
    ::AdjustWindowRectEx(&outer, static_cast<DWORD>(::GetWindowLongPtrW(window_, GWL_STYLE)), FALSE,
        static_cast<DWORD>(::GetWindowLongPtrW(window_, GWL_EXSTYLE)));
    ::SetWindowPos(window_, nullptr, 0, 0, outer.right - outer.left, outer.bottom - outer.top,
        SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

bool Win32Dialog::onCommand(int id, int code, HWND from)
{
    if (ended_)
        return true;
    if (from && isEdit(from)) {
        if (code == EN_CHANGE && !settingText_)
            handler_.editChanged(id);
        else if (code == EN_SETFOCUS)
            handler_.editFocusGained(id);
        else if (code == EN_KILLFOCUS)
            handler_.editFocusLost(id);
        return true;
    }
    if (from && code == CBN_SELCHANGE && className(from) == L"ComboBox") {
        // Sent for the user's choice only: CB_SETCURSEL does not send it.
        handler_.listChosen(id);
        return true;
    }
    if (id == IDCANCEL) {
        // The Quit button, Escape and the close box all arrive as IDCANCEL.
        handler_.cancel();
        return true;
    }
    if (id == IDOK && !from) {
        // Enter with no default button. A focused push button takes it as
        // its click; anywhere else it does nothing, so it never ends the
        // dialog and loses edits.
        HWND focus = ::GetFocus();
        const int focusId = focusedControlId();
        if (focusId != 0 && !isEdit(focus) && ::IsWindowEnabled(focus) && className(focus) == L"Button")
            onCommand(focusId, BN_CLICKED, focus);
        return true;
    }
    if (code == BN_CLICKED && from) {
        if (id == IDOK)
            endWith(DialogOk);
        else
            handler_.command(id);
    }
    return true;
}

bool Win32Dialog::isEdit(HWND control) const
{
    return control && ::IsChild(window_, control) && className(control) == L"Edit";
}

HWND Win32Dialog::control(int controlId) const
{
    return window_ && controlId >= 0 && controlId != 0xFFFF ? ::GetDlgItem(window_, controlId) : nullptr;
}

int Win32Dialog::focusedControlId() const
{
    HWND focus = ::GetFocus();
    while (focus && ::GetParent(focus) != window_)
        focus = ::GetParent(focus);
    if (!focus || focus == window_)
        return 0;
    const int id = ::GetDlgCtrlID(focus);
    return id == 0xFFFF ? 0 : id;
}

void Win32Dialog::setControlText(int controlId, const std::wstring& text)
{
    HWND target = control(controlId);
    if (!target)
        return;
    if (className(target) == L"ComboBox") {
        const LRESULT index = ::SendMessageW(target, CB_FINDSTRINGEXACT, static_cast<WPARAM>(-1),
            reinterpret_cast<LPARAM>(text.c_str()));
        if (index != CB_ERR)
            ::SendMessageW(target, CB_SETCURSEL, static_cast<WPARAM>(index), 0);
        return;
    }
    if (!isEdit(target)) {
        ::SetWindowTextW(target, text.c_str());
        return;
    }
    // The edit box would notify only for a changed text; silence it and
    // notify exactly once, inside this call.
    settingText_ = true;
    ::SetWindowTextW(target, text.c_str());
    settingText_ = false;
    if (!ended_)
        handler_.editChanged(controlId);
}

void Win32Dialog::refreshNow()
{
    if (!window_)
        return;
    ::InvalidateRect(window_, nullptr, TRUE);
    ::UpdateWindow(window_);
}

ClientPicture& Win32Dialog::picture()
{
    RECT client {};
    if (window_ && ::GetClientRect(window_, &client))
        picture_.fit(client.right, client.bottom);
    return picture_;
}

void Win32Dialog::deliverPaint()
{
    if (ended_)
        return;
    if (painting_) {
        // A resize made while painting asks for another paint; it comes from
        // the message queue once this one has ended.
        ::InvalidateRect(window_, nullptr, FALSE);
        return;
    }
    painting_ = true;
    handler_.paint();
    painting_ = false;
}

void Win32Dialog::runSession()
{
    if (ended_)
        return;
    // The dialog manager shows the window only once its queue is empty; the
    // session needs it up and painted.
    if (!::IsWindowVisible(window_))
        ::ShowWindow(window_, SW_SHOWNORMAL);
    ::UpdateWindow(window_);
    std::function<void()> session = std::move(session_);
    session();
    if (!ended_)
        endWith(DialogCancel);
}

void Win32Dialog::endWith(int result)
{
    if (!window_ || ended_)
        return;
    ended_ = true;
    ::EndDialog(window_, result);
}

} // namespace glyphsmith
