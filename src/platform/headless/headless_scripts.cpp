#include "platform/headless/headless_scripts.h"

namespace glyphsmith {

namespace {

bool offers(MessageButtons buttons, MessageResult answer)
{
    if (buttons == MessageButtons::Ok)
        return answer == MessageResult::Ok;
    return answer == MessageResult::Yes || answer == MessageResult::No || answer == MessageResult::Cancel;
}

const char* nameOf(MessageResult answer)
{
    switch (answer) {
    case MessageResult::Ok:
        return "Ok";
    case MessageResult::Yes:
        return "Yes";
    case MessageResult::No:
        return "No";
    case MessageResult::Cancel:
        return "Cancel";
    }
    return "?";
}

} // namespace

FileDialogAnswer fileDialogAnswerFor(std::string_view path)
{
    FileDialogAnswer answer;
    answer.path = std::string(path);
    std::size_t slash = path.find_last_of("/\\");
    answer.name = std::string(slash == std::string_view::npos ? path : path.substr(slash + 1));
    std::size_t dot = answer.name.rfind('.');
    answer.title = dot == std::string::npos ? answer.name : answer.name.substr(0, dot);
    answer.extension = dot == std::string::npos ? std::string() : answer.name.substr(dot + 1);
    return answer;
}

MessageResult HeadlessScripts::answerMessage(
    std::string_view text, std::string_view caption, std::string_view applicationName, MessageButtons buttons)
{
    if (messageAnswers_.empty())
        throw HeadlessScriptError("a message box was shown with no answer scripted: \"" + std::string(text) + "\"");
    MessageResult answer = messageAnswers_.front();
    if (!offers(buttons, answer))
        throw HeadlessScriptError(std::string("the scripted answer ") + nameOf(answer)
            + " is not a button of the message box \"" + std::string(text) + "\"");
    messageAnswers_.pop_front();
    messages_.push_back({ std::string(text), std::string(caption),
        std::string(caption.empty() ? applicationName : caption), buttons, answer });
    return answer;
}

std::optional<FileDialogAnswer> HeadlessScripts::answerFileDialog(const FileDialogRequest& request)
{
    const char* kind = request.kind == FileDialogKind::Open ? "an open" : "a save";
    if (fileAnswers_.empty())
        throw HeadlessScriptError(std::string(kind) + " file dialog was shown with no answer scripted (initial name \""
            + request.initialName + "\")");
    std::optional<FileDialogAnswer> answer = std::move(fileAnswers_.front());
    fileAnswers_.pop_front();
    fileDialogs_.push_back({ request, answer });
    return answer;
}

std::optional<int> HeadlessScripts::answerItemChoice(const ItemChoiceRequest& request)
{
    if (choiceAnswers_.empty())
        throw HeadlessScriptError("a list \"" + request.caption + "\" was shown with no answer scripted");
    std::optional<int> answer = choiceAnswers_.front();
    if (answer == KeepSelectedItem)
        answer = request.initialItem;
    if (answer && (*answer < 0 || *answer >= static_cast<int>(request.items.size())))
        throw HeadlessScriptError("the scripted answer " + std::to_string(*answer) + " is no item of the list \""
            + request.caption + "\"");
    choiceAnswers_.pop_front();
    itemChoices_.push_back({ request, answer });
    return answer;
}

} // namespace glyphsmith
