// The parts of the Win32 backend the contract suite does not reach: the
// command line, the file dialogs' texts, the registry, the font drawing and
// the text preview's scrolling.

#include <gtest/gtest.h>

#include <algorithm>

#include "platform/win32/utf16.h"
#include "platform/win32/win32_file_dialogs.h"
#include "platform/win32/win32_registry.h"
#include "platform/win32/win32_system_font_renderer.h"
#include "platform/win32/win32_text_preview.h"
#include "platform/win32/win32_window_system.h"

namespace glyphsmith {
namespace {

TEST(Win32CommandLine, IsTheTextAfterTheProgramNameAndItsBlanks)
{
    const std::pair<const wchar_t*, const char*> rows[] = {
        { L"\"C:\\Program Files\\glyphsmith.exe\"  \"D:\\Fonts\\a b.wfn\"", "\"D:\\Fonts\\a b.wfn\"" },
        { L"glyphsmith.exe\tD:\\font.001", "D:\\font.001" },
        { L"glyphsmith.exe", "" },
        { L"\"C:\\no closing quote.exe", "" },
        { L"g.exe D:\\\u0448\u0440\u0438\u0444\u0442.wfn", "D:\\\xd1\x88\xd1\x80\xd0\xb8\xd1\x84\xd1\x82.wfn" },
    };
    for (auto [line, expected] : rows)
        EXPECT_EQ(commandLineAfterProgram(line), expected) << toUtf8(line);
}

TEST(Win32FileDialogs, TakeTheFilterAsZeroSeparatedFieldsEndedByAnEmptyOne)
{
    using namespace std::string_literals;
    EXPECT_EQ(win32FilterList("AGS font (*.wfn)|*.wfn|All files (*.*)|*.*||"),
        L"AGS font (*.wfn)\0*.wfn\0All files (*.*)\0*.*\0\0"s);
    EXPECT_EQ(win32FilterList(""), L"\0"s);
    const FileDialogAnswer answer = answerForWin32Path(L"D:\\my.fonts\\FONT");
    EXPECT_EQ(answer.title + "|" + answer.extension, "FONT|");
}

std::wstring registryValue(const std::wstring& key)
{
    wchar_t value[512] = {};
    DWORD size = sizeof value;
    if (::RegGetValueW(HKEY_CURRENT_USER, key.c_str(), nullptr, RRF_RT_REG_SZ, nullptr, value, &size) != ERROR_SUCCESS)
        return L"(missing)";
    return value;
}

TEST(Win32Registry, WritesDefaultValuesUnderTheUsersClasses)
{
    const std::wstring root = L"Software\\Classes\\GlyphsmithRegistryTest";
    Win32Registry registry;
    std::optional<RegistryKey> key = registry.createClassKey("GlyphsmithRegistryTest");
    ASSERT_TRUE(key);
    registry.setDefaultValue(*key, "", "Adventure game font file");
    registry.setDefaultValue(*key, "shell\\open\\command", "C:\\Tools\\glyphsmith.exe %1");
    registry.closeKey(*key);
    EXPECT_EQ(registryValue(root), L"Adventure game font file");
    EXPECT_EQ(registryValue(root + L"\\shell\\open\\command"), L"C:\\Tools\\glyphsmith.exe %1");
    ::RegDeleteTreeW(HKEY_CURRENT_USER, root.c_str());
}

TEST(Win32SystemFontRenderer, DrawsBlackInkOnAWhiteBoxOverBlueWithoutGreys)
{
    Win32SystemFontRenderer renderer;
    ASSERT_TRUE(renderer.selectFont(12));
    const Rgb black { 0, 0, 0 }, white { 255, 255, 255 }, blue { 0, 0, 255 };
    RenderSquare square;
    renderer.drawCharacter('A', square);
    EXPECT_TRUE(std::ranges::all_of(square, [&](Rgb pixel) { return pixel == black || pixel == white || pixel == blue; }));
    EXPECT_GT(std::ranges::count(square, black), 10);
    EXPECT_EQ(square[0], white) << "the box starts at the top-left corner";
    EXPECT_EQ(square.back(), blue);
    renderer.drawCharacter(0, square);
    EXPECT_EQ(std::ranges::count(square, blue), RenderSquareSize * RenderSquareSize);
}

TEST(Win32TextPreview, ScrollsAPictureWiderThanItsWindow)
{
    HWND owner = ::CreateWindowExW(0, L"STATIC", L"owner", WS_OVERLAPPEDWINDOW, 0, 0, 200, 100, nullptr, nullptr,
        ::GetModuleHandleW(nullptr), nullptr);
    ASSERT_TRUE(owner);
    {
        Win32TextPreview preview(owner, {}, {});
        ASSERT_TRUE(preview.window());
        preview.show(true);
        // 2000 x 20 pixels, a colour of its own every 100 columns.
        IndexedPicture picture;
        picture.width = 2000;
        picture.height = 20;
        for (int band = 0; band < 20; ++band)
            picture.palette.push_back({ static_cast<std::uint8_t>(band * 12), static_cast<std::uint8_t>(255 - band * 12), 0 });
        for (int y = 0; y < picture.height; ++y)
            for (int x = 0; x < picture.width; ++x)
                picture.pixels.push_back(static_cast<std::uint8_t>(x / 100));
        preview.setPicture(picture);
        HWND window = preview.window();

        auto position = [&](int bar) {
            SCROLLINFO info {};
            info.cbSize = sizeof info;
            info.fMask = SIF_ALL;
            ::GetScrollInfo(window, bar, &info);
            return info;
        };
        const SCROLLINFO start = position(SB_HORZ);
        EXPECT_EQ(start.nMax, 1999);
        EXPECT_GT(start.nPage, 100u);
        EXPECT_LT(start.nPage, 2000u);
        EXPECT_EQ(start.nPos, 0);
        EXPECT_GE(position(SB_VERT).nPage, 20u) << "the picture's height fits";

        // The viewport's first column shows the picture column of the scroll position.
        auto shownBand = [&] {
            ::UpdateWindow(window);
            const WindowDc dc(window);
            const COLORREF pixel = ::GetPixel(dc.get(), 8, 40);
            return GetRValue(pixel) / 12;
        };
        EXPECT_EQ(shownBand(), 0);
        const std::pair<WPARAM, int> requests[] = { { SB_PAGERIGHT, static_cast<int>(start.nPage) },
            { SB_LINERIGHT, static_cast<int>(start.nPage) + 16 }, { SB_RIGHT, 2000 - static_cast<int>(start.nPage) },
            { SB_LINERIGHT, 2000 - static_cast<int>(start.nPage) }, { SB_LEFT, 0 } };
        for (const auto& [request, expected] : requests) {
            ::SendMessageW(window, WM_HSCROLL, request, 0);
            EXPECT_EQ(position(SB_HORZ).nPos, expected) << request;
            EXPECT_EQ(shownBand(), expected / 100) << request;
        }
    }
    ::DestroyWindow(owner);
}

} // namespace
} // namespace glyphsmith
