#include "platform/qt/qt_file_dialogs.h"

#include <QFileDialog>
#include <QFileInfo>

namespace glyphsmith {

namespace {

// The fields of the filter text, each ended by "|"; stops at the empty field
// that ends the whole, or at the end of the text when that is missing.
QStringList filterFields(std::string_view filter)
{
    QStringList fields;
    while (!filter.empty()) {
        std::size_t bar = filter.find('|');
        std::string_view field = filter.substr(0, bar);
        if (field.empty())
            break;
        fields << QString::fromUtf8(field.data(), static_cast<qsizetype>(field.size()));
        if (bar == std::string_view::npos)
            break;
        filter.remove_prefix(bar + 1);
    }
    return fields;
}

} // namespace

QStringList qtNameFilters(std::string_view filter)
{
    QStringList fields = filterFields(filter);
    QStringList result;
    // A description without its pattern list (an odd field count) is dropped.
    for (qsizetype index = 0; index + 1 < fields.size(); index += 2) {
        QStringList patterns = fields[index + 1].split(';', Qt::SkipEmptyParts);
        for (QString& pattern : patterns) {
            pattern = pattern.trimmed();
            if (pattern == "*.*")
                pattern = "*";
        }
        result << fields[index] + " (" + patterns.join(' ') + ")";
    }
    return result;
}

void configureFileDialog(QFileDialog& dialog, const FileDialogRequest& request)
{
    bool save = request.kind == FileDialogKind::Save;
    dialog.setAcceptMode(save ? QFileDialog::AcceptSave : QFileDialog::AcceptOpen);
    dialog.setFileMode(!save && (request.flags & FileMustExist) ? QFileDialog::ExistingFile : QFileDialog::AnyFile);
    dialog.setOption(QFileDialog::DontConfirmOverwrite, !(request.flags & FileOverwritePrompt));
    dialog.setOption(QFileDialog::HideNameFilterDetails, true);
    QStringList filters = qtNameFilters(request.filter);
    if (!filters.isEmpty())
        dialog.setNameFilters(filters);
    dialog.setDefaultSuffix(QString::fromStdString(request.defaultExtension));
    if (!request.initialName.empty())
        dialog.selectFile(QString::fromStdString(request.initialName));
}

FileDialogAnswer answerForPath(const QString& chosen, const FileDialogRequest& request)
{
    QString path = chosen;
    QString name = QFileInfo(path).fileName();
    qsizetype dot = name.lastIndexOf('.');
    if (dot < 0 && request.kind == FileDialogKind::Save && !request.defaultExtension.empty()) {
        QString extension = QString::fromStdString(request.defaultExtension);
        path += '.' + extension;
        name += '.' + extension;
        dot = name.size() - extension.size() - 1;
    }
    FileDialogAnswer answer;
    answer.path = path.toStdString();
    answer.name = name.toStdString();
    answer.title = (dot < 0 ? name : name.left(dot)).toStdString();
    answer.extension = dot < 0 ? std::string() : name.mid(dot + 1).toStdString();
    return answer;
}

std::optional<FileDialogAnswer> showFileDialog(QWidget* owner, const FileDialogRequest& request)
{
    QFileDialog dialog(owner);
    configureFileDialog(dialog, request);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return std::nullopt;
    return answerForPath(dialog.selectedFiles().first(), request);
}

} // namespace glyphsmith
