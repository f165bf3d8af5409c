#include "platform/headless/headless_window_system.h"

#include <algorithm>

// The services a program asks of the window: controls, placement, drawing,
// boxes, registry and process values. Running the dialog and the user's
// actions are in headless_dialog_run.cpp.

namespace glyphsmith {

// Draws straight onto the canvas, as a window's client drawing context does.
class HeadlessWindowSystem::Surface : public ClientSurface {
public:
    explicit Surface(HeadlessWindowSystem& owner) : owner_(owner) { ++owner_.liveSurfaces_; }
    ~Surface() override { --owner_.liveSurfaces_; }
    Surface(const Surface&) = delete;
    Surface& operator=(const Surface&) = delete;

    void copyCellBlock(int sourceX, int sourceY, int width, int height, int destX, int destY) override
    {
        // Without a loaded bitmap there is nothing to copy from.
        if (owner_.cellBitmap_)
            owner_.canvas_.copyBlock(*owner_.cellBitmap_, sourceX, sourceY, width, height, destX, destY);
    }
    void fillRect(PixelRect rect, Rgb colour) override { owner_.canvas_.fillRect(rect, colour); }
    void drawIcon(Icon icon, int x, int y) override { owner_.drawIcon(icon, x, y); }

private:
    HeadlessWindowSystem& owner_;
};

// There is no standard font without a screen: every selection fails.
class HeadlessWindowSystem::NoSystemFont : public SystemFontRenderer {
public:
    bool selectFont(int) override { return false; }
    void drawCharacter(int, RenderSquare& square) override { square.fill(Rgb { 0, 0, 255 }); }
};

HeadlessWindowSystem::HeadlessWindowSystem() : defaultFontRenderer_(std::make_unique<NoSystemFont>()) {}

HeadlessWindowSystem::~HeadlessWindowSystem() = default;

std::string HeadlessWindowSystem::controlText(int controlId, std::size_t maxChars)
{
    return controls_.at(controlId).text.substr(0, maxChars);
}

void HeadlessWindowSystem::setControlText(int controlId, std::string_view text)
{
    HeadlessControl& control = controls_.at(controlId);
    if (!control.isEdit()) {
        control.text = std::string(text);
        return;
    }
    setEditText(control, text);
    // The change notification comes inside this call, changed text or not.
    if (handler_)
        handler_->editChanged(controlId);
}

void HeadlessWindowSystem::enableControl(int controlId, bool enabled)
{
    controls_.at(controlId).enabled = enabled;
}

bool HeadlessWindowSystem::isControlEnabled(int controlId)
{
    return controls_.at(controlId).enabled;
}

void HeadlessWindowSystem::limitText(int controlId, int maxChars)
{
    controls_.at(controlId).textLimit = std::max(maxChars, 0);
}

void HeadlessWindowSystem::selectText(int controlId, int start, int end)
{
    HeadlessControl& control = controls_.at(controlId);
    if (control.isEdit())
        selectEditText(control, start, end);
}

void HeadlessWindowSystem::scrollCaretIntoView(int controlId)
{
    // Nothing scrolls without a screen; the id is still checked.
    controls_.at(controlId);
}

void HeadlessWindowSystem::centreOnScreen()
{
    const int left = (HeadlessScreenSize.width - windowRect_.width()) / 2;
    const int top = (HeadlessScreenSize.height - windowRect_.height()) / 2;
    windowRect_ = { left, top, left + windowRect_.width(), top + windowRect_.height() };
}

PixelSize HeadlessWindowSystem::clientSize()
{
    return { std::max(windowRect_.width() - 2 * HeadlessFrameBorder, 0),
        std::max(windowRect_.height() - HeadlessCaptionBarHeight - 2 * HeadlessFrameBorder, 0) };
}

void HeadlessWindowSystem::moveWindow(PixelRect outer)
{
    moveRequests_.push_back(outer);
    const PixelSize before = clientSize();
    windowRect_ = outer;
    const PixelSize after = clientSize();
    if (after == before)
        return;
    // A new size uncovers or cuts off part of the client area; what is
    // uncovered starts out erased, and a shown window is painted again.
    canvas_.resize(after);
    if (shown_)
        deliverPaint();
}

void HeadlessWindowSystem::refreshNow()
{
    // A hidden window is not painted; showing it paints it.
    if (shown_)
        eraseAndPaint();
}

void HeadlessWindowSystem::setIcons(Icon big, Icon small)
{
    bigIcon_ = big;
    smallIcon_ = small;
}

void HeadlessWindowSystem::loadCellBitmap(int resourceId)
{
    BitmapDecodeError error {};
    cellBitmap_ = decodeBitmapResource(resourceId, &error);
    if (!cellBitmap_)
        throw HeadlessScriptError("bitmap resource " + std::to_string(resourceId) + " cannot be decoded (reason "
            + std::to_string(static_cast<int>(error)) + ")");
}

std::unique_ptr<ClientSurface> HeadlessWindowSystem::clientSurface()
{
    if (!surfaceAvailable_)
        return nullptr;
    return std::make_unique<Surface>(*this);
}

void HeadlessWindowSystem::drawIcon(Icon icon, int x, int y)
{
    drawnIcons_.push_back({ icon, x, y });
    const PixelRect square { x, y, x + HeadlessIconSize.width, y + HeadlessIconSize.height };
    canvas_.fillRect(square, Rgb {});
    canvas_.fillRect({ square.left + 1, square.top + 1, square.right - 1, square.bottom - 1 }, HeadlessIconColour);
}

SystemFontRenderer& HeadlessWindowSystem::systemFontRenderer()
{
    return fontRenderer_ ? *fontRenderer_ : *defaultFontRenderer_;
}

void HeadlessWindowSystem::setTextPreviewPicture(const IndexedPicture& picture)
{
    previewPicture_ = picture;
    ++previewPictureCount_;
}

std::string HeadlessWindowSystem::setting(std::string_view name)
{
    auto found = settings_.find(name);
    return found == settings_.end() ? std::string() : found->second;
}

std::optional<FileDialogAnswer> HeadlessWindowSystem::fileDialog(const FileDialogRequest& request)
{
    return scripts_.answerFileDialog(request);
}

std::optional<int> HeadlessWindowSystem::chooseItem(const ItemChoiceRequest& request)
{
    return scripts_.answerItemChoice(request);
}

MessageResult HeadlessWindowSystem::showMessage(std::string_view text, std::string_view caption, MessageButtons buttons)
{
    // An application-level box is captioned with the application's name,
    // which is the executable's name.
    return scripts_.answerMessage(text, caption, executableName_, buttons);
}

std::optional<RegistryKey> HeadlessWindowSystem::createClassKey(std::string_view name)
{
    return registry_.createClassKey(name);
}

void HeadlessWindowSystem::setDefaultValue(RegistryKey key, std::string_view subkeyPath, std::string_view value)
{
    registry_.setDefaultValue(key, subkeyPath, value);
}

void HeadlessWindowSystem::closeKey(RegistryKey key)
{
    registry_.closeKey(key);
}

} // namespace glyphsmith
