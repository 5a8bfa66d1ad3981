// The registration run: what pressing 開始 does. It reads the window's state through RunHost and
// reports through it, so a whole run can be carried out without a window.
#pragma once

#include "core/text.h"
#include "core/run_services.h"

namespace Wexo {

class RegisterServer;

enum class Placement { None = -1, Here = 0, CopyToSystemFolder = 1, MoveToSystemFolder = 2 };
enum class FollowUp { Keep = 0, Delete = 1 };

// What the run needs of the window: its inputs, and the four calls it makes back.
class RunHost {
public:
    virtual ~RunHost() = default;

    virtual bool IsRegistering() const = 0;
    virtual Placement PlacementOption() const = 0;
    virtual FollowUp FollowUpOption() const = 0;
    virtual Text TargetPath() const = 0;
    virtual Text DisplayName() const = 0;
    virtual Text SystemFolder() const = 0;

    virtual void SetTopMost(bool on) = 0;
    virtual void ClearTarget() = 0;
    // A modal message with one OK button, captioned with the application title.
    virtual void ShowMessage(const Text& message) = 0;
    // A modal OK/Cancel question; true only when the answer is OK.
    virtual bool AskOkCancel(const Text& question, const Text& caption) = 0;
};

class RegistrationRun {
public:
    RegistrationRun(RunHost& host, RunServices& services) : host_(host), services_(services) {}

    // A fault raised inside the server is not caught here: it leaves as ServerFaultError, releasing the module on
    // its way, and the window's handler shows it.
    void Execute();

    // Place the target into the system folder. `destination` is written before any file
    // operation; true when the placement completed.
    bool CopyToSystemFolder(Text& destination);
    bool MoveToSystemFolder(Text& destination);

private:
    // False, after telling the user, when the target is built for a processor this program cannot load.
    bool TargetFitsThisProgram();
    void RegisterTarget(RegisterServer& server, Text& destination);
    void UnregisterTarget(RegisterServer& server);
    // The first copy never overwrites; after it fails the user decides, then the copy overwrites.
    bool CopyAsked(const Text& destination, const char* question);
    // `firstLine`, and below it the system's reason for the failed call.
    void ShowSystemFailure(const Text& firstLine, const Outcome& outcome);

    RunHost& host_;
    RunServices& services_;
};

}  // namespace Wexo
