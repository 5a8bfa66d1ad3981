#include "core/registration_run.h"

#include <cassert>

#include "core/messages.h"
#include "core/pe_image.h"
#include "core/register_server.h"
#include "core/target_rules.h"

namespace Wexo {

void RegistrationRun::Execute() {
    // Declared in this order so that the destination goes first and the module last.
    RegisterServer server(services_);
    Text destination;
    host_.SetTopMost(false);
    if (TargetFitsThisProgram()) {
        if (host_.IsRegistering()) {
            RegisterTarget(server, destination);
        } else {
            UnregisterTarget(server);
        }
    }
    host_.SetTopMost(true);
    // Released here rather than by the destructor, so that a fault while the module detaches is shown too.
    server.Unload();
}

bool RegistrationRun::TargetFitsThisProgram() {
    // Checked before anything is placed or deleted: a file this program cannot load would otherwise be moved into
    // the wrong system folder, or deleted after an unregistration it could never have passed.
    const ImageHeader header = ReadImageHeader(services_.ReadFileBytes(host_.TargetPath(), kImageHeaderBytes));
    const Bitness own = services_.ProgramBitness();
    Failure failure;
    switch (header.machine) {
        case ImageMachine::NotAnImage:
            // The loader will say what is wrong with it.
            return true;
        case ImageMachine::X86:
        case ImageMachine::X64:
            failure.bitness = header.machine == ImageMachine::X64 ? Bitness::Bits64 : Bitness::Bits32;
            if (failure.bitness == own) return true;
            failure.kind = Failure::Kind::OtherBitness;
            failure.name = ProgramNameFor(failure.bitness);
            break;
        case ImageMachine::Other:
            failure.kind = Failure::Kind::OtherMachine;
            failure.code = header.machineCode;
            break;
    }
    const Text firstLine = host_.IsRegistering() ? Messages::kRegisterFailed : Messages::kUnregisterFailed;
    const Text outcome = WithReason(firstLine, failure, host_.DisplayName());
    const Text other = failure.kind == Failure::Kind::OtherBitness ? services_.ProgramFor(failure.bitness) : Text();
    if (other.empty()) {
        host_.ShowMessage(outcome);
        return false;
    }
    if (host_.AskOkCancel(outcome + "\n" + failure.name + Messages::kAskHandOver, Messages::kQuestionCaption)) {
        const Outcome started = services_.StartProgram(other, host_.TargetPath());
        if (!started.ok) ShowSystemFailure(failure.name + Messages::kStartFailed, started);
    }
    return false;
}

void RegistrationRun::RegisterTarget(RegisterServer& server, Text& destination) {
    const Placement placement = host_.PlacementOption();
    // Taken now: a placement clears the target, and with it the name, before the export is called.
    const Text name = host_.DisplayName();
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
    if (server.Register()) {
        host_.ShowMessage(Messages::kRegistered);
    } else {
        host_.ShowMessage(WithReason(Messages::kRegisterFailed, server.LastFailure(), name));
    }
}

void RegistrationRun::UnregisterTarget(RegisterServer& server) {
    const Text target = host_.TargetPath();
    server.Load(target);
    if (server.Unregister()) {
        host_.ShowMessage(Messages::kUnregistered);
    } else {
        host_.ShowMessage(WithReason(Messages::kUnregisterFailed, server.LastFailure(), host_.DisplayName()));
    }
    // Deleting is tried even after a failed unregistration; the module must be let go first.
    if (host_.FollowUpOption() != FollowUp::Delete) return;
    server.Unload();
    const Outcome deleted = services_.Delete(target);
    if (deleted.ok) {
        host_.ClearTarget();
    } else {
        ShowSystemFailure(Messages::kDeleteFailed, deleted);
    }
}

bool RegistrationRun::CopyAsked(const Text& destination, const char* question) {
    if (services_.Copy(host_.TargetPath(), destination, true).ok) return true;
    if (!host_.AskOkCancel(SystemRun(destination) + question, Messages::kQuestionCaption)) return false;
    const Outcome copied = services_.Copy(host_.TargetPath(), destination, false);
    if (copied.ok) return true;
    ShowSystemFailure(Messages::kCopyFailed, copied);
    return false;
}

bool RegistrationRun::CopyToSystemFolder(Text& destination) {
    destination = TargetRules::SystemFolderPathOf(host_.SystemFolder(), host_.DisplayName());
    return CopyAsked(destination, Messages::kAskCopy);
}

bool RegistrationRun::MoveToSystemFolder(Text& destination) {
    destination = TargetRules::SystemFolderPathOf(host_.SystemFolder(), host_.DisplayName());
    if (!CopyAsked(destination, Messages::kAskMove)) return false;
    const Outcome deleted = services_.Delete(host_.TargetPath());
    if (deleted.ok) return true;
    ShowSystemFailure(Messages::kDeleteFailed, deleted);
    return false;
}

void RegistrationRun::ShowSystemFailure(const Text& firstLine, const Outcome& outcome) {
    Failure failure;
    failure.kind = Failure::Kind::FileOperation;
    failure.code = outcome.error;
    failure.systemText = services_.SystemMessage(outcome.error);
    host_.ShowMessage(WithReason(firstLine, failure, host_.DisplayName()));
}

}  // namespace Wexo
