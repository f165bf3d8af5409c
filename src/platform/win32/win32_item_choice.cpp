#include "platform/win32/win32_item_choice.h"

#include <string>
#include <vector>

#include "platform/win32/utf16.h"

namespace glyphsmith {

namespace {

constexpr int PromptLabel = 101;
constexpr WORD ButtonClass = 0x0080;
constexpr WORD StaticClass = 0x0082;
constexpr WORD ListBoxClass = 0x0083;

// A dialog template in memory: DLGTEMPLATE, then its items, each DWORD-aligned.
class TemplateWriter {
public:
    void dialog(DWORD style, short cx, short cy, WORD items)
    {
        putDword(style);
        putDword(0);
        words_.push_back(items);
        for (short value : { short{ 0 }, short{ 0 }, cx, cy })
            words_.push_back(static_cast<WORD>(value));
        words_.push_back(0); // no menu
        words_.push_back(0); // the standard dialog class
        words_.push_back(0); // the title is set when the dialog starts
        words_.push_back(8); // DS_SETFONT: point size and face
        putString(L"MS Shell Dlg");
    }

    void item(DWORD style, short x, short y, short cx, short cy, int id, WORD windowClass)
    {
        if (words_.size() % 2 != 0)
            words_.push_back(0);
        putDword(style | WS_CHILD | WS_VISIBLE);
        putDword(0);
        for (short value : { x, y, cx, cy })
            words_.push_back(static_cast<WORD>(value));
        words_.push_back(static_cast<WORD>(id));
        words_.push_back(0xffff);
        words_.push_back(windowClass);
        words_.push_back(0); // no text
        words_.push_back(0); // no creation data
    }

    const DLGTEMPLATE* data() const { return reinterpret_cast<const DLGTEMPLATE*>(words_.data()); }

private:
    void putDword(DWORD value)
    {
        words_.push_back(LOWORD(value));
        words_.push_back(HIWORD(value));
    }
    void putString(const wchar_t* text)
    {
        for (; *text; ++text)
            words_.push_back(static_cast<WORD>(*text));
        words_.push_back(0);
    }
    std::vector<WORD> words_;
};

struct ChoiceState {
    const ItemChoiceRequest* request;
    int chosen = -1;
};

void choose(HWND box, ChoiceState& state)
{
    const LRESULT selected = ::SendDlgItemMessageW(box, ItemChoiceList, LB_GETCURSEL, 0, 0);
    if (selected == LB_ERR)
        return;
    state.chosen = static_cast<int>(selected);
    ::EndDialog(box, IDOK);
}

INT_PTR CALLBACK choiceProc(HWND box, UINT message, WPARAM wParam, LPARAM lParam)
{
    auto* state = reinterpret_cast<ChoiceState*>(::GetWindowLongPtrW(box, DWLP_USER));
    switch (message) {
    case WM_INITDIALOG: {
        state = reinterpret_cast<ChoiceState*>(lParam);
        ::SetWindowLongPtrW(box, DWLP_USER, lParam);
        ::SetWindowTextW(box, toUtf16(state->request->caption).c_str());
        ::SetDlgItemTextW(box, PromptLabel, toUtf16(state->request->prompt).c_str());
        ::SetDlgItemTextW(box, IDOK, L"OK");
        ::SetDlgItemTextW(box, IDCANCEL, L"Cancel");
        for (const std::string& item : state->request->items)
            ::SendDlgItemMessageW(box, ItemChoiceList, LB_ADDSTRING, 0,
                reinterpret_cast<LPARAM>(toUtf16(item).c_str()));
        ::SendDlgItemMessageW(box, ItemChoiceList, LB_SETCURSEL, static_cast<WPARAM>(state->request->initialItem), 0);
        return TRUE;
    }
    case WM_COMMAND:
        if (LOWORD(wParam) == IDOK || (LOWORD(wParam) == ItemChoiceList && HIWORD(wParam) == LBN_DBLCLK))
            choose(box, *state);
        else if (LOWORD(wParam) == IDCANCEL)
            ::EndDialog(box, IDCANCEL);
        return TRUE;
    default:
        return FALSE;
    }
}

} // namespace

std::optional<int> showWin32ItemChoice(HWND owner, const ItemChoiceRequest& request)
{
    TemplateWriter writer;
    writer.dialog(DS_MODALFRAME | DS_CENTER | DS_SETFONT | WS_POPUP | WS_CAPTION | WS_SYSMENU, 220, 170, 4);
    writer.item(SS_LEFT, 7, 7, 206, 10, PromptLabel, StaticClass);
    writer.item(WS_BORDER | WS_VSCROLL | WS_TABSTOP | LBS_NOTIFY | LBS_NOINTEGRALHEIGHT, 7, 20, 206, 122,
        ItemChoiceList, ListBoxClass);
    writer.item(BS_DEFPUSHBUTTON | WS_TABSTOP, 109, 149, 50, 14, IDOK, ButtonClass);
    writer.item(BS_PUSHBUTTON | WS_TABSTOP, 163, 149, 50, 14, IDCANCEL, ButtonClass);
    ChoiceState state{ &request };
    const INT_PTR result = ::DialogBoxIndirectParamW(
        ::GetModuleHandleW(nullptr), writer.data(), owner, choiceProc, reinterpret_cast<LPARAM>(&state));
    if (result != IDOK || state.chosen < 0)
        return std::nullopt;
    return state.chosen;
}

} // namespace glyphsmith
