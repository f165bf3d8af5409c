// Opens the main dialog on the Qt backend, draws a simple picture into its
// client area and saves a PNG of the window, to check by eye that every
// control stands where the dialog template puts it. Run it offscreen:
//   QT_QPA_PLATFORM=offscreen glyphsmith-dialog-snapshot snapshot.png

#include <cstdio>

#include <QApplication>
#include <QTimer>

#include "platform/dialog_template.h"
#include "platform/qt/qt_dialog.h"
#include "platform/qt/qt_window_system.h"

namespace {

using namespace glyphsmith;

class SnapshotHandler : public DialogHandler {
public:
    explicit SnapshotHandler(QtWindowSystem& system)
        : system_(system)
    {
    }

    void initDialog() override
    {
        system_.loadCellBitmap(CellBitmapResource);
        Icon icon = system_.loadIcon(AppIconResource);
        system_.setIcons(icon, icon);
        system_.setControlText(1003, "65");
        system_.setControlText(1008, "A");
        system_.setControlText(1001, "8");
        system_.setControlText(1000, "12");
    }
    void command(int) override { }
    void editChanged(int) override { }
    void editFocusGained(int) override { }
    void editFocusLost(int) override { }
    void mouse(MouseAction, int, int, unsigned) override { }
    Icon dragIcon() override { return { AppIconResource }; }
    void cancel() override { system_.endDialog(DialogCancel); }

    void paint() override
    {
        std::unique_ptr<ClientSurface> surface = system_.clientSurface();
        if (!surface)
            return;
        // The edges of the font view, a checkerboard of cell blocks in it
        // and the icon at its bottom right.
        PixelSize size = system_.clientSize();
        surface->fillRect({ 119, 0, 120, size.height }, { 255, 0, 0 });
        surface->fillRect({ 0, 31, size.width, 32 }, { 255, 0, 0 });
        for (int y = 0; y < 8; ++y)
            for (int x = 0; x < 12; ++x)
                surface->copyCellBlock((x + y) % 2 ? 16 : 0, 0, 16, 16, 184 + 16 * x, 32 + 16 * y);
        surface->drawIcon({ AppIconResource }, size.width - 40, size.height - 40);
    }

private:
    QtWindowSystem& system_;
};

} // namespace

int main(int argc, char** argv)
{
    QApplication application(argc, argv);
    QString output = argc > 1 ? QString::fromLocal8Bit(argv[1]) : QStringLiteral("dialog_snapshot.png");

    QtWindowSystem system({ .scripted = true, .refreshDesktopCaches = false });
    SnapshotHandler handler(system);
    bool saved = false;
    QTimer::singleShot(0, [&] {
        QtDialog* dialog = system.dialog();
        if (!dialog)
            return;
        std::optional<DialogTemplate> dialogTemplate = loadDialogTemplate(MainDialogTemplate);
        for (std::size_t index = 0; index < dialogTemplate->controls.size(); ++index) {
            const ControlTemplate& control = dialogTemplate->controls[index];
            PixelRect expected = toPixels(control);
            QRect actual = dialog->widgets().at(index)->geometry();
            std::printf("%5d %-8s template %3d,%3d %3dx%-3d  widget %3d,%3d %3dx%-3d\n", control.id,
                control.caption.c_str(), expected.left, expected.top, expected.width(), expected.height(),
                actual.x(), actual.y(), actual.width(), actual.height());
        }
        saved = dialog->grab().save(output, "PNG");
        system.endDialog(DialogOk);
    });
    system.runModalDialog(MainDialogTemplate, handler);
    if (!saved) {
        std::fprintf(stderr, "could not save %s\n", qPrintable(output));
        return 1;
    }
    std::printf("saved %s\n", qPrintable(output));
    return 0;
}
