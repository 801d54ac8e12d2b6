#include "scripted_operator.h"

namespace orvia::testing {

std::vector<std::string> ScriptedOperator::messages() const {
    std::vector<std::string> out;
    for (const auto& e : events) {
        if (e.kind == OperatorEvent::Kind::Message) out.push_back(e.text);
    }
    return out;
}

std::vector<std::string> ScriptedOperator::questions() const {
    std::vector<std::string> out;
    for (const auto& e : events) {
        if (e.kind == OperatorEvent::Kind::Question) out.push_back(e.text);
    }
    return out;
}

std::vector<std::string> ScriptedOperator::fileFilters() const {
    std::vector<std::string> out;
    for (const auto& e : events) {
        if (e.kind == OperatorEvent::Kind::FileChoice) out.push_back(e.text);
    }
    return out;
}

std::vector<const OperatorEvent*> ScriptedOperator::dialogs() const {
    std::vector<const OperatorEvent*> out;
    for (const auto& e : events) {
        if (e.kind == OperatorEvent::Kind::Modal) out.push_back(&e);
    }
    return out;
}

std::vector<MessageKind> ScriptedOperator::messageKinds() const {
    std::vector<MessageKind> out;
    for (const auto& e : events) {
        if (e.kind == OperatorEvent::Kind::Message) out.push_back(e.messageKind);
    }
    return out;
}

void ScriptedOperator::showMessage(MessageKind kind, std::string_view text) {
    OperatorEvent event{OperatorEvent::Kind::Message, std::string(text)};
    event.messageKind = kind;
    events.push_back(std::move(event));
}

bool ScriptedOperator::askYesNo(std::string_view text) {
    events.push_back({OperatorEvent::Kind::Question, std::string(text)});
    if (onQuestion) onQuestion(text);
    if (answers.empty()) {
        ++unansweredQuestions;
        return false;
    }
    bool answer = answers.front();
    answers.pop_front();
    return answer;
}

std::optional<std::string> ScriptedOperator::chooseFile(std::string_view filter,
                                                        std::string_view defaultExtension) {
    events.push_back({OperatorEvent::Kind::FileChoice, std::string(filter)});
    defaultExtensions.emplace_back(defaultExtension);
    if (files.empty()) return std::nullopt;
    auto file = files.front();
    files.pop_front();
    return file;
}

OperatorEvent ScriptedOperator::snapshot(OperatorEvent::Kind kind, DialogModel& dialog) const {
    OperatorEvent e{kind, dialog.title(), dialog.templateId()};
    for (const ControlDef& def : dialog.table())
        e.controls[def.id] = dialog.control(def.id).text;
    return e;
}

int ScriptedOperator::runModal(DialogModel& dialog) {
    dialog.resetEnd();
    dialog.initialise();
    events.push_back(snapshot(OperatorEvent::Kind::Modal, dialog));
    auto script = modalScripts.find(dialog.templateId());
    if (script != modalScripts.end()) script->second(dialog);
    if (!dialog.ended()) dialog.command(kIdCancel);
    if (!dialog.ended()) dialog.command(kIdOk);
    return dialog.endCode();
}

bool ScriptedOperator::showModeless(DialogModel& dialog) {
    if (modelessFails) return false;
    dialog.initialise();
    events.push_back(snapshot(OperatorEvent::Kind::Modeless, dialog));
    return true;
}

void ScriptedOperator::refresh(DialogModel& dialog) {
    events.push_back({OperatorEvent::Kind::Refresh, dialog.title(), dialog.templateId()});
}

void ScriptedOperator::setWaitCursor(bool on) {
    if (on) {
        ++waitDepth;
        ++waitShown;
    } else {
        --waitDepth;
    }
}

void ScriptedOperator::copyToClipboard(std::string_view text) {
    clipboard = std::string(text);
    events.push_back({OperatorEvent::Kind::Clipboard, clipboard});
}

}  // namespace orvia::testing
