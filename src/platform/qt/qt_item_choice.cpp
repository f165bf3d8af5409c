#include "platform/qt/qt_item_choice.h"

#include <QDialog>
#include <QDialogButtonBox>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QTimer>
#include <QVBoxLayout>

namespace glyphsmith {

namespace {

QString text8(std::string_view text) { return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size())); }

} // namespace

std::optional<int> runItemChoice(QWidget* owner, const ItemChoiceRequest& request, QtModalScript& script)
{
    QDialog dialog(owner);
    dialog.setWindowTitle(text8(request.caption));
    auto* layout = new QVBoxLayout(&dialog);
    layout->addWidget(new QLabel(text8(request.prompt), &dialog));
    auto* list = new QListWidget(&dialog);
    for (const std::string& item : request.items)
        list->addItem(text8(item));
    list->setCurrentRow(request.initialItem);
    layout->addWidget(list);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, &dialog);
    layout->addWidget(buttons);
    QObject::connect(buttons, &QDialogButtonBox::accepted, &dialog, &QDialog::accept);
    QObject::connect(buttons, &QDialogButtonBox::rejected, &dialog, &QDialog::reject);
    QObject::connect(list, &QListWidget::itemDoubleClicked, &dialog, &QDialog::accept);

    if (script.active) {
        script.choiceRequests.push_back(request);
        if (script.choiceAnswers.empty())
            qFatal("A list came with no scripted answer (\"%s\")", request.caption.c_str());
        const std::optional<int> answer = script.choiceAnswers.front();
        script.choiceAnswers.pop_front();
        QTimer::singleShot(0, &dialog, [=] {
            if (answer && *answer >= 0)
                list->setCurrentRow(*answer);
            buttons->button(answer ? QDialogButtonBox::Ok : QDialogButtonBox::Cancel)->click();
        });
    }
    if (dialog.exec() != QDialog::Accepted || list->currentRow() < 0)
        return std::nullopt;
    return list->currentRow();
}

} // namespace glyphsmith
