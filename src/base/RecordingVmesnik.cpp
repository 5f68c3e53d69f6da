#include "base/RecordingVmesnik.h"

namespace orv {

void RecordingVmesnik::setLblSporociloVisible(bool visible) {
    calls.push_back(visible ? "lblSporocilo: shown" : "lblSporocilo: hidden");
}

void RecordingVmesnik::setLblSporocilo(const std::string& text) {
    calls.push_back("lblSporocilo: " + text);
}

void RecordingVmesnik::setLblSporocilo2(const std::string& text) {
    calls.push_back("lblSporocilo2: " + text);
}

void RecordingVmesnik::setLblStevec(const std::string& text) {
    calls.push_back("lblStevec: " + text);
}

void RecordingVmesnik::setLblKorak(const std::string& text) {
    calls.push_back("lblKorak: " + text);
}

void RecordingVmesnik::showMessage(const std::string& text) {
    calls.push_back("message: " + text);
    messages.push_back(text);
}

bool RecordingVmesnik::askLogon(LogonPrompt& prompt) {
    calls.push_back("logon dialog: " + prompt.userName + "@" + prompt.database);
    logonPrompts.push_back(prompt);
    if (logonAnswers.empty()) return false;
    const std::optional<LogonPrompt> answer = logonAnswers.front();
    logonAnswers.pop_front();
    if (!answer) return false;
    prompt = *answer;
    return true;
}

bool RecordingVmesnik::askQuestion(const std::string& text) {
    calls.push_back("question: " + text);
    questions.push_back(text);
    if (questionAnswers.empty()) return false;
    const bool answer = questionAnswers.front();
    questionAnswers.pop_front();
    return answer;
}

void RecordingVmesnik::processMessages() {
    calls.push_back("processMessages");
}

} // namespace orv
