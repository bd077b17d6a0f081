#include "form1.h"

#include "control_ids.h"
#include "message_box.h"
#include "model_binding.h"
#include "texts.h"
#include "wait_cursor.h"

#include <string>
#include <utility>

namespace velmora {
namespace {

// Marks the model that a command works on for as long as the command runs.
class RunningModel {
  public:
    RunningModel(WindowModel*& running, WindowModel& model) : running_(running) {
        running_ = &model;
    }
    RunningModel(const RunningModel&) = delete;
    RunningModel& operator=(const RunningModel&) = delete;
    ~RunningModel() { running_ = nullptr; }

  private:
    WindowModel*& running_;
};

} // namespace

void Form1::OnClick(int id) {
    switch (id) {
    case IdCommand1:
        OnRefreshClick();
        break;
    case IdCommand2:
        OnImportClick();
        break;
    case IdCommand3:
        OnUncheckClick();
        break;
    case IdCommand4:
        OnClearClick();
        break;
    case IdLabel1:
        OnTitleClick();
        break;
    default:
        break; // Option1 and Label2 have no handler
    }
}

void Form1::OnRefreshClick() {
    RunCommand([this](WindowModel&) {
        return Refresh(programFolder_, slot_, [this](const std::wstring&) { PressCommand2(); });
    });
}

void Form1::OnImportClick() {
    if (runningModel_ == nullptr) {
        // Reached with Tab and pressed by the user: an import of its own.
        RunCommand([this](WindowModel& model) {
            Import(model);
            return Status::Done;
        });
        return;
    }
    try {
        Import(*runningModel_);
    } catch (...) {
        importFailure_ = std::current_exception();
    }
}

void Form1::OnUncheckClick() {
    CheckDlgButton(window_.get(), IdOption1, BST_UNCHECKED);
}

void Form1::OnClearClick() {
    RunCommand([this](WindowModel& model) { return Clear(programFolder_, model, slot_); });
}

void Form1::OnTitleClick() {
    Tell(AboutMessage);
}

// Works on a copy of the model read from the controls (the user may have typed
// into the list, or into a covered field reached with Tab), writes back what
// changed, also when the command stopped part way, and only then tells the user.
void Form1::RunCommand(const Command& command) {
    std::wstring message;
    {
        const WaitCursor wait; // a Refresh of a huge file takes a moment
        const WindowModel shown = ReadModel(window_.get());
        WindowModel model = shown;
        message = Run(command, model);
        WriteModel(window_.get(), model, shown);
    }
    if (!message.empty())
        Tell(message);
}

// What the user is told when the command ends: nothing when all went well.
std::wstring Form1::Run(const Command& command, WindowModel& model) {
    const RunningModel running(runningModel_, model);
    try {
        if (command(model) == Status::FileMissing)
            return MissingFileMessage;
    } catch (...) {
        return FailureMessage(std::current_exception());
    }
    return {};
}

void Form1::Tell(std::wstring_view message) {
    ShowMessage(messageBox_, window_.get(), message);
}

// For the window procedure, which no exception may leave. Where even the
// message cannot be built, the one sentence that needs no memory of its own.
void Form1::TellFailure(const std::exception_ptr& failure) noexcept {
    try {
        Tell(FailureMessage(failure));
    } catch (...) {
        MessageBoxW(window_.get(), OutOfMemoryMessage, ProgramTitle, MB_OK);
    }
}

void Form1::Import(WindowModel& model) {
    ImportEntries(CoordinateFilePath(programFolder_), model, slot_);
}

// Raises a click as the button itself would. BM_CLICK would also move the
// focus to the button, which for Command2 is hidden.
void Form1::RaiseClick(ControlId id) {
    SendMessageW(window_.get(), WM_COMMAND, MAKEWPARAM(id, BN_CLICKED),
                 reinterpret_cast<LPARAM>(Control(id)));
}

void Form1::PressCommand2() {
    RaiseClick(IdCommand2);
    if (importFailure_)
        std::rethrow_exception(std::exchange(importFailure_, nullptr));
}

} // namespace velmora
