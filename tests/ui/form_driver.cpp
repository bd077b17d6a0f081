#include "form_driver.h"

#include "user_input.h"
#include "velmora_process.h"
#include "wait.h"
#include "window_text.h"

#include <chrono>
#include <future>

namespace velmora::ui {

namespace {

// A BM_CLICK sent from a worker thread: SendMessage returns only when the click
// handler has returned, which may be after a message box has been dismissed.
class PendingPress {
  public:
    PendingPress(const FormDriver& form, ControlId id)
        : form_(form), result_(std::async(std::launch::async, [button = form.Control(id)] {
              DWORD_PTR ignored = 0;
              return SendMessageTimeoutW(button, BM_CLICK, 0, 0, SMTO_NORMAL,
                                         static_cast<UINT>(HandlerDeadline.count()), &ignored) != 0;
          })) {}
    PendingPress(const PendingPress&) = delete;
    PendingPress& operator=(const PendingPress&) = delete;

    // A test that failed half way leaves no box behind to block the worker.
    ~PendingPress() {
        while (result_.valid() && !Returned()) {
            for (HWND box : form_.OpenMessageBoxes())
                PostMessageW(box, WM_COMMAND, IDOK, 0);
        }
    }

    bool Returned() const {
        return result_.wait_for(std::chrono::milliseconds(5)) == std::future_status::ready;
    }

    void Finish() {
        if (!WaitUntil([&] { return Returned(); }, HandlerDeadline) || !result_.get())
            throw DriverError("the click handler did not return");
    }

  private:
    const FormDriver& form_;
    std::future<bool> result_;
};

} // namespace

FormDriver::FormDriver(HWND form) : form_(form) {
    threadId_ = GetWindowThreadProcessId(form_, &processId_);
}

HWND FormDriver::Control(ControlId id) const {
    HWND control = GetDlgItem(form_, id);
    if (control == nullptr)
        throw DriverError("Form1 has no control " + std::to_string(id));
    return control;
}

std::wstring FormDriver::Text(ControlId id) const {
    return WindowText(Control(id));
}

bool FormDriver::Checked(ControlId id) const {
    return SendTo(Control(id), BM_GETCHECK) == BST_CHECKED;
}

RECT FormDriver::ControlRect(ControlId id) const {
    RECT rect{};
    GetWindowRect(Control(id), &rect);
    MapWindowPoints(nullptr, form_, reinterpret_cast<POINT*>(&rect), 2);
    return rect;
}

POINT FormDriver::ToScreen(POINT client) const {
    ClientToScreen(form_, &client);
    return client;
}

int FormDriver::FocusedControl() const {
    GUITHREADINFO info{};
    info.cbSize = sizeof info;
    if (!GetGUIThreadInfo(threadId_, &info) || info.hwndFocus == nullptr ||
        GetParent(info.hwndFocus) != form_)
        return 0;
    return GetDlgCtrlID(info.hwndFocus);
}

std::vector<int> FormDriver::StackingOrder() const {
    std::vector<int> ids;
    for (HWND child = GetWindow(form_, GW_CHILD); child != nullptr;
         child = GetWindow(child, GW_HWNDNEXT))
        ids.push_back(GetDlgCtrlID(child));
    return ids;
}

std::vector<HWND> FormDriver::OpenMessageBoxes() const {
    return TopLevelWindows(processId_, L"#32770");
}

HWND FormDriver::WaitForMessageBoxOr(const std::function<bool()>& handlerReturned) const {
    HWND box = nullptr;
    WaitUntil([&] {
        const auto boxes = OpenMessageBoxes();
        box = boxes.empty() ? nullptr : boxes.front();
        return box != nullptr || handlerReturned();
    });
    return box;
}

void FormDriver::Press(ControlId id) const {
    PendingPress press(*this, id);
    if (HWND box = WaitForMessageBoxOr([&] { return press.Returned(); })) {
        const std::wstring text = ReadMessageBox(box).text;
        DismissMessageBox(box);
        press.Finish();
        throw DriverError("unexpected message box: " + Utf8(text));
    }
    press.Finish();
}

MessageBoxView FormDriver::PressExpectingMessage(ControlId id,
                                                 const std::function<void()>& whileOpen) const {
    PendingPress press(*this, id);
    MessageBoxView view = AwaitMessage([&] { return press.Returned(); }, whileOpen);
    press.Finish();
    return view;
}

void FormDriver::ClickAt(POINT client) const {
    ui::ClickAt(ToScreen(client));
}

MessageBoxView FormDriver::ClickExpectingMessage(POINT client) const {
    ClickAt(client);
    return AwaitMessage([] { return false; }, {});
}

MessageBoxView FormDriver::AwaitMessage(const std::function<bool()>& handlerReturned,
                                        const std::function<void()>& whileOpen) const {
    HWND box = WaitForMessageBoxOr(handlerReturned);
    if (box == nullptr)
        throw DriverError("no message box appeared");
    MessageBoxView view = ReadMessageBox(box);
    if (whileOpen)
        whileOpen();
    DismissMessageBox(box);
    return view;
}

} // namespace velmora::ui
