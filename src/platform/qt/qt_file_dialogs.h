#pragma once

// The open and save dialogs on Qt: the "|"-separated filter turned into Qt's
// name filters, the OFN_* flags into Qt's options, and the chosen path split
// into the four texts the editor asks for.

#include <optional>
#include <string_view>

#include <QStringList>

#include "platform/window_system.h"

class QFileDialog;
class QWidget;

namespace glyphsmith {

// Flag values of FileDialogRequest::flags that the Qt dialogs honour.
inline constexpr unsigned FileOverwritePrompt = 2;
inline constexpr unsigned FileMustExist = 4096;

// "AGS font (*.wfn)|*.wfn|All files (*.*)|*.*||" becomes
// { "AGS font (*.wfn) (*.wfn)", "All files (*.*) (*)" }. Qt reads the patterns
// from the last parentheses; the description stays as given and is all the
// user sees (the dialog hides the appended patterns). "*.*" becomes "*", since
// it means every file, also those with no extension.
QStringList qtNameFilters(std::string_view filter);

// Sets up `dialog` for `request`: open or save, filters, flags, initial name
// and default extension.
void configureFileDialog(QFileDialog& dialog, const FileDialogRequest& request);

// Splits a chosen path into path, name, title and extension. A name saved
// without an extension gets the request's default extension.
FileDialogAnswer answerForPath(const QString& path, const FileDialogRequest& request);

// Shows the real dialog, owned by `owner`; nullopt when cancelled.
std::optional<FileDialogAnswer> showFileDialog(QWidget* owner, const FileDialogRequest& request);

} // namespace glyphsmith
