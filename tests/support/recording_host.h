// A stand-in for the main window during a registration run: holds the inputs, answers the
// questions from a script and writes every call into a shared log.
#pragma once

#include <deque>
#include <string>
#include <vector>

#include "core/registration_run.h"
#include "tests/support/sjis.h"

namespace WexoTest {

class RecordingHost : public Wexo::RunHost {
public:
    explicit RecordingHost(std::vector<std::string>& log) : log_(log) {}

    bool registering = true;
    Wexo::Placement placement = Wexo::Placement::Here;
    Wexo::FollowUp followUp = Wexo::FollowUp::Keep;
    Wexo::Text targetPath;
    Wexo::Text displayName;
    Wexo::Text systemFolder;
    std::deque<bool> answers;  // OK = true; an unexpected question is declined
    bool topMost = true;

    bool IsRegistering() const override { return registering; }
    Wexo::Placement PlacementOption() const override { return placement; }
    Wexo::FollowUp FollowUpOption() const override { return followUp; }
    Wexo::Text TargetPath() const override { return targetPath; }
    Wexo::Text DisplayName() const override { return displayName; }
    Wexo::Text SystemFolder() const override { return systemFolder; }

    void SetTopMost(bool on) override {
        topMost = on;
        log_.push_back(std::string("SetTopMost(") + (on ? "1" : "0") + ")");
    }
    void ClearTarget() override {
        targetPath.clear();
        displayName = Sjis::kDropPrompt;
        log_.push_back("ClearTarget()");
    }
    // Boxes are recorded as they read where the code pages agree; `marked` keeps them whole.
    void ShowMessage(const Wexo::Text& message) override {
        marked.push_back(message);
        boxes.push_back(Wexo::WithoutMarks(message));
        log_.push_back("ShowMessage(" + Wexo::WithoutMarks(message) + ")");
    }
    bool AskOkCancel(const Wexo::Text& question, const Wexo::Text& caption) override {
        marked.push_back("?" + question + "|" + caption);
        boxes.push_back("?" + Wexo::WithoutMarks(question) + "|" + caption);
        log_.push_back("Ask(" + Wexo::WithoutMarks(question) + "|" + caption + ")");
        if (answers.empty()) return false;
        const bool answer = answers.front();
        answers.pop_front();
        return answer;
    }

    // Messages as their text, questions as "?text|caption", in the order shown.
    std::vector<std::string> boxes;
    std::vector<std::string> marked;

    // The boxes with messages cut to their fixed first line; the reason below it is the system's own words.
    std::vector<std::string> FirstLines() const {
        std::vector<std::string> lines;
        for (const std::string& box : boxes) {
            lines.push_back(box.rfind("?", 0) == 0 ? box : box.substr(0, box.find('\n')));
        }
        return lines;
    }

private:
    std::vector<std::string>& log_;
};

}  // namespace WexoTest
