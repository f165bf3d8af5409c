#include "platform/win32/win32_file_dialogs.h"

#include <vector>

#include <commdlg.h>

#include "platform/win32/utf16.h"

namespace glyphsmith {

std::wstring win32FilterList(std::string_view filter)
{
    std::wstring list;
    while (!filter.empty()) {
        const std::size_t bar = filter.find('|');
        const std::string_view field = filter.substr(0, bar);
        if (field.empty())
            break;
        list += toUtf16(field);
        list += L'\0';
        if (bar == std::string_view::npos)
            break;
        filter.remove_prefix(bar + 1);
    }
    list += L'\0';
    return list;
}

FileDialogAnswer answerForWin32Path(const std::wstring& path)
{
    const std::size_t slash = path.find_last_of(L"\\/");
    const std::wstring name = slash == std::wstring::npos ? path : path.substr(slash + 1);
    const std::size_t dot = name.rfind(L'.');
    FileDialogAnswer answer;
    answer.path = toUtf8(path);
    answer.name = toUtf8(name);
    answer.title = toUtf8(dot == std::wstring::npos ? name : name.substr(0, dot));
    answer.extension = dot == std::wstring::npos ? std::string() : toUtf8(name.substr(dot + 1));
    return answer;
}

std::optional<FileDialogAnswer> showWin32FileDialog(HWND owner, const FileDialogRequest& request)
{
    const std::wstring filter = win32FilterList(request.filter);
    const std::wstring defaultExtension = toUtf16(request.defaultExtension);
    // Room for a long path; the dialog fails rather than cut a longer one.
    std::vector<wchar_t> file(32768, L'\0');
    const std::wstring initial = toUtf16(request.initialName);
    if (initial.size() < file.size())
        initial.copy(file.data(), initial.size());

    OPENFILENAMEW dialog {};
    dialog.lStructSize = sizeof dialog;
    dialog.hwndOwner = owner;
    dialog.lpstrFilter = filter.size() > 1 ? filter.c_str() : nullptr;
    dialog.nFilterIndex = 1;
    dialog.lpstrFile = file.data();
    dialog.nMaxFile = static_cast<DWORD>(file.size());
    dialog.lpstrDefExt = defaultExtension.empty() ? nullptr : defaultExtension.c_str();
    dialog.Flags = request.flags | OFN_EXPLORER | OFN_NOCHANGEDIR;
    const bool chosen = request.kind == FileDialogKind::Save ? ::GetSaveFileNameW(&dialog) : ::GetOpenFileNameW(&dialog);
    if (!chosen)
        return std::nullopt;
    return answerForWin32Path(file.data());
}

} // namespace glyphsmith
