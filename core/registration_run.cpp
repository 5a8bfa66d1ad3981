#include "core/registration_run.h"

#include <cassert>

#include "core/messages.h"
#include "core/register_server.h"
#include "core/target_rules.h"

namespace Wexo {

void RegistrationRun::Execute() {
    // Declared in this order so that the destination goes first and the module last.
    RegisterServer server(services_);
    Text destination;
    host_.SetTopMost(false);
    if (host_.IsRegistering()) {
        RegisterTarget(server, destination);
    } else {
        UnregisterTarget(server);
    }
    host_.SetTopMost(true);
}

void RegistrationRun::RegisterTarget(RegisterServer& server, Text& destination) {
    const Placement placement = host_.PlacementOption();
    switch (placement) {
        case Placement::Here:
            server.Load(host_.TargetPath());
            break;
        case Placement::CopyToSystemFolder:
        case Placement::MoveToSystemFolder: {
            const bool placed = placement == Placement::CopyToSystemFolder ? CopyToSystemFolder(destination)
                                                                           : MoveToSystemFolder(destination);
            if (!placed) return;
            server.Load(destination);
            host_.ClearTarget();
            break;
        }
        default:
            // Run is enabled only while the active group has a selection.
            assert(!"registration run without a placement option");
            return;
    }
    host_.ShowMessage(server.Register() ? Messages::kRegistered : Messages::kRegisterFailed);
}

void RegistrationRun::UnregisterTarget(RegisterServer& server) {
    const Text target = host_.TargetPath();
    server.Load(target);
    host_.ShowMessage(server.Unregister() ? Messages::kUnregistered : Messages::kUnregisterFailed);
    // Deleting is tried even after a failed unregistration; the module must be let go first.
    if (host_.FollowUpOption() != FollowUp::Delete) return;
    server.Unload();
    if (services_.DeleteFileA(target)) {
        host_.ClearTarget();
    } else {
        host_.ShowMessage(Messages::kDeleteFailed);
    }
}

bool RegistrationRun::CopyAsked(const Text& destination, const char* question) {
    if (services_.CopyFileA(host_.TargetPath(), destination, true)) return true;
    if (!host_.AskOkCancel(destination + question, Messages::kQuestionCaption)) return false;
    if (services_.CopyFileA(host_.TargetPath(), destination, false)) return true;
    host_.ShowMessage(Messages::kCopyFailed);
    return false;
}

bool RegistrationRun::CopyToSystemFolder(Text& destination) {
    destination = TargetRules::SystemFolderPathOf(host_.SystemFolder(), host_.DisplayName());
    return CopyAsked(destination, Messages::kAskCopy);
}

bool RegistrationRun::MoveToSystemFolder(Text& destination) {
    destination = TargetRules::SystemFolderPathOf(host_.SystemFolder(), host_.DisplayName());
    if (!CopyAsked(destination, Messages::kAskMove)) return false;
    if (services_.DeleteFileA(host_.TargetPath())) return true;
    host_.ShowMessage(Messages::kDeleteFailed);
    return false;
}

}  // namespace Wexo
